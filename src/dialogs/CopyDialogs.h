// The two small windows of "Copy to Clipboard": the choice of format for
// list-shaped tabs, and the brief message that the copy is done.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;

namespace vx {

// "Copy to Clipboard": fixed columns, CSV, or CSV saved to a file as well.
class TListClipDlg : public QDialog {
    Q_OBJECT

  public:
    enum Choice : int { kCancel = 0, kFixed = 1, kCsv = 2, kCsvFile = 3 };

    explicit TListClipDlg(QWidget* parent = nullptr);
    // Runs the dialog; the file name of the third choice is kept.
    int Choose();
    const QString& FileName() const { return fileName_; }
    // How the file name is asked for; tests replace it.
    std::function<QString()> askFileName;

  private:
    int choice_ = kCancel;
    QString fileName_;
};

// A text on a silver panel that closes itself after half a second. A
// second request while one shows is ignored.
class TFlashDialog : public QWidget {
    Q_OBJECT

  public:
    static void Flash(const QString& text, QWidget* parent);
    static TFlashDialog* Current();

  private:
    TFlashDialog(const QString& text, QWidget* parent);
};

}  // namespace vx
