// The distance between two dates in days, and the age in whole years it
// gives: exact when both dates are plain, complete single dates, otherwise
// approximate (shown with "~").
#pragma once

#include <cstdint>
#include <string>

#include "records/Date.h"

namespace vx {

class WDateDiff {
  public:
    // Measures from a to b (the order does not matter). False, with `Days`
    // 0 and nothing else changed, when either date is missing, empty or not
    // recognised.
    bool Calculate(const WDate* a, const WDate* b);
    bool Calculate(const WDate& a, const WDate& b) { return Calculate(&a, &b); }

    int64_t Days() const { return days_; }
    bool Exact() const { return exact_; }
    // Whole years of 365.25 days.
    int64_t Years() const;
    // "~" when not exact, then `Years`: "49", "~50".
    std::string AgeText() const;

  private:
    int64_t days_ = 0;
    bool exact_ = false;
};

}  // namespace vx
