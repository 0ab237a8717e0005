// Thin portable layer over the operating system's files and memory maps.
// Everything above this folder sees only these calls; a Windows build would
// replace the .cpp files of this folder and nothing else.
#pragma once

#include <cstdint>
#include <string>

namespace vx::platform {

// An open file descriptor that closes itself.
class FileHandle {
  public:
    FileHandle() = default;
    explicit FileHandle(int fd) : fd_(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle(FileHandle&& other) noexcept : fd_(other.Release()) {}
    FileHandle& operator=(FileHandle&& other) noexcept {
        if (this != &other) {
            Close();
            fd_ = other.Release();
        }
        return *this;
    }
    ~FileHandle() { Close(); }

    bool IsOpen() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Returns false when the operating system reports an error on close.
    bool Close();

  private:
    int fd_ = -1;
};

enum class FileAccess { Read, ReadWrite };

// Opens an existing regular file. Directories, devices and other special
// files are refused, so that they fail like a missing file would.
FileHandle OpenExistingFile(const std::string& path, FileAccess access);

// Creates the file, replacing (truncating) an existing one. The name is not
// followed when it is a symbolic link.
FileHandle CreateOrReplaceFile(const std::string& path);

// Length of an open file, or -1 when the system cannot tell.
int64_t FileLength(const FileHandle& file);

// Last modification of an open file in seconds since 1970, or -1 when the
// system cannot tell.
int64_t FileModifiedTime(const FileHandle& file);

// Sets the length of an open file, extending it with zero bytes.
bool SetFileLength(const FileHandle& file, int64_t length);

// Extends an open file to at least `length` bytes with the disk blocks
// allocated, so that writing through a memory map never meets a full disk
// (which would end the process with SIGBUS). False when there is no room;
// the file keeps its former length then.
bool ReserveFileLength(const FileHandle& file, int64_t length);

// Writes all bytes at the current position; false on any failure.
bool WriteAll(const FileHandle& file, const void* data, size_t count);

// Reads up to count bytes from the given offset; -1 on failure.
int64_t ReadAt(const FileHandle& file, void* data, size_t count, int64_t offset);

bool DeleteFile(const std::string& path);
bool FileExists(const std::string& path);

// The last error of the operating system as readable text.
std::string LastErrorText();

}  // namespace vx::platform
