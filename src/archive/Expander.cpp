#include "archive/Expander.h"

#include <array>
#include <cstring>

#include "archive/ArchiveErrors.h"
#include "archive/ArchiveFile.h"
#include "archive/ArchiveHeader.h"
#include "archive/BlockMan.h"
#include "archive/Crc32.h"
#include "archive/MoveToFront.h"

namespace vx {
namespace {

constexpr int kMax = TBlockMan::kMaxBlockBytes;

[[noreturn]] void ThrowTooLong() {
    throw EArchiveCorrupt("The block decodes to more than " + std::to_string(kMax) +
                          " bytes; the archive is corrupt.");
}

}  // namespace

TBlockFrame TExpander::ReadFrame(TArchiveFile& archive) {
    TBlockFrame frame;
    if (!frame.Header.ReadHeader(archive))
        throw EArchiveCorrupt("The archive is truncated inside the block header.");
    frame.CodedStart = archive.Position();
    const int64_t remaining = archive.Size() - frame.CodedStart;
    if (frame.Header.CodedSize > remaining)
        throw EArchiveCorrupt(
            "The archive is truncated: the block has " + std::to_string(frame.Header.CodedSize) +
            " bytes of coded data, the file holds only " + std::to_string(remaining) + " more.");
    archive.SmartSeek(frame.CodedStart + frame.Header.CodedSize);
    return frame;
}

int TExpander::DecodeBlock(TBitFile& bits, const TBlockFrame& frame, bool& crcMatches) {
    const TDataBlockHeader& header = frame.Header;
    bits.SmartSeek(frame.CodedStart);
    bits.SetLimit(header.CodedSize);
    bits.ResetBits();
    // The decoder may stop short of the coded data or run into the zero
    // allowance; the frame, not the decoder, says where the next block is.
    const int n = DecodeSymbols(bits);
    bits.ResetBits();

    if (header.StartIndex > static_cast<uint32_t>(n) ||
        header.SentinelPos > static_cast<uint32_t>(n))
        throw EArchiveCorrupt("The block's start row " + std::to_string(header.StartIndex) +
                              " or sentinel position " + std::to_string(header.SentinelPos) +
                              " lies beyond its " + std::to_string(n) + " bytes.");
    const int sentinelPos = static_cast<int>(header.SentinelPos);
    UndoBlockSort(n, sentinelPos, static_cast<int>(header.StartIndex));

    crcMatches = Crc32(areas_.Bytes(), static_cast<size_t>(n)) == header.BlockCRC;
    return n;
}

// Symbols to the transformed sequence. A symbol above RUNB is a
// move-to-front index; zero runs are written in bijective base 2 (digit A
// adds the weight, digit B twice the weight) and repeat the list's front.
// Undoing the move-to-front as the symbols come lets it overlap the
// arithmetic decoding, and a run costs one fill instead of a step per byte.
int TExpander::DecodeSymbols(TBitFile& bits) {
    TFileStrucAriDecoder decoder(bits);
    model_.Reset();
    decoder.Start();
    TMoveToFront list;
    counts_.fill(0);
    uint8_t* bytes = areas_.Bytes();
    int n = 0;
    int symbol = decoder.NextSymbol(model_);
    while (symbol != kEndOfBlock) {
        if (symbol > kRunB) {
            if (n >= kMax) ThrowTooLong();
            const uint8_t b = list.Take(static_cast<uint8_t>(symbol - 1));
            ++counts_[b];
            bytes[n++] = b;
            symbol = decoder.NextSymbol(model_);
            continue;
        }
        int64_t weight = 1;
        int64_t run = 0;
        do {
            run += symbol == kRunA ? weight : 2 * weight;
            weight *= 2;
            if (run > kMax - n) ThrowTooLong();
            symbol = decoder.NextSymbol(model_);
        } while (symbol <= kRunB);
        const uint8_t b = list.Front();
        counts_[b] += static_cast<uint32_t>(run);
        std::memset(bytes + n, b, static_cast<size_t>(run));
        n += static_cast<int>(run);
    }
    return n;
}

// The inverse transform by counting. The transformed sequence has n + 1
// rows: the n bytes with the sentinel placed at sentinelPos. Sorted, the
// sentinel comes below every byte and occurs once, so row 0 is its own, and
// the rows of byte value b follow in the order b occurs in the sequence.
//
// The bytes are those of the walk from the start row: the first is the
// transformed sequence's byte at the start row, each further one the byte
// owning the row the walk is leaving. A damaged block (a start row that is
// not the block's) reads the same way, so it reads the same whoever decodes
// it; a walk through row 0 yields the sentinel as a zero byte.
void TExpander::UndoBlockSort(int n, int sentinelPos, int startIndex) {
    uint8_t* bytes = areas_.Bytes();
    std::array<uint32_t, 256> next;
    uint32_t rows = 1;
    for (int b = 0; b < 256; ++b) {
        next[b] = rows;
        rows += counts_[b];
    }
    for (int p = 0; p < sentinelPos; ++p)
        areas_.SetEntry(next[bytes[p]]++, static_cast<uint32_t>(p), bytes[p]);
    for (int p = sentinelPos + 1; p <= n; ++p)
        areas_.SetEntry(next[bytes[p - 1]]++, static_cast<uint32_t>(p), bytes[p - 1]);
    areas_.SetEntry(0, static_cast<uint32_t>(sentinelPos), 0);

    if (n == 0) return;
    const int start = startIndex;
    bytes[0] = start == sentinelPos ? 0 : bytes[start < sentinelPos ? start : start - 1];
    walk_.Write(rows, static_cast<uint32_t>(start), bytes + 1, static_cast<uint32_t>(n - 1));
}

}  // namespace vx
