// Cancel in the wait dialog stops the walks and loops over everybody
// (distinct ancestor counts, relationships, islands, the sort) and keeps
// nothing half-done: asked again without Cancel, each gives the full
// answer. A flag left from an earlier wait, or raised under a wait without
// Cancel, stops nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "DeepLines.h"
#include "TestSupport.h"
#include "analysis/FamilyAnalysis.h"
#include "analysis/IslandView.h"
#include "analysis/Islands.h"
#include "analysis/RelationShipCalc.h"
#include "analysis/Statistics.h"
#include "app/CancelPoll.h"
#include "app/Options.h"
#include "app/Services.h"
#include "gedcom/GEDCollection.h"
#include "storage/ABSArrayIndex.h"

namespace vx {
namespace {

// Deep enough that a single walk from the bottom passes the walks' look at
// the Cancel flag: over everybody above, and (deeper) straight up the line.
constexpr int32_t kGenerations = 10000;
constexpr int32_t kStraightUp = 20000;

class CancelWalksTest : public test::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        WOptions::ResetToDefaults();
    }
    void TearDown() override {
        SetUiServices(nullptr);  // a test's own services are gone by now
        while (WaitNesting() > 0)
            HideWait();
        TempDirTest::TearDown();
    }
    std::unique_ptr<WGEDCollection> Load(const std::string& content) {
        auto collection = std::make_unique<WGEDCollection>(WriteFile("t.ged", content));
        EXPECT_TRUE(collection->Load());
        collection->AfterLoad();
        return collection;
    }
    // Opens a wait with Cancel and presses it.
    static void PressCancel() {
        ShowWait("Calculating.  Please Wait...", false, true);
        SetWaitCancelled();
    }
};

TEST_F(CancelWalksTest, AncestorCountsStopAndKeepNothingCut) {
    auto collection = Load(test::CollapsedChainGedcom(kGenerations));
    FamilyAnalysis analysis(*collection);
    const int32_t all = 2 * kGenerations - 2;  // the fathers above and every mother
    PressCancel();
    EXPECT_EQ(analysis.Statistics().AncestorCount(1), -1);
    HideWait();
    EXPECT_EQ(analysis.Statistics().AncestorCount(1), all);
    EXPECT_EQ(analysis.Statistics().AncestorCount(2), all - 2);
}

TEST_F(CancelWalksTest, LeftOverFlagStopsNothing) {
    PressCancel();
    HideWait();
    EXPECT_TRUE(WaitCancelled());
    // Neither a load outside any wait ...
    auto collection = Load(test::CollapsedChainGedcom(kGenerations));
    FamilyAnalysis analysis(*collection);
    EXPECT_EQ(collection->IndividualCount(), 2 * kGenerations - 1);
    // ... nor work under a later wait without Cancel: the user cannot have
    // meant them.
    WaitScope wait("Calculating.  Please Wait...", false, false);
    EXPECT_FALSE(WorkCancelled());
    EXPECT_EQ(analysis.Statistics().AncestorCount(1), 2 * kGenerations - 2);
}

TEST_F(CancelWalksTest, RelationshipWalkStopsAndIsWorkedOutAgain) {
    auto collection = Load(test::CollapsedChainGedcom(kStraightUp));
    WRelCalc calc(collection.get());
    PressCancel();
    EXPECT_EQ(calc.Relationship(kStraightUp, 1), "");
    EXPECT_EQ(calc.CommonAncestor(), 0);
    HideWait();
    WRelCalc fresh(collection.get());
    const std::string expected = fresh.Relationship(kStraightUp, 1);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(calc.Relationship(kStraightUp, 1), expected);
    EXPECT_EQ(calc.CommonAncestor(), kStraightUp);
}

TEST_F(CancelWalksTest, IslandsStopUncomputedAndComputeLater) {
    // The chain and one person apart: two islands.
    std::string text = test::ChainGedcom(2000);
    text.insert(text.size() - std::string("0 TRLR\n").size(), "0 @X1@ INDI\n1 NAME Lone /One/\n");
    auto collection = Load(text);
    FamilyAnalysis analysis(*collection);
    PressCancel();
    EXPECT_EQ(analysis.Islands().ComputeIslands(), 0);
    EXPECT_FALSE(analysis.IslandsComputed());
    EXPECT_EQ(analysis.Islands().IslandRankOf(5), 0);
    HideWait();
    EXPECT_EQ(analysis.Islands().ComputeIslands(), 2);
    EXPECT_EQ(analysis.Islands().IslandIndividuals(1), 2000);
    EXPECT_EQ(analysis.Islands().IslandRankOf(2001), 2);
}

TEST_F(CancelWalksTest, CancelledIslandsLeaveTheWholeFileInView) {
    std::string text = test::ChainGedcom(2000);
    text.insert(text.size() - std::string("0 TRLR\n").size(), "0 @X1@ INDI\n1 NAME Lone /One/\n");
    auto collection = Load(text);
    FamilyAnalysis analysis(*collection);
    IslandView view(*collection);
    PressCancel();
    view.Use(analysis.Islands(), 1);
    EXPECT_FALSE(view.IsConfined());
    EXPECT_EQ(view.Count(), 2001);
    HideWait();
    view.Use(analysis.Islands(), 1);
    EXPECT_TRUE(view.IsConfined());
    EXPECT_EQ(view.Count(), 2000);
    view.Use(analysis.Islands(), 3);  // beyond the islands: the whole file again
    EXPECT_EQ(view.Count(), 2001);
}

TEST_F(CancelWalksTest, SortStopsWithEveryRecordKept) {
    WABSArrayIndex array("", sizeof(int32_t), 0);
    constexpr int32_t kRecords = 5000;
    for (int32_t i = 0; i < kRecords; ++i) {
        const int32_t value = (i * 7919) % kRecords;  // a permutation
        array.Append(&value);
    }
    const CompareFn compare = [](const char* a, const char* b, void*) {
        int32_t x, y;
        std::memcpy(&x, a, sizeof x);
        std::memcpy(&y, b, sizeof y);
        return x < y ? -1 : (x > y ? 1 : 0);
    };
    auto values = [&array] {
        std::vector<int32_t> out;
        for (int32_t i = 1; i <= array.Count(); ++i) {
            int32_t v;
            std::memcpy(&v, array.Item(i), sizeof v);
            out.push_back(v);
        }
        return out;
    };
    PressCancel();
    EXPECT_FALSE(array.Sort(compare, nullptr, true));
    EXPECT_FALSE(array.IsSorted());
    std::vector<int32_t> kept = values();
    std::sort(kept.begin(), kept.end());
    for (int32_t i = 0; i < kRecords; ++i)
        ASSERT_EQ(kept[static_cast<size_t>(i)], i);
    // Without `yield` the sort is not the user's to cancel.
    WABSArrayIndex quiet("", sizeof(int32_t), 0);
    for (int32_t v : {3, 1, 2})
        quiet.Append(&v);
    EXPECT_TRUE(quiet.Sort(compare, nullptr, false));
    HideWait();
    EXPECT_TRUE(array.Sort(compare, nullptr, true));
    const std::vector<int32_t> sorted = values();
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
}

// Work whose steps never pump by count still lets messages through by the
// clock, so a click on Cancel is seen.
TEST_F(CancelWalksTest, PollPumpsByTheClockAndReportsCancel) {
    struct ClickCancel : UiServices {
        int pumps = 0;
        void PumpMessages() override {
            ++pumps;
            SetWaitCancelled();
        }
    } ui;
    SetUiServices(&ui);
    WaitScope wait("Calculating.  Please Wait...", false, true);
    CancelPoll poll(CancelPoll::kStepsPerLook);
    int64_t steps = 0;
    while (!poll.Cancelled())
        ++steps;
    EXPECT_EQ(ui.pumps, 1);
    EXPECT_GT(steps, 0);
    EXPECT_TRUE(poll.Cancelled());
}

}  // namespace
}  // namespace vx
