#include "archive/BlockMan.h"

namespace vx {

static_assert(TBlockMan::kMaxEntries < (1 << 24), "a row number must fit in 24 bits");

TBlockMan::TBlockMan()
    : bytes_(new uint8_t[kMaxEntries]),
      rows_(new uint32_t[kMaxEntries]),
      backRows_(new uint32_t[kMaxEntries]) {}

}  // namespace vx
