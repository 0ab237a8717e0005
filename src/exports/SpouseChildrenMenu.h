// The spouse-and-children menu of a person ("S" beside the scroller and in
// the quick find), as the item string of a selection button: plain text, so
// the scroller and the dialogs share it and it is tested without a screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx {

class WABSCollection;

// The most entries the menu offers; a person with more spouses and children
// sees the first ones.
constexpr int kMaxSpouseChildrenItems = 500;

// For each spouse family the other spouse, then the family's children with
// their birth years ("< " before those who have children themselves), each
// item followed by ";" except the last, which ends in a blank. `people` gets
// the individual of each item, 0 for a family without another spouse. At
// most kMaxSpouseChildrenItems items; a ";" inside a name becomes ",".
std::string SpouseAndChildrenItems(const WABSCollection& collection, int32_t individual,
                                   std::vector<int32_t>& people);

}  // namespace vx
