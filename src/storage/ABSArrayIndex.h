// The 1-based array of fixed-size records behind every list, index, flag
// table and cached column of the program. Records live in a growable store
// (heap while small, a temporary mapped file beyond 64 KB), never in
// per-record heap blocks. The one sort of the program lives here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "storage/MMF.h"

namespace vx {

// The empty root of the index containers.
class WABSIndex {
  public:
    virtual ~WABSIndex() = default;
};

// Compares two records (or a record and a key): negative, 0 or positive as
// the first sorts before, equal to or after the second.
using CompareFn = int (*)(const char* a, const char* b, void* context);

class WABSArrayIndex : public WABSIndex {
  public:
    static constexpr int32_t kFirstRecordOffset = 16;

    WABSArrayIndex(const std::string& fileName, int32_t recordSize, int32_t expectedCount);
    ~WABSArrayIndex() override;
    WABSArrayIndex(const WABSArrayIndex&) = delete;
    WABSArrayIndex& operator=(const WABSArrayIndex&) = delete;

    // Empties the array without releasing the store.
    void Reset();
    virtual int32_t Count() const { return count_; }
    int32_t RecordSize() const { return recordSize_; }
    // Bytes of the store in use: header and records.
    virtual int64_t UsedBytes() const {
        return kFirstRecordOffset + static_cast<int64_t>(count_) * recordSize_;
    }
    bool InRange(int32_t position) const { return position >= 1 && position <= count_; }

    // The record in place, or null outside 1..Count. Valid until the next
    // operation that grows the array.
    char* Item(int32_t position) const;
    void SetItem(int32_t position, const void* record);
    // Returns the new count.
    int32_t Append(const void* record);
    // Grows the array to n zero records; never shrinks.
    void SetCount(int32_t n);

    bool IsSorted() const { return sorted_; }
    void MarkSorted() { sorted_ = true; }
    void ClearSorted() { sorted_ = false; }
    bool IsSorting() const { return sorting_; }

    // Binary search with comparison(record, key, null); 0 when not found.
    int32_t Find(CompareFn compare, const void* key) const;
    // As Find, but also reports where the key would stand: the first
    // position whose record sorts after it, capped at the count.
    int32_t FindNearest(CompareFn compare, const void* key, bool& found) const;

    // Quicksort in place (insertion below 10 records, the middle record as
    // pivot). Not stable. Does nothing when already sorted or sorting. With
    // `yield`, queued user-interface messages run once at the start, every
    // 25 steps and whenever the sort has run for a while, and the wait
    // dialog's Cancel stops it: then it returns false and the records are
    // all there but in no particular order.
    bool Sort(CompareFn compare, void* context, bool yield);

    // The same with any callable int(const char*, const char*).
    template <class F>
    bool SortWith(F&& compare, bool yield) {
        return Sort(
            [](const char* a, const char* b, void* c) { return (*static_cast<F*>(c))(a, b); },
            &compare, yield);
    }
    template <class F>
    int32_t FindWith(F&& compare, const void* key) const {
        return FindImpl(
            [](const char* a, const char* b, void* c) { return (*static_cast<F*>(c))(a, b); },
            &compare, key, nullptr);
    }
    template <class F>
    int32_t FindNearestWith(F&& compare, const void* key, bool& found) const {
        return FindImpl(
            [](const char* a, const char* b, void* c) { return (*static_cast<F*>(c))(a, b); },
            &compare, key, &found);
    }

  protected:
    WVersionMMF& Store() { return *store_; }

  private:
    struct SortRun;
    int32_t FindImpl(CompareFn compare, void* context, const void* key, bool* found) const;
    void WriteHeaderCount();

    std::unique_ptr<WVersionMMF> store_;
    int32_t recordSize_;
    int32_t count_ = 0;
    bool sorted_ = false;
    bool sorting_ = false;
};

}  // namespace vx
