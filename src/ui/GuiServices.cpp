#include "ui/GuiServices.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "dialogs/WaitDialog.h"
#include "widgets/QtText.h"

namespace vx {

WGuiServices::~WGuiServices() {
    // Leave nothing behind for a later services object: no disabled window,
    // no orphaned dialog, no wait cursor.
    if (!qApp) return;
    if (ownerDisabled_ && owner_) owner_->setEnabled(true);
    delete dialog_.data();
    if (cursorOverridden_) QGuiApplication::restoreOverrideCursor();
}

void WGuiServices::PumpMessages() {
    QCoreApplication::processEvents();
}

void WGuiServices::SetBusyCursor(bool busy) {
    // The core repeats `true` for every nested bracket; Qt stacks override
    // cursors, so only the first one is set and the last one restored.
    if (busy == cursorOverridden_) return;
    if (busy)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
    cursorOverridden_ = busy;
}

void WGuiServices::ShowMessage(const std::string& text) {
    const QString shown = ToQt(text);
    if (messageSink_) {
        messageSink_(shown);
        return;
    }
    // Over the window the user works in, but never over the wait dialog,
    // which the running operation may take down.
    QWidget* parent = QApplication::activeWindow();
    if (parent && parent == dialog_) parent = dialog_->parentWidget();
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), shown,
                    QMessageBox::Ok, parent);
    box.exec();
}

bool WGuiServices::LargeFonts() const {
    if (!largeFonts_) {
        // Under Qt's own high-DPI scaling the logical resolution stays at the
        // base 96 and Qt enlarges everything itself; only an unscaled 120-dpi
        // screen needs the taller dialogs.
        const QScreen* screen = QGuiApplication::primaryScreen();
        largeFonts_ = screen && qRound(screen->logicalDotsPerInchX()) == 120;
    }
    return *largeFonts_;
}

TWaitDlg* WGuiServices::WaitDialog() const {
    return dialog_;
}

void WGuiServices::WaitCreate() {
    if (dialog_) return;
    dialog_ = new TWaitDlg(mainWindow_);
    // The connection goes with the dialog, so a hide before the delay is up
    // discards the pending show.
    QObject::connect(dialog_->ShowTimer(), &QTimer::timeout, dialog_,
                     [this] { ShowDelayedDialog(); });
}

void WGuiServices::WaitSetCancelButton(bool withCancel, int height) {
    if (!dialog_) return;
    QPushButton* cancel = dialog_->butCancel();
    cancel->setVisible(withCancel);
    cancel->setEnabled(withCancel);
    dialog_->SetClientHeight(height);
    if (withCancel) cancel->setFocus();
}

void WGuiServices::WaitBegin(const std::string& message, bool atOnce, void* owner) {
    owner_ = owner ? static_cast<QWidget*>(owner)->window() : QApplication::activeWindow();
    ownerDisabled_ = false;
    if (!dialog_) return;
    dialog_->LabMsg()->setText(ToQt(message));
    if (atOnce)
        dialog_->ShowAndPaint();  // the owner stays usable
    else
        dialog_->ShowTimer()->start();
}

void WGuiServices::ShowDelayedDialog() {
    if (!dialog_) return;
    if (owner_) {
        owner_->setEnabled(false);
        ownerDisabled_ = true;
        // Qt disables child windows with their parent, and the main window
        // is usually both the owner and the dialog's parent: Cancel must
        // stay usable.
        dialog_->setEnabled(true);
    }
    dialog_->ShowTimer()->stop();
    dialog_->ShowAndPaint();
}

void WGuiServices::WaitDestroy() {
    const bool dialogWasActive = dialog_ && dialog_->isActiveWindow();
    if (ownerDisabled_ && owner_) owner_->setEnabled(true);
    delete dialog_.data();
    // Hand the keyboard back to the window the user was working in, rather
    // than to whichever window the window system picks.
    if (dialogWasActive && owner_) owner_->activateWindow();
    owner_ = nullptr;
    ownerDisabled_ = false;
}

}  // namespace vx
