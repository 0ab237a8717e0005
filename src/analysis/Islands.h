// Islands: groups of individuals connected through family links. They are
// found once per file and ranked by size (largest first); one of them can
// become the view (IslandView) to which the whole program is confined.
#pragma once

#include <memory>

#include "storage/TypedArrays.h"

namespace vx {

class CancelPoll;
class WABSCollection;

class WIslands {
  public:
    explicit WIslands(const WABSCollection& collection) : collection_(collection) {}

    // Computes the islands once; returns their number. When the wait
    // dialog's Cancel stops the work, nothing is kept (0, not computed).
    int32_t ComputeIslands();
    bool IslandsComputed() const { return islandOfIndividual_ != nullptr; }
    int32_t IslandCount() const { return islandCount_; }

    // By rank (1 = largest); 0 beyond the number of islands.
    int32_t IslandIndividuals(int32_t rank) const;
    int32_t IslandFamilies(int32_t rank) const;
    int32_t IslandFirstIndividual(int32_t rank) const;
    // The rank of the individual's island (computing the islands first).
    int32_t IslandRankOf(int32_t individual);

    // Appends the members of the island of that rank, in increasing
    // individual number; false (nothing appended) for a rank beyond the
    // islands or before they are computed.
    bool CollectMembers(int32_t rank, WIntArray& members) const;

  private:
    int32_t IslandAtRank(int32_t rank) const;
    // False when cancelled.
    bool Flood(int32_t start, int32_t island, int64_t& steps, CancelPoll& poll);
    // Drops every island array: nothing computed.
    void Forget();

    const WABSCollection& collection_;
    std::unique_ptr<WIntArray> islandOfIndividual_;
    std::unique_ptr<WIntArray> islandOfFamily_;
    std::unique_ptr<WIntArray> individualsPerIsland_;
    std::unique_ptr<WIntArray> familiesPerIsland_;
    std::unique_ptr<WIntArray> firstIndividualPerIsland_;
    std::unique_ptr<WIslandSortIndex> ranking_;
    // The rank of each island number, the inverse of the ranking.
    std::unique_ptr<WIntArray> rankOfIsland_;
    int32_t islandCount_ = 0;
    bool computing_ = false;
};

}  // namespace vx
