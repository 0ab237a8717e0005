// Reading a file into the window: the GEDCOM the program file carries,
// loading and indexing under the wait dialog, and letting go of the file
// shown before. Whatever fails ends in a message and a window with no file.
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "analysis/FamilyAnalysis.h"
#include "analysis/IslandView.h"
#include "app/Errors.h"
#include "app/Services.h"
#include "app/Win1252.h"
#include "columns/ListColumns.h"
#include "gedcom/ExpansionIndex.h"
#include "gedcom/GEDCollection.h"
#include "highlight/HLGroup.h"
#include "ui/FindBox.h"
#include "ui/HLGuiColMan.h"
#include "ui/HighlightPanel.h"
#include "ui/IslandsPanel.h"
#include "ui/LogoMain.h"
#include "ui/SenderPage.h"
#include "ui/SplashScreen.h"
#include "widgets/IndScroll.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

// The wait message of a load, taken down however the load ends.
class LoadWait {
  public:
    LoadWait() { ShowWait("Reading.  Please Wait...", false, true); }
    ~LoadWait() { Hide(); }
    LoadWait(const LoadWait&) = delete;
    LoadWait& operator=(const LoadWait&) = delete;
    void Hide() {
        if (shown_) HideWait();
        shown_ = false;
    }

  private:
    bool shown_ = true;
};

// GEDCOM text packs to about a sixth of its size. The indexes' first
// capacity counts at most ten times the archive, so a damaged trailer's
// block count cannot make them reserve room for text that is not there.
constexpr int64_t kMostExpansionRatio = 10;

int64_t ExpectedGedcomBytes(const TPayloadLayout& layout) {
    return std::min(DeclaredGedcomBytes(layout), layout.ArchiveSize * kMostExpansionRatio);
}

}  // namespace

void TLogoAppForm::LoadEmbeddedFile() {
    if (startDone_) return;
    startDone_ = true;
    TPayloadLayout layout;
    try {
        layout = ReadPayloadLayout(programPath_);
    } catch (const std::exception&) {
        layout = TPayloadLayout();
    }
    if (!layout.MarkerFound)
        ShowMessage(
            "Error: This Self-Viewing file does not contain a GEDCOM.\n\r"
            "Please contact the person that created this file");
    const SenderRecord& sender = layout.Sender;
    SetSplashInfo(Win1252ToUtf8(sender.Title), Win1252ToUtf8(sender.SenderName),
                  FromQt(CreatedText(sender.Created, "dddd, MMM d, yyyy, hh:mm AP")));
    ui_.senderPage->Fill(sender, ToQt(std::filesystem::path(programPath_).filename().string()));
    // One wait, with Cancel, from the first block to the first page.
    LoadWait wait;
    QElapsedTimer expanding;
    expanding.start();
    // The text is indexed as it expands; loading then only sorts and links.
    ExpansionIndex index(ExpectedGedcomBytes(layout));
    try {
        embedded_ = LoadEmbeddedGedcom(programPath_, {}, index.Sink());
        expandSeconds_ = static_cast<double>(expanding.elapsed()) / 1000.0;
    } catch (const EWorkCancelled&) {
        // The user's choice, not a failure: the window stays, with Open.
        wait.Hide();
        CloseSplash();
        ShowWelcome();
        return;
    } catch (const std::exception& error) {
        // A damaged or refused payload: after the message the program ends
        // with a failure status, so scripts and the desktop see it.
        wait.Hide();
        CloseSplash();
        ShowMessage(error.what());
        exitStatus_ = 1;
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    currentPath_.clear();
    const size_t damagedBlocks = embedded_.Payload.BadBlocks.size();
    ui_.senderPage->ShowDamage(static_cast<int>(damagedBlocks));
    if (damagedBlocks > 0) {
        // Once per load, however many blocks failed their check.
        wait.Hide();
        CloseSplash();
        ShowMessage(WRESCompress::kCrcMessage);
    }
    expansionIndex_ = index.Take();
    // A file that cannot be indexed leaves the welcome text with Open.
    if (!LoadFile(embedded_.File.Path())) ShowWelcome();
    expansionIndex_.reset();
    if (collection_ && sender.StartIndividual > 0)
        ui_.scroller->GoToIndividual(std::min(sender.StartIndividual, view_->Count()));
    CloseSplash();
}

bool TLogoAppForm::LoadFile(const std::string& path) {
    if (loading_) return true;
    if (path.empty() || path == currentPath_) return true;
    std::error_code unreadable;
    if (!std::filesystem::exists(path, unreadable)) {
        ShowMessage("The file: " + path + "\r" + "does not exist.  Please select another file.");
        return false;
    }
    // Whatever fails while the file is read and indexed (a file the loader
    // cannot open, no room for the index files in the temporary folder, no
    // memory) ends here in its message and a window with no file.
    std::string failure;
    try {
        if (LoadAndIndex(path, failure)) return true;
    } catch (const std::exception& error) {
        failure = error.what();
    }
    FailLoad(failure);
    return false;
}

bool TLogoAppForm::LoadAndIndex(const std::string& path, std::string& failure) {
    loading_ = true;
    ui_.scroller->setEnabled(false);
    findBox_->Reset();
    currentPath_ = path;
    setWindowTitle(QString(kCaption) + " - " + Win1252ToQt(Sender().Title));
    SetBusy(true);
    // Everything that belongs to the old file goes.
    ReleaseFile();
    ui_.scroller->setEnabled(true);

    QElapsedTimer elapsed;
    elapsed.start();
    importTimer_->start(1000);
    mainArea_->setEnabled(false);
    clearStatusTimer_->stop();
    LoadWait wait;
    DropCollection();
    collection_ = OpenCollection(path, WABSCollection::kKindUnknown, failure);
    if (collection_ && expansionIndex_ && path == embedded_.File.Path())
        collection_->OfferIndexes(std::move(expansionIndex_->indexes), expansionIndex_->textBytes);
    expansionIndex_.reset();
    if (collection_) {
        analysis_ = std::make_unique<FamilyAnalysis>(*collection_);
        view_ = std::make_unique<IslandView>(*collection_);
    }
    // Unreadable or cancelled: no file.
    if (!collection_ || !collection_->Load()) return false;
    collection_->AfterLoad();
    loading_ = false;
    ImportTick();
    importTimer_->stop();
    clearStatusTimer_->start();
    importSeconds_ = static_cast<double>(elapsed.elapsed()) / 1000.0;

    ApplyOptions();
    for (WListColumns* columns : {listColumns_.get(), desColumns_.get(), islandColumns_.get()})
        columns->SetAnalysis(analysis_.get());
    MarkAllStale();
    ui_.scroller->SetCollection(collection_.get(), view_.get());
    if (collection_->IndividualCount() == 0) RefreshView();
    findBox_->Attach(collection_.get(), view_.get());
    findBox_->SetMode(findBox_->Mode());
    WHLContext conditions;
    conditions.collection = collection_.get();
    conditions.findIndividual = [this](QWidget* parent, int32_t& individual) {
        return FindIndividualForCondition(parent, individual);
    };
    ui_.highlightPanel->Editor()->SetContext(conditions);

    wait.Hide();
    mainArea_->setEnabled(true);
    SetBusy(false);
    UpdateCommands();
    return true;
}

void TLogoAppForm::ReleaseFile() {
    for (WListColumns* columns : {listColumns_.get(), desColumns_.get(), islandColumns_.get()})
        columns->SetAnalysis(nullptr);
    FreeLists();
    ui_.islandsPanel->Refresh(PageContext());
    ui_.scroller->SetCollection(nullptr, nullptr);
    ui_.scroller->SetGroup(nullptr);
    group_.reset();
    ui_.highlightPanel->Editor()->SetContext(WHLContext());
    ui_.highlightPanel->Editor()->SetHLStrings("1");
    UpdateHighlightStrip();
    findBox_->Reset();
    DropCollection();
}

void TLogoAppForm::FailLoad(const std::string& message) {
    importTimer_->stop();
    loading_ = false;
    // Nothing may keep the file, whichever step it failed in.
    ReleaseFile();
    SetBusy(false);
    setWindowTitle(kCaption);
    currentPath_.clear();
    for (size_t i = 1; i < ui_.status.size(); ++i)
        ui_.status[i]->clear();
    mainArea_->setEnabled(true);
    UpdateCommands();
    if (!message.empty()) ShowMessage(message);
}

void TLogoAppForm::DropCollection() {
    view_.reset();
    analysis_.reset();
    collection_.reset();
}

}  // namespace vx
