// The Descendants tab as plain text, for "Copy to Clipboard" and the
// command-line dump: one line per row of the descendant list.
#pragma once

#include <string>

namespace vx {

class WABSCollection;
class WDesIterator;

std::string DescendantsText(const WABSCollection& collection, const WDesIterator& list);

}  // namespace vx
