// The Highlighted tab's list: the individuals of the current view that the
// highlight group marks, in view order until the list is sorted.
#pragma once

#include "columns/ColSortIterator.h"

namespace vx {

class WHLGroup;

class WColHLIterator : public WColSortIterator {
  public:
    // Builds at once, letting the user interface breathe every 250
    // individuals.
    WColHLIterator(WHLGroup& group, const WABSCollection* collection, int32_t expectedCount = 0);
    void Build() override;

  private:
    WHLGroup& group_;
};

}  // namespace vx
