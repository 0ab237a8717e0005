#include "web/LoadProgress.h"

#include <algorithm>

namespace vx::web {

LoadProgress::LoadProgress(Report report) : report_(std::move(report)) {
    SetUiServices(this);
}

LoadProgress::~LoadProgress() {
    SetUiServices(nullptr);
}

void LoadProgress::Stage(int64_t calls, double from, double to) {
    expected_ = std::max<int64_t>(calls, 1);
    calls_ = 0;
    from_ = from;
    to_ = to;
    if (report_) report_(from_);
}

void LoadProgress::PumpMessages() {
    ++calls_;
    // An estimate that falls short leaves the bar at the stage's end.
    const double share =
        std::min(1.0, static_cast<double>(calls_) / static_cast<double>(expected_));
    if (report_) report_(from_ + (to_ - from_) * share);
}

}  // namespace vx::web
