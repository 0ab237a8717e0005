// "Islands": one row per island (a group of people linked by families):
// its rank, its individuals and families, and its first individual.
#pragma once

#include "reports/ABSReportForm.h"

namespace vx {
class WIslands;
}  // namespace vx

namespace vx::reports {

class TReportIslandForm : public TABSReportForm {
  public:
    TReportIslandForm();
    void SetOptions(bool greyLines, bool dividerLines);
    // The islands of the collection; computed when the report runs.
    void SetIslands(WIslands* islands) { islands_ = islands; }

  private:
    void DeliverRow(bool& more);

    WIslands* islands_ = nullptr;
    WReportBand* detail_ = nullptr;
    WReportLabel* labNo_ = nullptr;
    WReportLabel* labInd_ = nullptr;
    WReportLabel* labMar_ = nullptr;
    WReportLabel* labFirst_ = nullptr;
    bool greyLines_ = false;
    int32_t cursor_ = 1;
};

}  // namespace vx::reports
