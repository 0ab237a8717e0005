// The Sources tab: every source record of the file in a sortable grid, and
// below it the details of the selected source, or its GEDCOM lines in raw
// mode.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "ui/PageContext.h"

class QLabel;
class QPlainTextEdit;
class QStackedWidget;
class QTableView;

namespace vx {

class TGridWidths;

class WABSCollection;
class WABSSource;
class WSourceIterator;

class WSourcesModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    static constexpr int kColumnCount = 9;

    explicit WSourcesModel(QObject* parent = nullptr);
    ~WSourcesModel() override;

    // Shows another list (or none) of the collection's sources.
    void SetList(WSourceIterator* list, const WABSCollection* collection);
    WSourceIterator* List() const { return list_; }
    // Re-reads the rows after the order changed.
    void Reload();
    // The source number of a grid row (from 0); 0 outside the list.
    int32_t SourceAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    // The record of the row last read: a row's nine cells ask in turn.
    const WABSSource* Cached(int32_t number) const;

    WSourceIterator* list_ = nullptr;
    const WABSCollection* collection_ = nullptr;
    mutable int32_t cachedNumber_ = 0;
    mutable std::unique_ptr<WABSSource> cached_;
};

class TSourcesPage : public QWidget {
    Q_OBJECT

  public:
    explicit TSourcesPage(QWidget* parent = nullptr);
    ~TSourcesPage() override;

    // Shows the file's sources (the list is made once per file) and the
    // details of the selected one; without a file everything empties.
    void Refresh(const PageContext& context);
    // Header click: sorts by that column (from 0), or reverses it.
    void SortByColumn(int column);

    WSourcesModel& Model() { return model_; }
    QTableView* Grid() const { return grid_; }
    QLabel* FoundLabel() const { return found_; }
    QLabel* TitleLabel() const { return title_; }
    QLabel* AuthorLabel() const { return author_; }
    QLabel* AbbreviationLabel() const { return abbreviation_; }
    QLabel* PublicationLabel() const { return publication_; }
    QLabel* CallNumberLabel() const { return callNumber_; }
    QPlainTextEdit* NoteMemo() const { return noteMemo_; }
    QPlainTextEdit* TextMemo() const { return textMemo_; }
    QPlainTextEdit* RepositoryMemo() const { return repoMemo_; }
    QPlainTextEdit* RawMemo() const { return rawMemo_; }
    // The detail page, or the raw page in raw mode.
    QWidget* CurrentDetailPage() const;
    // The stored widths in the grid's font, after a font change too.
    void ApplyColumnWidths();

  private:
    void ShowSource(int row);
    void ClearDetails();
    void UpdateSortIndicator();

    WSourcesModel model_;
    std::unique_ptr<WSourceIterator> list_;
    PageContext context_;
    int selectedRow_ = -1;
    TGridWidths* widths_ = nullptr;
    QLabel* found_;
    QTableView* grid_;
    QStackedWidget* notebook_;
    QWidget* detailPage_;
    QWidget* rawPage_;
    QLabel* title_;
    QLabel* author_;
    QLabel* abbreviation_;
    QLabel* publication_;
    QLabel* callNumber_;
    QPlainTextEdit* noteMemo_;
    QPlainTextEdit* textMemo_;
    QPlainTextEdit* repoMemo_;
    QPlainTextEdit* rawMemo_;
};

}  // namespace vx
