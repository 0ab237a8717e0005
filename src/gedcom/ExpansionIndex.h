// The record indexes of an archive's text, made while the archive expands:
// each block is indexed by the thread that writes it, while later
// blocks are still expanding, so that once the text is whole only sorting
// the identifiers is left of indexing. A failure here (no memory for the
// indexes) only drops them: the loader then indexes the text itself and
// reports what it finds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "gedcom/RecordIndexer.h"

namespace vx {

class ExpansionIndex {
  public:
    // `expectedBytes`: about how much text the archive holds, for the
    // indexes' first capacity. Nothing is made before the first block
    // arrives, so a payload refused before expanding costs nothing.
    explicit ExpansionIndex(int64_t expectedBytes) : expectedBytes_(expectedBytes) {}
    ExpansionIndex(const ExpansionIndex&) = delete;
    ExpansionIndex& operator=(const ExpansionIndex&) = delete;

    // Takes the text block by block, in order, never on two threads at
    // once (the expansion's block sink); valid while this object lives.
    using BlockSink = std::function<void(const uint8_t* bytes, size_t size)>;
    BlockSink Sink();

    // Once expansion has ended: the indexes and how many bytes of text they
    // cover, for WGEDCollection::OfferIndexes. None when indexing failed or
    // the text outgrew the indexes. Only the first call has them.
    struct Result {
        RecordIndexSet indexes;
        int64_t textBytes = 0;
    };
    std::optional<Result> Take();

  private:
    int64_t expectedBytes_;
    std::optional<RecordIndexer> indexer_;
    bool failed_ = false;
};

}  // namespace vx
