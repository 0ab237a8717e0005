// vellacor: the self-viewing GEDCOM program. It shows the GEDCOM carried at
// the end of its own file (or, started by the stub of a self-contained
// file, of the file the stub names).
#include "archive/ViewerMark.h"
#include "platform/ProgramPath.h"
#include "ui/Startup.h"

// Tells `vellacor-tool pack` that this image is the viewer.
extern "C" [[gnu::used]] const char vellacor_viewer_mark[] = VELLACOR_VIEWER_MARK;

int main(int argc, char** argv) {
    return vx::RunViewer(argc, argv, vx::platform::TakeLaunchedProgramPath());
}
