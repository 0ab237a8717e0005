// Temporary files of the program: "vor*.tmp" in the temporary folder.
//
// Every temporary file is created exclusively (never "reserve a name, delete
// it, let the caller re-create it", which another local user could race) and
// carries an advisory lock for as long as its owner holds it. Several copies
// of the program share the folder; a copy that starts removes only the files
// whose lock it can take, so files in use by a running copy stay.
#pragma once

#include <string>

#include "platform/FileHandle.h"

namespace vx::platform {

// The temporary folder with a trailing separator: $TMPDIR, else /tmp/.
std::string TempFolder();

// An owned, locked temporary file. It is deleted when the owner is destroyed
// (or calls Delete), so a crash-free run leaves nothing behind; a crashed run
// leaves an unlocked file that the next start removes.
class TempFile {
  public:
    TempFile() = default;
    TempFile(std::string path, FileHandle handle)
        : path_(std::move(path)), handle_(std::move(handle)) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    TempFile(TempFile&& other) noexcept = default;
    TempFile& operator=(TempFile&& other) noexcept;
    ~TempFile() { Delete(); }

    bool IsOpen() const { return handle_.IsOpen(); }
    const std::string& Path() const { return path_; }
    // Open for reading and writing; the lock lives as long as this handle.
    const FileHandle& Handle() const { return handle_; }
    // Removes the file and releases the lock.
    void Delete();

  private:
    std::string path_;
    FileHandle handle_;
};

// Creates a new, empty, locked "vor*.tmp" file in the temporary folder.
// Returns a TempFile that is not open when the folder is not writable.
TempFile NewTempFile();

// Deletes every "vor*.tmp" file of the temporary folder whose lock can be
// taken (no running copy owns it). Files that are in use, belong to another
// user or cannot be deleted are skipped silently. Returns the number deleted.
int RemoveStaleTempFiles();

// Takes the advisory lock of an open file without waiting.
bool TryLockFile(const FileHandle& file);

}  // namespace vx::platform
