#include "platform/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

namespace vx::platform {
namespace {

struct Identity {
    dev_t device;
    ino_t inode;
    bool operator==(const Identity&) const = default;
};

std::optional<Identity> IdentityOf(const struct stat& info) {
    return Identity{info.st_dev, info.st_ino};
}

std::optional<Identity> IdentityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return IdentityOf(info);
}

bool IsInput(const std::optional<Identity>& file, const std::vector<std::string>& inputs) {
    if (!file) return false;
    for (const std::string& input : inputs)
        if (IdentityOf(input) == file) return true;
    return false;
}

// The folder of a path, with its separator: "" for a bare name.
std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

OutputFile::~OutputFile() {
    if (committed_ || device_ || path_.empty()) return;
    file_.Close();
    ::unlink(path_.c_str());
}

OutputFile::Status OutputFile::Open(const std::string& target,
                                    const std::vector<std::string>& inputs) {
    target_ = target;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        if (IsInput(IdentityOf(existing), inputs)) return Status::IsAnInput;
        if (S_ISCHR(existing.st_mode)) {
            // A device cannot be replaced by renaming (and must not be).
            file_ = FileHandle(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
            if (!file_.IsOpen()) return Status::CannotCreate;
            device_ = true;
            path_ = target;
            return Status::Ready;
        }
        if (!S_ISREG(existing.st_mode)) return Status::NotRegular;
    }
    const size_t slash = target.find_last_of('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string pattern = FolderOf(target) + "." + name + ".XXXXXX";
    file_ = FileHandle(::mkostemp(pattern.data(), O_CLOEXEC));
    if (!file_.IsOpen()) return Status::CannotCreate;
    path_ = pattern;
    struct stat created {};
    if (::fstat(file_.Fd(), &created) != 0 || IsInput(IdentityOf(created), inputs))
        return Status::IsAnInput;
    return Status::Ready;
}

bool OutputFile::Commit(unsigned mode) {
    if (device_) {
        committed_ = true;
        return file_.Close();
    }
    const bool ok = ::fchmod(file_.Fd(), static_cast<mode_t>(mode)) == 0 && file_.Close() &&
                    ::rename(path_.c_str(), target_.c_str()) == 0;
    if (!ok) {
        const int error = errno;
        ::unlink(path_.c_str());
        errno = error;
        path_.clear();
        return false;
    }
    committed_ = true;
    return true;
}

}  // namespace vx::platform
