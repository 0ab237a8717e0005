// The Islands tab as plain text, in fixed columns or as comma-separated
// values, for "Copy to Clipboard" and the command-line dump.
#pragma once

#include <string>

namespace vx {

class WABSCollection;

enum class ListFormat { FixedColumns, Csv };

// Computes the islands first when needed.
std::string IslandsText(const WABSCollection& collection, ListFormat format);

}  // namespace vx
