// Where the program keeps its settings: a folder of the user's own, never a
// folder that other users share (their files could stand in for ours).
#pragma once

#include <string>

namespace vx::platform {

// "$XDG_CONFIG_HOME/vellacor/" (an absolute XDG_CONFIG_HOME only), else
// "~/.config/vellacor/", with a trailing separator; the folders are created
// (private to the user) when missing. Empty when the user has no home.
std::string ConfigFolder();

}  // namespace vx::platform
