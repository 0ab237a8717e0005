#include <gtest/gtest.h>

#include "gedcom/CharConvert.h"

namespace vx {
namespace {

TEST(CharConvertTest, EveryAnselSignHasItsUnicodeCharacter) {
    struct Case {
        unsigned char ansel;
        const char* utf8;
    };
    const Case cases[] = {
        {0xA1, "Ł"}, {0xA2, "Ø"}, {0xA3, "Đ"}, {0xA4, "Þ"}, {0xA5, "Æ"}, {0xA6, "Œ"}, {0xA7, "ʹ"},
        {0xA8, "·"}, {0xA9, "♭"}, {0xAA, "®"}, {0xAB, "±"}, {0xAC, "Ơ"}, {0xAD, "Ư"}, {0xAE, "ʼ"},
        {0xB0, "ʻ"}, {0xB1, "ł"}, {0xB2, "ø"}, {0xB3, "đ"}, {0xB4, "þ"}, {0xB5, "æ"}, {0xB6, "œ"},
        {0xB7, "ʺ"}, {0xB8, "ı"}, {0xB9, "£"}, {0xBA, "ð"}, {0xBC, "ơ"}, {0xBD, "ư"}, {0xBE, "□"},
        {0xBF, "■"}, {0xC0, "°"}, {0xC1, "ℓ"}, {0xC2, "℗"}, {0xC3, "©"}, {0xC4, "♯"}, {0xC5, "¿"},
        {0xC6, "¡"}, {0xC7, "ß"}, {0xC8, "€"}, {0xCD, "e"}, {0xCE, "o"}, {0xCF, "ß"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AnselToUtf8(std::string(1, static_cast<char>(c.ansel))), c.utf8)
            << std::hex << int(c.ansel);
    // Names that used to lose their letters.
    EXPECT_EQ(AnselToUtf8("\xA1ukasz Stanis\xB1"
                          "aw Sigr\xE2i\xBAur"),
              "Łukasz Stanisław Sigríður");
}

TEST(CharConvertTest, CombiningMarksComposeWithTheFollowingLetter) {
    struct Case {
        unsigned char mark;
        char letter;
        const char* utf8;
    };
    const Case cases[] = {
        {0xE0, 'a', "ả"},       {0xE1, 'e', "è"},       {0xE2, 'e', "é"},
        {0xE3, 'o', "ô"},       {0xE4, 'n', "ñ"},       {0xE5, 'a', "ā"},
        {0xE6, 'g', "ğ"},       {0xE7, 'z', "ż"},       {0xE8, 'u', "ü"},
        {0xE9, 's', "š"},       {0xEA, 'a', "å"},       {0xEB, 't', "t\uFE20"},
        {0xEC, 's', "s\uFE21"}, {0xED, 'x', "x\u0315"}, {0xEE, 'o', "ő"},
        {0xEF, 'a', "a\u0310"}, {0xF0, 'c', "ç"},       {0xF1, 'a', "ą"},
        {0xF2, 's', "ṣ"},       {0xF3, 'u', "ṳ"},       {0xF4, 'a', "ḁ"},
        {0xF5, 'a', "a\u0333"}, {0xF6, 'a', "a\u0332"}, {0xF7, 's', "ș"},
        {0xF8, 'a', "a\u031C"}, {0xF9, 'h', "ḫ"},       {0xFA, 't', "t\uFE22"},
        {0xFB, 's', "s\uFE23"}, {0xFE, 'a', "a\u0313"},
    };
    for (const Case& c : cases) {
        const std::string ansel{static_cast<char>(c.mark), c.letter};
        EXPECT_EQ(AnselToUtf8(ansel), c.utf8) << std::hex << int(c.mark);
    }
    // Ligature halves sit on both letters of a pair; 0xEB above uses U+FE20.
    EXPECT_EQ(AnselToUtf8("\xEBts\xECs"), "t\uFE20ss\uFE21");
    // A letter Unicode has no precomposed form for keeps it as a combining
    // mark, and nothing is lost.
    EXPECT_EQ(AnselToUtf8("\xE2x\xE8q"), "x\u0301q\u0308");
    // Two marks compose in turn while Unicode has the result, then follow.
    EXPECT_EQ(AnselToUtf8("\xE8\xE5u"), "ǖ");
    EXPECT_EQ(AnselToUtf8("\xE8\xE9\xE5u"), "ǚ\u0304");
    // A mark at the very end has no letter to sit on and stays alone.
    EXPECT_EQ(AnselToUtf8("abc\xE1"), "abc\u0300");
    // Bytes ANSEL leaves undefined read as Windows-1252, at either end of
    // the code table.
    EXPECT_EQ(AnselToUtf8("\x80\xAF\xFC\xFF"), "€¯üÿ");
}

TEST(CharConvertTest, EachCharacterSetBecomesUtf8) {
    EXPECT_EQ(ConvertCharSet("Fran\xE7ois \x80", kCharSetNone), "François €");
    EXPECT_EQ(ConvertCharSet("Fran\xF0"
                             "cois",
                             kCharSetAnsel),
              "François");
    EXPECT_EQ(ConvertCharSet("Zieli\xC5\x84ski", kCharSetUtf8), "Zieliński");
    // Malformed UTF-8 is marked with U+FFFD, never dropped.
    EXPECT_EQ(ConvertCharSet("Zieli\xF1ski \xC3", kCharSetUtf8), "Zieli\uFFFDski \uFFFD");
    EXPECT_EQ(ConvertCharSet("plain", kCharSetAnsel), "plain");
}

}  // namespace
}  // namespace vx
