// The General tab: the file's header lines, its submitter and the file
// information (size, date, import time, record counts), or with the raw-data
// switch the header's and the submitter's GEDCOM lines. Also the drawing
// style the grids of the tab pages share.
#pragma once

#include <QStyledItemDelegate>
#include <QWidget>

#include "exports/GeneralPage.h"

class QLabel;
class QPlainTextEdit;
class QTableView;
class QTableWidget;

namespace vx {

struct PageContext;

// The shared look of the pages' grids: cells in their row colours (white
// unless the model says otherwise) with their text 3 pixels in from the left,
// ended with an ellipsis where the column is too narrow, the selection
// outlined in black instead of filled, a button-face line down the right
// edge of the other cells.
class TGridStyleDelegate : public QStyledItemDelegate {
  public:
    // `vertical` places the text in the row: at the top, or centred.
    explicit TGridStyleDelegate(QObject* parent, Qt::Alignment vertical = Qt::AlignTop)
        : QStyledItemDelegate(parent), vertical_(vertical) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  protected:
    // The black frame around the selected cells, or the divider line.
    static void PaintSelection(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index);
    Qt::Alignment Vertical() const { return vertical_; }

  private:
    Qt::Alignment vertical_;
};

// Gives a grid the shared style: the delegate above, a raised button-face
// header row with captions 3 pixels in, white below the last row, whole-row
// single selection and no editing.
void ApplyGridStyle(QTableView& grid);
// The display sizes: the font of the cells and the fixed row height.
void SetGridSizes(QTableView& grid, const QFont& font, int rowHeight);

class TGeneralPage : public QWidget {
    Q_OBJECT

  public:
    explicit TGeneralPage(QWidget* parent = nullptr);

    // Rebuilds the grids (or memos) from the context's file; without a file
    // every value is empty.
    void Refresh(const PageContext& context);

    QTableWidget* StatsGrid() const { return stats_; }
    QTableWidget* HeaderGrid() const { return header_; }
    QTableWidget* SubmitterGrid() const { return submitter_; }
    QPlainTextEdit* HeaderMemo() const { return headerMemo_; }
    QPlainTextEdit* SubmitterMemo() const { return submitterMemo_; }
    // What the last refresh showed.
    const GeneralPage& Page() const { return page_; }

  private:
    QTableWidget* stats_;
    QTableWidget* header_;
    QTableWidget* submitter_;
    QPlainTextEdit* headerMemo_;
    QPlainTextEdit* submitterMemo_;
    GeneralPage page_;
};

}  // namespace vx
