#include "columns/IslandIterator.h"

#include "analysis/FamilyAnalysis.h"
#include "analysis/Islands.h"
#include "gedcom/ABSCollection.h"

namespace vx {

std::unique_ptr<WIslandIterator> WIslandIterator::Create(FamilyAnalysis* analysis, int32_t rank) {
    if (!analysis || rank < 1 || rank > analysis->Islands().ComputeIslands()) return nullptr;
    std::unique_ptr<WIslandIterator> list(new WIslandIterator(*analysis, rank));
    list->EnsureBuilt();
    return list;
}

WIslandIterator::WIslandIterator(FamilyAnalysis& analysis, int32_t rank)
    : WColSortIterator(&analysis.Collection(), nullptr),
      islands_(analysis.Islands()),
      rank_(rank) {}

void WIslandIterator::Build() {
    const int32_t count = Collection()->IndividualCount();
    for (int32_t n = 1; n <= count; ++n)
        if (islands_.IslandRankOf(n) == rank_) AppendID(n);
}

}  // namespace vx
