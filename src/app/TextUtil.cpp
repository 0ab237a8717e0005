#include "app/TextUtil.h"

#include <array>
#include <charconv>

#include "app/CharTables.h"

namespace vx {
namespace {

std::string MapBytes(std::string_view text, const std::array<uint8_t, 256>& map) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(map[static_cast<uint8_t>(c)]);
    return out;
}

bool IsBlankOrControl(char c) {
    return static_cast<uint8_t>(c) <= ' ';
}

}  // namespace

std::string UpperText(std::string_view text) {
    return MapBytes(text, Chars().upper);
}
std::string LowerText(std::string_view text) {
    return MapBytes(text, Chars().lower);
}

int SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return static_cast<int>(a.size()) - static_cast<int>(b.size());
    const auto& lower = Chars().lower;
    for (size_t i = 0; i < a.size(); ++i) {
        int x = lower[static_cast<uint8_t>(a[i])], y = lower[static_cast<uint8_t>(b[i])];
        if (x != y) return x - y;
    }
    return 0;
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

int CompareBytes(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        uint8_t x = static_cast<uint8_t>(a[i]), y = static_cast<uint8_t>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
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
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
    std::string code = std::string(1, upper(text[0])) + "000";
    char previous = 0;  // the first letter's own digit is not remembered
    size_t next = 1;
    for (size_t i = 1; i < text.size() && next < 4; ++i) {
        const char c = upper(text[i]);
        if (c < 'A' || c > 'Z') continue;
        const char digit = kDigits[c - 'A'];
        if (digit != previous && digit != '0') code[next++] = digit;
        previous = digit;
    }
    return code;
}

namespace {

constexpr std::array<uint8_t, 256> BuildAccentFolding() {
    std::array<uint8_t, 256> map{};
    for (int c = 0; c < 256; ++c)
        map[c] = static_cast<uint8_t>(c);
    auto range = [&map](int from, int to, char plain) {
        for (int c = from; c <= to; ++c)
            map[c] = static_cast<uint8_t>(plain);
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
    range(0xAF, 0xAF, 'y');  // the macron sign
    return map;
}
constexpr std::array<uint8_t, 256> kAccentFolding = BuildAccentFolding();

}  // namespace

std::string FoldAccents(std::string_view text) {
    return MapBytes(text, kAccentFolding);
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
