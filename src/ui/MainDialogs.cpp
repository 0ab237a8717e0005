#include "ui/MainDialogs.h"

#include <QFileDialog>

#include "dialogs/CopyDialogs.h"
#include "dialogs/InitHelpDialog.h"
#include "dialogs/PrintDlg.h"
#include "dialogs/ShareDlg.h"

namespace vx {
namespace {

constexpr const char* kGedcomFilter = "GEDCOM files (*.ged *.GED);;All files (*)";

}  // namespace

QString ModalDialogs::ChooseGedcomFile(QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, "Open a GEDCOM File", folder, kGedcomFilter);
}

int ModalDialogs::ChooseListFormat(QWidget* parent, QString& fileName) {
    TListClipDlg dialog(parent);
    const int choice = dialog.Choose();
    fileName = dialog.FileName();
    return choice;
}

QString ModalDialogs::ChooseExtractPath(QWidget* parent, const QString& proposed) {
    QFileDialog dialog(parent, "Extract GEDCOM", proposed, "GEDCOM (*.ged)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("ged");
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().front()
               : QString();
}

void ModalDialogs::RunShareDialog(TShareDlg& dialog) {
    dialog.exec();
}

void ModalDialogs::RunPrintDialog(reports::TPrintDlg& dialog) {
    dialog.exec();
}

void ModalDialogs::OfferQuickHelp(QWidget* parent, int entry, const QString& title) {
    TInitHelpDialog::Offer(entry, title, parent);
}

}  // namespace vx
