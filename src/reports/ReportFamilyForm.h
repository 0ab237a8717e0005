// "Family Group Information": the couple with their vital events, marriage,
// parents and LDS ordinances, then each child with its events and first
// marriage.
#pragma once

#include "reports/RowReport.h"

namespace vx::reports {

class TReportFamilyForm : public TRowReportForm {
  public:
    // The spouse chosen in the print dialog and the family they share with
    // the active individual (0: none).
    void SetSpouse(int32_t spouse, int32_t family);

    // Kept children of a family (a family with more prints the first ones).
    static constexpr int kMaxChildren = 499;

  protected:
    void BuildRows(std::vector<ReportRow>& rows) override;

  private:
    void AddPerson(std::vector<ReportRow>& rows, int32_t n, const QString& role, bool married,
                   bool isChild);

    int32_t spouse_ = 0;
    int32_t family_ = 0;
    bool useLds_ = false;
};

}  // namespace vx::reports
