// The real main window when the temporary folder has no room: a file whose
// indexes cannot be written ends in a message and the welcome text with
// Open, and a list that cannot be made leaves the window usable. The room
// runs out through the process's file size limit, which makes every write
// past it fail as a full disk does, without root and without a special
// file system.
#include <sys/resource.h>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <csignal>
#include <fstream>
#include <string>

#include "QtTestSupport.h"
#include "ScriptedDialogs.h"
#include "app/Options.h"
#include "app/Services.h"
#include "gedcom/GEDCollection.h"
#include "platform/TempFiles.h"
#include "ui/ListPage.h"
#include "ui/LogoMain.h"
#include "ui/SenderPage.h"

namespace vx {
namespace {

using test::RecordingServices;

// Individuals enough that the indexes and lists outgrow memory and move
// into temporary files.
constexpr int kIndividuals = 30000;
// What a file may grow to while the folder is "full": the settings fit,
// the temporary file of an index does not.
constexpr rlim_t kRoomPerFile = 32 * 1024;

// While it lives, no file the process writes may grow past `room` bytes.
class FileRoom {
  public:
    explicit FileRoom(rlim_t room) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limited = saved_;
        limited.rlim_cur = std::min(room, saved_.rlim_max);
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileRoom() { setrlimit(RLIMIT_FSIZE, &saved_); }
    FileRoom(const FileRoom&) = delete;
    FileRoom& operator=(const FileRoom&) = delete;

  private:
    rlimit saved_{};
};

void WriteFamily(const std::string& path, int individuals) {
    std::ofstream file(path, std::ios::binary);
    file << "0 HEAD\n1 CHAR UTF-8\n";
    for (int i = 1; i <= individuals; ++i)
        file << "0 @I" << i << "@ INDI\n1 NAME Given" << i % 97 << " /Surname" << i % 89
             << "/\n1 BIRT\n2 DATE " << 1800 + i % 200 << "\n";
    file << "0 TRLR\n";
}

}  // namespace

class LoadFailureTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void fullTempFolderWhileIndexingLeavesTheWelcome();
    void fullTempFolderWhileSortingKeepsTheFile();

  private:
    std::unique_ptr<TLogoAppForm> Window(const std::string& start);

    QTemporaryDir dir_;
    RecordingServices services_;
    test::ScriptedDialogs dialogs_;
    std::string large_;
    std::string small_;
};

void LoadFailureTest::initTestCase() {
    QVERIFY(dir_.isValid());
    qputenv("TMPDIR", (dir_.path() + "/tmp").toLocal8Bit());
    QVERIFY(QDir(dir_.path()).mkdir("tmp"));
    qputenv("XDG_CONFIG_HOME", (dir_.path() + "/config").toLocal8Bit());
    // A write past the limit fails with an error instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    large_ = dir_.filePath("large.ged").toStdString();
    small_ = dir_.filePath("small.ged").toStdString();
    WriteFamily(large_, kIndividuals);
    WriteFamily(small_, 3);
}

void LoadFailureTest::init() {
    WOptions::ResetToDefaults();
    WOptions::SetFlag(opt::kDispInitHelp, false);
    services_.messages.clear();
    dialogs_ = test::ScriptedDialogs();
    SetUiServices(&services_);
}

void LoadFailureTest::cleanup() {
    SetUiServices(nullptr);
}

std::unique_ptr<TLogoAppForm> LoadFailureTest::Window(const std::string& start) {
    auto window = std::make_unique<TLogoAppForm>(dir_.filePath("no-program").toStdString());
    window->SetDialogs(&dialogs_);
    window->StartWith(start);
    window->show();
    QTest::qWait(50);
    if (!QTest::qWaitFor([&] { return !window->IsLoading(); }, 60000)) return nullptr;
    return window;
}

void LoadFailureTest::fullTempFolderWhileIndexingLeavesTheWelcome() {
    std::unique_ptr<TLogoAppForm> window;
    {
        const FileRoom full(kRoomPerFile);
        window = Window(large_);
    }
    QVERIFY(window);
    // One message, naming the temporary file that could not grow.
    QCOMPARE(services_.messages.size(), size_t{1});
    const QString message = QString::fromStdString(services_.messages.front());
    QVERIFY2(message.contains(QString::fromStdString(platform::TempFolder())), qPrintable(message));
    // A clean empty window: no file, the welcome text with Open, nothing
    // that needs a file enabled, and every tab shows without one.
    const TLogoAppForm::Parts& ui = window->Ui();
    QVERIFY(!window->Collection());
    QVERIFY(window->OpenedPath().empty());
    QVERIFY(window->ExtractedPath().empty());
    QCOMPARE(window->windowTitle(), QString("Vellacor"));
    QVERIFY(ui.senderPage->WelcomePanel()->isVisible());
    QVERIFY(ui.status[1]->text().isEmpty());
    QVERIFY(!ui.commands[TLogoAppForm::kCmdPrint]->isEnabled());
    QVERIFY(!ui.commands[TLogoAppForm::kCmdCopy]->isEnabled());
    QVERIFY(window->isVisible());
    for (int tab = 0; tab < Tab::Count; ++tab) {
        window->SelectTab(tab);
        QCOMPARE(window->CurrentTab(), tab);
    }
    QCOMPARE(ui.listPage->Model().rowCount(), 0);
    QCOMPARE(services_.messages.size(), size_t{1});
    // With room again, Open works from the welcome text.
    dialogs_.gedcomFile = [this] { return QString::fromStdString(small_); };
    ui.senderPage->OpenButton()->click();
    QVERIFY(window->Collection());
    QCOMPARE(window->Collection()->IndividualCount(), 3);
    QCOMPARE(ui.status[1]->text(), QString("I: 3"));
}

void LoadFailureTest::fullTempFolderWhileSortingKeepsTheFile() {
    auto window = Window(large_);
    QVERIFY(window);
    QVERIFY(window->Collection());
    QVERIFY(services_.messages.empty());
    const TLogoAppForm::Parts& ui = window->Ui();
    {
        // The List tab sorts everyone into a list that needs a temporary file.
        const FileRoom full(kRoomPerFile);
        window->SelectTab(Tab::List);
    }
    QCOMPARE(services_.messages.size(), size_t{1});
    QCOMPARE(ui.listPage->Model().rowCount(), 0);
    // The file stays open and the window usable; the next visit sorts.
    QVERIFY(window->Collection());
    QVERIFY(ui.leftPanel->isEnabled());
    QVERIFY(ui.commands[TLogoAppForm::kCmdPrint]->isEnabled());
    window->SelectTab(Tab::General);
    window->SelectTab(Tab::List);
    QCOMPARE(ui.listPage->Model().rowCount(), kIndividuals);
    QCOMPARE(services_.messages.size(), size_t{1});
}

}  // namespace vx

QTEST_MAIN(vx::LoadFailureTest)
#include "LoadFailureTest.moc"
