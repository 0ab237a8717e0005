// Arithmetic decoding with 16-bit code values over the adaptive models.
// Works for any bit stream: whatever the bits, the code value stays inside
// [Low, High], so every step yields a symbol and nothing can overrun.
#pragma once

#include <cassert>

#include "archive/AriModel.h"

namespace vx {

inline constexpr int kCodeQuarter = 16384;
inline constexpr int kCodeHalf = 32768;
inline constexpr int kCodeThreeQuarters = 49152;
inline constexpr int kCodeTop = 65535;

// BitSource offers int ReadBit().
template <class BitSource>
class TStrucAriDecoder {
  public:
    explicit TStrucAriDecoder(BitSource& bits) : bits_(bits) {}

    // Fresh state at the start of a block: the first 16 coded bits.
    void Start() {
        Low = 0;
        High = kCodeTop;
        Value = 0;
        for (int i = 0; i < 16; ++i)
            Value = 2 * Value + bits_.ReadBit();
    }

    // One decoding step with model m, including its update; returns the
    // symbol relative to the model's first symbol.
    int DecodeWith(TGroupAriModel& m) {
        const int range = High - Low + 1;
        const int total = m.CumFreq[0];
        // The slot is the first whose CumFreq is at most the target
        // ((Value - Low + 1) * total - 1) div range; for whole numbers that
        // is CumFreq * range <= (Value - Low + 1) * total - 1, which needs no
        // division.
        const int scaled = (Value - Low + 1) * total - 1;
        assert(scaled >= 0 && scaled / range < total);
        int slot = 1;
        while (m.CumFreq[slot] * range > scaled)
            ++slot;
        const int result = m.IndexToSymbol[slot];
        High = Low + (range * m.CumFreq[slot - 1]) / total - 1;
        Low = Low + (range * m.CumFreq[slot]) / total;
        for (;;) {
            if (High < kCodeHalf) {
                // nothing to subtract
            } else if (Low >= kCodeHalf) {
                Value -= kCodeHalf;
                Low -= kCodeHalf;
                High -= kCodeHalf;
            } else if (Low >= kCodeQuarter && High < kCodeThreeQuarters) {
                Value -= kCodeQuarter;
                Low -= kCodeQuarter;
                High -= kCodeQuarter;
            } else {
                break;
            }
            Low = 2 * Low;
            High = 2 * High + 1;
            Value = 2 * Value + bits_.ReadBit();
        }
        m.Update(slot);
        return result;
    }

    // One symbol of the alphabet (0 to 257).
    int NextSymbol(THeadAriModel& model) {
        const int group = DecodeWith(model.Head);
        if (group < 2) return group;
        return kSymbolGroups[group].First + DecodeWith(model.Groups[group]);
    }

    int Low = 0;
    int High = kCodeTop;
    int Value = 0;

  private:
    BitSource& bits_;
};

}  // namespace vx
