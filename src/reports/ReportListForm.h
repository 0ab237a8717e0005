// "List" and "Highlighted List": one row per individual of a sorted or
// highlighted list, with the columns of the List tab at their screen widths.
#pragma once

#include "reports/ABSReportForm.h"
#include "reports/ColumnCells.h"

#include <memory>

namespace vx {
class WColSortIterator;
class WHLGroup;
}  // namespace vx

namespace vx::reports {

class TReportListForm : public TABSReportForm {
  public:
    TReportListForm();

    void SetOptions(bool greyLines, bool dividerLines, bool markHighlighted);
    // List kind 1 (the highlighted list) titles the report with the group's
    // description.
    void SetHighlightGroup(WHLGroup* group, int listKind);
    // Lays the columns out; only when both are given.
    void SetColumns(WListColumns* columns, WColSortIterator* list);

    const WColumnCells& Cells() const { return *cells_; }

  private:
    void DeliverRow(bool& more);
    void AddExtraHeight();

    WReportBand* detail_ = nullptr;
    WReportBand* headings_ = nullptr;
    WReportLabel* labHLInd_ = nullptr;
    std::unique_ptr<WColumnCells> cells_;
    WListColumns* columns_ = nullptr;
    WColSortIterator* list_ = nullptr;
    WHLGroup* group_ = nullptr;
    bool greyLines_ = false;
    bool markHighlighted_ = false;
    bool extraHeightAdded_ = false;
    int32_t cursor_ = 1;
};

}  // namespace vx::reports
