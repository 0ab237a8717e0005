#include "platform/MemoryMap.h"

#include <sys/mman.h>

#include <utility>

#include "platform/MappingGuard.h"

namespace vx::platform {

bool MemoryMap::Map(const FileHandle& file, size_t length, bool writable) {
    Unmap();
    if (!file.IsOpen() || length == 0) return false;
    int protection = writable ? PROT_READ | PROT_WRITE : PROT_READ;
    int flags = MAP_SHARED;
#ifdef MAP_POPULATE
    // A read-only view is a whole file about to be scanned: faulting its
    // pages in at once is much cheaper than one fault per page later.
    if (!writable) flags |= MAP_POPULATE;
#endif
    void* view = ::mmap(nullptr, length, protection, flags, file.Fd(), 0);
    if (view == MAP_FAILED) return false;
    data_ = static_cast<char*>(view);
    length_ = length;
    writable_ = writable;
    // Only a read-only view can lose pages to another program: writable
    // views are of files the program reserved and owns.
    if (!writable) GuardMapping(data_, length_);
    return true;
}

bool MemoryMap::Flush() {
    if (!data_ || !writable_) return true;
    return ::msync(data_, length_, MS_SYNC) == 0;
}

bool MemoryMap::Unmap() {
    if (!data_) return true;
    if (!writable_) UnguardMapping(data_);
    bool ok = ::munmap(data_, length_) == 0;
    data_ = nullptr;
    length_ = 0;
    return ok;
}

}  // namespace vx::platform
