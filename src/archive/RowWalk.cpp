#include "archive/RowWalk.h"

#include <algorithm>
#include <cstring>

namespace vx {

TRowWalk::TRowWalk(const TBlockMan& areas) : areas_(areas), scratch_(new uint8_t[kScratchBytes]) {}

void TRowWalk::WritePlain(uint32_t start, uint8_t* out, uint32_t count) const {
    uint32_t row = start;
    for (uint32_t j = 0; j < count; ++j) {
        const uint32_t entry = areas_.Entry(row);
        out[j] = static_cast<uint8_t>(entry);
        row = entry >> TBlockMan::kRowShift;
    }
}

void TRowWalk::Write(uint32_t rows, uint32_t start, uint8_t* out, uint32_t count) {
    rows_ = rows;
    start_ = start;
    segmentSlots_ = 1 + ((rows_ - 1) >> kSegmentShift) + 1;
    // A walk shorter than a few segments gains nothing from them.
    if (count < kLanes * kSegmentRows || !WalkSegments() || !Place()) {
        WritePlain(start, out, count);
        return;
    }
    CopyOut(out, count);
}

bool TRowWalk::NextSegment(uint32_t& handed, uint32_t& segment) const {
    while (handed < segmentSlots_) {
        const uint32_t candidate = handed++;
        if (candidate == 0 || SegmentStart(candidate) != start_) {
            segment = candidate;
            return true;
        }
    }
    return false;
}

bool TRowWalk::WalkSegments() {
    struct Lane {
        uint32_t row;
        uint32_t segment;
        uint32_t steps;       // taken in this segment
        uint32_t pieceStart;  // where this segment's bytes in the chunk begin
        uint32_t at;          // where the next byte goes
        uint32_t chunkEnd;
    };
    pieces_.clear();
    uint32_t handed = 0;
    uint32_t nextChunk = 0;
    // Every row is left exactly once in a ring through all of them, so the
    // chunks never run out there; running out means a segment goes round a
    // ring of its own.
    auto newChunk = [&](Lane& lane) {
        if (nextChunk + kChunkBytes > kScratchBytes) return false;
        lane.pieceStart = lane.at = nextChunk;
        lane.chunkEnd = nextChunk += kChunkBytes;
        return true;
    };
    auto startSegment = [&](Lane& lane) {
        if (!NextSegment(handed, lane.segment)) return false;
        lane.row = SegmentStart(lane.segment);
        lane.steps = 0;
        lane.pieceStart = lane.at;
        return true;
    };
    auto closePiece = [&](const Lane& lane) {
        if (lane.at > lane.pieceStart)
            pieces_.push_back({lane.segment, lane.pieceStart, lane.at - lane.pieceStart});
    };

    std::array<Lane, kLanes> lanes;
    int active = 0;
    while (active < kLanes) {
        Lane& lane = lanes[active];
        if (!newChunk(lane)) return false;
        if (!startSegment(lane)) break;
        ++active;
    }
    while (active > 0) {
        for (int i = 0; i < active;) {
            Lane& lane = lanes[i];
            const uint32_t entry = areas_.Entry(lane.row);
            scratch_[lane.at++] = static_cast<uint8_t>(entry);
            ++lane.steps;
            lane.row = entry >> TBlockMan::kRowShift;
            if (IsSegmentStart(lane.row)) {
                closePiece(lane);
                length_[lane.segment] = lane.steps;
                successor_[lane.segment] = SegmentOf(lane.row);
                if (!startSegment(lane)) {
                    lane = lanes[--active];
                    continue;
                }
            }
            if (lane.at == lane.chunkEnd) {
                closePiece(lane);
                if (!newChunk(lane)) return false;
            }
            ++i;
        }
    }
    return true;
}

bool TRowWalk::Place() {
    uint32_t segments = 0;
    for (uint32_t s = 0; s < segmentSlots_; ++s) {
        offset_[s] = kUnplaced;
        if (s == 0 || SegmentStart(s) != start_) ++segments;
    }
    uint64_t offset = 0;
    uint32_t segment = 0;
    for (uint32_t placed = 0; placed < segments; ++placed) {
        if (offset_[segment] != kUnplaced) return false;  // a ring short of every segment
        offset_[segment] = static_cast<uint32_t>(offset);
        offset += length_[segment];
        segment = successor_[segment];
    }
    return segment == 0 && offset == rows_;
}

// A segment's pieces were recorded in the order they were written, so each
// goes to its segment's place plus what came before it in that segment.
void TRowWalk::CopyOut(uint8_t* out, uint32_t count) {
    std::array<uint32_t, kMaxSegments> written{};
    for (const Piece& piece : pieces_) {
        const uint32_t at = offset_[piece.segment] + written[piece.segment];
        written[piece.segment] += piece.length;
        if (at >= count) continue;
        std::memcpy(out + at, scratch_.get() + piece.at, std::min(piece.length, count - at));
    }
}

}  // namespace vx
