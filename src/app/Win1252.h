// Windows-1252, the code page of ANSI GEDCOM files and of the creator's
// facts stored in a program file's trailer, and its conversion to and from
// the core's UTF-8 text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vx {

// Unicode code point of a Windows-1252 byte. The five unassigned bytes map
// to the C1 control of the same value, as the platform conversions do.
char32_t Win1252ToCodePoint(uint8_t byte);

// The Windows-1252 byte for a code point, or -1 when the code page has none.
int CodePointToWin1252(char32_t codePoint);

std::string Win1252ToUtf8(std::string_view text);

// Decodes UTF-8 leniently: each character the code page cannot show, and
// each malformed sequence, becomes one "?".
std::string Utf8ToWin1252(std::string_view text);

}  // namespace vx
