#pragma once

#include <string>

namespace vx::platform {

// Set by the start-up stub of a self-contained program file to the file the
// user started; the viewer itself then runs from the unpacked runtime.
inline constexpr const char* kProgramPathVariable = "VELLACOR_PROGRAM";

// Full path of the running executable; empty when the system cannot tell.
std::string ProgramPath();

// The program file the user started: the one the start-up stub names, or
// else the running executable. Takes the stub's variable out of the
// environment, so programs started from here do not inherit it.
std::string TakeLaunchedProgramPath();

}  // namespace vx::platform
