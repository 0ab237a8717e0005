#include "ui/LogoMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <utility>

#include "analysis/FamilyAnalysis.h"
#include "analysis/IslandView.h"
#include "app/Errors.h"
#include "app/Options.h"
#include "app/Services.h"
#include "app/Settings.h"
#include "app/TextUtil.h"
#include "app/WinPos.h"
#include "columns/ListColumns.h"
#include "gedcom/GEDCollection.h"
#include "highlight/HLGroup.h"
#include "platform/TempFiles.h"
#include "ui/DescendantsTab.h"
#include "ui/FamilyTab.h"
#include "ui/FindBox.h"
#include "ui/GeneralTab.h"
#include "ui/HLGuiColMan.h"
#include "ui/HighlightPanel.h"
#include "ui/HighlightStrip.h"
#include "ui/IndividualTab.h"
#include "ui/IslandsPanel.h"
#include "ui/IslandsTab.h"
#include "ui/ListPage.h"
#include "ui/MainDialogs.h"
#include "ui/OpenTimings.h"
#include "ui/PageContext.h"
#include "ui/PedigreeTab.h"
#include "ui/SenderPage.h"
#include "ui/SourcesTab.h"
#include "widgets/IndScroll.h"
#include "widgets/QtText.h"
#include "widgets/SelectionButton.h"

namespace vx {
namespace {

// QuickHelp entries this window offers, by entry number.
struct QuickHelpEntry {
    int entry;
    const char* title;
};
constexpr QuickHelpEntry kQuickHelp[] = {
    {1, "Welcome to Vellacor Self-Viewing GEDCOM"},
    {2, "General Tab"},
    {3, "Individual Tab"},
    {4, "Family Tab"},
    {5, "Pedigree Tab"},
    {6, "Descendants Tab"},
    {7, "List Tab"},
    {8, "Highlighted Tab"},
    {9, "Islands Tab"},
    {10, "Sources Tab"},
    {14, "Highlighting Panel"},
    {15, "Islands Panel"},
};

// The page that shows each tab: "Highlighted" shares the List page.
int PageOfTab(int tab) {
    return tab == Tab::Highlighted ? Tab::List : tab;
}

}  // namespace

TLogoAppForm::TLogoAppForm(std::string programPath, QWidget* parent)
    : QMainWindow(parent), programPath_(std::move(programPath)) {
    setObjectName("LogoAppForm");
    SetDialogs(nullptr);
    listColumns_ = std::make_unique<WListColumns>(nullptr, ListSectionName(ListSection::List));
    desColumns_ = std::make_unique<WListColumns>(nullptr, ListSectionName(ListSection::DesList));
    islandColumns_ =
        std::make_unique<WListColumns>(nullptr, ListSectionName(ListSection::IslandList));
    // A damaged column string keeps the columns read before the fault.
    const std::pair<WListColumns*, std::string> columnStrings[] = {
        {listColumns_.get(), ReadListColumnString()},
        {desColumns_.get(), WOptions::GetText(opt::kDesColumns)},
        {islandColumns_.get(), WOptions::GetText(opt::kIslandColumns)}};
    for (const auto& [columns, text] : columnStrings) {
        try {
            columns->SetColumnString(text);
        } catch (const VxError&) {
        }
    }
    BuildCentralArea();
    BuildCommands();
    BuildFileCommands();
    findBox_ = new WFindBox(*ui_.findText, *quickSelection_, *ui_.scroller,
                            *ui_.commands[kCmdFindNext], *ui_.commands[kCmdFindPrevious], this);
    BuildStatusBar();
    BuildPages();
    ApplyOptions();
    platform::RemoveStaleTempFiles();
    setWindowTitle(kCaption);
    ResetState();

    ApplyDisplaySizes();
    ui_.leftPanel->hide();
    RestorePlacement();
    ui_.listColumns = listColumns_.get();
    ui_.desColumns = desColumns_.get();
}

void TLogoAppForm::SetDialogs(MainWindowDialogs* dialogs) {
    if (!dialogs && !modalDialogs_) modalDialogs_ = std::make_unique<ModalDialogs>();
    dialogs_ = dialogs ? dialogs : modalDialogs_.get();
}

TLogoAppForm::~TLogoAppForm() {
    // The column sets keep their widths in the settings; the column strings
    // go back where they came from.
    for (const auto& tab : tabs_)
        tab->StoreColumnWidths();
    WriteListColumnString(listColumns_->ColumnString());
    WOptions::SetText(opt::kDesColumns, desColumns_->ColumnString());
    WOptions::SetText(opt::kIslandColumns, islandColumns_->ColumnString());
    FreeLists();
    group_.reset();
    if (ui_.scroller) ui_.scroller->SetCollection(nullptr, nullptr);
    listColumns_->SetAnalysis(nullptr);
    desColumns_->SetAnalysis(nullptr);
    islandColumns_->SetAnalysis(nullptr);
    DropCollection();
    // The pages read the column sets and lists; they go before those do.
    tabs_.clear();
    delete takeCentralWidget();
    ui_.scroller = nullptr;
    ui_.senderPage = nullptr;
    ui_.listPage = nullptr;
    pages_ = MainPages();
    // The extracted file is deleted with its owner.
    embedded_.File.Delete();
    WOptions::Save();
}

void TLogoAppForm::BuildCentralArea() {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    ui_.leftPanel = new QWidget;
    ui_.leftPanel->setObjectName("LeftPanel");
    auto* leftLayout = new QVBoxLayout(ui_.leftPanel);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftPages_ = new QStackedWidget;
    ui_.islandsPanel = new TIslandsPanel;
    leftPages_->addWidget(ui_.islandsPanel);
    ui_.highlightPanel = new THighlightPanel;
    leftPages_->addWidget(ui_.highlightPanel);
    leftLayout->addWidget(leftPages_);

    mainArea_ = new QWidget;
    mainArea_->setObjectName("panMainArea");
    auto* layout = new QVBoxLayout(mainArea_);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    ui_.tabs = new QTabBar;
    ui_.tabs->setObjectName("TabControl");
    for (int tab = 0; tab < Tab::Count; ++tab)
        ui_.tabs->addTab(TabCaption(tab));
    ui_.tabs->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(ui_.tabs);
    ui_.scroller = new WIndScroll;
    ui_.scroller->setObjectName("IndScroll");
    layout->addWidget(ui_.scroller);
    ui_.pages = new QStackedWidget;
    ui_.pages->setObjectName("NBMain");
    layout->addWidget(ui_.pages, 1);
    ui_.highlightStrip = new THighlightStrip;
    layout->addWidget(ui_.highlightStrip);

    splitter_->addWidget(ui_.leftPanel);
    splitter_->addWidget(mainArea_);
    splitter_->setStretchFactor(1, 1);
    setCentralWidget(splitter_);

    connect(ui_.tabs, &QTabBar::currentChanged, this, [this](int tab) {
        ui_.pages->setCurrentIndex(PageOfTab(tab));
        WOptions::SetInt(opt::kLastTab, tab);
        RefreshView();
    });
    connect(ui_.scroller, &WIndScroll::Changed, this, &TLogoAppForm::ScrollerChanged);
    connect(ui_.scroller, &WIndScroll::HistoryChanged, this, &TLogoAppForm::UpdateCommands);
    connect(ui_.islandsPanel, &TIslandsPanel::IslandViewChanged, this, &TLogoAppForm::UseIsland);
    connect(ui_.islandsPanel, &TIslandsPanel::IslandsCalculated, this, &TLogoAppForm::RefreshView);
    WHLGuiColMan* conditions = ui_.highlightPanel->Editor();
    connect(conditions, &WHLGuiMan::ConditionsChanged, this, &TLogoAppForm::HighlightingChanged);
    connect(conditions, &WHLGuiMan::StateChanged, this, &TLogoAppForm::UpdateHighlightStrip);
    connect(ui_.highlightPanel, &THighlightPanel::CloseRequested, this,
            [this] { ToggleLeftPanel(1); });
    connect(ui_.islandsPanel, &TIslandsPanel::CloseRequested, this, [this] { ToggleLeftPanel(0); });
}

// One page per tab; the Highlighted tab shows the List page, so its own
// slot stays empty and page numbers equal tab numbers.
void TLogoAppForm::BuildPages() {
    ui_.senderPage = new TSenderPage;
    connect(ui_.senderPage, &TSenderPage::ExtractRequested, this, &TLogoAppForm::ExtractGedcom);
    connect(ui_.senderPage, &TSenderPage::OpenRequested, this, &TLogoAppForm::AskAndOpen);
    pages_.general = new TGeneralPage;
    pages_.individual = new TIndividualPage;
    pages_.family = new TFamilyPage;
    pages_.pedigree = new TPedigreePage;
    pages_.descendants = new TDescendantsPage(*desColumns_);
    ui_.listPage = pages_.list = new TListPage(*listColumns_);
    pages_.islands = new TIslandsPage(*islandColumns_);
    pages_.sources = new TSourcesPage;
    QWidget* pages[Tab::Count] = {
        ui_.senderPage,     pages_.general, pages_.individual, pages_.family,  pages_.pedigree,
        pages_.descendants, pages_.list,    new QWidget,       pages_.islands, pages_.sources};
    for (QWidget* page : pages)
        ui_.pages->addWidget(page);
    auto list =
        std::make_unique<ListTab>(Tab::List, *pages_.list, *listColumns_, false, ListTab::Hooks());
    ListTab::Hooks highlightedHooks;
    highlightedHooks.beforeRefresh = [this] {
        if (WOptions::GetFlag(opt::kShowHlPanel)) ShowHighlightingPage();
    };
    highlightedHooks.startBusyTimer = [this] { StartBusyTimer(); };
    auto highlighted = std::make_unique<ListTab>(Tab::Highlighted, *pages_.list, *listColumns_,
                                                 true, std::move(highlightedHooks));
    listTab_ = list.get();
    highlightedTab_ = highlighted.get();
    tabs_ = MakeMainTabs(pages_, std::move(list), std::move(highlighted));
    // Double-clicking a person anywhere moves there through the scroller.
    connect(pages_.individual, &TIndividualPage::IndividualChosen, ui_.scroller,
            &WIndScroll::GoToIndividual);
    connect(pages_.family, &TFamilyPage::IndividualChosen, ui_.scroller,
            &WIndScroll::GoToIndividual);
    connect(pages_.pedigree, &TPedigreePage::IndividualChosen, ui_.scroller,
            &WIndScroll::GoToIndividual);
    connect(pages_.descendants, &TDescendantsPage::IndividualChosen, ui_.scroller,
            &WIndScroll::GoToIndividual);
    connect(ui_.listPage, &TListPage::IndividualChosen, ui_.scroller, &WIndScroll::GoToIndividual);
    connect(pages_.islands, &TIslandsPage::IndividualChosen, ui_.scroller,
            &WIndScroll::GoToIndividual);
}

PageContext TLogoAppForm::CurrentContext() const {
    PageContext context;
    if (!collection_) return context;
    context.collection = collection_.get();
    context.analysis = analysis_.get();
    context.view = view_.get();
    context.group = group_.get();
    context.active = ui_.scroller->CurrentIndividual();
    context.raw = rawMode_;
    context.importSeconds = importSeconds_;
    context.fileName = std::filesystem::path(currentPath_).filename().string();
    context.fontSize = std::clamp(WOptions::GetInt(opt::kFontSize), 4, 72);
    context.rowHeight = std::clamp(WOptions::GetInt(opt::kGridHeight), 8, 200);
    return context;
}

void TLogoAppForm::BuildStatusBar() {
    constexpr int kWidths[5] = {0, 70, 70, 70, 80};
    for (size_t i = 0; i < ui_.status.size(); ++i) {
        ui_.status[i] = new QLabel;
        ui_.status[i]->setObjectName(QString("StatusPanel%1").arg(i));
        if (i == 0) {
            statusBar()->addWidget(ui_.status[i], 1);
        } else {
            ui_.status[i]->setFixedWidth(kWidths[i]);
            statusBar()->addPermanentWidget(ui_.status[i]);
        }
    }
    importTimer_ = new QTimer(this);
    connect(importTimer_, &QTimer::timeout, this, &TLogoAppForm::ImportTick);
    clearStatusTimer_ = new QTimer(this);
    clearStatusTimer_->setSingleShot(true);
    clearStatusTimer_->setInterval(3000);
    connect(clearStatusTimer_, &QTimer::timeout, this, &TLogoAppForm::ClearStatus);
    busyTimer_ = new QTimer(this);
    busyTimer_->setInterval(50);
    connect(busyTimer_, &QTimer::timeout, this, &TLogoAppForm::BusyTick);
}

void TLogoAppForm::StartBusyTimer() {
    busyTimer_->start();
}

void TLogoAppForm::BusyTick() {
    // The count shows while the work runs and goes when it ends.
    if (ProgressRunning()) {
        ui_.status[0]->setText(QString::number(ProgressCount()));
        return;
    }
    busyTimer_->stop();
    ui_.status[0]->clear();
}

void TLogoAppForm::ResetState() {
    DropCollection();
    findBox_->Reset();
    ui_.tabs->setCurrentIndex(Tab::Sender);
    ui_.pages->setCurrentIndex(Tab::Sender);
}

void TLogoAppForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShow_) return;
    firstShow_ = false;
    // Load once the window has painted, so the wait dialog has an owner.
    // The welcome help follows, when the splash no longer covers it.
    QTimer::singleShot(0, this, [this] {
        if (!startChosen_)
            LoadEmbeddedFile();
        else if (startupFile_.empty())
            ShowWelcome();
        else if (!OpenGedcomFile(startupFile_))
            ShowWelcome();
        if (OpenTimingsWanted()) {
            ReportOpenTimingsAndQuit(*this, expandSeconds_);
            return;
        }
        ShowQuickHelp(1);
    });
}

void TLogoAppForm::FreeLists() {
    // Nothing may point at a list or a file that goes: every tab forgets.
    for (const auto& tab : tabs_)
        tab->Free();
}

void TLogoAppForm::MarkAllStale() {
    for (const auto& tab : tabs_)
        tab->MarkStale();
}

void TLogoAppForm::UpdateStatusCounts() {
    const WABSCollection* c = collection_.get();
    const int64_t counts[4] = {c ? c->IndividualCount() : 0, c ? c->FamilyCount() : 0,
                               c ? c->NoteCount() : 0, c ? c->SourceCount() : 0};
    const char* labels[4] = {"I: ", "F: ", "N: ", "S: "};
    for (int i = 0; i < 4; ++i)
        ui_.status[static_cast<size_t>(i + 1)]->setText(
            ToQt(labels[i] + FormatThousands(counts[i])));
}

// While a file loads the counts grow with the indexing.
void TLogoAppForm::ImportTick() {
    importTimer_->setInterval(250);
    if (!collection_) return;
    ui_.status[0]->setText(loading_ ? "(Analyzing - Please Wait...)" : "");
    UpdateStatusCounts();
}

void TLogoAppForm::ClearStatus() {
    ui_.status[0]->clear();
}

int TLogoAppForm::CurrentTab() const {
    return ui_.tabs->currentIndex();
}

void TLogoAppForm::SelectTab(int tab) {
    if (tab >= 0 && tab < Tab::Count) ui_.tabs->setCurrentIndex(tab);
}

void TLogoAppForm::RefreshView() {
    if (loading_) return;
    ++refreshing_;
    try {
        RefreshPage();
    } catch (const std::exception& error) {
        // A list that could not be made (no room for its temporary file, no
        // memory): the tab shows nothing and tries again on its next visit;
        // the window stays usable.
        if (const int tab = CurrentTab(); tab >= 0 && tab < Tab::Count) {
            tabs_[static_cast<size_t>(tab)]->Free();
            tabs_[static_cast<size_t>(tab)]->MarkStale();
        }
        ui_.leftPanel->setEnabled(true);
        UpdateCommands();
        ShowMessage(error.what());
    }
    if (--refreshing_ == 0) ShowPendingHelp();
}

void TLogoAppForm::RefreshPage() {
    const int tab = CurrentTab();
    if (tab < 0 || tab >= Tab::Count) return;
    ui_.leftPanel->setEnabled(false);
    const PageContext context = CurrentContext();
    tabs_[static_cast<size_t>(tab)]->Refresh(context);
    if (ui_.leftPanel->isVisible() && leftPages_->currentIndex() == 0)
        ui_.islandsPanel->Refresh(context);
    ui_.leftPanel->setEnabled(true);
    UpdateCommands();
    // The tab's help shows over the page it explains.
    const int help = tabs_[static_cast<size_t>(tab)]->QuickHelpEntry();
    if (collection_ && help != 0) ShowQuickHelp(help);
}

// Confines the whole window to one island (0: the whole file again): the
// scroller starts over, the find lists are made anew, every list is stale.
void TLogoAppForm::UseIsland(int32_t rank) {
    if (!collection_) return;
    if (rank > 0)
        view_->Use(analysis_->Islands(), rank);
    else
        view_->Clear();
    FreeLists();
    findBox_->Attach(collection_.get(), view_.get());
    ui_.scroller->SetCollection(nullptr, nullptr);
    ui_.scroller->SetCollection(collection_.get(), view_.get());
    MarkAllStale();
    RefreshView();
    findBox_->Fill();
}

void TLogoAppForm::RepaintView() {
    if (loading_) return;
    highlightedTab_->MarkStale();
    RefreshView();
}

void TLogoAppForm::ScrollerChanged() {
    RefreshView();
    findBox_->Fill();
    if (collection_) listColumns_->SetBasePerson(ui_.scroller->CurrentIndividual());
}

void TLogoAppForm::ShowQuickHelp(int entry) {
    if (!WOptions::GetFlag(opt::kDispInitHelp)) return;
    const int key = opt::kIH1 + entry - 1;
    if (entry < 1 || entry > 16 || !WOptions::GetFlag(key)) return;
    if (refreshing_ > 0) {
        if (std::find(pendingHelp_.begin(), pendingHelp_.end(), entry) == pendingHelp_.end())
            pendingHelp_.push_back(entry);
        return;
    }
    for (const QuickHelpEntry& help : kQuickHelp) {
        if (help.entry != entry) continue;
        dialogs_->OfferQuickHelp(this, entry, help.title);
        return;
    }
}

void TLogoAppForm::ShowPendingHelp() {
    // Each entry is offered after the one before it has closed; one the
    // user has stopped or seen meanwhile is skipped by ShowQuickHelp.
    const std::vector<int> entries = std::exchange(pendingHelp_, {});
    for (const int entry : entries)
        ShowQuickHelp(entry);
}

void TLogoAppForm::ApplyOptions() {
    ui_.highlightStrip->ApplyColours();
    ui_.highlightPanel->Editor()->SetManualApply(WOptions::GetFlag(opt::kHLManual));
    UpdateHighlightStrip();
    // The Individual tab's own "Chronological" box shows the setting.
    QCheckBox* chronological = pages_.individual->ChronologicalBox();
    const QSignalBlocker quiet(chronological);
    chronological->setChecked(WOptions::GetFlag(opt::kChrono));
}

// Font size and row height from the settings; 0 means never set.
void TLogoAppForm::ApplyDisplaySizes() {
    int size = WOptions::GetInt(opt::kFontSize);
    if (size == 0) {
        WOptions::SetInt(opt::kFontSize, 8);
        WOptions::SetInt(opt::kGridHeight, 14);
        size = 8;
    }
    size = std::clamp(size, 4, 72);
    ui_.scroller->SetLabelFontSize(size);
    // The pages that rebuild themselves read the sizes from their context;
    // these grids, labels and memos take them here. Rows stay at least one
    // line of the font high, whatever the screen's resolution.
    QFont font = ui_.listPage->Grid()->font();
    font.setPointSize(size);
    const int rowHeight = std::max(std::clamp(WOptions::GetInt(opt::kGridHeight), 8, 200),
                                   QFontMetrics(font).height() + 2);
    for (const auto& tab : tabs_)
        tab->ApplyDisplaySizes(font, rowHeight);
    SetGridSizes(*ui_.islandsPanel->Grid(), font, rowHeight);
    ui_.islandsPanel->ApplyColumnWidths();
    ui_.islandsPanel->CountLabel()->setFont(font);
}

void TLogoAppForm::RestorePlacement() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const WindowPlacement placement =
        vx::RestorePlacement("General", available.width(), available.height());
    QRect normal(QPoint(placement.left, placement.top),
                 QPoint(placement.right - 1, placement.bottom - 1));
    // A placement that would not fit on this screen falls back to the
    // middle three quarters of it.
    if (normal.width() < 200 || normal.height() < 150 || !available.intersects(normal))
        normal =
            QRect(available.x() + available.width() / 8, available.y() + available.height() / 8,
                  available.width() * 3 / 4, available.height() * 3 / 4);
    setGeometry(normal);
    if (placement.showCmd == 3) setWindowState(windowState() | Qt::WindowMaximized);
}

void TLogoAppForm::StorePlacement() {
    WindowPlacement placement;
    placement.showCmd = isMaximized() ? 3 : isMinimized() ? 2 : 1;
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.right() + 1;
    placement.bottom = normal.bottom() + 1;
    SavePlacement("General", placement);
}

void TLogoAppForm::closeEvent(QCloseEvent* event) {
    if (collection_) WOptions::SetInt(opt::kLastID, ui_.scroller->CurrentIndividual());
    WOptions::SetFlag(opt::kLastPanelState, ui_.leftPanel->isVisible());
    WOptions::SetInt(opt::kLastPanel, leftPages_->currentIndex());
    if (ui_.leftPanel->isVisible()) WOptions::SetInt(opt::kLastPanelWidth, ui_.leftPanel->width());
    StorePlacement();
    QMainWindow::closeEvent(event);
}

void TLogoAppForm::ToggleLeftPanel(int page) {
    const bool same = ui_.leftPanel->isVisible() && leftPages_->currentIndex() == page;
    if (same) {
        WOptions::SetInt(opt::kLastPanelWidth, ui_.leftPanel->width());
        ui_.leftPanel->hide();
    } else {
        leftPages_->setCurrentIndex(page);
        ui_.leftPanel->show();
        if (page == 0) ui_.islandsPanel->Refresh(CurrentContext());
        // The condition editors need room for their lists and parameters,
        // the islands grid for its columns in the current font.
        const int least = page == 1 ? 230 : std::max(100, ui_.islandsPanel->PreferredWidth());
        const int width = std::max(least, WOptions::GetInt(opt::kLastPanelWidth));
        splitter_->setSizes({width, std::max(1, splitter_->width() - width)});
        ShowQuickHelp(page == 0 ? 15 : 14);
    }
    ui_.commands[kCmdIslandsPanel]->setChecked(ui_.leftPanel->isVisible() && page == 0 && !same);
    ui_.commands[kCmdHighlightingPanel]->setChecked(ui_.leftPanel->isVisible() && page == 1 &&
                                                    !same);
}

}  // namespace vx
