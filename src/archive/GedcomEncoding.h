// Preparing a GEDCOM file for packing: a UTF-16 file (app/Unicode
// recognises and decodes it) can be packed as UTF-8, with a header that
// says so.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// The GEDCOM text with the header's CHAR line set to `charset`. When the
// header has no CHAR line, one is added right after the first line, with
// the file's own line ending.
std::string SetGedcomCharset(std::string_view text, std::string_view charset);

}  // namespace vx
