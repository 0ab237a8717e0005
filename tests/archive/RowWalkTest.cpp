// The segmented walk through the inverse transform's table must write
// exactly the bytes of the plain walk: on one ring through every row, from
// any start row, and on damaged tables made of several rings.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "archive/RowWalk.h"

namespace vx::test {
namespace {

constexpr uint32_t kSegment = TRowWalk::kSegmentRows;

class RowWalkTest : public ::testing::Test {
  protected:
    // Entries following `order` round one ring: order[k] leads to
    // order[k + 1]. Each row is owned by a byte of its own choosing.
    void LinkRing(const std::vector<uint32_t>& order) {
        for (size_t k = 0; k < order.size(); ++k)
            areas_.SetEntry(order[k], order[(k + 1) % order.size()],
                            static_cast<uint8_t>(random_()));
    }
    std::vector<uint32_t> Shuffled(uint32_t rows) {
        rows_ = rows;
        std::vector<uint32_t> order(rows);
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), random_);
        return order;
    }
    void ExpectSameAsPlain(uint32_t start, uint32_t count) {
        std::vector<uint8_t> plain(count + 1, 0xAB), segmented(count + 1, 0xAB);
        // One walk for every block, as in decoding.
        walk_.WritePlain(start, plain.data(), count);
        walk_.Write(rows_, start, segmented.data(), count);
        ASSERT_EQ(segmented, plain) << "start " << start << ", count " << count;
    }

    std::mt19937 random_{11};
    TBlockMan areas_;
    TRowWalk walk_{areas_};
    uint32_t rows_ = 0;
};

TEST_F(RowWalkTest, OneRingReadsAsThePlainWalkFromAnyStart) {
    for (uint32_t rows : {10u, 8 * kSegment + 5, 50'000u, uint32_t{TBlockMan::kMaxEntries}}) {
        const std::vector<uint32_t> order = Shuffled(rows);
        LinkRing(order);
        // Decoding asks for two bytes fewer than the rows (the first byte
        // comes from elsewhere, the sentinel is not written).
        for (uint32_t start : {order[0], order[rows / 2], 0u, std::min(rows - 1, 3 * kSegment)}) {
            ExpectSameAsPlain(start, rows - 2);
            ExpectSameAsPlain(start, rows / 3);
        }
    }
}

TEST_F(RowWalkTest, DamagedTablesReadAsThePlainWalk) {
    const uint32_t rows = 40 * kSegment + 17;
    std::vector<uint32_t> order = Shuffled(rows);

    // Two rings, each through some segment starts: the walk goes round the
    // start's ring again and again.
    const std::vector<uint32_t> firstRing(order.begin(), order.begin() + rows / 3);
    const std::vector<uint32_t> secondRing(order.begin() + rows / 3, order.end());
    LinkRing(firstRing);
    LinkRing(secondRing);
    ExpectSameAsPlain(firstRing[5], rows - 2);
    ExpectSameAsPlain(secondRing[0], rows - 2);

    // A small ring with no segment start in it beside one big ring.
    std::vector<uint32_t> loner;
    std::vector<uint32_t> rest;
    for (uint32_t row : order)
        (loner.size() < 3 && row % kSegment != 0 ? loner : rest).push_back(row);
    LinkRing(loner);
    LinkRing(rest);
    ExpectSameAsPlain(rest[0], rows - 2);
    ExpectSameAsPlain(loner[1], rows - 2);

    // A row leading to itself.
    LinkRing(order);
    areas_.SetEntry(order[7], order[7], 'x');
    ExpectSameAsPlain(order[0], rows - 2);
}

}  // namespace
}  // namespace vx::test
