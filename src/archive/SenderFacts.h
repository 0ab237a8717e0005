// The creator's facts as people type them (UTF-8) and as the trailer stores
// them (Windows-1252, each in a field of fixed size): the checks and the
// conversion shared by `vellacor-tool pack` and the Share dialog.
#pragma once

#include <string>
#include <string_view>

#include "archive/SenderRecord.h"

namespace vx {

// The trailer field of a name ("Title", "SenderName" ... "Message").
// Raises std::logic_error for a name that no field has.
const SenderTextField& SenderFieldNamed(std::string_view name);

// Why a UTF-8 text cannot be stored in the field; empty when it can.
std::string SenderTextProblem(std::string_view utf8, const SenderTextField& field);

// The text in Windows-1252; check it with SenderTextProblem first.
std::string SenderTextToTrailer(std::string_view utf8);

// A message keeps its line breaks as CR LF, the way the viewer shows them;
// line breaks at its end are dropped.
std::string SenderMessageLines(std::string_view text);

}  // namespace vx
