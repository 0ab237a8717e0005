#include "ui/Startup.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <memory>

#include "app/Errors.h"
#include "app/Options.h"
#include "app/Services.h"
#include "app/Settings.h"
#include "archive/SenderRecord.h"
#include "ui/GuiServices.h"
#include "ui/LoadProbe.h"
#include "ui/LogoMain.h"
#include "ui/SplashScreen.h"
#include "ui/ViewerApplication.h"
#include "widgets/QtText.h"

namespace vx {

int RunViewer(int argc, char** argv, const std::string& programPath) {
    ViewerApplication application(argc, argv);
    OpenSettingsFile();
    WOptions::Load();  // before the check, so settings are in memory either way

    // A GEDCOM named on the command line is opened from disk; a viewer
    // with nothing embedded and nothing named starts with its welcome text.
    const QStringList arguments = QApplication::arguments();
    const std::string gedcomPath = arguments.size() > 1 ? FromQt(arguments.at(1)) : std::string();
    const bool embedded = gedcomPath.empty() && HasPayloadMarker(programPath);

    WGuiServices services;
    SetUiServices(&services);
    if (embedded) OpenSplash(kViewerTitle);
    QApplication::setApplicationName("Vellacor");
    int status = 0;
    {
        std::unique_ptr<TLogoAppForm> window;
        try {
            window = std::make_unique<TLogoAppForm>(programPath);
            if (!embedded) window->StartWith(gedcomPath);
            services.SetMainWindow(window.get());
            window->show();
            WatchLoadForProbe(window.get());
            status = QApplication::exec();
            if (status == 0) status = window->ExitStatus();
        } catch (const EInOutError&) {
            QMessageBox::critical(nullptr, QApplication::applicationName(), "Error with I/O",
                                  QMessageBox::Ok);
            status = 1;
        } catch (const std::exception& error) {
            // The window could not be made (no memory, settings that cannot
            // be read): the reason, and a failure status.
            QMessageBox::critical(nullptr, QApplication::applicationName(),
                                  QString::fromUtf8(error.what()), QMessageBox::Ok);
            status = 1;
        }
        CloseSplash();
        services.SetMainWindow(nullptr);
        window.reset();  // stores its column sets and deletes the extracted file
    }
    SetUiServices(nullptr);
    WOptions::Save();
    CloseSettingsFile();
    CloseListColumnsFile();
    return status;
}

}  // namespace vx
