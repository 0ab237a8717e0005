// The main window: reads the record at the end of its own program file,
// unpacks and loads the embedded GEDCOM, and shows it through the scroller
// (the Active Individual), ten tabs of pages, menus, a toolbar, an optional
// left panel, the highlight strip and a five-panel status bar.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/EmbeddedArchive.h"
#include "gedcom/ExpansionIndex.h"
#include "ui/MainTabs.h"
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

class FamilyAnalysis;
class IslandView;
class WFindBox;
class WGEDCollection;
class WHLGroup;
class WIndScroll;
class WListColumns;
class WSelectionButton;
class TOpenedFileWatch;
class TSenderPage;
class TListPage;
class TIslandsPanel;
class THighlightPanel;
class THighlightStrip;
class MainWindowDialogs;
struct PageContext;

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
    static constexpr const char* kCaption = "Fenwold Vellacor Self-Viewing GEDCOM 1.21";

    // The window's widgets and column sets, for tests and probes to look at
    // and drive as a user would.
    struct Parts {
        static constexpr int kStatusPanels = 5;
        WIndScroll* scroller = nullptr;
        QTabBar* tabs = nullptr;
        QStackedWidget* pages = nullptr;  // one per tab; Highlighted shows List
        TSenderPage* senderPage = nullptr;
        TListPage* listPage = nullptr;
        QWidget* leftPanel = nullptr;
        TIslandsPanel* islandsPanel = nullptr;
        THighlightPanel* highlightPanel = nullptr;
        THighlightStrip* highlightStrip = nullptr;
        QLineEdit* findText = nullptr;
        QMenu* recentMenu = nullptr;
        QAction* shareAction = nullptr;
        std::array<QAction*, kCommandCount> commands{};
        std::array<QAction*, Tab::Count> viewActions{};
        std::array<QLabel*, kStatusPanels> status{};
        WListColumns* listColumns = nullptr;
        WListColumns* desColumns = nullptr;
    };

    // `programPath` is the file whose trailer and archive are read: the
    // running executable, or a packed file in tests.
    explicit TLogoAppForm(std::string programPath, QWidget* parent = nullptr);
    ~TLogoAppForm() override;

    // How the window asks the user; null: the real dialogs. The window does
    // not own `dialogs`.
    void SetDialogs(MainWindowDialogs* dialogs);
    const Parts& Ui() const { return ui_; }

    // What the window shows when it is first shown, instead of the embedded
    // GEDCOM: the GEDCOM file at `gedcomPath`, or, when that is empty, the
    // welcome text with the Open command.
    void StartWith(const std::string& gedcomPath);
    // Opens a GEDCOM file from disk, in place and read-only. False when it
    // could not be opened (the user has been told why, and the window shows
    // its welcome text).
    bool OpenGedcomFile(const std::string& path);
    // Opens, indexes and shows a genealogy file. True when nothing had to be
    // done or the file was loaded; false, after a message, with no file open.
    bool LoadFile(const std::string& path);
    // The recent files, newest first, as the settings keep them.
    static std::vector<std::string> RecentFiles();
    // Highlights by a condition string: the group (made on first use) takes
    // it and is evaluated, and the scroller, the pages, the Highlighted list
    // and the strip follow. A string whose conditions cannot be read is
    // reported and highlights nobody.
    void SetConditions(const std::string& conditions);
    int CurrentTab() const;
    void SelectTab(int tab);
    // Shows the progress count of a long calculation in the status bar
    // until the calculation says it has finished.
    void StartBusyTimer();

    const WGEDCollection* Collection() const { return collection_.get(); }
    // The people the lists, the scroller, find and printing walk: the whole
    // file or the island in use; null without a file.
    const IslandView* View() const { return view_.get(); }
    // The highlighting conditions, or null before the first change.
    WHLGroup* Group() const { return group_.get(); }
    bool IsLoading() const { return loading_; }
    bool StartSequenceDone() const { return startDone_; }
    // What the program ends with: 1 once a damaged or refused payload has
    // been reported (the window then closes), otherwise 0.
    int ExitStatus() const { return exitStatus_; }
    double ImportSeconds() const { return importSeconds_; }
    // The file the window shows: the unpacked GEDCOM, or one opened from disk.
    const std::string& ExtractedPath() const { return currentPath_; }
    // The GEDCOM file opened from disk; empty for an embedded one.
    const std::string& OpenedPath() const { return openedPath_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // The command table names each command's action.
    friend struct MainCommandRows;

    const SenderRecord& Sender() const { return embedded_.Payload.Layout.Sender; }
    // Unpacks and loads the embedded GEDCOM; runs once, when the window is
    // first shown.
    void LoadEmbeddedFile();
    // The steps of LoadFile that may fail by throwing; false, with any
    // message in `failure`, when the file cannot be read or the user
    // cancelled.
    bool LoadAndIndex(const std::string& path, std::string& failure);
    // Every page, list and panel lets go of the file, which closes.
    void ReleaseFile();
    // Refreshes the current page; QuickHelp asked for meanwhile follows.
    void RefreshView();
    void RepaintView();
    void MarkAllStale();
    void RefreshPage();
    // Offers QuickHelp entry n when the settings still want it shown.
    void ShowQuickHelp(int entry);
    void ShowPendingHelp();
    // Copies the current tab's text to the clipboard.
    void CopyToClipboard();
    // Copies the unpacked GEDCOM where the user chooses, when allowed.
    void ExtractGedcom();
    // "Print": the print dialog on the current tab's report.
    void PrintReport();
    // "Share as Self-Viewing File...": the share dialog on the open file.
    void ShareFile();
    void BuildFileCommands();
    void RefreshRecentMenu();
    void ShowWelcome();
    void AskAndOpen();
    // The opened file changed on disk: it is read again. It disappeared:
    // the window keeps what it shows and says so.
    void OpenedFileChanged();
    void OpenedFileRemoved();
    // Where "Share" puts its file by default, and the name reports start
    // from.
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
    // "Quick Find" and "Advanced Find": the chosen individual becomes the
    // Active Individual.
    void FindIndividual(Command command);
    // "Options...": the dialog, then the new settings on every page.
    void ShowOptions();
    void ToggleLeftPanel(int page);
    // The highlighting page of the left panel, shown without toggling.
    void ShowHighlightingPage();
    // The condition editor changed: the group takes its conditions, and the
    // pages, the scroller, the Highlighted list and the strip follow.
    void HighlightingChanged();
    void UpdateHighlightStrip();
    bool HasHighlighting() const;
    // "Quick Find" for the condition editors' individuals, without colours.
    bool FindIndividualForCondition(QWidget* parent, int32_t& individual);
    void UseIsland(int32_t rank);
    // Closes the file with its analyses and view (those first: they point
    // at it).
    void DropCollection();
    // The open file, the Active Individual and the switches, for the pages.
    PageContext CurrentContext() const;
    void FreeLists();
    // Everything of the file that failed to load goes; the message, if
    // any, follows.
    void FailLoad(const std::string& message);

    std::string programPath_;
    TEmbeddedGedcom embedded_;
    // Indexes made while embedded_ expanded, until its load takes them.
    std::optional<ExpansionIndex::Result> expansionIndex_;
    std::string currentPath_;
    std::string openedPath_;
    bool startChosen_ = false;
    std::string startupFile_;
    std::unique_ptr<MainWindowDialogs> modalDialogs_;
    MainWindowDialogs* dialogs_ = nullptr;
    TOpenedFileWatch* fileWatch_ = nullptr;
    std::unique_ptr<WGEDCollection> collection_;
    // Made beside the collection and gone with it.
    std::unique_ptr<FamilyAnalysis> analysis_;
    std::unique_ptr<IslandView> view_;
    std::unique_ptr<WHLGroup> group_;
    std::unique_ptr<WListColumns> listColumns_;
    std::unique_ptr<WListColumns> desColumns_;
    std::unique_ptr<WListColumns> islandColumns_;
    // The tabs in tab order; the two list tabs keep the List and
    // Highlighted lists, made on demand and freed with the file.
    std::vector<std::unique_ptr<MainTab>> tabs_;
    ListTab* listTab_ = nullptr;
    ListTab* highlightedTab_ = nullptr;
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

    Parts ui_;
    MainPages pages_;
    QAction* openAction_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* mainArea_ = nullptr;
    QStackedWidget* leftPages_ = nullptr;
    WSelectionButton* quickSelection_ = nullptr;
    WFindBox* findBox_ = nullptr;
    QTimer* importTimer_ = nullptr;
    QTimer* clearStatusTimer_ = nullptr;
    QTimer* busyTimer_ = nullptr;
};

}  // namespace vx
