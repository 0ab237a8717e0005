// Indexes arbitrary bytes as a GEDCOM text twice: whole, and cut into pieces
// at places the input chooses, as archive blocks cut a text that is indexed
// while it expands. The two must agree exactly; a difference aborts, as
// does any crash or sanitizer report.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "gedcom/RecordIndexer.h"

namespace {

// The input's first byte says how many cuts follow (up to this many), each
// two bytes; the rest is the text.
constexpr size_t kMostCuts = 15;
constexpr size_t kCutBytes = 2;

// Every record the indexes hold, as text, slot by slot.
std::string Picture(const vx::RecordIndexSet& set) {
    std::string picture = std::to_string(set.headerOffset);
    for (int slot = 1; slot <= vx::kSlotCount; ++slot) {
        const vx::WXREFIndex& xrefs = *set.xrefs[static_cast<size_t>(slot)];
        picture += "|" + std::to_string(slot) + ":";
        for (int32_t n = 1; n <= xrefs.Count(); ++n) {
            const int32_t offset = slot == vx::kSlotIndividual
                                       ? set.individuals->Offset(n)
                                       : set.offsets[static_cast<size_t>(slot)]->Offset(n);
            picture += std::to_string(offset) + "@" + std::string(xrefs.KeyAt(n)) + ";";
        }
    }
    return picture;
}

std::string IndexInPieces(const char* text, size_t size, const std::vector<size_t>& cuts) {
    vx::RecordIndexer indexer(vx::RecordIndexSet::ForTextSize(static_cast<int64_t>(size)));
    size_t from = 0;
    for (size_t cut : cuts) {
        indexer.Feed(text + from, cut - from);
        from = cut;
    }
    indexer.Feed(text + from, size - from);
    if (indexer.BytesFed() != static_cast<int64_t>(size)) std::abort();
    return Picture(indexer.Finish());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t wanted = std::min<size_t>(data[0], kMostCuts);
    const size_t header = 1 + wanted * kCutBytes;
    if (size < header) return 0;
    const char* text = reinterpret_cast<const char*>(data + header);
    const size_t textSize = size - header;
    std::vector<size_t> cuts;
    for (size_t i = 0; i < wanted; ++i) {
        const size_t raw =
            static_cast<size_t>(data[1 + i * kCutBytes]) << 8 | data[2 + i * kCutBytes];
        cuts.push_back(textSize == 0 ? 0 : raw % (textSize + 1));
    }
    std::sort(cuts.begin(), cuts.end());
    if (IndexInPieces(text, textSize, cuts) != IndexInPieces(text, textSize, {})) std::abort();
    return 0;
}
