// Islands: groups of individuals connected through family links. They are
// found once per file, ranked by size (largest first), and one of them can
// become the view to which the whole program is confined.
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

    // Confines the view to the island of that rank (dropping a previous
    // view); a rank beyond the islands only drops the view.
    void UseIsland(int32_t rank);
    void ClearIslandView() { view_.reset(); }
    bool HasView() const { return view_ != nullptr; }

    int32_t ViewCount() const;
    int32_t ViewIndividual(int32_t position) const;
    int32_t ViewPosition(int32_t individual) const;

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
    // The members of the island in view, in increasing individual number.
    std::unique_ptr<WIntArray> view_;
    int32_t islandCount_ = 0;
    bool computing_ = false;
};

}  // namespace vx
