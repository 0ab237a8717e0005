#include "ui/ViewerApplication.h"

#include <cstdio>
#include <exception>
#include <string>

#include "app/Services.h"

namespace vx {
namespace {

constexpr const char* kUnknownError = "An unexpected error occurred.";

// A failure while the message of another is shown goes to the error
// output, so reporting can never start an endless row of message boxes.
void Report(const std::string& message) {
    static bool reporting = false;
    if (reporting) {
        std::fprintf(stderr, "vellacor: %s\n", message.c_str());
        return;
    }
    reporting = true;
    try {
        ShowMessage(message);
    } catch (...) {
        std::fprintf(stderr, "vellacor: %s\n", message.c_str());
    }
    reporting = false;
}

}  // namespace

ViewerApplication::ViewerApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ViewerApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Report(error.what());
    } catch (...) {
        Report(kUnknownError);
    }
    return false;
}

}  // namespace vx
