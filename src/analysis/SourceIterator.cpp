#include "analysis/SourceIterator.h"

#include <cstring>
#include <string>

#include "app/Services.h"
#include "gedcom/ABSCollection.h"
#include "records/Source.h"

namespace vx {
namespace {

// The sort key, its direction and the texts of the last two sources
// compared are shared by every list (one exists at a time, behind the
// Sources tab). A run of comparisons against one pivot reads it once.
struct SortState {
    int key = 0;
    bool ascending = true;
    const WABSCollection* collection = nullptr;
    int32_t cachedNumber[2] = {0, 0};
    std::string cachedText[2];
} gSort;

std::string SourceText(const WABSSource& source, int key) {
    switch (key) {
        case WSourceIterator::kNote:
            return source.HasNote() ? "Y" : " ";
        case WSourceIterator::kText:
            return source.HasText() ? "Y" : " ";
        case WSourceIterator::kRepository:
            return source.HasRepository() ? "Y" : " ";
        case WSourceIterator::kTitle:
            return source.Title();
        case WSourceIterator::kAbbreviation:
            return source.Abbreviation();
        case WSourceIterator::kAuthor:
            return source.Author();
        case WSourceIterator::kPublication:
            return source.Publication();
        case WSourceIterator::kCallNumber:
            return source.CallNumber();
        default:
            return {};
    }
}

const std::string& CachedText(int slot, int32_t number) {
    if (gSort.cachedNumber[slot] != number) {
        auto source = gSort.collection ? gSort.collection->Source(number) : nullptr;
        gSort.cachedText[slot] = source ? SourceText(*source, gSort.key) : std::string();
        gSort.cachedNumber[slot] = number;
    }
    return gSort.cachedText[slot];
}

// ASCII letters folded to capitals, then byte order.
int CompareFolded(const std::string& a, const std::string& b) {
    auto fold = [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; };
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int x = fold(static_cast<unsigned char>(a[i]));
        const int y = fold(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareSources(const char* a, const char* b, void*) {
    int32_t x, y;
    std::memcpy(&x, a, 4);
    std::memcpy(&y, b, 4);
    const int result = CompareFolded(CachedText(0, x), CachedText(1, y));
    return gSort.ascending ? result : -result;
}

}  // namespace

WSourceIterator::WSourceIterator(const WABSCollection& collection)
    : WABSIterator(4, collection.SourceCount()),
      collection_(collection),
      sourceCount_(collection.SourceCount()) {
    for (int32_t n = 1; n <= sourceCount_; ++n)
        Append(&n);
    gSort.key = 0;
    SortBy(kFileOrder, true);
}

void WSourceIterator::SortBy(int key, bool ascending) {
    if (sourceCount_ == 0) return;
    if (key == gSort.key) {
        forward_ = !forward_;
        return;
    }
    gSort.key = key;
    gSort.ascending = ascending;
    forward_ = true;
    if (key == kFileOrder) {
        for (int32_t n = 1; n <= sourceCount_; ++n)
            SetItem(n, &n);
        return;
    }
    WaitScope wait("Sorting.  Please Wait...", false, false);
    gSort.collection = &collection_;
    gSort.cachedNumber[0] = gSort.cachedNumber[1] = 0;
    ClearSorted();
    Sort(CompareSources, nullptr, true);
}

int32_t WSourceIterator::SourceAt(int32_t row) const {
    if (row < 1 || row > Count()) return 0;
    const char* item = Item(forward_ ? row : Count() - row + 1);
    int32_t number;
    std::memcpy(&number, item, 4);
    return number;
}

int WSourceIterator::SortKey() const {
    return gSort.key;
}

}  // namespace vx
