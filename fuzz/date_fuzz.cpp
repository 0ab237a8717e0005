// Date texts come straight from GEDCOM files and from what users type: read
// any bytes as a date and use every operation on the result. Besides
// crashes, overflow and hangs, it checks that ordering is antisymmetric and
// that day steps agree with day numbers.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "records/Date.h"
#include "records/DateDiff.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

int32_t ReadInt(const uint8_t*& data, size_t& size) {
    int32_t value = 0;
    if (size >= sizeof value) {
        std::memcpy(&value, data, sizeof value);
        data += sizeof value;
        size -= sizeof value;
    }
    return value;
}

bool IsCalendarDate(const vx::WDate& date) {
    return date.Year() >= 2 && date.Year() <= vx::kMaxDateYear - 10 && date.Month() >= 1 &&
           date.Month() <= 12 && date.Day() >= 1 &&
           date.Day() <= vx::DaysInMonth(date.Month(), date.Year());
}

void UseDate(vx::WDate& date, int32_t count) {
    static const vx::WDate fixed("BET 10 MAY 1900 AND 1950");
    static const vx::WDate unknown("SPRING");

    (void)date.DisplayText();
    (void)date.MonthName();
    (void)date.QualifierLetter();
    for (int precision = -1; precision <= 3; ++precision)
        (void)date.DayNumber(precision);

    const vx::WDate* self = &date;
    for (const vx::WDate* other : {&fixed, &unknown, self}) {
        const int forward = date.Compare(*other);
        const int backward = other->Compare(date);
        Check(forward >= -2 && forward <= 1);
        if (date.HasText()) Check(forward == -backward);
    }

    vx::WDateDiff diff;
    if (diff.Calculate(date, fixed)) {
        Check(diff.Years() >= 0);
        (void)diff.AgeText();
    }

    // Small steps on a real calendar date move the day number by the count.
    const int small = count % 1000;
    if (IsCalendarDate(date)) {
        const int64_t before = date.DayNumber(vx::kPrecisionDay);
        Check(date.IncDays(small));
        Check(date.DayNumber(vx::kPrecisionDay) == before + small);
        Check(date.DecDays(small));
        Check(date.DayNumber(vx::kPrecisionDay) == before);
    }

    vx::WDate copy = date;
    copy.IncDays(count);
    copy.DecMonths(count);
    copy.IncYears(small);
    copy.DecDays(small);
    copy.IncMonths(small);
    copy.DecYears(count);
    (void)copy.DisplayText();
    (void)copy.DayNumber(vx::kPrecisionDay);
    (void)copy.Compare(date);
    if (diff.Calculate(copy, date)) (void)diff.AgeText();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first bytes also give step counts and setter values; the whole
    // input is the date text, so every byte reaches the reader.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const uint8_t* rest = data;
    size_t left = size;
    const int32_t count = ReadInt(rest, left);
    const int32_t day = ReadInt(rest, left);
    const int32_t month = ReadInt(rest, left);

    vx::WDate date(text);
    UseDate(date, count);

    date.SetDay(day);
    date.SetMonth(month);
    UseDate(date, count);

    date.SetDayMonthYear(day, month, count);
    UseDate(date, count);
    return 0;
}
