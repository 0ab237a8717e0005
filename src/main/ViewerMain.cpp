// vellacor: the self-viewing GEDCOM program. It shows the GEDCOM carried at
// the end of its own file.
#include "platform/ProgramPath.h"
#include "ui/Startup.h"

int main(int argc, char** argv) {
    return vx::RunViewer(argc, argv, vx::platform::ProgramPath());
}
