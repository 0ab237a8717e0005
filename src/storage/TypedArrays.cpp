#include "storage/TypedArrays.h"

#include <cstring>

#include "app/Errors.h"

namespace vx {
namespace {

int32_t LoadInt(const char* at) {
    int32_t value;
    std::memcpy(&value, at, 4);
    return value;
}

void StoreInt(char* at, int32_t value) {
    std::memcpy(at, &value, 4);
}

}  // namespace

WIntArray::WIntArray(int32_t count) : WABSArrayIndex("", 4, count) {
    SetCount(count);
}

void WIntArray::SetValue(int32_t position, int32_t value) {
    SetItem(position, &value);
}

int32_t WIntArray::GetValue(int32_t position) const {
    const char* item = Item(position);
    return item ? LoadInt(item) : 0;
}

void WIntArray::Fill(int32_t value) {
    for (int32_t i = 1; i <= Count(); ++i)
        StoreInt(Item(i), value);
    ClearSorted();
}

void WIntArray::Increment(int32_t position) {
    if (char* item = Item(position)) StoreInt(item, LoadInt(item) + 1);
}

WBoolArray::WBoolArray(int32_t count) : WABSArrayIndex("", 1, count) {
    SetCount(count);
}

void WBoolArray::SetFlag(int32_t position, bool value) {
    const char byte = value ? 1 : 0;
    SetItem(position, &byte);
}

bool WBoolArray::GetFlag(int32_t position) const {
    const char* item = Item(position);
    return item && *item == 1;
}

void WBoolArray::Fill(bool value) {
    if (Count() > 0) std::memset(Item(1), value ? 1 : 0, static_cast<size_t>(Count()));
    ClearSorted();
}

WFloatArray::WFloatArray(int32_t count) : WABSArrayIndex("", kRecordSize, count) {
    SetCount(count);
}

void WFloatArray::SetValue(int32_t position, long double value) {
    if (char* item = Item(position)) std::memcpy(item, &value, kRecordSize);
}

long double WFloatArray::GetValue(int32_t position) const {
    long double value = 0;
    if (const char* item = Item(position)) std::memcpy(&value, item, kRecordSize);
    return value;
}

void WFloatArray::Fill(long double value) {
    for (int32_t i = 1; i <= Count(); ++i)
        std::memcpy(Item(i), &value, kRecordSize);
}

WIslandSortIndex::WIslandSortIndex(int32_t islandCount) : WABSArrayIndex("", 8, islandCount) {
    for (int32_t i = 1; i <= islandCount; ++i) {
        const int32_t record[2] = {i, 0};
        WABSArrayIndex::Append(record);
    }
}

void WIslandSortIndex::AddMember(int32_t island) {
    if (char* item = Item(island)) StoreInt(item + 4, LoadInt(item + 4) + 1);
}

int32_t WIslandSortIndex::MemberCount(int32_t position) const {
    const char* item = Item(position);
    return item ? LoadInt(item + 4) : 0;
}

void WIslandSortIndex::Sort() {
    WABSArrayIndex::Sort(
        [](const char* a, const char* b, void*) {
            if (!a || !b)
                throw ECompareError(
                    "Error in compare function of WRINAssocIndex - nil passed as an argument");
            const int32_t countA = LoadInt(a + 4), countB = LoadInt(b + 4);
            return countA > countB ? -1 : (countA < countB ? 1 : 0);
        },
        nullptr, true);
}

int32_t WIslandSortIndex::IslandAt(int32_t position) const {
    const char* item = Item(position);
    return item ? LoadInt(item) : 0;
}

}  // namespace vx
