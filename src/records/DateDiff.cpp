#include "records/DateDiff.h"

namespace vx {
namespace {

int64_t Distance(const WDate& a, const WDate& b, int precision) {
    const int64_t difference = a.DayNumber(precision) - b.DayNumber(precision);
    return difference < 0 ? -difference : difference;
}

bool Usable(const WDate* date) {
    return date != nullptr && date->HasText() && date->IsRecognised();
}

bool IsPlainFullDate(const WDate& date) {
    return date.Day() != 0 && date.Qualifier() == kQualNone && !date.HasSecondYear();
}

}  // namespace

bool WDateDiff::Calculate(const WDate* a, const WDate* b) {
    days_ = 0;
    if (!Usable(a) || !Usable(b)) return false;
    exact_ = IsPlainFullDate(*a) && IsPlainFullDate(*b);
    if (exact_) {
        // A day is counted as lived only once it is over: 1 January 1900 to
        // 1 January 1950 is still 49 years.
        days_ = Distance(*a, *b, kPrecisionDay) - 1;
    } else {
        // Both ends may lie anywhere in their month or year: count the
        // whole span.
        const int precision = a->Month() != 0 && b->Month() != 0 ? kPrecisionMonth : kPrecisionYear;
        days_ = Distance(*a, *b, precision) + 1;
    }
    return true;
}

int64_t WDateDiff::Years() const {
    // |Days| / 365.25 truncated, in whole numbers so no rounding can add a year.
    const int64_t days = days_ < 0 ? -days_ : days_;
    return days * 4 / 1461;
}

std::string WDateDiff::AgeText() const {
    return (exact_ ? "" : "~") + std::to_string(Years());
}

}  // namespace vx
