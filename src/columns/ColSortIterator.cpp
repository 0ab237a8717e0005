#include "columns/ColSortIterator.h"

#include "app/Options.h"
#include "columns/Attrib.h"
#include "columns/AttribArray.h"
#include "gedcom/ABSCollection.h"

namespace vx {

WColSortIterator::WColSortIterator(const WABSCollection* collection, int32_t expectedCount)
    : WCollectionIterator(collection, expectedCount),
      individualCount_(collection ? collection->IndividualCount() : 0) {}

WColSortIterator::~WColSortIterator() = default;

int32_t WColSortIterator::Count() const {
    // Building is lazy; the list's content does not depend on when it runs.
    const_cast<WColSortIterator*>(this)->EnsureBuilt();
    return WCollectionIterator::Count();
}

void WColSortIterator::Build() {
    const WABSCollection* collection = Collection();
    if (!collection) return;
    const int32_t count = collection->ViewCount();
    for (int32_t i = 1; i <= count; ++i)
        AppendID(collection->ViewIndividual(i));
}

int32_t WColSortIterator::ItemID(int32_t position) {
    EnsureBuilt();
    if (!ascending_) position = WCollectionIterator::Count() - position + 1;
    return WCollectionIterator::ItemID(position);
}

void WColSortIterator::SortBy(const WAttrib* attribute, bool toggle) {
    if (!attribute) return;
    if (IsSorted() && attribute->Number() == sortedAttribute_) {
        if (toggle) ascending_ = !ascending_;
        return;
    }
    if (toggle) ascending_ = true;
    EnsureBuilt();
    sortedAttribute_ = attribute->Number();
    ClearSorted();
    values_.reset();
    values_ = CreateAttribArray(*this, *attribute);
    const WAttribArray& values = *values_;
    SortWith([&values](const char* a,
                       const char* b) { return values.CompareIndividuals(IDOf(a), IDOf(b)); },
             true);
}

void WColSortIterator::SortByKey(int key) {
    if (IsSorted()) return;
    if (key != Attr::Index && key != Attr::RIN && key != Attr::FullName &&
        key != Attr::SurnameGiven && key != Attr::CustomId)
        return;
    auto attribute = CreateAttribute(key, Collection());
    // Titles and suffixes must not decide the order of names.
    const bool titles = WOptions::GetFlag(opt::kPreSuf);
    WOptions::SetFlag(opt::kPreSuf, false);
    try {
        SortBy(attribute.get(), false);
    } catch (...) {
        WOptions::SetFlag(opt::kPreSuf, titles);
        throw;
    }
    WOptions::SetFlag(opt::kPreSuf, titles);
}

}  // namespace vx
