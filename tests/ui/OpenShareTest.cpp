// The real main window on a GEDCOM opened from disk, its welcome text when
// nothing is open, and the share dialog, whose file vellacor-tool reads back.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "QtTestSupport.h"
#include "ScriptedDialogs.h"
#include "app/Options.h"
#include "app/Services.h"
#include "app/Settings.h"
#include "archive/ViewerMark.h"
#include "dialogs/PrintDlg.h"
#include "dialogs/ShareDlg.h"
#include "gedcom/GEDCollection.h"
#include "platform/MappingGuard.h"
#include "records/Individual.h"
#include "ui/LogoMain.h"
#include "ui/OpenedFileWatch.h"
#include "ui/SenderPage.h"
#include "widgets/IndScroll.h"

namespace vx {
namespace {

using test::RecordingServices;

// I4 (born 1990) may be living; the others are dead by their dates.
const char* kFamily =
    "0 HEAD\n1 CHAR UTF-8\n"
    "0 @I1@ INDI\n1 NAME Jos\xC3\xA9 /Roi/\n1 SEX M\n1 BIRT\n2 DATE 1900\n1 DEAT\n2 DATE 1970\n"
    "1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Ann /Lee/\n1 SEX F\n1 DEAT Y\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Kim /Roi/\n1 SEX F\n1 BIRT\n2 DATE 1901\n1 BURI\n2 DATE 1980\n"
    "1 FAMC @F1@\n"
    "0 @I4@ INDI\n1 NAME Bo /Roi/\n1 SEX M\n1 BIRT\n2 DATE 1990\n2 PLAC Leeds\n1 OCCU Pilot\n"
    "1 FAMC @F1@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 CHIL @I4@\n0 TRLR\n";

// Enough individuals for a file of many pages, the last ones far past the
// end of kFamily.
constexpr int kManyPeople = 3000;

std::string ManyPeople() {
    std::string text = "0 HEAD\n1 CHAR UTF-8\n";
    for (int i = 1; i <= kManyPeople; ++i) {
        const std::string n = std::to_string(i);
        text += "0 @I" + n + "@ INDI\n1 NAME Person" + n + " /Many/\n1 SEX F\n1 BIRT\n" +
                "2 DATE 3 MAR 1850\n2 PLAC Some Village, Some County\n1 NOTE A note that " +
                "makes the record longer.\n";
    }
    return text + "0 TRLR\n";
}

// Presses Cancel at the first message pump while a wait offering it is up.
class CancellingServices : public RecordingServices {
  public:
    void PumpMessages() override {
        RecordingServices::PumpMessages();
        if (armed && WaitCancellable()) {
            ++presses;
            SetWaitCancelled();
        }
    }
    bool armed = false;
    int presses = 0;
};

QString RunTool(const QStringList& arguments) {
    QProcess tool;
    tool.start(VELLACOR_TOOL, arguments);
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return "failed: " + QString::fromUtf8(tool.readAllStandardError());
    return QString::fromUtf8(tool.readAllStandardOutput());
}

}  // namespace

class OpenShareTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startsWithWelcomeAndOpensFromTheDialog();
    void opensAGedcomFromDiskLikeAPackedOne();
    void missingFileLeavesTheWelcome();
    void shareWritesAFileTheToolReadsBack();
    void factsThatDoNotFitAreRefusedAsTyped();
    void cancelStopsPackingAndSavesNothing();
    void fileChangedOnDiskIsReadAgain();
    void fileRemovedOnDiskStaysShown();
    void packedFileIsIndexedWhileItExpands();
    void cancelWhileExpandingLeavesTheWelcome();

  private:
    // ManyPeople() packed by vellacor-tool into a program file.
    std::string PackedManyPeople();
    std::unique_ptr<TLogoAppForm> Window(const std::string& start);
    // The share dialog's view of the test family, without a window.
    TShareSource FamilySource() const;

    QTemporaryDir dir_;
    CancellingServices services_;
    test::ScriptedDialogs dialogs_;
    std::string gedcom_;
    std::string program_;
};

void OpenShareTest::initTestCase() {
    QVERIFY(dir_.isValid());
    qputenv("TMPDIR", dir_.path().toLocal8Bit());
    QVERIFY(OpenSettingsFile(dir_.filePath("settings.ini").toStdString()));
    gedcom_ = dir_.filePath("family.ged").toStdString();
    std::ofstream(gedcom_, std::ios::binary) << kFamily;
    // The running program: any bytes with the viewer's mark and without a
    // GEDCOM stand in for it.
    program_ = dir_.filePath("viewer").toStdString();
    std::ofstream(program_) << "viewer image " << ViewerMark();
}

void OpenShareTest::init() {
    WOptions::ResetToDefaults();
    WOptions::SetFlag(opt::kDispInitHelp, false);
    services_.messages.clear();
    services_.armed = false;
    dialogs_ = test::ScriptedDialogs();
    SetUiServices(&services_);
}

void OpenShareTest::cleanup() {
    SetUiServices(nullptr);
}

std::unique_ptr<TLogoAppForm> OpenShareTest::Window(const std::string& start) {
    auto window = std::make_unique<TLogoAppForm>(program_);
    window->SetDialogs(&dialogs_);
    window->StartWith(start);
    window->show();
    QTest::qWait(50);
    if (!QTest::qWaitFor([&] { return !window->IsLoading(); }, 20000)) return nullptr;
    return window;
}

TShareSource OpenShareTest::FamilySource() const {
    TShareSource source;
    source.GedcomPath = gedcom_;
    source.FileName = "family.ged";
    source.ProgramPath = program_;
    source.IndividualCount = 4;
    return source;
}

void OpenShareTest::startsWithWelcomeAndOpensFromTheDialog() {
    WriteText("Recent Files", "File1", "");
    auto window = Window("");
    QVERIFY(window);
    QVERIFY(!window->Collection());
    QVERIFY(services_.messages.empty());  // no refusal
    QVERIFY(window->Ui().senderPage->WelcomePanel()->isVisible());
    QCOMPARE(window->windowTitle(), QString("Vellacor"));
    QVERIFY(!window->Ui().recentMenu->isEnabled());

    dialogs_.gedcomFile = [this] { return QString::fromStdString(gedcom_); };
    window->Ui().senderPage->OpenButton()->click();
    QVERIFY(window->Collection());
    QCOMPARE(window->Collection()->IndividualCount(), 4);
    QVERIFY(!window->Ui().senderPage->WelcomePanel()->isVisible());
    QCOMPARE(TLogoAppForm::RecentFiles().front(), gedcom_);
    QVERIFY(window->Ui().recentMenu->isEnabled());
}

void OpenShareTest::opensAGedcomFromDiskLikeAPackedOne() {
    const auto before = std::filesystem::last_write_time(gedcom_);
    auto window = Window(gedcom_);
    QVERIFY(window);
    QVERIFY(window->Collection());
    QCOMPARE(window->OpenedPath(), gedcom_);
    QCOMPARE(window->windowTitle(), QString("family.ged - Vellacor"));
    QCOMPARE(window->Ui().status[1]->text(), QString("I: 4"));
    QCOMPARE(window->Ui().status[2]->text(), QString("F: 1"));
    QVERIFY(window->Ui().senderPage->OpenedNotice()->isVisible());
    QCOMPARE(window->Ui().senderPage->Value("Title:")->text(), QString());
    QVERIFY(!window->Ui().senderPage->ExtractButton()->isVisible());
    // Every tab shows the file, and the scroller moves through it.
    for (int tab = Tab::General; tab < Tab::Count; ++tab) {
        window->SelectTab(tab);
        QCOMPARE(window->CurrentTab(), tab);
    }
    window->Ui().scroller->GoToIndividual(4);
    QCOMPARE(window->Ui().scroller->CurrentIndividual(), 4);
    // Find by index through the toolbar's box.
    window->Ui().findText->setText("3");
    QTest::keyClick(window->Ui().findText, Qt::Key_Return);
    QCOMPARE(window->Ui().scroller->CurrentIndividual(), 3);
    QVERIFY(services_.messages.empty());
    window.reset();
    // Read in place, never written, never deleted.
    QVERIFY(std::filesystem::exists(gedcom_));
    QVERIFY(std::filesystem::last_write_time(gedcom_) == before);
}

void OpenShareTest::missingFileLeavesTheWelcome() {
    auto window = Window(dir_.filePath("absent.ged").toStdString());
    QVERIFY(window);
    QVERIFY(!window->Collection());
    QCOMPARE(services_.messages.size(), size_t{1});
    QVERIFY(services_.messages.front().find("does not exist") != std::string::npos);
    QVERIFY(window->Ui().senderPage->WelcomePanel()->isVisible());
}

void OpenShareTest::shareWritesAFileTheToolReadsBack() {
    auto window = Window(gedcom_);
    QVERIFY(window && window->Collection());
    window->Ui().scroller->GoToIndividual(3);
    const QString output = dir_.filePath("shared");
    bool saved = false;
    QString status;
    dialogs_.share = [&](TShareDlg& dialog) {
        QCOMPARE(dialog.StartIndividual()->value(), 3);  // the active one
        QCOMPARE(dialog.Privacy()->currentIndex(), 1);   // name-only
        // Beside the opened file, named after it.
        QCOMPARE(dialog.OutputPath()->text(), dir_.filePath("family-viewer"));
        static_cast<QLineEdit*>(dialog.Editor("Title"))->setText("Les Dupré");
        static_cast<QLineEdit*>(dialog.Editor("SenderName"))->setText("Ann Lee");
        static_cast<QLineEdit*>(dialog.Editor("Email"))->setText("ann@example.org");
        static_cast<QPlainTextEdit*>(dialog.Editor("Message"))->setPlainText("Hello,\nall.");
        dialog.AllowExtract()->setChecked(true);
        dialog.OutputPath()->setText(output);
        saved = dialog.Share();
        status = dialog.Status()->text();
        QCOMPARE(dialog.Progress()->value(), dialog.Progress()->maximum());
    };
    window->Ui().shareAction->trigger();
    QVERIFY(saved);
    QVERIFY2(status.startsWith("Saved shared ("), qPrintable(status));
    QVERIFY(status.contains("Send this one file: the recipient opens it directly."));
    QVERIFY2(status.contains("1 of 4 individuals were made private."), qPrintable(status));

    const QString info = RunTool({"info", output});
    for (const char* line :
         {"Title:            Les Dupré\n", "Sender:           Ann Lee\n",
          "E-mail:           ann@example.org\n",
          "Message:          Hello,\n                  all.\n", "Start individual: 3\n",
          "Allow extract:    yes\n", "File name:        family.ged\n"})
        QVERIFY2(info.contains(QString::fromUtf8(line)), qPrintable(info));
    const QString extracted = dir_.filePath("extracted.ged");
    RunTool({"extract", output, "-o", extracted});
    const QString dump = RunTool({"dump", extracted, "individual", "4"});
    QVERIFY2(dump.contains("Bo"), qPrintable(dump));
    QVERIFY2(!dump.contains("Pilot") && !dump.contains("Leeds") && !dump.contains("1990"),
             qPrintable(dump));
    QVERIFY(RunTool({"dump", extracted, "individual", "1"}).contains("1970"));
    // The facts come back next time.
    dialogs_.share = [&](TShareDlg& dialog) {
        QCOMPARE(static_cast<QLineEdit*>(dialog.Editor("Title"))->text(), QString("Les Dupré"));
        QCOMPARE(static_cast<QPlainTextEdit*>(dialog.Editor("Message"))->toPlainText(),
                 QString("Hello,\nall."));
        QVERIFY(dialog.AllowExtract()->isChecked());
    };
    window->Ui().shareAction->trigger();
    // Reports of an opened file are named after it.
    QString reportName;
    dialogs_.print = [&](reports::TPrintDlg& dialog) {
        dialog.SelectPage(0);  // General
        reportName = dialog.DefaultFileName();
    };
    window->Ui().commands[TLogoAppForm::kCmdPrint]->trigger();
    QVERIFY2(reportName.startsWith("family"), qPrintable(reportName));
}

void OpenShareTest::factsThatDoNotFitAreRefusedAsTyped() {
    TShareDlg dialog(nullptr, FamilySource());
    dialog.show();
    auto* title = static_cast<QLineEdit*>(dialog.Editor("Title"));
    auto* phone = static_cast<QLineEdit*>(dialog.Editor("Phone"));
    title->clear();
    QTest::keyClicks(title, QString(31, 'x'));
    QVERIFY(!dialog.Reason("Title")->isVisible());
    QVERIFY(dialog.ShareButton()->isEnabled());
    QTest::keyClicks(title, "y");
    QVERIFY(dialog.Reason("Title")->isVisible());
    QVERIFY(dialog.Reason("Title")->text().contains("at most 31"));
    QVERIFY(!dialog.ShareButton()->isEnabled());
    title->setText("Our family");
    // A character Windows-1252 lacks; accented Latin letters it has.
    phone->insert(QString::fromUtf8("\xCE\xA9 12"));  // as typed, one edit
    QVERIFY(dialog.Reason("Phone")->text().contains("Windows-1252"));
    QVERIFY(!dialog.ShareButton()->isEnabled());
    phone->setText(QString::fromUtf8("\xC3\xA9 12"));
    QVERIFY(!dialog.Reason("Phone")->isVisible());
    QVERIFY(dialog.ShareButton()->isEnabled());
    // Share refuses while anything is wrong, and writes nothing.
    static_cast<QPlainTextEdit*>(dialog.Editor("Message"))->setPlainText(QString(1100, 'm'));
    QVERIFY(dialog.Reason("Message")->isVisible());
    dialog.OutputPath()->setText(dir_.filePath("never"));
    QVERIFY(!dialog.Share());
    QVERIFY(!QFile::exists(dir_.filePath("never")));
}

void OpenShareTest::cancelStopsPackingAndSavesNothing() {
    TShareDlg dialog(nullptr, FamilySource());
    dialog.show();
    const QString output = dir_.filePath("cancelled");
    dialog.OutputPath()->setText(output);
    // The click arrives while packing lets the events through.
    QTimer::singleShot(0, dialog.CancelButton(), &QPushButton::click);
    QVERIFY(!dialog.Share());
    QCOMPARE(dialog.Status()->text(), QString("Cancelled: nothing was saved."));
    QCOMPARE(dialog.Progress()->value(), 0);
    QVERIFY(dialog.ShareButton()->isEnabled());  // ready to try again
    // Neither the output nor any part of it is left behind.
    const QStringList left = QDir(dir_.path()).entryList({"cancelled*"}, QDir::Files);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(' ')));
    // Cancel during packing stopped it; Cancel now closes the dialog.
    QVERIFY(dialog.isVisible());
    dialog.CancelButton()->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void OpenShareTest::fileChangedOnDiskIsReadAgain() {
    const std::string path = dir_.filePath("changing.ged").toStdString();
    std::ofstream(path, std::ios::binary) << ManyPeople();
    auto window = Window(path);
    QVERIFY(window && window->Collection());
    QCOMPARE(window->Collection()->IndividualCount(), kManyPeople);
    const uint64_t lostBefore = platform::LostMappedPages();

    // Another program saves a much shorter file over it, in place: the
    // pages of the last individuals are gone from under the window.
    std::ofstream(path, std::ios::binary | std::ios::trunc) << kFamily;
    window->Ui().scroller->GoToIndividual(kManyPeople);
    window->SelectTab(Tab::Individual);
    QVERIFY(platform::LostMappedPages() > lostBefore);  // read, and survived

    QVERIFY(QTest::qWaitFor([&] { return !services_.messages.empty(); }, 5000));
    QVERIFY2(services_.messages.front().find("changed on disk") != std::string::npos,
             services_.messages.front().c_str());
    QVERIFY(QTest::qWaitFor([&] { return !window->IsLoading(); }, 20000));
    QVERIFY(window->Collection());
    QCOMPARE(window->Collection()->IndividualCount(), 4);
    QCOMPARE(window->OpenedPath(), path);
    QCOMPARE(services_.messages.size(), size_t{1});
}

void OpenShareTest::fileRemovedOnDiskStaysShown() {
    const std::string path = dir_.filePath("leaving.ged").toStdString();
    std::ofstream(path, std::ios::binary) << kFamily;
    auto window = Window(path);
    QVERIFY(window && window->Collection());
    std::filesystem::remove(path);
    QVERIFY(QTest::qWaitFor([&] { return !services_.messages.empty(); }, 5000));
    QVERIFY2(services_.messages.front().find("removed or renamed") != std::string::npos,
             services_.messages.front().c_str());
    // The text stays readable through the open file.
    QVERIFY(window->Collection());
    window->Ui().scroller->GoToIndividual(4);
    window->SelectTab(Tab::Individual);
    QCOMPARE(QString::fromStdString(window->Collection()->FullNameOf(4)), QString("Bo /Roi/"));
    QTest::qWait(2 * TOpenedFileWatch::kCheckIntervalMs);
    QCOMPARE(services_.messages.size(), size_t{1});  // said once
}

std::string OpenShareTest::PackedManyPeople() {
    const QString gedcom = dir_.filePath("many.ged");
    std::ofstream(gedcom.toStdString(), std::ios::binary) << ManyPeople();
    const QString packed = dir_.filePath("many-viewer");
    const QString output =
        RunTool({"pack", gedcom, "-o", packed, "--viewer", QString::fromStdString(program_)});
    return output.startsWith("failed") ? std::string() : packed.toStdString();
}

// The packed file is indexed block by block as it expands, and the window
// shows the same family as when it opens the GEDCOM itself.
void OpenShareTest::packedFileIsIndexedWhileItExpands() {
    const std::string packed = PackedManyPeople();
    QVERIFY(!packed.empty());
    auto window = std::make_unique<TLogoAppForm>(packed);
    window->SetDialogs(&dialogs_);
    window->show();
    QVERIFY(QTest::qWaitFor([&] { return window->StartSequenceDone() && !window->IsLoading(); },
                            20000));
    const WGEDCollection* collection = window->Collection();
    QVERIFY(collection);
    QVERIFY(collection->IndexedBeforeLoad());
    QCOMPARE(collection->IndividualCount(), kManyPeople);
    QVERIFY(services_.messages.empty());

    auto fromDisk = Window(dir_.filePath("many.ged").toStdString());
    QVERIFY(fromDisk && fromDisk->Collection());
    QVERIFY(!fromDisk->Collection()->IndexedBeforeLoad());
    QCOMPARE(window->Ui().status[1]->text(), fromDisk->Ui().status[1]->text());
    for (int32_t i : {1, 2, kManyPeople / 2, kManyPeople}) {
        const std::string id = "I" + std::to_string(i);
        QCOMPARE(collection->IndividualByXRef(id), fromDisk->Collection()->IndividualByXRef(id));
        QCOMPARE(collection->Individual(i)->FullName(false),
                 fromDisk->Collection()->Individual(i)->FullName(false));
    }
}

// Cancel while the packed file expands: no message, no file, nothing left
// in the temporary folder, and the window stays with its welcome and Open.
void OpenShareTest::cancelWhileExpandingLeavesTheWelcome() {
    const std::string packed = PackedManyPeople();
    QVERIFY(!packed.empty());
    const QStringList before = QDir(dir_.path()).entryList({"vor*.tmp"}, QDir::Files);
    services_.armed = true;
    auto window = std::make_unique<TLogoAppForm>(packed);
    window->SetDialogs(&dialogs_);
    window->show();
    QVERIFY(QTest::qWaitFor([&] { return window->StartSequenceDone() && !window->IsLoading(); },
                            20000));
    services_.armed = false;
    QVERIFY(services_.presses > 0);
    QVERIFY(!window->Collection());
    QCOMPARE(services_.messages, std::vector<std::string>());
    QVERIFY(window->isVisible());
    QCOMPARE(window->ExitStatus(), 0);
    QVERIFY(window->Ui().senderPage->WelcomePanel()->isVisible());
    QVERIFY(WaitNesting() == 0);
    QCOMPARE(QDir(dir_.path()).entryList({"vor*.tmp"}, QDir::Files), before);
}

}  // namespace vx

QTEST_MAIN(vx::OpenShareTest)
#include "OpenShareTest.moc"
