#include "archive/BlockMan.h"

namespace vx {

static_assert(TBlockMan::kMaxEntries <= TBlockMan::kLinkMask, "a row number must fit in a link");

TBlockMan::TBlockMan()
    : bytes_(new uint8_t[kMaxEntries]), links_(new uint8_t[kMaxEntries * kLinkBytes + 1]()) {}

}  // namespace vx
