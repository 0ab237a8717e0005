// "Quick Find": chooses an individual by number. The user types a number
// or scrolls, sees the person, steps to the father, the mother, a spouse or
// a child, or opens "Find Individual" for a search by name.
#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "dialogs/FindDlg.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace vx {

class TIndInfoPanel;
class WABSCollection;
class WHLGroup;
class WSelectionButton;

class TdlgQuickFind : public QDialog {
    Q_OBJECT

  public:
    // The lists are only handed on to "Find Individual".
    TdlgQuickFind(QWidget* owner, const WFindLists& lists, WHLGroup* group,
                  const WABSCollection* collection);

    // Shows individual n; 0, or a number beyond the file, disables every
    // control but the search box.
    void SetSelected(int32_t individual);
    // The choice after OK; 0 while nothing valid is selected.
    int32_t Selected() const { return selected_; }
    // How far Page Up and Page Down move: a hundredth of the file.
    int32_t PageStep() const { return pageStep_; }
    // The individuals behind the spouse menu's items, in item order (0 for
    // a family without another spouse).
    const std::vector<int32_t>& SpouseMenuPeople() const { return menuPeople_; }
    // Fills the spouse menu for the selected person.
    void FillSpouseMenu();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void EnableControls(bool enabled);
    void SearchChanged();
    // Up, Page Up, Down and Page Down in the search box.
    void StepKey(int key);
    void SpouseChosen(int item);
    void AdvancedFindClicked();

    const WABSCollection* collection_;
    WHLGroup* group_;
    WFindLists lists_;
    int32_t count_;
    int32_t selected_ = 0;
    int32_t pageStep_;
    std::vector<int32_t> menuPeople_;

    QLineEdit* edSearch_;
    QLabel* labSelected_;
    QLabel* labIndCount_;
    QScrollBar* sbScrollBar_;
    QPushButton* butAdvancedFind_;
    TIndInfoPanel* iiSelected_;
    QPushButton* butFather_;
    QPushButton* butMother_;
    WSelectionButton* selSpouses_;
    QPushButton* butOK_;
    QPushButton* butCancel_;
};

}  // namespace vx
