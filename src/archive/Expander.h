// Decoding of one archive block: arithmetic decoding of the symbol stream,
// zero runs, move-to-front, the inverse block-sorting transform and the
// CRC-32 check. Every stage starts afresh for each block.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "archive/AriDecoder.h"
#include "archive/AriModel.h"
#include "platform/FileHandle.h"

namespace vx {

class TArchiveFile;
class TBitFile;
class TBlockMan;

using TFileStrucAriDecoder = TStrucAriDecoder<TBitFile>;

class TExpander {
  public:
    TExpander();

    // Reads the block at the archive's position, decodes it and appends the
    // decoded bytes to `output`. Returns false when the CRC did not match
    // (the bytes are written all the same). Leaves the archive positioned
    // right after the block's coded data, however much of it the decoder
    // used. Raises EArchiveError subclasses for a damaged block.
    bool ExpandBlock(TArchiveFile& archive, const platform::FileHandle& output,
                     const std::string& outputPath);

  private:
    int DecodeIndices(TBitFile& bits);
    void UndoMoveToFront(int n, int sentinelPos);
    void UndoBlockSort(int n, int sentinelPos, int startIndex);
    void WalkForward(int n, int startIndex);

    THeadAriModel model_;
    std::array<uint32_t, 256> counts_{};  // occurrences of each byte in the block
    TBlockMan& areas_;
};

}  // namespace vx
