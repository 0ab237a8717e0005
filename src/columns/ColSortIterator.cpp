#include "columns/ColSortIterator.h"

#include <cstring>
#include <optional>
#include <vector>

#include "analysis/FamilyAnalysis.h"
#include "analysis/IslandView.h"
#include "app/Options.h"
#include "columns/Attrib.h"
#include "columns/AttribArray.h"
#include "gedcom/ABSCollection.h"

namespace vx {

WColSortIterator::WColSortIterator(const WABSCollection* collection, const IslandView* view,
                                   int32_t expectedCount)
    : WCollectionIterator(collection, expectedCount),
      view_(view),
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
    const int32_t count = ViewCount(view_, *collection);
    for (int32_t i = 1; i <= count; ++i)
        AppendID(ViewIndividual(view_, i));
}

int32_t WColSortIterator::ItemID(int32_t position) {
    EnsureBuilt();
    if (!ascending_) position = WCollectionIterator::Count() - position + 1;
    return WCollectionIterator::ItemID(position);
}

bool WColSortIterator::SortBy(const WAttrib* attribute, bool toggle) {
    if (!attribute) return true;
    if (IsSorted() && attribute->Number() == sortedAttribute_) {
        if (toggle) ascending_ = !ascending_;
        return true;
    }
    EnsureBuilt();
    values_.reset();
    auto values = CreateAttribArray(*this, *attribute);
    if (!values->Filled()) return false;  // cancelled: the list is untouched
    // The order to put back should Cancel stop the sort half-way.
    const int32_t count = WCollectionIterator::Count();
    std::vector<int32_t> previous(static_cast<size_t>(count));
    for (int32_t i = 1; i <= count; ++i)
        std::memcpy(&previous[static_cast<size_t>(i - 1)], Item(i), sizeof(int32_t));
    const bool wasSorted = IsSorted();
    ClearSorted();
    const WAttribArray& cached = *values;
    const bool done =
        SortWith([&cached](const char* a,
                           const char* b) { return cached.CompareIndividuals(IDOf(a), IDOf(b)); },
                 true);
    if (!done) {
        for (int32_t i = 1; i <= count; ++i)
            SetItem(i, &previous[static_cast<size_t>(i - 1)]);
        if (wasSorted) MarkSorted();
        return false;
    }
    if (toggle) ascending_ = true;
    sortedAttribute_ = attribute->Number();
    values_ = std::move(values);
    return true;
}

void WColSortIterator::SortByKey(int key) {
    if (IsSorted()) return;
    if (key != Attr::Index && key != Attr::RIN && key != Attr::FullName &&
        key != Attr::SurnameGiven && key != Attr::CustomId)
        return;
    // These keys read only the records, so an analysis of its own (made
    // lazily, never asked anything) serves them.
    std::optional<FamilyAnalysis> analysis;
    if (Collection()) analysis.emplace(*Collection());
    auto attribute = CreateAttribute(key, analysis ? &*analysis : nullptr);
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
