// The two orders the family links are put in after loading: every person's
// spouse families by marriage date, and a family's children by birth date.
#pragma once

#include <cstdint>

namespace vx {

class WGEDCollection;

// Spouse families are read for at most this many families per person, and
// children for at most this many per family; the rest keep their places.
inline constexpr int kMaxSortedSpouseFamilies = 512;
inline constexpr int kMaxSortedChildren = 500;

// Undated marriages first, then by marriage date, ties by the other
// spouse's name. Once per person; called right after loading.
void OrderSpouseFamilies(const WGEDCollection& collection);

// Dated children first by birth date, undated ones after them. Only when the
// SortChildren setting is on, and once per family while the file is open.
void SortChildren(const WGEDCollection& collection, int32_t family);

}  // namespace vx
