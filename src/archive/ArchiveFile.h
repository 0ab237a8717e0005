// Reading an archive file: a byte reader over a 64 KB buffer, the bit reader
// that feeds the block decoder, and the archive as opened for expansion.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/FileHandle.h"

namespace vx {

// A file read one byte at a time through a 64 KB buffer. Bytes asked for
// beyond the end of the file read as zeros (with ok = false), so a header
// cut short is caught by the signature and length checks above this layer.
class TBufferedFileStream {
  public:
    static constexpr size_t kBufferSize = 65536;

    TBufferedFileStream(platform::FileHandle file, std::string path);
    virtual ~TBufferedFileStream() = default;
    TBufferedFileStream(const TBufferedFileStream&) = delete;
    TBufferedFileStream& operator=(const TBufferedFileStream&) = delete;

    uint8_t ReadByte(bool& ok) {
        if (cursor_ < fill_ && !refillPending_) {
            ok = true;
            return buffer_[cursor_++];
        }
        return ReadByteSlow(ok);
    }
    // Reads n bytes; true when every one of them came from the file.
    bool ReadBytes(uint8_t* out, size_t n);

    // Positions the stream at `offset` from the start of the file. A target
    // inside the current buffer only moves the cursor.
    void SmartSeek(int64_t offset);

    // Offset of the next byte ReadByte returns (at most the file size).
    int64_t Position() const { return bufferStart_ + static_cast<int64_t>(cursor_); }
    int64_t Size() const { return size_; }
    const std::string& Path() const { return path_; }

  private:
    uint8_t ReadByteSlow(bool& ok);
    void Refill();

    platform::FileHandle file_;
    std::string path_;
    int64_t size_ = 0;
    std::unique_ptr<uint8_t[]> buffer_;
    size_t fill_ = 0;
    size_t cursor_ = 0;
    int64_t bufferStart_ = 0;  // file offset of buffer_[0]
    bool refillPending_ = true;
};

// The bit reader of the block decoder: most significant bit of each byte
// first, with a byte budget per block. The arithmetic decoder looks a little
// beyond the end of its coded data, so after the budget it gets up to
// kZeroAllowance zero bytes without touching the file; asking for more means
// the block is corrupt.
class TBitFile : public TBufferedFileStream {
  public:
    static constexpr int64_t kZeroAllowance = 20;
    static constexpr int64_t kNoLimit = 2147483647;

    using TBufferedFileStream::TBufferedFileStream;

    void SetLimit(int64_t limit) {
        limit_ = limit;
        taken_ = 0;
    }
    // Drops what is left of the current byte: the next bit read is the
    // first of the next byte.
    void ResetBits() {
        window_ = 0;
        bitsLeft_ = 0;
    }
    int ReadBit() { return static_cast<int>(ReadBits(1)); }
    // The next n bits (n <= kMaxBitsAtOnce), the first one most significant.
    // Bytes are fetched only when a bit of theirs is needed, so a block that
    // runs past its allowance fails at the same bit however it is read.
    uint32_t ReadBits(int n) {
        assert(n >= 0 && n <= kMaxBitsAtOnce);
        while (bitsLeft_ < n)
            FetchByte();
        bitsLeft_ -= n;
        return (window_ >> bitsLeft_) & ((1u << n) - 1);
    }
    static constexpr int kMaxBitsAtOnce = 24;

    // Bytes fetched since the budget was set (zero bytes included).
    int64_t Taken() const { return taken_; }
    int64_t Limit() const { return limit_; }

  private:
    // Appends the next byte of the block (or an allowed zero byte) to the
    // window.
    void FetchByte();

    uint32_t window_ = 0;  // the unread bits are its low bitsLeft_ bits
    int bitsLeft_ = 0;
    int64_t limit_ = kNoLimit;
    int64_t taken_ = 0;
};

// An archive opened for expansion; opening checks the archive signature.
class TArchiveFile : public TBitFile {
  public:
    // Raises EFileError when the file cannot be opened and ESignatureWrong
    // when it does not start with the archive signature.
    explicit TArchiveFile(const std::string& path);
};

}  // namespace vx
