#include "columns/SortKey.h"

#include <cstdint>

#include "app/Unicode.h"
#include "app/Win1252.h"

namespace vx {
namespace {

constexpr uint8_t kEscape = 0xFF;
constexpr uint32_t kBeyondCodePage = 0x100;  // SortWeight of code point 0
// Codes up to this take the three-byte form; later ones (U+FFFF and the
// supplementary planes) six bytes, behind three escapes.
constexpr char32_t kLastShortCode = 0xFFFE;

void AppendKey(std::string& key, char32_t c) {
    const uint32_t weight = SortWeight(c);
    if (weight < kEscape) {
        key += static_cast<char>(weight);
        return;
    }
    key += static_cast<char>(kEscape);
    if (weight == kEscape) {  // y with diaeresis, before every character beyond
        key += '\0';
        key += '\0';
        return;
    }
    const char32_t code = weight - kBeyondCodePage;
    if (code > kLastShortCode) {  // escape, two more escapes, three bytes of code
        key += static_cast<char>(kEscape);
        key += static_cast<char>(kEscape);
        key += static_cast<char>(code >> 16);
    }
    key += static_cast<char>((code >> 8) & 0xFF);
    key += static_cast<char>(code & 0xFF);
}

}  // namespace

std::string SortKey(std::string_view text, size_t maxBytes) {
    // ASCII is its own key: the common case costs one scan.
    size_t ascii = 0;
    while (ascii < text.size() && ascii < maxBytes && static_cast<uint8_t>(text[ascii]) < 0x80)
        ++ascii;
    if (ascii == text.size() || ascii == maxBytes) return std::string(text.substr(0, ascii));
    std::string key;
    for (size_t at = 0; at < text.size();) {
        const size_t before = key.size();
        AppendKey(key, NextCodePoint(text, at));
        if (key.size() > maxBytes) {
            key.resize(before);
            break;
        }
    }
    return key;
}

std::string SortKeyText(std::string_view key) {
    std::string text;
    const auto byte = [&key](size_t i) { return static_cast<uint8_t>(key[i]); };
    for (size_t i = 0; i < key.size();) {
        if (byte(i) != kEscape) {
            AppendUtf8(text, Win1252ToCodePoint(byte(i++)));
        } else if (i + 2 >= key.size()) {
            break;
        } else if (byte(i + 1) == 0 && byte(i + 2) == 0) {
            AppendUtf8(text, Win1252ToCodePoint(kEscape));
            i += 3;
        } else if (byte(i + 1) == kEscape && byte(i + 2) == kEscape) {
            if (i + 5 >= key.size()) break;
            AppendUtf8(text,
                       static_cast<char32_t>(byte(i + 3) << 16 | byte(i + 4) << 8 | byte(i + 5)));
            i += 6;
        } else {
            AppendUtf8(text, static_cast<char32_t>(byte(i + 1) << 8 | byte(i + 2)));
            i += 3;
        }
    }
    return text;
}

}  // namespace vx
