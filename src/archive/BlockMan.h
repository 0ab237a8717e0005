// The block decoder's work areas. They are sized for the largest block the
// format allows and allocated once per decoder (one per expanding thread),
// so expanding a file of any size needs the same memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace vx {

class TBlockMan {
  public:
    // Largest decoded block; with the end-of-block sentinel a block's
    // transformed sequence has at most kMaxEntries entries.
    static constexpr int kMaxBlockBytes = 615399;
    static constexpr int kMaxEntries = kMaxBlockBytes + 1;

    TBlockMan();
    TBlockMan(const TBlockMan&) = delete;
    TBlockMan& operator=(const TBlockMan&) = delete;

    // Move-to-front indices of a block, later its decoded bytes.
    uint8_t* Bytes() { return bytes_.get(); }
    // Inverse transform: for each row, the next row (upper 24 bits) and the
    // row's byte of the transformed sequence (lower 8 bits).
    uint32_t* Rows() { return rows_.get(); }
    // The same walk backwards: for each row, the previous row and its byte.
    uint32_t* BackRows() { return backRows_.get(); }

  private:
    std::unique_ptr<uint8_t[]> bytes_;
    std::unique_ptr<uint32_t[]> rows_;
    std::unique_ptr<uint32_t[]> backRows_;
};

}  // namespace vx
