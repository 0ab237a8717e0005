// The individual scroller across the top of the main window's tab area. It
// holds the Active Individual: a scroll bar over every individual of the file
// (or of the island in use), a label naming the individual, buttons to the
// father, the mother, a spouse or child and the next or previous highlighted
// individual, and a back/forward history of where the user has been. Every
// change of the Active Individual goes through here.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "exports/SpouseChildrenMenu.h"
#include "storage/IntContainers.h"

class QLabel;
class QScrollBar;
class QToolButton;

namespace vx {

class IslandView;
class WABSCollection;
class WHLGroup;
class WSelectionButton;

class WIndScroll : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kHeight = 41;
    // Entries behind the items of the spouse-and-children menu.
    static constexpr int kMaxFamilyList = kMaxSpouseChildrenItems;

    explicit WIndScroll(QWidget* parent = nullptr);
    ~WIndScroll() override;

    // Attaching another collection empties the history and makes the first
    // individual of the view (null: the whole file) active; null detaches
    // and disables the controls. The same collection again changes
    // nothing. The view must outlive its attachment.
    void SetCollection(const WABSCollection* collection, const IslandView* view);
    const WABSCollection* Collection() const { return collection_; }
    // The highlighting group, or null: colours the label and drives the
    // next/previous highlighted buttons.
    void SetGroup(WHLGroup* group);
    WHLGroup* Group() const { return group_; }

    // Makes the individual active and records the move; 0 or less is
    // ignored. An index beyond the view shows its last individual, one
    // outside the island in use the island's first.
    void GoToIndividual(int32_t individual);
    // The individual at the scroll bar's position (0 while the collection
    // has none); without a collection the position itself.
    int32_t CurrentIndividual() const;

    void GoToFather();
    void GoToMother();
    void NextHighlighted();
    void PrevHighlighted();
    void GoBack();
    void GoForward();
    bool CanGoBack() const { return !back_.IsEmpty(); }
    bool CanGoForward() const { return !forward_.IsEmpty(); }

    // Label font size s (points) and label height s + 6.
    void SetLabelFontSize(int size);
    // Writes the label again for the Active Individual (after option or
    // colour changes); raises no change.
    void RewriteLabel();

    // The individuals behind the items of the spouse-and-children menu, in
    // item order (0 for a family without another spouse).
    const std::vector<int32_t>& FamilyList() const { return familyList_; }

    QLabel* Label() const { return label_; }
    QToolButton* PrevHighlightedButton() const { return prevButton_; }
    QToolButton* NextHighlightedButton() const { return nextButton_; }
    QScrollBar* ScrollBar() const { return scrollBar_; }
    QToolButton* FatherButton() const { return fatherButton_; }
    QToolButton* MotherButton() const { return motherButton_; }
    WSelectionButton* SelectionButton() const { return selectionButton_; }

  signals:
    // The Active Individual changed (or was shown afresh after attaching).
    void Changed();
    // The back or forward history may have changed: "Go back" and "Go
    // forward" follow CanGoBack and CanGoForward.
    void HistoryChanged();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Holds Changed back while one operation moves the scroll bar and
    // rewrites the history, so listeners see the finished state once.
    class ChangeHold;

    void PositionChanged();
    void ScrollActionTriggered(int action);
    void DragEnded();
    void RecordUserScroll(int32_t shown);
    void ShowActiveIndividual();
    // Highlight colours for a highlighted individual, plain ones otherwise.
    void SetLabelColours(int32_t individual);
    void FillSelectionItems();
    void SelectionChosen(int item);
    void StepHighlighted(int direction);
    void ArrangeChildren(int width);
    // The scroll bar and the five buttons, while there is nothing to show.
    void DisableControls();
    int32_t IndividualAt(int position) const;
    void RaiseChanged();

    const WABSCollection* collection_ = nullptr;
    const IslandView* view_ = nullptr;
    WHLGroup* group_ = nullptr;

    QLabel* label_;
    QToolButton* prevButton_;
    QToolButton* nextButton_;
    QScrollBar* scrollBar_;
    QToolButton* fatherButton_;
    QToolButton* motherButton_;
    WSelectionButton* selectionButton_;

    int32_t recorded_ = 1;
    WIntStack back_;
    WIntStack forward_;
    std::vector<int32_t> familyList_;

    int holdDepth_ = 0;
    bool changePending_ = false;
    bool historyPending_ = false;
    bool stepping_ = false;  // a search for the next highlighted person runs
};

}  // namespace vx
