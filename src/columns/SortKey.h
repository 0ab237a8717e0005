// Sort keys: texts turned into bytes whose plain byte order is the order of
// CompareText, so that the sorted columns compare fixed-size records with
// memcmp. A character Windows-1252 holds takes one byte, its code-page byte;
// every other character takes three or six bytes behind 0xFF, so that it
// sorts after the code page in code-point order.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// The key of a UTF-8 text, at most `maxBytes` long; a character that does
// not fit whole is left out with everything after it.
std::string SortKey(std::string_view text, size_t maxBytes);

// The text a key was made from (as far as the key reaches).
std::string SortKeyText(std::string_view key);

}  // namespace vx
