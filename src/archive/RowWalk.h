// The last stage of block decoding: the walk through the inverse
// transform's successor table that puts a block's bytes in order.
//
// Each step of a walk waits for the memory read of the step before, so one
// walk leaves the processor idle most of the time. The rows are therefore
// cut into segments at every kSegmentRows-th row, and several segments are
// walked at once, each writing its bytes into chunks of a scratch area.
// Once every segment is known with its length and the segment it leads to,
// the segments are copied out in the order of the ring that starts at the
// start row. A table that is not one ring through every row (only a damaged
// block has one) is walked the plain way instead, so the bytes never depend
// on how they were found.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "archive/BlockMan.h"

namespace vx {

class TRowWalk {
  public:
    explicit TRowWalk(const TBlockMan& areas);

    // out[j], for j below count, is the owning byte of row j of the walk
    // that starts at row `start` and goes from each row to the one its
    // entry names, through a table of `rows` rows.
    void Write(uint32_t rows, uint32_t start, uint8_t* out, uint32_t count);

    // The same, one step after another: the reference the segmented walk
    // must equal, and the way a damaged table is read.
    void WritePlain(uint32_t start, uint8_t* out, uint32_t count) const;

    static constexpr int kSegmentShift = 10;
    static constexpr uint32_t kSegmentRows = 1u << kSegmentShift;

  private:
    static constexpr int kLanes = 8;  // segments walked at once
    static constexpr uint32_t kChunkBytes = 4096;
    // Room for every row, plus a chunk per lane left partly used.
    static constexpr uint32_t kScratchBytes = TBlockMan::kMaxEntries + kLanes * kChunkBytes;
    static constexpr int kMaxSegments = 2 + (TBlockMan::kMaxEntries >> kSegmentShift);
    static constexpr uint32_t kUnplaced = UINT32_MAX;

    // Bytes of one segment that lie together in the scratch area.
    struct Piece {
        uint32_t segment;
        uint32_t at;
        uint32_t length;
    };

    bool IsSegmentStart(uint32_t row) const { return row % kSegmentRows == 0 || row == start_; }
    // Segment 0 starts at the walk's start row; segment k + 1 at row
    // k * kSegmentRows (unused when that is the start row).
    uint32_t SegmentOf(uint32_t row) const {
        return row == start_ ? 0 : 1 + (row >> kSegmentShift);
    }
    uint32_t SegmentStart(uint32_t segment) const {
        return segment == 0 ? start_ : (segment - 1) << kSegmentShift;
    }
    // The next segment not yet handed to a lane, or false.
    bool NextSegment(uint32_t& handed, uint32_t& segment) const;

    // Walks every segment into the scratch area; false when the rows are
    // not one ring.
    bool WalkSegments();
    // Orders the segments from the start row; false when they do not chain
    // into one ring through every row.
    bool Place();
    void CopyOut(uint8_t* out, uint32_t count);

    const TBlockMan& areas_;
    uint32_t rows_ = 0;
    uint32_t start_ = 0;
    uint32_t segmentSlots_ = 0;  // segment numbers in use: below this
    std::array<uint32_t, kMaxSegments> length_{};
    std::array<uint32_t, kMaxSegments> successor_{};
    std::array<uint32_t, kMaxSegments> offset_{};
    std::unique_ptr<uint8_t[]> scratch_;  // kScratchBytes
    std::vector<Piece> pieces_;
};

}  // namespace vx
