#include "platform/ConfigFolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace vx::platform {
namespace {

constexpr const char* kProgramFolder = "vellacor/";
constexpr mode_t kPrivateFolder = 0700;

std::string BaseFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return config;
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') {
        const passwd* user = ::getpwuid(::geteuid());
        home = user ? user->pw_dir : nullptr;
    }
    if (!home || home[0] != '/') return {};
    return std::string(home) + "/.config";
}

// Creates each missing folder of the path; existing ones are left as they are.
void MakeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), kPrivateFolder);
}

}  // namespace

std::string ConfigFolder() {
    std::string folder = BaseFolder();
    if (folder.empty()) return {};
    if (folder.back() != '/') folder += '/';
    folder += kProgramFolder;
    MakeFolders(folder);
    return folder;
}

}  // namespace vx::platform
