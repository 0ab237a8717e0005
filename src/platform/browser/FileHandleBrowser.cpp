// Files of the browser build: buffers of the in-memory file table.
#include <algorithm>
#include <cstring>

#include "platform/FileHandle.h"
#include "platform/browser/MemoryFiles.h"

namespace vx::platform {
namespace {

// What LastErrorText reports: the browser build has one kind of failure.
std::string& LastError() {
    static std::string text;
    return text;
}

bool Fail(const char* text) {
    LastError() = text;
    return false;
}

}  // namespace

bool FileHandle::Close() {
    if (fd_ < 0) return true;
    const bool closed = memfs::Close(fd_);
    fd_ = -1;
    return closed;
}

FileHandle OpenExistingFile(const std::string& path, FileAccess /*access*/) {
    FileHandle file(memfs::Open(path));
    if (!file.IsOpen()) LastError() = "No such file in memory";
    return file;
}

FileHandle CreateOrReplaceFile(const std::string& path) {
    return FileHandle(memfs::Create(path, memfs::CreateMode::Replace));
}

int64_t FileLength(const FileHandle& file) {
    const MemoryFileBytes* bytes = memfs::Bytes(file.Fd());
    return bytes ? static_cast<int64_t>(bytes->size()) : -1;
}

// Memory files are written once, right after they are made: the time the
// descriptor was opened stands for the last change, as the expanded
// GEDCOM of a program file is dated by its expansion.
int64_t FileModifiedTime(const FileHandle& file) {
    return memfs::CreatedTime(file.Fd());
}

bool SetFileLength(const FileHandle& file, int64_t length) {
    MemoryFileBytes* bytes = memfs::Bytes(file.Fd());
    if (!bytes || length < 0) return Fail("Bad file length");
    try {
        bytes->resize(static_cast<size_t>(length), '\0');
    } catch (const std::bad_alloc&) {
        return Fail("Out of memory");
    }
    return true;
}

// Memory holds what it reserves: growing the bytes is the reservation, and
// running out of memory is the full disk's error.
bool ReserveFileLength(const FileHandle& file, int64_t length) {
    const MemoryFileBytes* bytes = memfs::Bytes(file.Fd());
    if (!bytes || length < 0) return Fail("Bad file length");
    return static_cast<int64_t>(bytes->size()) >= length || SetFileLength(file, length);
}

bool WriteAll(const FileHandle& file, const void* data, size_t count) {
    MemoryFileBytes* bytes = memfs::Bytes(file.Fd());
    int64_t* position = memfs::Position(file.Fd());
    if (!bytes || !position) return Fail("File not open");
    const size_t at = static_cast<size_t>(*position);
    try {
        if (bytes->size() < at + count) bytes->resize(at + count, '\0');
    } catch (const std::bad_alloc&) {
        return Fail("Out of memory");
    }
    if (count > 0) std::memcpy(bytes->data() + at, data, count);
    *position += static_cast<int64_t>(count);
    return true;
}

int64_t ReadAt(const FileHandle& file, void* data, size_t count, int64_t offset) {
    const MemoryFileBytes* bytes = memfs::Bytes(file.Fd());
    if (!bytes || offset < 0) {
        Fail("File not open");
        return -1;
    }
    if (static_cast<size_t>(offset) >= bytes->size()) return 0;
    const size_t n = std::min(count, bytes->size() - static_cast<size_t>(offset));
    std::memcpy(data, bytes->data() + offset, n);
    return static_cast<int64_t>(n);
}

bool DeleteFile(const std::string& path) {
    return memfs::Remove(path);
}

bool FileExists(const std::string& path) {
    return memfs::Find(path) != nullptr;
}

std::string LastErrorText() {
    return LastError().empty() ? std::string("Unknown error") : LastError();
}

}  // namespace vx::platform
