// The "Working..." window that long operations show while they run, with a
// Cancel button for the ones that can stop early. WGuiServices decides when
// it appears and disappears; the dialog itself only lays out its parts and
// reports a Cancel press to the shared cancel flag.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace vx {

class TWaitDlg : public QDialog {
    Q_OBJECT

  public:
    explicit TWaitDlg(QWidget* parent = nullptr);

    QLabel* LabMsg() const { return labMsg_; }
    QPushButton* butCancel() const { return butCancel_; }
    // One-shot: a delayed request starts it, and the dialog appears when it
    // fires. Stopped and discarded with the dialog.
    QTimer* ShowTimer() const { return showTimer_; }

    // The height of the client area; the width stays 432.
    void SetClientHeight(int height);
    // Centres the dialog on the screen, shows it without blocking anything
    // and paints it right away, since the caller keeps the thread busy.
    void ShowAndPaint();

    // Neither Escape nor the window manager's close (which QDialog routes
    // here) dismisses the dialog: it lives exactly as long as the operation
    // that asked for it, whose end also re-enables the owner window.
    void reject() override {}

  private:
    QLabel* labMsg_;
    QPushButton* butCancel_;
    QTimer* showTimer_;
};

}  // namespace vx
