// POSIX's reentrant conversion; the browser build's C library offers it too
// (its zone comes from the browser).
#include "platform/LocalTime.h"

#include <ctime>

namespace vx::platform {

std::optional<LocalTime> ToLocalTime(int64_t seconds) {
    constexpr int kFirstYear = 1900;
    const auto when = static_cast<std::time_t>(seconds);
    if (static_cast<int64_t>(when) != seconds) return std::nullopt;  // beyond time_t
    std::tm local{};
    if (!::localtime_r(&when, &local)) return std::nullopt;
    LocalTime result;
    result.year = local.tm_year + kFirstYear;
    result.month = local.tm_mon + 1;
    result.day = local.tm_mday;
    result.hour = local.tm_hour;
    result.minute = local.tm_min;
    result.second = local.tm_sec;
    result.utcOffsetSeconds = local.tm_gmtoff;
    return result;
}

}  // namespace vx::platform
