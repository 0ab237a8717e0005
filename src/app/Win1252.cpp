#include "app/Win1252.h"

#include "app/Unicode.h"

namespace vx {
namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the code page equals
// its Unicode value.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

}  // namespace

char32_t Win1252ToCodePoint(uint8_t byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? kHighControls[byte - 0x80] : byte;
}

int CodePointToWin1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == codePoint) return 0x80 + i;
    return -1;
}

std::string Win1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text)
        AppendUtf8(out, Win1252ToCodePoint(static_cast<uint8_t>(c)));
    return out;
}

std::string Utf8ToWin1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const int byte = CodePointToWin1252(NextCodePoint(text, at));
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

}  // namespace vx
