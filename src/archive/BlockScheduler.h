// Expansion of an archive's blocks on several threads. Blocks are
// independent once a pass over the headers has found where each one lies:
// every thread decodes whole blocks in its own work areas, and the decoded
// bytes go to the output strictly in block order, so the output is the same
// whatever the number of threads. With one thread everything runs on the
// caller's thread, as a plain loop.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "archive/Expander.h"
#include "platform/FileHandle.h"

namespace vx {

class TBlockScheduler {
  public:
    // Called on the caller's thread for each block written, in block order
    // (blocks count from 1), with whether its CRC matched.
    using BlockWritten = std::function<void(int block, bool crcMatches)>;
    // Called on the caller's thread now and then while threads work. It
    // may throw to stop the expansion (Cancel); no thread outlives Run.
    using Pump = std::function<void()>;
    // Given each block's decoded bytes just before they are written, in
    // block order, on whichever thread writes them; never two at once, and
    // the next block is written only when it returns. For work that follows
    // the expanded text (indexing it) while later blocks still expand.
    // It should not throw: an exception fails the block like a damaged one.
    using BlockSink = std::function<void(const uint8_t* bytes, size_t size)>;

    // `outputLimit`: the most bytes the output may reach; a block that would
    // pass it fails with EArchiveCorrupt.
    TBlockScheduler(std::string archivePath, const std::vector<TBlockFrame>& frames,
                    const platform::FileHandle& output, std::string outputPath,
                    int64_t outputLimit);

    // Expands every frame with `threads` threads. Returns normally when all
    // were written; otherwise the blocks before the first failing one are
    // written, nothing after it, and FailedBlock() and Failure() tell.
    void Run(int threads, const BlockWritten& written, const Pump& pump);

    void SetBlockSink(BlockSink sink) { sink_ = std::move(sink); }

    int FailedBlock() const { return failedBlock_; }
    std::exception_ptr Failure() const { return failure_; }
    int64_t BytesWritten() const { return bytesWritten_; }

  private:
    void Work(bool onCallerThread, const BlockWritten& written, const Pump& pump);
    // Records a failure of block k (the lowest one wins) and stops every
    // block after it. Call with the mutex held.
    void Fail(int block, std::exception_ptr error);
    // Tells `written` about the blocks written since the last report.
    void Report(const BlockWritten& written);

    const std::string archivePath_;
    const std::vector<TBlockFrame>& frames_;
    const platform::FileHandle& output_;
    const std::string outputPath_;
    const int64_t outputLimit_;
    BlockSink sink_;

    std::mutex mutex_;
    std::condition_variable changed_;
    int nextBlock_ = 1;      // next block a thread takes
    int lastBlock_ = 0;      // last block still to be written
    int writtenBlocks_ = 0;  // blocks 1 to this are in the output
    int reportedBlocks_ = 0;
    int runningThreads_ = 0;
    std::vector<char> crcMatches_;  // by block; char, so threads never share a byte
    int64_t bytesWritten_ = 0;
    int failedBlock_ = 0;
    std::exception_ptr failure_;
};

}  // namespace vx
