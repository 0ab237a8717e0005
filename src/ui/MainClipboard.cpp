// "Copy to Clipboard": the current tab's text, built by the same text
// builders that vellacor-tool dump prints, on the clipboard as plain text.
#include <QClipboard>
#include <QGuiApplication>
#include <filesystem>
#include <fstream>

#include "app/Errors.h"
#include "app/Services.h"
#include "dialogs/CopyDialogs.h"
#include "gedcom/GEDCollection.h"
#include "ui/LogoMain.h"
#include "ui/MainDialogs.h"
#include "ui/PageContext.h"
#include "widgets/FilePaths.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

// The whole text and one more line end go to the chosen file.
// The byte-order mark tells spreadsheet programs that the file is UTF-8.
constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

void WriteCsvFile(const FilePath& path, const std::string& text) {
    std::ofstream file(std::filesystem::path(path.Native()), std::ios::binary);
    file << kUtf8ByteOrderMark << text << "\r\n";
    file.close();
    if (!file) throw EInOutError("Error writing the file " + path.Display());
}

}  // namespace

void TLogoAppForm::CopyToClipboard() {
    if (!collection_ || loading_) return;
    MainTab& tab = *tabs_[static_cast<size_t>(CurrentTab())];
    // List-shaped tabs ask for the format first; Cancel copies nothing.
    int choice = TListClipDlg::kFixed;
    QString csvFile;
    if (tab.CopiesList()) {
        choice = dialogs_->ChooseListFormat(this, csvFile);
        if (choice == TListClipDlg::kCancel) return;
    }
    const ListFormat format =
        choice == TListClipDlg::kFixed ? ListFormat::FixedColumns : ListFormat::Csv;
    std::string text;
    try {
        WaitScope wait("Copying to clipboard", false, false);
        text = tab.ClipboardText(CurrentContext(), format);
        if (!text.empty() && choice == TListClipDlg::kCsvFile)
            WriteCsvFile(PathFromQt(csvFile), text);
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
