#include "runtime/FailureNotice.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace vx::runtime {
namespace {

constexpr const char* kTitle = "Vellacor cannot start";
constexpr int kNotFound = 127;
// notify-send returns at once (a hung one counts as failed); xmessage stays
// until the user closes it, so still running after a moment means shown.
constexpr int kNotifyWaitSeconds = 5;
constexpr int kDialogWaitSeconds = 1;
constexpr useconds_t kPollMicroseconds = 100 * 1000;

// Runs a program found on PATH; true when it succeeded or, for a window
// that stays up (`staysUp`), is still running after a moment.
bool Run(const char* const argv[], bool staysUp) {
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        ::execvp(argv[0], const_cast<char* const*>(argv));
        ::_exit(kNotFound);
    }
    int status = 0;
    const time_t deadline =
        std::time(nullptr) + (staysUp ? kDialogWaitSeconds : kNotifyWaitSeconds);
    for (;;) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (done < 0) return false;
        if (std::time(nullptr) > deadline) return staysUp;
        ::usleep(kPollMicroseconds);
    }
}

}  // namespace

void ShowFailure(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", kTitle, message.c_str());
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) return;
    const char* notify[] = {"notify-send", "--urgency=critical", "--app-name=Vellacor",
                            kTitle,        message.c_str(),      nullptr};
    if (Run(notify, false)) return;
    const std::string text = std::string(kTitle) + "\n\n" + message;
    const char* dialog[] = {"xmessage", "-center", text.c_str(), nullptr};
    Run(dialog, true);
}

}  // namespace vx::runtime
