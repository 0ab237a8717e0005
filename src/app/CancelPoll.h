// The pulse of long work over everybody (highlighting, columns, sorting,
// islands): polled between steps, it lets queued messages through every few
// hundredths of a second, so the screen repaints and a press of Cancel in
// the wait dialog reaches the shared flag, and it says whether the work
// should stop. The clock decides, not a step count: one step may take a
// microsecond on one file and a long walk on another.
#pragma once

#include <chrono>
#include <cstdint>

namespace vx {

class CancelPoll {
  public:
    // Time between two turns of the message queue: short enough for the
    // screen to stay live and for Cancel to stop work well within half a
    // second.
    static constexpr std::chrono::milliseconds kPumpInterval{40};
    // Steps between looks at the clock in loops whose steps are tiny.
    static constexpr uint32_t kStepsPerLook = 256;

    // `stepsPerLook` 1 suits loops whose every step may be long.
    explicit CancelPoll(uint32_t stepsPerLook = 1);

    // Called once per step; true once the user pressed Cancel.
    bool Cancelled();

  private:
    uint32_t stepsPerLook_;
    uint32_t steps_ = 0;
    std::chrono::steady_clock::time_point lastPump_;
};

}  // namespace vx
