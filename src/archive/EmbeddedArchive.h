// The GEDCOM file a self-viewing program carries: finding the archive
// behind the program image, and expanding it the way the viewer does at
// start (copy the archive to a temporary file, expand that into a second
// one, delete the first).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/RESCompress.h"
#include "archive/SenderRecord.h"
#include "platform/TempFiles.h"

namespace vx {

// The trailer of a program file and where its archive lies.
struct TPayloadLayout {
    SenderRecord Sender;
    bool MarkerFound = false;
    int64_t FileSize = 0;
    // From the trailer's ArchiveOffset up to the trailer.
    int64_t ArchiveOffset = 0;
    int64_t ArchiveSize = 0;

    bool ArchiveInsideFile() const {
        return ArchiveOffset >= 0 && ArchiveOffset <= FileSize - int64_t{SenderRecord::kSize};
    }
    // Raises EArchiveCorrupt when the archive would start outside the file.
    void CheckArchiveInsideFile() const;
};

// Reads the trailer (the last 1497 bytes) of a program file. Raises
// EFileError when the file cannot be opened and EArchiveCorrupt when it has
// the marker but is too short to hold a trailer. A missing marker is
// reported in MarkerFound, not raised.
TPayloadLayout ReadPayloadLayout(const std::string& programPath);

struct TExpandedPayload {
    TPayloadLayout Layout;
    std::vector<int> BadBlocks;  // blocks whose CRC did not match
};

// Expands the archive of a program file into `outputPath`, through a
// temporary copy of the archive. Raises the archive's errors; an archive
// offset outside the file is EArchiveCorrupt. `sink` is given the expanded
// text block by block as it is written.
TExpandedPayload ExpandEmbeddedArchive(const std::string& programPath,
                                       const std::string& outputPath,
                                       WRESCompress::CrcMismatchHandler onCrcMismatch = {},
                                       bool forViewer = false,
                                       TBlockScheduler::BlockSink sink = {});

// The largest GEDCOM text the loader can open: its offsets are 32-bit.
inline constexpr int64_t kMaxGedcomBytes = 2147483647;

// A payload the viewer will not expand: it could not be opened afterwards,
// or it cannot fit in the temporary folder.
class EPayloadRefused : public VxError {
  public:
    using VxError::VxError;
};

// The fewest bytes the archive of `layout` expands to. The packer fills
// every block but the last, so a block count declares at least this much.
int64_t DeclaredGedcomBytes(const TPayloadLayout& layout);

// Raises EPayloadRefused when the declared GEDCOM is larger than the loader
// can open, or when the archive copy and the GEDCOM need more than
// `freeBytes` (-1: unknown, not checked) in `folder`.
void CheckPayloadFits(const TPayloadLayout& layout, int64_t freeBytes, const std::string& folder);

// What the viewer loads at start: the expanded GEDCOM in a locked temporary
// file that is deleted when the result is destroyed. The payload is checked
// with CheckPayloadFits before anything is copied or expanded, and the
// expansion stops at kMaxGedcomBytes.
struct TEmbeddedGedcom {
    TExpandedPayload Payload;
    platform::TempFile File;
};
TEmbeddedGedcom LoadEmbeddedGedcom(const std::string& programPath,
                                   WRESCompress::CrcMismatchHandler onCrcMismatch = {},
                                   TBlockScheduler::BlockSink sink = {});

}  // namespace vx
