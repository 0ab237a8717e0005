// In the browser every memory file is the page's own and a regular file.
#include "platform/OwnFile.h"
#include "platform/browser/MemoryFiles.h"

namespace vx::platform {

FileHandle OpenOwnRegularFile(const std::string& path, OwnFileOpen mode) {
    FileHandle file(memfs::Open(path));
    if (!file.IsOpen() && mode == OwnFileOpen::WriteOrCreate)
        file = FileHandle(memfs::Create(path, memfs::CreateMode::Exclusive));
    return file;
}

}  // namespace vx::platform
