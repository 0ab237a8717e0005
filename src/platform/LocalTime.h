// The machine's time zone: a moment in seconds since 1970 as the local
// wall clock shows it.
#pragma once

#include <cstdint>
#include <optional>

namespace vx::platform {

struct LocalTime {
    int year = 0;
    int month = 0;   // 1 to 12
    int day = 0;     // 1 to 31
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59
    int second = 0;  // 0 to 60 (a leap second)
    // How far the local clock is ahead of UTC at that moment.
    int64_t utcOffsetSeconds = 0;
};

// The local wall-clock time at `seconds` since 1970, or nothing when the
// system cannot convert that moment.
std::optional<LocalTime> ToLocalTime(int64_t seconds);

}  // namespace vx::platform
