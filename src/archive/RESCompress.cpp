#include "archive/RESCompress.h"

#include <limits>

#include "app/Errors.h"
#include "app/Services.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveFile.h"
#include "archive/BlockScheduler.h"
#include "archive/Expander.h"
#include "platform/SystemInfo.h"

namespace vx {

const char* const WRESCompress::kCrcMessage = "CRC does not match!";

WRESCompress::WRESCompress()
    : threads_(platform::UsableProcessors()), outputLimit_(std::numeric_limits<int64_t>::max()) {}

bool WRESCompress::Expand(const std::string& archivePath, const std::string& outputPath,
                          int32_t blockCount) {
    badBlocks_.clear();
    if (blockCount < 0)
        throw EArchiveCorrupt("The block count " + std::to_string(blockCount) +
                              " is negative; the file is corrupt.");
    TArchiveFile archive(archivePath);
    archive.SmartSeek(4);

    platform::FileHandle output = platform::CreateOrReplaceFile(outputPath);
    if (!output.IsOpen()) throw EFileError(EFileError::Kind::Create, outputPath);

    // Where each block lies. A damaged header ends the pass; the blocks
    // before it are still expanded, as they would be one after another.
    std::vector<TBlockFrame> frames;
    std::exception_ptr headerError;
    for (int block = 1; block <= blockCount; ++block) {
        try {
            frames.push_back(TExpander::ReadFrame(archive));
        } catch (const EArchiveError&) {
            headerError = std::current_exception();
            break;
        }
    }

    TBlockScheduler scheduler(archivePath, frames, output, outputPath, outputLimit_);
    scheduler.SetBlockSink(sink_);
    scheduler.Run(
        threads_,
        [this](int block, bool crcMatches) {
            if (crcMatches) return;
            badBlocks_.push_back(block);
            if (onCrcMismatch_) onCrcMismatch_(block);
        },
        [] {
            PumpMessages();
            if (WorkCancelled()) throw EWorkCancelled();
        });

    const int failedBlock =
        scheduler.FailedBlock() ? scheduler.FailedBlock() : static_cast<int>(frames.size()) + 1;
    if (std::exception_ptr failure = scheduler.Failure() ? scheduler.Failure() : headerError) {
        try {
            std::rethrow_exception(failure);
        } catch (EArchiveError& error) {
            error.SetBlock(failedBlock, blockCount);
            throw;
        }
    }
    if (!output.Close())
        throw EInOutError("Error with I/O closing " + outputPath + ": " +
                          platform::LastErrorText());
    return true;
}

}  // namespace vx
