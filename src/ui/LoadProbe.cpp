#include "ui/LoadProbe.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "ui/LogoMain.h"

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
        // A value naming a PNG file also keeps a picture of the window.
        const QString picture = qEnvironmentVariable(kPrintLoadedVariable);
        if (picture.endsWith(".png") && !window->grab().save(picture))
            std::printf("cannot save %s\n", qPrintable(picture));
        QApplication::quit();
    });
    timer->start(kPollMilliseconds);
}

}  // namespace vx
