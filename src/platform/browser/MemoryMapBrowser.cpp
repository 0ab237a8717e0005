// Mappings of the browser build: a view straight into a memory file's bytes,
// so a "mapped" GEDCOM is never copied. As with a real shared mapping, the
// file must not change its length while a view is open (the core unmaps
// before it grows a file).
#include <utility>

#include "platform/MemoryMap.h"
#include "platform/browser/MemoryFiles.h"

namespace vx::platform {

bool MemoryMap::Map(const FileHandle& file, size_t length, bool writable) {
    Unmap();
    MemoryFileBytes* bytes = memfs::Bytes(file.Fd());
    // Past the end a real mapping faults; here it is refused up front.
    if (!bytes || length == 0 || length > bytes->size()) return false;
    data_ = bytes->data();
    length_ = length;
    writable_ = writable;
    return true;
}

bool MemoryMap::Flush() {
    return true;
}

bool MemoryMap::Unmap() {
    data_ = nullptr;
    length_ = 0;
    return true;
}

}  // namespace vx::platform
