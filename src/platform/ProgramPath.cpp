#include "platform/ProgramPath.h"

#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace vx::platform {

std::string ProgramPath() {
    std::vector<char> buffer(4096);
    for (;;) {
        ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return {};
        if (static_cast<size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string TakeLaunchedProgramPath() {
    const char* launched = std::getenv(kProgramPathVariable);
    std::string path = launched && launched[0] == '/' ? launched : ProgramPath();
    ::unsetenv(kProgramPathVariable);
    return path;
}

}  // namespace vx::platform
