// The descendant listing behind the Descendants tab and report: every
// descendant of one individual, depth first, one row per marriage, each row
// followed by the descendants through that marriage.
#pragma once

#include <memory>

#include "analysis/ABSIterator.h"
#include "storage/TypedArrays.h"

namespace vx {

class WABSCollection;

#pragma pack(push, 1)
struct DesRow {
    int16_t generation;     // below the start individual (0 = the start)
    uint8_t marriage;       // which spouse family the row shows, 1-based; 0 for none
    uint8_t marriageCount;  // spouse families of the individual; 0 on duplicate rows
    int32_t individual;
    int32_t spouse;     // 0 when none
    uint8_t duplicate;  // 1: the individual is listed already
};
#pragma pack(pop)
static_assert(sizeof(DesRow) == 13);

class WDesIterator : public WABSIterator {
  public:
    static constexpr int kMaxGenerations = 255;

    explicit WDesIterator(int32_t expectedCount = 0)
        : WABSIterator(sizeof(DesRow), expectedCount) {}

    bool SetCollection(const WABSCollection* collection);
    // Lists the descendants of `start` down to `limit` generations (1..255,
    // anything else meaning 255). Without `showDuplicates`, an individual
    // reached again is listed as one flagged row without its descendants.
    // False when the start is not a person or there is no collection.
    bool BuildDescendants(int32_t start, int limit, bool showDuplicates);
    // Individuals expanded below the start during the last build.
    int32_t ProcessedCount() const { return processed_; }
    int32_t Start() const { return start_; }

    // The row at a position, read out of the store.
    DesRow Row(int32_t position) const;

  private:
    void AddRow(int generation, int marriage, int marriageCount, int32_t individual, int32_t spouse,
                bool duplicate);

    const WABSCollection* collection_ = nullptr;
    int32_t start_ = 0;
    int32_t processed_ = 0;
    std::unique_ptr<WBoolArray> listed_;
};

}  // namespace vx
