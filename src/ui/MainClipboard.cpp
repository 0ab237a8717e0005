// "Copy to Clipboard": the current tab's text, built by the same text
// builders that vellacor-tool dump prints, on the clipboard as plain text.
#include <QClipboard>
#include <QGuiApplication>
#include <filesystem>
#include <fstream>

#include "app/Errors.h"
#include "app/Services.h"
#include "columns/ColSortIterator.h"
#include "columns/ListColumns.h"
#include "dialogs/CopyDialogs.h"
#include "exports/DescendantsText.h"
#include "exports/FamilyPage.h"
#include "exports/GeneralPage.h"
#include "exports/IndividualPage.h"
#include "exports/IslandsText.h"
#include "exports/ListText.h"
#include "exports/PedigreePage.h"
#include "gedcom/GEDCollection.h"
#include "ui/DescendantsTab.h"
#include "ui/FamilyTab.h"
#include "ui/IndScroll.h"
#include "ui/ListPage.h"
#include "ui/LogoMain.h"
#include "ui/PedigreeTab.h"
#include "ui/QtText.h"

namespace vx {
namespace {

// The whole text and one more line end go to the chosen file.
// The byte-order mark tells spreadsheet programs that the file is UTF-8.
constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

void WriteCsvFile(const QString& path, const std::string& text) {
    std::ofstream file(std::filesystem::path(path.toStdString()), std::ios::binary);
    file << kUtf8ByteOrderMark << text << "\r\n";
    file.close();
    if (!file) throw EInOutError("Error writing the file " + FromQt(path));
}

}  // namespace

int TLogoAppForm::ChooseListFormat(QString& fileName) {
    if (listFormatChooser) return listFormatChooser(fileName);
    TListClipDlg dialog(this);
    const int choice = dialog.Choose();
    fileName = dialog.FileName();
    return choice;
}

void TLogoAppForm::CopyToClipboard() {
    if (!collection_ || loading_) return;
    const WGEDCollection& c = *collection_;
    const int tab = CurrentTab();
    std::string text;
    // List-shaped tabs ask for the format first; Cancel copies nothing.
    int choice = TListClipDlg::kFixed;
    QString csvFile;
    if (tab == Tab::List || tab == Tab::Highlighted || tab == Tab::Islands) {
        choice = ChooseListFormat(csvFile);
        if (choice == TListClipDlg::kCancel) return;
    }
    const ListFormat format =
        choice == TListClipDlg::kFixed ? ListFormat::FixedColumns : ListFormat::Csv;
    try {
        WaitScope wait("Copying to clipboard", false, false);
        switch (tab) {
            case Tab::General:
                text = GeneralText(c, std::filesystem::path(currentPath_).filename().string(),
                                   rawMode_);
                break;
            case Tab::Individual:
                text = IndividualText(c, scroller_->CurrentIndividual(), rawMode_);
                break;
            case Tab::Family:
                text = FamilyText(c, familyPage_->Model());
                break;
            case Tab::Pedigree:
                text = PedigreeText(c, pedigreePage_->Model());
                break;
            case Tab::Descendants:
                if (const WDesIterator* list = descendantsPage_->Model().List())
                    text = DescendantsText(c, *list);
                break;
            case Tab::List:
            case Tab::Highlighted:
                if (WColSortIterator* list = listPage_->Model().List()) {
                    listPage_->StoreColumnWidths();
                    text = ListText(*listColumns_, *list, format);
                }
                break;
            case Tab::Islands:
                text = IslandsText(c, format);
                break;
            default:
                break;  // the Sender and Sources tabs copy nothing
        }
        if (!text.empty() && choice == TListClipDlg::kCsvFile) WriteCsvFile(csvFile, text);
    } catch (const VxError& error) {
        ShowMessage(error.what());
        return;
    }
    if (!text.empty()) {
        QGuiApplication::clipboard()->setText(ToQt(text));
        TFlashDialog::Flash("Copy to Clipboard Complete", this);
    }
    RefreshView();
}

}  // namespace vx
