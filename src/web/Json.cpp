#include "web/Json.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace vx::web {
namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// Length of the UTF-8 sequence starting at text[i], or 0 when the bytes
// there are not a valid (shortest-form) sequence.
size_t Utf8Length(std::string_view text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = 0;
    uint32_t code = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0u) != 0x80u) return 0;
        code = (code << 6) | (byte(i + k) & 0x3Fu);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return overlong || surrogate || code > 0x10FFFF ? 0 : length;
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        const size_t length = Utf8Length(text, i);
        if (length == 0) {
            out += kReplacement;
            ++i;
            continue;
        }
        if (length > 1) {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x",
                                  static_cast<unsigned>(static_cast<unsigned char>(c)));
                    out += escaped;
                } else {
                    out += c;
                }
        }
        ++i;
    }
    out += '"';
    return out;
}

void JsonWriter::BeforeItem() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (filled_.empty()) return;
    if (filled_.back()) out_ += ',';
    filled_.back() = true;
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeItem();
    out_ += '{';
    filled_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    out_ += '}';
    filled_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeItem();
    out_ += '[';
    filled_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    out_ += ']';
    filled_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    BeforeItem();
    out_ += JsonString(key);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view text) {
    BeforeItem();
    out_ += JsonString(text);
    return *this;
}

JsonWriter& JsonWriter::Int(int64_t value) {
    BeforeItem();
    out_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Number(double value) {
    BeforeItem();
    // JSON has no infinities or NaN.
    if (!std::isfinite(value)) {
        out_ += "null";
        return *this;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    out_ += text;
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeItem();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeItem();
    out_ += "null";
    return *this;
}

std::string JsonWriter::Take() {
    filled_.clear();
    afterKey_ = false;
    return std::exchange(out_, std::string());
}

}  // namespace vx::web
