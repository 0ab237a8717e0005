// The block decoder's work areas. They are sized for the largest block the
// format allows and allocated once per decoder (one per expanding thread),
// so expanding a file of any size needs the same memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace vx {

class TBlockMan {
  public:
    // Largest decoded block; with the end-of-block sentinel a block's
    // transformed sequence has at most kMaxEntries entries.
    static constexpr int kMaxBlockBytes = 615399;
    static constexpr int kMaxEntries = kMaxBlockBytes + 1;
    // A row number fits in three bytes.
    static constexpr size_t kLinkBytes = 3;
    static constexpr uint32_t kLinkMask = 0xFFFFFF;

    TBlockMan();
    TBlockMan(const TBlockMan&) = delete;
    TBlockMan& operator=(const TBlockMan&) = delete;

    // Move-to-front indices of a block, then the transformed sequence, then
    // the decoded bytes: each stage reads its input before it writes there.
    uint8_t* Bytes() { return bytes_.get(); }

    // The inverse transform's successor of each row, packed in three bytes:
    // a table 3/4 the size of one of 32-bit entries stays in the processor's
    // cache on blocks where that one would not, and the walk through it is
    // one chain of dependent reads.
    uint32_t Link(uint32_t row) const {
        uint32_t entry;
        std::memcpy(&entry, links_.get() + row * kLinkBytes, sizeof entry);
        return entry & kLinkMask;
    }
    void SetLink(uint32_t row, uint32_t next) {
        std::memcpy(links_.get() + row * kLinkBytes, &next, kLinkBytes);
    }

  private:
    std::unique_ptr<uint8_t[]> bytes_;
    // One spare byte so that Link reads four bytes at the last row.
    std::unique_ptr<uint8_t[]> links_;
};

}  // namespace vx
