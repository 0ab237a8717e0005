#include "gedcom/CharConvert.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "app/Unicode.h"
#include "app/UnicodeTables.h"
#include "app/Win1252.h"

namespace vx {
namespace {

constexpr uint8_t kFirstAnselByte = 0xA1;
constexpr uint8_t kFirstCombiningMark = 0xE0;

// The characters of ANSEL's letters and signs, 0xA1 to 0xDF; 0 where ANSEL
// defines none. 0xBE to 0xCF include the GEDCOM additions (empty and black
// box, midline e and o, sharp s).
constexpr char32_t kSigns[0xE0 - kFirstAnselByte] = {
    /* A1 */ 0x0141,
    0x00D8,
    0x0110,
    0x00DE,
    0x00C6,
    0x0152,
    0x02B9,
    0x00B7,
    0x266D,
    0x00AE,
    /* AB */ 0x00B1,
    0x01A0,
    0x01AF,
    0x02BC,
    0,
    /* B0 */ 0x02BB,
    0x0142,
    0x00F8,
    0x0111,
    0x00FE,
    0x00E6,
    0x0153,
    0x02BA,
    0x0131,
    0x00A3,
    /* BA */ 0x00F0,
    0,
    0x01A1,
    0x01B0,
    0x25A1,
    0x25A0,
    /* C0 */ 0x00B0,
    0x2113,
    0x2117,
    0x00A9,
    0x266F,
    0x00BF,
    0x00A1,
    0x00DF,
    0x20AC,
    0,
    /* CA */ 0,
    0,
    0,
    0x0065,
    0x006F,
    0x00DF,
    /* D0 */ 0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
};

// The Unicode combining marks of ANSEL's 0xE0 to 0xFF; 0 where undefined.
constexpr char32_t kMarks[0x100 - kFirstCombiningMark] = {
    /* E0 */ 0x0309, 0x0300, 0x0301, 0x0302, 0x0303, 0x0304,
    0x0306,          0x0307, 0x0308, 0x030C,
    /* EA */ 0x030A, 0xFE20, 0xFE21, 0x0315, 0x030B, 0x0310,
    /* F0 */ 0x0327, 0x0328, 0x0323, 0x0324, 0x0325, 0x0333,
    0x0332,          0x0326, 0x031C, 0x032E,
    /* FA */ 0xFE22, 0xFE23, 0,      0,      0x0313,
};

// The precomposed character of a letter and a mark, or 0.
char32_t Compose(char32_t base, char32_t mark) {
    using unicode_tables::Composition;
    const Composition* begin = unicode_tables::kCompositions;
    const Composition* end = begin + unicode_tables::kCompositionsSize;
    const Composition* found =
        std::lower_bound(begin, end, Composition{base, mark, 0}, [](const auto& a, const auto& b) {
            return a.base != b.base ? a.base < b.base : a.mark < b.mark;
        });
    return found != end && found->base == base && found->mark == mark ? found->composed : 0;
}

// A byte that is not a combining mark.
char32_t AnselCharacter(uint8_t byte) {
    if (byte >= kFirstAnselByte && byte < kFirstCombiningMark && kSigns[byte - kFirstAnselByte])
        return kSigns[byte - kFirstAnselByte];
    return Win1252ToCodePoint(byte);
}

// A letter with the marks that stood before it: composed as far as Unicode
// allows, the remaining marks after it.
void AppendWithMarks(std::string& out, char32_t base, const std::vector<char32_t>& marks) {
    std::vector<char32_t> left;
    for (char32_t mark : marks) {
        const char32_t composed = left.empty() ? Compose(base, mark) : 0;
        if (composed)
            base = composed;
        else
            left.push_back(mark);
    }
    AppendUtf8(out, base);
    for (char32_t mark : left)
        AppendUtf8(out, mark);
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<uint8_t>(c) < 0x80; });
}

}  // namespace

std::string AnselToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    std::vector<char32_t> marks;
    for (const char c : text) {
        const uint8_t byte = static_cast<uint8_t>(c);
        if (byte >= kFirstCombiningMark && kMarks[byte - kFirstCombiningMark]) {
            marks.push_back(kMarks[byte - kFirstCombiningMark]);
            continue;
        }
        if (marks.empty()) {
            AppendUtf8(out, AnselCharacter(byte));
        } else {
            AppendWithMarks(out, AnselCharacter(byte), marks);
            marks.clear();
        }
    }
    for (char32_t mark : marks)
        AppendUtf8(out, mark);
    return out;
}

std::string ConvertCharSet(std::string_view text, int charSet) {
    if (IsAscii(text)) return std::string(text);
    switch (charSet) {
        case kCharSetAnsel:
            return AnselToUtf8(text);
        case kCharSetUtf8:
            return ValidUtf8(text);
        default:
            return Win1252ToUtf8(text);
    }
}

}  // namespace vx
