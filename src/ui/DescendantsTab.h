// The Descendants tab: the Active Individual's descendants as an indented
// list, one row per marriage, with the columns of the "DesList" set beside
// the names.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "ui/PageContext.h"

class QCheckBox;
class QLabel;
class QSpinBox;
class QTableView;
class QToolButton;

namespace vx {

class TGridWidths;
class WABSCollection;
class WDesIterator;
class WListColumns;
struct DesRow;

// Column 0 is the descendant line; columns 1.. are the column set's.
class WDescendantsModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit WDescendantsModel(WListColumns& columns, QObject* parent = nullptr);

    // Shows another list (or none); `group` colours the names in column 0.
    void SetList(const WDesIterator* list, const WABSCollection* collection, WHLGroup* group);
    const WDesIterator* List() const { return list_; }
    // The list row behind a grid row (from 0); false outside the list.
    bool RowAt(int row, DesRow& out) const;
    // The individual of a grid row; 0 outside the list.
    int32_t IndividualAt(int row) const;
    const WABSCollection* Collection() const { return collection_; }
    WHLGroup* Group() const { return group_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    WListColumns& columns_;
    const WDesIterator* list_ = nullptr;
    const WABSCollection* collection_ = nullptr;
    WHLGroup* group_ = nullptr;
};

class TDescendantsPage : public QWidget {
    Q_OBJECT

  public:
    explicit TDescendantsPage(WListColumns& columns, QWidget* parent = nullptr);
    ~TDescendantsPage() override;

    // Rebuilds the list below the Active Individual with the current
    // settings; without a file the list goes.
    void Refresh(const PageContext& context);
    // The stored widths in the grid's font, after a font change too.
    void ApplyColumnWidths();

    WDescendantsModel& Model() { return model_; }
    QTableView* Grid() const { return grid_; }
    QSpinBox* Generations() const { return generations_; }
    QLabel* GenerationsLabel() const { return generationsLabel_; }
    QSpinBox* Indent() const { return indent_; }
    QCheckBox* ShowGrid() const { return showGrid_; }
    QCheckBox* RepeatIndividuals() const { return repeat_; }

  signals:
    // A row was double-clicked: its individual.
    void IndividualChosen(int32_t individual);

  private:
    void Rebuild();
    void ShowGenerationsLabel();

    WListColumns& columns_;
    WDescendantsModel model_;
    std::unique_ptr<WDesIterator> list_;
    PageContext context_;
    QTableView* grid_;
    QToolButton* columnsButton_;
    QSpinBox* generations_;
    QLabel* generationsLabel_;
    QSpinBox* indent_;
    QCheckBox* showGrid_;
    QCheckBox* repeat_;
    TGridWidths* widths_ = nullptr;
};

}  // namespace vx
