#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/CharTables.h"
#include "app/TextUtil.h"
#include "app/Unicode.h"
#include "app/Win1252.h"

namespace vx {
namespace {

std::string Byte(int b) {
    return Win1252ToUtf8(std::string(1, static_cast<char>(b)));
}

int Sign(int value) {
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

TEST(UnicodeTest, DecodingConsumesEveryByteOnce) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<char32_t> expected;
    };
    const Case cases[] = {
        {"ascii and two-byte", "a\xC5\x82", {U'a', 0x142}},
        {"four bytes", "\xF0\x9F\x98\x80", {0x1F600}},
        {"lone continuation", "\x80z", {kReplacementCharacter, U'z'}},
        {"cut before a letter", "\xE2\x82z", {kReplacementCharacter, U'z'}},
        {"cut at the end", "ab\xE2\x82", {U'a', U'b', kReplacementCharacter}},
        {"overlong NUL", "\xC0\x80", {kReplacementCharacter, kReplacementCharacter}},
        {"surrogate", "\xED\xA0\x80", {kReplacementCharacter}},
        {"past U+10FFFF", "\xF4\x90\x80\x80", {kReplacementCharacter}},
        {"invalid lead", "\xFF!", {kReplacementCharacter, U'!'}},
    };
    for (const Case& c : cases) {
        std::vector<char32_t> got;
        for (size_t at = 0; at < c.text.size();)
            got.push_back(NextCodePoint(c.text, at));
        EXPECT_EQ(got, c.expected) << c.name;
    }
    EXPECT_TRUE(IsValidUtf8("Zieli\xC5\x84ski \xEF\xBF\xBD"));
    EXPECT_FALSE(IsValidUtf8("Zieli\xF1ski"));
    EXPECT_EQ(ValidUtf8("Zieli\xF1ski"), "Zieli\xEF\xBF\xBDski");
}

TEST(UnicodeTest, CutsNeverSplitACharacter) {
    const std::string greek = "\xCE\x91\xCE\xB8\xCE\xB7\xCE\xBD\xCE\xAC";  // five letters
    EXPECT_EQ(CharCount(greek), 5u);
    EXPECT_EQ(LeftChars(greek, 2), "\xCE\x91\xCE\xB8");
    EXPECT_EQ(LeftChars(greek, 9), greek);
    EXPECT_EQ(LeftBytes(greek, 5), "\xCE\x91\xCE\xB8");
    EXPECT_EQ(LeftBytes("ab\xE4\xB8\xAD", 4), "ab");
}

TEST(UnicodeTest, Utf16InEitherOrderWithOrWithoutMark) {
    const std::string little(
        "\xFF\xFE"
        "0\0 \0\x16\x04\x3D\xD8\x00\xDE",
        12);
    const std::string big(
        "\x00"
        "0\x00 \x04\x16\xD8\x3D\xDE\x00",
        10);
    const std::string expected = "0 \xD0\x96\xF0\x9F\x98\x80";  // Zhe and an emoji
    EXPECT_EQ(DetectUtf16(little), Utf16Order::LittleEndian);
    EXPECT_EQ(DetectUtf16(big), Utf16Order::BigEndian);
    EXPECT_EQ(DetectUtf16(little.substr(2)), Utf16Order::LittleEndian);
    EXPECT_EQ(DetectUtf16("0 HEAD"), Utf16Order::None);
    EXPECT_EQ(Utf16ToUtf8(little, true), expected);
    EXPECT_EQ(Utf16ToUtf8(little.substr(2), true), expected);
    EXPECT_EQ(Utf16ToUtf8(big, false), expected);
    // A lone surrogate and an odd last byte are marked, not dropped.
    EXPECT_EQ(Utf16ToUtf8(std::string("a\0\x00\xD8"
                                      "b\0c",
                                      7),
                          true),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD");
}

TEST(UnicodeTest, TextsTheCodePageHoldsBehaveAsTheCodePageDoes) {
    for (int a = 1; a < 256; ++a) {
        const std::string x = Byte(a);
        ASSERT_EQ(UpperText(x), Byte(Chars().upper[a])) << a;
        ASSERT_EQ(LowerText(x), Byte(Chars().lower[a])) << a;
        ASSERT_EQ(FoldAccents(x), Byte(Chars().plain[a])) << a;
        for (int b = 1; b < 256; ++b)
            ASSERT_EQ(CompareText(x, Byte(b)), Sign(a - b)) << a << " " << b;
    }
}

TEST(UnicodeTest, CaseAndAccentsBeyondTheCodePage) {
    // Polish, Greek, Cyrillic and Vietnamese letters.
    EXPECT_EQ(UpperText("zieli\xC5\x84ski \xC5\x82"), "ZIELI\xC5\x83SKI \xC5\x81");
    EXPECT_EQ(UpperText("\xCE\xB1\xCE\xB8\xCE\xB7\xCE\xBD\xCE\xAC"),
              "\xCE\x91\xCE\x98\xCE\x97\xCE\x9D\xCE\x86");
    EXPECT_EQ(LowerText("\xD0\x98\xD0\x92\xD0\x90\xD0\x9D"), "\xD0\xB8\xD0\xB2\xD0\xB0\xD0\xBD");
    EXPECT_EQ(SameText("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD", "\xD0\x98\xD0\x92\xD0\x90\xD0\x9D"), 0);
    EXPECT_NE(SameText("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD", "Ivan"), 0);
    EXPECT_EQ(FoldAccents("\xC5\x81\xC3\xB3\xC4\x91\xC5\xBA \xC5\x91 \xC5\x9F \xE1\xBB\x87"),
              "Lodz o s e");
    // Characters without case or plain letter stay as they are.
    EXPECT_EQ(UpperText("\xE5\xBC\xA0\xD7\xA9"), "\xE5\xBC\xA0\xD7\xA9");
    EXPECT_EQ(FoldAccents("\xCE\xAC"), "\xCE\xAC");
    // The micro sign keeps its code-page meaning (no upper case) rather than
    // becoming a Greek capital.
    EXPECT_EQ(UpperText("\xC2\xB5"), "\xC2\xB5");
}

TEST(UnicodeTest, OtherScriptsSortAfterLatinByCodePoint) {
    std::vector<std::string> names = {
        "\xE5\xBC\xA0",              // Chinese Zhang
        "\xD7\xA9\xD7\xA8\xD7\x94",  // Hebrew Sarah
        "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD",
        "\xCE\x91\xCE\xB8\xCE\xB7\xCE\xBD\xCE\xAC",
        "Zieli\xC5\x84ski",
        "Zielinski",
        "\xC3\x85lund",  // the code page's own letters keep their byte order
        "\xC5\x81ukasz",
        "Adams",
    };
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    const std::vector<std::string> expected = {
        "Adams",
        "Zielinski",
        "Zieli\xC5\x84ski",
        "\xC3\x85lund",
        "\xC5\x81ukasz",
        "\xCE\x91\xCE\xB8\xCE\xB7\xCE\xBD\xCE\xAC",
        "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD",
        "\xD7\xA9\xD7\xA8\xD7\x94",
        "\xE5\xBC\xA0",
    };
    EXPECT_EQ(names, expected);
    EXPECT_EQ(ComparePrefixIgnoringCase("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD", "\xD0\xB8\xD0\xB2"), 0);
    EXPECT_LT(ComparePrefixIgnoringCase("Iv", "Ivan"), 0);
}

TEST(UnicodeTest, SoundexFoldsLettersBeyondTheCodePageOnly) {
    EXPECT_EQ(SoundexCode("\xC5\x81ukasiewicz"), SoundexCode("Lukasiewicz"));
    EXPECT_EQ(SoundexCode("Zieli\xC5\x84ski"), SoundexCode("Zielinski"));
    // Accented letters of the code page are skipped as they always were.
    EXPECT_EQ(SoundexCode("M\xC3\xBCller"), "M460");
    EXPECT_EQ(SoundexCode("\xC3\x89mile"),
              "\xC3\x89"
              "540");
    // Other scripts have no Soundex letters: the first character and zeros.
    EXPECT_EQ(SoundexCode("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD"),
              "\xD0\x98"
              "000");
}

}  // namespace
}  // namespace vx
