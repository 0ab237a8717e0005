// The JSON the browser build hands its page: strings must always be valid
// JSON carrying valid UTF-8 (the page's JSON.parse would otherwise fail and
// leave a blank page), whatever bytes a damaged GEDCOM file holds.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <regex>
#include <string>

#include "web/Json.h"

namespace vx::web {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Whether the bytes are well-formed UTF-8 (shortest forms, no surrogates),
// checked by decoding code points independently of the code under test.
bool IsValidUtf8(const std::string& text) {
    static constexpr uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80   ? 0
                          : lead < 0xC0 ? -1
                          : lead < 0xE0 ? 1
                          : lead < 0xF0 ? 2
                                        : 3;
        if (extra < 0 || i + static_cast<size_t>(extra) >= text.size()) return false;
        uint32_t code = extra == 0 ? lead : lead & (0x3Fu >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            if ((next & 0xC0) != 0x80) return false;
            code = code << 6 | (next & 0x3Fu);
        }
        if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += static_cast<size_t>(extra) + 1;
    }
    return true;
}

// Reads one JSON string literal the way a strict JSON parser does, and
// returns its text as UTF-8; nothing when the literal is not valid JSON.
std::optional<std::string> DecodeJsonString(const std::string& json) {
    if (json.size() < 2 || json.front() != '"' || json.back() != '"') return std::nullopt;
    if (!IsValidUtf8(json)) return std::nullopt;
    std::string out;
    for (size_t i = 1; i + 1 < json.size(); ++i) {
        const char c = json[i];
        if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
        if (c == '"') return std::nullopt;  // ends the string early
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i + 1 >= json.size()) return std::nullopt;
        switch (json[i]) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                if (i + 5 >= json.size()) return std::nullopt;
                const std::string hex = json.substr(i + 1, 4);
                if (hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                    return std::nullopt;
                const auto code = static_cast<uint32_t>(std::strtoul(hex.c_str(), nullptr, 16));
                // A lone surrogate is not text the page could show.
                if (code >= 0xD800 && code <= 0xDFFF) return std::nullopt;
                AppendUtf8(out, code);
                i += 4;
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return out;
}

TEST(JsonString, EveryControlCharacterIsEscapedAndReadsBack) {
    for (int c = 0; c < 0x20; ++c) {
        const std::string text = std::string("a") + static_cast<char>(c) + "b";
        const std::string json = JsonString(text);
        for (const char byte : json)
            EXPECT_GE(static_cast<unsigned char>(byte), 0x20) << "control " << c << " left raw";
        EXPECT_EQ(DecodeJsonString(json), text) << "control " << c;
    }
    // The usual short forms where JSON has them.
    EXPECT_EQ(JsonString("\n\r\t"), R"("\n\r\t")");
    EXPECT_EQ(JsonString(std::string("\0", 1)), R"("\u0000")");
    EXPECT_EQ(JsonString("\x1f"), R"("\u001f")");
}

TEST(JsonString, QuotesAndBackslashesAreEscaped) {
    EXPECT_EQ(JsonString(R"(say "hi" \ bye)"), R"("say \"hi\" \\ bye")");
    EXPECT_EQ(JsonString(R"(\")"), R"("\\\"")");
    EXPECT_EQ(JsonString(""), R"("")");
    // Characters JSON takes as they are stay unescaped: slash, DEL, and the
    // line separators that JSON.parse reads as plain text.
    const std::string plain = "a/b\x7F\u2028\u2029";
    EXPECT_EQ(JsonString(plain), "\"" + plain + "\"");
}

TEST(JsonString, ValidUtf8OfEveryLengthIsKeptAsWritten) {
    // Two, three and four byte forms, the first and last of each, in names
    // of several scripts.
    const std::string text =
        "Zo\u00eb \u00c5ngstr\u00f6m \u0080\u07ff \u0800\uffff "
        "\u674e \u05e2\u05d1\u05e8\u05d9\u05ea \U00010000\U0010ffff \U0001f600";
    const std::string json = JsonString(text);
    EXPECT_EQ(json, "\"" + text + "\"");
    EXPECT_EQ(DecodeJsonString(json), text);
}

TEST(JsonString, InvalidUtf8BecomesReplacementCharactersAndStaysValidJson) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string expected;  // empty: only validity is checked
    };
    const Case cases[] = {
        {"lone continuation", "a\x80z", "a" + kReplacement + "z"},
        {"two-byte lead at the end", "a\xC3", "a" + kReplacement},
        {"two-byte lead before a quote", "a\xC3\"z", "a" + kReplacement + "\"z"},
        {"two-byte lead before a backslash", "\xC3\\", kReplacement + "\\"},
        {"four-byte lead cut before a control", "\xF0\x9F\x98\n", ""},
        {"overlong slash", "\xC0\xAF", kReplacement + kReplacement},
        {"overlong three-byte", "\xE0\x80\xAF", ""},
        {"overlong four-byte", "\xF0\x80\x80\xAF", ""},
        {"surrogate", "\xED\xA0\x80", ""},
        {"above U+10FFFF", "\xF4\x90\x80\x80", ""},
        {"lead F5", "\xF5\x80\x80\x80", ""},
        {"byte FF", "x\xFFy", "x" + kReplacement + "y"},
        {"Windows-1252 text", "Jos\xE9 M\xFCller",
         "Jos" + kReplacement + " M" + kReplacement + "ller"},
    };
    for (const Case& c : cases) {
        const std::string json = JsonString(c.bytes);
        const auto decoded = DecodeJsonString(json);
        ASSERT_TRUE(decoded.has_value()) << c.what << ": not valid JSON: " << json;
        EXPECT_NE(decoded->find(kReplacement), std::string::npos) << c.what;
        if (!c.expected.empty()) {
            EXPECT_EQ(*decoded, c.expected) << c.what;
        }
    }
    // Every single byte, alone and between letters, gives valid JSON.
    for (int b = 0; b < 0x100; ++b) {
        const std::string text = std::string("a") + static_cast<char>(b) + "b";
        EXPECT_TRUE(DecodeJsonString(JsonString(text)).has_value()) << "byte " << b;
    }
}

TEST(JsonWriter, NestsObjectsAndArraysWithCommasOnlyBetweenItems) {
    JsonWriter json;
    json.BeginObject()
        .Key("a")
        .BeginArray()
        .Int(1)
        .BeginObject()
        .Field("b", true)
        .EndObject()
        .BeginArray()
        .EndArray()
        .String("x")
        .EndArray()
        .Key("c")
        .BeginObject()
        .EndObject()
        .Key("d")
        .Null()
        .Field("e", "text")
        .Field("f", false)
        .EndObject();
    EXPECT_EQ(json.Take(), R"({"a":[1,{"b":true},[],"x"],"c":{},"d":null,"e":"text","f":false})");

    // Take leaves the writer empty: the next answer starts afresh.
    json.BeginArray().String("once").EndArray();
    EXPECT_EQ(json.Take(), R"(["once"])");
    EXPECT_EQ(json.Take(), "");
}

TEST(JsonWriter, KeysAreEscapedLikeValues) {
    JsonWriter json;
    json.BeginObject().Field("quote\"key\n", std::string("\xC3")).EndObject();
    EXPECT_EQ(json.Take(), "{\"quote\\\"key\\n\":\"" + kReplacement + "\"}");
}

TEST(JsonWriter, IntegersKeepEveryDigit) {
    JsonWriter json;
    json.BeginArray()
        .Int(0)
        .Int(-1)
        .Int(std::numeric_limits<int64_t>::min())
        .Int(std::numeric_limits<int64_t>::max())
        .EndArray();
    EXPECT_EQ(json.Take(), "[0,-1,-9223372036854775808,9223372036854775807]");
}

TEST(JsonWriter, NumbersAreJsonNumbersThatReadBackExactly) {
    // JSON's number grammar: no leading '+', no bare '.', no "inf" or "nan".
    const std::regex number(R"(-?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][-+]?[0-9]+)?)");
    const double values[] = {0.0,     0.1,      -2.5,        1.0 / 3.0,      1e300,
                             -1e-300, 4.9e-324, 123456789.0, 1712345678901.0};
    for (const double value : values) {
        JsonWriter json;
        json.Number(value);
        const std::string text = json.Take();
        EXPECT_TRUE(std::regex_match(text, number)) << text;
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
    }
    // JSON has no infinities or NaN: the page receives null.
    JsonWriter json;
    json.BeginArray()
        .Number(std::numeric_limits<double>::infinity())
        .Number(-std::numeric_limits<double>::infinity())
        .Number(std::nan(""))
        .EndArray();
    EXPECT_EQ(json.Take(), "[null,null,null]");
}

}  // namespace
}  // namespace vx::web
