// The Islands tab as plain text, in fixed columns or as comma-separated
// values, for "Copy to Clipboard" and the command-line dump.
#pragma once

#include <string>

#include "exports/TextFields.h"

namespace vx {

class FamilyAnalysis;

// Computes the islands first when needed.
std::string IslandsText(FamilyAnalysis& analysis, ListFormat format);

}  // namespace vx
