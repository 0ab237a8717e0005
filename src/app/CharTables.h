// Case maps, character classes and plain letters of the Windows-1252 code
// page. They define, independently of the process locale, what upper case,
// lower case and letters are for every character the code page holds; the
// Unicode rules (app/Unicode) defer to them there. On UTF-8 text the
// byte-wise helpers below are only meaningful for ASCII bytes.
#pragma once

#include <array>
#include <cstdint>

namespace vx {

enum CharClass : uint8_t {
    kUpper = 1 << 0,
    kLower = 1 << 1,
    kDigit = 1 << 2,
    kSpace = 1 << 3,
    kPunct = 1 << 4,
    kControl = 1 << 5,
    kAlpha = kUpper | kLower,
};

struct CharTables {
    std::array<uint8_t, 256> upper;
    std::array<uint8_t, 256> lower;
    std::array<uint8_t, 256> toggle;  // upper to lower and lower to upper
    std::array<uint8_t, 256> classes;
    std::array<uint8_t, 256> plain;  // accented letters to their plain letter
};

const CharTables& Chars();

inline char ToUpper(char c) {
    return static_cast<char>(Chars().upper[static_cast<uint8_t>(c)]);
}
inline char ToLower(char c) {
    return static_cast<char>(Chars().lower[static_cast<uint8_t>(c)]);
}
inline char ToggleCase(char c) {
    return static_cast<char>(Chars().toggle[static_cast<uint8_t>(c)]);
}
inline uint8_t PlainLetterByte(uint8_t byte) {
    return Chars().plain[byte];
}
inline bool HasClass(char c, uint8_t mask) {
    return (Chars().classes[static_cast<uint8_t>(c)] & mask) != 0;
}
inline bool IsAlpha(char c) {
    return HasClass(c, kAlpha);
}
inline bool IsDigit(char c) {
    return HasClass(c, kDigit);
}
inline bool IsSpace(char c) {
    return HasClass(c, kSpace);
}

}  // namespace vx
