#include "platform/TempFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <random>

namespace vx::platform {
namespace {

constexpr const char* kPrefix = "vor";
constexpr const char* kSuffix = ".tmp";
// Name of a file that is created but not locked yet; never matches "vor*.tmp",
// so no starting copy can take it for stale.
constexpr const char* kStagingSuffix = ".new";

std::string RandomPart() {
    // One generator per thread: temporary files are made on worker threads too.
    thread_local std::mt19937_64 generator = [] {
        std::random_device device;
        return std::mt19937_64((static_cast<uint64_t>(device()) << 32) ^ device() ^
                               static_cast<uint64_t>(::getpid()));
    }();
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string part(8, 'x');
    for (char& c : part)
        c = kAlphabet[generator() % (sizeof(kAlphabet) - 1)];
    return part;
}

bool MatchesTempPattern(const std::string& name) {
    const std::string prefix = kPrefix, suffix = kSuffix;
    return name.size() >= prefix.size() + suffix.size() &&
           name.compare(0, prefix.size(), prefix) == 0 &&
           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

FileHandle CreateExclusive(const std::string& path) {
    return FileHandle(
        ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
}

}  // namespace

std::string TempFolder() {
    const char* env = std::getenv("TMPDIR");
    std::string folder = (env && *env) ? env : "/tmp";
    if (folder.back() != '/') folder += '/';
    return folder;
}

TempFile& TempFile::operator=(TempFile&& other) noexcept {
    if (this != &other) {
        Delete();
        path_ = std::move(other.path_);
        handle_ = std::move(other.handle_);
    }
    return *this;
}

void TempFile::Delete() {
    if (!path_.empty() && handle_.IsOpen()) ::unlink(path_.c_str());
    handle_.Close();
    path_.clear();
}

bool TryLockFile(const FileHandle& file) {
    return file.IsOpen() && ::flock(file.Fd(), LOCK_EX | LOCK_NB) == 0;
}

TempFile NewTempFile() {
    const std::string folder = TempFolder();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string stem = folder + kPrefix + RandomPart();
        const std::string staging = stem + kStagingSuffix;
        const std::string final = stem + kSuffix;
        FileHandle file = CreateExclusive(staging);
        if (!file.IsOpen()) {
            if (errno == EEXIST) continue;
            return {};
        }
        // Lock first, then give the file its visible name; link() fails
        // rather than replaces when the name exists.
        TryLockFile(file);
        int linked = ::link(staging.c_str(), final.c_str());
        int linkError = errno;
        ::unlink(staging.c_str());
        if (linked == 0) return TempFile(final, std::move(file));
        file.Close();
        if (linkError == EEXIST) continue;
        // File systems without hard links: create the final name directly.
        FileHandle direct = CreateExclusive(final);
        if (direct.IsOpen()) {
            TryLockFile(direct);
            return TempFile(final, std::move(direct));
        }
        if (errno != EEXIST) return {};
    }
    return {};
}

int RemoveStaleTempFiles() {
    const std::string folder = TempFolder();
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) return 0;
    int removed = 0;
    while (dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (!MatchesTempPattern(name)) continue;
        const std::string path = folder + name;
        FileHandle file(::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
        struct stat opened {};
        if (!file.IsOpen() || ::fstat(file.Fd(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
            opened.st_uid != ::geteuid() || !TryLockFile(file))
            continue;
        // Delete only when the name still names the file we locked.
        struct stat named {};
        if (::lstat(path.c_str(), &named) == 0 && named.st_ino == opened.st_ino &&
            named.st_dev == opened.st_dev && ::unlink(path.c_str()) == 0)
            ++removed;
    }
    return removed;
}

}  // namespace vx::platform
