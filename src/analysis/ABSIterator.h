// The iterator protocol that every list of the main window walks: an array
// with a current position, and, for lists of individuals, the individual
// numbers behind each position.
#pragma once

#include <string>

#include "storage/ABSArrayIndex.h"

namespace vx {

class WABSCollection;

class WABSIterator : public WABSArrayIndex {
  public:
    WABSIterator(int32_t recordSize, int32_t expectedCount)
        : WABSArrayIndex("", recordSize, expectedCount) {}

    // Moves to `position` when it is in range (else to 0, "none") and
    // returns the record there.
    virtual char* GoTo(int32_t position);
    char* First() { return GoTo(1); }
    char* Next() { return GoTo(position_ + 1); }
    char* Prev() { return GoTo(position_ - 1); }
    char* Last() { return GoTo(Count()); }
    int32_t Position() const { return position_; }

  protected:
    int32_t position_ = 0;
};

// A list of individual numbers over one collection, filled lazily by Build.
class WCollectionIterator : public WABSIterator {
  public:
    explicit WCollectionIterator(const WABSCollection* collection, int32_t expectedCount = 0);

    // Fills the list; each kind of list fills it its own way.
    virtual void Build() = 0;
    virtual int32_t FirstID();
    virtual int32_t NextID();
    virtual int32_t PrevID();
    virtual int32_t LastID();
    // The individual number at a position; 0 out of range.
    virtual int32_t ItemID(int32_t position);

    // Calls Build once per iterator.
    void EnsureBuilt();
    bool IsBuilt() const { return built_; }
    // Appends an individual number (for Build).
    int32_t AppendID(int32_t individual) { return WABSArrayIndex::Append(&individual); }
    // Position of the individual, by a linear scan of ItemID; 0 when absent.
    int32_t IndexOfID(int32_t individual);

    // Searches of a list sorted by the searched names: the first position
    // whose entry begins with the keys (letter case ignored), or, when none
    // does, the entry just before where the keys would stand.
    int32_t FindName(const std::string& surnameKey, const std::string& givenKey);
    // The same over the full name without title and suffix.
    int32_t FindNameText(const std::string& text);
    // The same over the REFN value.
    int32_t FindRefNumber(const std::string& text);

    // The collection the list and its name searches read.
    const WABSCollection* Collection() const { return collection_; }

  protected:
    static int32_t IDOf(const char* record);

  private:
    struct NameKeys;
    int32_t FindByKeys(const NameKeys& keys);

  private:
    const WABSCollection* collection_;
    bool built_ = false;
};

}  // namespace vx
