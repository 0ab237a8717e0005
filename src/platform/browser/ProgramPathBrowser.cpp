// The browser build runs from a page, not from a program file: the page
// hands its payload in as a memory file instead.
#include "platform/ProgramPath.h"

namespace vx::platform {

std::string ProgramPath() {
    return {};
}

std::string TakeLaunchedProgramPath() {
    return {};
}

}  // namespace vx::platform
