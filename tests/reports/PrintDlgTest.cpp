// The print dialog over a small file: the spouse lists, the pages, the
// settings it reads and writes, the proposed file names, the save flow with
// the file chooser and the viewer replaced, and the main window's Print
// command opening it on the current tab.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "GedcomLoading.h"
#include "QtTestSupport.h"
#include "ScriptedDialogs.h"
#include "app/Options.h"
#include "app/Services.h"
#include "dialogs/PrintDlg.h"
#include "gedcom/GEDCollection.h"
#include "reports/ExportFilters.h"
#include "ui/FamilyTab.h"
#include "ui/LogoMain.h"
#include "widgets/FilePaths.h"
#include "widgets/IndScroll.h"

namespace vx::reports {
namespace {

using test::RecordingServices;

// John (1) married Anne (2) in 1924 and Kate (3) in 1940; Lone (4) never
// married.
const char* kFamily =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @I1@ INDI\n1 NAME John /Smith/\n2 NPFX Dr.\n2 NSFX Jr.\n1 SEX M\n"
    "1 BIRT\n2 DATE 1900\n1 FAMS @F1@\n1 FAMS @F2@\n"
    "0 @I2@ INDI\n1 NAME Anne /Brown/\n1 SEX F\n1 BIRT\n2 DATE 1902\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Kate /White/\n1 SEX F\n1 FAMS @F2@\n"
    "0 @I4@ INDI\n1 NAME Lone /Wolf/\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 MARR\n2 DATE 1924\n"
    "0 @F2@ FAM\n1 HUSB @I1@\n1 WIFE @I3@\n1 MARR\n2 DATE 1940\n"
    "0 TRLR\n";

template <typename T>
T* Find(const QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(name);
    if (!widget) qFatal("no control %s", name);
    return widget;
}

using test::PdfText;

}  // namespace

class PrintDlgTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("TMPDIR", dir_.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (dir_.path() + "/config").toLocal8Bit());
        gedcom_ = dir_.filePath("family.ged");
        QVERIFY(test::LoadGedcomText(collection_, gedcom_.toStdString(), kFamily));
    }
    void init() {
        WOptions::ResetToDefaults();
        WOptions::SetFlag(opt::kDispInitHelp, false);
        services_.messages.clear();
        SetUiServices(&services_);
    }
    void cleanup() { SetUiServices(nullptr); }

    void spouseListsShowTheActiveIndividualsMarriages() {
        TPrintDlg dialog;
        dialog.SelectPage(kReportFamily);
        dialog.SetSource(collection_.get(), 1, 2);
        auto* famList = Find<QListWidget>(dialog, "lbFamList");
        auto* pedList = Find<QListWidget>(dialog, "lbPedList");
        QCOMPARE(famList->count(), 2);
        QVERIFY(famList->item(0)->text().startsWith("1: Anne /Brown/"));
        QVERIFY(famList->item(0)->text().contains("1902"));
        QVERIFY(famList->item(1)->text().startsWith("2: Kate"));
        QCOMPARE(dialog.Request().spouseEntry, 1);
        QCOMPARE(dialog.SpouseFamilies().size(), size_t(2));
        // Only the current page's list is filled.
        QCOMPARE(pedList->count(), 0);

        // Moving the scroller to someone never married empties the list.
        Find<WIndScroll>(dialog, "IndScroll")->GoToIndividual(4);
        QCOMPARE(dialog.ActiveIndividual(), 4);
        QCOMPARE(famList->count(), 0);
        QCOMPARE(famList->selectedItems().size(), 0);
        QCOMPARE(dialog.Request().spouseEntry, -1);
        QVERIFY(dialog.SpouseFamilies().empty());

        // No preference selects the first marriage; showing the Pedigree
        // page fills its own list.
        dialog.SetSource(collection_.get(), 1, 0);
        dialog.SelectPage(kReportPedigree);
        QCOMPARE(pedList->count(), 2);
        QCOMPARE(dialog.Request().spouseEntry, 0);
    }

    void selectPageIgnoresUnknownPages() {
        TPrintDlg dialog;
        auto* pages = Find<QTabWidget>(dialog, "PageControl");
        QCOMPARE(pages->count(), kReportKindCount);
        dialog.SelectPage(kReportIslands);
        QCOMPARE(pages->currentIndex(), int(kReportIslands));
        for (int page : {-1, 8, 100}) {
            dialog.SelectPage(page);
            QCOMPARE(dialog.CurrentPage(), int(kReportIslands));
        }
    }

    void settingsAreLoadedAndStored() {
        WOptions::SetFlag(opt::kPed_Single, false);
        WOptions::SetFlag(opt::kHL_Grey, true);
        WOptions::SetInt(opt::kDesIndent, 3);
        WOptions::SetInt(opt::kDesColW, 45);
        WOptions::SetFlag(opt::kDesPC, false);
        {
            TPrintDlg dialog;
            QVERIFY(Find<QRadioButton>(dialog, "rbCascading")->isChecked());
            QVERIFY(Find<QCheckBox>(dialog, "cbHLGrayLines")->isChecked());
            QVERIFY(!Find<QCheckBox>(dialog, "cbListGrayLines")->isChecked());
            QCOMPARE(Find<QSpinBox>(dialog, "DesIndentSpinEdit")->value(), 3);
            QCOMPARE(Find<QLabel>(dialog, "labDesWith")->text(), QString("3.19\""));
            auto* trackBar = Find<QSlider>(dialog, "DesTrackBar");
            QCOMPARE(trackBar->value(), 45);
            QVERIFY(trackBar->isHidden());
            QVERIFY(Find<QWidget>(dialog, "desPaintBox")->isHidden());

            // Track bar, print columns and notes are stored at once.
            trackBar->setValue(36);
            QCOMPARE(WOptions::GetInt(opt::kDesColW), 36);
            QCOMPARE(Find<QLabel>(dialog, "labDesWith")->text(), QString("4.25\""));
            Find<QCheckBox>(dialog, "cbDesPrintColumn")->setChecked(true);
            QVERIFY(WOptions::GetFlag(opt::kDesPC));
            QVERIFY(!trackBar->isHidden());
            Find<QCheckBox>(dialog, "cbIndPrintNotes")->setChecked(false);
            QVERIFY(!WOptions::GetFlag(opt::kIndNotes));

            // The line options wait for the dialog to close; the
            // Descendants starting values are never written back.
            Find<QCheckBox>(dialog, "cbListBoldHL")->setChecked(true);
            Find<QRadioButton>(dialog, "rbSingle")->setChecked(true);
            Find<QSpinBox>(dialog, "DesIndentSpinEdit")->setValue(9);
            QVERIFY(!WOptions::GetFlag(opt::kList_HL));

            // Each list-shaped report takes its own page's options.
            dialog.SetSource(collection_.get(), 1, 0);
            dialog.SelectPage(kReportHighlighted);
            QVERIFY(dialog.Request().greyLines);
            dialog.SelectPage(kReportList);
            QVERIFY(!dialog.Request().greyLines);
            QVERIFY(dialog.Request().markHighlighted);
            QCOMPARE(dialog.Request().desIndent, 9);
        }
        QVERIFY(WOptions::GetFlag(opt::kList_HL));
        QVERIFY(WOptions::GetFlag(opt::kPed_Single));
        QCOMPARE(WOptions::GetInt(opt::kDesIndent), 3);
    }

    void defaultFileNamesFollowThePage() {
        TPrintDlg dialog;
        dialog.SetSource(collection_.get(), 1, 0);
        dialog.SetFileTitle("C:\\Trees/Our family");
        const char* expected[kReportKindCount] = {
            "Our family - General Info",   "John Smith - Individual",  "John Smith - Family",
            "John Smith - Pedigree",       "John Smith - Descendants", "Our family - List",
            "Our family - Highlight List", "Our family - Islands"};
        for (int page = 0; page < kReportKindCount; ++page) {
            dialog.SelectPage(page);
            QCOMPARE(dialog.DefaultFileName(), QString(expected[page]));
        }
        // The name options are the user's again afterwards.
        QVERIFY(WOptions::GetFlag(opt::kPreSuf));
        QVERIFY(WOptions::GetFlag(opt::kNameSlash));
    }

    void savesTheGeneralReportAndShowsIt() {
        TPrintDlg dialog;
        dialog.SetSource(collection_.get(), 1, 0);
        dialog.SetFileTitle("Our family");
        const QString target = dir_.filePath("general.pdf");
        QString proposed;
        dialog.saveFileChooser = [&](const QString& path) {
            proposed = path;
            return std::pair<QString, int>(target, 1);
        };
        QStringList opened;
        dialog.fileOpener = [&](const QString& file) {
            opened << file;
            return true;
        };
        dialog.SaveToFile();
        QVERIFY(services_.messages.empty());
        QCOMPARE(proposed, QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                               .filePath("Our family - General Info"));
        QCOMPARE(dialog.SavedFileName(), target);
        QCOMPARE(opened, QStringList{target});
        QVERIFY(PdfText(target).contains("General File Information"));
        QCOMPARE(WOptions::GetText(opt::kSaveToFileDir), dir_.path().toStdString());
        QCOMPARE(WaitNesting(), 0);

        // Without a viewer for the type the user is told; the folder last
        // used is proposed again.
        dialog.fileOpener = [](const QString&) { return false; };
        dialog.SaveToFile();
        QVERIFY(proposed.startsWith(dir_.path() + "/"));
        QCOMPARE(services_.messages,
                 std::vector<std::string>{"Error: There is currently no default viewer set up "
                                          "for the file type \"PDF\" on your computer."});
    }

    void cancelAndWriteErrorsLeaveTheDialogUsable() {
        TPrintDlg dialog;
        dialog.SetSource(collection_.get(), 1, 0);
        int opened = 0;
        dialog.fileOpener = [&](const QString&) { return ++opened > 0; };
        dialog.saveFileChooser = [](const QString&) { return std::pair<QString, int>(); };
        dialog.SaveToFile();
        QVERIFY(services_.messages.empty());
        QVERIFY(WOptions::GetText(opt::kSaveToFileDir).empty());

        // A file where a folder should be: the file cannot be written.
        QFile blocker(dir_.filePath("not-a-folder"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        dialog.saveFileChooser = [&](const QString&) {
            return std::pair<QString, int>(blocker.fileName() + "/report.pdf", 1);
        };
        dialog.SaveToFile();
        QCOMPARE(services_.messages,
                 std::vector<std::string>{"Error: The file \"" + dir_.path().toStdString() +
                                          "/not-a-folder/report.pdf\" could not be written."});
        QVERIFY(dialog.SavedFileName().isEmpty());
        QCOMPARE(opened, 0);
        QCOMPARE(WaitNesting(), 0);
        QVERIFY(Find<QWidget>(dialog, "PageControl")->isEnabled());
    }

    // The path shows as the user typed it, whatever its letters.
    void writeErrorsNameAPathAsTyped() {
        TPrintDlg dialog;
        dialog.SetSource(collection_.get(), 1, 0);
        dialog.fileOpener = [](const QString&) { return true; };
        const QString blocker = dir_.filePath(QString::fromUtf8("M\u00fcller"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString target = blocker + QString::fromUtf8("/Stammbaum Gro\u00df \u0416.pdf");
        dialog.saveFileChooser = [&](const QString&) { return std::pair<QString, int>(target, 1); };
        dialog.SaveToFile();
        QCOMPARE(services_.messages.size(), size_t{1});
        QCOMPARE(QString::fromStdString(services_.messages.front()),
                 QString::fromUtf8("Error: The file \"") + dir_.path() +
                     QString::fromUtf8("/M\u00fcller/Stammbaum Gro\u00df \u0416.pdf\" could not "
                                       "be written."));
        // A name that is no UTF-8 shows what can be read of it.
        QCOMPARE(
            WriteErrorMessage(FilePath("/tmp/M\xFCller.pdf")),
            std::string("Error: The file \"/tmp/M\xEF\xBF\xBDller.pdf\" could not be written."));
        QCOMPARE(PathToQt(PathFromQt(target)), target);
    }

    void fileTypesMapToFormats() {
        const ExportFormat formats[] = {ExportFormat::PDF,  ExportFormat::HTML, ExportFormat::RTF,
                                        ExportFormat::JPEG, ExportFormat::BMP,  ExportFormat::EMF};
        QCOMPARE(TPrintDlg::SaveFilters().size(), 6);
        for (int index = 1; index <= 6; ++index)
            QCOMPARE(TPrintDlg::FormatOfFilter(index), formats[index - 1]);
        QCOMPARE(TPrintDlg::FormatOfFilter(0), ExportFormat::PDF);
        QCOMPARE(TPrintDlg::FormatOfFilter(7), ExportFormat::PDF);
    }

    void printCommandOpensTheDialogOnTheCurrentTab() {
        test::ScriptedDialogs dialogs;
        TLogoAppForm window("no-program-file");
        window.SetDialogs(&dialogs);
        QVERIFY(window.LoadFile(gedcom_.toStdString()));
        QAction* print = window.Ui().commands[TLogoAppForm::kCmdPrint];
        QVERIFY(print->isEnabled());
        struct Seen {
            int page = -1;
            int32_t individual = 0;
            int spouseEntry = -2;
            bool tagSent = true;
        } seen;
        dialogs.print = [&](TPrintDlg& dialog) {
            seen = {dialog.CurrentPage(), dialog.ActiveIndividual(), dialog.Request().spouseEntry,
                    WOptions::GetFlag(opt::kTMGTagSent)};
        };
        // The Family tab showing John's second marriage.
        window.Ui().scroller->GoToIndividual(1);
        window.SelectTab(Tab::Family);
        static_cast<TFamilyPage*>(window.Ui().pages->widget(Tab::Family))->NextSpouse();
        print->trigger();
        QCOMPARE(seen.page, int(kReportFamily));
        QCOMPARE(seen.individual, 1);
        QCOMPARE(seen.spouseEntry, 1);
        QVERIFY(!seen.tagSent);
        QVERIFY(WOptions::GetFlag(opt::kTMGTagSent));

        window.SelectTab(Tab::Islands);
        print->trigger();
        QCOMPARE(seen.page, int(kReportIslands));
        // The Sources tab has no report: the dialog opens on its first page.
        window.SelectTab(Tab::Sources);
        print->trigger();
        QCOMPARE(seen.page, int(kReportGeneral));
    }

  private:
    QTemporaryDir dir_;
    QString gedcom_;
    std::unique_ptr<WGEDCollection> collection_;
    RecordingServices services_;
};

}  // namespace vx::reports

QTEST_MAIN(vx::reports::PrintDlgTest)
#include "PrintDlgTest.moc"
