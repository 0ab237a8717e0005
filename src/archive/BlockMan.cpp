#include "archive/BlockMan.h"

namespace vx {

static_assert(TBlockMan::kMaxEntries < (1 << (32 - TBlockMan::kRowShift)),
              "a row number must fit in an entry");

TBlockMan::TBlockMan() : bytes_(new uint8_t[kMaxEntries]), entries_(new uint32_t[kMaxEntries]()) {}

}  // namespace vx
