#include "gedcom/ExpansionIndex.h"

namespace vx {

ExpansionIndex::BlockSink ExpansionIndex::Sink() {
    return [this](const uint8_t* bytes, size_t size) {
        if (failed_) return;
        try {
            if (!indexer_) indexer_.emplace(RecordIndexSet::ForTextSize(expectedBytes_));
            indexer_->Feed(reinterpret_cast<const char*>(bytes), size);
        } catch (...) {
            failed_ = true;
        }
    };
}

std::optional<ExpansionIndex::Result> ExpansionIndex::Take() {
    if (failed_ || !indexer_ || !indexer_->Complete()) return std::nullopt;
    Result result;
    result.textBytes = indexer_->BytesFed();
    try {
        result.indexes = indexer_->Finish();
    } catch (...) {
        failed_ = true;
    }
    indexer_.reset();
    if (failed_) return std::nullopt;
    return result;
}

}  // namespace vx
