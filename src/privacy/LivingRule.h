// Who may still be living, erring on the side of caution: a person counts
// as living unless their own dates, or their close relatives' dates, show
// otherwise. The rule, as the user reads it in `vellacor-tool pack --help`:
//
//   A person is dead when they have a death or burial date, or a death or
//   burial line that says "Y". Otherwise, with a birth date (or, lacking
//   one, a christening date), they count as living when that year is fewer
//   than 110 years before the current year. With none of those four dates
//   they count as living unless a child was born or christened more than
//   110 years ago, a parent more than 150 years ago, or a spouse died or
//   was buried more than 100 years ago. Of a date range or period the later
//   year counts.
#pragma once

#include <string_view>
#include <unordered_set>
#include <vector>

#include "privacy/GedcomLines.h"

namespace vx::privacy {

inline constexpr int kMaxLivingAge = 110;
inline constexpr int kChildBornYearsAgo = 110;
inline constexpr int kParentBornYearsAgo = 150;
inline constexpr int kSpouseDiedYearsAgo = 100;

// The rule above in one paragraph, for help texts.
extern const char* const kLivingRuleText;

// The identifiers ("@I1@") of the individuals that count as living in
// `currentYear`. The views point into the text of `lines`.
std::unordered_set<std::string_view> FindLivingPeople(const std::vector<GedLine>& lines,
                                                      const std::vector<GedRecord>& records,
                                                      int currentYear);

}  // namespace vx::privacy
