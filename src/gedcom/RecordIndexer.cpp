#include "gedcom/RecordIndexer.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>

#include "gedcom/GEDTextMMF.h"
#include "gedcom/LineScan.h"

namespace vx {
namespace {

// Capacity hints from the text size: about one individual per 150 bytes and
// one family per 400, so the stores rarely grow while indexing.
constexpr int64_t kBytesPerIndividual = 150;
constexpr int64_t kBytesPerFamily = 400;
constexpr int32_t kLeastCapacity = 1024;

// The trailer ends the records; whatever follows it is not indexed.
constexpr char kTrailerStart[] = "0 TR";
constexpr ptrdiff_t kTrailerStartSize = 4;

// The identifier of a level-0 line stands after its level and a space.
constexpr int kXRefPosition = 2;

// A level-0 line is read no further than a value is: its identifier and tag
// stand within this many bytes, and a line cut by a piece keeps no more.
constexpr size_t kMostLineBytes = kMaxValueLength;

// The part of a line that is read: up to its break, at most kMostLineBytes.
const char* ReadEnd(const char* line, const char* end) {
    return end - line > static_cast<ptrdiff_t>(kMostLineBytes) ? line + kMostLineBytes : end;
}

// Appends to `kept` what of [from, to) still fits within kMostLineBytes.
void Keep(std::string& kept, const char* from, const char* to) {
    const size_t room = kMostLineBytes - std::min(kept.size(), kMostLineBytes);
    kept.append(from, std::min(static_cast<size_t>(to - from), room));
}

int32_t CapacityFor(int64_t textBytes, int64_t bytesPerRecord) {
    const int64_t records = textBytes / bytesPerRecord;
    return static_cast<int32_t>(
        std::clamp<int64_t>(records, kLeastCapacity, std::numeric_limits<int32_t>::max()));
}

// Index slot of a record by its kind (RecordKindCode), the tag after its
// identifier.
constexpr int kSlotOfKind[] = {
    kSlotIndividual,  // kRecIndividual
    kSlotFamily,      // kRecFamily
    kSlotObject,      // kRecObject
    kSlotNote,        // kRecNote
    kSlotRepository,  // kRecRepository
    kSlotSource,      // kRecSource
    kSlotSubmission,  // kRecSubmission
    kSlotOther,       // kRecOther
    kSlotOther,       // kRecNoXRef
};
static_assert(std::size(kSlotOfKind) == kRecNoXRef + 1);

}  // namespace

RecordIndexSet RecordIndexSet::ForTextSize(int64_t textBytes) {
    RecordIndexSet set;
    const int32_t individuals = CapacityFor(textBytes, kBytesPerIndividual);
    const int32_t families = CapacityFor(textBytes, kBytesPerFamily);
    set.individuals = std::make_unique<WGEDIndIndex>(individuals);
    set.xrefs[kSlotIndividual] = std::make_unique<WXREFIndex>(individuals);
    set.offsets[kSlotFamily] = std::make_unique<WOffsetIndex>(families);
    set.xrefs[kSlotFamily] = std::make_unique<WXREFIndex>(families);
    for (int slot = kSlotNote; slot <= kSlotObject; ++slot) {
        set.offsets[static_cast<size_t>(slot)] = std::make_unique<WOffsetIndex>();
        set.xrefs[static_cast<size_t>(slot)] = std::make_unique<WXREFIndex>();
    }
    return set;
}

RecordIndexer::RecordIndexer(RecordIndexSet indexes) : indexes_(std::move(indexes)) {}

// A record starts at a '0' directly after a line break, anywhere after the
// header's '0'. The search for the next one starts at a line break, so a
// start at the piece's first byte (its break ended the piece before) is
// tested on its own.
void RecordIndexer::Feed(const char* piece, size_t size) {
    const int64_t base = fed_;
    fed_ += static_cast<int64_t>(size);
    if (size == 0 || ended_) return;
    const char* end = piece + size;
    const char* p = piece;
    if (indexes_.headerOffset < 0) {
        const char* zero = static_cast<const char*>(std::memchr(piece, '0', size));
        if (!zero) {
            afterBreak_ = linescan::IsBreak(end[-1]);
            return;
        }
        indexes_.headerOffset = base + (zero - piece);
        p = zero;
    } else if (pending_) {
        const char* lineEnd = linescan::FindBreak(piece, end);
        Keep(pendingLine_, piece, lineEnd);
        if (lineEnd == end) return;
        Keep(pendingLine_, lineEnd, lineEnd + 1);
        pending_ = false;
        IndexLine(pendingLine_.data(), pendingLine_.data() + pendingLine_.size(), pendingOffset_);
        pendingLine_.clear();
        p = lineEnd;
    } else if (afterBreak_ && *piece == '0') {
        p = TakeLine(piece, end, base);
    }
    while (p && !ended_) {
        const char* start = linescan::FindRecordStart(p, end);
        if (start == end) break;
        p = TakeLine(start, end, base + (start - piece));
    }
    afterBreak_ = linescan::IsBreak(end[-1]);
}

const char* RecordIndexer::TakeLine(const char* line, const char* end, int64_t offset) {
    const char* lineEnd = linescan::FindBreak(line, end);
    if (lineEnd == end) {
        pending_ = true;
        pendingOffset_ = offset;
        pendingLine_.clear();
        Keep(pendingLine_, line, end);
        return nullptr;
    }
    IndexLine(line, lineEnd + 1, offset);
    return lineEnd;
}

void RecordIndexer::IndexLine(const char* line, const char* end, int64_t offset) {
    if (ended_ || tooLong_) return;
    end = ReadEnd(line, end);
    if (end - line >= kTrailerStartSize &&
        std::memcmp(line, kTrailerStart, kTrailerStartSize) == 0) {
        ended_ = true;
        return;
    }
    const std::optional<std::string_view> id =
        XRefAt(linescan::WithinLine(line, kXRefPosition, end), end);
    if (!id) return;
    if (offset > std::numeric_limits<int32_t>::max()) {
        tooLong_ = true;
        return;
    }
    const int slot = kSlotOfKind[RecordKindAt(line, end)];
    const auto at = static_cast<int32_t>(offset);
    if (slot == kSlotIndividual)
        indexes_.individuals->AppendOffset(at);
    else
        indexes_.offsets[static_cast<size_t>(slot)]->AppendOffset(at);
    indexes_.xrefs[static_cast<size_t>(slot)]->AddKey(*id);
}

RecordIndexSet RecordIndexer::Finish() {
    if (pending_) {
        pending_ = false;
        IndexLine(pendingLine_.data(), pendingLine_.data() + pendingLine_.size(), pendingOffset_);
        pendingLine_.clear();
    }
    return std::move(indexes_);
}

}  // namespace vx
