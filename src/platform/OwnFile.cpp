#include "platform/OwnFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vx::platform {

FileHandle OpenOwnRegularFile(const std::string& path, OwnFileOpen mode) {
    constexpr mode_t kOwnerOnly = 0600;
    const int access = mode == OwnFileOpen::Read ? O_RDONLY : O_WRONLY | O_CREAT;
    // O_NONBLOCK: opening a FIFO would otherwise wait for the other end.
    FileHandle file(::open(path.c_str(), access | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, kOwnerOnly));
    struct stat info {};
    if (file.IsOpen() &&
        (::fstat(file.Fd(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()))
        file.Close();
    return file;
}

}  // namespace vx::platform
