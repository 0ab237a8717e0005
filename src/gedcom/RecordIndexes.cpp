#include "gedcom/RecordIndexes.h"

#include <cstring>

#include "app/Errors.h"

namespace vx {
namespace {

// Steps of the long-key store while it lives in the heap: most files have
// no long identifier at all, and their indexes must not make a file.
constexpr int32_t kLongKeyGrowth = 4096;

// The prefix's bytes as a 64-bit and a 32-bit number whose order is the
// unsigned byte order. Loading looks up every link, so this is inline.
inline uint64_t High(const char* prefix) {
    uint64_t value;
    std::memcpy(&value, prefix, 8);
    return __builtin_bswap64(value);
}
inline uint32_t Low(const char* prefix) {
    uint32_t value;
    std::memcpy(&value, prefix + 8, 4);
    return __builtin_bswap32(value);
}

// Unsigned byte order over zero-padded prefixes. When two prefixes differ,
// so do the identifiers, in the same order.
inline int ComparePrefixes(const char* a, const char* b) {
    const uint64_t x = High(a), y = High(b);
    if (x != y) return x < y ? -1 : 1;
    const uint32_t u = Low(a), v = Low(b);
    return u == v ? 0 : (u < v ? -1 : 1);
}

void FillPrefix(char* prefix, std::string_view identifier) {
    std::memset(prefix, 0, WXREFIndex::kPrefixSize);
    std::memcpy(prefix, identifier.data(), std::min(identifier.size(), WXREFIndex::kPrefixSize));
}

}  // namespace

int32_t WOffsetIndex::Offset(int32_t n) const {
    const char* item = Item(n);
    if (!item) throw EIndexError(n);
    int32_t offset;
    std::memcpy(&offset, item, 4);
    return offset;
}

int32_t WGEDIndIndex::AppendOffset(int32_t offset) {
    IndSummaryEntry entry{};
    entry.offset = offset;
    return Append(&entry);
}

int32_t WGEDIndIndex::Offset(int32_t n) const {
    return Entry(n).offset;
}

IndSummaryEntry& WGEDIndIndex::Entry(int32_t n) const {
    char* item = Item(n);
    if (!item) throw EIndexError(n);
    return *reinterpret_cast<IndSummaryEntry*>(item);
}

WXREFIndex::WXREFIndex(int32_t expectedCount)
    : WABSArrayIndex("", sizeof(Entry), expectedCount), longKeys_("", kLongKeyGrowth, 0) {}

std::string_view WXREFIndex::KeyOf(const Entry& entry) const {
    if (entry.longKey == 0) return {entry.prefix, ::strnlen(entry.prefix, kPrefixSize)};
    int32_t length;
    std::memcpy(&length, longKeys_.PointerAt(entry.longKey), 4);
    return {longKeys_.PointerAt(entry.longKey + 4), static_cast<size_t>(length)};
}

// Identifier order, then record number, so that the records of an
// identifier used twice stand in file order.
int WXREFIndex::CompareEntries(const char* a, const char* b, void* index) {
    if (!a || !b)
        throw ECompareError(
            "Error in compare function of WRINAssocIndex - nil passed as an argument");
    if (const int r = ComparePrefixes(a, b)) return r;
    Entry x, y;
    std::memcpy(&x, a, sizeof x);
    std::memcpy(&y, b, sizeof y);
    if (x.longKey != 0 || y.longKey != 0) {
        const WXREFIndex& self = *static_cast<const WXREFIndex*>(index);
        if (const int r = self.KeyOf(x).compare(self.KeyOf(y))) return r < 0 ? -1 : 1;
    }
    return x.number == y.number ? 0 : (x.number < y.number ? -1 : 1);
}

int32_t WXREFIndex::AddKey(std::string_view identifier) {
    Entry entry{};
    FillPrefix(entry.prefix, identifier);
    entry.number = Count() + 1;
    if (identifier.size() > kPrefixSize) {
        const int32_t length = static_cast<int32_t>(identifier.size());
        entry.longKey = longKeys_.UsedLength();
        longKeys_.Append(&length, 4);
        longKeys_.AppendText(identifier);
    }
    if (Count() > 0 && !needsSort_) {
        Entry last;
        std::memcpy(&last, Item(Count()), sizeof last);
        const int r = ComparePrefixes(last.prefix, entry.prefix);
        if (r > 0 || (r == 0 && KeyOf(last) > identifier)) needsSort_ = true;
        // In ascending input the records of one identifier follow each
        // other; each identifier counts once, however many records share it.
        const bool repeated = r == 0 && KeyOf(last) == identifier;
        if (repeated && !lastRepeated_ && ++duplicates_ == 1)
            firstDuplicate_ = std::string(identifier);
        lastRepeated_ = repeated;
    }
    Append(&entry);
    // Appending clears the sorted mark; ascending input stays searchable.
    if (!needsSort_) MarkSorted();
    return entry.number;
}

void WXREFIndex::SortIfNeeded() {
    if (!needsSort_) return;
    ClearSorted();
    // A sort stopped by Cancel is done again at the next need.
    if (!Sort(CompareEntries, this, true)) return;
    needsSort_ = false;
    CountDuplicates();
}

void WXREFIndex::CountDuplicates() {
    duplicates_ = 0;
    firstDuplicate_.clear();
    for (int32_t position = 2; position <= Count(); ++position) {
        const std::string_view key = KeyAt(position);
        if (key != KeyAt(position - 1)) continue;
        // Count each identifier once, however many records share it.
        if (position > 2 && KeyAt(position - 2) == key) continue;
        if (++duplicates_ == 1) firstDuplicate_ = std::string(key);
    }
}

int32_t WXREFIndex::Lookup(std::string_view identifier) const {
    char prefix[kPrefixSize];
    FillPrefix(prefix, identifier);
    // The first position whose identifier is not below the one sought.
    int32_t low = 1, high = Count() + 1;
    while (low < high) {
        const int32_t mid = low + (high - low) / 2;
        const char* item = Item(mid);
        int r = ComparePrefixes(item, prefix);
        if (r == 0) {
            Entry entry;
            std::memcpy(&entry, item, sizeof entry);
            r = KeyOf(entry).compare(identifier);
        }
        if (r < 0)
            low = mid + 1;
        else
            high = mid;
    }
    return low <= Count() && KeyAt(low) == identifier ? NumberAt(low) : 0;
}

int32_t WXREFIndex::NumberAt(int32_t position) const {
    const char* item = Item(position);
    if (!item) return 0;
    Entry entry;
    std::memcpy(&entry, item, sizeof entry);
    return entry.number;
}

std::string_view WXREFIndex::KeyAt(int32_t position) const {
    const char* item = Item(position);
    if (!item) return {};
    // The view points into the store itself, not into a copy.
    const Entry& entry = *reinterpret_cast<const Entry*>(item);
    return KeyOf(entry);
}

}  // namespace vx
