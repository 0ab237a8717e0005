#include "archive/Compressor.h"

#include <divsufsort.h>

#include <array>
#include <cassert>
#include <numeric>
#include <stdexcept>

#include "archive/ArchiveHeader.h"
#include "archive/Crc32.h"

namespace vx {

static_assert(sizeof(saidx_t) == sizeof(int32_t));

// Rows are the rotations of the block followed by the sentinel, in sorted
// order; the sentinel sorts below every byte, so they sort like the
// suffixes. Row 0 is the rotation that starts with the sentinel, row r + 1
// the suffix in place r of the suffix array. The transformed sequence is
// the byte before each row's start; the sentinel stands before the whole
// block's row, and the decoder starts at the row of the block's second byte.
void TCompressor::SortBlock(const uint8_t* data, int n) {
    lastColumn_.clear();
    startIndex_ = 0;
    sentinelPos_ = 0;
    if (n == 0) return;
    suffixes_.resize(static_cast<size_t>(n));
    if (divsufsort(data, suffixes_.data(), n) != 0)
        throw std::runtime_error("suffix sorting failed");
    lastColumn_.reserve(static_cast<size_t>(n));
    lastColumn_.push_back(data[n - 1]);
    for (int r = 0; r < n; ++r) {
        const int start = suffixes_[static_cast<size_t>(r)];
        if (start == 0) {
            sentinelPos_ = static_cast<uint32_t>(r + 1);
            continue;
        }
        if (start == 1) startIndex_ = static_cast<uint32_t>(r + 1);
        lastColumn_.push_back(data[start - 1]);
    }
    // With one byte the second "byte" is the sentinel, whose row is 0.
}

// Move-to-front over the transformed bytes; runs of index 0 become digits
// of bijective base 2, least significant first.
void TCompressor::EncodeSymbols() {
    model_.Reset();
    encoder_.Start(coded_);
    auto flushRun = [this](uint32_t run) {
        while (run > 0) {
            if (run & 1) {
                encoder_.EncodeSymbol(model_, kRunA);
                run = (run - 1) / 2;
            } else {
                encoder_.EncodeSymbol(model_, kRunB);
                run = (run - 2) / 2;
            }
        }
    };
    std::array<uint8_t, 256> list;
    std::iota(list.begin(), list.end(), 0);
    uint32_t run = 0;
    for (const uint8_t b : lastColumn_) {
        if (list[0] == b) {
            ++run;
            continue;
        }
        flushRun(run);
        run = 0;
        int index = 0;
        uint8_t moving = list[0];
        do {
            ++index;
            std::swap(moving, list[index]);
        } while (moving != b);
        list[0] = b;
        encoder_.EncodeSymbol(model_, index + 1);
    }
    flushRun(run);
    encoder_.EncodeSymbol(model_, kEndOfBlock);
    encoder_.Finish();
}

void TCompressor::CompressBlock(const uint8_t* data, size_t length, std::string& out) {
    assert(length <= static_cast<size_t>(TBlockMan::kMaxBlockBytes));
    const int n = static_cast<int>(length);
    SortBlock(data, n);
    EncodeSymbols();
    TDataBlockHeader header;
    header.BlockCRC = Crc32(data, length);
    header.CodedSize = static_cast<uint32_t>(coded_.size());
    header.StartIndex = startIndex_;
    header.SentinelPos = sentinelPos_;
    header.WriteHeader(out);
    out += coded_;
}

TArchiveWriter::TArchiveWriter(Sink sink, int blockSize)
    : sink_(std::move(sink)), blockSize_(static_cast<size_t>(blockSize)) {
    if (blockSize < 1 || blockSize > TBlockMan::kMaxBlockBytes)
        throw std::invalid_argument("block size out of range");
    TResourceArchiveHeader header;
    std::string signature;
    header.WriteHeader(signature);
    bytesWritten_ += static_cast<int64_t>(signature.size());
    sink_(signature);
}

void TArchiveWriter::Emit(const uint8_t* data, size_t length) {
    out_.clear();
    compressor_.CompressBlock(data, length, out_);
    ++blockCount_;
    bytesWritten_ += static_cast<int64_t>(out_.size());
    sink_(out_);
}

void TArchiveWriter::Add(std::string_view data) {
    auto bytes = [](std::string_view text) {
        return reinterpret_cast<const uint8_t*>(text.data());
    };
    if (!pending_.empty()) {
        const size_t take = std::min(blockSize_ - pending_.size(), data.size());
        pending_.append(data.substr(0, take));
        data.remove_prefix(take);
        if (pending_.size() < blockSize_) return;
        Emit(bytes(pending_), pending_.size());
        pending_.clear();
    }
    while (data.size() >= blockSize_) {
        Emit(bytes(data), blockSize_);
        data.remove_prefix(blockSize_);
    }
    pending_.assign(data);
}

int TArchiveWriter::Finish() {
    if (!pending_.empty()) {
        Emit(reinterpret_cast<const uint8_t*>(pending_.data()), pending_.size());
        pending_.clear();
    }
    return blockCount_;
}

std::string CompressToArchive(std::string_view data, int* blockCount, int blockSize) {
    std::string archive;
    TArchiveWriter writer([&archive](const std::string& bytes) { archive += bytes; }, blockSize);
    writer.Add(data);
    const int blocks = writer.Finish();
    if (blockCount) *blockCount = blocks;
    return archive;
}

}  // namespace vx
