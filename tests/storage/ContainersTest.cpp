#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/Errors.h"
#include "storage/IntContainers.h"
#include "storage/TypedArrays.h"

namespace vx {
namespace {

TEST(TypedArraysTest, OutOfRangeReadsGiveZeroAndWritesAreIgnored) {
    WIntArray ints(3);
    ints.SetValue(0, 5);
    ints.SetValue(4, 5);
    ints.Increment(4);
    ints.Increment(2);
    ints.Increment(2);
    EXPECT_EQ(ints.GetValue(0), 0);
    EXPECT_EQ(ints.GetValue(2), 2);
    EXPECT_EQ(ints.GetValue(4), 0);
    ints.Fill(-1);
    EXPECT_EQ(ints.GetValue(3), -1);

    WBoolArray flags(2);
    flags.SetFlag(2, true);
    flags.SetFlag(3, true);
    EXPECT_TRUE(flags.GetFlag(2));
    EXPECT_FALSE(flags.GetFlag(3));
    const char two = 2;
    flags.SetItem(1, &two);
    EXPECT_FALSE(flags.GetFlag(1));  // only a stored 1 is true
    flags.Fill(true);
    EXPECT_TRUE(flags.GetFlag(1));
}

TEST(TypedArraysTest, FloatsKeepExtendedPrecision) {
    WFloatArray floats(2);
    const long double third = 1.0L / 3.0L;
    floats.SetValue(1, third);
    EXPECT_EQ(floats.GetValue(1), third);
    EXPECT_NE(static_cast<long double>(static_cast<double>(third)), third);
    EXPECT_EQ(floats.GetValue(3), 0.0L);
    floats.Fill(2.5L);
    EXPECT_EQ(floats.GetValue(2), 2.5L);
}

TEST(TypedArraysTest, IslandRankingPutsTheLargestFirst) {
    WIslandSortIndex islands(4);
    for (int32_t island : {2, 2, 4, 2, 4, 1})
        islands.AddMember(island);
    islands.AddMember(9);               // no such island
    EXPECT_EQ(islands.IslandAt(3), 3);  // unsorted: position is the island
    islands.Sort();
    EXPECT_EQ(islands.IslandAt(1), 2);
    EXPECT_EQ(islands.MemberCount(1), 3);
    EXPECT_EQ(islands.IslandAt(2), 4);
    EXPECT_EQ(islands.IslandAt(3), 1);
    EXPECT_EQ(islands.IslandAt(4), 3);
    EXPECT_EQ(islands.IslandAt(5), 0);
}

TEST(IntStackTest, PushPopPeekAndText) {
    WIntStack stack;
    EXPECT_EQ(stack.Pop(), 0);
    EXPECT_EQ(stack.Count(), 0);
    EXPECT_EQ(stack.AsText(), "");
    EXPECT_EQ(stack.Peek(), 0);
    for (int32_t v : {4, 5, 6})
        stack.Push(v);
    EXPECT_EQ(stack.Peek(), 6);
    EXPECT_EQ(stack.Peek(1), 4);
    EXPECT_EQ(stack.Peek(4), 0);
    EXPECT_EQ(stack.AsText(), "4,5,6,");
    EXPECT_TRUE(stack.Contains(5));
    EXPECT_EQ(stack.Pop(), 6);
    EXPECT_FALSE(stack.Contains(6));  // popped slots are not searched
    stack.Push(7);                    // and are reused
    EXPECT_EQ(stack.AsText(), "4,5,7,");
    stack.Clear();
    EXPECT_TRUE(stack.IsEmpty());
    stack.Push(1);
    EXPECT_EQ(stack.AsText(), "1,");
}

TEST(IntFIFOTest, FreedSlotsAreReusedAndOrderIsKept) {
    WIntFIFO queue;
    for (int32_t v : {1, 2, 3})
        queue.Put(v);
    int32_t value = 0;
    ASSERT_TRUE(queue.Get(value));
    EXPECT_EQ(value, 1);
    queue.Put(4);
    std::vector<int32_t> out;
    while (queue.Get(value))
        out.push_back(value);
    EXPECT_EQ(out, (std::vector<int32_t>{2, 3, 4}));
    EXPECT_EQ(queue.Count(), 0);
    EXPECT_FALSE(queue.Get(value));
}

TEST(IntFIFOTest, LongBreadthFirstTrafficStaysInOrder) {
    WIntFIFO queue;
    int32_t next = 0, expected = 0, value = 0;
    // Put two for every one taken, then drain: a queue that keeps growing.
    for (int round = 0; round < 100000; ++round) {
        queue.Put(next++);
        queue.Put(next++);
        ASSERT_TRUE(queue.Get(value));
        ASSERT_EQ(value, expected++);
    }
    while (queue.Get(value))
        ASSERT_EQ(value, expected++);
    EXPECT_EQ(expected, next);
}

}  // namespace
}  // namespace vx
