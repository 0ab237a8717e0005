// "Find Individual": every individual of the current view in a grid that
// can be ordered by number, identifier, surname, given names or the user's
// own reference number, searched as the user types, with the selected
// person, the parents and the spouse families with their children beside
// it. Quick Find opens it for the full search.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableView;

namespace vx {

class IslandView;
class TIndInfoPanel;
class WABSCollection;
class WColSortIterator;
class WHLGroup;

// The sorted lists of individuals that the find dialogs share. The caller
// keeps them between uses, so each is sorted at most once while the file is
// open. A dialog handed no list for an order makes its own over the view.
struct WFindLists {
    WColSortIterator* identifier = nullptr;  // by cross-reference identifier
    WColSortIterator* given = nullptr;       // given names first
    WColSortIterator* surname = nullptr;     // "Surname, Given"
    WColSortIterator* reference = nullptr;   // the user's reference number
    const IslandView* view = nullptr;        // the people found; null: the whole file
};

// The grid's rows: the individuals of one list in list order, with their
// number, identifier (or reference number), name and birth date, in the
// highlight colours.
class WFindGridModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetSource(const WABSCollection* collection, WHLGroup* group);
    // Shows the list (or none); the mode decides the texts of columns 1
    // and 2 (a TWFindDlg::Mode).
    void SetList(WColSortIterator* list, int mode);
    WColSortIterator* List() const { return list_; }
    // The individual of a row (from 0); 0 outside the list.
    int32_t IndividualAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const WABSCollection* collection_ = nullptr;
    WHLGroup* group_ = nullptr;
    WColSortIterator* list_ = nullptr;
    int mode_ = 0;
};

class TWFindDlg : public QDialog {
    Q_OBJECT

  public:
    // The orders, as the dialog counts them. The setting FindDlg numbers
    // them differently (1 index, 2 identifier, 3 surname, 4 given names,
    // 5 reference number), as earlier versions stored them.
    enum Mode : int { kModeIndex, kModeIdentifier, kModeReference, kModeSurname, kModeGiven };

    TWFindDlg(QWidget* owner, const WFindLists& lists, WHLGroup* group,
              const WABSCollection* collection);
    ~TWFindDlg() override;

    // The individual the grid starts on when the dialog shows.
    void SetPreselected(int32_t individual) { preselected_ = individual; }
    // The individual of the current row: the choice after OK.
    int32_t Selected() const { return selected_; }

    int Mode() const { return mode_; }
    // Shows the list of the order, sorting it first when needed, and
    // remembers the order for the next time.
    void SetMode(int mode);
    // Moves the grid to the closest match of the search box's text.
    void Search();
    // Moves the grid to the individual when the shown list holds it.
    void MoveToIndividual(int32_t individual);

    WFindGridModel& GridModel() { return model_; }
    QTableView* Grid() const { return grid_; }
    QLineEdit* SearchBox() const { return edSearch_; }
    QPushButton* SearchButton() const { return butSearch_; }
    QListWidget* Marriages() const { return lbMarriages_; }

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildLayout();
    void ApplySizes();
    // The list behind an order; never null.
    WColSortIterator* ListOfMode(int mode) const;
    // Jumps are shown amid the rows around them; steps only keep the row
    // in sight.
    void MoveToRow(int row, bool jump = true);
    int CurrentRow() const;
    void RowSelected(int row);
    void RewriteSearchBox();
    void SearchTextChanged();
    void SearchButtonClicked();
    void OKClicked();
    void FillMarriages();
    void MarriageChosen(int row);

    const WABSCollection* collection_;
    WHLGroup* group_;
    WFindLists lists_;
    // Lists made for orders the caller handed none for, and the dialog's
    // own list in view order (the index order, never sorted).
    std::array<std::unique_ptr<WColSortIterator>, 4> ownLists_;
    std::unique_ptr<WColSortIterator> viewList_;
    WFindGridModel model_;
    int mode_ = kModeSurname;
    int32_t preselected_ = 0;
    int32_t selected_ = 0;
    // Off while a search moves the grid: the user's text stays as typed.
    bool rewriteSearch_ = true;
    bool autoSearch_;
    bool prepared_ = false;

    std::array<QRadioButton*, 5> modeButtons_{};
    QButtonGroup* modes_;
    QLineEdit* edSearch_;
    QPushButton* butSearch_;
    QTableView* grid_;
    QLabel* labIndividuals_;
    TIndInfoPanel* iiIndividual_;
    TIndInfoPanel* iiFather_;
    TIndInfoPanel* iiMother_;
    QLabel* labMarriages_;
    QListWidget* lbMarriages_;
    QPushButton* butOK_;
    QPushButton* butCancel_;
};

}  // namespace vx
