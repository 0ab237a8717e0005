// The column chooser of the lists: every attribute is either offered in
// "Master List" or shown, in order, in "Columns Displayed". OK gives the
// column string of the shown ones.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace vx {

class WABSCollection;
class WListColumns;

class TdlgListColumns : public QDialog {
    Q_OBJECT

  public:
    explicit TdlgListColumns(QWidget* parent = nullptr);

    // Shows the set's columns as chosen, in their order, and every other
    // attribute as available. A number twice or outside the catalogue is
    // dropped. `collection` words the captions ("REF" for GEDCOM files).
    void SetColumns(const WListColumns& columns, const WABSCollection* collection);
    void SetColumnString(const std::string& columns, const WABSCollection* collection);
    // The chosen attribute numbers in order, joined by ","; empty for none.
    std::string ColumnString() const;

    // Runs the dialog on the set; on OK the set takes the chosen columns.
    // True on OK.
    static bool Choose(WListColumns& columns, const WABSCollection* collection, QWidget* parent);

    // The moves of the arrow buttons.
    void MoveRight();
    void MoveAllRight();
    void MoveLeft();
    void MoveAllLeft();
    void MoveUp();
    void MoveDown();

    QListWidget* MasterList() const { return master_; }
    QListWidget* DisplayedList() const { return displayed_; }
    QLabel* MasterCount() const { return masterCount_; }
    QLabel* DisplayedCount() const { return displayedCount_; }
    QPushButton* RightButton() const { return right_; }
    QPushButton* AllRightButton() const { return allRight_; }
    QPushButton* LeftButton() const { return left_; }
    QPushButton* AllLeftButton() const { return allLeft_; }
    QPushButton* UpButton() const { return up_; }
    QPushButton* DownButton() const { return down_; }

  private:
    // Rewrites both lists from the state; the selections go to the rows
    // given (clamped; -1 keeps none).
    void ShowLists(int masterRow, int displayedRow);
    void UpdateButtons();

    const WABSCollection* collection_ = nullptr;
    // Attribute numbers: the chosen ones in order; the available ones are
    // every other attribute, in the chooser's order.
    std::vector<int> chosen_;
    QListWidget* master_;
    QListWidget* displayed_;
    QLabel* masterCount_;
    QLabel* displayedCount_;
    QPushButton* right_;
    QPushButton* allRight_;
    QPushButton* left_;
    QPushButton* allLeft_;
    QPushButton* up_;
    QPushButton* down_;
};

}  // namespace vx
