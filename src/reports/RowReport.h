// Reports that read as a sequence of rows (the general information, the
// individual and the family group reports): each row is a few cells at
// fixed places, a heading, or a spacer. The rows are built when the report
// starts and one band delivers them one after another, growing with cells
// whose text wraps.
#pragma once

#include "reports/ABSReportForm.h"

#include <vector>

namespace vx::reports {

struct ReportCell {
    QString text;
    double left = 0;
    double width = 0;
    FontSpec font;
    HAlign align = HAlign::Left;
    bool wrap = false;  // the text wraps and the row grows with it
};

struct ReportRow {
    std::vector<ReportCell> cells;
    double height = 16;
    double textTop = 2;      // where the cells start within the row
    QColor background;       // invalid: none
    bool ruleBelow = false;  // a thin rule under the row
    // Above 0: this row and the ones after it, this high together, form a
    // block that starts a new page rather than split.
    double keepHeight = 0;
};

class TRowReportForm : public TABSReportForm {
  public:
    TRowReportForm();

  protected:
    // Fills `rows` for the run that is starting.
    virtual void BuildRows(std::vector<ReportRow>& rows) = 0;

    // Helpers for the common shapes of rows.
    static ReportRow Heading(const QString& text);
    static ReportRow ColumnCaptions(const QString& left, const QString& right, double valueLeft);
    static ReportRow Spacer(double height);
    // A caption (9-point) and a value at `valueLeft` that wraps.
    static ReportRow CaptionValue(const QString& caption, const QString& value, double valueLeft,
                                  bool boldValue);

  private:
    void DeliverRow(bool& more);

    std::vector<ReportRow> rows_;
    size_t cursor_ = 0;
    WReportBand* band_ = nullptr;
    WReportRule* rule_ = nullptr;
    std::vector<WReportLabel*> labels_;
};

}  // namespace vx::reports
