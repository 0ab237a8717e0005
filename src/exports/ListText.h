// The List and Highlighted tabs as plain text, for "Copy to Clipboard" and
// the command-line dump: a header of column captions, then one line per
// individual in the order the list shows.
#pragma once

#include <string>

#include "exports/TextFields.h"

namespace vx {

class WCollectionIterator;
class WListColumns;

// In fixed columns each field is (column width in pixels) / 5 wide.
std::string ListText(const WListColumns& columns, WCollectionIterator& list, ListFormat format);

}  // namespace vx
