// vellacor: the self-viewing GEDCOM program. It shows the GEDCOM carried at
// the end of its own file (or, started by the stub of a self-contained
// file, of the file the stub names).
#include "platform/ProgramPath.h"
#include "ui/Startup.h"

int main(int argc, char** argv) {
    return vx::RunViewer(argc, argv, vx::platform::TakeLaunchedProgramPath());
}
