// Errors of the embedded archive. Each one knows the block it concerns
// (blocks count from 1; 0 means the archive as a whole), so that a damaged
// file is reported together with where the damage is.
#pragma once

#include <string>

#include "app/Errors.h"

namespace vx {

class EArchiveError : public VxError {
  public:
    explicit EArchiveError(const std::string& text, int block = 0);

    // The message without the block: what a message box shows.
    const std::string& Text() const { return text_; }
    int Block() const { return block_; }
    int BlockCount() const { return blockCount_; }
    // Attaches the block once the layer that knows it sees the error.
    void SetBlock(int block, int blockCount);

    const char* what() const noexcept override { return full_.c_str(); }

  private:
    void Compose();

    std::string text_;
    int block_;
    int blockCount_ = 0;
    std::string full_;
};

// A signature ("QTRX" or "DATA") is not where it should be.
class ESignatureWrong : public EArchiveError {
  public:
    explicit ESignatureWrong(const std::string& detail = {}, int block = 0);
    static const char* const kMessage;
};

// The block decoder wanted more coded bytes than the block has, beyond the
// small allowance of zero bytes. The viewer ends with exit code 1 on it.
class ETooManyBytes : public EArchiveError {
  public:
    ETooManyBytes();
    static const char* const kMessage;
};

// A block or trailer whose values cannot be right: lengths beyond the work
// areas, indices beyond the block, a truncated file, impossible counts.
class EArchiveCorrupt : public EArchiveError {
  public:
    using EArchiveError::EArchiveError;
};

// The archive file could not be positioned.
class ESeekError : public EArchiveError {
  public:
    ESeekError();
    static const char* const kMessage;
};

}  // namespace vx
