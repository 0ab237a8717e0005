// UTF-8, the core's text encoding: decoding that never fails, character
// counts and cuts that never split a character, and the character rules the
// text helpers build on (case, plain Latin letters, sort weights).
//
// Letters that Windows-1252 holds follow the code page's tables exactly, so
// that every text the program could show before sorts, compares and folds
// as it always did; letters beyond it follow the Unicode tables for Latin,
// Greek and Cyrillic. Nothing here depends on the process locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vx {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The character that starts at `at`, which is moved past it. A malformed or
// cut-off sequence gives U+FFFD and moves past its longest valid-looking
// start (at least one byte), so every byte is consumed exactly once.
char32_t NextCodePoint(std::string_view text, size_t& at);

void AppendUtf8(std::string& out, char32_t codePoint);

// The text with every malformed sequence replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);
bool IsValidUtf8(std::string_view text);

size_t CharCount(std::string_view text);

// The first `count` characters.
std::string_view LeftChars(std::string_view text, size_t count);

// The longest start of the text that takes at most `bytes` bytes and ends
// on a character boundary.
std::string_view LeftBytes(std::string_view text, size_t bytes);

enum class Utf16Order { None, LittleEndian, BigEndian };

// Whether a text starts as UTF-16 does: with either byte-order mark, or
// without one with an ASCII first character beside a zero byte (a GEDCOM
// file starts with "0").
Utf16Order DetectUtf16(std::string_view start);

// UTF-16 (with or without a byte-order mark; `littleEndian` decides when
// there is none) as UTF-8. An unpaired surrogate or a trailing odd byte
// becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool littleEndian);

char32_t UpperCodePoint(char32_t codePoint);
char32_t LowerCodePoint(char32_t codePoint);

// An accented Latin letter's plain letter ("Å" gives "A", "ł" gives "l");
// every other character as it is.
char32_t PlainLetter(char32_t codePoint);

// Sort weight: the Windows-1252 byte of a character the code page holds,
// otherwise 0x100 plus its code point, so other scripts follow Latin in
// code-point order.
uint32_t SortWeight(char32_t codePoint);

}  // namespace vx
