#pragma once

#include <string>

namespace vx::platform {

// Full path of the running executable; empty when the system cannot tell.
std::string ProgramPath();

}  // namespace vx::platform
