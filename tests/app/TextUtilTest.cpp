#include <gtest/gtest.h>

#include "app/CharTables.h"
#include "app/TextUtil.h"
#include "app/Win1252.h"

namespace vx {
namespace {

// Texts below are written as Windows-1252 bytes, as the code page's letters
// read most plainly so; the core works on their UTF-8 form.
std::string W(const char* win1252) {
    return Win1252ToUtf8(win1252);
}

TEST(CharTablesTest, CaseMapsCoverWindows1252Letters) {
    EXPECT_EQ(UpperText(W("abc\xE9\xFF\x9A\x9C\x9Ez")), W("ABC\xC9\x9F\x8A\x8C\x8EZ"));
    EXPECT_EQ(LowerText(W("ABC\xC9\x9F\x8A\x8C\x8EZ")), W("abc\xE9\xFF\x9A\x9C\x9Ez"));
    // Sharp s, the micro sign and the multiplication and division signs have
    // no other case.
    EXPECT_EQ(UpperText(W("\xDF\xB5\xD7\xF7")), W("\xDF\xB5\xD7\xF7"));
    EXPECT_EQ(LowerText(W("\xD7\xF7")), W("\xD7\xF7"));
    EXPECT_EQ(ToggleCase('a'), 'A');
    EXPECT_EQ(ToggleCase('\xC0'), '\xE0');
    EXPECT_EQ(ToggleCase('5'), '5');
}

TEST(CharTablesTest, ClassesDoNotDependOnTheLocale) {
    EXPECT_TRUE(IsAlpha('\xE9'));
    EXPECT_TRUE(IsAlpha('\xDF'));
    EXPECT_FALSE(IsAlpha('\xD7'));
    EXPECT_FALSE(IsAlpha('1'));
    EXPECT_TRUE(IsDigit('7'));
    EXPECT_FALSE(IsDigit('\xB2'));  // superscript two is not a digit
    EXPECT_TRUE(IsSpace('\t'));
    EXPECT_TRUE(IsSpace('\xA0'));
    for (int c = 0; c < 256; ++c) {
        // Upper and lower maps are inverse on every letter pair.
        char ch = static_cast<char>(c);
        if (HasClass(ch, kUpper)) {
            EXPECT_EQ(ToUpper(ToLower(ch)), ch) << c;
        }
    }
}

TEST(TextUtilTest, SameTextIgnoresCaseAndReportsDifferences) {
    EXPECT_EQ(SameText("Smith", "SMITH"), 0);
    EXPECT_EQ(SameText(W("\xC9mile"), W("\xE9MILE")), 0);
    EXPECT_EQ(SameText("abc", "abcd"), -1);
    EXPECT_EQ(SameText("abd", "ABC"), 1);
    EXPECT_EQ(SameText("", ""), 0);
}

TEST(TextUtilTest, CompareAtBoundaries) {
    EXPECT_EQ(CompareAt("Hello world", "world", 7, 5), 0);
    EXPECT_EQ(CompareAt("Hello world", "wore", 7, 3), 0);  // only n bytes count
    EXPECT_EQ(CompareAt("Hello world", "World", 7, 5), 'w' - 'W');
    EXPECT_EQ(CompareAt("Hello", "lo", 4, 2), 0);
    EXPECT_EQ(CompareAt("Hello", "lo!", 4, 3), -2);  // range does not fit
    EXPECT_EQ(CompareAt("Hello", "H", 0, 1), -2);
    EXPECT_EQ(CompareAt("Hello", "H", 1, 0), -2);
    EXPECT_EQ(CompareAt("Hello", "", 1, 1), -2);
    EXPECT_EQ(CompareAt("", "", 1, 1), 0);
    EXPECT_EQ(CompareAt("", "x", 1, 1), -1);
    EXPECT_EQ(CompareAt("Hello", "o", 6, 1), -2);
    EXPECT_EQ(CompareAt("\xE9", "a", 1, 1), 0xE9 - 'a');
}

TEST(TextUtilTest, CompareTextFollowsTheCodePageWithPrefixFirst) {
    EXPECT_EQ(CompareText("abc", "abc"), 0);
    EXPECT_EQ(CompareText("ab", "abc"), -1);
    EXPECT_EQ(CompareText("abc", "ab"), 1);
    EXPECT_EQ(CompareText(W("\xE9"), "z"), 1);
    EXPECT_EQ(CompareText("Z", "a"), -1);
}

TEST(TextUtilTest, IsNumberAndParseInt) {
    EXPECT_TRUE(IsNumber("1850"));
    EXPECT_TRUE(IsNumber("-1.5"));
    EXPECT_TRUE(IsNumber("+"));
    EXPECT_FALSE(IsNumber(""));
    EXPECT_FALSE(IsNumber("12a"));
    EXPECT_FALSE(IsNumber("1 2"));

    int32_t v = 0;
    EXPECT_TRUE(ParseInt("32", v));
    EXPECT_EQ(v, 32);
    EXPECT_TRUE(ParseInt("-7", v));
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(ParseInt("+7", v));
    EXPECT_FALSE(ParseInt("12abc", v));
    EXPECT_FALSE(ParseInt("", v));
    EXPECT_FALSE(ParseInt(" 1", v));
    EXPECT_FALSE(ParseInt("+-1", v));
    EXPECT_TRUE(ParseInt("2147483647", v));
    EXPECT_FALSE(ParseInt("2147483648", v));
}

TEST(TextUtilTest, TrimmingHelpers) {
    EXPECT_EQ(TrimLeftSet("0012300", "0"), "12300");
    EXPECT_EQ(TrimLeftSet("  ,x", ", "), "x");
    EXPECT_EQ(TrimLeftSet("aaa", "a"), "");
    EXPECT_EQ(Trim("  a b\t\r\n"), "a b");
    EXPECT_EQ(TrimRight("  a  "), "  a");
}

TEST(TextUtilTest, SplitKeepsOrDropsEmptyParts) {
    std::vector<std::string> parts{"stale"};
    Split("a,,b,", ",", parts, false);
    EXPECT_EQ(parts, (std::vector<std::string>{"a", "b"}));
    Split("a,,b,", ",", parts, true);
    EXPECT_EQ(parts, (std::vector<std::string>{"a", "", "b"}));  // empty remainder never added
    Split("one<>two<>three", "<>", parts, false);
    EXPECT_EQ(parts, (std::vector<std::string>{"one", "two", "three"}));
    Split("", ",", parts, true);
    EXPECT_TRUE(parts.empty());
}

TEST(TextUtilTest, SplitCommaTakesTwoTrimmedParts) {
    EXPECT_EQ(SplitComma("  no comma "), std::make_pair(std::string("  no comma "), std::string()));
    EXPECT_EQ(SplitComma(" Smith , John , Jr"),
              std::make_pair(std::string("Smith"), std::string("John")));
    EXPECT_EQ(SplitComma("Smith,"), std::make_pair(std::string("Smith"), std::string()));
    EXPECT_EQ(SplitComma(",x"), std::make_pair(std::string(), std::string("x")));
}

TEST(TextUtilTest, ThousandsSeparators) {
    EXPECT_EQ(FormatThousands(0), "0");
    EXPECT_EQ(FormatThousands(999), "999");
    EXPECT_EQ(FormatThousands(1000), "1,000");
    EXPECT_EQ(FormatThousands(1234567), "1,234,567");
    EXPECT_EQ(FormatThousands(-1234567), "-1,234,567");
    EXPECT_EQ(FormatThousands(-100), "-100");
}

TEST(TextUtilTest, LineBreaksReplacementAndRemoval) {
    EXPECT_EQ(FlattenLineBreaks("a\r\nb\nc\rd"), "a bc d");
    EXPECT_EQ(ReplaceChar("a/b/c", '/', " - "), "a - b - c");
    EXPECT_EQ(ReplaceChar("a/b", '/', ""), "ab");
    EXPECT_EQ(RemoveSubstring("aabbx", "ab"), "x");  // removal repeats until none is left
    EXPECT_EQ(RemoveSubstring("abc", ""), "abc");
}

TEST(TextUtilTest, SoundexCodes) {
    struct Case {
        std::string name;
        std::string code;
    };
    for (const Case& c : {Case{"Smith", "S530"},
                          {"Pfister", "P123"},
                          {"Ashcraft", "A226"},
                          {"Lee", "L000"},
                          {"O'Brien", "O165"},
                          {"'Brien", "'165"},
                          {"smith", "S530"},
                          {"", ""},
                          {"Tymczak", "T522"},
                          {W("\xC9mile"), W("\xC9"
                                            "540")},
                          {"Jackson", "J250"}}) {
        EXPECT_EQ(SoundexCode(c.name), c.code) << c.name;
    }
}

TEST(TextUtilTest, AccentFoldingThenUpperCase) {
    EXPECT_EQ(UpperText(FoldAccents(W("\xC5lund"))), "ALUND");
    EXPECT_EQ(UpperText(FoldAccents(W("\xE9mile"))), "EMILE");
    EXPECT_EQ(FoldAccents(W("\xDF\xFF\xAF\xD7\xF0\xDE")),
              W("Byy\xD7\xF0\xDE"));  // others unchanged
    EXPECT_EQ(FoldAccents(W("\xD8\xF8\xD1\xF1")), "OoNn");
}

TEST(TextUtilTest, BitFlags) {
    uint8_t flags = 0;
    SetBit(flags, 0);
    SetBit(flags, 7);
    EXPECT_EQ(flags, 0x81);
    EXPECT_TRUE(TestBit(flags, 7));
    EXPECT_FALSE(TestBit(flags, 3));
    ClearBit(flags, 0);
    EXPECT_EQ(flags, 0x80);
}

}  // namespace
}  // namespace vx
