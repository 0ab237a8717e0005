// Ancestor and descendant statistics of individuals: distinct counts,
// deepest generation and the average generation over all lines. Values are
// computed on first request and cached for the life of the file (the data
// never change), inner results on the way included.
#pragma once

#include <memory>

#include "analysis/PedigreeShape.h"
#include "storage/TypedArrays.h"

namespace vx {

class WABSCollection;

class WFamilyStatistics {
  public:
    explicit WFamilyStatistics(const WABSCollection& collection);
    ~WFamilyStatistics();

    // Distinct ancestors (descendants), the individual itself excluded; -1
    // when the wait dialog's Cancel stopped the count.
    int32_t AncestorCount(int32_t n);
    int32_t DescendantCount(int32_t n);
    // The longest line of parent (spouse) families; -1 for individual 0.
    int32_t AncestorGenerations(int32_t n);
    int32_t DescendantGenerations(int32_t n);
    // The mean generation over all lines (a person reached along two lines
    // counts twice); 0 without any; -1 for individual 0.
    long double AverageAncestorGenerations(int32_t n);
    long double AverageDescendantGenerations(int32_t n);

    // The people one step away: up (both parents of every parent family) or
    // down (every child of every spouse family). 0 entries are kept.
    struct Direction;

  private:
    struct Caches;
    int32_t Count(int32_t n, const Direction& way, WIntArray& cache);
    // Counts by visiting everybody reachable from n; -1 when cancelled.
    int32_t WalkCount(int32_t n, const Direction& way);
    const WPedigreeShape& ShapeOf(const Direction& way);
    int32_t Generations(int32_t n, const Direction& way, WIntArray& cache);
    long double Average(int32_t n, const Direction& way, WFloatArray& sums, WFloatArray& counts);
    void EnsureCaches();

    const WABSCollection& collection_;
    std::unique_ptr<Caches> caches_;
};

}  // namespace vx
