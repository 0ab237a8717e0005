#include "columns/ColHLIterator.h"

#include "app/Services.h"
#include "gedcom/ABSCollection.h"
#include "highlight/HLGroup.h"

namespace vx {
namespace {

constexpr int32_t kPumpEvery = 250;

}  // namespace

WColHLIterator::WColHLIterator(WHLGroup& group, const WABSCollection* collection,
                               int32_t expectedCount)
    : WColSortIterator(collection, expectedCount), group_(group) {
    EnsureBuilt();
}

void WColHLIterator::Build() {
    const WABSCollection* collection = Collection();
    if (!collection) return;
    const int32_t count = collection->ViewCount();
    for (int32_t i = 1; i <= count; ++i) {
        if (i % kPumpEvery == 0) {
            PublishProgress(i);
            PumpMessages();
        }
        const int32_t individual = collection->ViewIndividual(i);
        if (group_.IsHighlighted(individual)) AppendID(individual);
    }
    EndProgress();
}

}  // namespace vx
