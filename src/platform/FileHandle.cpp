#include "platform/FileHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vx::platform {

bool FileHandle::Close() {
    if (fd_ < 0) return true;
    int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
}

FileHandle OpenExistingFile(const std::string& path, FileAccess access) {
    int flags = (access == FileAccess::Read ? O_RDONLY : O_RDWR) | O_CLOEXEC;
    FileHandle file(::open(path.c_str(), flags));
    if (!file.IsOpen()) return file;
    struct stat info {};
    if (::fstat(file.Fd(), &info) != 0 || !S_ISREG(info.st_mode)) {
        file.Close();
        errno = EISDIR;
    }
    return file;
}

FileHandle CreateOrReplaceFile(const std::string& path) {
    return FileHandle(
        ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600));
}

int64_t FileLength(const FileHandle& file) {
    struct stat info {};
    if (!file.IsOpen() || ::fstat(file.Fd(), &info) != 0) return -1;
    return static_cast<int64_t>(info.st_size);
}

int64_t FileModifiedTime(const FileHandle& file) {
    struct stat info {};
    if (!file.IsOpen() || ::fstat(file.Fd(), &info) != 0) return -1;
    return static_cast<int64_t>(info.st_mtime);
}

bool SetFileLength(const FileHandle& file, int64_t length) {
    return file.IsOpen() && ::ftruncate(file.Fd(), static_cast<off_t>(length)) == 0;
}

bool ReserveFileLength(const FileHandle& file, int64_t length) {
    if (!file.IsOpen()) return false;
    const int64_t current = FileLength(file);
    if (current < 0) return false;
    if (current >= length) return true;
    int result;
    do {
        result = ::posix_fallocate(file.Fd(), static_cast<off_t>(current),
                                   static_cast<off_t>(length - current));
    } while (result == EINTR);
    if (result == 0) return true;
    // A failed reservation may leave part of the blocks allocated or the
    // length changed; give the file back its former length.
    [[maybe_unused]] const int restored = ::ftruncate(file.Fd(), static_cast<off_t>(current));
    errno = result;
    return false;
}

bool WriteAll(const FileHandle& file, const void* data, size_t count) {
    const char* bytes = static_cast<const char*>(data);
    while (count > 0) {
        ssize_t written = ::write(file.Fd(), bytes, count);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        count -= static_cast<size_t>(written);
    }
    return true;
}

int64_t ReadAt(const FileHandle& file, void* data, size_t count, int64_t offset) {
    for (;;) {
        ssize_t got = ::pread(file.Fd(), data, count, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        return got;
    }
}

bool DeleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::string LastErrorText() {
    return std::strerror(errno);
}

}  // namespace vx::platform
