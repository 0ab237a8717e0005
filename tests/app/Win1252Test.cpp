#include <gtest/gtest.h>

#include "app/Win1252.h"

namespace vx {
namespace {

TEST(Win1252Test, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(Utf8ToWin1252(Win1252ToUtf8(all)), all);
}

TEST(Win1252Test, HighControlsMapToTheirUnicodeCharacters) {
    EXPECT_EQ(Win1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(Win1252ToUtf8("\x9F"), "\xC5\xB8");      // Y with diaeresis
    EXPECT_EQ(Win1252ToUtf8("\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(Utf8ToWin1252("\xE2\x80\x9Cq\xE2\x80\x9D"), "\x93q\x94");
}

TEST(Win1252Test, UnshowableAndMalformedInputBecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToWin1252("\xE4\xB8\xAD"), "?");        // a CJK character
    EXPECT_EQ(Utf8ToWin1252("\xF0\x9F\x98\x80!"), "?!");  // an emoji
    EXPECT_EQ(Utf8ToWin1252("a\x80z"), "a?z");            // lone continuation byte
    EXPECT_EQ(Utf8ToWin1252("a\xC3"), "a?");              // truncated at the end
    EXPECT_EQ(Utf8ToWin1252("\xC3z"), "?z");              // truncated before a letter
    EXPECT_EQ(Utf8ToWin1252("\xC0\x80"), "??");           // overlong NUL
    EXPECT_EQ(Utf8ToWin1252("\xED\xA0\x80"), "?");        // a surrogate
    EXPECT_EQ(Utf8ToWin1252("\xFF"), "?");
}

}  // namespace
}  // namespace vx
