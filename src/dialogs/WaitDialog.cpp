#include "dialogs/WaitDialog.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "app/Services.h"

namespace vx {

namespace {

constexpr int kClientWidth = 432;
constexpr int kInitialHeight = 63;
constexpr int kShowDelayMs = 250;

}  // namespace

TWaitDlg::TWaitDlg(QWidget* parent)
    // A dialog frame with a caption but without close, minimise or maximise
    // buttons, above every other window.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      labMsg_(new QLabel(this)),
      butCancel_(new QPushButton(QStringLiteral("Cancel"), this)),
      showTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("TWaitDlg"));
    setWindowTitle(QStringLiteral("Working..."));
    // A wait message that happens to be the last window up must not keep the
    // application running after the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(kClientWidth, kInitialHeight);

    labMsg_->setObjectName(QStringLiteral("LabMsg"));
    labMsg_->setGeometry(8, 6, 417, 24);
    labMsg_->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    font.setBold(true);
    labMsg_->setFont(font);

    butCancel_->setObjectName(QStringLiteral("butCancel"));
    butCancel_->setGeometry(180, 35, 75, 25);
    // Only raises the flag; the running operation polls it and ends its own
    // bracket, which is what takes the dialog down.
    connect(butCancel_, &QPushButton::clicked, this, [] { SetWaitCancelled(); });

    showTimer_->setObjectName(QStringLiteral("ShowTimer"));
    showTimer_->setSingleShot(true);
    showTimer_->setInterval(kShowDelayMs);
}

void TWaitDlg::SetClientHeight(int height) {
    setFixedSize(kClientWidth, height);
}

void TWaitDlg::ShowAndPaint() {
    // The screen the main window is on, when the dialog belongs to one.
    const QWidget* mainWindow = parentWidget();
    QScreen* screen = mainWindow ? mainWindow->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        create();  // so that the frame's size is known where the platform tells it early
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());  // also keeps QDialog from centring on its parent
    }
    show();
    raise();
    activateWindow();
    repaint();
}

}  // namespace vx
