// Arithmetic decoding with 16-bit code values over the adaptive models.
// Works for any bit stream: whatever the bits, the code value stays inside
// [Low, High], so every step yields a symbol and nothing can overrun.
#pragma once

#include <bit>
#include <cassert>
#include <cstdint>

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
        Renormalize();
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
    // Widens [Low, High] again, shifting in a coded bit for each doubling.
    // Step by step this is: while both bounds lie in one half, drop that
    // half; then, while they straddle the middle inside the middle half,
    // drop the outer quarters. Each loop's number of steps can be read off
    // the bounds' bits, so the coded bits are taken in two reads.
    void Renormalize() {
        // Leading bits on which Low and High agree: each halving keeps them.
        const int halvings = std::countl_zero(static_cast<uint16_t>(Low ^ High));
        if (halvings > 0) {
            Low = (Low << halvings) & kCodeTop;
            High = ((High << halvings) & kCodeTop) | ((1 << halvings) - 1);
            Value = ((Value << halvings) & kCodeTop) | static_cast<int>(bits_.ReadBits(halvings));
        }
        // Now Low < kCodeHalf <= High. Each middle step needs Low's next bit
        // to be 1 and High's 0 (Low in the second quarter, High in the
        // third); it keeps the top bit and drops the one below it.
        const auto middle = static_cast<uint16_t>((Low & ~High) << 1);
        const int steps = std::countl_one(middle);
        if (steps > 0) {
            constexpr int kBelowHalf = kCodeHalf - 1;
            Low = (Low & kCodeHalf) | ((Low << steps) & kBelowHalf);
            High = (High & kCodeHalf) | ((High << steps) & kBelowHalf) | ((1 << steps) - 1);
            Value = (Value & kCodeHalf) | ((Value << steps) & kBelowHalf) |
                    static_cast<int>(bits_.ReadBits(steps));
        }
    }

    BitSource& bits_;
};

}  // namespace vx
