// Calendar arithmetic on a date's first part: day numbers for ages, and the
// day, month and year steps of the date picker and the "about" condition.
// Steps count one day (or month) at a time by the rules of the Gregorian
// calendar; long runs skip whole cycles of that calendar, so any count
// finishes at once.
#include <algorithm>
#include <array>

#include "records/Date.h"

namespace vx {
namespace {

constexpr int64_t kCycleDays = 146'097;  // 400 Gregorian years
constexpr int64_t kCycleYears = 400;
constexpr int64_t kYearZeroDays = 366;  // a date without a year stays in year 0, a leap year
constexpr int kUnknownMonthDays = 31;

int DaysBeforeMonth(int month) {
    static constexpr std::array<int, 12> kDaysBefore = {0,   31,  59,  90,  120, 151,
                                                        181, 212, 243, 273, 304, 334};
    return month >= 1 && month <= 12 ? kDaysBefore[month - 1] : 0;
}

// A month outside 1..12 (none given, or the thirteenth Hebrew or French
// month) has no length of its own: its day runs 1..31 and wraps around
// without moving the month, as the month is not known.
int LastDay(const DateRec& d) {
    const int days = DaysInMonth(d.Month, d.Year);
    return days != 0 ? days : kUnknownMonthDays;
}

bool KnownMonth(const DateRec& d) {
    return d.Month >= 1 && d.Month <= 12;
}

// Moves the year by one. A date without a year keeps none; false (nothing
// changed) when the year would leave 1..kMaxDateYear.
bool ShiftYear(DateRec& d, int delta) {
    if (d.Year == 0) return true;
    const int64_t year = int64_t{d.Year} + delta;
    if (year < 1 || year > kMaxDateYear) return false;
    d.Year = static_cast<int32_t>(year);
    return true;
}

// Removes whole cycles from `count`. The step rules depend only on the day,
// the month and whether the year is a leap year, which repeats every 400
// years, so a valid date comes back to itself after a cycle. False when the
// cycles would carry the year past an edge.
bool SkipCycles(DateRec& d, int64_t& count, bool forward) {
    if (d.Day < 1 || d.Day > LastDay(d)) return true;
    if (!KnownMonth(d)) {
        if (forward) count %= kUnknownMonthDays;
        return true;
    }
    if (d.Year == 0) {
        count %= kYearZeroDays;
        return true;
    }
    const int64_t cycles = count / kCycleDays;
    const int64_t year = d.Year + (forward ? cycles : -cycles) * kCycleYears;
    if (year < 1 || year > kMaxDateYear) return false;
    d.Year = static_cast<int32_t>(year);
    count %= kCycleDays;
    return true;
}

void DaysForward(DateRec& d, int64_t count) {
    while (count > 0) {
        if (!SkipCycles(d, count, true)) {
            d = DateRec{d.Calendar, 31, 12, kMaxDateYear, d.Present};
            return;
        }
        if (count == 0) return;
        const int last = LastDay(d);
        if (d.Day < last) {
            const int64_t run = std::min<int64_t>(count, last - d.Day);
            d.Day = static_cast<uint16_t>(d.Day + run);
            count -= run;
            continue;
        }
        // At or past the end of the month: the first of the next one.
        --count;
        d.Day = 1;
        if (!KnownMonth(d)) continue;
        if (d.Month < 12) {
            ++d.Month;
        } else if (ShiftYear(d, 1)) {
            d.Month = 1;
        } else {
            d.Day = 31;  // the last day there is
            return;
        }
    }
}

void DaysBack(DateRec& d, int64_t count) {
    while (count > 0) {
        if (!SkipCycles(d, count, false)) {
            d = DateRec{d.Calendar, 1, 1, 1, d.Present};
            return;
        }
        if (count == 0) return;
        if (d.Day > 1) {
            const int64_t run = std::min<int64_t>(count, d.Day - 1);
            d.Day = static_cast<uint16_t>(d.Day - run);
            count -= run;
            continue;
        }
        // The first of a month: the last day of the month before. No month
        // counts as January, the thirteenth month comes after December.
        --count;
        if (d.Month > 12) {
            d.Month = 12;
        } else if (d.Month > 1) {
            --d.Month;
        } else if (ShiftYear(d, -1)) {
            d.Month = 12;
        } else {
            return;  // the first day there is
        }
        d.Day = static_cast<uint16_t>(LastDay(d));
    }
}

// One month forward or back; the day is lowered to the new month's length.
bool StepMonth(DateRec& d, bool forward) {
    if (forward) {
        if (d.Month < 12) {
            ++d.Month;
        } else if (ShiftYear(d, 1)) {
            d.Month = 1;
        } else {
            return false;
        }
    } else {
        if (d.Month > 12) {
            d.Month = 12;
        } else if (d.Month > 1) {
            --d.Month;
        } else if (ShiftYear(d, -1)) {
            d.Month = 12;
        } else {
            return false;
        }
    }
    d.Day = static_cast<uint16_t>(std::min<int>(d.Day, LastDay(d)));
    return true;
}

// Months in one move, once the day can no longer be lowered by them.
void JumpMonths(DateRec& d, int64_t delta) {
    if (d.Year == 0) {
        d.Month = static_cast<uint16_t>(((d.Month - 1 + delta) % 12 + 12) % 12 + 1);
    } else {
        const int64_t index = std::clamp<int64_t>(int64_t{d.Year} * 12 + (d.Month - 1) + delta, 12,
                                                  int64_t{kMaxDateYear} * 12 + 11);
        d.Year = static_cast<int32_t>(index / 12);
        d.Month = static_cast<uint16_t>(index % 12 + 1);
    }
    d.Day = static_cast<uint16_t>(std::min<int>(d.Day, LastDay(d)));
}

// After this many single month steps the day has met a 28-day February (any
// four years in a row hold a common year), so no later month can lower it.
constexpr int64_t kMonthsToShortFebruary = 48;

}  // namespace

int64_t WDate::DayNumber(int precision) const {
    if (empty_ || precision < kPrecisionYear || precision > kPrecisionDay) return 0;
    const int64_t before = int64_t{date1_.Year} - 1;  // whole years before this one
    int64_t days = 365 * before + before / 4 - before / 100 + before / 400;
    if (date1_.Month > 2 && IsLeapYear(date1_.Year)) ++days;
    if (precision >= kPrecisionMonth) days += DaysBeforeMonth(date1_.Month);
    if (precision == kPrecisionDay) days += date1_.Day;
    return days;
}

bool WDate::StepDays(int64_t count) {
    if (empty_ || date1_.Day == 0) return false;
    if (count >= 0)
        DaysForward(date1_, count);
    else
        DaysBack(date1_, -count);
    return true;
}

bool WDate::StepMonths(int64_t count) {
    if (empty_ || date1_.Month == 0) return false;
    const bool forward = count >= 0;
    int64_t left = forward ? count : -count;
    for (int64_t walked = 0; left > 0 && walked < kMonthsToShortFebruary; ++walked, --left) {
        if (!StepMonth(date1_, forward)) return true;  // stopped at the first or last year
    }
    if (left > 0) JumpMonths(date1_, forward ? left : -left);
    return true;
}

bool WDate::StepYears(int64_t count) {
    if (empty_ || date1_.Year == 0) return false;
    date1_.Year = static_cast<int32_t>(std::clamp<int64_t>(date1_.Year + count, 1, kMaxDateYear));
    // 29 February has no place in a common year.
    if (date1_.Month == 2 && date1_.Day == 29 && !IsLeapYear(date1_.Year)) date1_.Day = 28;
    return true;
}

}  // namespace vx
