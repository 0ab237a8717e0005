#include "archive/RESCompress.h"

#include "app/Errors.h"
#include "app/Services.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveFile.h"
#include "archive/Expander.h"

namespace vx {

const char* const WRESCompress::kCrcMessage = "CRC does not match!";

WRESCompress::WRESCompress() : expander_(std::make_unique<TExpander>()) {}

WRESCompress::~WRESCompress() = default;

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

    for (int block = 1; block <= blockCount; ++block) {
        try {
            if (!expander_->ExpandBlock(archive, output, outputPath)) {
                badBlocks_.push_back(block);
                if (onCrcMismatch_) onCrcMismatch_(block);
            }
        } catch (EArchiveError& error) {
            error.SetBlock(block, blockCount);
            throw;
        }
        PumpMessages();
    }
    if (!output.Close())
        throw EInOutError("Error with I/O closing " + outputPath + ": " +
                          platform::LastErrorText());
    return true;
}

}  // namespace vx
