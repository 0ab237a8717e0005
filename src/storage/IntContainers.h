// Integer stack and queue over store-backed arrays, for the graph walks
// (ancestors, descendants, islands) that must not recurse on deep data.
#pragma once

#include <string>
#include <vector>

#include "storage/TypedArrays.h"

namespace vx {

class WIntStack {
  public:
    void Push(int32_t value);
    // 0 when empty.
    int32_t Pop();
    // The value at `depth` counted from the bottom (1-based); the top for
    // depth 0; 0 when empty or out of range.
    int32_t Peek(int32_t depth = 0) const;
    bool IsEmpty() const { return count_ == 0; }
    void Clear();
    int32_t Count() const { return count_; }
    bool Contains(int32_t value) const;
    // Every value from the bottom up, each followed by ",".
    std::string AsText() const;

  private:
    WIntArray values_;
    int32_t count_ = 0;
    int32_t highWater_ = 0;  // records held by values_; reused before growing
};

// A first-in first-out queue kept as a linked list in two parallel arrays.
class WIntFIFO {
  public:
    static constexpr int32_t kTail = 2147483647;
    static constexpr int32_t kFree = 0;

    void Put(int32_t value);
    // False when empty.
    bool Get(int32_t& value);
    void Clear();
    int32_t Count() const { return count_; }

  private:
    WIntArray values_;
    WIntArray links_;
    // Freed slots, reused before the arrays grow.
    std::vector<int32_t> freeSlots_;
    int32_t count_ = 0;
    int32_t head_ = 0;
    int32_t tail_ = 0;
};

}  // namespace vx
