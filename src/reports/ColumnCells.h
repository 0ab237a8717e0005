// The column cells of the list and descendants reports: one value cell per
// column in the detail band and its heading in the band under the page
// header, laid out left to right and wrapping onto further rows when a
// column would pass the right margin.
#pragma once

#include "reports/ReportEngine.h"

#include <vector>

namespace vx {
class WListColumns;
}

namespace vx::reports {

class WColumnCells {
  public:
    static constexpr int kMaxCells = 200;
    static constexpr double kGap = 7;

    struct Layout {
        double startLeft = 5;
        double rowHeight = 15;
        double valueTop = 1;    // top of a value cell in the first row
        double headingTop = 1;  // top of a heading in the first row
        double cellHeight = 12;
    };

    WColumnCells(WReportBand& detail, WReportBand& headings, const Layout& layout);

    // Adds one column; nothing once kMaxCells exist. Returns true when the
    // column started a new row (the bands have then grown by a row).
    bool Add(const QString& caption, double width);

    // Value cells, in column order.
    const std::vector<WReportLabel*>& Cells() const { return cells_; }
    int Rows() const { return rows_; }

    // The text of column i (from 1) for individual n: tabs removed for columns with
    // tab stops (the engine cuts what does not fit).
    static QString CellText(const WListColumns& columns, int column, int32_t individual);

  private:
    WReportBand& detail_;
    WReportBand& headings_;
    Layout layout_;
    std::vector<WReportLabel*> cells_;
    double nextLeft_;
    int rows_ = 1;
};

}  // namespace vx::reports
