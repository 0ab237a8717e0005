// "Islands": one row per island (a group of people linked by families):
// its rank, its individuals and families, and its first individual.
#pragma once

#include "reports/ABSReportForm.h"

namespace vx::reports {

class TReportIslandForm : public TABSReportForm {
  public:
    TReportIslandForm();
    void SetOptions(bool greyLines, bool dividerLines);

  private:
    void DeliverRow(bool& more);

    WReportBand* detail_ = nullptr;
    WReportLabel* labNo_ = nullptr;
    WReportLabel* labInd_ = nullptr;
    WReportLabel* labMar_ = nullptr;
    WReportLabel* labFirst_ = nullptr;
    bool greyLines_ = false;
    int32_t cursor_ = 1;
};

}  // namespace vx::reports
