// The start-up stub of a self-contained program file. It is linked
// statically, so it runs on any x86-64 Linux: it finds the runtime bundle
// inside its own file, makes sure an unpacked copy is in the user's cache,
// then runs the viewer in it through the bundled dynamic loader, telling
// the viewer which file it was started as (the archive and trailer are read
// from there).
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "archive/ViewerMark.h"
#include "platform/ProgramPath.h"
#include "runtime/FailureNotice.h"
#include "runtime/RuntimeCache.h"
#include "runtime/SelfImage.h"

// The stub starts the viewer it carries, so `vellacor-tool pack` takes it
// as a viewer image too.
extern "C" [[gnu::used]] const char vellacor_viewer_mark[] = VELLACOR_VIEWER_MARK;

namespace {

using namespace vx::runtime;

constexpr const char* kLoader = "ld-linux-x86-64.so.2";
constexpr const char* kLibraryFolder = "lib";
constexpr const char* kViewer = "vellacor";
constexpr const char* kSystemFontConfig = "/etc/fonts/fonts.conf";
constexpr const char* kBundledFontConfig = "fonts/fonts.conf";
constexpr int kFailed = 1;
constexpr int kMegabyteShift = 20;

int Fail(const std::string& message) {
    ShowFailure(message);
    return kFailed;
}

bool Exists(const char* path) {
    struct stat info {};
    return ::stat(path, &info) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    SelfImage image;
    std::string problem;
    if (!OpenSelfImage(argc > 0 ? argv[0] : nullptr, image, problem)) return Fail(problem);

    std::string runtime;
    std::string problems;
    bool ready = false;
    for (const CacheLocation& location : DefaultCacheLocations()) {
        const EnsureResult result = EnsureRuntime(image, location, runtime, problem);
        if (result == EnsureResult::Ready) {
            ready = true;
            break;
        }
        if (result == EnsureResult::DamagedProgram)
            return Fail(problem + ". Please ask the sender for a new copy of the file.");
        problems += "\n  " + problem;
    }
    if (!ready) {
        const uint64_t megabytes = (image.Header.PayloadBytes >> kMegabyteShift) + 1;
        return Fail("there is no room to unpack the viewer (" + std::to_string(megabytes) +
                    " MB in the cache folder or the temporary folder):" + problems);
    }
    ::close(image.Fd);

    ::setenv(vx::platform::kProgramPathVariable, image.Path.c_str(), 1);
    // A system without fontconfig's setup (a bare container, a minimal
    // install) gets the bundled one: the system's font folders plus the
    // bundled fallback family. Programs the viewer starts keep it, which
    // serves them as well as it serves the viewer.
    const std::string fontConfig = runtime + "/" + kBundledFontConfig;
    if (!std::getenv("FONTCONFIG_FILE") && !Exists(kSystemFontConfig))
        ::setenv("FONTCONFIG_FILE", fontConfig.c_str(), 1);

    const std::string loader = runtime + "/" + kLoader;
    const std::string libraries = runtime + "/" + kLibraryFolder;
    const std::string viewer = runtime + "/" + kViewer;
    std::vector<char*> args;
    args.push_back(const_cast<char*>(loader.c_str()));
    args.push_back(const_cast<char*>("--library-path"));
    args.push_back(const_cast<char*>(libraries.c_str()));
    args.push_back(const_cast<char*>("--argv0"));
    args.push_back(argc > 0 ? argv[0] : const_cast<char*>(kViewer));
    args.push_back(const_cast<char*>(viewer.c_str()));
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    ::execv(loader.c_str(), args.data());
    return Fail("cannot run the viewer in " + runtime + ": " + std::strerror(errno) +
                (errno == EACCES ? " (the folder may be on a file system mounted noexec)" : ""));
}
