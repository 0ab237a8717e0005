// A whole-file memory view.
#pragma once

#include <utility>

#include <cstddef>

#include "platform/FileHandle.h"

namespace vx::platform {

class MemoryMap {
  public:
    MemoryMap() = default;
    MemoryMap(const MemoryMap&) = delete;
    MemoryMap& operator=(const MemoryMap&) = delete;
    MemoryMap(MemoryMap&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)),
          length_(std::exchange(other.length_, 0)),
          writable_(other.writable_) {}
    MemoryMap& operator=(MemoryMap&& other) noexcept {
        if (this != &other) {
            Unmap();
            data_ = std::exchange(other.data_, nullptr);
            length_ = std::exchange(other.length_, 0);
            writable_ = other.writable_;
        }
        return *this;
    }
    ~MemoryMap() { Unmap(); }

    // Maps the first `length` bytes of the file. A length of 0 cannot be
    // mapped and fails. Returns false on failure (the view stays empty).
    bool Map(const FileHandle& file, size_t length, bool writable);
    // Writes dirty pages of a writable view back to the file.
    bool Flush();
    bool Unmap();

    char* Data() const { return data_; }
    size_t Length() const { return length_; }
    bool IsMapped() const { return data_ != nullptr; }

  private:
    char* data_ = nullptr;
    size_t length_ = 0;
    bool writable_ = false;
};

}  // namespace vx::platform
