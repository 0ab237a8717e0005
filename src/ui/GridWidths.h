// Column widths of a grid that read well at every font size. The widths kept
// in the settings are pixels in the font the grids were designed for; on
// screen they are scaled by how much wider the grid's font is, and a column
// is never narrower than its caption or, for columns of dates, ages and
// numbers, than its longest value.
#pragma once

#include <QObject>
#include <functional>

class QFont;
class QTableView;

namespace vx {

// How much wider (above 1) or narrower the font's average character is than
// that of the font the stored widths were designed for.
double FontWidthScale(const QFont& font);
// A stored width in pixels of that font, and back.
int ScreenWidth(int storedWidth, const QFont& font);
int StoredWidth(int screenWidth, const QFont& font);

class TGridWidths : public QObject {
    Q_OBJECT

  public:
    // The stored width of a column (from 0), and where a width goes back.
    using LoadWidth = std::function<int(int column)>;
    using SaveWidth = std::function<void(int column, int storedWidth)>;
    // True for a column of dates, ages or numbers, whose values are never cut.
    using IsCompact = std::function<bool(int column)>;

    // Widths the user drags are stored as they change. A double-click on a
    // divider of the grid's header fits that column to its caption and
    // values. The grid must have its model.
    TGridWidths(QTableView& grid, LoadWidth load, SaveWidth save, IsCompact compact);

    // Sets every column from its stored width in the grid's font, widened
    // to its minimum.
    void Apply();
    // Stores every column's width as the grid shows it.
    void Store();
    // The caption's width and, for a compact column, its widest value.
    int MinimumWidth(int column) const;
    // The caption's width and the widest value of any column.
    int FittedWidth(int column) const;
    void Fit(int column);

  private:
    int CaptionWidth(int column) const;
    int ValuesWidth(int column) const;

    QTableView& grid_;
    LoadWidth load_;
    SaveWidth save_;
    IsCompact compact_;
    // Set while widths change by Apply or a model reset rather than a drag.
    bool applying_ = false;
};

}  // namespace vx
