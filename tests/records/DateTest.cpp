#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <string>
#include <vector>

#include "records/Date.h"

namespace vx {
namespace {

// What a text reads as: the display text and the fields of the first part.
struct ReadCase {
    const char* name;
    std::string text;
    std::string display;
    int day, month, year, qualifier;
    bool recognised;
    int secondYear;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class DateReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DateReadTest, ReadsAndDisplays) {
    const ReadCase& c = GetParam();
    WDate date(c.text);
    EXPECT_TRUE(date.HasText());
    EXPECT_EQ(date.DisplayText(), c.display);
    EXPECT_EQ(date.Day(), c.day);
    EXPECT_EQ(date.Month(), c.month);
    EXPECT_EQ(date.Year(), c.year);
    EXPECT_EQ(date.Qualifier(), c.qualifier);
    EXPECT_EQ(date.IsRecognised(), c.recognised);
    EXPECT_EQ(date.Date2().Year, c.secondYear);
}

// clang-format off
const ReadCase kReadCases[] = {
    {"DayMonthYear", "25 DEC 1850", "25 Dec 1850", 25, 12, 1850, 0, true, 0},
    {"MonthDayYear", "DEC 25 1850", "25 Dec 1850", 25, 12, 1850, 0, true, 0},
    {"YearMonthDay", "1850 DEC 25", "25 Dec 1850", 25, 12, 1850, 0, true, 0},
    {"LowerCaseAndFullMonth", "25 december 1850", "25 Dec 1850", 25, 12, 1850, 0, true, 0},
    {"MayOnlyExact", "1 MAYBE 1850", "1 MAYBE 1850", 1, 0, 0, 0, false, 0},
    {"DottedDayFirst", "25.12.1850", "25 Dec 1850", 25, 12, 1850, 0, true, 0},
    {"DottedShortMonth", "25.5.1850", "25 May 1850", 25, 5, 1850, 0, true, 0},
    {"DottedShortDay", "5.12.1850", "5 Dec 1850", 5, 12, 1850, 0, true, 0},
    {"DottedShortBoth", "5/5/1850", "5 May 1850", 5, 5, 1850, 0, true, 0},
    {"MonthSlashYear", "12/1850", "Dec 1850", 0, 12, 1850, 0, true, 0},
    {"BadMonthSlashYear", "13/1850", "13/1850", 0, 0, 0, 0, false, 0},
    {"AngleBrackets", "<1850>", "1850", 0, 0, 1850, 0, true, 0},
    {"NumericMonthFirst", "12 25 1850", "25 Dec 1850", 25, 12, 1850, 0, true, 0},
    {"NumericMonthYear", "12 1850", "Dec 1850", 0, 12, 1850, 0, true, 0},
    {"NumericDayFirstKeepsNothing", "25 12 1850", "", 0, 0, 0, 0, true, 0},
    {"NumericDayOutOfRange", "12 32 1850", "Dec ", 0, 12, 0, 0, true, 0},
    {"SlashesMonthFirst", "12/25/1850", "12 1850", 12, 0, 1850, 0, true, 0},
    {"DayMonthOnly", "25 DEC", "25 Dec ", 25, 12, 0, 0, true, 0},
    {"DualYear", "11 FEB 1750/51", "11 Feb 1750/51", 11, 2, 1750, 0, true, 51},
    {"SecondYearAfterBlank", "25 DEC 1850 1851", "25 Dec 1850/1851", 25, 12, 1850, 0, true, 1851},
    {"ShortDualYearIsNumeric", "1750/51", "", 0, 0, 0, 0, true, 0},
    {"FullDualYear", "1750/1751", "1750/1751", 0, 0, 1750, 0, true, 1751},
    {"About", "ABT 1850", "Abt 1850", 0, 0, 1850, kQualAbout, true, 0},
    {"Say", "SAY 1850", "Abt 1850", 0, 0, 1850, kQualAbout, true, 0},
    {"AboutInFull", "ABOUT 1850", "Abt 1850", 0, 0, 1850, kQualAbout, true, 0},
    {"CircaInFull", "CIRCA 1850", "CIRCA 1850", 0, 0, 0, 0, false, 0},
    {"BeforeDotted", "BEF. 3 MAR 1850", "Bef 3 Mar 1850", 3, 3, 1850, kQualBefore, true, 0},
    {"AfterInFull", "after 1850", "Aft 1850", 0, 0, 1850, kQualAfter, true, 0},
    {"Between", "BET 1850 AND 1860", "Bet 1850 and 1860", 0, 0, 1850, kQualBetween, true, 1860},
    {"BetweenTo", "BET 1850 TO 1860", "Bet 1850 and 1860", 0, 0, 1850, kQualBetween, true, 1860},
    {"FromTo", "FROM 1850 TO 1860", "From 1850 to 1860", 0, 0, 1850, kQualFrom, true, 1860},
    {"FromAlone", "FROM 1850", "From 1850", 0, 0, 1850, kQualFrom, true, 0},
    {"ToAlone", "TO 1860", "1860", 0, 0, 1860, kQualTo, true, 0},
    {"YearAsWord", "JAN 3000", "JAN 3000", 0, 1, 0, 0, false, 0},
    {"LowerCaseToday", "today", "TODAY", 0, 0, 0, 0, false, 0},
    {"Julian", "@#DJULIAN@ 11 FEB 1750", "11 Feb 1750", 11, 2, 1750, 0, true, 0},
    {"FrenchEscapeWithBlank", "@#DFRENCH R@ 1 VEND 11", "1 Jan 11", 1, 1, 11, 0, true, 0},
    {"FrenchWordInJulian", "@#DJULIAN@ 1 VEND 1850", "@#DJULIAN@ 1 VEND 1850", 1, 0, 0, 0, false, 0},
    {"HebrewThirteenth", "@#DHEBREW@ 5 ELL", "5 ", 5, 13, 0, 0, true, 0},
    {"RomanHasNoMonths", "@#DROMAN@ 1 JAN 1850", "@#DROMAN@ 1 JAN 1850", 1, 0, 0, 0, false, 1850},
    {"LoneEscape", "@#D", "@#D", 0, 0, 0, 0, false, 0},
    {"SeparatorsOnly", " / - ", " / - ", 0, 0, 0, 0, false, 0},
    {"HugeNumber", "99999999999", "99999999999", 0, 0, 0, 0, false, 0},
    {"HugeNumericYear", "1 1 99999999999", "1 Jan 9999999", 1, 1, 9999999, 0, true, 0},
    {"NulByte", std::string("1850\0X", 6), std::string("1850\0X", 6), 0, 0, 0, 0, false, 0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Examples, DateReadTest, ::testing::ValuesIn(kReadCases),
                         [](const ::testing::TestParamInfo<ReadCase>& row) {
                             return std::string(row.param.name);
                         });

TEST(DateTest, TooManyTokensStayText) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "1 ";
    WDate date(text);
    EXPECT_FALSE(date.IsRecognised());
    EXPECT_EQ(date.DisplayText(), text);
    EXPECT_EQ(date.Year(), 0);
    // Fifteen tokens are still read.
    WDate fifteen("BET 1 JAN 1850 AND 2 FEB 1860 1 2 3 4 5 6 7");
    EXPECT_TRUE(fifteen.IsRecognised());
}

TEST(DateTest, EmptyDateAnswersNothing) {
    WDate date("");
    EXPECT_FALSE(date.HasText());
    EXPECT_TRUE(date.IsRecognised());
    EXPECT_EQ(date.DisplayText(), "");
    EXPECT_EQ(date.MonthName(), "");
    EXPECT_EQ(date.DayNumber(kPrecisionDay), 0);
    EXPECT_FALSE(date.IncDays(1));
    date.SetDay(5);
    EXPECT_EQ(date.Day(), 0);
    // A new text replaces everything the last one left.
    date.SetText("BET 1850 AND 1860");
    date.SetText("ABT 1700");
    EXPECT_EQ(date.DisplayText(), "Abt 1700");
    EXPECT_FALSE(date.HasSecondYear());
}

TEST(DateTest, TextsAreUpperCasedInEveryScript) {
    // Date texts arrive converted from the file's character set.
    EXPECT_EQ(WDate("ma\xC3\xAF \xC3\xA6").Text(), "MA\xC3\x8F \xC3\x86");
    EXPECT_EQ(WDate("\xD0\xBC\xD0\xB0\xD0\xB9 1900").Text(), "\xD0\x9C\xD0\x90\xD0\x99 1900");
    EXPECT_EQ(WDate("1195\xE2\x80\x93"
                    "1226")
                  .Text(),
              "1195\xE2\x80\x93"
              "1226");
}

class FixedClock : public ::testing::Test {
  protected:
    void SetUp() override {
        SetTodayProvider([] { return CivilDate{5, 3, 824}; });
    }
    void TearDown() override { SetTodayProvider({}); }
};

TEST_F(FixedClock, TodayIsTheCurrentDate) {
    WDate date("TODAY");
    EXPECT_EQ(date.Text(), "5 MAR 0824");
    EXPECT_EQ(date.DisplayText(), "5 Mar 824");
    EXPECT_EQ(date.Day(), 5);
    EXPECT_EQ(date.Month(), 3);
    EXPECT_EQ(date.Year(), 824);
    // The text reads back as the same date.
    EXPECT_EQ(WDate(date.Text()).Compare(date), 0);
}

TEST(DateTest, SetDayMonthYearTextReadsBack) {
    WDate date;
    for (int month = 1; month <= 12; ++month) {
        for (int day : {1, 9, 28}) {
            date.SetDayMonthYear(day, month, 1850);
            WDate reread(date.Text());
            EXPECT_EQ(reread.Compare(date), 0) << date.Text();
            EXPECT_EQ(reread.DisplayText(), date.DisplayText());
        }
    }
    date.SetDayMonthYear(12, 0, 1850);  // a day without a month is no month
    EXPECT_EQ(date.Text(), "12 1850");
    EXPECT_EQ(date.Day(), 12);
    EXPECT_EQ(date.Month(), 0);
    date.SetDayMonthYear(1, 1, 3000);  // a year the text reader takes for a word
    EXPECT_EQ(date.Year(), 3000);
    EXPECT_TRUE(date.IsRecognised());
    EXPECT_EQ(date.DisplayText(), "1 Jan 3000");
}

TEST(DateCompareTest, FieldsThenQualifiers) {
    EXPECT_EQ(WDate("1851").Compare(WDate("DEC 1850")), 1);
    EXPECT_EQ(WDate("NOV 1850").Compare(WDate("1 DEC 1850")), -1);
    EXPECT_EQ(WDate("2 DEC 1850").Compare(WDate("1 DEC 1850")), 1);
    // For one day: before, calculated, circa, estimated, plain, after.
    const std::vector<std::string> order = {"BEF 1850", "CAL 1850", "CIR 1850",
                                            "EST 1850", "1850",     "AFT 1850"};
    for (size_t i = 0; i < order.size(); ++i) {
        for (size_t j = 0; j < order.size(); ++j) {
            const int expected = i < j ? -1 : (i > j ? 1 : 0);
            EXPECT_EQ(WDate(order[i]).Compare(WDate(order[j])), expected)
                << order[i] << " vs " << order[j];
        }
    }
    for (const char* other : {"CAL 1850", "CIR 1850", "EST 1850", "ABT 1850"}) {
        EXPECT_EQ(WDate("ABT 1850").Compare(WDate(other)), 0) << other;
    }
    EXPECT_EQ(WDate("ABT 1850").Compare(WDate("BEF 1850")), 1);
    EXPECT_EQ(WDate("BET 1850 AND 1860").Compare(WDate("BEF 1850")), 0);
}

TEST(DateCompareTest, UnrecognisedAfterRecognisedAndEmptyFirst) {
    const WDate unknown("SPRING");
    const WDate known("2999");
    const WDate empty("");
    EXPECT_EQ(known.Compare(unknown), -1);
    EXPECT_EQ(unknown.Compare(known), 1);
    EXPECT_EQ(unknown.Compare(empty), 1);
    EXPECT_EQ(unknown.Compare(WDate("AUTUMN")), 1);
    EXPECT_EQ(WDate("AUTUMN").Compare(unknown), -1);
    EXPECT_EQ(unknown.Compare(WDate("spring")), 0);
    EXPECT_EQ(known.Compare(empty), 1);
    EXPECT_EQ(empty.Compare(known), -2);
    EXPECT_EQ(known.Compare(nullptr), -2);

    std::vector<WDate> dates = {unknown, known, WDate("1 JAN 1"), WDate("AUTUMN")};
    std::sort(dates.begin(), dates.end(),
              [](const WDate& a, const WDate& b) { return a.Compare(b) < 0; });
    EXPECT_EQ(dates[0].Year(), 1);
    EXPECT_EQ(dates[1].Year(), 2999);
    EXPECT_EQ(dates[2].Text(), "AUTUMN");
}

// Day numbers and day steps against the standard library's calendar.
int64_t Ordinal(int y, int m, int d) {
    using namespace std::chrono;
    const sys_days days = year_month_day{year{y}, month{unsigned(m)}, day{unsigned(d)}};
    return days.time_since_epoch().count() + 719163;  // 1 January 1970 is day 719163
}

TEST(DateArithmeticTest, DayStepsWalkTheCalendar) {
    WDate date("1 JAN 1599");
    for (int i = 0; i < 200 * 366; ++i) {
        ASSERT_EQ(date.DayNumber(kPrecisionDay), Ordinal(date.Year(), date.Month(), date.Day()))
            << date.DisplayText();
        ASSERT_TRUE(date.IncDays(1));
    }
    const int64_t end = date.DayNumber(kPrecisionDay);
    ASSERT_TRUE(date.DecDays(200 * 366));
    EXPECT_EQ(date.DisplayText(), "1 Jan 1599");
    ASSERT_TRUE(date.IncDays(200 * 366));
    EXPECT_EQ(date.DayNumber(kPrecisionDay), end);

    // Long runs give what single steps give.
    WDate far("29 FEB 1600");
    ASSERT_TRUE(far.IncDays(2'000'000));
    EXPECT_EQ(far.DayNumber(kPrecisionDay), Ordinal(1600, 2, 29) + 2'000'000);
    ASSERT_TRUE(far.DecDays(2'000'000));
    EXPECT_EQ(far.DisplayText(), "29 Feb 1600");
}

TEST(DateArithmeticTest, StepExamples) {
    WDate date("28 FEB 1900");
    date.IncDays(1);
    EXPECT_EQ(date.DisplayText(), "1 Mar 1900");
    EXPECT_EQ(date.Text(), "28 FEB 1900");  // steps keep the text
    date.SetText("28 FEB 2000");
    date.IncDays(1);
    EXPECT_EQ(date.DisplayText(), "29 Feb 2000");
    date.IncYears(1);
    EXPECT_EQ(date.DisplayText(), "28 Feb 2001");
    date.SetText("31 JAN 1850");
    date.IncMonths(1);
    EXPECT_EQ(date.DisplayText(), "28 Feb 1850");
    date.SetText("31 JAN 1850");
    date.IncMonths(2);  // each month lowers the day in turn
    EXPECT_EQ(date.DisplayText(), "28 Mar 1850");
    date.SetText("15 JAN 1850");
    date.DecMonths(1);
    EXPECT_EQ(date.DisplayText(), "15 Dec 1849");
    // Dates without a year keep none; a day without a month runs 1..31.
    date.SetText("25 DEC");
    date.IncDays(7);
    EXPECT_EQ(date.DisplayText(), "1 Jan ");
    date.SetText("12/25/1850");
    date.IncDays(20);
    EXPECT_EQ(date.Day(), 1);
    EXPECT_EQ(date.Month(), 0);
    date.DecDays(1);
    EXPECT_EQ(date.DisplayText(), "31 Dec 1849");
}

TEST(DateArithmeticTest, LongMonthRunsMatchSingleSteps) {
    for (const char* start : {"31 JAN 1850", "29 FEB 2000", "30 NOV 3", "31 DEC"}) {
        for (int count : {-1000, -49, 47, 48, 49, 1000}) {
            WDate stepped(start);
            WDate jumped(start);
            for (int i = 0; i < std::abs(count); ++i)
                stepped.IncMonths(count > 0 ? 1 : -1);
            jumped.IncMonths(count);
            EXPECT_EQ(jumped.DisplayText(), stepped.DisplayText()) << start << " " << count;
        }
    }
}

TEST(DateArithmeticTest, RefusalsAndEdges) {
    EXPECT_FALSE(WDate("1850").IncDays(1));
    EXPECT_FALSE(WDate("1850").DecMonths(1));
    EXPECT_FALSE(WDate("25 DEC").IncYears(1));
    WDate date("5 MAY 3");
    EXPECT_TRUE(date.DecYears(5));
    EXPECT_EQ(date.Year(), 1);
    EXPECT_TRUE(date.DecDays(INT_MAX));
    EXPECT_EQ(date.DisplayText(), "1 Jan 1");
    EXPECT_TRUE(date.IncDays(INT_MAX));
    EXPECT_EQ(date.DayNumber(kPrecisionDay), int64_t{INT_MAX} + 1);
    date.SetText("31 DEC 2999");
    EXPECT_TRUE(date.IncYears(INT_MAX));
    EXPECT_EQ(date.Year(), kMaxDateYear);
    EXPECT_TRUE(date.IncDays(1));
    EXPECT_TRUE(date.IncMonths(5));
    EXPECT_EQ(date.DisplayText(), "31 Dec 9999999");
    // Setters hold values at the field's limits, without calendar checks.
    date.SetDay(-4);
    EXPECT_EQ(date.Day(), 0);
    EXPECT_FALSE(date.IncDays(1));
    date.SetDay(100000);
    EXPECT_EQ(date.Day(), 65535);
    EXPECT_TRUE(date.DecDays(65534));
    EXPECT_EQ(date.Day(), 1);
}

TEST(DateArithmeticTest, DayNumberPrecisions) {
    const WDate date("15 MAR 2000");
    EXPECT_EQ(date.DayNumber(kPrecisionDay), Ordinal(2000, 3, 15));
    EXPECT_EQ(date.DayNumber(kPrecisionMonth), Ordinal(2000, 3, 15) - 15);
    // The leap day counts at every precision once February is past.
    EXPECT_EQ(date.DayNumber(kPrecisionYear), Ordinal(2000, 1, 1) - 1 + 1);
    EXPECT_EQ(WDate("JAN 2000").DayNumber(kPrecisionYear), Ordinal(2000, 1, 1) - 1);
    EXPECT_EQ(date.DayNumber(3), 0);
    EXPECT_EQ(date.DayNumber(-1), 0);
}

}  // namespace
}  // namespace vx
