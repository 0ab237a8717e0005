#include "archive/RowWalk.h"

#include <algorithm>

namespace vx {

void TRowWalk::SetOwners(const std::array<uint32_t, 257>& first) {
    first_ = first;
    rows_ = first[256];
    for (uint32_t b = 0, slot = 0; slot <= (rows_ >> kOwnerShift); ++slot) {
        while (b < 255 && first_[b + 1] <= slot << kOwnerShift)
            ++b;
        coarseOwner_[slot] = static_cast<uint8_t>(b);
    }
}

void TRowWalk::WritePlain(uint32_t start, uint8_t* out, uint32_t count) const {
    uint32_t row = start;
    for (uint32_t j = 0; j < count; ++j) {
        out[j] = Owner(row);
        row = areas_.Link(row);
    }
}

void TRowWalk::Write(uint32_t start, uint8_t* out, uint32_t count) {
    start_ = start;
    segmentSlots_ = 1 + ((rows_ - 1) >> kSegmentShift) + 1;
    // A walk shorter than a few segments gains nothing from them.
    if (count < kLanes * kSegmentRows || !Measure() || !Place()) {
        WritePlain(start, out, count);
        return;
    }
    WriteSegments(out, count);
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

bool TRowWalk::Measure() {
    std::array<Lane, kLanes> lanes;
    int active = 0;
    uint32_t handed = 0;
    while (active < kLanes && NextSegment(handed, lanes[active].segment)) {
        lanes[active].row = SegmentStart(lanes[active].segment);
        lanes[active].steps = 0;
        ++active;
    }
    // Every row is left exactly once in a ring through all of them; more
    // steps than rows means a segment goes round a ring of its own.
    uint64_t taken = 0;
    while (active > 0) {
        taken += static_cast<uint64_t>(active);
        if (taken > rows_ + static_cast<uint64_t>(kLanes)) return false;
        for (int i = 0; i < active;) {
            Lane& lane = lanes[i];
            ++lane.steps;
            lane.row = areas_.Link(lane.row);
            if (IsSegmentStart(lane.row)) {
                length_[lane.segment] = lane.steps;
                successor_[lane.segment] = SegmentOf(lane.row);
                if (!NextSegment(handed, lane.segment)) {
                    lane = lanes[--active];
                    continue;
                }
                lane.row = SegmentStart(lane.segment);
                lane.steps = 0;
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

void TRowWalk::WriteSegments(uint8_t* out, uint32_t count) {
    std::array<Lane, kLanes> lanes;
    int active = 0;
    uint32_t handed = 0;
    // Hands a lane the next segment with bytes before `count`.
    auto start = [&](Lane& lane) {
        uint32_t segment;
        while (NextSegment(handed, segment)) {
            if (offset_[segment] >= count) continue;
            lane.segment = segment;
            lane.row = SegmentStart(segment);
            lane.at = offset_[segment];
            lane.steps = std::min(length_[segment], count - lane.at);
            return true;
        }
        return false;
    };
    while (active < kLanes && start(lanes[active]))
        ++active;
    while (active > 0) {
        for (int i = 0; i < active;) {
            Lane& lane = lanes[i];
            out[lane.at++] = Owner(lane.row);
            lane.row = areas_.Link(lane.row);
            if (--lane.steps == 0 && !start(lane)) {
                lane = lanes[--active];
                continue;
            }
            ++i;
        }
    }
}

}  // namespace vx
