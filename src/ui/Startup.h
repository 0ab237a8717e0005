// The viewer's start and stop: settings, what to show first (the embedded
// GEDCOM, a file named on the command line, or the welcome text), the splash, the main window and
// its message loop, and the settings written back at the end.
#pragma once

#include <string>

namespace vx {

inline constexpr const char* kViewerTitle = "Vellacor Self-Viewing GEDCOM";
inline constexpr const char* kNoGedcomMessage =
    "Error: This Self-Viewing file does not contain a GEDCOM.\n\r"
    "Please contact the person that created this file";

// The whole life of the viewer; `programPath` is the file whose embedded
// GEDCOM is shown (the running executable). A GEDCOM file named as the
// first argument is opened from disk instead; with neither, the window
// starts with its welcome text and the Open command.
int RunViewer(int argc, char** argv, const std::string& programPath);

}  // namespace vx
