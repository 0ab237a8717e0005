// The compact indexes built while a GEDCOM file loads: record offsets per
// kind, the individuals' summary entries and identifier lookups.
#pragma once

#include <string>
#include <string_view>

#include "storage/ABSArrayIndex.h"

namespace vx {

// Byte offsets of the level-0 lines of one kind of record.
class WOffsetIndex : public WABSArrayIndex {
  public:
    explicit WOffsetIndex(int32_t expectedCount = 0) : WABSArrayIndex("", 4, expectedCount) {}
    int32_t AppendOffset(int32_t offset) { return Append(&offset); }
    // Errors: EIndexError outside 1..Count.
    int32_t Offset(int32_t n) const;
};

// What an individual's record needs to be found and summarised quickly: the
// offset of its level-0 line, then what the individual fills in the first
// time it is read (line positions relative to the record, sex, flags).
struct IndSummaryEntry {
    int32_t offset;
    uint16_t positions[11];
    uint8_t sex;
    uint8_t flags;  // bit 0: the entry has been filled
};
static_assert(sizeof(IndSummaryEntry) == 28);

class WGEDIndIndex : public WABSArrayIndex {
  public:
    explicit WGEDIndIndex(int32_t expectedCount = 0)
        : WABSArrayIndex("", sizeof(IndSummaryEntry), expectedCount) {}
    // Adds an unfilled entry for a record at `offset`.
    int32_t AppendOffset(int32_t offset);
    // Errors: EIndexError outside 1..Count.
    int32_t Offset(int32_t n) const;
    IndSummaryEntry& Entry(int32_t n) const;
};

// Identifier to record number, for one kind of record. Each entry holds the
// first 12 bytes of the identifier (zero-padded), which decide almost every
// comparison in place; a longer identifier keeps its whole text in a side
// store, so identifiers of any length stay apart. The index is sorted only
// when the file did not list the identifiers in ascending order.
class WXREFIndex : public WABSArrayIndex {
  public:
    static constexpr size_t kPrefixSize = 12;

    explicit WXREFIndex(int32_t expectedCount = 0);
    // Adds the identifier with the next record number; returns that number.
    int32_t AddKey(std::string_view identifier);
    // Sorts once when an identifier arrived out of order, and counts the
    // identifiers that more than one record uses.
    void SortIfNeeded();
    bool NeedsSort() const { return needsSort_; }
    // The record number (the first record, for an identifier used twice),
    // or 0 when absent.
    int32_t Lookup(std::string_view identifier) const;
    int32_t NumberAt(int32_t position) const;
    std::string_view KeyAt(int32_t position) const;
    // Identifiers that name more than one record, once sorted; and the
    // first of them.
    int32_t DuplicateCount() const { return duplicates_; }
    const std::string& FirstDuplicate() const { return firstDuplicate_; }

    int64_t UsedBytes() const override {
        return WABSArrayIndex::UsedBytes() + longKeys_.UsedLength();
    }

  private:
    struct Entry {
        char prefix[kPrefixSize];
        int32_t longKey;  // offset of the whole text in longKeys_, or 0
        int32_t number;
    };
    static_assert(sizeof(Entry) == 20);

    static int CompareEntries(const char* a, const char* b, void* index);
    std::string_view KeyOf(const Entry& entry) const;
    void CountDuplicates();

    WVersionMMF longKeys_;  // int32 length, then the bytes, per long key
    bool needsSort_ = false;
    bool lastRepeated_ = false;  // the last key added repeated the one before
    int32_t duplicates_ = 0;
    std::string firstDuplicate_;
};

}  // namespace vx
