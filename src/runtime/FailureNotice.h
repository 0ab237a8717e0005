// Telling the user the viewer cannot start, before any toolkit is there:
// on the terminal, and on the desktop through notify-send or xmessage when
// one of them is installed.
#pragma once

#include <string>

namespace vx::runtime {

void ShowFailure(const std::string& message);

}  // namespace vx::runtime
