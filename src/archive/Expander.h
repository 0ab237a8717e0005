// Decoding of one archive block: arithmetic decoding of the symbol stream,
// zero runs, move-to-front, the inverse block-sorting transform and the
// CRC-32 check. Every stage starts afresh for each block.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "archive/ArchiveHeader.h"
#include "archive/AriDecoder.h"
#include "archive/AriModel.h"
#include "archive/BlockMan.h"
#include "archive/RowWalk.h"

namespace vx {

class TArchiveFile;
class TBitFile;

// Where one block lies in the archive: its header and the offset of its
// coded data.
struct TBlockFrame {
    TDataBlockHeader Header;
    int64_t CodedStart = 0;
};

using TFileStrucAriDecoder = TStrucAriDecoder<TBitFile>;

class TExpander {
  public:
    // Reads the header of the block at the archive's position and checks
    // that its coded data lies inside the file. Leaves the archive right
    // after the coded data, where the next header starts. Raises
    // EArchiveError subclasses for a damaged or truncated header.
    static TBlockFrame ReadFrame(TArchiveFile& archive);

    // Decodes the block `frame` describes, reading its coded data through
    // `bits` (any reader of the same archive). The decoded bytes are then
    // Bytes()[0, n) for the n returned; `crcMatches` tells whether they
    // pass the block's CRC (they are valid either way). Raises EArchiveError
    // subclasses for a damaged block.
    int DecodeBlock(TBitFile& bits, const TBlockFrame& frame, bool& crcMatches);
    const uint8_t* Bytes() { return areas_.Bytes(); }

  private:
    // The block's transformed sequence (without its sentinel) into Bytes();
    // returns its length.
    int DecodeSymbols(TBitFile& bits);
    void UndoBlockSort(int n, int sentinelPos, int startIndex);

    THeadAriModel model_;
    std::array<uint32_t, 256> counts_{};  // occurrences of each byte in the block
    TBlockMan areas_;
    TRowWalk walk_{areas_};
};

}  // namespace vx
