// Conversion of GEDCOM text into the program's Windows-1252 text.
#pragma once

#include <string>
#include <string_view>

namespace vx {

enum CharSetCode : int { kCharSetNone = 0, kCharSetAnsel = 1, kCharSetUtf8 = 2 };

// ANSEL to Windows-1252: special letters are mapped, and a combining mark
// with its base letter becomes one accented letter where the code page has
// it.
std::string AnselToAnsi(std::string_view text);

// Lenient UTF-8 to Windows-1252: the lead byte alone decides the length of
// a sequence (continuation bytes are not checked), and each character the
// code page cannot show becomes "?". A sequence cut off by the end of the
// text becomes "?".
std::string Utf8ToAnsi(std::string_view text);

std::string ConvertCharSet(std::string_view text, int charSet);

}  // namespace vx
