// The report engine and the eight reports, read back from their display
// lists and from the PDF, image and other files they write.
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <memory>
#include <string>

#include "GedcomLoading.h"
#include "QtTestSupport.h"
#include "analysis/FamilyAnalysis.h"
#include "app/Errors.h"
#include "app/Options.h"
#include "app/Settings.h"
#include "columns/ColSortIterator.h"
#include "columns/ListColumns.h"
#include "gedcom/GEDCollection.h"
#include "highlight/HLGroup.h"
#include "records/Date.h"
#include "reports/ABSReportForm.h"
#include "reports/ReportDesForm.h"
#include "reports/ReportListForm.h"
#include "reports/ReportPedigreeForm.h"
#include "reports/ReportRunner.h"

using namespace vx;
using namespace vx::reports;

namespace {

// Every text of a page, in drawing order.
QStringList PageTexts(const ReportPage& page) {
    QStringList texts;
    for (const DrawOp& op : page.ops)
        if (op.kind == DrawKind::Text) texts << op.text;
    return texts;
}

QStringList AllTexts(const ReportDocument& document) {
    QStringList texts;
    for (const ReportPage& page : document.pages)
        texts << PageTexts(page);
    return texts;
}

// Five generations in a line: 1 is the child of 2 and 3, 2 of 4 and 5, and
// so on up to 16 and 17 (the parents of 8). 4 and 6 are the same couple's
// children... no: 6 is 4's brother-in-law; see each FAM.
std::string Ancestry(bool cousinParents) {
    std::string text = "0 HEAD\n1 CHAR ASCII\n";
    for (int i = 1; i <= 33; ++i) {
        text += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME Person" + std::to_string(i) +
                " /Line/\n1 SEX " + (i % 2 == 0 || i == 1 ? "M" : "F") + "\n";
        if (i == 1) text += "1 BIRT\n2 DATE 1 JAN 1950\n";
        if (i == 3) text += "1 CHR\n2 DATE 3 MAR 1925\n";
    }
    // Family k: husband 2k, wife 2k + 1, child k.
    for (int k = 1; k <= 16; ++k) {
        int husband = 2 * k;
        int wife = 2 * k + 1;
        if (cousinParents && k == 3) {
            husband = 8;  // 3's father is 4's father: the chart meets him twice
            wife = 9;
        }
        text += "0 @F" + std::to_string(k) + "@ FAM\n1 HUSB @I" + std::to_string(husband) +
                "@\n1 WIFE @I" + std::to_string(wife) + "@\n1 CHIL @I" + std::to_string(k) + "@\n";
        if (k == 1) text += "1 MARR\n2 DATE 1948\n2 PLAC Springfield\n";
    }
    return text + "0 TRLR\n";
}

}  // namespace

class ReportsTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void repeatingBandsPageAndStopWithoutRows();
    void longTextsAreCutOrWrappedCleanly();
    void cutTextsEndWithAnEllipsisAndLongTitlesWrap();
    void familyGroupBlocksNeverSplitAcrossPages();
    void cancellingThePreparationKeepsNoPages();
    void eachReportKindWritesItsTextToPdf();
    void namesInEveryScriptReachThePdf();
    void emptyListsAndFilesWithoutIslandsPrintNoRows();
    void singleSheetPedigreeQueuesNothing();
    void cascadingPedigreeContinuesOnTheRightCharts();
    void pedigreeRefersToAncestorsMetTwice();
    void descendantsIndentAndMarriageCounts();
    void listColumnsWrapAtTheRightMargin();
    void highlightedListIsTitledByItsConditions();
    void imagesHaveOneFilePerPageAtTheRightSize();
    void unwritableFolderGivesAClearError();
    void toolWritesEveryFormat();

  private:
    std::unique_ptr<WGEDCollection> Load(const std::string& text);
    ReportDocument Run(const ReportRequest& request);

    std::unique_ptr<QTemporaryDir> dir_;
};

void ReportsTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    WOptions::ResetToDefaults();
    SetTodayProvider([] { return CivilDate{15, 6, 2026}; });
}

void ReportsTest::cleanup() {
    SetTodayProvider({});
    WOptions::ResetToDefaults();
}

std::unique_ptr<WGEDCollection> ReportsTest::Load(const std::string& text) {
    std::unique_ptr<WGEDCollection> collection;
    if (!test::LoadGedcomText(collection,
                              dir_->filePath(QStringLiteral("family.ged")).toStdString(), text))
        return nullptr;
    return collection;
}

ReportDocument ReportsTest::Run(const ReportRequest& request) {
    auto job = ReportJob::Create(request);
    if (!job || !job->Report().Prepare()) return {};
    return job->Report().Document();
}

void ReportsTest::repeatingBandsPageAndStopWithoutRows() {
    TABSReportForm report;
    report.SetTitle(QStringLiteral("Rows"));
    report.SetFileTitle(QStringLiteral("rows.ged"));
    report.SetPrintTime(QStringLiteral("1 Jan 2026 09:30 AM"));
    int delivered = 0;
    WReportBand* rows = report.AddBand(20);
    WReportLabel* label =
        rows->AddLabel(QRectF(0, 0, 200, 15), QString(), TABSReportForm::Arial(9));
    rows->needData = [&](bool& more) {
        if (delivered == 100) return;
        label->text = QStringLiteral("row %1").arg(++delivered);
        more = true;
    };
    int silentAsks = 0;
    WReportBand* silent = report.AddBand(20);
    silent->AddLabel(QRectF(0, 0, 200, 15), QStringLiteral("never"), TABSReportForm::Arial(9));
    silent->needData = [&](bool&) { ++silentAsks; };
    QVERIFY(report.Prepare());

    const ReportDocument& document = report.Document();
    // 100 rows of 20 units below a 45-unit header and above a 35-unit
    // footer: 880 units of body take 44 rows per page.
    QCOMPARE(document.pages.size(), size_t(3));
    const QStringList first = PageTexts(document.pages[0]);
    QVERIFY(first.contains(QStringLiteral("row 44")));
    QVERIFY(!first.contains(QStringLiteral("row 45")));
    QVERIFY(PageTexts(document.pages[1]).contains(QStringLiteral("row 45")));
    for (size_t i = 0; i < document.pages.size(); ++i) {
        const QStringList texts = PageTexts(document.pages[i]);
        QVERIFY(texts.contains(QStringLiteral("Rows")));
        QVERIFY(texts.contains(QStringLiteral("Page %1").arg(i + 1)));
        QVERIFY(texts.contains(QStringLiteral("File: rows.ged")));
        QVERIFY(texts.contains(QStringLiteral("1 Jan 2026 09:30 AM")));
    }
    QCOMPARE(silentAsks, 1);
    QVERIFY(!AllTexts(document).contains(QStringLiteral("never")));
}

void ReportsTest::longTextsAreCutOrWrappedCleanly() {
    TABSReportForm report;
    WReportBand* band = report.AddBand(16);
    const QString longName(200, QLatin1Char('W'));
    band->AddLabel(QRectF(0, 0, 150, 14), longName, TABSReportForm::Arial(9));
    WReportBand* memo = report.AddBand(16);
    QString note;
    while (note.size() < 50 * 1024)
        note += QStringLiteral("a fairly long note that goes on ");
    WReportLabel* memoLabel = memo->AddLabel(QRectF(0, 0, 300, 14), note, TABSReportForm::Arial(9));
    memoLabel->wordWrap = true;
    memoLabel->autoStretch = true;
    QVERIFY(report.Prepare());

    const ReportDocument& document = report.Document();
    QCOMPARE(document.pages.size(), size_t(2));  // the memo cannot share the first page
    for (const ReportPage& page : document.pages)
        for (const DrawOp& op : page.ops) {
            if (op.kind != DrawKind::Text) continue;
            // Nothing passes its cell, nothing runs into the footer.
            QVERIFY(WReportEngine::TextWidth(op.text, op.font) <= op.rect.width() + 0.01);
            QVERIFY(op.rect.bottom() <= document.pageHeight - 48 + 0.5);
        }
    const QString cut = PageTexts(document.pages[0]).first();
    QVERIFY(cut.size() > 5 && cut.size() < 200);
    QVERIFY(PageTexts(document.pages[1]).size() > 40);  // a page full of memo lines
}

void ReportsTest::cutTextsEndWithAnEllipsisAndLongTitlesWrap() {
    const QString ellipsis(QChar(0x2026));
    const QString place =
        QStringLiteral("Saint Bartholomew the Great, Smithfield, London, England");
    auto collection = Load(
        "0 HEAD\n0 @I1@ INDI\n1 NAME Alexander Montgomery /Fitzwilliam-Worthington/ Sr\n1 SEX M\n"
        "1 BIRT\n2 DATE 1 JAN 1900\n2 PLAC " +
        place.toStdString() + "\n0 TRLR\n");
    QVERIFY(collection);
    FamilyAnalysis analysis(*collection);
    ReportRequest request;
    request.kind = kReportPedigree;
    request.collection = collection.get();
    request.analysis = &analysis;
    request.individual = 1;
    request.spouseEntry = -1;
    const ReportDocument pedigree = Run(request);
    QVERIFY(!pedigree.pages.empty());
    // The place is cut in its box and says so; what shows is its beginning.
    bool placeShown = false;
    for (const DrawOp& op : pedigree.pages[0].ops) {
        if (op.kind != DrawKind::Text || !op.text.startsWith(QStringLiteral("Saint"))) continue;
        placeShown = true;
        QVERIFY2(op.text.endsWith(ellipsis), qPrintable(op.text));
        QVERIFY(place.startsWith(op.text.chopped(1).trimmed()));
        QVERIFY(WReportEngine::TextWidth(op.text, op.font) <= op.rect.width() + 0.01);
    }
    QVERIFY(placeShown);
    QVERIFY(AllTexts(pedigree).filter(ellipsis).size() >= 1);
    // Texts that fit are never marked.
    QVERIFY(AllTexts(pedigree).contains(QStringLiteral("Pedigree Chart")));

    // A title that needs three lines gets them: every word is printed, in
    // the header, above the column headings.
    TReportListForm list;
    QStringList words;
    for (int i = 1; i <= 20; ++i)
        words << QStringLiteral("condition%1").arg(i);
    list.SetTitle(words.join(QLatin1Char(' ')));
    QVERIFY(list.Prepare());
    QStringList lines;
    double titleBottom = 0;
    for (const DrawOp& op : list.Document().pages[0].ops)
        if (op.kind == DrawKind::Text && op.text.startsWith(QStringLiteral("condition"))) {
            lines << op.text;
            titleBottom = std::max(titleBottom, op.rect.bottom());
        }
    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines.join(QLatin1Char(' ')), words.join(QLatin1Char(' ')));
    for (const DrawOp& op : list.Document().pages[0].ops)
        if (op.kind == DrawKind::Line && op.rect.top() < kMargin + 100)
            QVERIFY(op.rect.top() >= titleBottom);
}

void ReportsTest::familyGroupBlocksNeverSplitAcrossPages() {
    // A couple with 30 children, each with a spouse: far more than a page.
    std::string text =
        "0 HEAD\n0 @I1@ INDI\n1 NAME Adam /Root/\n1 SEX M\n1 FAMS @F1@\n"
        "0 @I2@ INDI\n1 NAME Eve /Root/\n1 SEX F\n1 FAMS @F1@\n";
    std::string families = "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n";
    for (int k = 1; k <= 30; ++k) {
        const std::string child = std::to_string(10 + k), spouse = std::to_string(100 + k);
        text += "0 @I" + child + "@ INDI\n1 NAME Child" + std::to_string(k) + " /Root/\n1 SEX " +
                (k % 2 ? "M" : "F") + "\n1 BIRT\n2 DATE 1 JAN 19" + std::to_string(10 + k) +
                "\n2 PLAC Town\n1 DEAT\n2 DATE 2 FEB 1990\n1 FAMC @F1@\n1 FAMS @F" + child +
                "@\n0 @I" + spouse + "@ INDI\n1 NAME Spouse" + std::to_string(k) +
                " /Other/\n1 FAMS @F" + child + "@\n";
        families += "1 CHIL @I" + child + "@\n";
        text += "0 @F" + child + "@ FAM\n1 HUSB @I" + (k % 2 ? child : spouse) + "@\n1 WIFE @I" +
                (k % 2 ? spouse : child) + "@\n1 MARR\n2 DATE 1940\n";
    }
    auto collection = Load(text + families + "0 TRLR\n");
    QVERIFY(collection);
    FamilyAnalysis analysis(*collection);
    ReportRequest request;
    request.kind = kReportFamily;
    request.collection = collection.get();
    request.analysis = &analysis;
    request.individual = 1;
    request.spouseEntry = 0;
    const ReportDocument document = Run(request);
    QVERIFY(document.pages.size() >= 3);
    // Every page after the first starts its body with a block's title row
    // (a child's sex), never with a line from the middle of a block.
    for (size_t n = 1; n < document.pages.size(); ++n) {
        const QStringList texts = PageTexts(document.pages[n]);
        QVERIFY(texts.size() > 2);
        QVERIFY2(texts[1] == QStringLiteral("M") || texts[1] == QStringLiteral("F"),
                 qPrintable(QString::number(n) + ": " + texts.mid(1, 3).join('|')));
        QVERIFY(texts[2].startsWith(QStringLiteral("Child")));
    }
    // Every child is printed once, with its spouse.
    const QStringList all = AllTexts(document);
    for (int k = 1; k <= 30; ++k) {
        QCOMPARE(all.filter(QRegularExpression(QStringLiteral("^Child%1\\b").arg(k))).size(), 1);
        QCOMPARE(all.filter(QRegularExpression(QStringLiteral("^Spouse%1\\b").arg(k))).size(), 1);
    }
}

void ReportsTest::cancellingThePreparationKeepsNoPages() {
    TABSReportForm report;
    WReportBand* rows = report.AddBand(20);
    rows->AddLabel(QRectF(0, 0, 100, 15), QStringLiteral("x"), TABSReportForm::Arial(9));
    int asked = 0;
    rows->needData = [&](bool& more) { more = ++asked < 100000; };
    int reported = 0;
    QVERIFY(!report.Prepare([&](int pages) {
        reported = pages;
        return pages < 3;
    }));
    QCOMPARE(reported, 3);
    QVERIFY(asked < 200);
    QVERIFY(!report.Prepared());
    QVERIFY(report.Document().pages.empty());
}

void ReportsTest::eachReportKindWritesItsTextToPdf() {
    auto collection = Load(Ancestry(false));
    QVERIFY(collection);
    FamilyAnalysis analysis(*collection);
    WListColumns columns(&analysis, ListSectionName(ListSection::List));
    columns.SetColumnString(kDefaultListColumns);
    WListColumns desColumns(&analysis, ListSectionName(ListSection::DesList));
    WHLGroup group(&analysis);
    group.SetConditionString("+29:1LINE");
    group.Refresh();

    struct Expectation {
        int kind;
        int32_t individual;
        QStringList texts;
    };
    const Expectation expectations[] = {
        {kReportGeneral,
         1,
         {"General File Information", "Header Information", "# Individuals", "33"}},
        {kReportIndividual,
         1,
         {"Individual Information", "Person1 /Line/", "1 Jan 1950", "Father", "Person2 /Line/"}},
        {kReportFamily,
         2,
         {"Family Group Information", "Husband", "Person2 /Line/", "Person3 /Line/", "Springfield",
          "Children", "Person1 /Line/"}},
        {kReportPedigree, 1, {"Pedigree Chart", "Person15 /Line/", "(Spouse of #1)"}},
        {kReportDescendants,
         4,
         {"Descendants of Person4 /Line/", "1 - Person4 /Line/ [4] + Person5 /Line/ [5]",
          "2 - Person2 /Line/", "3 - Person1 /Line/"}},
        {kReportList, 1, {"List", "Surname, Given", "Line, Person33"}},
        {kReportHighlighted, 1, {"Individuals:", "Line, Person1"}},
        {kReportIslands, 1, {"Islands", "1st individual in island", "33"}},
    };
    for (const Expectation& expectation : expectations) {
        ReportRequest request;
        request.kind = expectation.kind;
        request.collection = collection.get();
        request.analysis = &analysis;
        request.individual = expectation.individual;
        request.fileTitle = QStringLiteral("family.ged");
        request.spouseEntry = 0;
        request.desGenerations = 32;
        request.desIndent = 8;
        request.desColumns = &desColumns;
        request.listColumns = &columns;
        request.group = &group;
        auto job = ReportJob::Create(request);
        QVERIFY(job);
        const QString path = dir_->filePath(QStringLiteral("kind%1.pdf").arg(expectation.kind));
        QCOMPARE(job->Save(ExportFormat::PDF, path), path);
        const QString text = test::PdfText(path, true);
        for (const QString& expected : expectation.texts)
            QVERIFY2(text.contains(expected),
                     qPrintable(QStringLiteral("kind %1 lacks \"%2\" in:\n%3")
                                    .arg(expectation.kind)
                                    .arg(expected, text.right(1500))));
        QVERIFY(text.contains(QStringLiteral("Printed by Vellacor")));
        QVERIFY(text.contains(QStringLiteral("File: family.ged")));
    }
}

void ReportsTest::namesInEveryScriptReachThePdf() {
    QFile source(QStringLiteral(VELLACOR_TEST_DATA "/gedcom/scripts_utf8.ged"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    auto collection = Load(source.readAll().toStdString());
    QVERIFY(collection);
    FamilyAnalysis analysis(*collection);
    WListColumns columns(&analysis, ListSectionName(ListSection::List));
    columns.SetColumnString(kDefaultListColumns);
    const QStringList names = {
        QStringLiteral("Zieliński, Łukasz"),
        QStringLiteral("Παπαδοπούλου, Αθηνά"),
        QStringLiteral("Петров, Иван"),
        QStringLiteral("כהן"),
        QStringLiteral("张, 伟"),
        QStringLiteral("محمد"),
    };
    for (int kind : {kReportList, kReportFamily}) {
        ReportRequest request;
        request.kind = kind;
        request.collection = collection.get();
        request.analysis = &analysis;
        request.individual = 1;
        request.fileTitle = QStringLiteral("scripts.ged");
        request.spouseEntry = 0;
        request.listColumns = &columns;
        auto job = ReportJob::Create(request);
        QVERIFY(job);
        const QString path = dir_->filePath(QStringLiteral("scripts%1.pdf").arg(kind));
        QCOMPARE(job->Save(ExportFormat::PDF, path), path);
        // pdftotext reads back only what the PDF carries as real glyphs of
        // embedded fonts: a name drawn as boxes would not come back.
        // Arabic comes back in its joined presentation forms and with bidi
        // marks around right-to-left runs: compare the plain letters.
        const QString text = test::PdfText(path)
                                 .normalized(QString::NormalizationForm_KC)
                                 .remove(QRegularExpression(
                                     QStringLiteral("[\u200E\u200F\u202A-\u202E\u2066-\u2069]")));
        const QStringList expected =
            kind == kReportList
                ? names
                : QStringList{QStringLiteral("Łukasz /Zieliński/"), QStringLiteral("Αθηνά"),
                              QStringLiteral("Иван /Петров/"), QStringLiteral("伟 /张/"),
                              QStringLiteral("Kraków")};
        for (const QString& name : expected)
            QVERIFY2(text.contains(name), qPrintable(name + QStringLiteral(" not in:\n") + text));
    }
}

void ReportsTest::emptyListsAndFilesWithoutIslandsPrintNoRows() {
    auto collection = Load("0 HEAD\n0 TRLR\n");
    QVERIFY(collection);
    FamilyAnalysis analysis(*collection);
    WListColumns columns(&analysis, ListSectionName(ListSection::List));
    columns.SetColumnString(kDefaultListColumns);
    for (int kind : {kReportList, kReportIslands, kReportGeneral}) {
        ReportRequest request;
        request.kind = kind;
        request.collection = collection.get();
        request.analysis = &analysis;
        request.listColumns = &columns;
        request.greyLines = true;
        const ReportDocument document = Run(request);
        QCOMPARE(document.pages.size(), size_t(1));  // an empty report still has its page
        for (const DrawOp& op : document.pages[0].ops)
            QVERIFY(op.kind != DrawKind::Fill);  // no grey row was printed
    }
    // Family and pedigree reports need somebody.
    ReportRequest request;
    request.kind = kReportFamily;
    request.collection = collection.get();
    request.analysis = &analysis;
    QVERIFY(!ReportJob::Create(request));
    // The Islands report needs the file's analyses.
    request.kind = kReportIslands;
    request.analysis = nullptr;
    QVERIFY(!ReportJob::Create(request));
}

void ReportsTest::singleSheetPedigreeQueuesNothing() {
    auto collection = Load(Ancestry(false));
    QVERIFY(collection);
    FamilyAnalysis analysis(*collection);
    ReportRequest request;
    request.kind = kReportPedigree;
    request.collection = collection.get();
    request.analysis = &analysis;
    request.individual = 1;
    request.spouseEntry = -1;
    WOptions::SetFlag(opt::kFamBirChr, false);
    const ReportDocument document = Run(request);
    QCOMPARE(document.pages.size(), size_t(1));
    const QStringList texts = AllTexts(document);
    QVERIFY(!texts.contains(QStringLiteral("Chart No.")));
    QVERIFY(texts.filter(QStringLiteral("No. 1 on this chart")).isEmpty());
    QVERIFY(texts.contains(QStringLiteral("Person15 /Line/")));
    // Person 3 has only a christening: with FamBirChr off its birth line is empty.
    QVERIFY(!texts.contains(QStringLiteral("[3 Mar 1925]")));
}

void ReportsTest::cascadingPedigreeContinuesOnTheRightCharts() {
    auto collection = Load(Ancestry(false));
    QVERIFY(collection);
    FamilyAnalysis analysis(*collection);
    WOptions::SetFlag(opt::kFamBirChr, true);
    ReportRequest request;
    request.kind = kReportPedigree;
    request.collection = collection.get();
    request.analysis = &analysis;
    request.individual = 1;
    request.cascading = true;
    const ReportDocument document = Run(request);
    // Positions 8 and 9 (people 8 and 9) have parents 16..19; 10 and 11
    // have 20..23; people 16 to 33 have none. So charts 2 to 9 continue
    // positions 8 to 15 of chart 1, where only 8..15 up to 16 have families.
    QVERIFY(document.pages.size() >= 2);
    const QStringList first = PageTexts(document.pages[0]);
    QVERIFY(first.contains(QStringLiteral("Chart No.")));
    QVERIFY(first.contains(QStringLiteral("[3 Mar 1925]")));  // christening in brackets
    const QStringList second = PageTexts(document.pages[1]);
    QVERIFY(
        second.contains(QStringLiteral("No. 1 on this chart is the same as no. 8 on chart no. 1")));
    QVERIFY(second.contains(QStringLiteral("Person8 /Line/")));
    QVERIFY(second.contains(QStringLiteral("Person16 /Line/")));
    QVERIFY(second.contains(QStringLiteral("Person9 /Line/")));  // the spouse of #1 there
    // Chart 1's position 8 points to chart 2, position 9 to chart 3.
    QVERIFY(first.contains(QStringLiteral("2")));
    QVERIFY(
        PageTexts(document.pages[2])
            .contains(QStringLiteral("No. 1 on this chart is the same as no. 9 on chart no. 1")));
}

void ReportsTest::pedigreeRefersToAncestorsMetTwice() {
    auto collection = Load(Ancestry(true));
    QVERIFY(collection);
    FamilyAnalysis analysis(*collection);
    ReportRequest request;
    request.kind = kReportPedigree;
    request.collection = collection.get();
    request.analysis = &analysis;
    request.individual = 1;
    request.cascading = true;
    const ReportDocument document = Run(request);
    const QStringList first = PageTexts(document.pages[0]);
    // 3's parents are 8 and 9, already printed at positions 8 and 9... 3 is
    // position 3, its father (8) position 6: printed at 8 before? No: boxes
    // fill in position order, so 8 is met at position 6 first and position
    // 8 refers back to it.
    QVERIFY(first.contains(QStringLiteral("    Already printed.")));
    QVERIFY(first.contains(QStringLiteral("    See #6 on Page 1")));
}

void ReportsTest::descendantsIndentAndMarriageCounts() {
    auto collection = Load(Ancestry(false));
    QVERIFY(collection);
    FamilyAnalysis analysis(*collection);
    ReportRequest request;
    request.kind = kReportDescendants;
    request.collection = collection.get();
    request.analysis = &analysis;
    request.individual = 4;
    request.desIndent = 8;
    request.desGenerations = 32;
    const ReportDocument document = Run(request);
    const QStringList texts = AllTexts(document);
    QVERIFY(texts.contains(QStringLiteral("3 - Person1 /Line/ [1]")));
    QVERIFY(texts.contains(QStringLiteral("2 - Person2 /Line/ [2] + Person3 /Line/ [3]")));
    // Every generation steps in by the same distance, a quarter of an inch
    // at the default indent.
    std::map<int, double> lefts;
    for (const DrawOp& op : document.pages[0].ops) {
        const QRegularExpressionMatch generation =
            QRegularExpression(QStringLiteral("^(\\d+) - ")).match(op.text);
        if (op.kind == DrawKind::Text && generation.hasMatch())
            lefts[generation.captured(1).toInt()] = op.rect.left();
    }
    QVERIFY(lefts.size() >= 3);
    const double step = lefts[2] - lefts[1];
    QVERIFY2(step >= kUnitsPerInch / 4, qPrintable(QString::number(step)));
    for (const auto& [generation, left] : lefts)
        QCOMPARE(left, lefts[1] + (generation - 1) * step);
}

void ReportsTest::listColumnsWrapAtTheRightMargin() {
    auto collection = Load(Ancestry(false));
    QVERIFY(collection);
    FamilyAnalysis analysis(*collection);
    WListColumns columns(&analysis, ListSectionName(ListSection::List));
    columns.SetColumnString("1,2,3,4,5,6,7,8,9");
    for (int i = 1; i <= columns.ColumnCount(); ++i)
        columns.SetColumnWidth(i, 80);
    TReportListForm report;
    report.SetCollection(collection.get());
    WColSortIterator list(collection.get(), nullptr);
    report.SetColumns(&columns, &list);
    const auto& cells = report.Cells().Cells();
    QCOMPARE(cells.size(), size_t(9));
    QCOMPARE(cells[0]->geometry.left(), 5.0);
    QCOMPARE(cells[1]->geometry.left(), 92.0);
    QCOMPARE(cells[7]->geometry.left(), 614.0);
    QCOMPARE(cells[8]->geometry.left(), 5.0);
    QCOMPARE(cells[8]->geometry.top(), cells[0]->geometry.top() + 15);
    QCOMPARE(report.Cells().Rows(), 2);
}

void ReportsTest::highlightedListIsTitledByItsConditions() {
    auto collection = Load(Ancestry(false));
    QVERIFY(collection);
    FamilyAnalysis analysis(*collection);
    WListColumns columns(&analysis, ListSectionName(ListSection::List));
    columns.SetColumnString(kDefaultListColumns);
    ReportRequest request;
    request.kind = kReportHighlighted;
    request.collection = collection.get();
    request.analysis = &analysis;
    request.listColumns = &columns;
    QCOMPARE(PageTexts(Run(request).pages[0]).first(), QStringLiteral("Highlighted List"));

    WHLGroup group(&analysis);
    group.SetConditionString("+29:1LINE");
    group.Refresh();
    request.group = &group;
    request.markHighlighted = true;  // has no effect on this list
    const QStringList texts = AllTexts(Run(request));
    QVERIFY(texts.first().startsWith(QStringLiteral("Individuals: ")));
    QVERIFY(!texts.contains(QStringLiteral("*")));
    QCOMPARE(texts.filter(QRegularExpression(QStringLiteral("^Line, Person\\d+$"))).size(), 33);
}

void ReportsTest::imagesHaveOneFilePerPageAtTheRightSize() {
    auto collection = Load(Ancestry(false));
    QVERIFY(collection);
    FamilyAnalysis analysis(*collection);
    ReportRequest request;
    request.kind = kReportPedigree;
    request.collection = collection.get();
    request.analysis = &analysis;
    request.individual = 1;
    request.cascading = true;
    auto job = ReportJob::Create(request);
    const QString path = dir_->filePath(QStringLiteral("chart.bmp"));
    QCOMPARE(job->Save(ExportFormat::BMP, path), path);
    const int pages = static_cast<int>(Run(request).pages.size());
    QVERIFY(pages > 1);
    for (int i = 0; i < pages; ++i) {
        const QImage image(PageFileName(path, i));
        QCOMPARE(image.size(), QSize(1275, 1650));  // Letter at 150 dots per inch
    }
    QVERIFY(!QFile::exists(PageFileName(path, pages)));
    QCOMPARE(QFileInfo(PageFileName(path, 1)).fileName(), QStringLiteral("chart-2.bmp"));
}

void ReportsTest::unwritableFolderGivesAClearError() {
    auto collection = Load(Ancestry(false));
    QVERIFY(collection);
    FamilyAnalysis analysis(*collection);
    ReportRequest request;
    request.collection = collection.get();
    request.analysis = &analysis;
    const QString path = dir_->filePath(QStringLiteral("missing/folder/general"));
    for (ExportFormat format : {ExportFormat::PDF, ExportFormat::JPEG, ExportFormat::HTML}) {
        auto job = ReportJob::Create(request);
        try {
            job->Save(format, path);
            QFAIL("saving into a missing folder succeeded");
        } catch (const EInOutError& error) {
            QVERIFY(QString::fromStdString(error.what())
                        .contains(QStringLiteral("could not be written")));
        }
    }
}

void ReportsTest::toolWritesEveryFormat() {
    const QString gedcom =
        QStringLiteral(VELLACOR_TEST_DATA "/gedcom/djeffrey_kennedy_easytree_v501.ged");
    const QStringList formats = {"pdf", "html", "rtf", "jpg", "bmp", "emf"};
    for (const QString& format : formats) {
        const QString output = dir_->filePath(QStringLiteral("family.") + format);
        QProcess tool;
        tool.start(QStringLiteral(VELLACOR_TOOL),
                   {"report", gedcom, "family", "1", "-o", output, "--lds"});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(tool.readAllStandardOutput()).trimmed(), output);
        QVERIFY(QFileInfo(output).size() > 100);
    }
    QVERIFY(test::PdfText(dir_->filePath(QStringLiteral("family.pdf")), true)
                .contains(QStringLiteral("LDS Ordinance Dates")));
    QFile html(dir_->filePath(QStringLiteral("family.html")));
    QVERIFY(html.open(QIODevice::ReadOnly));
    QVERIFY(html.readAll().contains("Family Group Information"));

    // A file without individuals still has a general page, a list and
    // islands (all empty); a report about a person is refused.
    const QString nobody = dir_->filePath(QStringLiteral("nobody.ged"));
    QFile nobodyFile(nobody);
    QVERIFY(nobodyFile.open(QIODevice::WriteOnly));
    nobodyFile.write("0 HEAD\r\n0 @N1@ NOTE x\r\n0 TRLR\r\n");
    nobodyFile.close();
    for (const char* kind : {"general", "list", "islands", "family"}) {
        QProcess report;
        report.start(QStringLiteral(VELLACOR_TOOL),
                     {"report", nobody, kind, "-o", dir_->filePath(QStringLiteral("nobody.html"))});
        QVERIFY(report.waitForFinished(60000));
        QCOMPARE(report.exitCode(), QString(kind) == "family" ? 1 : 0);
    }

    QProcess bad;
    bad.start(QStringLiteral(VELLACOR_TOOL),
              {"report", gedcom, "family", "1", "-o", dir_->filePath("no/such/dir/x.pdf")});
    QVERIFY(bad.waitForFinished(60000));
    QCOMPARE(bad.exitCode(), 1);
    QVERIFY(bad.readAllStandardError().contains("could not be written"));

    // A marriage the individual does not have is refused in one line, and
    // no file is written; the one they have still prints.
    const QString family = dir_->filePath(QStringLiteral("marriage.pdf"));
    QProcess beyond;
    beyond.start(QStringLiteral(VELLACOR_TOOL),
                 {"report", gedcom, "family", "1", "-o", family, "--marriage", "3"});
    QVERIFY(beyond.waitForFinished(60000));
    QCOMPARE(beyond.exitCode(), 1);
    // Qt may add warnings of its own; the tool says one line.
    const QStringList lines = QString::fromUtf8(beyond.readAllStandardError())
                                  .split('\n', Qt::SkipEmptyParts)
                                  .filter(QStringLiteral("vellacor-tool"));
    QCOMPARE(lines, QStringList{"vellacor-tool report: individual 1 has 1 marriage, not 3"});
    QVERIFY(!QFileInfo::exists(family));
    QProcess first;
    first.start(QStringLiteral(VELLACOR_TOOL),
                {"report", gedcom, "family", "1", "-o", family, "--marriage", "1"});
    QVERIFY(first.waitForFinished(60000));
    QCOMPARE(first.exitCode(), 0);
    QVERIFY(QFileInfo(family).size() > 100);
}

QTEST_MAIN(ReportsTest)
#include "ReportsTest.moc"
