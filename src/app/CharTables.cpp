#include "app/CharTables.h"

namespace vx {
namespace {

// Windows-1252 letter pairs outside ASCII: (upper, lower).
constexpr uint8_t kCasePairs[][2] = {
    {0x8A, 0x9A},  // S caron
    {0x8C, 0x9C},  // OE ligature
    {0x8E, 0x9E},  // Z caron
    {0x9F, 0xFF},  // Y diaeresis
};

// Lower-case letters without an upper-case form in the code page.
constexpr uint8_t kLowerOnly[] = {0x83 /* f hook */, 0xAA /* ordinal a */, 0xB5 /* micro */,
                                  0xBA /* ordinal o */, 0xDF /* sharp s */};

// Accented letters and their plain letters. The sharp s reads as "B" and
// the macron sign as "y", so that they sort beside the letters they resemble.
constexpr void AddPlainLetters(CharTables& t) {
    for (int c = 0; c < 256; ++c)
        t.plain[c] = static_cast<uint8_t>(c);
    auto range = [&t](int from, int to, char plain) {
        for (int c = from; c <= to; ++c)
            t.plain[c] = static_cast<uint8_t>(plain);
    };
    range(0xC0, 0xC6, 'A');
    range(0xC7, 0xC7, 'C');
    range(0xC8, 0xCB, 'E');
    range(0xCC, 0xCF, 'I');
    range(0xD0, 0xD0, 'D');
    range(0xD1, 0xD1, 'N');
    range(0xD2, 0xD6, 'O');
    range(0xD8, 0xD8, 'O');
    range(0xD9, 0xDC, 'U');
    range(0xDD, 0xDD, 'Y');
    range(0xDF, 0xDF, 'B');
    range(0xE0, 0xE6, 'a');
    range(0xE7, 0xE7, 'c');
    range(0xE8, 0xEB, 'e');
    range(0xEC, 0xEF, 'i');
    range(0xF1, 0xF1, 'n');
    range(0xF2, 0xF6, 'o');
    range(0xF8, 0xF8, 'o');
    range(0xF9, 0xFC, 'u');
    range(0xFD, 0xFD, 'y');
    range(0xFF, 0xFF, 'y');
    range(0xAF, 0xAF, 'y');
}

constexpr CharTables Build() {
    CharTables t{};
    for (int c = 0; c < 256; ++c) {
        t.upper[c] = t.lower[c] = t.toggle[c] = static_cast<uint8_t>(c);
        t.classes[c] = 0;
    }
    auto pair = [&t](int up, int low) {
        t.upper[low] = static_cast<uint8_t>(up);
        t.lower[up] = static_cast<uint8_t>(low);
        t.toggle[low] = static_cast<uint8_t>(up);
        t.toggle[up] = static_cast<uint8_t>(low);
        t.classes[up] |= kUpper;
        t.classes[low] |= kLower;
    };
    for (int c = 'A'; c <= 'Z'; ++c)
        pair(c, c + 32);
    // Latin-1 letters: C0..DE pair with E0..FE, except the multiplication
    // and division signs.
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) pair(c, c + 32);
    for (const auto& p : kCasePairs)
        pair(p[0], p[1]);
    for (uint8_t c : kLowerOnly)
        t.classes[c] |= kLower;

    for (int c = '0'; c <= '9'; ++c)
        t.classes[c] |= kDigit;
    for (int c : {0x20, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0xA0})
        t.classes[c] |= kSpace;
    for (int c = 0; c < 32; ++c)
        t.classes[c] |= kControl;
    t.classes[0x7F] |= kControl;
    for (int c = 33; c < 127; ++c)
        if (!(t.classes[c] & (kAlpha | kDigit))) t.classes[c] |= kPunct;
    for (int c = 0x80; c < 0xC0; ++c)
        if (!(t.classes[c] & (kAlpha | kSpace))) t.classes[c] |= kPunct;
    t.classes[0xD7] |= kPunct;
    t.classes[0xF7] |= kPunct;
    // 0x81, 0x8D, 0x8F, 0x90 and 0x9D are unassigned: no class.
    for (int c : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        t.classes[c] = 0;
    AddPlainLetters(t);
    return t;
}

constexpr CharTables kTables = Build();

}  // namespace

const CharTables& Chars() {
    return kTables;
}

}  // namespace vx
