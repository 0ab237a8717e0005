#include "archive/BlockScheduler.h"

#include <chrono>
#include <memory>
#include <thread>

#include "app/Errors.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveFile.h"

namespace vx {
namespace {

// How often the caller's thread lets queued messages through while the
// threads work.
constexpr std::chrono::milliseconds kPumpInterval{50};

std::unique_ptr<TBitFile> OpenBits(const std::string& path) {
    platform::FileHandle file = platform::OpenExistingFile(path, platform::FileAccess::Read);
    if (!file.IsOpen()) throw EFileError(EFileError::Kind::Open, path);
    return std::make_unique<TBitFile>(std::move(file), path);
}

}  // namespace

TBlockScheduler::TBlockScheduler(std::string archivePath, const std::vector<TBlockFrame>& frames,
                                 const platform::FileHandle& output, std::string outputPath,
                                 int64_t outputLimit)
    : archivePath_(std::move(archivePath)),
      frames_(frames),
      output_(output),
      outputPath_(std::move(outputPath)),
      outputLimit_(outputLimit),
      lastBlock_(static_cast<int>(frames.size())),
      crcMatches_(frames.size() + 1, true) {}

void TBlockScheduler::Run(int threads, const BlockWritten& written, const Pump& pump) {
    threads = std::max(1, std::min(threads, lastBlock_));
    if (threads == 1) {
        runningThreads_ = 1;
        Work(true, written, pump);
        return;
    }
    std::vector<std::thread> workers;
    // Whatever happens on this thread, no worker outlives the call.
    auto stopAndJoin = [&] {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            lastBlock_ = std::min(lastBlock_, writtenBlocks_);
        }
        changed_.notify_all();
        for (std::thread& worker : workers)
            if (worker.joinable()) worker.join();
    };
    try {
        runningThreads_ = threads;
        for (int i = 0; i < threads; ++i)
            workers.emplace_back([this] { Work(false, {}, {}); });
        for (;;) {
            bool finished = false;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait_for(lock, kPumpInterval);
                finished = runningThreads_ == 0;
            }
            Report(written);
            if (finished) break;
            if (pump) pump();
        }
    } catch (...) {
        stopAndJoin();
        throw;
    }
    for (std::thread& worker : workers)
        worker.join();
}

void TBlockScheduler::Work(bool onCallerThread, const BlockWritten& written, const Pump& pump) {
    std::unique_ptr<TExpander> expander;
    std::unique_ptr<TBitFile> bits;
    std::unique_lock<std::mutex> lock(mutex_);
    while (nextBlock_ <= lastBlock_) {
        const int block = nextBlock_++;
        lock.unlock();
        int n = 0;
        bool crcMatches = true;
        std::exception_ptr error;
        try {
            if (!expander) expander = std::make_unique<TExpander>();
            if (!bits) bits = OpenBits(archivePath_);
            n = expander->DecodeBlock(*bits, frames_[static_cast<size_t>(block - 1)], crcMatches);
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        if (error) {
            Fail(block, error);
            continue;
        }
        // Blocks go out in order: wait for the one before, unless a failure
        // before this block means it is not to be written at all.
        changed_.wait(lock, [&] { return writtenBlocks_ == block - 1 || block > lastBlock_; });
        if (block > lastBlock_) continue;
        if (bytesWritten_ + n > outputLimit_) {
            Fail(block, std::make_exception_ptr(EArchiveCorrupt(
                            "The GEDCOM would grow beyond " + std::to_string(outputLimit_) +
                            " bytes, more than can be opened.")));
            continue;
        }
        lock.unlock();
        // Only this thread writes now: the next block waits for this one.
        // The sink sees the block first, so a sink that breaks its promise
        // fails the block (nothing of it is written) rather than ending the
        // process from a worker thread.
        std::exception_ptr sinkError;
        if (sink_) {
            try {
                sink_(expander->Bytes(), static_cast<size_t>(n));
            } catch (...) {
                sinkError = std::current_exception();
            }
        }
        const bool ok =
            sinkError == nullptr &&
            (n == 0 || platform::WriteAll(output_, expander->Bytes(), static_cast<size_t>(n)));
        const std::string problem = ok || sinkError ? std::string() : platform::LastErrorText();
        lock.lock();
        if (sinkError) {
            Fail(block, sinkError);
            continue;
        }
        if (!ok) {
            Fail(block, std::make_exception_ptr(
                            EInOutError("Error with I/O writing " + outputPath_ + ": " + problem)));
            continue;
        }
        bytesWritten_ += n;
        crcMatches_[static_cast<size_t>(block)] = crcMatches;
        writtenBlocks_ = block;
        changed_.notify_all();
        if (onCallerThread) {
            lock.unlock();
            Report(written);
            if (pump) pump();
            lock.lock();
        }
    }
    --runningThreads_;
    changed_.notify_all();
}

void TBlockScheduler::Fail(int block, std::exception_ptr error) {
    if (failedBlock_ == 0 || block < failedBlock_) {
        failedBlock_ = block;
        failure_ = std::move(error);
    }
    lastBlock_ = std::min(lastBlock_, block - 1);
    changed_.notify_all();
}

void TBlockScheduler::Report(const BlockWritten& written) {
    int from = 0;
    int to = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        from = reportedBlocks_ + 1;
        to = writtenBlocks_;
        reportedBlocks_ = to;
    }
    if (!written) return;
    for (int block = from; block <= to; ++block)
        written(block, crcMatches_[static_cast<size_t>(block)]);
}

}  // namespace vx
