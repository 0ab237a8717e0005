// The writing side of the archive: one block at a time (block sorting with
// an end-of-block sentinel, move-to-front, zero runs, arithmetic coding,
// CRC-32), and whole archives made of such blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/AriEncoder.h"
#include "archive/AriModel.h"
#include "archive/BlockMan.h"

namespace vx {

class TCompressor {
  public:
    // Appends one block (header and coded data) holding `data`, which has
    // at most TBlockMan::kMaxBlockBytes bytes.
    void CompressBlock(const uint8_t* data, size_t length, std::string& out);

  private:
    void SortBlock(const uint8_t* data, int n);
    void EncodeSymbols();

    std::vector<int32_t> suffixes_;
    std::vector<uint8_t> lastColumn_;  // the transformed bytes, sentinel left out
    uint32_t startIndex_ = 0;
    uint32_t sentinelPos_ = 0;
    THeadAriModel model_;
    TStrucAriEncoder encoder_;
    std::string coded_;
};

// Writes an archive as its input arrives: the signature at once, then a
// block whenever a block's worth of input has come, the rest at Finish.
class TArchiveWriter {
  public:
    using Sink = std::function<void(const std::string& bytes)>;

    explicit TArchiveWriter(Sink sink, int blockSize = TBlockMan::kMaxBlockBytes);
    void Add(std::string_view data);
    // Writes the last partial block; returns the number of blocks written.
    int Finish();

    int BlockCount() const { return blockCount_; }
    int64_t BytesWritten() const { return bytesWritten_; }

  private:
    void Emit(const uint8_t* data, size_t length);

    Sink sink_;
    size_t blockSize_;
    std::string pending_;
    std::string out_;
    TCompressor compressor_;
    int blockCount_ = 0;
    int64_t bytesWritten_ = 0;
};

// The whole archive of `data`, and its number of blocks.
std::string CompressToArchive(std::string_view data, int* blockCount = nullptr,
                              int blockSize = TBlockMan::kMaxBlockBytes);

}  // namespace vx
