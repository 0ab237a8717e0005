// The islands page of the left panel: the islands in a small grid, and
// "Use Islands", which confines the scroller, the lists and the find box to
// the island chosen in the grid.
#pragma once

#include <QWidget>
#include <cstdint>

#include "ui/PageContext.h"

class QCheckBox;
class QLabel;
class QTableWidget;
class QToolButton;

namespace vx {

class TGridWidths;

class TIslandsPanel : public QWidget {
    Q_OBJECT

  public:
    explicit TIslandsPanel(QWidget* parent = nullptr);

    // Counts the islands when the settings allow it (or after "Calculate")
    // and shows them.
    void Refresh(const PageContext& context);
    // The island in use, 0 for none.
    int32_t IslandInUse() const { return inUse_; }
    // The grid's widths in its font, after a font change too.
    void ApplyColumnWidths();
    // The width that shows the grid's columns whole.
    int PreferredWidth() const;

    QTableWidget* Grid() const { return grid_; }
    QCheckBox* UseIslands() const { return useIslands_; }
    QToolButton* CalculateButton() const { return calculate_; }
    QLabel* CountLabel() const { return count_; }
    QToolButton* CloseButton() const { return close_; }

  signals:
    // The view should be confined to this island (0: the whole file).
    void IslandViewChanged(int32_t rank);
    // "Calculate" computed the islands; the Islands tab may show them.
    void IslandsCalculated();
    // The title bar's close button: the left panel is to be hidden.
    void CloseRequested();

  private:
    void Calculate();
    void ShowIslands();
    void ApplyUse();
    int32_t SelectedRank() const;

    PageContext context_;
    QTableWidget* grid_;
    QCheckBox* useIslands_;
    QToolButton* calculate_;
    QLabel* count_;
    QToolButton* close_ = nullptr;
    TGridWidths* widths_ = nullptr;
    int32_t inUse_ = 0;
};

}  // namespace vx
