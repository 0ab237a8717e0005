#include "analysis/PedigreeShape.h"

#include <algorithm>

namespace vx {

void WPedigreeShape::Build(int32_t people, const NextFn& next) {
    people_ = std::max<int32_t>(people, 0);
    const size_t slots = static_cast<size_t>(people_) + 1;
    offsets_.assign(slots + 1, 0);
    targets_.clear();
    flags_.assign(slots, 0);
    std::vector<int32_t> raw;
    for (int32_t p = 1; p <= people_; ++p) {
        const size_t first = targets_.size();
        raw.clear();
        next(p, raw);
        for (const int32_t q : raw) {
            if (q == 0) continue;
            if (!InRange(q)) {
                flags_[static_cast<size_t>(p)] |= kOdd;
                continue;
            }
            // Families hold a handful of people: a linear search is cheapest.
            if (std::find(targets_.begin() + static_cast<std::ptrdiff_t>(first), targets_.end(),
                          q) == targets_.end())
                targets_.push_back(q);
        }
        offsets_[static_cast<size_t>(p) + 1] = static_cast<int32_t>(targets_.size());
    }
    FindLoops();
    FindCollapse();
    built_ = true;
}

// A depth-first walk from everybody on an explicit stack (lines may be far
// deeper than the call stack). A neighbour still on the path closes a loop;
// whoever reaches a loop is marked when finished.
void WPedigreeShape::FindLoops() {
    struct Frame {
        int32_t person;
        int32_t next;  // index into targets_
    };
    order_.clear();
    order_.reserve(static_cast<size_t>(people_));
    std::vector<Frame> stack;
    for (int32_t root = 1; root <= people_; ++root) {
        if (flags_[static_cast<size_t>(root)] & kDone) continue;
        flags_[static_cast<size_t>(root)] |= kOnPath;
        stack.push_back({root, offsets_[static_cast<size_t>(root)]});
        while (!stack.empty()) {
            Frame& top = stack.back();
            uint8_t& own = flags_[static_cast<size_t>(top.person)];
            if (top.next < offsets_[static_cast<size_t>(top.person) + 1]) {
                const int32_t q = targets_[static_cast<size_t>(top.next++)];
                const uint8_t seen = flags_[static_cast<size_t>(q)];
                if (seen & kOnPath) {
                    own |= kLooped;
                } else if (seen & kDone) {
                    own |= seen & kLooped;
                } else {
                    flags_[static_cast<size_t>(q)] |= kOnPath;
                    stack.push_back({q, offsets_[static_cast<size_t>(q)]});
                }
                continue;
            }
            own = static_cast<uint8_t>((own & ~kOnPath) | kDone);
            const uint8_t looped = own & kLooped;
            order_.push_back(top.person);
            stack.pop_back();
            if (!stack.empty()) flags_[static_cast<size_t>(stack.back().person)] |= looped;
        }
    }
}

// Two lines from a person's different neighbours can only meet at somebody
// with two different "children" (people naming them) that both lie on
// lines from that person: each such child names somebody or, at the
// person itself, names two or more people. Counting those children for
// everybody and passing "beyond here somebody has two" along the lines
// proves the lines apart wherever it is absent.
void WPedigreeShape::FindCollapse() {
    std::vector<uint8_t> named(static_cast<size_t>(people_) + 1, 0);
    for (const int32_t q : targets_)
        named[static_cast<size_t>(q)] = 1;
    std::vector<uint8_t> children(static_cast<size_t>(people_) + 1, 0);  // counts up to 2
    for (int32_t c = 1; c <= people_; ++c) {
        if (!named[static_cast<size_t>(c)] && NextCount(c) < 2) continue;
        for (const int32_t* q = NextBegin(c); q != NextEnd(c); ++q) {
            uint8_t& count = children[static_cast<size_t>(*q)];
            if (count < 2) ++count;
        }
    }
    for (const int32_t p : order_) {
        uint8_t& own = flags_[static_cast<size_t>(p)];
        bool collapsed = own & (kLooped | kOdd);
        for (const int32_t* q = NextBegin(p); q != NextEnd(p) && !collapsed; ++q)
            collapsed = children[static_cast<size_t>(*q)] >= 2 ||
                        (flags_[static_cast<size_t>(*q)] & kCollapsed);
        if (collapsed) own |= kCollapsed;
    }
}

bool WPedigreeShape::Separable(int32_t p) const {
    if (!InRange(p) || Looped(p) || Odd(p)) return false;
    if (NextCount(p) <= 1) return true;
    for (const int32_t* q = NextBegin(p); q != NextEnd(p); ++q)
        if (Flag(*q, kCollapsed)) return false;
    return true;
}

}  // namespace vx
