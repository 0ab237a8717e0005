// "Quick Help": a short explanation of a tab or panel, shown the first time
// the user meets it. The user may stop all of them at once.
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vx {

// The description of QuickHelp entry n (1 to 16); empty for an entry
// without one.
QString QuickHelpText(int entry);

class TInitHelpDialog : public QDialog {
    Q_OBJECT

  public:
    TInitHelpDialog(int entry, const QString& title, QWidget* parent = nullptr);

    // Runs the dialog; true when the user asked to stop these boxes.
    bool Execute();
    bool StopRequested() const;

    // Shows entry n and records that it has been seen: its key turns off,
    // and `DispInitHelp` turns off when the user asked to stop them all.
    // An offer while another entry is showing is dropped.
    static void Offer(int entry, const QString& title, QWidget* parent);
    // What Offer records once the dialog has closed.
    static void RecordSeen(int entry, bool stopAll);

    QLabel* TitleLabel() const { return title_; }
    QPlainTextEdit* Description() const { return description_; }
    QLabel* Notice() const { return notice_; }
    QCheckBox* StopBox() const { return stop_; }
    QPushButton* CloseButton() const { return close_; }

  private:
    QLabel* title_;
    QPlainTextEdit* description_;
    QLabel* notice_;
    QCheckBox* stop_;
    QPushButton* close_;
};

}  // namespace vx
