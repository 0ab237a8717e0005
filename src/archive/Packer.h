// Making a self-viewing program file: the viewer's image, then the archive
// of the GEDCOM file, then the trailer with the creator's facts.
#pragma once

#include <cstdint>
#include <string>

#include "app/Errors.h"
#include "archive/BlockMan.h"
#include "archive/SenderRecord.h"

namespace vx {

// A pack request that cannot be carried out (missing or empty GEDCOM, a
// viewer that already carries one, a UTF-16 GEDCOM without conversion ...).
class EPackRefused : public VxError {
  public:
    using VxError::VxError;
};

struct TPackRequest {
    std::string GedcomPath;
    std::string ViewerPath;
    std::string OutputPath;
    // The creator's facts, texts already in Windows-1252. ArchiveOffset,
    // BlockCount and Magic are filled in while packing.
    SenderRecord Sender;
    // Re-encode a UTF-16 GEDCOM as UTF-8 instead of refusing it.
    bool ConvertUtf16 = false;
    int BlockSize = TBlockMan::kMaxBlockBytes;
};

struct TPackResult {
    int64_t GedcomBytes = 0;  // as packed (after any conversion)
    int64_t ArchiveBytes = 0;
    int64_t OutputBytes = 0;
    int BlockCount = 0;
};

// Writes the program file (through a new file beside it that replaces the
// output only when complete) and marks it executable. Refuses a viewer
// without the viewer's mark, a GEDCOM larger than the viewer opens, and an
// output that is one of the inputs or exists as anything but a regular file
// (a character device such as /dev/null is written into). Raises
// EPackRefused, ESenderFieldTooLong, EFileError or EInOutError.
TPackResult PackProgram(const TPackRequest& request);

}  // namespace vx
