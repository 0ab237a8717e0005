#include "app/Services.h"

#include <cmath>
#include <vector>

namespace vx {
namespace {

UiServices gSilent;
UiServices* gServices = &gSilent;

int gBusyCount = 0;

struct WaitState {
    bool dialogExists = false;
    int nesting = 0;
    bool cancelled = false;
    // Per open request, innermost last: whether it offers Cancel.
    std::vector<bool> withCancel;
} gWait;

}  // namespace

void SetUiServices(UiServices* services) {
    gServices = services ? services : &gSilent;
}

void PumpMessages() {
    gServices->PumpMessages();
}

void ShowMessage(const std::string& text) {
    gServices->ShowMessage(text);
}

namespace {
int64_t gProgress = 0;
bool gProgressRunning = false;
}  // namespace

void PublishProgress(int64_t count) {
    gProgress = count;
    gProgressRunning = true;
}

void EndProgress() {
    gProgressRunning = false;
}

int64_t ProgressCount() {
    return gProgress;
}

bool ProgressRunning() {
    return gProgressRunning;
}

void SetBusy(bool on) {
    gBusyCount += on ? 1 : -1;
    if (gBusyCount > 0) {
        gServices->SetBusyCursor(true);
    } else {
        gServices->SetBusyCursor(false);
        gBusyCount = 0;
    }
}

int BusyCount() {
    return gBusyCount;
}

int WaitDialogHeight(bool withCancel, bool largeFonts) {
    const int height = withCancel ? 100 : 67;
    return largeFonts ? static_cast<int>(std::lround(height * 1.25)) : height;
}

void ShowWait(const std::string& message, bool atOnce, bool withCancel, void* owner) {
    if (!gWait.dialogExists) {
        gServices->WaitCreate();
        gWait.dialogExists = true;
    }
    if (withCancel) gWait.cancelled = false;
    gWait.withCancel.push_back(withCancel);
    gServices->WaitSetCancelButton(withCancel,
                                   WaitDialogHeight(withCancel, gServices->LargeFonts()));
    if (gWait.nesting++ == 0) gServices->WaitBegin(message, atOnce, owner);
}

void HideWait() {
    if (gWait.dialogExists && gWait.nesting == 1) {
        gServices->WaitDestroy();
        gWait.dialogExists = false;
    }
    if (gWait.nesting > 0) --gWait.nesting;
    if (!gWait.withCancel.empty()) gWait.withCancel.pop_back();
}

int WaitNesting() {
    return gWait.nesting;
}
bool WaitDialogExists() {
    return gWait.dialogExists;
}
bool WaitCancelled() {
    return gWait.cancelled;
}
void SetWaitCancelled() {
    gWait.cancelled = true;
}
bool WaitCancellable() {
    for (const bool offered : gWait.withCancel)
        if (offered) return true;
    return false;
}
bool WorkCancelled() {
    return gWait.cancelled && WaitCancellable();
}

}  // namespace vx
