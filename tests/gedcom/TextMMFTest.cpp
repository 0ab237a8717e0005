#include <random>

#include "TestSupport.h"
#include "gedcom/GEDTextMMF.h"

namespace vx {
namespace {

class TextMMFTest : public test::TempDirTest {
  protected:
    // The visible content of every line NextLine visits, from the first.
    static std::vector<std::string> Lines(const WTextMMF& text) {
        std::vector<std::string> lines;
        const char* p = text.TextStart();
        while (p && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n'))
            p = text.NextLine(p, true);
        for (; p; p = text.NextLine(p, true))
            lines.emplace_back(p, text.LineEnd(p));
        return lines;
    }
    static std::vector<std::string> Records(const WTextMMF& text) {
        std::vector<std::string> records;
        for (const char* p = text.TextStart(); p; p = text.NextRecord(p, true))
            records.emplace_back(p, text.LineEnd(p));
        return records;
    }
};

TEST_F(TextMMFTest, AllLineEndStylesGiveTheSameLines) {
    const std::string body = "0 HEAD|1 CHAR ANSEL|0 @I1@ INDI|1 NAME A /B/|0 TRLR|";
    std::vector<std::string> expected = {"0 HEAD", "1 CHAR ANSEL", "0 @I1@ INDI", "1 NAME A /B/",
                                         "0 TRLR"};
    struct Style {
        const char* name;
        std::string end;
        bool lfFirst;
    };
    for (const Style& style : {Style{"crlf", "\r\n", false}, Style{"lf", "\n", true},
                               Style{"cr", "\r", false}, Style{"lfcr", "\n\r", true}}) {
        std::string content = body;
        for (size_t at = content.find('|'); at != std::string::npos; at = content.find('|'))
            content.replace(at, 1, style.end);
        WTextMMF text(WriteFile(std::string(style.name) + ".ged", content));
        EXPECT_EQ(Lines(text), expected) << style.name;
        EXPECT_EQ(Records(text), (std::vector<std::string>{"0 HEAD", "0 @I1@ INDI", "0 TRLR"}))
            << style.name;
        EXPECT_EQ(text.UsesLFFirst(), style.lfFirst) << style.name;
    }
}

TEST_F(TextMMFTest, BlankAndIndentedLinesAreSkippedButIndentedZeroIsNoRecord) {
    WTextMMF text(WriteFile("a.ged", "0 HEAD\n\n   \n\t1 SOUR X\n  0 @I1@ INDI\n0 TRLR"));
    EXPECT_EQ(Lines(text),
              (std::vector<std::string>{"0 HEAD", "1 SOUR X", "0 @I1@ INDI", "0 TRLR"}));
    EXPECT_EQ(Records(text), (std::vector<std::string>{"0 HEAD", "0 TRLR"}));
    EXPECT_EQ(text.NextRecord(text.TextStart() + 2, true), text.TextEnd() - 6);
}

TEST_F(TextMMFTest, TextWithoutBreaksOrWithNulBytes) {
    WTextMMF single(WriteFile("one.ged", "0 HEAD with no line break at all"));
    EXPECT_EQ(single.NextLine(single.TextStart(), true), nullptr);
    EXPECT_EQ(single.NextRecord(single.TextStart(), true), nullptr);
    EXPECT_FALSE(single.UsesLFFirst());
    EXPECT_EQ(single.NextLine(nullptr, true), nullptr);
    EXPECT_EQ(single.NextLine(single.TextEnd(), true), nullptr);

    WTextMMF nul(WriteFile("nul.ged", std::string("0 HEAD\0x\n1 A\0\n0 TRLR\n", 21)));
    EXPECT_EQ(Lines(nul).size(), 3u);
    EXPECT_EQ(Records(nul).size(), 2u);

    WTextMMF breaks(WriteFile("breaks.ged", "\r\n\r\n"));
    EXPECT_TRUE(Lines(breaks).empty());
    EXPECT_EQ(breaks.NextRecord(breaks.TextStart(), true), nullptr);
    EXPECT_EQ(breaks.NextLine(breaks.TextStart(), false), breaks.TextStart() + 1);
}

TEST_F(TextMMFTest, RealFilesWithUnusualLayout) {
    const std::string data = VELLACOR_TEST_DATA "/gedcom/";
    WTextMMF mixed(data + "gedcom4j_mixed_lf_crlf.ged");
    EXPECT_EQ(Lines(mixed).size(), 15u);
    EXPECT_EQ(Records(mixed).size(), 3u);
    WTextMMF blank(data + "gedcom4j_blank_lines.ged");
    EXPECT_EQ(Lines(blank).size(), 16u);
    EXPECT_EQ(Records(blank).back(), "0 TRLR");
    WTextMMF indented(data + "gedcom4j_indented_levels.ged");
    EXPECT_EQ(Lines(indented)[8], "1 NAME Matt /Harrah/");
    EXPECT_EQ(Records(indented).size(), 3u);
    WTextMMF unterminated(data + "gedcom4j_no_final_newline.ged");
    EXPECT_EQ(Lines(unterminated).back(), "0 TRLR");
}

// The fast scanners must agree with the plain reading of the rules for any
// mixture of line breaks, '0' bytes and text, at every alignment.
TEST_F(TextMMFTest, ScannersAgreeWithAPlainWalkOnRandomText) {
    std::mt19937 random(20261209);
    const char alphabet[] = {'0', '0', '\r', '\n', 'a', ' ', '1', '\t'};
    for (int round = 0; round < 200; ++round) {
        std::string content(1 + random() % 120, ' ');
        for (char& c : content)
            c = alphabet[random() % sizeof alphabet];
        WTextMMF text(WriteFile("r.ged", content));
        const char* base = text.TextStart();
        const char* end = text.TextEnd();
        for (const char* p = base; p < end; ++p) {
            // NextRecord: the first '0' right after a break, searching from
            // the first break at or after p.
            const char* q = p;
            while (q < end && *q != '\r' && *q != '\n')
                ++q;
            const char* expectedRecord = nullptr;
            for (; q + 1 < end; ++q)
                if ((*q == '\r' || *q == '\n') && q[1] == '0') {
                    expectedRecord = q + 1;
                    break;
                }
            ASSERT_EQ(text.NextRecord(p, true), expectedRecord) << round << " at " << (p - base);
            // NextLine without skipping: one past the next break.
            q = p;
            while (q < end && *q != '\r' && *q != '\n')
                ++q;
            const char* expectedLine = (q + 1 < end) ? q + 1 : nullptr;
            ASSERT_EQ(text.NextLine(p, false), expectedLine) << round << " at " << (p - base);
        }
    }
}

}  // namespace
}  // namespace vx
