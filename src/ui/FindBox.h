// The toolbar's find box: moves the Active Individual as the user types, by
// index, reference, surname (with given names after a comma) or given
// names, steps through the matches with Find Next and Find Previous, and
// shows the Active Individual's value after every move.
#pragma once

#include <QObject>
#include <array>
#include <memory>
#include <string>

class QAction;
class QLineEdit;

namespace vx {

class IslandView;
class WABSCollection;
class WColSortIterator;
class WIndScroll;
class WSelectionButton;

class WFindBox : public QObject {
    Q_OBJECT

  public:
    enum Mode : int { kIndex = 1, kReference = 2, kSurname = 3, kGiven = 4 };

    WFindBox(QLineEdit& box, WSelectionButton& modeButton, WIndScroll& scroller, QAction& next,
             QAction& previous, QObject* parent = nullptr);
    ~WFindBox() override;

    // Forgets the lists and the matches (a new file is loading).
    void Reset();
    // Prepares the lists of a newly loaded file (or a new view of it),
    // unsorted, over the view (null: the whole file).
    void Attach(const WABSCollection* collection, const IslandView* view);
    // Writes the Active Individual's value for the current mode.
    void Fill();
    void SetMode(int mode);
    int Mode() const { return mode_; }
    void FindNext();
    void FindPrevious();
    // The lists the find dialogs share: reference, the unsorted fifth one,
    // surname, given names.
    WColSortIterator* List(int mode) const;
    WColSortIterator* DialogList() const { return dialogList_.get(); }
    int Anchor() const { return anchor_; }
    int CurrentMatch() const { return current_; }

  private:
    class Guard;
    void TextChanged();
    // The mode's list, sorted for searching; null without a file.
    WColSortIterator* SortedList();
    bool Matches(int32_t individual) const;
    // Finds the anchor for the box's text; false when the text finds none.
    bool FindAnchor(WColSortIterator& list);
    void GoTo(WColSortIterator& list, int position);
    void EnableSteps(bool enabled);

    QLineEdit& box_;
    WSelectionButton& modeButton_;
    WIndScroll& scroller_;
    QAction& next_;
    QAction& previous_;
    const WABSCollection* collection_ = nullptr;
    // Lists of modes 2 to 4 (index 0 unused for mode 1, which needs none).
    std::array<std::unique_ptr<WColSortIterator>, 5> lists_;
    std::unique_ptr<WColSortIterator> dialogList_;
    int mode_ = kIndex;
    int anchor_ = 0;
    int current_ = 0;
    bool finding_ = false;
};

}  // namespace vx
