// Process-wide services that the core needs from whatever user interface
// runs it: letting queued messages through during long work, the wait
// message with its Cancel flag, and the busy cursor. The core keeps the
// counters and flags; the GUI installs a UiServices object that shows
// things. Without one (tests, vellacor-tool) every call only updates state.
#pragma once

#include <cstdint>
#include <string>

namespace vx {

class UiServices {
  public:
    virtual ~UiServices() = default;
    // Let queued user-interface events run (repaints, timers, Cancel).
    virtual void PumpMessages() {}
    virtual void SetBusyCursor(bool /*busy*/) {}
    // A message box with an OK button.
    virtual void ShowMessage(const std::string& /*text*/) {}

    // Wait dialog. Create comes before the first request while no dialog
    // exists; SetCancelButton on every request; Begin only for the outermost
    // request (owner may be null: use the active window); Destroy when the
    // outermost request ends.
    virtual void WaitCreate() {}
    virtual void WaitSetCancelButton(bool /*withCancel*/, int /*height*/) {}
    virtual void WaitBegin(const std::string& /*message*/, bool /*atOnce*/, void* /*owner*/) {}
    virtual void WaitDestroy() {}
    // Whether the screen has 120 logical pixels per inch.
    virtual bool LargeFonts() const { return false; }
};

// Installs the user interface's services; null restores the silent ones.
void SetUiServices(UiServices* services);

void PumpMessages();
// Tells the user something that needs no answer.
void ShowMessage(const std::string& text);

// The progress count of a long calculation (islands, the highlighted
// list), for the status bar to show while it runs.
void PublishProgress(int64_t count);
// The calculation has finished; the count stays readable.
void EndProgress();
int64_t ProgressCount();
bool ProgressRunning();

// Brackets long work: the first `true` shows the busy cursor, the matching
// last `false` restores the default one. The counter never goes below 0.
void SetBusy(bool on);
int BusyCount();

// The wait dialog's message while lists, highlighting or sorting are worked
// out.
inline constexpr const char* kCalculatingMessage = "Calculating.  Please Wait...";

// Wait message. Every ShowWait is paired with one HideWait; nested requests
// keep the first message and owner. Short work never shows anything: unless
// `atOnce`, the dialog appears only after a delay.
void ShowWait(const std::string& message, bool atOnce, bool withCancel, void* owner = nullptr);
void HideWait();
int WaitNesting();
bool WaitDialogExists();
// The Cancel flag: set by the dialog's Cancel button, cleared when a request
// with Cancel opens; long operations poll it.
bool WaitCancelled();
void SetWaitCancelled();
// Whether one of the open requests offers Cancel.
bool WaitCancellable();
// Whether work running under the wait dialog should stop: Cancel was
// pressed while a request offering it is open. A flag left over from an
// earlier request, or raised under requests without Cancel, stops nothing.
bool WorkCancelled();

// Height of the wait dialog's client area.
int WaitDialogHeight(bool withCancel, bool largeFonts);

// Scoped brackets, so that every path (errors included) closes them.
class BusyScope {
  public:
    BusyScope() { SetBusy(true); }
    ~BusyScope() { SetBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

class WaitScope {
  public:
    WaitScope(const std::string& message, bool atOnce, bool withCancel, void* owner = nullptr) {
        ShowWait(message, atOnce, withCancel, owner);
    }
    ~WaitScope() { HideWait(); }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;
};

}  // namespace vx
