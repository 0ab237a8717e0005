#include "archive/ArchiveErrors.h"

namespace vx {

const char* const ESignatureWrong::kMessage = "Wrong Signature. Archive could be corrupted.";
const char* const ETooManyBytes::kMessage = "Too many bytes read in bit mode.";
const char* const ESeekError::kMessage = "SmartSeek General error";

EArchiveError::EArchiveError(const std::string& text, int block)
    : VxError(text), text_(text), block_(block) {
    Compose();
}

void EArchiveError::SetBlock(int block, int blockCount) {
    block_ = block;
    blockCount_ = blockCount;
    Compose();
}

void EArchiveError::Compose() {
    if (block_ <= 0) {
        full_ = text_;
    } else if (blockCount_ > 0) {
        full_ =
            "Block " + std::to_string(block_) + " of " + std::to_string(blockCount_) + ": " + text_;
    } else {
        full_ = "Block " + std::to_string(block_) + ": " + text_;
    }
}

ESignatureWrong::ESignatureWrong(const std::string& detail, int block)
    : EArchiveError(detail.empty() ? std::string(kMessage) : std::string(kMessage) + " " + detail,
                    block) {}

ETooManyBytes::ETooManyBytes() : EArchiveError(kMessage) {}

ESeekError::ESeekError() : EArchiveError(kMessage) {}

}  // namespace vx
