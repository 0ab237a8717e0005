// Prints what the wait dialog makes of the screen Qt was started with:
// whether the screen counts as large-font and the dialog's height with and
// without Cancel. WaitDialogTest runs it under chosen screen resolutions.
#include <QApplication>
#include <cstdio>

#include "app/Services.h"
#include "dialogs/WaitDialog.h"
#include "ui/GuiServices.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    vx::WGuiServices services;
    vx::SetUiServices(&services);

    vx::ShowWait("Reading.  Please Wait...", false, true);
    const int withCancel = services.WaitDialog()->height();
    vx::ShowWait("Sorting.  Please Wait...", false, false);
    const int plain = services.WaitDialog()->height();
    vx::HideWait();
    vx::HideWait();

    vx::SetUiServices(nullptr);
    std::printf("large=%d cancel=%d plain=%d\n", services.LargeFonts() ? 1 : 0, withCancel, plain);
    return 0;
}
