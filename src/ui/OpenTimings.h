// Timings of opening a program file, for the open benchmark. When the
// environment variable VELLACOR_OPEN_TIMINGS is set, the viewer prints one
// line once its first page shows the final counts, and then quits.
#pragma once

namespace vx {

class TLogoAppForm;

inline constexpr const char* kOpenTimingsVariable = "VELLACOR_OPEN_TIMINGS";

bool OpenTimingsWanted();

// Prints, on standard output, "vellacor-open-timings" followed by
// expand_s=, load_s=, individuals=, indexed_while_expanding= (1 when the
// text was indexed as it expanded), peak_bytes= (the most memory resident
// so far, -1 when unknown) and ready_ns= (the monotonic clock when
// the first page was shown, comparable with the benchmark's own clock), then
// closes the window. Runs after the queued painting.
void ReportOpenTimingsAndQuit(TLogoAppForm& window, double expandSeconds);

}  // namespace vx
