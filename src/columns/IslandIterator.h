// The individuals of one island, for the Islands tab's member list: a
// sortable list that starts in increasing individual number.
#pragma once

#include <memory>

#include "columns/ColSortIterator.h"

namespace vx {

class FamilyAnalysis;
class WIslands;

class WIslandIterator : public WColSortIterator {
  public:
    // The list of the island of that rank (1 = largest), or null for a rank
    // beyond the islands. Computes the islands first when needed.
    static std::unique_ptr<WIslandIterator> Create(FamilyAnalysis* analysis, int32_t rank);

    void Build() override;
    int32_t Rank() const { return rank_; }

  private:
    WIslandIterator(FamilyAnalysis& analysis, int32_t rank);
    WIslands& islands_;
    int32_t rank_;
};

}  // namespace vx
