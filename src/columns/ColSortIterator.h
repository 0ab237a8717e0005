// The list of individual numbers behind a list grid. It sorts itself by
// any attribute through a cached attribute array and serves its rows in
// ascending or descending order; reversing the direction never sorts again,
// because descending is only a reading direction.
#pragma once

#include <memory>

#include "analysis/ABSIterator.h"

namespace vx {

class IslandView;
class WAttrib;
class WAttribArray;

class WColSortIterator : public WCollectionIterator {
  public:
    // Records the collection's number of individuals, the size of every
    // attribute array the list builds. The list holds the individuals of
    // the view (null: the whole file), which must outlive it.
    WColSortIterator(const WABSCollection* collection, const IslandView* view,
                     int32_t expectedCount = 0);
    ~WColSortIterator() override;

    int32_t Count() const override;
    // Every individual of the current view, in view order.
    void Build() override;
    // Reads positions backwards when the direction is descending.
    int32_t ItemID(int32_t position) override;

    // Sorts by the attribute. Asked for the attribute the list is already
    // sorted by, it only flips the direction (with `toggle`). A newly
    // chosen attribute starts ascending with `toggle`, and keeps the
    // direction without. False when the wait dialog's Cancel stopped the
    // work: the list keeps its previous order, attribute and direction.
    bool SortBy(const WAttrib* attribute, bool toggle);
    // The built-in orders of the find dialogs: 1 index, 2 identifier,
    // 6 full name, 7 "Surname, Given", 48 custom identifier. Titles and
    // suffixes never take part. Nothing happens when the list is already
    // sorted or for any other key.
    void SortByKey(int key);

    bool IsAscending() const { return ascending_; }
    void SetAscending(bool ascending) { ascending_ = ascending; }
    int SortedAttribute() const { return sortedAttribute_; }
    int32_t IndividualCount() const { return individualCount_; }

  protected:
    const IslandView* View() const { return view_; }

  private:
    const IslandView* view_;
    std::unique_ptr<WAttribArray> values_;
    bool ascending_ = true;
    int sortedAttribute_ = 0;
    int32_t individualCount_;
};

}  // namespace vx
