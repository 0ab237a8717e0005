// The List and Highlighted tabs: one grid over a column set, showing either
// every individual of the view or the highlighted ones, sorted by a header
// click, in the highlight colours, with a count above it.
#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QWidget>
#include <cstdint>

#include "ui/GeneralTab.h"

class QCheckBox;
class QLabel;
class QTableView;
class QToolButton;

namespace vx {

class TGridWidths;
class WColSortIterator;
class WHLGroup;
class WListColumns;

// True for a column (from 1) of dates, ages or numbers, whose values a grid
// never cuts.
bool IsCompactColumn(const WListColumns& columns, int column);
// Keeps a list grid's widths in the column set: scaled to the grid's font,
// never narrower than a caption or a compact column's values.
TGridWidths* NewListGridWidths(QTableView& grid, WListColumns& columns);

// Draws the cells in the grids' shared style, and the tab-separated pieces
// of a cell (the LDS marks) at the column's tab stops, 3 pixels in from each
// position.
class WTabStopDelegate : public TGridStyleDelegate {
  public:
    WTabStopDelegate(WListColumns& columns, QObject* parent)
        : TGridStyleDelegate(parent, Qt::AlignVCenter), columns_(columns) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    WListColumns& columns_;
};

// The grid's rows and cells, read from the column set and the list.
class WListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit WListModel(WListColumns& columns, QObject* parent = nullptr);

    // Shows another list (or none); `group` colours the rows unless
    // `plainRows`.
    void SetList(WColSortIterator* list, WHLGroup* group, bool plainRows);
    WColSortIterator* List() const { return list_; }
    // The individual of a row (from 0); 0 outside the list.
    int32_t IndividualAt(int row) const;
    // Re-reads captions and cells after the columns or the order changed.
    void Reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    WListColumns& columns_;
    WColSortIterator* list_ = nullptr;
    WHLGroup* group_ = nullptr;
    bool plainRows_ = false;
};

class TListPage : public QWidget {
    Q_OBJECT

  public:
    explicit TListPage(WListColumns& columns, QWidget* parent = nullptr);

    // Shows the list; `highlightedMode` for the Highlighted tab, where rows
    // are plain and a missing list means no highlighting yet.
    void ShowList(WColSortIterator* list, WHLGroup* group, bool highlightedMode,
                  int32_t activeIndividual);
    // Says, over the empty grid, that working the list out was cancelled.
    void ShowCancelled();
    // Header click: sorts by that column (from 0), or reverses it.
    void SortByColumn(int column);
    // Selects the Active Individual's row when the check box asks for it.
    void MoveToActive(int32_t activeIndividual);
    // Applies the stored widths to the grid, and takes the grid's back.
    // Widths the user drags are kept as they change.
    void ApplyColumnWidths();
    void StoreColumnWidths();
    TGridWidths& Widths() const { return *widths_; }

    WListModel& Model() { return model_; }
    QTableView* Grid() const { return grid_; }
    QLabel* CountLabel() const { return count_; }
    QCheckBox* FindInList() const { return findInList_; }

  signals:
    // A row was double-clicked.
    void IndividualChosen(int32_t individual);

  private:
    void UpdateSortIndicator();

    WListColumns& columns_;
    WListModel model_;
    QTableView* grid_;
    QLabel* count_;
    QCheckBox* findInList_;
    QToolButton* columnsButton_;
    TGridWidths* widths_;
    int32_t active_ = 0;
};

}  // namespace vx
