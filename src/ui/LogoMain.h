// The main window: reads the record at the end of its own program file,
// unpacks and loads the embedded GEDCOM, and shows it through the scroller
// (the Active Individual), ten tabs of pages, menus, a toolbar, an optional
// left panel, the highlight strip and a five-panel status bar.
#pragma once

#include <QMainWindow>
#include <array>
#include <bitset>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/EmbeddedArchive.h"
#include "ui/Tabs.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTabBar;
class QTimer;
class QToolBar;
class QToolButton;

namespace vx {

class WABSCollection;
class WColHLIterator;
class WColSortIterator;
class WFindBox;
class WGEDCollection;
class WHLGroup;
class WIndScroll;
class WListColumns;
class WSelectionButton;
class TOpenedFileWatch;
class TSenderPage;
class TGeneralPage;
class TIndividualPage;
class TFamilyPage;
class TPedigreePage;
class TDescendantsPage;
class TListPage;
class TIslandsPage;
class TSourcesPage;
class TIslandsPanel;
class THighlightPanel;
class THighlightStrip;
struct PageContext;
namespace reports {
class TPrintDlg;
}

class TLogoAppForm : public QMainWindow {
    Q_OBJECT

  public:
    // The commands of the menus and the toolbar.
    enum Command : int {
        kCmdPrint,
        kCmdExit,
        kCmdCopy,
        kCmdFindNext,
        kCmdFindPrevious,
        kCmdNextHighlighted,
        kCmdPreviousHighlighted,
        kCmdQuickFind,
        kCmdAdvancedFind,
        kCmdHighlightingPanel,
        kCmdIslandsPanel,
        kCmdRawData,
        kCmdGoBack,
        kCmdGoForward,
        kCmdOptions,
        kCmdResetQuickHelp,
        kCmdAbout,
        kCommandCount
    };
    static constexpr int kStaleFlags = 15;
    // The stale flag of the Highlighted view (the others follow the pages).
    static constexpr int kStaleHighlighted = 13;
    static constexpr const char* kCaption = "Fenwold Vellacor Self-Viewing GEDCOM 1.21";

    // `programPath` is the file whose trailer and archive are read: the
    // running executable, or a packed file in tests.
    explicit TLogoAppForm(std::string programPath, QWidget* parent = nullptr);
    ~TLogoAppForm() override;

    // Unpacks and loads the embedded GEDCOM; runs once, when the window is
    // first shown.
    void LoadEmbeddedFile();
    // What the window shows when it is first shown, instead of the embedded
    // GEDCOM: the GEDCOM file at `gedcomPath`, or, when that is empty, the
    // welcome text with the Open command.
    void StartWith(const std::string& gedcomPath);
    // Opens a GEDCOM file from disk, in place and read-only. False when it
    // could not be opened (the user has been told why).
    bool OpenGedcomFile(const std::string& path);
    // The GEDCOM file opened from disk; empty for an embedded one.
    const std::string& OpenedPath() const { return openedPath_; }
    // "Open...": asks for a file; tests replace the dialog.
    std::function<QString()> openPathChooser;
    // The recent files, newest first, as the settings keep them.
    static std::vector<std::string> RecentFiles();
    QMenu* RecentMenu() const { return recentMenu_; }
    QAction* OpenAction() const { return openAction_; }
    QAction* ShareAction() const { return shareAction_; }
    // "Share as Self-Viewing File...": the share dialog on the open file.
    void ShareFile();
    // How the share dialog is run; tests replace the modal run.
    std::function<void(class TShareDlg& dialog)> shareDialogRunner;
    // Opens, indexes and shows a genealogy file. True when nothing had to be
    // done or the file was loaded.
    bool LoadFile(const std::string& path);
    // Refreshes the current page; QuickHelp asked for meanwhile follows.
    void RefreshView();
    void RepaintView();
    void MarkAllStale() { staleFlags_.set(); }
    // Shows the progress count of a long calculation in the status bar
    // until the calculation says it has finished.
    void StartBusyTimer();
    // Offers QuickHelp entry n when the settings still want it shown.
    void ShowQuickHelp(int entry);
    // Copies the current tab's text to the clipboard.
    void CopyToClipboard();
    // How the list format is chosen for copying: 0 cancel, 1 fixed, 2 CSV,
    // 3 CSV also saved to `fileName`. Tests replace the dialog.
    std::function<int(QString& fileName)> listFormatChooser;
    // Copies the unpacked GEDCOM where the user chooses, when allowed.
    void ExtractGedcom();
    // How the extraction target is asked for; tests replace the dialog.
    std::function<QString(const QString& proposed)> extractPathChooser;
    // "Print": the print dialog on the current tab's report.
    void PrintReport();
    // How the set-up print dialog is run; tests replace the modal run.
    std::function<void(reports::TPrintDlg& dialog)> printDialogRunner;
    // How QuickHelp entries are shown; the default is the Quick Help dialog,
    // which also records the entry as seen. Tests replace it.
    std::function<void(int entry, const QString& title)> quickHelpSink;

    const WGEDCollection* Collection() const { return collection_.get(); }
    const SenderRecord& Sender() const { return embedded_.Payload.Layout.Sender; }
    bool IsLoading() const { return loading_; }
    bool StartSequenceDone() const { return startDone_; }
    // What the program ends with: 1 once a damaged or refused payload has
    // been reported (the window then closes), otherwise 0.
    int ExitStatus() const { return exitStatus_; }
    double ImportSeconds() const { return importSeconds_; }
    const std::string& ExtractedPath() const { return currentPath_; }
    int CurrentTab() const;
    void SelectTab(int tab);
    bool IsStale(int page) const { return staleFlags_.test(static_cast<size_t>(page)); }
    WIndScroll* Scroller() const { return scroller_; }
    QTabBar* Tabs() const { return tabs_; }
    QStackedWidget* Pages() const { return pages_; }
    TSenderPage* SenderPage() const { return senderPage_; }
    TListPage* ListPage() const { return listPage_; }
    QAction* CommandAction(Command command) const { return actions_[command]; }
    QAction* ViewAction(int tab) const { return viewActions_[static_cast<size_t>(tab)]; }
    QLabel* StatusPanel(int panel) const { return status_[static_cast<size_t>(panel)]; }
    QWidget* LeftPanel() const { return leftPanel_; }
    TIslandsPanel* IslandsPanel() const { return islandsPanel_; }
    THighlightPanel* HighlightPanel() const { return highlightPanel_; }
    THighlightStrip* HighlightStrip() const { return highlightStrip_; }
    // The highlighting conditions, or null before the first change.
    WHLGroup* Group() const { return group_.get(); }
    // Whether any condition highlights (the group has conditions).
    bool HasHighlighting() const;
    // Highlights by a condition string: the group (made on first use) takes
    // it and is evaluated, and the scroller, the pages, the Highlighted list
    // and the strip follow. A string whose conditions cannot be read is
    // reported and highlights nobody.
    void SetConditions(const std::string& conditions);
    QLineEdit* FindBox() const { return edFind_; }
    WSelectionButton* QuickSelectionButton() const { return quickSelection_; }
    WFindBox* FindState() const { return findBox_; }
    WListColumns& ListColumns() const { return *listColumns_; }
    WListColumns& DesColumns() const { return *desColumns_; }
    WListColumns& IslandColumns() const { return *islandColumns_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void RefreshPage();
    void ShowPendingHelp();
    void BuildFileCommands();
    void RefreshRecentMenu();
    void ShowWelcome();
    void AskAndOpen();
    // The opened file changed on disk: it is read again. It disappeared:
    // the window keeps what it shows and says so.
    void OpenedFileChanged();
    void OpenedFileRemoved();
    // Where "Share" and the reports put their files by default, and the
    // name they start from.
    std::string DefaultOutputFolder() const;
    QString FileTitle() const;
    void BuildCentralArea();
    void BuildCommands();
    void BuildStatusBar();
    void BuildPages();
    void ResetState();
    void ApplyOptions();
    void ApplyDisplaySizes();
    void RestorePlacement();
    void StorePlacement();
    void UpdateCommands();
    void UpdateStatusCounts();
    void ImportTick();
    void ClearStatus();
    void BusyTick();
    void ScrollerChanged();
    void RunCommand(Command command);
    // "Options...": the dialog, then the new settings on every page.
    void ShowOptions();
    void ToggleLeftPanel(int page);
    // The highlighting page of the left panel, shown without toggling.
    void ShowHighlightingPage();
    // The condition editor changed: the group takes its conditions, and the
    // pages, the scroller, the Highlighted list and the strip follow.
    void HighlightingChanged();
    void UpdateHighlightStrip();
    // "Quick Find" for the condition editors' individuals, without colours.
    bool FindIndividualForCondition(QWidget* parent, int32_t& individual);
    void RefreshListPage(bool highlighted);
    void UseIsland(int32_t rank);
    int ChooseListFormat(QString& fileName);
    QString AskExtractPath(const QString& proposed);
    // The open file, the Active Individual and the switches, for the pages.
    PageContext CurrentContext() const;
    void FreeLists();
    void FailLoad(const std::string& message);

    std::string programPath_;
    TEmbeddedGedcom embedded_;
    std::string currentPath_;
    std::string openedPath_;
    bool startChosen_ = false;
    std::string startupFile_;
    QMenu* recentMenu_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* shareAction_ = nullptr;
    TOpenedFileWatch* fileWatch_ = nullptr;
    std::unique_ptr<WGEDCollection> collection_;
    std::unique_ptr<WHLGroup> group_;
    std::unique_ptr<WListColumns> listColumns_;
    std::unique_ptr<WListColumns> desColumns_;
    std::unique_ptr<WListColumns> islandColumns_;
    // The List and Highlighted tabs' lists, built on demand and freed
    // whenever a file is loaded; the other pages keep their own.
    std::unique_ptr<WColSortIterator> sortedList_;
    std::unique_ptr<WColHLIterator> highlightedList_;
    std::bitset<kStaleFlags> staleFlags_;
    bool loading_ = false;
    // While a page refreshes, QuickHelp entries wait here; they show one at
    // a time once the page is ready.
    int refreshing_ = 0;
    std::vector<int> pendingHelp_;
    bool startDone_ = false;
    int exitStatus_ = 0;
    double expandSeconds_ = 0;
    bool firstShow_ = true;
    bool rawMode_ = false;
    double importSeconds_ = 0;

    WIndScroll* scroller_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    TSenderPage* senderPage_ = nullptr;
    TGeneralPage* generalPage_ = nullptr;
    TIndividualPage* individualPage_ = nullptr;
    TFamilyPage* familyPage_ = nullptr;
    TPedigreePage* pedigreePage_ = nullptr;
    TDescendantsPage* descendantsPage_ = nullptr;
    TListPage* listPage_ = nullptr;
    TIslandsPage* islandsPage_ = nullptr;
    TSourcesPage* sourcesPage_ = nullptr;
    TIslandsPanel* islandsPanel_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* mainArea_ = nullptr;
    QWidget* leftPanel_ = nullptr;
    QStackedWidget* leftPages_ = nullptr;
    THighlightPanel* highlightPanel_ = nullptr;
    THighlightStrip* highlightStrip_ = nullptr;
    QLineEdit* edFind_ = nullptr;
    WSelectionButton* quickSelection_ = nullptr;
    WFindBox* findBox_ = nullptr;
    std::array<QAction*, kCommandCount> actions_{};
    std::array<QAction*, Tab::Count> viewActions_{};
    std::array<QLabel*, 5> status_{};
    QTimer* importTimer_ = nullptr;
    QTimer* clearStatusTimer_ = nullptr;
    QTimer* busyTimer_ = nullptr;
};

}  // namespace vx
