// Cancel in the wait dialog during work over everybody: the highlighted
// list and column sorting stop, and what they leave is the state from
// before (or an empty list marked cancelled), never a part taken for the
// whole. Then the same work, not cancelled, still gives the full answer.
#include <algorithm>
#include <functional>
#include <vector>

#include "DeepLines.h"
#include "LoadedFileTest.h"
#include "app/Services.h"
#include "columns/ColSortIterator.h"
#include "columns/ListColumns.h"
#include "gedcom/GEDCollection.h"
#include "highlight/ColHLIterator.h"
#include "highlight/HLGroup.h"

namespace vx {
namespace {

// Raises the Cancel flag from inside the work, as a click on Cancel does
// while the work lets messages through, whenever `when` says so.
class CancellingServices : public UiServices {
  public:
    void PumpMessages() override {
        ++pumps;
        if (when && when()) SetWaitCancelled();
    }
    std::function<bool()> when;
    int pumps = 0;
};

using Rows = std::vector<int32_t>;

Rows RowsOf(WColSortIterator& list) {
    Rows rows;
    for (int32_t i = 1; i <= list.Count(); ++i)
        rows.push_back(list.ItemID(i));
    return rows;
}

class LongWorkCancelTest : public test::LoadedFileTest {
  protected:
    void SetUp() override {
        LoadedFileTest::SetUp();
        SetUiServices(&ui_);
    }
    void TearDown() override {
        while (WaitNesting() > 0)
            HideWait();
        SetUiServices(nullptr);
        LoadedFileTest::TearDown();
    }
    CancellingServices ui_;
};

TEST_F(LongWorkCancelTest, CancelledHighlightedListIsEmptyAndForgetsItsAnswers) {
    const int32_t n = 3000;
    auto collection = LoadText(test::ChainGedcom(n), "line.ged");
    FamilyAnalysis analysis(*collection);
    WHLGroup group(&analysis);
    group.SetConditionString("50:40");  // everybody with ancestors
    group.Refresh();
    ui_.when = [] { return true; };  // Cancel at the first chance
    {
        WaitScope wait("Calculating.  Please Wait...", false, true);
        WColHLIterator list(group, collection.get(), nullptr);
        EXPECT_GT(ui_.pumps, 0);
        EXPECT_TRUE(list.Cancelled());
        EXPECT_EQ(list.Count(), 0);
    }
    // No answer of the cut run survives, right or wrong.
    for (int32_t i = 1; i <= n; ++i)
        ASSERT_FALSE(group.IsEvaluated(i)) << i;

    ui_.when = nullptr;
    WaitScope wait("Calculating.  Please Wait...", false, true);
    WColHLIterator list(group, collection.get(), nullptr);
    EXPECT_FALSE(list.Cancelled());
    EXPECT_EQ(list.Count(), n - 1);
    EXPECT_EQ(list.ItemID(1), 1);
    EXPECT_EQ(list.ItemID(n - 1), n - 1);
}

TEST_F(LongWorkCancelTest, CancelledSortKeepsTheOrderAndTheMark) {
    const int32_t n = 2000;
    auto collection = LoadText(test::ChainGedcom(n), "line.ged");
    FamilyAnalysis analysis(*collection);
    WListColumns columns(&analysis, "List");
    columns.SetColumnString("1,27");  // index, ancestors
    WColSortIterator list(collection.get(), nullptr);
    columns.SetSortIterator(&list);
    columns.SortByColumn(1);
    columns.SortByColumn(1);  // descending by index
    const Rows before = RowsOf(list);
    ASSERT_EQ(before.front(), n);
    int state = 0;

    // Cancel while the column's values are worked out, then while sorting.
    for (const bool whileSorting : {false, true}) {
        ui_.when = [&list, whileSorting] { return list.IsSorting() == whileSorting; };
        columns.SortByColumn(2);
        EXPECT_EQ(RowsOf(list), before) << whileSorting;
        EXPECT_EQ(columns.SortColumn(), 1) << whileSorting;
        EXPECT_FALSE(columns.IsAscending()) << whileSorting;
        columns.ColumnCaption(2, false, &state);
        EXPECT_EQ(state, WListColumns::kNotSorted) << whileSorting;
    }

    ui_.when = nullptr;
    columns.SortByColumn(2);
    const Rows ancestors = RowsOf(list);
    EXPECT_EQ(columns.SortColumn(), 2);
    EXPECT_TRUE(columns.IsAscending());
    EXPECT_EQ(ancestors.front(), n);  // the top person has none
    EXPECT_EQ(ancestors.back(), 1);   // the bottom one has them all
}

// A new list cancelled before its first sort is in view order: no column
// may claim it.
TEST_F(LongWorkCancelTest, CancelledFirstSortOfANewListLeavesNoMark) {
    auto collection = LoadText(test::ChainGedcom(500), "line.ged");
    FamilyAnalysis analysis(*collection);
    WListColumns columns(&analysis, "List");
    columns.SetColumnString("1,27");
    columns.SortByColumn(2);  // no list yet: only remembered
    WColSortIterator list(collection.get(), nullptr);
    ui_.when = [] { return true; };
    columns.SetSortIterator(&list);
    EXPECT_EQ(columns.SortColumn(), -1);
    EXPECT_EQ(list.ItemID(1), 1);
    EXPECT_FALSE(list.IsSorted());
}

}  // namespace
}  // namespace vx
