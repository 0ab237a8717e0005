// Which viewer image a running viewer packs with: its own, so a file shared
// from a self-contained viewer is self-contained too.
#pragma once

#include <cstdint>
#include <string>

namespace vx {

struct TViewerImage {
    std::string Path;
    int64_t Length = 0;  // bytes of Path that are the image; 0: all of it
};

// The image inside `programPath`, the file the user started: up to its
// archive when it carries a GEDCOM; otherwise the self-contained image
// ("vellacor-standalone") beside it when there is one; otherwise the file
// itself. Raises EArchiveCorrupt for a trailer whose archive lies outside
// the file, and EFileError when the file cannot be read.
TViewerImage ViewerImageOf(const std::string& programPath);

}  // namespace vx
