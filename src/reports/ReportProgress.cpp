#include "reports/ReportProgress.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace vx::reports {

namespace {

// Reports that finish sooner never show the window.
constexpr qint64 kShowAfterMs = 400;
// Letting events through costs more than a page of layout; once every so
// often keeps the window live without slowing the report down.
constexpr qint64 kPumpEveryMs = 50;

}  // namespace

// Shared with the callbacks handed out, so that a callback kept past the
// window's lifetime finds nothing to update rather than a dangling window.
struct ProgressState {
    QPointer<QDialog> window;  // also gone when the parent window was closed
    QLabel* label = nullptr;
    QElapsedTimer clock;
    qint64 lastPump = 0;
    bool shown = false;
    bool cancelled = false;

    bool Step(int pagesDone) {
        if (cancelled) return false;
        if (!window) return true;
        label->setText(QStringLiteral("Preparing page %1...").arg(pagesDone + 1));
        const qint64 now = clock.elapsed();
        if (!shown && now >= kShowAfterMs) {
            shown = true;
            window->show();
            window->raise();
            window->activateWindow();
        }
        if (now - lastPump >= kPumpEveryMs) {
            lastPump = now;
            // Until the window is up nothing blocks the other windows, so
            // clicks and keys wait rather than start something else.
            QCoreApplication::processEvents(shown ? QEventLoop::AllEvents
                                                  : QEventLoop::ExcludeUserInputEvents);
        }
        return !cancelled;
    }
};

struct WReportProgress::Private {
    std::shared_ptr<ProgressState> state = std::make_shared<ProgressState>();
};

WReportProgress::WReportProgress(QWidget* parent, const QString& caption) : d_(new Private) {
    auto* window = new QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window->setObjectName(QStringLiteral("WReportProgress"));
    window->setWindowTitle(caption);
    window->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    window->setAttribute(Qt::WA_QuitOnClose, false);

    auto* label = new QLabel(QStringLiteral("Preparing page 1..."), window);
    label->setObjectName(QStringLiteral("LabProgress"));
    auto* bar = new QProgressBar(window);
    bar->setRange(0, 0);  // the page count is unknown until the end: a busy bar
    bar->setTextVisible(false);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), window);
    cancel->setObjectName(QStringLiteral("butCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(label);
    layout->addWidget(bar);
    layout->addLayout(buttons);
    window->setMinimumWidth(320);
    window->setFixedHeight(window->sizeHint().height());

    ProgressState& state = *d_->state;
    state.window = window;
    state.label = label;
    // Cancel and Escape both reject; the report stops at its next page.
    QObject::connect(cancel, &QPushButton::clicked, window, &QDialog::reject);
    QObject::connect(window, &QDialog::rejected, window,
                     [weak = std::weak_ptr<ProgressState>(d_->state)] {
                         if (auto shared = weak.lock()) shared->cancelled = true;
                     });
    state.clock.start();
}

WReportProgress::~WReportProgress() {
    delete d_->state->window.data();
    delete d_;
}

ProgressCallback WReportProgress::Callback() {
    return [weak = std::weak_ptr<ProgressState>(d_->state)](int pagesDone) {
        const auto state = weak.lock();
        return state ? state->Step(pagesDone) : true;
    };
}

bool WReportProgress::Cancelled() const {
    return d_->state->cancelled;
}

}  // namespace vx::reports
