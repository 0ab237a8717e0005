#include "archive/Expander.h"

#include <array>
#include <cstring>
#include <numeric>

#include "archive/ArchiveErrors.h"
#include "archive/ArchiveFile.h"
#include "archive/ArchiveHeader.h"
#include "archive/BlockMan.h"
#include "archive/Crc32.h"

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
    const int n = DecodeIndices(bits);
    bits.ResetBits();

    if (header.StartIndex > static_cast<uint32_t>(n) ||
        header.SentinelPos > static_cast<uint32_t>(n))
        throw EArchiveCorrupt("The block's start row " + std::to_string(header.StartIndex) +
                              " or sentinel position " + std::to_string(header.SentinelPos) +
                              " lies beyond its " + std::to_string(n) + " bytes.");
    const int sentinelPos = static_cast<int>(header.SentinelPos);
    UndoMoveToFront(n, sentinelPos);
    UndoBlockSort(n, sentinelPos, static_cast<int>(header.StartIndex));

    const uint8_t* bytes = areas_.Bytes();
    crcMatches = Crc32(bytes, static_cast<size_t>(n)) == header.BlockCRC;
    if (!crcMatches) {
        WalkForward(n, static_cast<int>(header.StartIndex));
        crcMatches = Crc32(bytes, static_cast<size_t>(n)) == header.BlockCRC;
    }
    return n;
}

// Symbols to move-to-front indices; zero runs are written in bijective
// base 2 (digit A adds the weight, digit B twice the weight).
int TExpander::DecodeIndices(TBitFile& bits) {
    TFileStrucAriDecoder decoder(bits);
    model_.Reset();
    decoder.Start();
    uint8_t* indices = areas_.Bytes();
    int n = 0;
    int symbol = decoder.NextSymbol(model_);
    while (symbol != kEndOfBlock) {
        if (symbol > kRunB) {
            if (n >= kMax) ThrowTooLong();
            indices[n++] = static_cast<uint8_t>(symbol - 1);
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
        std::memset(indices + n, 0, static_cast<size_t>(run));
        n += static_cast<int>(run);
    }
    return n;
}

// Indices back to bytes, placed around the sentinel's position; each row's
// byte goes into the low 8 bits of the row table.
void TExpander::UndoMoveToFront(int n, int sentinelPos) {
    std::array<uint8_t, 256> list;
    std::iota(list.begin(), list.end(), 0);
    const uint8_t* indices = areas_.Bytes();
    uint32_t* rows = areas_.Rows();
    counts_.fill(0);
    auto decode = [this, &list](uint8_t index) {
        const uint8_t b = list[index];
        ++counts_[b];
        if (index != 0) {
            std::memmove(&list[1], &list[0], index);
            list[0] = b;
        }
        return b;
    };
    for (int k = 0; k < sentinelPos; ++k)
        rows[k] = decode(indices[k]);
    for (int k = sentinelPos; k < n; ++k)
        rows[k + 1] = decode(indices[k]);
    rows[sentinelPos] = 0;
}

// The inverse transform by counting: the sentinel sorts below every byte and
// occurs once, so row 0 of the sorted order is the sentinel's.
void TExpander::UndoBlockSort(int n, int sentinelPos, int startIndex) {
    uint32_t* rows = areas_.Rows();
    uint32_t* back = areas_.BackRows();
    std::array<uint32_t, 256> next;
    uint32_t sum = 1;
    for (int b = 0; b < 256; ++b) {
        next[b] = sum;
        sum += counts_[b];
    }
    for (int p = 0; p <= n; ++p) {
        if (p == sentinelPos) continue;
        const uint32_t byte = rows[p] & 0xFF;
        const uint32_t row = next[byte]++;
        rows[row] |= static_cast<uint32_t>(p) << 8;
        back[p] = row << 8 | byte;
    }
    rows[0] |= static_cast<uint32_t>(sentinelPos) << 8;
    back[sentinelPos] = 0;

    // Each step of the walk waits for the memory read of the one before, so
    // the block is walked from both ends at once: forwards from the start
    // row, backwards from row 0, whose byte is the block's last. For a sound
    // block the two halves meet exactly.
    uint8_t* out = areas_.Bytes();
    uint32_t forward = static_cast<uint32_t>(startIndex);
    uint32_t backward = 0;
    int head = 0;
    int tail = n - 1;
    for (; head < tail; ++head, --tail) {
        const uint32_t ahead = rows[forward];
        const uint32_t behind = back[backward];
        out[head] = static_cast<uint8_t>(ahead);
        out[tail] = static_cast<uint8_t>(behind);
        forward = ahead >> 8;
        backward = behind >> 8;
    }
    if (head == tail) out[head] = static_cast<uint8_t>(rows[forward]);
}

// The forward walk alone. In a damaged block (a start row that is not the
// block's) the two ends disagree; its bytes are then those of the plain walk
// from the start row, so a damaged block reads the same whoever decodes it.
void TExpander::WalkForward(int n, int startIndex) {
    const uint32_t* rows = areas_.Rows();
    uint8_t* out = areas_.Bytes();
    uint32_t row = static_cast<uint32_t>(startIndex);
    for (int j = 0; j < n; ++j) {
        const uint32_t entry = rows[row];
        out[j] = static_cast<uint8_t>(entry);
        row = entry >> 8;
    }
}

}  // namespace vx
