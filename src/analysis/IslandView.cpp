#include "analysis/IslandView.h"

#include <cstring>

#include "analysis/Islands.h"
#include "gedcom/ABSCollection.h"
#include "storage/TypedArrays.h"

namespace vx {

IslandView::IslandView(const WABSCollection& collection) : collection_(&collection) {}
IslandView::~IslandView() = default;

int32_t IslandView::Count() const {
    return members_ ? members_->Count() : collection_->IndividualCount();
}

int32_t IslandView::Individual(int32_t position) const {
    return members_ ? members_->GetValue(position) : position;
}

int32_t IslandView::Position(int32_t individual) const {
    if (!members_) return individual;
    // Members are held in increasing individual number.
    return members_->FindWith(
        [](const char* record, const char* key) {
            int32_t a, b;
            std::memcpy(&a, record, sizeof a);
            std::memcpy(&b, key, sizeof b);
            return a < b ? -1 : a > b ? 1 : 0;
        },
        &individual);
}

void IslandView::Use(WIslands& islands, int32_t rank) {
    members_.reset();
    islands.ComputeIslands();
    auto members = std::make_unique<WIntArray>();
    if (islands.CollectMembers(rank, *members)) members_ = std::move(members);
}

void IslandView::Clear() {
    members_.reset();
}

int32_t ViewCount(const IslandView* view, const WABSCollection& collection) {
    return view ? view->Count() : collection.IndividualCount();
}

int32_t ViewIndividual(const IslandView* view, int32_t position) {
    return view ? view->Individual(position) : position;
}

int32_t ViewPosition(const IslandView* view, int32_t individual) {
    return view ? view->Position(individual) : individual;
}

}  // namespace vx
