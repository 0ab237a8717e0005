// Expansion of a whole archive file into the plain file it holds.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vx {

class TExpander;

class WRESCompress {
  public:
    // Told about each block whose CRC does not match; the block is written
    // all the same and expansion goes on. The viewer shows kCrcMessage.
    using CrcMismatchHandler = std::function<void(int block)>;
    static const char* const kCrcMessage;

    WRESCompress();
    ~WRESCompress();
    WRESCompress(const WRESCompress&) = delete;
    WRESCompress& operator=(const WRESCompress&) = delete;

    void SetCrcMismatchHandler(CrcMismatchHandler handler) { onCrcMismatch_ = std::move(handler); }

    // Expands the first `blockCount` blocks of the archive at `archivePath`
    // into a new file at `outputPath` (replacing one that exists), letting
    // queued user-interface messages run after each block. Returns true.
    // Errors name the block they concern; blocks expanded before an error
    // stay in the output file.
    bool Expand(const std::string& archivePath, const std::string& outputPath, int32_t blockCount);

    // Blocks (from 1) of the last Expand whose CRC did not match.
    const std::vector<int>& BadBlocks() const { return badBlocks_; }

  private:
    std::unique_ptr<TExpander> expander_;
    CrcMismatchHandler onCrcMismatch_;
    std::vector<int> badBlocks_;
};

}  // namespace vx
