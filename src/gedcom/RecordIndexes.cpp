#include "gedcom/RecordIndexes.h"

#include <cstring>

#include "app/Errors.h"

namespace vx {
namespace {

struct XRefKey {
    char bytes[WXREFIndex::kKeySize];
};

XRefKey MakeKey(std::string_view identifier) {
    XRefKey key{};
    std::memcpy(key.bytes, identifier.data(),
                std::min(identifier.size(), WXREFIndex::kKeySize - 1));
    return key;
}

// The key's bytes as two numbers whose order is the unsigned byte order.
inline uint64_t HighHalf(const char* key) {
    uint64_t value;
    std::memcpy(&value, key, 8);
    return __builtin_bswap64(value);
}
inline uint64_t LowHalf(const char* key) { return HighHalf(key + 8); }

// Unsigned byte order over the zero-padded fields: a key that is a prefix
// of another sorts first. Loading looks up every link, so this is inline.
inline int CompareKeyBytes(const char* a, const char* b) {
    const uint64_t x = HighHalf(a), y = HighHalf(b);
    if (x != y) return x < y ? -1 : 1;
    const uint64_t u = LowHalf(a), v = LowHalf(b);
    return u == v ? 0 : (u < v ? -1 : 1);
}

int CompareKeys(const char* a, const char* b, void*) {
    if (!a || !b)
        throw ECompareError(
            "Error in compare function of WRINAssocIndex - nil passed as an argument");
    return CompareKeyBytes(a, b);
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

int32_t WXREFIndex::AddKey(std::string_view identifier) {
    char record[20];
    const XRefKey key = MakeKey(identifier);
    const int32_t number = Count() + 1;
    std::memcpy(record, key.bytes, kKeySize);
    std::memcpy(record + kKeySize, &number, 4);
    if (Count() > 0 && !needsSort_ && CompareKeys(Item(Count()), record, nullptr) > 0)
        needsSort_ = true;
    Append(record);
    // Appending clears the sorted mark; ascending input stays searchable.
    if (!needsSort_) MarkSorted();
    return number;
}

void WXREFIndex::SortIfNeeded() {
    if (!needsSort_) return;
    ClearSorted();
    Sort(CompareKeys, nullptr, true);
    needsSort_ = false;
}

int32_t WXREFIndex::Lookup(std::string_view identifier) const {
    if (Count() == 0) return 0;
    const XRefKey key = MakeKey(identifier);
    int32_t low = 1, high = Count();
    while (low <= high) {
        const int32_t mid = low + (high - low) / 2;
        const int r = CompareKeyBytes(Item(mid), key.bytes);
        if (r == 0) return NumberAt(mid);
        if (r < 0)
            low = mid + 1;
        else
            high = mid - 1;
    }
    return 0;
}

int32_t WXREFIndex::NumberAt(int32_t position) const {
    const char* item = Item(position);
    if (!item) return 0;
    int32_t number;
    std::memcpy(&number, item + kKeySize, 4);
    return number;
}

std::string_view WXREFIndex::KeyAt(int32_t position) const {
    const char* item = Item(position);
    if (!item) return {};
    return std::string_view(item, ::strnlen(item, kKeySize));
}

}  // namespace vx
