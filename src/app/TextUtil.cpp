#include "app/TextUtil.h"

#include <array>
#include <charconv>

#include "app/CharTables.h"
#include "app/Unicode.h"
#include "app/Win1252.h"

namespace vx {
namespace {

bool IsBlankOrControl(char c) {
    return static_cast<uint8_t>(c) <= ' ';
}

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<uint8_t>(c) >= 0x80) return false;
    return true;
}

// The text with every character passed through `map`; ASCII bytes take the
// code page's own table directly.
template <class Map>
std::string MapCharacters(std::string_view text, const std::array<uint8_t, 256>& asciiMap,
                          Map&& map) {
    if (IsAscii(text)) {  // the common case: one table lookup a byte, in place
        std::string out(text);
        for (char& c : out)
            c = static_cast<char>(asciiMap[static_cast<uint8_t>(c)]);
        return out;
    }
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const uint8_t byte = static_cast<uint8_t>(text[at]);
        if (byte < 0x80) {
            out += static_cast<char>(asciiMap[byte]);
            ++at;
        } else {
            AppendUtf8(out, map(NextCodePoint(text, at)));
        }
    }
    return out;
}

}  // namespace

std::string UpperText(std::string_view text) {
    return MapCharacters(text, Chars().upper, UpperCodePoint);
}
std::string LowerText(std::string_view text) {
    return MapCharacters(text, Chars().lower, LowerCodePoint);
}

int SameText(std::string_view a, std::string_view b) {
    if (IsAscii(a) && IsAscii(b)) {
        if (a.size() != b.size()) return static_cast<int>(a.size()) - static_cast<int>(b.size());
        const auto& lower = Chars().lower;
        for (size_t i = 0; i < a.size(); ++i) {
            int x = lower[static_cast<uint8_t>(a[i])], y = lower[static_cast<uint8_t>(b[i])];
            if (x != y) return x - y;
        }
        return 0;
    }
    const size_t countA = CharCount(a), countB = CharCount(b);
    if (countA != countB) return static_cast<int>(countA) - static_cast<int>(countB);
    for (size_t i = 0, j = 0; i < a.size() && j < b.size();) {
        const char32_t x = LowerCodePoint(NextCodePoint(a, i));
        const char32_t y = LowerCodePoint(NextCodePoint(b, j));
        if (x != y) return static_cast<int>(x) - static_cast<int>(y);
    }
    return 0;
}

int ComparePrefixIgnoringCase(std::string_view text, std::string_view key) {
    size_t i = 0, j = 0;
    while (i < text.size() && j < key.size()) {
        const uint32_t x = SortWeight(LowerCodePoint(NextCodePoint(text, i)));
        const uint32_t y = SortWeight(LowerCodePoint(NextCodePoint(key, j)));
        if (x != y) return x < y ? -1 : 1;
    }
    return j >= key.size() ? 0 : -1;
}

int CompareAt(std::string_view s, std::string_view pattern, int start, int n) {
    if (s.empty()) return pattern.empty() ? 0 : -1;
    if (start < 1 || n < 1 || pattern.empty()) return -2;
    const size_t count = std::min<size_t>(static_cast<size_t>(n), pattern.size());
    const size_t from = static_cast<size_t>(start) - 1;
    if (from > s.size() || count > s.size() - from) return -2;
    for (size_t i = 0; i < count; ++i) {
        int x = static_cast<uint8_t>(s[from + i]), y = static_cast<uint8_t>(pattern[i]);
        if (x != y) return x - y;
    }
    return 0;
}

int CompareText(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const uint8_t x = static_cast<uint8_t>(a[i]), y = static_cast<uint8_t>(b[j]);
        if (x < 0x80 && y < 0x80) {
            if (x != y) return x < y ? -1 : 1;
            ++i, ++j;
            continue;
        }
        const uint32_t wx = SortWeight(NextCodePoint(a, i));
        const uint32_t wy = SortWeight(NextCodePoint(b, j));
        if (wx != wy) return wx < wy ? -1 : 1;
    }
    if (i >= a.size() && j >= b.size()) return 0;
    return i >= a.size() ? -1 : 1;
}

bool IsNumber(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.')) return false;
    return true;
}

std::string TrimLeftSet(std::string_view text, std::string_view set) {
    size_t i = 0;
    while (i < text.size() && set.find(text[i]) != std::string_view::npos)
        ++i;
    return std::string(text.substr(i));
}

std::string Trim(std::string_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlankOrControl(text[begin]))
        ++begin;
    while (end > begin && IsBlankOrControl(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::string TrimRight(std::string_view text) {
    size_t end = text.size();
    while (end > 0 && IsBlankOrControl(text[end - 1]))
        --end;
    return std::string(text.substr(0, end));
}

void Split(std::string_view text, std::string_view separator, std::vector<std::string>& list,
           bool keepEmpty) {
    list.clear();
    if (separator.empty()) {
        if (!text.empty()) list.emplace_back(text);
        return;
    }
    for (;;) {
        size_t at = text.find(separator);
        if (at == std::string_view::npos) break;
        if (at > 0 || keepEmpty) list.emplace_back(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
    if (!text.empty()) list.emplace_back(text);
}

std::pair<std::string, std::string> SplitComma(std::string_view text) {
    size_t comma = text.find(',');
    if (comma == std::string_view::npos) return {std::string(text), std::string()};
    std::string_view rest = text.substr(comma + 1);
    return {Trim(text.substr(0, comma)), Trim(rest.substr(0, rest.find(',')))};
}

std::string FormatThousands(int64_t value) {
    std::string digits = std::to_string(value);
    size_t first = (digits[0] == '-') ? 1 : 0;
    for (size_t i = digits.size(); i > first + 3; i -= 3)
        digits.insert(i - 3, 1, ',');
    return digits;
}

std::string FlattenLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\n') continue;
        out += (c == '\r') ? ' ' : c;
    }
    return out;
}

std::string CrLfLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        out += "\r\n";
        const char pair = c == '\r' ? '\n' : '\r';
        if (i + 1 < text.size() && text[i + 1] == pair) ++i;
    }
    return out;
}

std::string ReplaceChar(std::string_view text, char from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == from)
            out += to;
        else
            out += c;
    }
    return out;
}

std::string RemoveSubstring(std::string_view text, std::string_view part) {
    std::string out(text);
    if (part.empty()) return out;
    for (size_t at = out.find(part); at != std::string::npos; at = out.find(part))
        out.erase(at, part.size());
    return out;
}

std::string SoundexCode(std::string_view text) {
    if (text.empty()) return {};
    // Digits of the letters A to Z; 0 for the vowels and H, W, Y.
    static constexpr char kDigits[] = "01230120022455012623010202";
    // Letters the code page holds count only when they are a to z; letters
    // beyond it count by their plain Latin letter (ł as l).
    auto letter = [](char32_t c) {
        if (c >= 0x80 && CodePointToWin1252(c) < 0) c = PlainLetter(c);
        return c < 0x80 ? static_cast<char32_t>(Chars().upper[c]) : c;
    };
    size_t at = 0;
    std::string code;
    AppendUtf8(code, letter(NextCodePoint(text, at)));
    code += "000";
    const size_t first = code.size() - 3;
    char previous = 0;  // the first letter's own digit is not remembered
    size_t next = first;
    while (at < text.size() && next < first + 3) {
        const char32_t c = letter(NextCodePoint(text, at));
        if (c < 'A' || c > 'Z') continue;
        const char digit = kDigits[c - 'A'];
        if (digit != previous && digit != '0') code[next++] = digit;
        previous = digit;
    }
    return code;
}

std::string FoldAccents(std::string_view text) {
    return MapCharacters(text, Chars().plain, PlainLetter);
}

bool ParseInt(std::string_view text, int32_t& value) {
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text[0] == '-') return false;
    }
    if (text.empty()) return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace vx
