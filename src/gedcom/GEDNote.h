// Notes as a GEDCOM file writes them.
#pragma once

#include "records/Note.h"

namespace vx {

class WGEDCollection;

// A NOTE record of the file; its text is read at creation.
class WGEDNote : public WABSNote {
  public:
    WGEDNote(const WGEDCollection& collection, const char* recordLine);
};

}  // namespace vx
