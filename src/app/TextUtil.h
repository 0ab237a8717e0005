// Text helpers shared by every subsystem. Text is UTF-8 in a std::string;
// case rules come from app/Unicode (the code page's tables for the letters
// Windows-1252 holds, Unicode's for Latin, Greek and Cyrillic beyond it).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vx {

std::string UpperText(std::string_view text);
std::string LowerText(std::string_view text);

// 0 when equal ignoring letter case; otherwise the difference of the
// character counts, or of the first pair of differing lower-cased
// characters. Callers test only for 0.
int SameText(std::string_view a, std::string_view b);

// The text's start against the key, letter case ignored, in sort-weight
// order: 0 when the text begins with the key, -1 when it is shorter.
int ComparePrefixIgnoringCase(std::string_view text, std::string_view key);

// Compares `pattern` with `s` from the 1-based position `start` over
// min(n, pattern length) bytes, case-sensitively: 0 when equal, else the
// first difference (byte of s minus byte of pattern); -2 for a start or n
// below 1, an empty pattern or a range that does not fit in s. With an empty
// s: 0 when the pattern is empty too, else -1.
int CompareAt(std::string_view s, std::string_view pattern, int start, int n);

// Order of the characters' sort weights (Windows-1252 order, then other
// scripts by code point), a prefix first: -1, 0 or 1.
int CompareText(std::string_view a, std::string_view b);

// Not empty, and only digits, "+", "-" and the decimal separator ".".
bool IsNumber(std::string_view text);

std::string TrimLeftSet(std::string_view text, std::string_view set);
std::string Trim(std::string_view text);       // blanks and control bytes, both ends
std::string TrimRight(std::string_view text);  // the same, right end only

// Splits at every occurrence of `separator` (any length): parts that are
// empty are kept only when keepEmpty; a non-empty remainder is added last.
void Split(std::string_view text, std::string_view separator, std::vector<std::string>& list,
           bool keepEmpty);

// The first two comma-separated parts, trimmed; without a comma the text
// comes back unchanged as the first part.
std::pair<std::string, std::string> SplitComma(std::string_view text);

// A whole number with "," between groups of three digits (for counts and
// file sizes): 1234567 gives "1,234,567".
std::string FormatThousands(int64_t value);

// Line feeds removed, carriage returns turned into blanks.
std::string FlattenLineBreaks(std::string_view text);

// Every line break (CR, LF, CR LF or LF CR) written as CR LF.
std::string CrLfLineBreaks(std::string_view text);

// Every occurrence of `from` replaced by `to` (which may be empty).
std::string ReplaceChar(std::string_view text, char from, std::string_view to);

// Every occurrence of `part` removed, repeated until none is left.
std::string RemoveSubstring(std::string_view text, std::string_view part);

// Decimal integer of the whole text (an optional sign, then digits); false
// for anything else, including an empty text and values outside int32.
bool ParseInt(std::string_view text, int32_t& value);

// The four-character Soundex code of a name ("Smith" gives S530); empty for
// an empty text. After the first character, which is kept as it is
// (upper-cased when a letter), only the letters a to z count: accented
// letters of Windows-1252 are skipped, letters beyond it count by their plain
// Latin letter.
std::string SoundexCode(std::string_view text);

// Accented Latin letters replaced by their plain letters ("Ålund" gives
// "Alund", "Łódź" gives "Lodz"), so that text columns sort accents with
// their letters.
std::string FoldAccents(std::string_view text);

// Bit n (0..7) of a flag byte.
inline bool TestBit(uint8_t flags, int n) {
    return (flags >> n) & 1u;
}
inline void SetBit(uint8_t& flags, int n) {
    flags = static_cast<uint8_t>(flags | (1u << n));
}
inline void ClearBit(uint8_t& flags, int n) {
    flags = static_cast<uint8_t>(flags & ~(1u << n));
}

}  // namespace vx
