#include "columns/IslandIterator.h"

#include "gedcom/ABSCollection.h"

namespace vx {

std::unique_ptr<WIslandIterator> WIslandIterator::Create(const WABSCollection* collection,
                                                         int32_t rank) {
    if (!collection || rank < 1 || rank > collection->ComputeIslands()) return nullptr;
    std::unique_ptr<WIslandIterator> list(new WIslandIterator(collection, rank));
    list->EnsureBuilt();
    return list;
}

WIslandIterator::WIslandIterator(const WABSCollection* collection, int32_t rank)
    : WColSortIterator(collection), rank_(rank) {}

void WIslandIterator::Build() {
    const WABSCollection* collection = Collection();
    const int32_t count = collection->IndividualCount();
    for (int32_t n = 1; n <= count; ++n)
        if (collection->IslandRankOf(n) == rank_) AppendID(n);
}

}  // namespace vx
