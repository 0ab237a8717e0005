// The list behind the Sources tab: every source record, in file order or
// sorted by one of its texts, read forwards or backwards.
#pragma once

#include "analysis/ABSIterator.h"

namespace vx {

class WSourceIterator : public WABSIterator {
  public:
    // Sort keys: 1 file order, 2 has a note, 3 has a text, 4 has a
    // repository, 5 title, 6 abbreviation, 7 author, 8 publication, 9 call
    // number.
    enum Key : int {
        kFileOrder = 1,
        kNote,
        kText,
        kRepository,
        kTitle,
        kAbbreviation,
        kAuthor,
        kPublication,
        kCallNumber
    };

    explicit WSourceIterator(const WABSCollection& collection);

    // Sorts by a key; asking again for the current key only reverses the
    // reading direction. Key 1 restores file order.
    void SortBy(int key, bool ascending);
    // The source shown at display row `row` (from 1); 0 out of range.
    int32_t SourceAt(int32_t row) const;
    int SortKey() const;
    // 1 when read forwards, 2 when reversed.
    int Direction() const { return forward_ ? 1 : 2; }

  private:
    const WABSCollection& collection_;
    int32_t sourceCount_;
    bool forward_ = true;
};

}  // namespace vx
