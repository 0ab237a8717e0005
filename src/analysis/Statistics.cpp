#include "analysis/Statistics.h"

#include <algorithm>
#include <vector>

#include "gedcom/ABSCollection.h"
#include "records/Individual.h"

namespace vx {

// Up: both spouses of every parent family; down: every child of every
// spouse family; in family order.
struct WFamilyStatistics::Direction {
    bool up;

    // The neighbours of p, and whether p has families in this direction.
    bool Next(const WABSCollection& c, int32_t p, std::vector<int32_t>& next) const {
        next.clear();
        auto person = c.Individual(p);
        if (!person) return false;
        const int families = up ? person->ParentFamilyCount() : person->SpouseFamilyCount();
        for (int i = 1; i <= families; ++i) {
            const int32_t f = up ? person->ParentFamily(i) : person->SpouseFamily(i);
            auto family = (f > 0 && f <= c.FamilyCount()) ? c.Family(f) : nullptr;
            if (!family) continue;
            if (up) {
                next.push_back(family->Husband());
                next.push_back(family->Wife());
            } else {
                for (int k = 1; k <= family->ChildCount(); ++k)
                    next.push_back(family->Child(k));
            }
        }
        return families > 0;
    }
};

namespace {
constexpr WFamilyStatistics::Direction kUp{true};
constexpr WFamilyStatistics::Direction kDown{false};
}  // namespace

struct WFamilyStatistics::Caches {
    explicit Caches(int32_t people)
        : visitStamp(people),
          onPath(people),
          ancestorCount(people),
          descendantCount(people),
          ancestorGenerations(people),
          descendantGenerations(people),
          ancestorSum(people),
          ancestorLines(people),
          descendantSum(people),
          descendantLines(people) {
        for (WIntArray* a :
             {&ancestorCount, &descendantCount, &ancestorGenerations, &descendantGenerations})
            a->Fill(-1);
        for (WFloatArray* a : {&ancestorSum, &ancestorLines, &descendantSum, &descendantLines})
            a->Fill(-1);
    }
    // Visited flags as stamps: a count marks with a new stamp instead of
    // clearing one flag per individual each time.
    WIntArray visitStamp;
    int32_t stamp = 0;
    WBoolArray onPath;  // the individuals of the path being computed
    WIntArray ancestorCount, descendantCount, ancestorGenerations, descendantGenerations;
    WFloatArray ancestorSum, ancestorLines, descendantSum, descendantLines;
    WPedigreeShape upShape, downShape;
};

WFamilyStatistics::WFamilyStatistics(const WABSCollection& collection) : collection_(collection) {}
WFamilyStatistics::~WFamilyStatistics() = default;

void WFamilyStatistics::EnsureCaches() {
    if (!caches_) caches_ = std::make_unique<Caches>(collection_.IndividualCount());
}

int32_t WFamilyStatistics::AncestorCount(int32_t n) {
    EnsureCaches();
    return Count(n, kUp, caches_->ancestorCount);
}

int32_t WFamilyStatistics::DescendantCount(int32_t n) {
    EnsureCaches();
    return Count(n, kDown, caches_->descendantCount);
}

int32_t WFamilyStatistics::AncestorGenerations(int32_t n) {
    if (n == 0) return -1;
    EnsureCaches();
    return Generations(n, kUp, caches_->ancestorGenerations);
}

int32_t WFamilyStatistics::DescendantGenerations(int32_t n) {
    if (n == 0) return -1;
    EnsureCaches();
    return Generations(n, kDown, caches_->descendantGenerations);
}

long double WFamilyStatistics::AverageAncestorGenerations(int32_t n) {
    if (n == 0) return -1;
    EnsureCaches();
    return Average(n, kUp, caches_->ancestorSum, caches_->ancestorLines);
}

long double WFamilyStatistics::AverageDescendantGenerations(int32_t n) {
    if (n == 0) return -1;
    EnsureCaches();
    return Average(n, kDown, caches_->descendantSum, caches_->descendantLines);
}

const WPedigreeShape& WFamilyStatistics::ShapeOf(const Direction& way) {
    WPedigreeShape& shape = way.up ? caches_->upShape : caches_->downShape;
    if (!shape.Built())
        shape.Build(collection_.IndividualCount(),
                    [&](int32_t p, std::vector<int32_t>& out) { way.Next(collection_, p, out); });
    return shape;
}

// Every individual reachable from n in one direction, each once. Where the
// lines through n's neighbours are proved apart, n's count is the sum of
// theirs (each plus the neighbour itself), worked out neighbours first on
// an explicit stack; elsewhere n is walked. A long line thus costs one step
// per person instead of one walk per person.
int32_t WFamilyStatistics::Count(int32_t n, const Direction& way, WIntArray& cache) {
    const int32_t cached = cache.GetValue(n);
    if (cached != -1 && cache.InRange(n)) return cached;
    if (!cache.InRange(n)) return WalkCount(n, way);
    const WPedigreeShape& shape = ShapeOf(way);
    std::vector<int32_t> pending{n};
    while (!pending.empty()) {
        const int32_t p = pending.back();
        if (cache.GetValue(p) != -1) {
            pending.pop_back();
            continue;
        }
        if (!shape.Separable(p)) {
            const int32_t count = WalkCount(p, way);
            if (count < 0) return -1;  // cancelled: nothing half-done is kept
            cache.SetValue(p, count);
            pending.pop_back();
            continue;
        }
        int32_t sum = 0;
        bool ready = true;
        for (const int32_t* q = shape.NextBegin(p); q != shape.NextEnd(p); ++q) {
            const int32_t count = cache.GetValue(*q);
            if (count == -1) {
                pending.push_back(*q);
                ready = false;
            }
            sum += count + 1;
        }
        if (!ready) continue;
        cache.SetValue(p, sum);
        pending.pop_back();
    }
    return cache.GetValue(n);
}

int32_t WFamilyStatistics::WalkCount(int32_t n, const Direction& way) {
    Caches& c = *caches_;
    const int32_t stamp = ++c.stamp;
    c.visitStamp.SetValue(n, stamp);
    std::vector<int32_t> pending, next;
    way.Next(collection_, n, pending);
    int32_t count = 0, steps = 0;
    while (!pending.empty()) {
        if (++steps % kCancelCheckEvery == 0 && WalkCancelled()) return -1;
        const int32_t p = pending.back();
        pending.pop_back();
        if (p == 0 || c.visitStamp.GetValue(p) == stamp) continue;
        c.visitStamp.SetValue(p, stamp);
        ++count;
        way.Next(collection_, p, next);
        pending.insert(pending.end(), next.begin(), next.end());
    }
    return count;
}

// The deepest line in one direction. A depth-first walk that keeps the
// current path; a person met again on the path (a loop in the data) counts
// 0. The frames of an explicit stack stand for the nested calls, in the
// same order, so the cached depths are the same as a recursive walk's.
int32_t WFamilyStatistics::Generations(int32_t n, const Direction& way, WIntArray& cache) {
    struct Frame {
        int32_t person;
        std::vector<int32_t> next;
        size_t index = 0;
        int32_t deepest = 0;
    };
    Caches& c = *caches_;
    std::vector<Frame> stack;
    // A call on q: its depth at once, or a new frame to be finished later.
    auto call = [&](int32_t q, int32_t& depth) {
        depth = 0;
        if (q <= 0 || q > collection_.IndividualCount()) return false;
        if (cache.GetValue(q) >= 0) {
            depth = cache.GetValue(q);
            return false;
        }
        if (c.onPath.GetFlag(q)) return false;
        Frame frame{q, {}, 0, 0};
        if (!way.Next(collection_, q, frame.next)) {
            cache.SetValue(q, 0);
            return false;
        }
        c.onPath.SetFlag(q, true);
        stack.push_back(std::move(frame));
        return true;
    };
    int32_t result = 0;
    if (!call(n, result)) return result;
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.index < top.next.size()) {
            const int32_t q = top.next[top.index++];
            int32_t depth = 0;
            if (!call(q, depth)) stack.back().deepest = std::max(stack.back().deepest, depth);
            continue;
        }
        const int32_t value = top.deepest + 1;
        cache.SetValue(top.person, value);
        c.onPath.SetFlag(top.person, false);
        stack.pop_back();
        if (stack.empty())
            result = value;
        else
            stack.back().deepest = std::max(stack.back().deepest, value);
    }
    return result;
}

// The number of lines and the sum of their generation distances, the mean
// being their ratio. Same explicit-stack walk as Generations; a person met
// again on the path gets no lines of its own (0 and 0) for the rest of the
// walk.
long double WFamilyStatistics::Average(int32_t n, const Direction& way, WFloatArray& sums,
                                       WFloatArray& counts) {
    struct Frame {
        int32_t person;
        std::vector<int32_t> next;
        size_t index = 0;
        long double sum = 0;
        long double lines = 0;
    };
    Caches& c = *caches_;
    std::vector<Frame> stack;
    auto add = [&](Frame& frame, int32_t q) {
        if (!sums.InRange(q) || sums.GetValue(q) < 0) return;
        frame.sum += sums.GetValue(q) + counts.GetValue(q) + 1;
        frame.lines += counts.GetValue(q) + 1;
    };
    auto call = [&](int32_t q) {
        if (q <= 0 || q > collection_.IndividualCount()) return false;
        if (c.onPath.GetFlag(q)) {
            sums.SetValue(q, 0);
            counts.SetValue(q, 0);
            return false;
        }
        if (sums.GetValue(q) >= 0) return false;
        Frame frame{q, {}, 0, 0, 0};
        if (!way.Next(collection_, q, frame.next)) {
            sums.SetValue(q, 0);
            counts.SetValue(q, 0);
            return false;
        }
        c.onPath.SetFlag(q, true);
        stack.push_back(std::move(frame));
        return true;
    };
    if (sums.GetValue(n) < 0) call(n);
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.index < top.next.size()) {
            const int32_t q = top.next[top.index++];
            if (q != 0 && !call(q)) add(stack.back(), q);
            continue;
        }
        sums.SetValue(top.person, top.sum);
        counts.SetValue(top.person, top.lines);
        c.onPath.SetFlag(top.person, false);
        const int32_t finished = top.person;
        stack.pop_back();
        if (!stack.empty()) add(stack.back(), finished);
    }
    const long double lines = counts.GetValue(n);
    return lines > 0 ? sums.GetValue(n) / lines : 0;
}

}  // namespace vx
