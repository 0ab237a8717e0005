#include <gtest/gtest.h>

#include <string>

#include "records/DateDiff.h"

namespace vx {
namespace {

struct AgeCase {
    const char* name;
    const char* from;
    const char* to;
    int64_t days;
    const char* age;
};

void PrintTo(const AgeCase& c, std::ostream* os) {
    *os << c.from << " to " << c.to;
}

class DateDiffAgeTest : public ::testing::TestWithParam<AgeCase> {};

TEST_P(DateDiffAgeTest, GivesAge) {
    const AgeCase& c = GetParam();
    const WDate from(c.from);
    const WDate to(c.to);
    WDateDiff diff;
    ASSERT_TRUE(diff.Calculate(from, to));
    EXPECT_EQ(diff.Days(), c.days);
    EXPECT_EQ(diff.AgeText(), c.age);
    // The order of the two dates does not matter.
    WDateDiff back;
    ASSERT_TRUE(back.Calculate(to, from));
    EXPECT_EQ(back.AgeText(), c.age);
}

// clang-format off
const AgeCase kAgeCases[] = {
    {"DayBeforeBirthday", "1 JAN 1900", "1 JAN 1950", 18261, "49"},
    {"TwoDaysLater", "1 JAN 1900", "3 JAN 1950", 18263, "50"},
    {"MayToMay", "10 MAY 1900", "9 MAY 1950", 18260, "49"},
    {"SameDay", "10 MAY 1900", "10 MAY 1900", -1, "0"},
    {"AboutIsYearPrecision", "ABT 1900", "1950", 18263, "~50"},
    {"MonthPrecision", "JAN 1900", "DEC 1900", 335, "~0"},
    {"MonthOnOneSideOnly", "JAN 1900", "1901", 366, "~1"},
    {"DualYearIsApproximate", "11 FEB 1750/51", "11 FEB 1800", 18263, "~50"},
    {"BeforeIsApproximate", "BEF 1 JAN 1900", "1 JAN 1950", 18263, "~50"},
    {"LongestSpan", "1 JAN 1", "1 1 9999999", 3652424268, "9999792"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Examples, DateDiffAgeTest, ::testing::ValuesIn(kAgeCases),
                         [](const ::testing::TestParamInfo<AgeCase>& row) {
                             return std::string(row.param.name);
                         });

TEST(DateDiffTest, RefusesUnusableDates) {
    const WDate good("1 JAN 1900");
    WDateDiff diff;
    ASSERT_TRUE(diff.Calculate(good, WDate("1 JAN 1950")));
    ASSERT_TRUE(diff.Exact());
    for (const WDate& bad : {WDate(""), WDate("SPRING 1900")}) {
        EXPECT_FALSE(diff.Calculate(good, bad));
        EXPECT_FALSE(diff.Calculate(&bad, &good));
        EXPECT_EQ(diff.Days(), 0);
        EXPECT_TRUE(diff.Exact());  // left as the last good result had it
    }
    EXPECT_FALSE(diff.Calculate(&good, nullptr));
    EXPECT_EQ(diff.Years(), 0);
}

}  // namespace
}  // namespace vx
