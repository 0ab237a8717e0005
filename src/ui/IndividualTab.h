// The Individual tab: everything known about the Active Individual as a
// grid of typed rows, with the notes and sources of the selected row under
// it, or with the raw-data switch the person's GEDCOM lines.
#pragma once

#include <QWidget>
#include <cstdint>

#include "exports/IndividualPage.h"
#include "ui/PageContext.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QStackedWidget;
class QTableWidget;

namespace vx {

class TIndividualPage : public QWidget {
    Q_OBJECT

  public:
    explicit TIndividualPage(QWidget* parent = nullptr);

    // Rebuilds the page for the context's Active Individual. The context is
    // kept for the "Chronological" box, which rebuilds the page itself; the
    // window refreshes the page again whenever the file changes.
    void Refresh(const PageContext& context);

    QTableWidget* Grid() const { return grid_; }
    QPlainTextEdit* NotesMemo() const { return notes_; }
    QPlainTextEdit* SourcesMemo() const { return sources_; }
    QPlainTextEdit* RawMemo() const { return raw_; }
    QCheckBox* ChronologicalBox() const { return chronological_; }
    QLabel* SexLabel() const { return sex_; }
    QLabel* ModifiedLabel() const { return modified_; }
    // True while the raw lines stand in for the grid.
    bool ShowsRaw() const;
    // What the last refresh showed.
    const IndividualPage& Page() const { return page_; }

  signals:
    // A row standing for a person was double-clicked.
    void IndividualChosen(int32_t individual);

  private:
    void ShowSelected(int row);
    void FillGrid();

    PageContext context_;
    IndividualPage page_;
    QLabel* sex_;
    QLabel* modified_;
    QCheckBox* chronological_;
    QStackedWidget* stack_;
    QWidget* gridPage_;
    QTableWidget* grid_;
    QPlainTextEdit* notes_;
    QPlainTextEdit* sources_;
    QPlainTextEdit* raw_;
    int selected_ = 0;  // the grid row whose texts the memos show
};

}  // namespace vx
