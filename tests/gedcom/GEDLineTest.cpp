#include "TestSupport.h"
#include "gedcom/GEDTextMMF.h"

namespace vx {
namespace {

class GEDLineTest : public test::TempDirTest {
  protected:
    // Maps `content` and returns the start of the line that begins with `prefix`.
    const char* Open(const std::string& content) {
        text_ = std::make_unique<WGEDTextMMF>(WriteFile("t.ged", content));
        return text_->TextStart();
    }
    const char* Line(const std::string& prefix) const {
        for (const char* p = text_->TextStart(); p; p = text_->NextLine(p, true))
            if (std::string(p, text_->LineEnd(p)).rfind(prefix, 0) == 0) return p;
        return nullptr;
    }
    std::unique_ptr<WGEDTextMMF> text_;
};

TEST_F(GEDLineTest, CrossReferences) {
    Open("0 @I12@ INDI\n0 HEAD\n0 @I12 INDI\n0 @ABCDEFGHIJKLMNOPQRST@ INDI\n0 @@ NOTE\n0 @I9@");
    const char* line = Line("0 @I12@");
    EXPECT_EQ(text_->LineXRef(line + 2, false), "I12");
    EXPECT_EQ(text_->LineXRef(line + 2, true), "12");
    EXPECT_EQ(text_->LineXRef(line + 1, false), "I12");  // blanks before the '@' are skipped
    EXPECT_EQ(text_->LineXRef(Line("0 HEAD") + 2, false), std::nullopt);
    EXPECT_EQ(text_->LineXRef(Line("0 @I12 ") + 2, false),
              std::nullopt);  // closed only on a later line
    EXPECT_EQ(text_->LineXRef(Line("0 @ABC") + 2, false), "ABCDEFGHIJKLMNOPQRST");  // whole
    EXPECT_EQ(text_->LineXRef(Line("0 @@") + 2, false), "");
    EXPECT_EQ(text_->LineXRef(Line("0 @I9@") + 2, false), "I9");  // at the very end of the text
    EXPECT_EQ(text_->LineXRef(nullptr, false), std::nullopt);
}

TEST_F(GEDLineTest, RecordKinds) {
    Open(
        "0 HEAD\n0 @F1@ FAM\n0 @X@ FOO\n0 @O1@ OBJE\n0 @N1@ NOTE text\n0 @I1@ INDI\n"
        "0 @S1@ SUBN\n0 @R1@ REPO\n0 @S2@ SOUR\n0 @U1@ SUBM\n0 @E1@\n0 @E2@ \n0 @T@ IND");
    struct Case {
        const char* prefix;
        int kind;
    };
    for (const Case& c : {Case{"0 HEAD", kRecNoXRef},
                          {"0 @F1@", kRecFamily},
                          {"0 @X@ FOO", kRecFamily},
                          {"0 @O1@", kRecObject},
                          {"0 @N1@", kRecNote},
                          {"0 @I1@", kRecIndividual},
                          {"0 @S1@", kRecSubmission},
                          {"0 @R1@", kRecRepository},
                          {"0 @S2@", kRecSource},
                          {"0 @U1@", kRecOther},
                          {"0 @E1@", kRecOther},
                          {"0 @E2@", kRecOther},
                          {"0 @T@ IND", kRecOther}}) {
        EXPECT_EQ(text_->RecordKind(Line(c.prefix)), c.kind) << c.prefix;
    }
}

TEST_F(GEDLineTest, RecordTextRunsToTheNextRecord) {
    Open("0 @I1@ INDI\r\n1 NAME A /B/\r\n0 @I2@ INDI\r\n1 SEX M");
    EXPECT_EQ(text_->RecordText(Line("0 @I1@")), "0 @I1@ INDI\r\n1 NAME A /B/\r\n");
    // The last record runs to the end of the text.
    EXPECT_EQ(text_->RecordText(Line("0 @I2@")), "0 @I2@ INDI\r\n1 SEX M");
    EXPECT_EQ(text_->RecordText(nullptr), "");
}

TEST_F(GEDLineTest, ValuesAreTrimmedAndBounded) {
    Open(
        "1 NAME   John /Smith/   \r\n1 _CUSTOMTAG  long tag value \n1 BIRT\n"
        "10 CONT deep\n2 NOTE a\tb \n1 SEX");
    EXPECT_EQ(LineValue(*text_, Line("1 NAME") + 6), "John /Smith/");
    EXPECT_EQ(LineValueAfterTag(*text_, Line("1 _CUSTOM")), "long tag value");
    EXPECT_EQ(LineValueAfterTag(*text_, Line("10 CONT")), "deep");
    EXPECT_EQ(LineValue(*text_, Line("1 BIRT") + 6), "");
    EXPECT_EQ(LineValue(*text_, Line("2 NOTE") + 6), "a\tb");
    EXPECT_EQ(LineValue(*text_, text_->WithinLine(Line("1 SEX"), 7)),
              "");  // value position past the end
    EXPECT_EQ(LineValue(*text_, nullptr), "");
    EXPECT_EQ(ShortValue(*text_, Line("1 NAME") + 6), "John /Smith/");
}

TEST_F(GEDLineTest, ValueLimits) {
    std::string longValue(70000, 'x');
    std::string shortCut(300, 'y');
    Open("1 NOTE " + longValue + "\n1 NOTE " + shortCut + "\n1 NOTE ab" + std::string(1, '\0') +
         "cd \n");
    EXPECT_EQ(LineValue(*text_, Line("1 NOTE x") + 6).size(), kMaxValueLength);
    EXPECT_EQ(ShortValue(*text_, Line("1 NOTE y") + 6), std::string(255, 'y'));
    EXPECT_EQ(ShortValue(*text_, Line("1 NOTE ab") + 6), "ab");  // a zero byte ends a short value
    EXPECT_EQ(LineValue(*text_, Line("1 NOTE ab") + 6), std::string("ab\0cd", 5));
}

TEST_F(GEDLineTest, Levels) {
    Open("0 HEAD\n10 CONT x\n100 X\n  2 GIVN A\nA B\n99999999999 X\n7\n-1 X");
    EXPECT_EQ(LineLevel(*text_, Line("0 HEAD")), 0);
    EXPECT_EQ(LineLevel(*text_, Line("10 CONT")), 10);
    EXPECT_EQ(LineLevel(*text_, Line("100 X")), 100);
    EXPECT_EQ(LineLevel(*text_, Line("2 GIVN")), 2);
    EXPECT_EQ(LineLevel(*text_, Line("A B")), 0);
    EXPECT_EQ(LineLevel(*text_, Line("99999999999")), 0);
    EXPECT_EQ(LineLevel(*text_, Line("7")), 7);
    EXPECT_EQ(LineLevel(*text_, Line("-1 X")), 0);
}

TEST_F(GEDLineTest, ContinuedTextJoinsConcAndStartsEntriesOnCont) {
    Open("1 NOTE first\n2 CONC   part\n2 CONT second\n3 CONC  more \n2 CONT\n1 BIRT\n2 CONT late");
    std::vector<std::string> entries = ContinuedText(*text_, Line("1 NOTE") + 6);
    EXPECT_EQ(entries, (std::vector<std::string>{"firstpart", "secondmore", ""}));
    // A value at the end of the text has no continuation.
    Open("1 NOTE only");
    EXPECT_EQ(ContinuedText(*text_, text_->TextStart() + 6), (std::vector<std::string>{"only"}));
}

TEST_F(GEDLineTest, EventPlaceIsTheFirstPlaceOneLevelDown) {
    Open(
        "1 BIRT\n2 DATE 1 JAN 1900\n2 PLAC Boston, MA\n1 DEAT\n2 DATE 1950\n3 TIME 10:00\n"
        "2 PLAC Found\n2 PLAC Second\n1 MARR\n2 TYPE Religious\n2 SOUR @S1@\n3 PLAC Deeper\n"
        "2 NOTE n\n2 PLAC Church\n1 BURI\n2 SOUR @S1@\n3 PLAC Deeper\n1 RESI\n2 PLAC Next\n1 CHR\n"
        "2 PLAC");
    EXPECT_EQ(EventPlace(*text_, Line("1 BIRT")), "Boston, MA");
    EXPECT_EQ(EventPlace(*text_, Line("1 DEAT")), "Found");
    EXPECT_EQ(EventPlace(*text_, Line("1 MARR")), "Church");
    EXPECT_EQ(FirstChildLine(*text_, Line("1 MARR"), "SOUR"), Line("2 SOUR"));
    EXPECT_EQ(EventPlace(*text_, Line("1 BURI")), "");
    EXPECT_EQ(EventPlace(*text_, Line("1 CHR")), "");
}

TEST_F(GEDLineTest, DeepAndLongRealFiles) {
    const std::string data = VELLACOR_TEST_DATA "/gedcom/";
    WGEDTextMMF deep(data + "gedcom4j_100_levels.ged");
    int maxLevel = 0;
    for (const char* p = deep.TextStart(); p; p = deep.NextLine(p, true))
        maxLevel = std::max(maxLevel, LineLevel(deep, p));
    EXPECT_EQ(maxLevel, 100);

    WGEDTextMMF longLine(data + "gedcom4j_superlongline_ansel.ged");
    size_t longest = 0;
    for (const char* p = longLine.TextStart(); p; p = longLine.NextLine(p, true))
        longest = std::max(longest, LineValueAfterTag(longLine, p).size());
    EXPECT_GT(longest, 300u);
}

}  // namespace
}  // namespace vx
