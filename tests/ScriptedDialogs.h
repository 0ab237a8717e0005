// The main window's questions answered by the test: each answer the test
// sets replaces a dialog; an answer left unset shows the real dialog.
#pragma once

#include <functional>

#include "dialogs/PrintDlg.h"
#include "dialogs/ShareDlg.h"
#include "ui/MainDialogs.h"

namespace vx::test {

class ScriptedDialogs : public ModalDialogs {
  public:
    std::function<QString()> gedcomFile;
    std::function<int(QString& fileName)> listFormat;
    std::function<QString(const QString& proposed)> extractPath;
    std::function<void(TShareDlg& dialog)> share;
    std::function<void(reports::TPrintDlg& dialog)> print;
    std::function<void(int entry, const QString& title)> quickHelp;

    QString ChooseGedcomFile(QWidget* parent, const QString& folder) override {
        return gedcomFile ? gedcomFile() : ModalDialogs::ChooseGedcomFile(parent, folder);
    }
    int ChooseListFormat(QWidget* parent, QString& fileName) override {
        return listFormat ? listFormat(fileName) : ModalDialogs::ChooseListFormat(parent, fileName);
    }
    QString ChooseExtractPath(QWidget* parent, const QString& proposed) override {
        return extractPath ? extractPath(proposed)
                           : ModalDialogs::ChooseExtractPath(parent, proposed);
    }
    void RunShareDialog(TShareDlg& dialog) override {
        share ? share(dialog) : ModalDialogs::RunShareDialog(dialog);
    }
    void RunPrintDialog(reports::TPrintDlg& dialog) override {
        print ? print(dialog) : ModalDialogs::RunPrintDialog(dialog);
    }
    void OfferQuickHelp(QWidget* parent, int entry, const QString& title) override {
        quickHelp ? quickHelp(entry, title) : ModalDialogs::OfferQuickHelp(parent, entry, title);
    }
};

}  // namespace vx::test
