#include <cmath>

#include "LoadedFileTest.h"
#include "analysis/DesIterator.h"
#include "analysis/FamilyAnalysis.h"
#include "analysis/IslandView.h"
#include "analysis/Islands.h"
#include "analysis/Statistics.h"
#include "app/Options.h"
#include "columns/IslandIterator.h"
#include "gedcom/GEDCollection.h"
#include "records/Individual.h"

namespace vx {
namespace {

class FamilyGraphTest : public test::GedcomFileTest {
  protected:
    std::vector<std::string> Rows(const WDesIterator& list) {
        std::vector<std::string> rows;
        for (int32_t i = 1; i <= list.Count(); ++i) {
            const DesRow r = list.Row(i);
            rows.push_back(std::to_string(r.generation) + ":" + std::to_string(r.individual) + "/" +
                           std::to_string(r.marriage) + "of" + std::to_string(r.marriageCount) +
                           "+" + std::to_string(r.spouse) + (r.duplicate ? "*" : ""));
        }
        return rows;
    }
};

// Island 1: a family of five; island 2: a family of three; then a loner.
const char* kIslands =
    "0 HEAD\n0 @I1@ INDI\n1 FAMS @F1@\n0 @I2@ INDI\n1 FAMS @F1@\n0 @I3@ INDI\n1 FAMC @F1@\n"
    "1 FAMS @F2@\n0 @I4@ INDI\n1 FAMC @F1@\n0 @I5@ INDI\n1 FAMS @F2@\n"
    "0 @I6@ INDI\n1 FAMS @F3@\n0 @I7@ INDI\n1 FAMS @F3@\n0 @I8@ INDI\n1 FAMC @F3@\n0 @I9@ INDI\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 CHIL @I4@\n"
    "0 @F2@ FAM\n1 HUSB @I3@\n1 WIFE @I5@\n0 @F3@ FAM\n1 HUSB @I6@\n1 WIFE @I7@\n1 CHIL @I8@\n0 "
    "TRLR\n";

TEST_F(FamilyGraphTest, IslandsRankedBySize) {
    WGEDCollection& c = Load(kIslands);
    FamilyAnalysis analysis(c);
    WIslands& islands = analysis.Islands();
    EXPECT_FALSE(analysis.IslandsComputed());
    EXPECT_EQ(islands.ComputeIslands(), 3);
    EXPECT_EQ(islands.IslandIndividuals(1), 5);
    EXPECT_EQ(islands.IslandFamilies(1), 2);
    EXPECT_EQ(islands.IslandIndividuals(2), 3);
    EXPECT_EQ(islands.IslandFirstIndividual(2), 6);
    EXPECT_EQ(islands.IslandIndividuals(3), 1);
    EXPECT_EQ(islands.IslandFamilies(3), 0);
    EXPECT_EQ(islands.IslandIndividuals(4), 0);
    EXPECT_EQ(islands.IslandRankOf(4), 1);
    EXPECT_EQ(islands.IslandRankOf(8), 2);
    EXPECT_EQ(islands.IslandRankOf(9), 3);
}

TEST_F(FamilyGraphTest, IslandViewConfinesPositions) {
    WGEDCollection& c = Load(kIslands);
    FamilyAnalysis analysis(c);
    WIslands& islands = analysis.Islands();
    IslandView view(c);
    EXPECT_EQ(view.Count(), 9);
    EXPECT_EQ(view.Individual(4), 4);
    view.Use(islands, 2);
    EXPECT_EQ(view.Count(), 3);
    EXPECT_EQ(view.Individual(1), 6);
    EXPECT_EQ(view.Individual(3), 8);
    EXPECT_EQ(view.Position(7), 2);
    EXPECT_EQ(view.Position(1), 0);
    view.Use(islands, 9);  // beyond the islands: only drops the view
    EXPECT_EQ(view.Count(), 9);
    view.Use(islands, 1);
    EXPECT_EQ(view.Count(), 5);
    view.Clear();
    EXPECT_EQ(view.Count(), 9);
    EXPECT_EQ(WIslandIterator::Create(&analysis, 4), nullptr);
    EXPECT_EQ(WIslandIterator::Create(&analysis, 3)->ItemID(1), 9);
}

TEST_F(FamilyGraphTest, AnalysesAreMadeOnceAndAskingNeverComputes) {
    WGEDCollection& c = Load(kIslands);
    FamilyAnalysis analysis(c);
    EXPECT_EQ(&analysis.Collection(), &c);
    EXPECT_FALSE(analysis.IslandsComputed());
    WIslands& islands = analysis.Islands();
    EXPECT_FALSE(analysis.IslandsComputed());  // made, not yet computed
    EXPECT_EQ(&analysis.Islands(), &islands);
    EXPECT_EQ(&analysis.Statistics(), &analysis.Statistics());
    islands.ComputeIslands();
    EXPECT_TRUE(analysis.IslandsComputed());
}

TEST_F(FamilyGraphTest, WholeFileViewsAndAbsentViews) {
    WGEDCollection& c = Load(kIslands);
    IslandView view(c);
    view.Clear();  // nothing to drop, and no islands are needed for it
    EXPECT_FALSE(view.IsConfined());
    EXPECT_EQ(view.Count(), 9);
    EXPECT_EQ(view.Position(9), 9);
    FamilyAnalysis analysis(c);
    view.Use(analysis.Islands(), 2);
    EXPECT_TRUE(view.IsConfined());
    EXPECT_EQ(ViewCount(&view, c), 3);
    EXPECT_EQ(ViewIndividual(&view, 2), 7);
    EXPECT_EQ(ViewPosition(&view, 8), 3);
    EXPECT_EQ(ViewPosition(&view, 9), 0);
    // No view at all is the whole file.
    EXPECT_EQ(ViewCount(nullptr, c), 9);
    EXPECT_EQ(ViewIndividual(nullptr, 4), 4);
    EXPECT_EQ(ViewPosition(nullptr, 4), 4);
}

// Cousins who married: G1 and G2 have A and B; A and X have C; B and Y have
// D; C and D have E.
const char* kCousins =
    "0 HEAD\n0 @G1@ INDI\n0 @G2@ INDI\n0 @A@ INDI\n0 @B@ INDI\n0 @X@ INDI\n0 @Y@ INDI\n"
    "0 @C@ INDI\n0 @D@ INDI\n0 @E@ INDI\n"
    "0 @F1@ FAM\n1 HUSB @G1@\n1 WIFE @G2@\n1 CHIL @A@\n1 CHIL @B@\n"
    "0 @F2@ FAM\n1 HUSB @A@\n1 WIFE @X@\n1 CHIL @C@\n0 @F3@ FAM\n1 HUSB @B@\n1 WIFE @Y@\n1 CHIL "
    "@D@\n"
    "0 @F4@ FAM\n1 HUSB @C@\n1 WIFE @D@\n1 CHIL @E@\n0 TRLR\n";

TEST_F(FamilyGraphTest, StatisticsWithCousinsWhoMarried) {
    WGEDCollection& c = Load(kCousins);
    FamilyAnalysis analysis(c);
    WFamilyStatistics& statistics = analysis.Statistics();
    const int32_t g1 = 1, x = 5, e = 9;
    EXPECT_EQ(statistics.AncestorCount(e), 8);  // the common ancestors once
    EXPECT_EQ(statistics.AncestorGenerations(e), 3);
    EXPECT_EQ(static_cast<double>(statistics.AverageAncestorGenerations(e)), 2.2);  // ten lines
    EXPECT_EQ(statistics.DescendantCount(g1), 5);
    EXPECT_EQ(statistics.DescendantGenerations(g1), 3);
    EXPECT_EQ(statistics.AncestorGenerations(x), 0);
    EXPECT_EQ(statistics.DescendantGenerations(e), 0);
    EXPECT_EQ(statistics.AverageAncestorGenerations(x), 0.0L);
    EXPECT_EQ(statistics.AncestorGenerations(0), -1);
    EXPECT_EQ(statistics.AverageDescendantGenerations(0), -1.0L);
    // Cached answers stay the same.
    EXPECT_EQ(statistics.AncestorCount(e), 8);
    EXPECT_EQ(static_cast<double>(statistics.AverageAncestorGenerations(e)), 2.2);
}

TEST_F(FamilyGraphTest, ParentFamilyWithoutParentsCountsOneGeneration) {
    WGEDCollection& c =
        Load("0 HEAD\n0 @I1@ INDI\n1 FAMC @F1@\n0 @I2@ INDI\n0 @F1@ FAM\n1 CHIL @I1@\n0 TRLR\n");
    FamilyAnalysis analysis(c);
    WFamilyStatistics& statistics = analysis.Statistics();
    EXPECT_EQ(statistics.AncestorGenerations(1), 1);
    EXPECT_EQ(statistics.AncestorGenerations(2), 0);
    EXPECT_EQ(statistics.AncestorCount(1), 0);
}

TEST_F(FamilyGraphTest, DescendantListsWithDuplicatesShownAndHidden) {
    WGEDCollection& c = Load(kCousins);
    WDesIterator list;
    ASSERT_TRUE(list.SetCollection(&c));
    ASSERT_TRUE(list.BuildDescendants(1, 32, false));
    EXPECT_EQ(Rows(list),
              (std::vector<std::string>{"0:1/1of1+2", "1:3/1of1+5", "2:7/1of1+8", "3:9/0of0+0",
                                        "1:4/1of1+6", "2:8/1of1+7", "3:9/0of0+0*"}));
    EXPECT_EQ(list.ProcessedCount(), 5);
    ASSERT_TRUE(list.BuildDescendants(1, 32, true));
    EXPECT_EQ(Rows(list).back(), "3:9/0of0+0");
    EXPECT_EQ(list.ProcessedCount(), 6);
    ASSERT_TRUE(list.BuildDescendants(1, 1, true));  // the start and its children only
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"0:1/1of1+2", "1:3/1of1+5", "1:4/1of1+6"}));
    EXPECT_FALSE(list.BuildDescendants(0, 32, true));
    WDesIterator unattached;
    EXPECT_FALSE(unattached.BuildDescendants(1, 32, true));
}

TEST_F(FamilyGraphTest, ManMarriedTwice) {
    WGEDCollection& c = Load(
        "0 HEAD\n0 @M@ INDI\n1 FAMS @F1@\n1 FAMS @F2@\n0 @W1@ INDI\n1 NAME Anna /A/\n"
        "0 @W2@ INDI\n1 NAME Berta /B/\n0 @K1@ INDI\n0 @K2@ INDI\n0 @K3@ INDI\n0 @K4@ INDI\n"
        "0 @F1@ FAM\n1 HUSB @M@\n1 WIFE @W1@\n1 CHIL @K1@\n1 CHIL @K2@\n"
        "0 @F2@ FAM\n1 HUSB @M@\n1 WIFE @W2@\n1 CHIL @K3@\n1 CHIL @K4@\n0 TRLR\n");
    WDesIterator list;
    list.SetCollection(&c);
    list.BuildDescendants(1, 0, false);  // a limit of 0 counts as 255
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"0:1/1of2+2", "1:4/0of0+0", "1:5/0of0+0",
                                                    "0:1/2of2+3", "1:6/0of0+0", "1:7/0of0+0"}));
}

TEST_F(FamilyGraphTest, OwnGrandparentLoopsEnd) {
    WGEDCollection& c = Load(
        "0 HEAD\n0 @I1@ INDI\n1 FAMC @F1@\n1 FAMS @F2@\n0 @I2@ INDI\n1 FAMC @F2@\n1 FAMS @F1@\n"
        "0 @F1@ FAM\n1 HUSB @I2@\n1 CHIL @I1@\n0 @F2@ FAM\n1 HUSB @I1@\n1 CHIL @I2@\n0 TRLR\n");
    FamilyAnalysis analysis(c);
    WFamilyStatistics& statistics = analysis.Statistics();
    EXPECT_EQ(statistics.AncestorCount(1), 1);
    EXPECT_EQ(statistics.DescendantCount(1), 1);
    EXPECT_EQ(statistics.AncestorGenerations(1), 2);
    EXPECT_GE(statistics.AverageAncestorGenerations(1), 0.0L);
    EXPECT_EQ(analysis.Islands().ComputeIslands(), 1);
    WDesIterator list;
    list.SetCollection(&c);
    list.BuildDescendants(1, 300, true);  // the generation limit ends the loop
    EXPECT_EQ(list.Count(), 256);
    list.BuildDescendants(1, 300, false);
    EXPECT_EQ(list.Count(), 3);
}

// A straight line of many generations: person i is the only child of the
// family of person i + 1.
TEST_F(FamilyGraphTest, DeepLineDoesNotExhaustTheStack) {
    const int n = 100000;
    std::string text = "0 HEAD\n";
    for (int i = 1; i <= n; ++i) {
        text += "0 @I" + std::to_string(i) + "@ INDI\n";
        if (i < n) text += "1 FAMC @F" + std::to_string(i) + "@\n";
        if (i > 1) text += "1 FAMS @F" + std::to_string(i - 1) + "@\n";
    }
    for (int i = 1; i < n; ++i)
        text += "0 @F" + std::to_string(i) + "@ FAM\n1 HUSB @I" + std::to_string(i + 1) +
                "@\n1 CHIL @I" + std::to_string(i) + "@\n";
    WGEDCollection& c = Load(text + "0 TRLR\n");
    FamilyAnalysis analysis(c);
    WFamilyStatistics& statistics = analysis.Statistics();
    EXPECT_EQ(analysis.Islands().ComputeIslands(), 1);
    EXPECT_EQ(analysis.Islands().IslandIndividuals(1), n);
    EXPECT_EQ(statistics.AncestorCount(1), n - 1);
    EXPECT_EQ(statistics.AncestorGenerations(1), n - 1);
    EXPECT_EQ(statistics.DescendantCount(n), n - 1);
    EXPECT_EQ(statistics.DescendantGenerations(n), n - 1);
    EXPECT_NEAR(static_cast<double>(statistics.AverageAncestorGenerations(1)), n / 2.0, 1e-6);
    WDesIterator list;
    list.SetCollection(&c);
    list.BuildDescendants(n, 255, true);
    EXPECT_EQ(list.Count(), 256);
}

}  // namespace
}  // namespace vx
