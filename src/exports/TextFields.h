// The two layouts in which lists are copied as text: fixed columns padded
// with spaces, or comma-separated values in double quotes.
#pragma once

#include <string>
#include <string_view>

namespace vx {

enum class ListFormat { FixedColumns, Csv };

// The text in double quotes, each double quote inside doubled.
std::string CsvField(std::string_view text);
// A field of width - 1 characters: the text cut to width - 2 characters,
// then blanks. A width of 1 or less gives an empty field.
std::string FixedField(std::string_view text, int width);

}  // namespace vx
