// Expansion of a whole archive file into the plain file it holds.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/BlockScheduler.h"

namespace vx {

class WRESCompress {
  public:
    // Told about each block whose CRC does not match; the block is written
    // all the same and expansion goes on. The viewer shows kCrcMessage.
    using CrcMismatchHandler = std::function<void(int block)>;
    static const char* const kCrcMessage;

    WRESCompress();
    WRESCompress(const WRESCompress&) = delete;
    WRESCompress& operator=(const WRESCompress&) = delete;

    void SetCrcMismatchHandler(CrcMismatchHandler handler) { onCrcMismatch_ = std::move(handler); }
    // Threads that decode blocks (default: one per usable processor).
    void SetThreads(int threads) { threads_ = threads; }
    // The most bytes the output may grow to; a block beyond it is an error.
    void SetOutputLimit(int64_t bytes) { outputLimit_ = bytes; }

    // Given every block's bytes as they are written (see TBlockScheduler).
    void SetBlockSink(TBlockScheduler::BlockSink sink) { sink_ = std::move(sink); }

    // Expands the first `blockCount` blocks of the archive at `archivePath`
    // into a new file at `outputPath` (replacing one that exists), on several
    // threads, letting queued user-interface messages run meanwhile. Returns
    // true. Errors name the block they concern; the blocks before the failing
    // one stay in the output file, and none after it. Cancel in the wait
    // dialog stops it with EWorkCancelled.
    bool Expand(const std::string& archivePath, const std::string& outputPath, int32_t blockCount);

    // Blocks (from 1) of the last Expand whose CRC did not match.
    const std::vector<int>& BadBlocks() const { return badBlocks_; }

  private:
    CrcMismatchHandler onCrcMismatch_;
    TBlockScheduler::BlockSink sink_;
    int threads_;
    int64_t outputLimit_;
    std::vector<int> badBlocks_;
};

}  // namespace vx
