// The adaptive frequency models of the block coder. A symbol of the 258-value
// alphabet is coded as a group number (head model) and, for groups 2 to 8,
// its position inside the group (that group's model). Encoder and decoder
// must update the models identically, so every constant here is part of the
// archive format.
#pragma once

#include <array>
#include <cstdint>

namespace vx {

// Symbols of the block coder's alphabet.
inline constexpr int kRunA = 0;  // adds the current weight to a zero run
inline constexpr int kRunB = 1;  // adds twice the current weight
inline constexpr int kEndOfBlock = 257;
inline constexpr int kAlphabetSize = 258;

inline constexpr int kGroupCount = 9;

struct TSymbolGroup {
    int First;
    int Last;
    int RescaleLimit;  // 0 for the single-symbol groups, which have no model
};

inline constexpr std::array<TSymbolGroup, kGroupCount> kSymbolGroups = {{
    {0, 0, 0},
    {1, 1, 0},
    {2, 3, 256},
    {4, 7, 256},
    {8, 15, 128},
    {16, 31, 1024},
    {32, 63, 2048},
    {64, 127, 4096},
    {128, 257, 8192},
}};

inline constexpr int kHeadIncrement = 32;
inline constexpr int kHeadRescaleLimit = 4096;
inline constexpr int kGroupIncrement = 1;

// One adaptive model over n symbols. Slots 1 to n hold the symbols ordered
// by the update rule; slot n + 1 is an extra slot that is never coded but
// whose count is part of the total.
class TGroupAriModel {
  public:
    static constexpr int kMaxSymbols = 130;
    static constexpr int kMaxSlots = kMaxSymbols + 1;

    void Init(int first, int last, int increment, int rescaleLimit);
    // Back to the state at creation (every block starts from it).
    void Reset();
    // Counts slot `slot` once: halves the counts when the total has reached
    // the limit, moves the symbol ahead of slots with an equal count, then
    // adds the increment.
    void Update(int slot);

    int First = 0;
    int Last = 0;
    int SymbolCount = 0;
    int SlotCount = 0;
    int Increment = 1;
    int RescaleLimit = 0;
    std::array<int, kMaxSlots + 1> Freq{};
    std::array<int, kMaxSlots + 1> CumFreq{};  // CumFreq[0] is the total
    std::array<int, kMaxSlots + 1> IndexToSymbol{};
    std::array<int, kMaxSymbols> SymbolToIndex{};
};

// The head model with the seven group models, and the symbol-to-group table
// the encoder uses.
class THeadAriModel {
  public:
    THeadAriModel();
    void Reset();

    static int GroupOf(int symbol) { return kGroupOfSymbol[symbol]; }

    TGroupAriModel Head;
    std::array<TGroupAriModel, kGroupCount> Groups;  // 2 to 8 used

  private:
    static const std::array<uint8_t, kAlphabetSize> kGroupOfSymbol;
};

}  // namespace vx
