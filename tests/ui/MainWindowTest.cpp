// The real main window on a packed program file: vellacor-tool packs a
// GEDCOM, the window unpacks and loads it, and the test drives the tabs,
// the menus, the scroller's history and the shutdown.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "QtTestSupport.h"
#include "ScriptedDialogs.h"
#include "analysis/IslandView.h"
#include "app/Options.h"
#include "app/Services.h"
#include "archive/SenderRecord.h"
#include "archive/ViewerMark.h"
#include "dialogs/CopyDialogs.h"
#include "gedcom/GEDCollection.h"
#include "ui/HighlightPanel.h"
#include "ui/IslandsPanel.h"
#include "ui/ListPage.h"
#include "ui/LogoMain.h"
#include "ui/SenderPage.h"
#include "ui/Startup.h"
#include "widgets/IndScroll.h"

namespace vx {
namespace {

// Lets the window's long work breathe and records its messages instead of
// showing boxes nobody would close.
using test::RecordingServices;

const char* kFamily =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @I1@ INDI\n1 NAME Jos\xE9 /Roi/\n1 SEX M\n1 BIRT\n2 DATE 1900\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Ann /Lee/\n1 SEX F\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Kim /Roi/\n1 SEX F\n1 BIRT\n2 DATE 1930\n1 FAMC @F1@\n"
    "0 @I4@ INDI\n1 NAME Bo /Roi/\n1 SEX M\n1 BIRT\n2 DATE 1925\n1 FAMC @F1@\n"
    "0 @I5@ INDI\n1 NAME Lone /Wolf/\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 CHIL @I4@\n0 TRLR\n";

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void opensThePackedFileAtItsStartIndividual();
    void viewItemsOpenTheTabsTheyName();
    void historyFollowsTheScroller();
    void everyWindowCommandIsAvailable();
    void closingDeletesTheExtractedFile();
    void fileWithoutGedcomIsRefused();
    void fileWithoutIndividualsLoadsEmpty();
    void quickHelpShowsOnceUntilReset();
    void quickHelpWaitsForThePageAndComesOneAtATime();
    void busyTimerFollowsALongCalculation();
    void listTabSortsByHeaderClicks();
    void islandsPanelConfinesTheView();
    void copyPutsEachTabsTextOnTheClipboard();
    void extractionStaysInTheChosenPlace();

  private:
    // Packs `gedcom` into a program file; extra arguments go to the tool.
    QString Pack(const QString& name, const QByteArray& gedcom, const QStringList& extra = {});
    // A window on the program file, shown and loaded.
    std::unique_ptr<TLogoAppForm> Open(const QString& program);

    QTemporaryDir dir_;
    RecordingServices services_;
    test::ScriptedDialogs dialogs_;
    QString program_;
};

QString MainWindowTest::Pack(const QString& name, const QByteArray& gedcom,
                             const QStringList& extra) {
    const QString gedcomPath = dir_.filePath(name + ".ged");
    QFile file(gedcomPath);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(gedcom);
    file.close();
    // Any bytes with the viewer's mark stand in for the viewer image in
    // front of the archive.
    const QString viewer = dir_.filePath("viewer-image");
    std::ofstream(viewer.toStdString()) << "viewer image " << ViewerMark();
    const QString output = dir_.filePath(name);
    QProcess tool;
    tool.start(VELLACOR_TOOL,
               QStringList{"pack", gedcomPath, "-o", output, "--viewer", viewer} + extra);
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0) {
        qWarning() << tool.readAllStandardError();
        return {};
    }
    return output;
}

std::unique_ptr<TLogoAppForm> MainWindowTest::Open(const QString& program) {
    auto window = std::make_unique<TLogoAppForm>(program.toStdString());
    window->SetDialogs(&dialogs_);
    window->show();
    if (!QTest::qWaitFor([&] { return window->StartSequenceDone() && !window->IsLoading(); },
                         20000))
        return nullptr;
    return window;
}

void MainWindowTest::initTestCase() {
    QVERIFY(dir_.isValid());
    // Temporary files of the window stay inside this test's folder.
    qputenv("TMPDIR", dir_.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (dir_.path() + "/config").toLocal8Bit());
    program_ =
        Pack("family", kFamily, {"--title", "Our family", "--name", "Ann Lee", "--start", "3"});
    QVERIFY(!program_.isEmpty());
}

void MainWindowTest::init() {
    WOptions::ResetToDefaults();
    WOptions::SetFlag(opt::kDispInitHelp, false);
    services_.messages.clear();
    dialogs_ = test::ScriptedDialogs();
    SetUiServices(&services_);
}

void MainWindowTest::cleanup() {
    SetUiServices(nullptr);
}

void MainWindowTest::opensThePackedFileAtItsStartIndividual() {
    QVERIFY(HasPayloadMarker(program_.toStdString()));
    auto window = Open(program_);
    QVERIFY(window);
    QVERIFY(window->Collection());
    QVERIFY(services_.messages.empty());
    QCOMPARE(window->windowTitle(),
             QString("Fenwold Vellacor Self-Viewing GEDCOM 1.21 - Our family"));
    QCOMPARE(window->Ui().status[1]->text(), QString("I: 5"));
    QCOMPARE(window->Ui().status[2]->text(), QString("F: 1"));
    QCOMPARE(window->Ui().status[3]->text(), QString("N: 0"));
    QCOMPARE(window->Ui().status[4]->text(), QString("S: 0"));
    QCOMPARE(window->Ui().scroller->CurrentIndividual(), 3);
    QCOMPARE(window->CurrentTab(), int(Tab::Sender));
    QCOMPARE(window->Ui().tabs->count(), 10);
    QCOMPARE(window->Ui().tabs->tabText(9), QString("Sources"));
    QVERIFY(window->ImportSeconds() >= 0);
    QVERIFY(std::filesystem::exists(window->ExtractedPath()));
    QVERIFY(QString::fromStdString(window->ExtractedPath()).startsWith(dir_.path()));
    // The status message clears itself three seconds after loading.
    QTRY_VERIFY_WITH_TIMEOUT(window->Ui().status[0]->text().isEmpty(), 5000);
}

void MainWindowTest::viewItemsOpenTheTabsTheyName() {
    auto window = Open(program_);
    QVERIFY(window);
    // Every item names the tab it opens, and its key follows the tab order.
    for (int tab = 0; tab < Tab::Count; ++tab) {
        QCOMPARE(window->Ui().viewActions[tab]->text(), window->Ui().tabs->tabText(tab) + " Tab");
        QCOMPARE(window->Ui().viewActions[tab]->shortcut(), QKeySequence(Qt::Key_F2 + tab));
        window->Ui().viewActions[tab]->trigger();
        QCOMPARE(window->CurrentTab(), tab);
    }
    window->activateWindow();
    QTest::keyClick(window.get(), Qt::Key_F11);
    QCOMPARE(window->CurrentTab(), int(Tab::Sources));
    QTest::keyClick(window.get(), Qt::Key_F2);
    QCOMPARE(window->CurrentTab(), int(Tab::Sender));
    // The Highlighted tab shows the List page.
    window->SelectTab(Tab::Highlighted);
    QCOMPARE(window->Ui().pages->currentIndex(), int(Tab::List));
    QCOMPARE(WOptions::GetInt(opt::kLastTab), int(Tab::Highlighted));
    window->SelectTab(Tab::Family);
    QCOMPARE(window->Ui().pages->currentIndex(), int(Tab::Family));
}

void MainWindowTest::historyFollowsTheScroller() {
    auto window = Open(program_);
    QVERIFY(window);
    QAction* back = window->Ui().commands[TLogoAppForm::kCmdGoBack];
    QAction* forward = window->Ui().commands[TLogoAppForm::kCmdGoForward];
    WIndScroll* scroller = window->Ui().scroller;
    scroller->GoToIndividual(1);
    scroller->GoToIndividual(4);
    QVERIFY(back->isEnabled());
    QVERIFY(!forward->isEnabled());
    back->trigger();
    QCOMPARE(scroller->CurrentIndividual(), 1);
    QVERIFY(forward->isEnabled());
    forward->trigger();
    QCOMPARE(scroller->CurrentIndividual(), 4);
    // Without highlighting the highlighted-individual commands do nothing.
    QVERIFY(!window->Ui().commands[TLogoAppForm::kCmdNextHighlighted]->isEnabled());
}

void MainWindowTest::everyWindowCommandIsAvailable() {
    auto window = Open(program_);
    QVERIFY(window);
    // With a file loaded, every command that opens a window is enabled.
    for (auto command : {TLogoAppForm::kCmdPrint, TLogoAppForm::kCmdExit, TLogoAppForm::kCmdCopy,
                         TLogoAppForm::kCmdQuickFind, TLogoAppForm::kCmdAdvancedFind,
                         TLogoAppForm::kCmdOptions, TLogoAppForm::kCmdAbout,
                         TLogoAppForm::kCmdHighlightingPanel, TLogoAppForm::kCmdIslandsPanel})
        QVERIFY2(window->Ui().commands[command]->isEnabled(),
                 qPrintable(window->Ui().commands[command]->text()));
    QCOMPARE(window->Ui().commands[TLogoAppForm::kCmdPrint]->shortcut(), QKeySequence("Ctrl+P"));
    // The islands panel opens and closes from its command.
    QAction* islands = window->Ui().commands[TLogoAppForm::kCmdIslandsPanel];
    islands->trigger();
    QVERIFY(window->Ui().leftPanel->isVisible());
    islands->trigger();
    QVERIFY(!window->Ui().leftPanel->isVisible());
}

void MainWindowTest::closingDeletesTheExtractedFile() {
    std::string extracted;
    {
        auto window = Open(program_);
        QVERIFY(window);
        extracted = window->ExtractedPath();
        QVERIFY(std::filesystem::exists(extracted));
        window->Ui().scroller->GoToIndividual(2);
        window->close();
        QCOMPARE(WOptions::GetInt(opt::kLastID), 2);
    }
    QVERIFY(!std::filesystem::exists(extracted));
}

void MainWindowTest::fileWithoutGedcomIsRefused() {
    const QString plain = dir_.filePath("plain-program");
    std::ofstream(plain.toStdString()) << "no archive here";
    QVERIFY(!HasPayloadMarker(plain.toStdString()));
    QVERIFY(!HasPayloadMarker(dir_.filePath("absent").toStdString()));
    auto window = Open(plain);
    QVERIFY(window);
    QVERIFY(!window->Collection());
    QVERIFY(!services_.messages.empty());
    QCOMPARE(QString::fromStdString(services_.messages.front()), QString(kNoGedcomMessage));
    QCOMPARE(window->windowTitle(), QString(TLogoAppForm::kCaption));
    QVERIFY(!window->Ui().commands[TLogoAppForm::kCmdGoBack]->isEnabled());
}

void MainWindowTest::fileWithoutIndividualsLoadsEmpty() {
    const QString empty = Pack("empty", "0 HEAD\n0 TRLR\n", {"--start", "0"});
    QVERIFY(!empty.isEmpty());
    auto window = Open(empty);
    QVERIFY(window);
    QVERIFY(window->Collection());
    QCOMPARE(window->Ui().status[1]->text(), QString("I: 0"));
    QCOMPARE(window->Ui().scroller->CurrentIndividual(), 0);
}

void MainWindowTest::quickHelpShowsOnceUntilReset() {
    WOptions::SetFlag(opt::kDispInitHelp, true);
    std::vector<int> shown;
    auto window = std::make_unique<TLogoAppForm>(program_.toStdString());
    window->SetDialogs(&dialogs_);
    dialogs_.quickHelp = [&](int entry, const QString&) {
        shown.push_back(entry);
        WOptions::SetFlag(opt::kIH1 + entry - 1, false);  // as the dialog does on closing
    };
    window->show();
    QVERIFY(QTest::qWaitFor([&] { return window->StartSequenceDone(); }, 20000));
    QCOMPARE(shown.front(), 1);
    window->SelectTab(Tab::General);
    window->SelectTab(Tab::Sender);
    window->SelectTab(Tab::General);
    QCOMPARE(std::count(shown.begin(), shown.end(), 2), 1L);
    // Resetting offers the entries again: the General tab's at once.
    window->Ui().commands[TLogoAppForm::kCmdResetQuickHelp]->trigger();
    QCOMPARE(std::count(shown.begin(), shown.end(), 2), 2L);
}

void MainWindowTest::quickHelpWaitsForThePageAndComesOneAtATime() {
    WOptions::SetFlag(opt::kDispInitHelp, true);
    WOptions::SetFlag(opt::kShowHlPanel, true);
    auto window = std::make_unique<TLogoAppForm>(program_.toStdString());
    window->SetDialogs(&dialogs_);
    std::vector<int> shown;
    bool overUnreadyPage = false;
    dialogs_.quickHelp = [&](int entry, const QString&) {
        // The page is refreshed: the left panel is enabled again at its end.
        overUnreadyPage = overUnreadyPage || !window->Ui().leftPanel->isEnabled();
        shown.push_back(entry);
        WOptions::SetFlag(opt::kIH1 + entry - 1, false);
    };
    window->show();
    QVERIFY(QTest::qWaitFor([&] { return window->StartSequenceDone(); }, 20000));
    shown.clear();
    window->SelectTab(Tab::Highlighted);
    // The highlighting panel's help, then the tab's, each once.
    QCOMPARE(shown, (std::vector<int>{14, 8}));
    QVERIFY(!overUnreadyPage);
    window->SelectTab(Tab::List);
    window->SelectTab(Tab::Highlighted);
    QCOMPARE(shown, (std::vector<int>{14, 8, 7}));
}

void MainWindowTest::busyTimerFollowsALongCalculation() {
    auto window = Open(program_);
    QVERIFY(window);
    PublishProgress(1234);
    window->StartBusyTimer();
    QTRY_COMPARE(window->Ui().status[0]->text(), QString("1234"));
    PublishProgress(1250);
    QTRY_COMPARE(window->Ui().status[0]->text(), QString("1250"));
    EndProgress();
    // Once the work ends the count goes and the timer stops.
    QTRY_VERIFY(window->Ui().status[0]->text().isEmpty());
    window->Ui().status[0]->setText("Ready");
    PublishProgress(9999);
    EndProgress();
    QTest::qWait(150);
    QCOMPARE(window->Ui().status[0]->text(), QString("Ready"));
}

void MainWindowTest::listTabSortsByHeaderClicks() {
    auto window = Open(program_);
    QVERIFY(window);
    window->SelectTab(Tab::List);
    TListPage* page = window->Ui().listPage;
    QVERIFY(page);
    QAbstractItemModelTester tester(&page->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    auto rows = [&] {
        QList<int> ids;
        for (int row = 0; row < page->Model().rowCount(); ++row)
            ids << page->Model().IndividualAt(row);
        return ids;
    };
    QCOMPARE(page->CountLabel()->text(), QString("5 Individuals"));
    QCOMPARE(rows(), (QList<int>{1, 2, 3, 4, 5}));  // sorted by the first column
    QCOMPARE(page->Model().headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString("Surname, Given"));
    QCOMPARE(page->Model().data(page->Model().index(0, 2), Qt::DisplayRole).toString(),
             QString("Roi, Jos\u00e9"));
    // The header: one click sorts by the column, a second reverses it.
    QHeaderView* header = page->Grid()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
    QCOMPARE(rows(), (QList<int>{2, 4, 1, 3, 5}));  // Lee, Roi Bo, Roi Jose, Roi Kim, Wolf
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    page->SortByColumn(2);
    QCOMPARE(rows(), (QList<int>{5, 3, 1, 4, 2}));
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    // Double-clicking a row goes there.
    const QModelIndex first = page->Model().index(0, 0);
    const QPoint centre = page->Grid()->visualRect(first).center();
    QTest::mouseClick(page->Grid()->viewport(), Qt::LeftButton, {}, centre);
    QTest::mousePress(page->Grid()->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(page->Grid()->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(window->Ui().scroller->CurrentIndividual(), 5);
    // Without highlighting the Highlighted tab is empty.
    window->SelectTab(Tab::Highlighted);
    QCOMPARE(page->Model().rowCount(), 0);
    QCOMPARE(page->CountLabel()->text(), QString());
}

void MainWindowTest::islandsPanelConfinesTheView() {
    auto window = Open(program_);
    QVERIFY(window);
    window->resize(1200, 700);  // room for the panel beside the pages
    window->Ui().commands[TLogoAppForm::kCmdIslandsPanel]->trigger();
    TIslandsPanel* panel = window->Ui().islandsPanel;
    QCOMPARE(panel->Grid()->rowCount(), 2);  // the Roi family, and Lone Wolf
    // The panel opens wide enough for the grid's columns.
    QVERIFY(window->Ui().leftPanel->width() >= panel->PreferredWidth());
    QVERIFY(panel->Grid()->horizontalScrollBar()->maximum() == 0 ||
            !panel->Grid()->horizontalScrollBar()->isVisible());
    QCOMPARE(panel->Grid()->item(0, 1)->text(), QString("4"));
    QCOMPARE(panel->CountLabel()->text(), QString("2 islands"));
    panel->Grid()->setCurrentCell(1, 0);
    panel->UseIslands()->setChecked(true);
    QCOMPARE(panel->UseIslands()->text(), QString("Use Island (2)"));
    QCOMPARE(window->View()->Count(), 1);
    QCOMPARE(window->Ui().scroller->CurrentIndividual(), 5);
    QVERIFY(!window->Ui().commands[TLogoAppForm::kCmdGoBack]->isEnabled());
    // Another island while one is in use moves the view along.
    panel->Grid()->setCurrentCell(0, 0);
    QCOMPARE(panel->UseIslands()->text(), QString("Use Island (1)"));
    QCOMPARE(window->View()->Count(), 4);
    window->SelectTab(Tab::List);
    QCOMPARE(window->Ui().listPage->Model().rowCount(), 4);
    panel->UseIslands()->setChecked(false);
    QCOMPARE(panel->UseIslands()->text(), QString("Use Islands"));
    QCOMPARE(window->View()->Count(), 5);
    QCOMPARE(window->Ui().listPage->Model().rowCount(), 5);

    // Both left-panel pages wear the same frame: a title bar whose close
    // button hides the panel and unchecks its command.
    for (auto [command, page] :
         {std::pair{TLogoAppForm::kCmdIslandsPanel, static_cast<QWidget*>(panel)},
          std::pair{TLogoAppForm::kCmdHighlightingPanel,
                    static_cast<QWidget*>(window->Ui().highlightPanel)}}) {
        QAction* action = window->Ui().commands[command];
        if (!window->Ui().leftPanel->isVisible() || !page->isVisible()) action->trigger();
        QVERIFY(page->isVisible());
        const auto closers = page->findChildren<QToolButton*>(QRegularExpression("^butClose"));
        QCOMPARE(closers.size(), qsizetype(1));
        QToolButton* close = closers.front();
        const QFrame* bar = qobject_cast<const QFrame*>(close->parentWidget());
        QVERIFY(bar && bar->frameShape() == QFrame::StyledPanel);
        QCOMPARE(bar->parentWidget(), page);
        close->click();
        QVERIFY(!window->Ui().leftPanel->isVisible());
        QVERIFY(!action->isChecked());
    }
}

void MainWindowTest::copyPutsEachTabsTextOnTheClipboard() {
    auto window = Open(program_);
    QVERIFY(window);
    QClipboard* clipboard = QGuiApplication::clipboard();
    QAction* copy = window->Ui().commands[TLogoAppForm::kCmdCopy];
    QVERIFY(copy->isEnabled());
    clipboard->setText("before");
    copy->trigger();  // the Sender tab has no text
    QCOMPARE(clipboard->text(), QString("before"));

    window->Ui().scroller->GoToIndividual(1);
    window->SelectTab(Tab::Family);
    copy->trigger();
    QVERIFY(clipboard->text().startsWith(
        "FAMILY GROUP\r\n\r\nHUSBAND\r\nName:    Jos\u00e9 /Roi/ [1]\r\nBirth:   1900, \r\n"));
    QVERIFY(TFlashDialog::Current());
    QTRY_VERIFY(!TFlashDialog::Current());  // it goes by itself
    window->SelectTab(Tab::Pedigree);
    copy->trigger();
    QVERIFY(clipboard->text().startsWith("PEDIGREE CHART"));

    // Lists ask for the format; Cancel leaves the clipboard alone.
    window->SelectTab(Tab::List);
    int answer = 0;
    dialogs_.listFormat = [&](QString& file) {
        file = dir_.filePath("list.csv");
        return answer;
    };
    clipboard->setText("before");
    copy->trigger();
    QCOMPARE(clipboard->text(), QString("before"));
    answer = 3;  // CSV, saved to a file as well
    copy->trigger();
    QVERIFY(clipboard->text().startsWith("\"Index\",\"REF\",\"Surname, Given\""));
    QFile saved(dir_.filePath("list.csv"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    // UTF-8 with a byte-order mark, so spreadsheet programs read it right.
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF\"Index\",\"REF\""));
    QVERIFY(bytes.endsWith("\r\n\r\n"));
    QCOMPARE(bytes.count('\n'), 5 + 1 + 1);  // header, five people, the extra line end
}

void MainWindowTest::extractionStaysInTheChosenPlace() {
    // Without the creator's permission there is no button at all.
    {
        auto window = Open(program_);
        QVERIFY(window);
        QVERIFY(window->Ui().senderPage->ExtractButton()->isHidden());
    }
    const QString allowed =
        Pack("allowed", kFamily, {"--allow-extract", "--file-name", "../../up/there.ged"});
    QVERIFY(!allowed.isEmpty());
    auto window = Open(allowed);
    QVERIFY(window);
    QPushButton* button = window->Ui().senderPage->ExtractButton();
    QVERIFY(!button->isHidden());
    QString proposed;
    QString target = dir_.filePath("out.ged");
    dialogs_.extractPath = [&](const QString& name) {
        proposed = name;
        return target;
    };
    button->click();
    QCOMPARE(proposed, QString("there.ged"));  // the last part only
    QFile out(target);
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(out.readAll(), QByteArray(kFamily));
    QCOMPARE(QString::fromStdString(services_.messages.back()),
             "\"" + target + "\" has been extracted.");
    // A place that cannot be written: the copy fails and says so.
    target = dir_.filePath("missing-folder/out.ged");
    button->click();
    QCOMPARE(QString::fromStdString(services_.messages.back()), QString("Cancelled"));
    // Cancelling the save dialog does nothing.
    const size_t messages = services_.messages.size();
    target.clear();
    button->click();
    QCOMPARE(services_.messages.size(), messages);
}

}  // namespace vx

QTEST_MAIN(vx::MainWindowTest)
#include "MainWindowTest.moc"
