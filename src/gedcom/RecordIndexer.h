// Finding the records of a GEDCOM text and indexing them by kind and
// identifier. The text arrives in pieces, in file order: the mapped file in
// slices while a file loads (so the window stays live), or each block as an
// archive expands (so indexing follows the expanded text instead of waiting
// for all of it). However the text is cut, the indexes come out the same.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "gedcom/RecordIndexes.h"

namespace vx {

// Internal record kinds, the slots of the indexes.
enum RecordSlot : int {
    kSlotIndividual = 1,
    kSlotFamily = 2,
    kSlotNote = 3,
    kSlotSource = 4,
    kSlotOther = 5,  // SUBM and every kind not listed
    kSlotSubmission = 6,
    kSlotRepository = 7,
    kSlotObject = 8,
};
inline constexpr int kSlotCount = 8;

// The record indexes of one text: where each record's level-0 line starts,
// per slot, and its identifier. The identifier indexes are filled in file
// order; WXREFIndex::SortIfNeeded makes them searchable.
struct RecordIndexSet {
    // The first level-0 line (the header, whatever its tag): the first '0'
    // of the text, whatever stands before it. -1 when the text has none.
    int64_t headerOffset = -1;
    std::unique_ptr<WGEDIndIndex> individuals;
    std::array<std::unique_ptr<WOffsetIndex>, kSlotCount + 1> offsets;  // slots 2..8
    std::array<std::unique_ptr<WXREFIndex>, kSlotCount + 1> xrefs;      // slots 1..8

    // Empty indexes with room for the records of `textBytes` bytes of text.
    static RecordIndexSet ForTextSize(int64_t textBytes);
};

class RecordIndexer {
  public:
    explicit RecordIndexer(RecordIndexSet indexes);

    // Indexes the next piece of the text, which follows the previous one
    // directly. Records whose level-0 line is not yet complete wait for the
    // next piece. Errors: those of the indexes' stores (EFileError,
    // EInOutError, std::bad_alloc).
    void Feed(const char* piece, size_t size);

    // Ends the text: a level-0 line still open is indexed as it stands, as
    // the last line of a text without a final line break. Returns the
    // indexes; the indexer is spent.
    RecordIndexSet Finish();

    // Bytes of text fed so far.
    int64_t BytesFed() const { return fed_; }
    // False when the text grew beyond the 32-bit offsets of the indexes.
    bool Complete() const { return !tooLong_; }

  private:
    // The level-0 line at `line` (text offset `offset`) when its break lies
    // before `end`: indexes it and returns its break. Otherwise keeps what
    // there is of it for the next piece and returns null.
    const char* TakeLine(const char* line, const char* end, int64_t offset);
    // Indexes one whole level-0 line; `end` is just past its break, or the
    // end of the text for a last line without one. Only its first
    // kMaxValueLength bytes are read, however it was cut.
    void IndexLine(const char* line, const char* end, int64_t offset);

    RecordIndexSet indexes_;
    int64_t fed_ = 0;
    bool afterBreak_ = false;  // the last piece ended with a line break
    bool ended_ = false;       // the trailer was seen: the rest is not read
    bool tooLong_ = false;
    // A level-0 line cut by the end of a piece: its offset and as much of it
    // as is read.
    bool pending_ = false;
    int64_t pendingOffset_ = 0;
    std::string pendingLine_;
};

}  // namespace vx
