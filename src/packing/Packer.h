// Making a self-viewing program file: the viewer's image, then the archive
// of the GEDCOM file, then the trailer with the creator's facts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/Errors.h"
#include "archive/BlockMan.h"
#include "archive/SenderRecord.h"
#include "privacy/LivingPrivacy.h"

namespace vx {

// A pack request that cannot be carried out (missing or empty GEDCOM, a
// viewer that already carries one, a UTF-16 GEDCOM without conversion ...).
class EPackRefused : public VxError {
  public:
    using VxError::VxError;
};

// Packing stopped because the progress callback asked it to.
class EPackCancelled : public VxError {
  public:
    EPackCancelled() : VxError("Cancelled") {}
};

struct TPackRequest {
    std::string GedcomPath;
    std::string ViewerPath;
    std::string OutputPath;
    // Bytes at the start of the viewer file that are the viewer's image;
    // 0: the whole file, which must then carry no GEDCOM. A packed program
    // file gives its archive offset, so a viewer can pack with its own image.
    int64_t ViewerLength = 0;
    // The viewer file must carry the viewer's mark; the browser edition
    // packs behind a short lead of its own instead.
    bool RequireViewerMark = true;
    // The creator's facts, texts already in Windows-1252. ArchiveOffset,
    // BlockCount and Magic are filled in while packing.
    SenderRecord Sender;
    // Re-encode a UTF-16 GEDCOM as UTF-8 (the viewer also reads it as it is).
    bool ConvertUtf16 = false;
    int BlockSize = TBlockMan::kMaxBlockBytes;
    // Privacy for the living. Any mode but Keep packs a rewritten copy; a
    // UTF-16 GEDCOM is then converted to UTF-8 first.
    privacy::LivingMode Living = privacy::LivingMode::Keep;
    int CurrentYear = 0;  // of the living test; 0: this year
    // Called as bytes are written (done, total); returning false cancels
    // with EPackCancelled and leaves no output behind.
    std::function<bool(int64_t done, int64_t total)> Progress;
};

struct TPackResult {
    int64_t GedcomBytes = 0;  // as packed (after any conversion)
    int64_t ArchiveBytes = 0;
    int64_t OutputBytes = 0;
    int BlockCount = 0;
    int PrivateCount = 0;     // individuals made private
    int IndividualCount = 0;  // counted only when the living are made private
};

// Writes the program file (through a new file beside it that replaces the
// output only when complete) and marks it executable. Refuses a viewer
// without the viewer's mark, a GEDCOM larger than the viewer opens, and an
// output that is one of the inputs or exists as anything but a regular file
// (a character device such as /dev/null is written into). Raises
// EPackRefused, ESenderFieldTooLong, EFileError, EInOutError or
// EPackCancelled.
TPackResult PackProgram(const TPackRequest& request);

}  // namespace vx
