// Arithmetic encoding over the adaptive models: the exact mirror of
// TStrucAriDecoder, so that the decoder retraces every step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "archive/AriDecoder.h"
#include "archive/AriModel.h"

namespace vx {

class TStrucAriEncoder {
  public:
    // Starts a block whose coded bytes go to `out` (cleared).
    void Start(std::string& out);
    void EncodeWith(TGroupAriModel& m, int relativeSymbol);
    void EncodeSymbol(THeadAriModel& model, int symbol);
    // Ends the block: writes the bits that pin the final interval and pads
    // the last byte with zeros. Trailing zero bytes are dropped when the
    // decoder's allowance of zero bytes covers them, but never so many that
    // the decoder would read fewer bytes than the block holds.
    void Finish();

    // Bytes the decoder reads for this block, including zero bytes after the
    // coded data: the first 16 bits plus one bit per renormalisation.
    int64_t DecoderBytes() const { return (16 + shifts_ + 7) / 8; }

  private:
    void PutBit(unsigned bit) {
        byte_ = (byte_ << 1) | bit;
        if (++bitCount_ == 8) {
            out_->push_back(static_cast<char>(byte_));
            byte_ = 0;
            bitCount_ = 0;
        }
    }
    void BitPlusFollow(unsigned bit) {
        PutBit(bit);
        for (; pending_ > 0; --pending_)
            PutBit(bit ^ 1u);
    }

    std::string* out_ = nullptr;
    int Low = 0;
    int High = kCodeTop;
    int64_t pending_ = 0;
    int64_t shifts_ = 0;
    unsigned byte_ = 0;
    int bitCount_ = 0;
};

}  // namespace vx
