// GEDCOM files opened from disk: File > Open, the recent files, the welcome
// text of a viewer started without a GEDCOM, and File > Share.
#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <filesystem>

#include "app/Errors.h"
#include "app/Services.h"
#include "app/Settings.h"
#include "app/Win1252.h"
#include "archive/SenderRecord.h"
#include "dialogs/ShareDlg.h"
#include "gedcom/GEDCollection.h"
#include "platform/MappingGuard.h"
#include "ui/LogoMain.h"
#include "ui/MainDialogs.h"
#include "ui/OpenedFileWatch.h"
#include "ui/SenderPage.h"
#include "widgets/IndScroll.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

constexpr const char* kRecentSection = "Recent Files";
constexpr int kRecentCount = 8;
constexpr const char* kAppName = "Vellacor";

std::string RecentKey(int n) {
    return "File" + std::to_string(n + 1);
}

void WriteRecentFiles(const std::vector<std::string>& files) {
    for (int i = 0; i < kRecentCount; ++i)
        WriteText(kRecentSection, RecentKey(i),
                  i < static_cast<int>(files.size()) ? files[static_cast<size_t>(i)] : "");
}

// The newest first, without doubles, at most kRecentCount.
void AddRecentFile(const std::string& path) {
    std::vector<std::string> files = TLogoAppForm::RecentFiles();
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    files.insert(files.begin(), path);
    if (files.size() > kRecentCount) files.resize(kRecentCount);
    WriteRecentFiles(files);
}

}  // namespace

std::vector<std::string> TLogoAppForm::RecentFiles() {
    std::vector<std::string> files;
    for (int i = 0; i < kRecentCount; ++i) {
        std::string path = ReadText(kRecentSection, RecentKey(i), "");
        if (!path.empty()) files.push_back(std::move(path));
    }
    return files;
}

// Open, the recent files and Share go first in the File menu.
void TLogoAppForm::BuildFileCommands() {
    QMenu* file = menuBar()->actions().front()->menu();
    QAction* first = file->actions().isEmpty() ? nullptr : file->actions().front();
    openAction_ = new QAction("&Open...", this);
    openAction_->setShortcut(QKeySequence::Open);
    openAction_->setShortcutContext(Qt::WindowShortcut);
    openAction_->setStatusTip("Open a GEDCOM file");
    connect(openAction_, &QAction::triggered, this, &TLogoAppForm::AskAndOpen);
    file->insertAction(first, openAction_);
    ui_.recentMenu = new QMenu("Open &Recent", file);
    ui_.recentMenu->setObjectName("RecentMenu");
    file->insertMenu(first, ui_.recentMenu);
    ui_.shareAction = new QAction("&Share as Self-Viewing File...", this);
    ui_.shareAction->setStatusTip("Make one program file that shows this family to anyone");
    connect(ui_.shareAction, &QAction::triggered, this, &TLogoAppForm::ShareFile);
    file->insertAction(first, ui_.shareAction);
    file->insertSeparator(first);
    fileWatch_ = new TOpenedFileWatch(this);
    connect(fileWatch_, &TOpenedFileWatch::Changed, this, &TLogoAppForm::OpenedFileChanged);
    connect(fileWatch_, &TOpenedFileWatch::Removed, this, &TLogoAppForm::OpenedFileRemoved);
    connect(file, &QMenu::aboutToShow, this, [this] {
        ui_.shareAction->setEnabled(collection_ && !loading_);
        RefreshRecentMenu();
    });
    RefreshRecentMenu();
}

void TLogoAppForm::RefreshRecentMenu() {
    ui_.recentMenu->clear();
    const std::vector<std::string> files = RecentFiles();
    int n = 0;
    for (const std::string& path : files) {
        const QString name = ToQt(std::filesystem::path(path).filename().string());
        QAction* action = ui_.recentMenu->addAction(QString("&%1 %2").arg(++n).arg(name));
        action->setToolTip(ToQt(path));
        action->setStatusTip(ToQt(path));
        connect(action, &QAction::triggered, this, [this, path] { OpenGedcomFile(path); });
    }
    if (!files.empty()) {
        ui_.recentMenu->addSeparator();
        connect(ui_.recentMenu->addAction("Clear the List"), &QAction::triggered, this,
                [] { WriteRecentFiles({}); });
    }
    ui_.recentMenu->setEnabled(!files.empty());
}

void TLogoAppForm::StartWith(const std::string& gedcomPath) {
    startChosen_ = true;
    startDone_ = true;  // nothing embedded is loaded
    startupFile_ = gedcomPath;
}

void TLogoAppForm::ShowWelcome() {
    if (collection_) return;
    ui_.senderPage->ShowWelcome();
    SelectTab(Tab::Sender);
    setWindowTitle(kAppName);
}

void TLogoAppForm::AskAndOpen() {
    const std::vector<std::string> recent = RecentFiles();
    const QString folder =
        recent.empty() ? QString() : QFileInfo(ToQt(recent.front())).absolutePath();
    const QString path = dialogs_->ChooseGedcomFile(this, folder);
    if (!path.isEmpty()) OpenGedcomFile(FromQt(path));
}

bool TLogoAppForm::OpenGedcomFile(const std::string& path) {
    if (loading_ || path.empty()) return false;
    std::error_code error;
    std::string absolute = std::filesystem::absolute(path, error).lexically_normal().string();
    if (error) absolute = path;
    if (!std::filesystem::is_regular_file(absolute, error)) {
        ShowMessage("The file: " + absolute + "\r" +
                    "does not exist.  Please select another file.");
        return false;
    }
    // What the file looked like before it was read: a change while it is
    // read shows at the watch's first look.
    fileWatch_->Stop();
    const TFileState stateWhenRead = TFileState::Of(absolute);
    const uint64_t lostPagesBefore = platform::LostMappedPages();
    // The embedded file (if any) stays until the new one is loaded.
    if (!LoadFile(absolute) || !collection_) {
        openedPath_.clear();
        ShowWelcome();
        return false;
    }
    embedded_ = TEmbeddedGedcom();
    openedPath_ = absolute;
    const std::string name = std::filesystem::path(absolute).filename().string();
    ui_.senderPage->ShowOpenedFile(ToQt(name));
    setWindowTitle(ToQt(name) + " - " + kAppName);
    AddRecentFile(absolute);
    RefreshRecentMenu();
    RefreshView();
    fileWatch_->Watch(absolute, stateWhenRead, lostPagesBefore);
    return true;
}

void TLogoAppForm::OpenedFileChanged() {
    const std::string path = fileWatch_->Path();
    if (path.empty() || path != openedPath_ || loading_) return;
    const std::string name = std::filesystem::path(path).filename().string();
    ShowMessage("The file " + name +
                " was changed on disk by another program while it was open, so it is read "
                "again now.");
    // LoadFile skips the file it already shows.
    currentPath_.clear();
    OpenGedcomFile(path);
}

void TLogoAppForm::OpenedFileRemoved() {
    const std::string path = fileWatch_->Path();
    if (path.empty() || path != openedPath_) return;
    ShowMessage("The file " + path +
                " was removed or renamed on disk. The family stays open until you open "
                "another file.");
}

std::string TLogoAppForm::DefaultOutputFolder() const {
    std::error_code error;
    const std::string& file = openedPath_.empty() ? programPath_ : openedPath_;
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    if (!file.empty() && std::filesystem::is_directory(folder, error)) return folder.string();
    return {};
}

QString TLogoAppForm::FileTitle() const {
    if (openedPath_.empty()) return Win1252ToQt(Sender().Title);
    return QFileInfo(ToQt(openedPath_)).completeBaseName();
}

void TLogoAppForm::ShareFile() {
    if (!collection_ || loading_ || currentPath_.empty()) return;
    TShareSource source;
    source.GedcomPath = currentPath_;
    source.FileName = openedPath_.empty() ? Win1252ToUtf8(SafeFileName(Sender().FileName))
                                          : std::filesystem::path(openedPath_).filename().string();
    if (source.FileName.empty()) source.FileName = "family.ged";
    source.ProgramPath = programPath_;
    source.Folder = DefaultOutputFolder();
    source.ActiveIndividual = ui_.scroller->CurrentIndividual();
    source.IndividualCount = collection_->IndividualCount();
    TShareDlg dialog(this, source);
    dialogs_->RunShareDialog(dialog);
}

}  // namespace vx
