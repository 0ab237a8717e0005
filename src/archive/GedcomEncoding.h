// Preparing a GEDCOM file for packing: the viewer reads single-byte and
// UTF-8 text only, so UTF-16 files are recognised and, on request,
// re-encoded as UTF-8 with a header that says so.
#pragma once

#include <string>
#include <string_view>

namespace vx {

enum class TUtf16Kind { None, LittleEndian, BigEndian };

// Recognises the UTF-16 byte-order marks FF FE and FE FF.
TUtf16Kind DetectUtf16(std::string_view start);

// UTF-16 text that opens with its byte-order mark, as UTF-8 without a mark.
// Raises VxError for an odd length or a surrogate without its partner.
std::string Utf16ToUtf8(std::string_view bytes);

// The GEDCOM text with the header's CHAR line set to `charset`. When the
// header has no CHAR line, one is added right after the first line, with
// the file's own line ending.
std::string SetGedcomCharset(std::string_view text, std::string_view charset);

}  // namespace vx
