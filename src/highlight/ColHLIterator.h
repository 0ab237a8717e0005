// The Highlighted tab's list: the individuals of the current view that the
// highlight group marks, in view order until the list is sorted.
#pragma once

#include "columns/ColSortIterator.h"

namespace vx {

class WHLGroup;

class WColHLIterator : public WColSortIterator {
  public:
    // Builds at once, letting the user interface breathe every 250
    // individuals and whenever the work has run for a while.
    WColHLIterator(WHLGroup& group, const WABSCollection* collection, const IslandView* view,
                   int32_t expectedCount = 0);
    void Build() override;

    // The wait dialog's Cancel stopped the build: the list is empty, never
    // the part found so far, and the group has forgotten its answers (the
    // one being worked out may have been cut short).
    bool Cancelled() const { return cancelled_; }

  private:
    WHLGroup& group_;
    bool cancelled_ = false;
};

}  // namespace vx
