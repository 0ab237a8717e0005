// The progress of loading in the browser, told by the core's "let queued
// messages through" hook: expansion calls it once per archive block, the
// loader every few hundred records. Each stage is given how many calls it
// is expected to make and the share of the bar it fills.
#pragma once

#include <cstdint>
#include <functional>

#include "app/Services.h"

namespace vx::web {

class LoadProgress : public UiServices {
  public:
    using Report = std::function<void(double fraction)>;

    // Installs itself as the core's services for its lifetime.
    explicit LoadProgress(Report report);
    ~LoadProgress() override;
    LoadProgress(const LoadProgress&) = delete;
    LoadProgress& operator=(const LoadProgress&) = delete;

    // A stage of about `calls` hook calls that fills the bar from `from` to `to`.
    void Stage(int64_t calls, double from, double to);
    void PumpMessages() override;

  private:
    Report report_;
    int64_t expected_ = 1;
    int64_t calls_ = 0;
    double from_ = 0;
    double to_ = 0;
};

}  // namespace vx::web
