#include "highlight/ColHLIterator.h"

#include "analysis/IslandView.h"
#include "app/CancelPoll.h"
#include "app/Services.h"
#include "gedcom/ABSCollection.h"
#include "highlight/HLGroup.h"

namespace vx {
namespace {

constexpr int32_t kPumpEvery = 250;

}  // namespace

WColHLIterator::WColHLIterator(WHLGroup& group, const WABSCollection* collection,
                               const IslandView* view, int32_t expectedCount)
    : WColSortIterator(collection, view, expectedCount), group_(group) {
    EnsureBuilt();
}

void WColHLIterator::Build() {
    const WABSCollection* collection = Collection();
    if (!collection) return;
    const int32_t count = ViewCount(View(), *collection);
    CancelPoll poll;
    for (int32_t i = 1; i <= count && !cancelled_; ++i) {
        if (i % kPumpEvery == 0) {
            PublishProgress(i);
            PumpMessages();
        }
        cancelled_ = poll.Cancelled();
        const int32_t individual = ViewIndividual(View(), i);
        if (!cancelled_ && group_.IsHighlighted(individual)) AppendID(individual);
    }
    // A walk inside the last answer may have seen the Cancel too.
    if (cancelled_ || WorkCancelled()) {
        cancelled_ = true;
        Reset();
        group_.Prepare();
    }
    EndProgress();
}

}  // namespace vx
