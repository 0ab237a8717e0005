#include "analysis/ABSIterator.h"

#include <cstring>

namespace vx {
namespace {

WABSCollection* gCurrentCollection = nullptr;

}  // namespace

char* WABSIterator::GoTo(int32_t position) {
    position_ = InRange(position) ? position : 0;
    return Item(position_);
}

WCollectionIterator::WCollectionIterator(WABSCollection* collection, int32_t expectedCount)
    : WABSIterator(4, expectedCount), collection_(collection) {
    gCurrentCollection = collection;
}

WABSCollection* WCollectionIterator::CurrentCollection() {
    return gCurrentCollection;
}

int32_t WCollectionIterator::IDOf(const char* record) {
    if (!record) return 0;
    int32_t id;
    std::memcpy(&id, record, 4);
    return id;
}

int32_t WCollectionIterator::FirstID() {
    return IDOf(First());
}
int32_t WCollectionIterator::NextID() {
    return IDOf(Next());
}
int32_t WCollectionIterator::PrevID() {
    return IDOf(Prev());
}
int32_t WCollectionIterator::LastID() {
    return IDOf(Last());
}
int32_t WCollectionIterator::ItemID(int32_t position) {
    return IDOf(Item(position));
}

void WCollectionIterator::EnsureBuilt() {
    if (built_) return;
    built_ = true;
    Build();
}

int32_t WCollectionIterator::IndexOfID(int32_t individual) {
    const int32_t count = Count();
    for (int32_t i = 1; i <= count; ++i)
        if (ItemID(i) == individual) return i;
    return 0;
}

}  // namespace vx
