#include "app/CancelPoll.h"

#include "app/Services.h"

namespace vx {

CancelPoll::CancelPoll(uint32_t stepsPerLook)
    : stepsPerLook_(stepsPerLook > 0 ? stepsPerLook : 1),
      lastPump_(std::chrono::steady_clock::now()) {}

bool CancelPoll::Cancelled() {
    if (WorkCancelled()) return true;
    if (++steps_ < stepsPerLook_) return false;
    steps_ = 0;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastPump_ < kPumpInterval) return false;
    PumpMessages();
    lastPump_ = std::chrono::steady_clock::now();
    return WorkCancelled();
}

}  // namespace vx
