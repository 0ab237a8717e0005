// "Individual Information": identity, vital and other events, LDS
// ordinances, parents, marriages with their children, and notes of the
// active individual.
#pragma once

#include "reports/RowReport.h"

namespace vx::reports {

class TReportIndForm : public TRowReportForm {
  protected:
    void BuildRows(std::vector<ReportRow>& rows) override;
};

}  // namespace vx::reports
