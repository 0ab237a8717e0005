#include "archive/ArchiveFile.h"

#include "app/Errors.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveHeader.h"

namespace vx {

TBufferedFileStream::TBufferedFileStream(platform::FileHandle file, std::string path)
    : file_(std::move(file)),
      path_(std::move(path)),
      size_(platform::FileLength(file_)),
      buffer_(new uint8_t[kBufferSize]) {
    if (size_ < 0) throw EFileError(EFileError::Kind::Open, path_);
}

void TBufferedFileStream::Refill() {
    if (!refillPending_) bufferStart_ += static_cast<int64_t>(fill_);
    int64_t got = 0;
    if (bufferStart_ < size_) {
        got = platform::ReadAt(file_, buffer_.get(), kBufferSize, bufferStart_);
        if (got < 0) throw EInOutError("Error with I/O reading " + path_);
    }
    fill_ = static_cast<size_t>(got);
    cursor_ = 0;
    refillPending_ = false;
}

uint8_t TBufferedFileStream::ReadByteSlow(bool& ok) {
    // A short fill means the end of the file was reached: zeros from here on.
    if (refillPending_ || fill_ == kBufferSize) {
        Refill();
        if (cursor_ < fill_) {
            ok = true;
            return buffer_[cursor_++];
        }
    }
    ok = false;
    return 0;
}

bool TBufferedFileStream::ReadBytes(uint8_t* out, size_t n) {
    bool all = true;
    for (size_t i = 0; i < n; ++i) {
        bool ok = false;
        out[i] = ReadByte(ok);
        all = all && ok;
    }
    return all;
}

void TBufferedFileStream::SmartSeek(int64_t offset) {
    if (offset < 0) throw ESeekError();
    if (!refillPending_ && offset > bufferStart_ &&
        offset < bufferStart_ + static_cast<int64_t>(fill_) - 1) {
        cursor_ = static_cast<size_t>(offset - bufferStart_);
        return;
    }
    bufferStart_ = offset;
    fill_ = 0;
    cursor_ = 0;
    refillPending_ = true;
}

void TBitFile::FetchByte() {
    uint8_t byte = 0;
    if (taken_ < limit_) {
        bool ok = false;
        byte = ReadByte(ok);
    } else if (taken_ - limit_ >= kZeroAllowance) {
        throw ETooManyBytes();
    }
    ++taken_;
    window_ = window_ << 8 | byte;
    bitsLeft_ += 8;
}

namespace {

platform::FileHandle OpenForReading(const std::string& path) {
    platform::FileHandle file = platform::OpenExistingFile(path, platform::FileAccess::Read);
    if (!file.IsOpen()) throw EFileError(EFileError::Kind::Open, path);
    return file;
}

}  // namespace

TArchiveFile::TArchiveFile(const std::string& path) : TBitFile(OpenForReading(path), path) {
    TResourceArchiveHeader header;
    header.ReadHeader(*this);
}

}  // namespace vx
