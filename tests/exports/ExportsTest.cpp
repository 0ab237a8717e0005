#include "LoadedFileTest.h"
#include "analysis/DesIterator.h"
#include "app/Options.h"
#include "exports/DescendantsText.h"
#include "exports/IslandsText.h"
#include "gedcom/GEDCollection.h"

namespace vx {
namespace {

class ExportsTest : public test::GedcomFileTest {
  protected:
    void SetUp() override {
        GedcomFileTest::SetUp();
        Load(
            "0 HEAD\n0 @I1@ INDI\n1 NAME Max /Ray/\n1 FAMS @F1@\n1 FAMS @F2@\n"
            "0 @I2@ INDI\n1 NAME Anna /A/\n0 @I3@ INDI\n1 NAME Berta \"Bee\" /B/\n"
            "0 @I4@ INDI\n1 NAME Kid /Ray/\n0 @I5@ INDI\n1 NAME Lone /Wolf/\n"
            "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I4@\n0 @F2@ FAM\n1 HUSB @I1@\n1 "
            "WIFE @I3@\n"
            "0 TRLR\n");
    }
};

TEST_F(ExportsTest, DescendantList) {
    WDesIterator list;
    list.SetCollection(collection_.get());
    list.BuildDescendants(1, 32, false);
    EXPECT_EQ(DescendantsText(*collection_, list),
              "DESCENDANT LIST\r\n\r\n"
              "1 - Max /Ray/ [1] + Anna /A/ [2] [1 of 2]\r\n"
              "  2 - Kid /Ray/ [4]\r\n"
              "1 - Max /Ray/ [1] + Berta \"Bee\" /B/ [3] [2 of 2]\r\n");
}

TEST_F(ExportsTest, IslandsInFixedColumnsAndCsv) {
    EXPECT_EQ(IslandsText(*analysis_, ListFormat::FixedColumns),
              "ISLANDS\r\n\r\n"
              "    #      Ind      Mar     Note   Source 1st Individual\r\n"
              "    1        4        2        0        0 Max /Ray/ [1]\r\n"
              "    2        1        0        0        0 Lone /Wolf/ [5]\r\n");
    EXPECT_EQ(IslandsText(*analysis_, ListFormat::Csv),
              "\"#\",\"Ind\",\"Mar\",\"Note\",\"Source\",\"1st Individual\"\r\n"
              "\"1\",\"4\",\"2\",\"0\",\"0\",\"Max /Ray/ [1]\"\r\n"
              "\"2\",\"1\",\"0\",\"0\",\"0\",\"Lone /Wolf/ [5]\"\r\n");
}

TEST_F(ExportsTest, QuotesInNamesAreDoubled) {
    auto c = std::make_unique<WGEDCollection>(
        WriteFile("q.ged", "0 HEAD\n0 @I1@ INDI\n1 NAME Say \"Hi\" /Q/\n0 TRLR\n"));
    ASSERT_TRUE(c->Load());
    FamilyAnalysis analysis(*c);
    EXPECT_NE(IslandsText(analysis, ListFormat::Csv).find("\"Say \"\"Hi\"\" /Q/ [1]\""),
              std::string::npos);
    EXPECT_NE(IslandsText(analysis, ListFormat::FixedColumns).find("Say \"\"Hi\"\" /Q/ [1]\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace vx
