// Conversion of GEDCOM text into the program's UTF-8 text. Each text is
// converted as it is read from the file, by the character set its header
// declares.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// The character sets the loader tells apart. "None" is the code page
// Windows-1252, which covers ANSI, ASCII and IBM PC files as well as files
// that name no character set.
enum CharSetCode : int { kCharSetNone = 0, kCharSetAnsel = 1, kCharSetUtf8 = 2 };

// ANSEL to UTF-8. A combining mark stands before its letter in ANSEL; the
// letter and its marks become one precomposed character where Unicode has
// one, and otherwise the letter followed by its combining marks. A mark at
// the end of the text stays alone. Bytes ANSEL leaves undefined are read as
// Windows-1252, the code page files mislabelled as ANSEL mostly use.
std::string AnselToUtf8(std::string_view text);

// Text of the file's character set as UTF-8; malformed UTF-8 becomes U+FFFD.
std::string ConvertCharSet(std::string_view text, int charSet);

}  // namespace vx
