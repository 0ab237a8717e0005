// The shape of the family graph in one direction (up to parents or down to
// children), read once so that answers about everybody can share work.
// Walking a long line once per person is quadratic; a person whose lines
// through different neighbours never meet (no pedigree collapse, no loop)
// can instead combine the answers of those neighbours. The shape tells
// which people allow that, exactly: where it cannot tell, callers walk.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "app/Services.h"

namespace vx {

// Whether the user pressed Cancel in the wait dialog that is showing. A
// flag left over from an earlier dialog, or raised under a wait without
// Cancel, never stops a walk.
inline bool WalkCancelled() {
    return WorkCancelled();
}

// Steps of a walk between looks at the Cancel flag.
inline constexpr int32_t kCancelCheckEvery = 1 << 14;

class WPedigreeShape {
  public:
    // Appends the people one step away from p, in walk order; 0 entries,
    // repeats and numbers outside 1..people may appear.
    using NextFn = std::function<void(int32_t p, std::vector<int32_t>& out)>;

    void Build(int32_t people, const NextFn& next);
    bool Built() const { return built_; }
    int32_t People() const { return people_; }
    bool InRange(int32_t p) const { return p >= 1 && p <= people_; }

    // The distinct in-range neighbours of p in order of first appearance.
    const int32_t* NextBegin(int32_t p) const { return targets_.data() + offsets_[Slot(p)]; }
    const int32_t* NextEnd(int32_t p) const { return targets_.data() + offsets_[Slot(p) + 1]; }
    int32_t NextCount(int32_t p) const { return offsets_[Slot(p) + 1] - offsets_[Slot(p)]; }

    // p named a non-zero number outside 1..people.
    bool Odd(int32_t p) const { return Flag(p, kOdd); }
    // A loop of the data can be reached from p.
    bool Looped(int32_t p) const { return Flag(p, kLooped); }
    // Whether the people reachable from p through different neighbours are
    // all different people, none of them p itself, and no neighbour names an
    // odd number: then whatever counts or searches distinct people beyond p
    // is the combination of its neighbours' answers.
    bool Separable(int32_t p) const;

  private:
    enum Bits : uint8_t { kOdd = 1, kLooped = 2, kCollapsed = 4, kOnPath = 8, kDone = 16 };

    size_t Slot(int32_t p) const { return InRange(p) ? static_cast<size_t>(p) : 0; }
    bool Flag(int32_t p, uint8_t bit) const { return InRange(p) && (flags_[Slot(p)] & bit); }
    void FindLoops();
    void FindCollapse();

    bool built_ = false;
    int32_t people_ = 0;
    std::vector<int32_t> offsets_;  // slot 0 and every person: a range of targets_
    std::vector<int32_t> targets_;
    std::vector<uint8_t> flags_;
    // Everybody, each after all the people reachable from them (loops
    // aside): answers can be filled in this order.
    std::vector<int32_t> order_;
};

}  // namespace vx
