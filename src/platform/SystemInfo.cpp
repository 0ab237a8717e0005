#include "platform/SystemInfo.h"

#include <sched.h>
#include <sys/statvfs.h>

#include <fstream>
#include <string>
#include <thread>

namespace vx::platform {

int UsableProcessors() {
#if defined(__EMSCRIPTEN__)
    return 1;
#else
#if defined(__linux__)
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0) {
        const int count = CPU_COUNT(&set);
        if (count > 0) return count;
    }
#endif
    const unsigned count = std::thread::hardware_concurrency();
    return count > 0 ? static_cast<int>(count) : 1;
#endif
}

int64_t FreeBytes(const std::string& folder) {
#if defined(__EMSCRIPTEN__)
    // The browser's files are memory: there is no folder to ask.
    (void)folder;
    return -1;
#else
    struct statvfs info {};
    if (::statvfs(folder.c_str(), &info) != 0) return -1;
    return static_cast<int64_t>(info.f_bavail) * static_cast<int64_t>(info.f_frsize);
#endif
}

int64_t PeakResidentBytes() {
#if defined(__linux__)
    // "VmHWM:   123456 kB" in the process's status.
    std::ifstream status("/proc/self/status");
    constexpr int64_t kBytesPerKb = 1024;
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stoll(line.substr(6)) * kBytesPerKb;
#endif
    return -1;
}

}  // namespace vx::platform
