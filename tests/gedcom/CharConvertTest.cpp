#include <gtest/gtest.h>

#include "gedcom/CharConvert.h"

namespace vx {
namespace {

TEST(CharConvertTest, AnselSpecialLettersAndCombiningMarks) {
    struct Case {
        const char* name;
        std::string ansel;
        std::string ansi;
    };
    const Case cases[] = {
        {"plain text", "Smith, John", "Smith, John"},
        {"acute e",
         "\xE2"
         "e",
         "\xE9"},
        {"acute on unknown letter keeps the mark", "\xE2x", "\xE2"},
        {"cedilla default", "\xF0s", "\xC7"},
        {"cedilla c",
         "\xF0"
         "c",
         "\xE7"},
        {"caron s and default", "\xE6s\xE6Z", "\x9A\x8A"},
        {"ring",
         "\xEA"
         "a\xEA"
         "A",
         "\xE5\xC5"},
        {"umlaut on dotless i", "\xE8\xB8", "\xEF"},
        {"umlaut y", "\xE8y\xE8Y", "\xFF\x9F"},
        {"tilde n",
         "Espa\xE4n"
         "a",
         "Espa\xF1"
         "a"},
        {"mark at the end stays", "abc\xE1", "abc\xE1"},
        {"singles", "\xA2\xA5\xA6\xB5\xB6\xC3\xCF\xB9", "\xD8\xC6\x8C\xE6\x9C\xA9\xDF\xA3"},
        {"unlisted high bytes pass", "\xA7\xE5\xFF", "\xA7\xE5\xFF"},
        {"bytes below A2 pass", "\x80\xA1", "\x80\xA1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AnselToAnsi(c.ansel), c.ansi) << c.name;
}

TEST(CharConvertTest, LenientUtf8) {
    EXPECT_EQ(Utf8ToAnsi("Fran\xC3\xA7ois"), "Fran\xE7ois");
    EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xAC 5"), "\x80 5");  // euro sign
    EXPECT_EQ(Utf8ToAnsi("\xD0\x96"), "?");             // Cyrillic
    EXPECT_EQ(Utf8ToAnsi("\xF0\x9F\x98\x80x"), "?x");   // beyond U+FFFF: one character
    EXPECT_EQ(Utf8ToAnsi("\xC3"
                         "A"),
              "\xC1");                                         // continuation not checked
    EXPECT_EQ(Utf8ToAnsi("ab\xE2\x82"), "ab?");                // cut off at the end
    EXPECT_EQ(Utf8ToAnsi("\x80z"), "?z");                      // stray continuation
    EXPECT_EQ(Utf8ToAnsi("\xFD\x80\x80\x80\x80\x80!"), "?!");  // six-byte form
    EXPECT_EQ(ConvertCharSet("\xC3\xA9", kCharSetNone), "\xC3\xA9");
}

}  // namespace
}  // namespace vx
