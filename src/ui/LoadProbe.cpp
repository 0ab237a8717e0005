#include "ui/LoadProbe.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/Options.h"
#include "ui/LogoMain.h"
#include "ui/Tabs.h"

namespace vx {
namespace {

constexpr int kPollMilliseconds = 50;
constexpr int kFirstCountPanel = 1;
constexpr int kLastCountPanel = 4;

}  // namespace

void WatchLoadForProbe(TLogoAppForm* window) {
    if (!std::getenv(kPrintLoadedVariable)) return;
    auto* timer = new QTimer(window);
    QObject::connect(timer, &QTimer::timeout, window, [window, timer] {
        if (window->IsLoading() || window->Ui().status[kFirstCountPanel]->text().isEmpty()) return;
        timer->stop();
        QString counts;
        for (int panel = kFirstCountPanel; panel <= kLastCountPanel; ++panel)
            counts += window->Ui().status[static_cast<size_t>(panel)]->text() +
                      (panel < kLastCountPanel ? "  " : "");
        std::printf("loaded: %s\nplatform: %s\nfont: %s\n", qPrintable(counts),
                    qPrintable(QApplication::platformName()),
                    qPrintable(QFontInfo(window->font()).family()));
        std::fflush(stdout);
        // A value naming a PNG file also keeps a picture of the window; with
        // VELLACOR_PRINT_TABS set, one of every tab beside it (NAME-3.png for
        // the fourth tab).
        const QString picture = qEnvironmentVariable(kPrintLoadedVariable);
        if (picture.endsWith(".png")) {
            auto save = [window](const QString& path) {
                if (!window->grab().save(path)) std::printf("cannot save %s\n", qPrintable(path));
            };
            save(picture);
            if (std::getenv(kPrintTabsVariable)) {
                // No one is there to close a tab's first-visit help.
                WOptions::SetFlag(opt::kDispInitHelp, false);
                for (int tab = 0; tab < Tab::Count; ++tab) {
                    window->SelectTab(tab);
                    QApplication::processEvents();
                    save(QString(picture).insert(picture.size() - 4, "-" + QString::number(tab)));
                }
            }
        }
        QApplication::quit();
    });
    timer->start(kPollMilliseconds);
}

}  // namespace vx
