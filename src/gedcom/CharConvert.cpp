#include "gedcom/CharConvert.h"

#include <array>
#include <cstdint>

#include "app/Win1252.h"

namespace vx {
namespace {

// Single ANSEL codes with a Windows-1252 letter or sign.
constexpr std::array<uint8_t, 256> BuildSingles() {
    std::array<uint8_t, 256> map{};
    for (int c = 0; c < 256; ++c)
        map[c] = static_cast<uint8_t>(c);
    constexpr uint8_t pairs[][2] = {
        {0xA2, 0xD8}, {0xA3, 0xD0}, {0xA4, 0xDE}, {0xA5, 0xC6}, {0xA6, 0x8C}, {0xA8, 0xB7},
        {0xAB, 0xB1}, {0xB2, 0xF8}, {0xB4, 0xFE}, {0xB5, 0xE6}, {0xB6, 0x9C}, {0xB9, 0xA3},
        {0xC0, 0xB0}, {0xC3, 0xA9}, {0xC5, 0xBF}, {0xC6, 0xA1}, {0xCF, 0xDF},
    };
    for (const auto& p : pairs)
        map[p[0]] = p[1];
    return map;
}
constexpr std::array<uint8_t, 256> kSingles = BuildSingles();

struct Combination {
    uint8_t base;
    uint8_t result;
};

struct CombiningMark {
    uint8_t mark;
    // Result for a base letter that is not listed; 0 keeps the mark byte.
    uint8_t otherwise;
    std::initializer_list<Combination> letters;
};

// 0xB8 is ANSEL's dotless i and combines like i.
const CombiningMark kMarks[] = {
    {0xE1,
     0,
     {{'A', 0xC0},
      {'E', 0xC8},
      {'I', 0xCC},
      {'O', 0xD2},
      {'U', 0xD9},
      {'a', 0xE0},
      {'e', 0xE8},
      {'i', 0xEC},
      {0xB8, 0xEC},
      {'o', 0xF2},
      {'u', 0xF9}}},
    {0xE2,
     0,
     {{'A', 0xC1},
      {'E', 0xC9},
      {'I', 0xCD},
      {'O', 0xD3},
      {'U', 0xDA},
      {'Y', 0xDD},
      {'a', 0xE1},
      {'e', 0xE9},
      {'i', 0xED},
      {0xB8, 0xED},
      {'o', 0xF3},
      {'u', 0xFA},
      {'y', 0xFD}}},
    {0xE3,
     0,
     {{'A', 0xC2},
      {'E', 0xCA},
      {'I', 0xCE},
      {'O', 0xD4},
      {'U', 0xDB},
      {'a', 0xE2},
      {'e', 0xEA},
      {'i', 0xEE},
      {0xB8, 0xEE},
      {'o', 0xF4},
      {'u', 0xFB}}},
    {0xE4, 0, {{'A', 0xC3}, {'N', 0xD1}, {'O', 0xD5}, {'a', 0xE3}, {'n', 0xF1}, {'o', 0xF5}}},
    {0xE6, 0x8A, {{'s', 0x9A}}},
    {0xE8,
     0,
     {{'A', 0xC4},
      {'E', 0xCB},
      {'I', 0xCF},
      {'O', 0xD6},
      {'U', 0xDC},
      {'Y', 0x9F},
      {'a', 0xE4},
      {'e', 0xEB},
      {'i', 0xEF},
      {0xB8, 0xEF},
      {'o', 0xF6},
      {'u', 0xFC},
      {'y', 0xFF}}},
    {0xEA, 0xC5, {{'a', 0xE5}}},
    {0xF0, 0xC7, {{'c', 0xE7}}},
};

const CombiningMark* FindMark(uint8_t byte) {
    for (const CombiningMark& mark : kMarks)
        if (mark.mark == byte) return &mark;
    return nullptr;
}

uint8_t Combine(const CombiningMark& mark, uint8_t base) {
    for (const Combination& c : mark.letters)
        if (c.base == base) return c.result;
    return mark.otherwise ? mark.otherwise : mark.mark;
}

// Number of continuation bytes announced by a lead byte.
int TrailingBytes(uint8_t lead) {
    if (lead < 0xC0) return 0;
    if (lead < 0xE0) return 1;
    if (lead < 0xF0) return 2;
    if (lead < 0xF8) return 3;
    if (lead < 0xFC) return 4;
    return 5;
}

}  // namespace

std::string AnselToAnsi(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t byte = static_cast<uint8_t>(text[i]);
        if (byte < 0xA2) {
            out += static_cast<char>(byte);
        } else if (const CombiningMark* mark = FindMark(byte)) {
            if (i + 1 < text.size())
                out += static_cast<char>(Combine(*mark, static_cast<uint8_t>(text[++i])));
            else
                out += static_cast<char>(byte);
        } else {
            out += static_cast<char>(kSingles[byte]);
        }
    }
    return out;
}

std::string Utf8ToAnsi(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const uint8_t lead = static_cast<uint8_t>(text[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        const int extra = TrailingBytes(lead);
        if (extra == 0 || i + static_cast<size_t>(extra) >= text.size()) {
            // A stray continuation byte, or a sequence cut off by the end.
            out += '?';
            i = (extra == 0) ? i + 1 : text.size();
            continue;
        }
        static constexpr uint8_t kLeadMask[6] = {0x7F, 0x1F, 0x0F, 0x07, 0x03, 0x01};
        uint32_t code = lead & kLeadMask[extra];
        for (int k = 1; k <= extra; ++k)
            code = (code << 6) | (static_cast<uint8_t>(text[i + k]) & 0x3F);
        i += static_cast<size_t>(extra) + 1;
        const int byte = code <= 0xFFFF ? CodePointToWin1252(static_cast<char32_t>(code)) : -1;
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

std::string ConvertCharSet(std::string_view text, int charSet) {
    switch (charSet) {
        case kCharSetAnsel:
            return AnselToAnsi(text);
        case kCharSetUtf8:
            return Utf8ToAnsi(text);
        default:
            return std::string(text);
    }
}

}  // namespace vx
