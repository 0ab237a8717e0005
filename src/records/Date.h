// Every date of the program: the text of a GEDCOM DATE value (or a date the
// user typed) together with what could be recognised in it. Any text is
// accepted; text that cannot be read is kept, shown unchanged and sorted
// after every recognised date. Display and arithmetic are Gregorian whatever
// calendar a date names.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vx {

// Leading keyword of a date. The codes are also the match modes that date
// conditions read back through `Qualifier`.
enum DateQualifier : uint8_t {
    kQualNone = 0,
    kQualBefore = 1,
    kQualAfter = 2,
    kQualBetween = 3,
    kQualFrom = 4,
    kQualTo = 5,
    kQualAbout = 6,
    kQualEstimated = 7,
    kQualCirca = 8,
    kQualCalculated = 9,
    kQualInterpreted = 10,
    kQualAnd = 11,
};

// Calendar named by an escape ("@#DJULIAN@" ...) before a date part.
enum DateCalendar : uint8_t {
    kCalGregorian = 0,
    kCalJulian = 1,
    kCalHebrew = 2,
    kCalFrench = 3,
    kCalRoman = 4,
    kCalUnknown = 5,
};

// Precision of `DayNumber`.
enum DatePrecision : int {
    kPrecisionYear = 0,
    kPrecisionMonth = 1,
    kPrecisionDay = 2,
};

// Years stay within 0..kMaxDateYear: 0 means "not given", and the top is the
// largest year a date text can carry (seven digits). Steps stop at the edges.
inline constexpr int32_t kMaxDateYear = 9'999'999;

// One date part; 0 in a field means "not given".
struct DateRec {
    uint8_t Calendar = kCalGregorian;
    uint16_t Day = 0;
    uint16_t Month = 0;  // 1..12; 13 possible for the Hebrew and French words
    int32_t Year = 0;
    bool Present = false;  // the part received at least one value
};

// A calendar date as the clock reports it.
struct CivilDate {
    int Day = 1;
    int Month = 1;
    int Year = 1;
};

// The current local date, as "TODAY" reads it. Tests install a fixed clock;
// an empty function restores the system clock.
CivilDate Today();
void SetTodayProvider(std::function<CivilDate()> provider);

// Display month name of 1..12 ("Jan" ... "Dec"); empty otherwise.
std::string_view MonthDisplayName(int month);
bool IsLeapYear(int64_t year);
// Days of a month of 1..12 (February by the leap rule); 0 otherwise.
int DaysInMonth(int month, int64_t year);

// What the order of a non-empty date depends on, small enough to be kept
// for every row of a sorted list.
struct DateSortKey {
    int32_t year = 0;
    uint16_t month = 0;
    uint16_t day = 0;
    uint8_t qualifier = 0;
    bool unrecognised = false;
};

// The order of WDate::Compare for two non-empty dates. Two unrecognised
// dates compare equal here: their texts decide between them.
int CompareSortKeys(const DateSortKey& a, const DateSortKey& b);

class WDate {
  public:
    WDate() = default;
    explicit WDate(std::string_view text) { SetText(text); }

    // Assigns and parses a text. "TODAY" (exactly, case-sensitively) is the
    // current date; any other text is converted from ANSEL and upper-cased.
    void SetText(std::string_view text);
    // Sets the date to the given day, month and year (0 for a part that is
    // not given) and its text to the matching date text.
    void SetDayMonthYear(int day, int month, int year);

    const std::string& Text() const { return text_; }
    std::string DisplayText() const;

    int Year() const { return empty_ ? 0 : date1_.Year; }
    int Month() const { return empty_ ? 0 : date1_.Month; }
    int Day() const { return empty_ ? 0 : date1_.Day; }
    std::string MonthName() const;
    int Qualifier() const { return empty_ ? 0 : qualifier_; }
    // "b", "a", "c", "e" or empty, for the compact age and date columns.
    std::string_view QualifierLetter() const;

    bool HasText() const { return !empty_; }
    bool IsRecognised() const { return !unrecognised_; }
    bool HasSecondYear() const { return date2_.Year != 0; }

    const DateRec& Date1() const { return date1_; }
    const DateRec& Date2() const { return date2_; }

    // -2 when this date is empty or there is no other date; otherwise -1, 0
    // or 1 in the order every date sort uses: recognised dates by year,
    // month, day and qualifier, then unrecognised ones by their text.
    int Compare(const WDate* other) const;
    int Compare(const WDate& other) const { return Compare(&other); }
    DateSortKey SortKey() const;

    // Proleptic Gregorian day number (1 January of year 1 is day 1) at year,
    // month or day precision; 0 when empty or for another precision.
    int64_t DayNumber(int precision) const;

    // Calendar steps on the first part, count times. They refuse (false,
    // nothing changed) when the date is empty or the stepped part is 0; a
    // negative count steps the other way. Years stop at 1 and kMaxDateYear,
    // a date without a year keeps none, and a day too large for the new
    // month is lowered to its last day. The text is kept; `DisplayText`
    // shows the change.
    bool IncDays(int count) { return StepDays(count); }
    bool DecDays(int count) { return StepDays(-static_cast<int64_t>(count)); }
    bool IncMonths(int count) { return StepMonths(count); }
    bool DecMonths(int count) { return StepMonths(-static_cast<int64_t>(count)); }
    bool IncYears(int count) { return StepYears(count); }
    bool DecYears(int count) { return StepYears(-static_cast<int64_t>(count)); }

    // Store a value in the first part without any calendar check (the date
    // picker blanks and restores parts this way); out-of-range values are
    // held at the field's limits.
    void SetDay(int value);
    void SetMonth(int value);

  private:
    void Clear();
    void Parse();
    bool StepDays(int64_t count);
    bool StepMonths(int64_t count);
    bool StepYears(int64_t count);

    std::string text_;
    DateRec date1_;
    DateRec date2_;
    uint8_t qualifier_ = kQualNone;
    bool empty_ = true;
    bool unrecognised_ = false;
};

}  // namespace vx
