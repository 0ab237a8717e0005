// How the main window asks the user: which file to open, how to copy a
// list, where to extract, and the share, print and Quick Help dialogs. The
// window holds one of these, the real modal dialogs unless a test hands in
// its own answers.
#pragma once

#include <QString>

class QWidget;

namespace vx {

class TShareDlg;
namespace reports {
class TPrintDlg;
}

class MainWindowDialogs {
  public:
    virtual ~MainWindowDialogs() = default;
    // "Open...": the GEDCOM file to open, starting in `folder`; empty when
    // cancelled.
    virtual QString ChooseGedcomFile(QWidget* parent, const QString& folder) = 0;
    // How a list is copied (TListClipDlg's answers: cancel, fixed columns,
    // CSV, CSV also saved to `fileName`).
    virtual int ChooseListFormat(QWidget* parent, QString& fileName) = 0;
    // Where "Extract GEDCOM" writes; empty when cancelled.
    virtual QString ChooseExtractPath(QWidget* parent, const QString& proposed) = 0;
    // Runs the set-up share and print dialogs.
    virtual void RunShareDialog(TShareDlg& dialog) = 0;
    virtual void RunPrintDialog(reports::TPrintDlg& dialog) = 0;
    // Offers Quick Help entry `entry`, which the dialog records as seen.
    virtual void OfferQuickHelp(QWidget* parent, int entry, const QString& title) = 0;
};

// The real dialogs, each run modally over `parent`.
class ModalDialogs : public MainWindowDialogs {
  public:
    QString ChooseGedcomFile(QWidget* parent, const QString& folder) override;
    int ChooseListFormat(QWidget* parent, QString& fileName) override;
    QString ChooseExtractPath(QWidget* parent, const QString& proposed) override;
    void RunShareDialog(TShareDlg& dialog) override;
    void RunPrintDialog(reports::TPrintDlg& dialog) override;
    void OfferQuickHelp(QWidget* parent, int entry, const QString& title) override;
};

}  // namespace vx
