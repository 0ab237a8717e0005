// The browser's stand-in for the file system: named byte buffers in memory
// and a table of open descriptors over them. The page hands the core its
// data as such a file, and the core's temporary files and mappings live
// here too, so nothing ever reaches a real disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vx::platform {

using MemoryFileBytes = std::vector<char>;

// Creates (or replaces) the file `path` with the given contents.
void PutMemoryFile(const std::string& path, MemoryFileBytes bytes);
// Removes every file and closes every descriptor (a new file is opened).
void ClearMemoryFiles();

namespace memfs {

// The contents of a file, shared by its name and its open descriptors: a
// deleted file lives on while a descriptor holds it, as on POSIX.
std::shared_ptr<MemoryFileBytes> Find(const std::string& path);
bool Remove(const std::string& path);

enum class CreateMode { Replace, Exclusive };
// Opens a descriptor on a new file; -1 when Exclusive finds the name taken.
int Create(const std::string& path, CreateMode mode);
// Opens a descriptor on an existing file; -1 when there is none.
int Open(const std::string& path);
bool Close(int fd);

// When the file was created, in seconds since 1970; -1 for a closed one.
int64_t CreatedTime(int fd);

// The bytes behind an open descriptor, null for a closed one.
MemoryFileBytes* Bytes(int fd);
// The descriptor's position for sequential writes.
int64_t* Position(int fd);

}  // namespace memfs
}  // namespace vx::platform
