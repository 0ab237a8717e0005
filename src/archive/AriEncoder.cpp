#include "archive/AriEncoder.h"

#include <cassert>

#include "archive/ArchiveFile.h"

namespace vx {

void TStrucAriEncoder::Start(std::string& out) {
    out_ = &out;
    out.clear();
    Low = 0;
    High = kCodeTop;
    pending_ = 0;
    shifts_ = 0;
    byte_ = 0;
    bitCount_ = 0;
}

void TStrucAriEncoder::EncodeWith(TGroupAriModel& m, int relativeSymbol) {
    const int slot = m.SymbolToIndex[relativeSymbol];
    const int range = High - Low + 1;
    const int total = m.CumFreq[0];
    High = Low + (range * m.CumFreq[slot - 1]) / total - 1;
    Low = Low + (range * m.CumFreq[slot]) / total;
    for (;;) {
        if (High < kCodeHalf) {
            BitPlusFollow(0);
        } else if (Low >= kCodeHalf) {
            BitPlusFollow(1);
            Low -= kCodeHalf;
            High -= kCodeHalf;
        } else if (Low >= kCodeQuarter && High < kCodeThreeQuarters) {
            ++pending_;
            Low -= kCodeQuarter;
            High -= kCodeQuarter;
        } else {
            break;
        }
        Low = 2 * Low;
        High = 2 * High + 1;
        ++shifts_;
    }
    m.Update(slot);
}

void TStrucAriEncoder::EncodeSymbol(THeadAriModel& model, int symbol) {
    const int group = THeadAriModel::GroupOf(symbol);
    EncodeWith(model.Head, group);
    if (group >= 2) EncodeWith(model.Groups[group], symbol - kSymbolGroups[group].First);
}

void TStrucAriEncoder::Finish() {
    // Two more bits select a quarter inside [Low, High]; whatever the decoder
    // reads after them (zeros) keeps its value there.
    ++pending_;
    BitPlusFollow(Low < kCodeQuarter ? 0 : 1);
    if (bitCount_ > 0) {
        out_->push_back(static_cast<char>(byte_ << (8 - bitCount_)));
        byte_ = 0;
        bitCount_ = 0;
    }
    const int64_t wanted = DecoderBytes();
    assert(static_cast<int64_t>(out_->size()) <= wanted);
    while (!out_->empty() && out_->back() == '\0' &&
           wanted - static_cast<int64_t>(out_->size() - 1) <= TBitFile::kZeroAllowance)
        out_->pop_back();
}

}  // namespace vx
