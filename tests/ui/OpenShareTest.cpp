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
#include "app/Options.h"
#include "app/Services.h"
#include "app/Settings.h"
#include "archive/ViewerMark.h"
#include "dialogs/ShareDlg.h"
#include "gedcom/GEDCollection.h"
#include "ui/IndScroll.h"
#include "ui/LogoMain.h"
#include "ui/SenderPage.h"

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

  private:
    std::unique_ptr<TLogoAppForm> Window(const std::string& start);

    QTemporaryDir dir_;
    RecordingServices services_;
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
    SetUiServices(&services_);
}

void OpenShareTest::cleanup() {
    SetUiServices(nullptr);
}

std::unique_ptr<TLogoAppForm> OpenShareTest::Window(const std::string& start) {
    auto window = std::make_unique<TLogoAppForm>(program_);
    window->StartWith(start);
    window->show();
    QTest::qWait(50);
    if (!QTest::qWaitFor([&] { return !window->IsLoading(); }, 20000)) return nullptr;
    return window;
}

void OpenShareTest::startsWithWelcomeAndOpensFromTheDialog() {
    WriteText("Recent Files", "File1", "");
    auto window = Window("");
    QVERIFY(window);
    QVERIFY(!window->Collection());
    QVERIFY(services_.messages.empty());  // no refusal
    QVERIFY(window->SenderPage()->WelcomePanel()->isVisible());
    QCOMPARE(window->windowTitle(), QString("Vellacor"));
    QVERIFY(!window->RecentMenu()->isEnabled());

    window->openPathChooser = [this] { return QString::fromStdString(gedcom_); };
    window->SenderPage()->OpenButton()->click();
    QVERIFY(window->Collection());
    QCOMPARE(window->Collection()->IndividualCount(), 4);
    QVERIFY(!window->SenderPage()->WelcomePanel()->isVisible());
    QCOMPARE(TLogoAppForm::RecentFiles().front(), gedcom_);
    QVERIFY(window->RecentMenu()->isEnabled());
}

void OpenShareTest::opensAGedcomFromDiskLikeAPackedOne() {
    const auto before = std::filesystem::last_write_time(gedcom_);
    auto window = Window(gedcom_);
    QVERIFY(window);
    QVERIFY(window->Collection());
    QCOMPARE(window->OpenedPath(), gedcom_);
    QCOMPARE(window->windowTitle(), QString("family.ged - Vellacor"));
    QCOMPARE(window->StatusPanel(1)->text(), QString("I: 4"));
    QCOMPARE(window->StatusPanel(2)->text(), QString("F: 1"));
    QVERIFY(window->SenderPage()->OpenedNotice()->isVisible());
    QCOMPARE(window->SenderPage()->Value("Title:")->text(), QString());
    QVERIFY(!window->SenderPage()->ExtractButton()->isVisible());
    // Every tab shows the file, and the scroller moves through it.
    for (int tab = TLogoAppForm::kTabGeneral; tab < TLogoAppForm::kTabCount; ++tab) {
        window->SelectTab(tab);
        QCOMPARE(window->CurrentTab(), tab);
    }
    window->Scroller()->GoToIndividual(4);
    QCOMPARE(window->Scroller()->CurrentIndividual(), 4);
    // Find by index through the toolbar's box.
    window->FindBox()->setText("3");
    QTest::keyClick(window->FindBox(), Qt::Key_Return);
    QCOMPARE(window->Scroller()->CurrentIndividual(), 3);
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
    QVERIFY(window->SenderPage()->WelcomePanel()->isVisible());
}

void OpenShareTest::shareWritesAFileTheToolReadsBack() {
    auto window = Window(gedcom_);
    QVERIFY(window && window->Collection());
    window->Scroller()->GoToIndividual(3);
    const QString output = dir_.filePath("shared");
    bool saved = false;
    QString status;
    window->shareDialogRunner = [&](TShareDlg& dialog) {
        QCOMPARE(dialog.StartIndividual()->value(), 3);  // the active one
        QCOMPARE(dialog.Privacy()->currentIndex(), 1);   // name-only
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
    window->ShareFile();
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
    window->shareDialogRunner = [&](TShareDlg& dialog) {
        QCOMPARE(static_cast<QLineEdit*>(dialog.Editor("Title"))->text(), QString("Les Dupré"));
        QCOMPARE(static_cast<QPlainTextEdit*>(dialog.Editor("Message"))->toPlainText(),
                 QString("Hello,\nall."));
        QVERIFY(dialog.AllowExtract()->isChecked());
    };
    window->ShareFile();
}

void OpenShareTest::factsThatDoNotFitAreRefusedAsTyped() {
    TShareSource source;
    source.GedcomPath = gedcom_;
    source.FileName = "family.ged";
    source.ProgramPath = program_;
    source.IndividualCount = 4;
    TShareDlg dialog(nullptr, source);
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

}  // namespace vx

QTEST_MAIN(vx::OpenShareTest)
#include "OpenShareTest.moc"
