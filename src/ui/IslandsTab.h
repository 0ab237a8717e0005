// The Islands tab: the groups of individuals that no family links to each
// other, largest first, and below them the members of the chosen group in
// the columns of the "IslandList" set.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "ui/PageContext.h"

class QLabel;
class QTableView;
class QToolButton;

namespace vx {

class TGridWidths;
class FamilyAnalysis;
class WIslandIterator;
class WListColumns;
class WListModel;

// One row per island: number, individuals, families, first individual.
class WIslandsModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows the islands of the file once they are computed; null
    // shows none.
    void SetAnalysis(FamilyAnalysis* analysis);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    FamilyAnalysis* analysis_ = nullptr;
    int32_t count_ = 0;
};

class TIslandsPage : public QWidget {
    Q_OBJECT

  public:
    explicit TIslandsPage(WListColumns& columns, QWidget* parent = nullptr);
    ~TIslandsPage() override;

    // Counts the islands when the settings ask for it (or "Calculate" did)
    // and shows them; a file not seen before starts at the first island.
    // Without a file everything empties.
    void Refresh(const PageContext& context);
    // "Calculate": counts the islands now, then refreshes the page.
    void Calculate();
    // Shows the members of the island of that rank (from 1).
    void SelectIsland(int32_t rank);
    // Header click on the members: sorts by that column (from 0), or
    // reverses it.
    void SortMembers(int column);

    WIslandsModel& IslandsModel() { return islands_; }
    WListModel& MembersModel() { return *members_; }
    QTableView* IslandGrid() const { return islandGrid_; }
    QTableView* MemberGrid() const { return memberGrid_; }
    QLabel* FoundLabel() const { return found_; }
    QLabel* MembersLabel() const { return membersCount_; }
    QToolButton* CalculateButton() const { return calculate_; }
    // The stored widths in the grids' font, after a font change too.
    void ApplyColumnWidths();

  signals:
    // A row was double-clicked: the individual, or an island's first one.
    void IndividualChosen(int32_t individual);
    // "Calculate" counted the islands (the islands panel shows them too).
    void IslandsCalculated();

  private:
    void CountIslands(bool forced);
    void FreeMembers();
    void UpdateCalculateButton();
    void UpdateSortIndicator();

    WListColumns& columns_;
    WIslandsModel islands_;
    std::unique_ptr<WListModel> members_;
    std::unique_ptr<WIslandIterator> memberList_;
    PageContext context_;
    int32_t selected_ = 0;  // the island whose members show
    QLabel* found_;
    QToolButton* calculate_;
    QTableView* islandGrid_;
    QToolButton* columnsButton_;
    QLabel* membersCount_;
    QTableView* memberGrid_;
    TGridWidths* islandWidths_ = nullptr;
    TGridWidths* memberWidths_ = nullptr;
};

}  // namespace vx
