// Temporary files of the browser build: numbered names in the memory file
// table. Only this page's one copy of the core uses them, so no locks are
// needed and nothing is ever stale.
#include <string>

#include "platform/TempFiles.h"
#include "platform/browser/MemoryFiles.h"

namespace vx::platform {

std::string TempFolder() {
    return "/tmp/";
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
    if (!path_.empty() && handle_.IsOpen()) memfs::Remove(path_);
    handle_.Close();
    path_.clear();
}

bool TryLockFile(const FileHandle& file) {
    return file.IsOpen();
}

TempFile NewTempFile() {
    static unsigned counter = 0;
    for (;;) {
        const std::string path = TempFolder() + "vor" + std::to_string(++counter) + ".tmp";
        const int fd = memfs::Create(path, memfs::CreateMode::Exclusive);
        if (fd >= 0) return TempFile(path, FileHandle(fd));
    }
}

int RemoveStaleTempFiles() {
    return 0;
}

}  // namespace vx::platform
