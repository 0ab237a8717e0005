#include "app/Unicode.h"

#include <algorithm>

#include "app/CharTables.h"
#include "app/UnicodeTables.h"
#include "app/Win1252.h"

namespace vx {
namespace {

constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr char32_t kSurrogateFirst = 0xD800;
constexpr char32_t kHighSurrogateLast = 0xDBFF;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kSurrogateLast = 0xDFFF;
constexpr char32_t kSupplementaryFirst = 0x10000;
constexpr uint32_t kBeyondCodePage = 0x100;

bool IsContinuation(uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

bool IsSurrogate(char32_t c) {
    return c >= kSurrogateFirst && c <= kSurrogateLast;
}

// The table entry for a code point, or null.
const unicode_tables::CodePointPair* Lookup(const unicode_tables::CodePointPair* table, size_t size,
                                            char32_t codePoint) {
    const auto* end = table + size;
    const auto* found = std::lower_bound(
        table, end, codePoint,
        [](const unicode_tables::CodePointPair& p, char32_t c) { return p.from < c; });
    return found != end && found->from == codePoint ? found : nullptr;
}

// A code point's Windows-1252 byte mapped through one of the code page's
// tables, or -1 when the code page does not hold the character.
int MapInCodePage(char32_t codePoint, const std::array<uint8_t, 256>& map) {
    const int byte = CodePointToWin1252(codePoint);
    return byte < 0 ? -1 : map[static_cast<uint8_t>(byte)];
}

char32_t MapCase(char32_t codePoint, const std::array<uint8_t, 256>& codePageMap,
                 const unicode_tables::CodePointPair* table, size_t size) {
    if (codePoint < 0x80) return codePageMap[codePoint];
    const int mapped = MapInCodePage(codePoint, codePageMap);
    if (mapped >= 0) return Win1252ToCodePoint(static_cast<uint8_t>(mapped));
    const auto* entry = Lookup(table, size, codePoint);
    return entry ? entry->to : codePoint;
}

}  // namespace

char32_t NextCodePoint(std::string_view text, size_t& at) {
    const uint8_t lead = static_cast<uint8_t>(text[at]);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    int extra = 0;
    char32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, c = lead & 0x07;
    } else {
        ++at;
        return kReplacementCharacter;
    }
    size_t next = at + 1;
    for (int k = 0; k < extra; ++k, ++next) {
        if (next >= text.size() || !IsContinuation(static_cast<uint8_t>(text[next]))) {
            at = next;
            return kReplacementCharacter;
        }
        c = (c << 6) | (static_cast<uint8_t>(text[next]) & 0x3F);
    }
    at = next;
    // Overlong forms, surrogates and values past U+10FFFF are malformed.
    static constexpr char32_t kSmallest[4] = {0, 0x80, 0x800, kSupplementaryFirst};
    if (c < kSmallest[extra] || IsSurrogate(c) || c > kMaxCodePoint) return kReplacementCharacter;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > kMaxCodePoint || IsSurrogate(c)) c = kReplacementCharacter;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < kSupplementaryFirst) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsValidUtf8(std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        if (static_cast<uint8_t>(text[at]) < 0x80) {
            ++at;
            continue;
        }
        const size_t start = at;
        if (NextCodePoint(text, at) == kReplacementCharacter &&
            text.substr(start, at - start) != "\xEF\xBF\xBD")
            return false;
    }
    return true;
}

std::string ValidUtf8(std::string_view text) {
    if (IsValidUtf8(text)) return std::string(text);
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t at = 0; at < text.size();)
        AppendUtf8(out, NextCodePoint(text, at));
    return out;
}

size_t CharCount(std::string_view text) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); ++count)
        NextCodePoint(text, at);
    return count;
}

std::string_view LeftChars(std::string_view text, size_t count) {
    size_t at = 0;
    for (size_t n = 0; n < count && at < text.size(); ++n)
        NextCodePoint(text, at);
    return text.substr(0, at);
}

std::string_view LeftBytes(std::string_view text, size_t bytes) {
    size_t at = 0;
    while (at < text.size()) {
        size_t next = at;
        NextCodePoint(text, next);
        if (next > bytes) break;
        at = next;
    }
    return text.substr(0, at);
}

Utf16Order DetectUtf16(std::string_view start) {
    if (start.size() < 2) return Utf16Order::None;
    const auto first = static_cast<uint8_t>(start[0]), second = static_cast<uint8_t>(start[1]);
    if (first == 0xFF && second == 0xFE) return Utf16Order::LittleEndian;
    if (first == 0xFE && second == 0xFF) return Utf16Order::BigEndian;
    if (second == 0 && first != 0 && first < 0x80) return Utf16Order::LittleEndian;
    if (first == 0 && second != 0 && second < 0x80) return Utf16Order::BigEndian;
    return Utf16Order::None;
}

std::string Utf16ToUtf8(std::string_view bytes, bool littleEndian) {
    const auto unit = [&](size_t at) {
        const auto first = static_cast<uint8_t>(bytes[at]);
        const auto second = static_cast<uint8_t>(bytes[at + 1]);
        return static_cast<char32_t>(littleEndian ? (second << 8 | first) : (first << 8 | second));
    };
    std::string out;
    out.reserve(bytes.size() / 2 + 16);
    size_t at = 0;
    if (bytes.size() >= 2 && unit(0) == 0xFEFF) at = 2;
    for (; at + 1 < bytes.size(); at += 2) {
        char32_t c = unit(at);
        if (c >= kSurrogateFirst && c <= kHighSurrogateLast && at + 3 < bytes.size() &&
            unit(at + 2) >= kLowSurrogateFirst && unit(at + 2) <= kSurrogateLast) {
            c = kSupplementaryFirst + ((c - kSurrogateFirst) << 10) +
                (unit(at + 2) - kLowSurrogateFirst);
            at += 2;
        }
        AppendUtf8(out, c);  // a lone surrogate becomes U+FFFD there
    }
    if (at < bytes.size()) AppendUtf8(out, kReplacementCharacter);
    return out;
}

char32_t UpperCodePoint(char32_t codePoint) {
    return MapCase(codePoint, Chars().upper, unicode_tables::kUpper, unicode_tables::kUpperSize);
}

char32_t LowerCodePoint(char32_t codePoint) {
    return MapCase(codePoint, Chars().lower, unicode_tables::kLower, unicode_tables::kLowerSize);
}

char32_t PlainLetter(char32_t codePoint) {
    if (codePoint < 0x80) return codePoint;
    if (const int byte = CodePointToWin1252(codePoint); byte >= 0)
        return Win1252ToCodePoint(PlainLetterByte(static_cast<uint8_t>(byte)));
    const auto* entry =
        Lookup(unicode_tables::kPlainLatin, unicode_tables::kPlainLatinSize, codePoint);
    return entry ? entry->to : codePoint;
}

uint32_t SortWeight(char32_t codePoint) {
    if (codePoint < 0x80) return codePoint;
    const int byte = CodePointToWin1252(codePoint);
    return byte >= 0 ? static_cast<uint32_t>(byte) : kBeyondCodePage + codePoint;
}

}  // namespace vx
