// "General File Information": the file's header fields, its submitter and
// its size, date and record counts.
#pragma once

#include "reports/RowReport.h"

namespace vx::reports {

class TReportInfoForm : public TRowReportForm {
  protected:
    void BuildRows(std::vector<ReportRow>& rows) override;
};

}  // namespace vx::reports
