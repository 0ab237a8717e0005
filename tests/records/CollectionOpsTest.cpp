#include "LoadedFileTest.h"
#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "records/Individual.h"

namespace vx {
namespace {

class CollectionOpsTest : public test::GedcomFileTest {
  protected:
    void SetUp() override {
        GedcomFileTest::SetUp();
        SetTodayProvider([] { return CivilDate{9, 12, 2026}; });
        Load(
            "0 HEAD\n"
            "0 @I1@ INDI\n1 NAME John /Smith/\n1 SEX M\n1 BIRT\n2 DATE 1820\n2 PLAC Leeds\n"
            "1 DEAT\n2 DATE 1890\n1 FAMC @F9@\n1 FAMS @F1@\n1 FAMS @F2@\n"
            "0 @I2@ INDI\n1 NAME Mary /Brown/\n1 SEX F\n1 FAMS @F1@\n"
            "0 @I3@ INDI\n1 NAME Tom /Smith/\n1 SEX M\n1 BIRT\n2 DATE 1852\n1 FAMC @F1@\n1 FAMS "
            "@F3@\n"
            "0 @I4@ INDI\n1 NAME Ann /Smith/\n1 SEX m\n1 BIRT\n2 DATE 1850\n1 FAMC @F1@\n"
            "0 @I5@ INDI\n1 NAME Old /Smith/\n1 SEX M\n1 FAMS @F9@\n"
            "0 @I6@ INDI\n1 NAME Kid /Smith/\n1 FAMC @F3@\n"
            "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 MARR\n2 DATE 1849\n2 PLAC York\n"
            "1 CHIL @I3@\n1 CHIL @I4@\n1 NOTE family note\n"
            "0 @F2@ FAM\n1 HUSB @I1@\n1 SLGS\n2 TEMP SLAKE\n"
            "0 @F3@ FAM\n1 HUSB @I3@\n1 CHIL @I6@\n1 SOUR @S1@\n"
            "0 @F9@ FAM\n1 HUSB @I5@\n1 CHIL @I1@\n0 TRLR\n",
            "family.ged");
    }
    void TearDown() override {
        SetTodayProvider({});
        GedcomFileTest::TearDown();
    }
};

TEST_F(CollectionOpsTest, ParentsSpousesAndNearestRelatives) {
    const WGEDCollection& c = *collection_;
    EXPECT_EQ(c.FatherOf(1), 5);
    EXPECT_EQ(c.MotherOf(1), 0);  // a father but no mother
    EXPECT_EQ(c.FatherOf(0), 0);
    EXPECT_EQ(c.FatherOf(99), 0);
    int relation = -1;
    EXPECT_EQ(c.NearestRelative(1, relation, 1), 5);
    EXPECT_EQ(relation, 1);
    EXPECT_EQ(c.NearestRelative(2, relation, 2), 0);  // her only family holds no second
    EXPECT_EQ(c.NearestRelative(2, relation, 0), 1);
    EXPECT_EQ(relation, 3);
    // John's undated second marriage comes first after loading.
    EXPECT_EQ(c.NearestRelativeSpouseFirst(1, relation, 2), 2);
    EXPECT_EQ(relation, 3);
    EXPECT_EQ(c.NearestRelativeSpouseFirst(1, relation, 1), 5);  // no partner in that one
    EXPECT_EQ(relation, 1);
    EXPECT_EQ(c.SpouseOf(1, 2), 2);
    EXPECT_EQ(c.SpouseOf(2, 1), 1);
    EXPECT_EQ(c.SpouseOf(1, 1), 0);
    EXPECT_EQ(c.SpouseOf(1, 3), 0);
    EXPECT_EQ(c.CommonSpouseFamily(2, 1), 1);
    EXPECT_EQ(c.CommonSpouseFamily(3, 1), 0);
    EXPECT_TRUE(c.HasFamilyLinks(6));
    EXPECT_EQ(c.ParentsCount(3), 2);
    EXPECT_EQ(c.ParentsCount(1), 1);
}

TEST_F(CollectionOpsTest, ChildrenNotesSourcesAndSealings) {
    const WGEDCollection& c = *collection_;
    EXPECT_TRUE(c.HasChildren(1));
    EXPECT_FALSE(c.HasChildren(4));
    EXPECT_EQ(c.ChildrenCount(1), 2);
    EXPECT_EQ(c.SonsCount(1), 1);  // a lower-case m is not counted
    EXPECT_EQ(c.DaughtersCount(1), 0);
    EXPECT_TRUE(c.FamilyHasNotes(2));
    EXPECT_TRUE(c.HasNotesWithFamilies(1));
    EXPECT_FALSE(c.HasNotesWithFamilies(3));
    EXPECT_TRUE(c.HasSourcesWithFamilies(3));
    EXPECT_FALSE(c.FamilyHasSources(1));
    EXPECT_TRUE(c.HasSpouseSealing(1, 1));
    EXPECT_FALSE(c.HasSpouseSealing(1, 2));
    EXPECT_TRUE(c.HasSpouseSealing(1, 0));  // out of range: any spouse family
    EXPECT_EQ(c.SpouseSealingTempleText(1, 1, true), "SLAKE");
    EXPECT_EQ(c.SpouseSealingTempleText(1, 2, true), "");
    EXPECT_EQ(c.DisplayNameWithBirth(3), "Tom /Smith/ [3], " + WDate("1852").DisplayText() + ", ");
}

TEST_F(CollectionOpsTest, PersonSummaryByteForByte) {
    const std::string y1820 = WDate("1820").DisplayText();
    const std::string y1890 = WDate("1890").DisplayText();
    const std::string y1849 = WDate("1849").DisplayText();
    EXPECT_EQ(collection_->PersonSummary(1),
              "Name :John /Smith/ [1]\r\nSex    :M\r\nBirth   :" + y1820 +
                  ", Leeds\r\nChr     :\r\n"
                  "Death :" +
                  y1890 +
                  ", \r\nBur     :\r\nAge     :~70\r\nFather :Old /Smith/ [5]\r\n"
                  "Mother :\r\nSpouse: <No Given Name>\r\n   Mar. Date: , \r\n"
                  "Spouse: Mary /Brown/ [2]\r\n   Mar. Date: " +
                  y1849 +
                  ", York\r\n"
                  "      1850 Ann /Smith/ [4]\r\n   < 1852 Tom /Smith/ [3]");
    EXPECT_EQ(collection_->PersonSummary(6).substr(0, 22), "Name :Kid /Smith/ [6]\r");
    EXPECT_EQ(collection_->PersonSummary(6).find("Spouse"), std::string::npos);
    EXPECT_EQ(collection_->PersonSummary(0), "");
}

}  // namespace
}  // namespace vx
