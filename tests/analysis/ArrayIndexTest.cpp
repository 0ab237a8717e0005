#include <algorithm>
#include <cstring>
#include <random>

#include "TestSupport.h"
#include "analysis/ABSIterator.h"
#include "app/Services.h"
#include "storage/TypedArrays.h"

namespace vx {
namespace {

struct Keyed {
    int32_t key;
    int32_t sequence;
};

int CompareKeys(const char* a, const char* b, void*) {
    Keyed x, y;
    std::memcpy(&x, a, sizeof x);
    std::memcpy(&y, b, sizeof y);
    return x.key < y.key ? -1 : (x.key > y.key ? 1 : 0);
}

std::vector<Keyed> Contents(const WABSArrayIndex& array) {
    std::vector<Keyed> out(static_cast<size_t>(array.Count()));
    for (int32_t i = 1; i <= array.Count(); ++i)
        std::memcpy(&out[i - 1], array.Item(i), sizeof(Keyed));
    return out;
}

class ArrayIndexTest : public test::TempDirTest {};

TEST_F(ArrayIndexTest, SortOrdersEveryShapeOfInput) {
    std::mt19937 random(7);
    struct Shape {
        const char* name;
        int32_t count;
        int32_t range;
    };
    for (const Shape& shape : {Shape{"empty", 0, 1},
                               {"one", 1, 5},
                               {"insertion only", 9, 4},
                               {"just past insertion", 11, 100},
                               {"duplicates", 5000, 7},
                               {"random", 20000, 1000000}}) {
        WABSArrayIndex array("", sizeof(Keyed), shape.count);
        std::vector<int32_t> keys;
        for (int32_t i = 0; i < shape.count; ++i) {
            Keyed record{static_cast<int32_t>(random() % shape.range), i};
            keys.push_back(record.key);
            array.Append(&record);
        }
        array.Sort(CompareKeys, nullptr, false);
        std::sort(keys.begin(), keys.end());
        std::vector<Keyed> sorted = Contents(array);
        std::vector<int32_t> sequences;
        for (size_t i = 0; i < sorted.size(); ++i) {
            ASSERT_EQ(sorted[i].key, keys[i]) << shape.name << " at " << i;
            sequences.push_back(sorted[i].sequence);
        }
        // Nothing lost or duplicated.
        std::sort(sequences.begin(), sequences.end());
        for (size_t i = 0; i < sequences.size(); ++i)
            ASSERT_EQ(sequences[i], static_cast<int32_t>(i));
        EXPECT_EQ(array.IsSorted(), shape.count > 0) << shape.name;
    }
}

TEST_F(ArrayIndexTest, SmallArraysSortByInsertionAndKeepEqualRecordsInOrder) {
    WABSArrayIndex array("", sizeof(Keyed), 0);
    for (int32_t i = 0; i < 10; ++i) {
        Keyed record{i % 3, i};
        array.Append(&record);
    }
    array.Sort(CompareKeys, nullptr, false);
    std::vector<int32_t> sequences;
    for (const Keyed& k : Contents(array))
        sequences.push_back(k.sequence);
    EXPECT_EQ(sequences, (std::vector<int32_t>{0, 3, 6, 9, 1, 4, 7, 2, 5, 8}));
}

TEST_F(ArrayIndexTest, SortedFlagGuardsAgainstNeedlessAndNestedSorts) {
    WABSArrayIndex array("", sizeof(Keyed), 0);
    Keyed b{2, 0}, a{1, 1};
    array.Append(&b);
    array.Append(&a);
    array.MarkSorted();
    array.Sort(CompareKeys, nullptr, false);
    EXPECT_EQ(Contents(array)[0].key, 2);  // marked sorted: left alone
    array.ClearSorted();
    array.Sort(CompareKeys, nullptr, false);
    EXPECT_EQ(Contents(array)[0].key, 1);
    array.Append(&b);
    EXPECT_FALSE(array.IsSorted());
}

// While a sort lets messages through, the array says it is sorting and a
// sort started from an event handler returns at once.
TEST_F(ArrayIndexTest, YieldingSortPumpsMessagesAndRefusesReentry) {
    struct Pump : UiServices {
        WABSArrayIndex* array = nullptr;
        int pumps = 0;
        bool sawSorting = true;
        void PumpMessages() override {
            ++pumps;
            sawSorting = sawSorting && array->IsSorting();
            array->Sort(CompareKeys, nullptr, true);  // must be ignored
        }
    } pump;
    WABSArrayIndex array("", sizeof(Keyed), 0);
    pump.array = &array;
    for (int32_t i = 0; i < 3000; ++i) {
        Keyed record{(i * 7919) % 3001, i};
        array.Append(&record);
    }
    SetUiServices(&pump);
    array.Sort(CompareKeys, nullptr, true);
    SetUiServices(nullptr);
    EXPECT_GT(pump.pumps, 5);
    EXPECT_TRUE(pump.sawSorting);
    EXPECT_FALSE(array.IsSorting());
    std::vector<Keyed> sorted = Contents(array);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                               [](const Keyed& x, const Keyed& y) { return x.key < y.key; }));
}

TEST_F(ArrayIndexTest, MillionRecordsInAdverseOrdersSortWithoutDeepRecursion) {
    for (int order = 0; order < 3; ++order) {
        WIntArray array(1000000);
        for (int32_t i = 1; i <= array.Count(); ++i)
            array.SetValue(i, order == 0 ? i : (order == 1 ? -i : 5));
        array.SortWith(
            [](const char* a, const char* b) {
                int32_t x, y;
                std::memcpy(&x, a, 4);
                std::memcpy(&y, b, 4);
                return (x > y) - (x < y);
            },
            false);
        for (int32_t i = 2; i <= array.Count(); ++i)
            ASSERT_LE(array.GetValue(i - 1), array.GetValue(i)) << order;
    }
}

TEST_F(ArrayIndexTest, FindAndFindNearest) {
    WIntArray array;
    for (int32_t v : {10, 20, 30, 40})
        array.Append(v);
    auto compare = [](const char* record, const char* key, void*) {
        int32_t x, y;
        std::memcpy(&x, record, 4);
        std::memcpy(&y, key, 4);
        return (x > y) - (x < y);
    };
    bool found = false;
    for (auto [key, position, exact] :
         {std::tuple{30, 3, true}, {5, 1, false}, {25, 3, false}, {40, 4, true}, {99, 4, false}}) {
        EXPECT_EQ(array.FindNearest(compare, &key, found), position) << key;
        EXPECT_EQ(found, exact) << key;
        EXPECT_EQ(array.Find(compare, &key), exact ? position : 0) << key;
    }
    WIntArray empty;
    int32_t key = 1;
    EXPECT_EQ(empty.FindNearest(compare, &key, found), 0);
    EXPECT_FALSE(found);
}

TEST_F(ArrayIndexTest, StoreLayoutAndGrowthPastTheHeap) {
    WIntArray array;
    for (int32_t i = 1; i <= 100000; ++i)
        array.Append(i * 3);
    EXPECT_EQ(TempFileNames().size(), 1u);
    for (int32_t i = 1; i <= 100000; i += 997)
        ASSERT_EQ(array.GetValue(i), i * 3);
    array.SetCount(100010);  // grows with zero records, never shrinks
    EXPECT_EQ(array.GetValue(100010), 0);
    array.SetCount(5);
    EXPECT_EQ(array.Count(), 100010);
    array.Reset();
    EXPECT_EQ(array.Count(), 0);
    EXPECT_EQ(array.Item(1), nullptr);
}

TEST_F(ArrayIndexTest, IteratorWalksAndWrapsThroughNone) {
    WABSIterator it(4, 0);
    for (int32_t v : {7, 8, 9})
        it.Append(&v);
    EXPECT_NE(it.Last(), nullptr);
    EXPECT_EQ(it.Next(), nullptr);
    EXPECT_EQ(it.Position(), 0);
    ASSERT_NE(it.Next(), nullptr);  // from none, Next starts again at the first
    EXPECT_EQ(it.Position(), 1);
    EXPECT_EQ(it.Prev(), nullptr);
    EXPECT_EQ(it.GoTo(4), nullptr);
    EXPECT_EQ(it.Position(), 0);
}

TEST_F(ArrayIndexTest, CollectionIteratorBuildsOnceAndMapsIDs) {
    struct Evens : WCollectionIterator {
        using WCollectionIterator::WCollectionIterator;
        int builds = 0;
        void Build() override {
            ++builds;
            for (int32_t id = 2; id <= 10; id += 2)
                AppendID(id);
        }
    };
    Evens list(nullptr);
    EXPECT_EQ(list.FirstID(), 0);
    list.EnsureBuilt();
    list.EnsureBuilt();
    EXPECT_EQ(list.builds, 1);
    EXPECT_EQ(list.FirstID(), 2);
    EXPECT_EQ(list.NextID(), 4);
    EXPECT_EQ(list.LastID(), 10);
    EXPECT_EQ(list.NextID(), 0);
    EXPECT_EQ(list.PrevID(), 0);
    EXPECT_EQ(list.ItemID(3), 6);
    EXPECT_EQ(list.ItemID(6), 0);
    EXPECT_EQ(list.IndexOfID(8), 4);
    EXPECT_EQ(list.IndexOfID(5), 0);
}

}  // namespace
}  // namespace vx
