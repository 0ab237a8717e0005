// The block decoder's work areas. They are sized for the largest block the
// format allows and allocated once per decoder (one per expanding thread),
// so expanding a file of any size needs the same memory.
#pragma once

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

    // A block's transformed sequence, then its decoded bytes: the walk that
    // writes them needs the sequence no more.
    uint8_t* Bytes() { return bytes_.get(); }

    // The inverse transform's table, one entry per row: the row that
    // follows it (upper 24 bits) and the byte value owning the row (lower
    // 8 bits), which is the byte the walk writes on leaving the row.
    static constexpr int kRowShift = 8;
    uint32_t Entry(uint32_t row) const { return entries_[row]; }
    void SetEntry(uint32_t row, uint32_t next, uint8_t owner) {
        entries_[row] = next << kRowShift | owner;
    }

  private:
    std::unique_ptr<uint8_t[]> bytes_;
    std::unique_ptr<uint32_t[]> entries_;
};

}  // namespace vx
