#include "archive/AriModel.h"

#include <cassert>
#include <utility>

namespace vx {

void TGroupAriModel::Init(int first, int last, int increment, int rescaleLimit) {
    First = first;
    Last = last;
    SymbolCount = last - first + 1;
    SlotCount = SymbolCount + 1;
    Increment = increment;
    RescaleLimit = rescaleLimit;
    assert(SymbolCount >= 1 && SymbolCount <= kMaxSymbols);
    Reset();
}

void TGroupAriModel::Reset() {
    const int n = SymbolCount;
    Freq[0] = 0;
    for (int i = 0; i <= n + 1; ++i)
        CumFreq[i] = (n + 1) - i;
    for (int i = 1; i <= n + 1; ++i) {
        Freq[i] = 1;
        IndexToSymbol[i] = i - 1;
    }
    IndexToSymbol[n + 1] = 0;
    for (int s = 0; s < n; ++s)
        SymbolToIndex[s] = s + 1;
}

void TGroupAriModel::Update(int slot) {
    if (CumFreq[0] >= RescaleLimit) {
        int running = 0;
        for (int j = SlotCount; j >= 0; --j) {
            Freq[j] = (Freq[j] + 1) / 2;
            CumFreq[j] = running;
            running += Freq[j];
        }
    }
    // Freq[0] is always 0 and every slot's count at least 1: the walk stops.
    int j = slot;
    while (Freq[j] == Freq[j - 1])
        --j;
    if (j < slot) {
        std::swap(IndexToSymbol[j], IndexToSymbol[slot]);
        SymbolToIndex[IndexToSymbol[j]] = j;
        SymbolToIndex[IndexToSymbol[slot]] = slot;
    }
    Freq[j] += Increment;
    for (int k = j - 1; k >= 0; --k)
        CumFreq[k] += Increment;
}

const std::array<uint8_t, kAlphabetSize> THeadAriModel::kGroupOfSymbol = [] {
    std::array<uint8_t, kAlphabetSize> table{};
    for (int g = 0; g < kGroupCount; ++g)
        for (int s = kSymbolGroups[g].First; s <= kSymbolGroups[g].Last; ++s)
            table[s] = static_cast<uint8_t>(g);
    return table;
}();

THeadAriModel::THeadAriModel() {
    Head.Init(0, kGroupCount - 1, kHeadIncrement, kHeadRescaleLimit);
    for (int g = 2; g < kGroupCount; ++g)
        Groups[g].Init(kSymbolGroups[g].First, kSymbolGroups[g].Last, kGroupIncrement,
                       kSymbolGroups[g].RescaleLimit);
}

void THeadAriModel::Reset() {
    Head.Reset();
    for (int g = 2; g < kGroupCount; ++g)
        Groups[g].Reset();
}

}  // namespace vx
