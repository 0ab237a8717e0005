#include <algorithm>
#include <string>
#include <vector>

#include "LoadedFileTest.h"
#include "exports/SpouseChildrenMenu.h"

namespace vx {
namespace {

// Ada (1) married Ben (2) in 1926, then in 1940 a family without a
// husband; Ben's children are listed out of birth order, and Cal has a
// child himself.
const char* kFamily =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME Ada /Moss/\n1 FAMS @F1@\n1 FAMS @F2@\n"
    "0 @I2@ INDI\n1 NAME Ben /Hart/\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Dee /Hart/\n1 BIRT\n2 DATE 1931\n1 FAMC @F1@\n"
    "0 @I4@ INDI\n1 NAME Cal /Hart/\n1 BIRT\n2 DATE 1928\n1 FAMC @F1@\n1 FAMS @F3@\n"
    "0 @I5@ INDI\n1 NAME Eve /Moss/\n1 FAMC @F2@\n"
    "0 @I6@ INDI\n1 NAME Fay /Hart/\n1 FAMC @F3@\n"
    "0 @I7@ INDI\n1 NAME Gil /Alone/\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n1 MARR\n2 DATE 1926\n1 CHIL @I3@\n1 CHIL @I4@\n"
    "0 @F2@ FAM\n1 WIFE @I1@\n1 MARR\n2 DATE 1940\n1 CHIL @I5@\n"
    "0 @F3@ FAM\n1 HUSB @I4@\n1 CHIL @I6@\n"
    "0 TRLR\n";

class SpouseChildrenMenuTest : public test::LoadedFileTest {
  protected:
    void SetUp() override {
        LoadedFileTest::SetUp();
        // Names without their record numbers keep the expected texts short.
        WOptions::SetFlag(opt::kFNValueFlag, false);
    }
};

TEST_F(SpouseChildrenMenuTest, SpousesThenChildrenByBirthWithTheirEntries) {
    auto collection = LoadText(kFamily);
    std::vector<int32_t> people{99};  // emptied first
    const std::string items = SpouseAndChildrenItems(*collection, 1, people);
    EXPECT_EQ(items,
              "Spouse: Ben /Hart/;"
              "   < 1928 Cal /Hart/;"
              "      1931 Dee /Hart/;"
              "Spouse: <No Given Name>;"
              "              Eve /Moss/ ");
    EXPECT_EQ(people, (std::vector<int32_t>{2, 4, 3, 0, 5}));

    // The husband sees the same children under his wife.
    EXPECT_EQ(SpouseAndChildrenItems(*collection, 2, people),
              "Spouse: Ada /Moss/;   < 1928 Cal /Hart/;      1931 Dee /Hart/ ");
    EXPECT_EQ(people, (std::vector<int32_t>{1, 4, 3}));
}

TEST_F(SpouseChildrenMenuTest, NoMenuWithoutFamiliesOrForUnknownNumbers) {
    auto collection = LoadText(kFamily);
    std::vector<int32_t> people{1, 2};
    EXPECT_EQ(SpouseAndChildrenItems(*collection, 7, people), "");
    EXPECT_TRUE(people.empty());
    for (int32_t unknown : {0, -1, 8, 1000}) {
        EXPECT_EQ(SpouseAndChildrenItems(*collection, unknown, people), "") << unknown;
        EXPECT_TRUE(people.empty()) << unknown;
    }
}

TEST_F(SpouseChildrenMenuTest, AMissingFamilyIsSkippedAndASemicolonCannotSplitAnItem) {
    auto collection = LoadText(
        "0 HEAD\n0 @I1@ INDI\n1 NAME Ann /Semi;colon/\n1 FAMS @F9@\n1 FAMS @F1@\n"
        "0 @I2@ INDI\n1 NAME Bob /Lee/\n1 FAMS @F1@\n"
        "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n0 TRLR\n");
    std::vector<int32_t> people;
    EXPECT_EQ(SpouseAndChildrenItems(*collection, 2, people), "Spouse: Ann /Semi,colon/ ");
    EXPECT_EQ(people, (std::vector<int32_t>{1}));
    EXPECT_EQ(SpouseAndChildrenItems(*collection, 1, people), "Spouse: Bob /Lee/ ");
    EXPECT_EQ(people, (std::vector<int32_t>{2}));
}

TEST_F(SpouseChildrenMenuTest, TheMenuStopsAtItsLimitAcrossFamilies) {
    // Two families of 300 children each: the first family fills 301 entries
    // and the second is cut after its spouse and 198 children.
    constexpr int kChildren = 300;
    std::string people = "0 HEAD\n0 @P@ INDI\n1 NAME Pa /Big/\n1 FAMS @F1@\n1 FAMS @F2@\n";
    std::string families;
    for (int f = 1; f <= 2; ++f) {
        const std::string family = "F" + std::to_string(f);
        families += "0 @" + family + "@ FAM\n1 HUSB @P@\n";
        for (int c = 1; c <= kChildren; ++c) {
            const std::string child = family + "C" + std::to_string(c);
            people += "0 @" + child + "@ INDI\n1 NAME " + child + "\n";
            families += "1 CHIL @" + child + "@\n";
        }
    }
    auto collection = LoadText(people + families + "0 TRLR\n");
    std::vector<int32_t> entries;
    const std::string items = SpouseAndChildrenItems(*collection, 1, entries);
    ASSERT_EQ(entries.size(), size_t{kMaxSpouseChildrenItems});
    EXPECT_EQ(std::count(items.begin(), items.end(), ';'), kMaxSpouseChildrenItems - 1);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), 0), 2);  // no wife in either family
    EXPECT_EQ(entries[kChildren + 1], 0);                         // the second family's spouse
    EXPECT_EQ(items.back(), ' ');
}

}  // namespace
}  // namespace vx
