#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "platform/LocalTime.h"

namespace vx::platform {
namespace {

// Runs each case in a chosen POSIX time zone and restores the former one.
class LocalTimeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* zone = std::getenv("TZ");
        if (zone) saved_ = zone;
    }
    void TearDown() override {
        if (saved_)
            ::setenv("TZ", saved_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    static void UseZone(const char* zone) {
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    static void ExpectTime(int64_t seconds, int year, int month, int day, int hour, int minute,
                           int64_t offset) {
        const std::optional<LocalTime> local = ToLocalTime(seconds);
        ASSERT_TRUE(local.has_value()) << seconds;
        EXPECT_EQ(local->year, year) << seconds;
        EXPECT_EQ(local->month, month) << seconds;
        EXPECT_EQ(local->day, day) << seconds;
        EXPECT_EQ(local->hour, hour) << seconds;
        EXPECT_EQ(local->minute, minute) << seconds;
        EXPECT_EQ(local->utcOffsetSeconds, offset) << seconds;
    }

  private:
    std::optional<std::string> saved_;
};

// 2000-02-29 00:00:00 UTC, a leap day.
constexpr int64_t kLeapDayMidnight = 951782400;

TEST_F(LocalTimeTest, FieldsCountMonthsFromOneAndYearsInFull) {
    UseZone("UTC0");
    ExpectTime(0, 1970, 1, 1, 0, 0, 0);
    ExpectTime(kLeapDayMidnight + 23 * 3600 + 59 * 60, 2000, 2, 29, 23, 59, 0);
    ExpectTime(-1, 1969, 12, 31, 23, 59, 0);  // before 1970
}

TEST_F(LocalTimeTest, ZonesEastAndWestMoveTheDay) {
    UseZone("XXX-2");  // two hours ahead of UTC
    ExpectTime(kLeapDayMidnight, 2000, 2, 29, 2, 0, 2 * 3600);
    UseZone("YYY+5");  // five hours behind
    ExpectTime(kLeapDayMidnight, 2000, 2, 28, 19, 0, -5 * 3600);
}

TEST_F(LocalTimeTest, SummerTimeChangesTheOffset) {
    UseZone("CET-1CEST,M3.5.0,M10.5.0/3");
    ExpectTime(1609502400, 2021, 1, 1, 13, 0, 3600);  // 12:00 UTC in winter
    ExpectTime(1625140800, 2021, 7, 1, 14, 0, 7200);  // 12:00 UTC in summer
}

}  // namespace
}  // namespace vx::platform
