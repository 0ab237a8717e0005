// "Descendants of ...": the indented descendants list, optionally with list
// columns in an area at the right and divider lines between individuals.
#pragma once

#include "reports/ABSReportForm.h"
#include "reports/ColumnCells.h"

#include <memory>

namespace vx {
class WDesIterator;
}

namespace vx::reports {

class TReportDesForm : public TABSReportForm {
  public:
    TReportDesForm();
    ~TReportDesForm() override;

    // `columnAreaWidth` is the print dialog's track bar position (18..54):
    // the column area starts at ten times it.
    void SetOptions(int indentAmount, int generationLimit, bool dividerLines, bool printColumns,
                    int columnAreaWidth, bool repeatIndividuals);
    void SetCollection(WABSCollection* collection) override;
    // With print columns, lays the columns out in the column area.
    void SetColumns(WListColumns* columns);
    // Titles the report and lists the individual's descendants.
    void SetIndividual(int32_t individual) override;

  private:
    void DeliverRow(bool& more);

    WReportBand* detail_ = nullptr;
    WReportBand* headings_ = nullptr;
    WReportLabel* labLine_ = nullptr;
    WReportLabel* labCaption_ = nullptr;
    WReportRule* vertLine_ = nullptr;
    std::unique_ptr<WColumnCells> cells_;
    WListColumns* columns_ = nullptr;
    std::unique_ptr<WDesIterator> list_;
    int32_t cursor_ = 1;
    double rowHeight_ = 15;
    double cellOffset_ = 0;
    int indentAmount_ = 0;
    int generationLimit_ = 1;
    bool repeatIndividuals_ = false;
    bool printColumns_ = false;
    double columnAreaLeft_ = kPrintableWidth;
};

}  // namespace vx::reports
