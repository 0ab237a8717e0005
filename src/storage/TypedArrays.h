// Typed members of the array family: integers, flags, extended floats and
// the island ranking. Reads outside 1..Count give 0 or false; writes there
// are ignored.
#pragma once

#include <cfloat>

#include "storage/ABSArrayIndex.h"

namespace vx {

class WIntArray : public WABSArrayIndex {
  public:
    explicit WIntArray(int32_t count = 0);
    int32_t Append(int32_t value) { return WABSArrayIndex::Append(&value); }
    void SetValue(int32_t position, int32_t value);
    int32_t GetValue(int32_t position) const;
    void Fill(int32_t value);
    void Increment(int32_t position);
};

class WBoolArray : public WABSArrayIndex {
  public:
    explicit WBoolArray(int32_t count = 0);
    void SetFlag(int32_t position, bool value);
    // True only when the stored byte is 1.
    bool GetFlag(int32_t position) const;
    void Fill(bool value);
};

// Extended-precision values, as the averages and ratios of the statistics
// need them. The record holds the 80-bit value where the processor has one.
class WFloatArray : public WABSArrayIndex {
  public:
#if LDBL_MANT_DIG == 64
    static constexpr int32_t kRecordSize = 10;
#else
    static constexpr int32_t kRecordSize = sizeof(long double);
#endif
    explicit WFloatArray(int32_t count = 0);
    void SetValue(int32_t position, long double value);
    long double GetValue(int32_t position) const;
    void Fill(long double value);
};

// Islands ranked by size: records of (island number, member count),
// created as (i, 0) so that position equals island number until sorted.
class WIslandSortIndex : public WABSArrayIndex {
  public:
    explicit WIslandSortIndex(int32_t islandCount);
    void AddMember(int32_t island);
    int32_t MemberCount(int32_t position) const;
    // Largest island first; equal sizes come in any order.
    void Sort();
    int32_t IslandAt(int32_t position) const;
};

}  // namespace vx
