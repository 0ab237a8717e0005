// The Descendants, Islands and Sources pages over a small file: what each
// grid lists, the controls that change it, header clicks that sort, and
// everything emptying when the file goes.
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "GedcomLoading.h"
#include "analysis/FamilyAnalysis.h"
#include "app/Options.h"
#include "columns/ListColumns.h"
#include "gedcom/GEDCollection.h"
#include "ui/DescendantsTab.h"
#include "ui/IslandsTab.h"
#include "ui/ListPage.h"
#include "ui/SourcesTab.h"

namespace vx {
namespace {

// Cain (3) and Abel (4) are Adam's sons; their children Enoch (7) and Naamah
// (8) marry, so their son Irad (9) descends from Adam twice. Adam has a
// second, childless wife. Tom, Ann and Kid (13-15) form a second island,
// Lone (16) a third.
const char* kFile =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME Adam /Root/\n1 FAMS @F1@\n1 FAMS @F2@\n"
    "0 @I2@ INDI\n1 NAME Eve /Wife/\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Cain /Root/\n1 FAMC @F1@\n1 FAMS @F3@\n"
    "0 @I4@ INDI\n1 NAME Abel /Root/\n1 FAMC @F1@\n1 FAMS @F4@\n"
    "0 @I5@ INDI\n1 NAME Ada /Five/\n1 FAMS @F3@\n"
    "0 @I6@ INDI\n1 NAME Zilla /Six/\n1 FAMS @F4@\n"
    "0 @I7@ INDI\n1 NAME Enoch /Root/\n1 FAMC @F3@\n1 FAMS @F5@\n"
    "0 @I8@ INDI\n1 NAME Naamah /Root/\n1 FAMC @F4@\n1 FAMS @F5@\n"
    "0 @I9@ INDI\n1 NAME Irad /Root/\n1 FAMC @F5@\n1 FAMS @F6@\n"
    "0 @I10@ INDI\n1 NAME Mara /Ten/\n1 FAMS @F6@\n"
    "0 @I11@ INDI\n1 NAME Mehu /Root/\n1 FAMC @F6@\n"
    "0 @I12@ INDI\n1 NAME Lilith /Second/\n1 FAMS @F2@\n"
    "0 @I13@ INDI\n1 NAME Tom /Island/\n1 FAMS @F7@\n"
    "0 @I14@ INDI\n1 NAME Ann /Island/\n1 FAMS @F7@\n"
    "0 @I15@ INDI\n1 NAME Kid /Island/\n1 FAMC @F7@\n"
    "0 @I16@ INDI\n1 NAME Lone /Wolf/\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 CHIL @I4@\n"
    "0 @F2@ FAM\n1 HUSB @I1@\n1 WIFE @I12@\n"
    "0 @F3@ FAM\n1 HUSB @I3@\n1 WIFE @I5@\n1 CHIL @I7@\n"
    "0 @F4@ FAM\n1 HUSB @I4@\n1 WIFE @I6@\n1 CHIL @I8@\n"
    "0 @F5@ FAM\n1 HUSB @I7@\n1 WIFE @I8@\n1 CHIL @I9@\n"
    "0 @F6@ FAM\n1 HUSB @I9@\n1 WIFE @I10@\n1 CHIL @I11@\n"
    "0 @F7@ FAM\n1 HUSB @I13@\n1 WIFE @I14@\n1 CHIL @I15@\n"
    "0 @S1@ SOUR\n1 TITL Zeta Book\n1 AUTH Adams\n1 NOTE Kept in the vestry\n1 REPO @R1@\n"
    "0 @S2@ SOUR\n1 TITL Alpha\n2 CONT Records\n1 TEXT First text line\n2 CONT second line\n"
    "0 @S3@ SOUR\n1 TITL Middle Ledger\n1 ABBR ML\n"
    "0 @R1@ REPO\n1 NAME County Archive\n1 ADDR Main Street\n2 CITY Ely\n2 CTRY England\n"
    "0 TRLR\n";

template <typename Model>
QStringList Column(const Model& model, int column) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.data(model.index(row, column), Qt::DisplayRole).toString();
    return texts;
}

}  // namespace

class ListTabsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        WOptions::ResetToDefaults();
        QVERIFY(dir_.isValid());
        QVERIFY(test::LoadGedcomText(collection_, dir_.filePath("tabs.ged").toStdString(), kFile));
        analysis_ = std::make_unique<FamilyAnalysis>(*collection_);
        context_.collection = collection_.get();
        context_.analysis = analysis_.get();
        context_.active = 1;
        columns_ = std::make_unique<WListColumns>(nullptr, "TestList");
        columns_->SetColumnString("1,7");
    }
    void cleanup() {
        columns_.reset();
        analysis_.reset();
        collection_.reset();
    }

    void descendantsFollowTheSettings() {
        WOptions::SetInt(opt::kDesGenLimit, 0);
        TDescendantsPage page(*columns_);
        QAbstractItemModelTester tester(&page.Model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        auto& model = page.Model();
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("Descendants (0)"));
        QCOMPARE(page.GenerationsLabel()->text(), QString("Show ALL Generations"));
        page.Refresh(context_);
        const QStringList lines = Column(model, 0);
        QCOMPARE(lines.size(), 9);
        QCOMPARE(lines[0], QString("1 - Adam /Root/ [1] + Eve /Wife/ [2] [1 of 2]"));
        QCOMPARE(lines[4], QString("5 - Mehu /Root/ [11]"));
        QCOMPARE(lines[6], QString("3 - Naamah /Root/ [8] + Enoch /Root/ [7]"));
        // Irad is reached a second time through Naamah: one row, no children.
        QCOMPARE(lines[7], QString("4 - Irad /Root/ [9] (DUPLICATED)"));
        QCOMPARE(lines[8], QString("1 - Adam /Root/ [1] + Lilith /Second/ [12] [2 of 2]"));
        QCOMPARE(lines.filter("DUPLICATED").size(), 1);
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("Descendants (6 individuals)"));
        QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("Surname, Given"));
        QCOMPARE(Column(model, 1).mid(5, 2), QStringList({"4", "8"}));
        QCOMPARE(model.IndividualAt(7), 9);
        page.resize(900, 400);
        QVERIFY(!page.grab().isNull());  // the drawn lines, colours and all

        // Repeating individuals expands both lines of descent in full.
        page.RepeatIndividuals()->setChecked(true);
        QVERIFY(WOptions::GetFlag(opt::kDesRepDups));
        const QStringList repeated = Column(model, 0);
        QCOMPARE(repeated.size(), 10);
        QVERIFY(repeated.filter("DUPLICATED").isEmpty());
        QCOMPARE(repeated.filter("Irad /Root/ [9] + Mara").size(), 2);

        // Three generations below Adam: Mehu, the fourth, goes.
        page.Generations()->setValue(3);
        QCOMPARE(WOptions::GetInt(opt::kDesGenLimit), 3);
        QCOMPARE(page.GenerationsLabel()->text(), QString("Show 3 Generations"));
        QCOMPARE(model.rowCount(), 8);
        QVERIFY(Column(model, 0).filter("Mehu").isEmpty());

        page.ShowGrid()->setChecked(false);
        QVERIFY(!WOptions::GetFlag(opt::kDesShowLines));
        QVERIFY(!page.Grid()->showGrid());

        QSignalSpy chosen(&page, &TDescendantsPage::IndividualChosen);
        emit page.Grid()->doubleClicked(model.index(1, 0));
        QCOMPARE(chosen.value(0).value(0).toInt(), 3);

        page.Refresh(PageContext{});
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("Descendants (0)"));
    }

    void islandsCountOnlyWhenAskedAndListTheirMembers() {
        WOptions::SetFlag(opt::kCalcIslands, false);
        TIslandsPage page(*columns_);
        QAbstractItemModelTester islandsTester(
            &page.IslandsModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester membersTester(
            &page.MembersModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        page.Refresh(context_);
        QCOMPARE(page.IslandsModel().rowCount(), 0);
        QVERIFY(page.CalculateButton()->isEnabled());
        QVERIFY(page.FoundLabel()->text().isEmpty());

        page.CalculateButton()->click();
        QVERIFY(!page.CalculateButton()->isEnabled());
        QCOMPARE(page.FoundLabel()->text(), QString("3 islands"));
        QCOMPARE(Column(page.IslandsModel(), 1), QStringList({"12", "3", "1"}));
        QCOMPARE(Column(page.IslandsModel(), 2), QStringList({"6", "1", "0"}));
        QCOMPARE(Column(page.IslandsModel(), 3)[2], QString("Lone /Wolf/ [16]"));
        // The first island shows at once.
        QCOMPARE(page.MembersModel().rowCount(), 12);

        page.IslandGrid()->selectRow(1);
        auto members = [&] { return Column(page.MembersModel(), 0); };
        QCOMPARE(members(), QStringList({"13", "14", "15"}));
        QCOMPARE(page.MembersLabel()->text(), QString("3 Individuals"));

        // Sorting by name, then reversing it; the order holds for the next
        // island chosen.
        page.MemberGrid()->horizontalHeader()->sectionClicked(1);
        QCOMPARE(members(), QStringList({"14", "15", "13"}));
        page.MemberGrid()->horizontalHeader()->sectionClicked(1);
        QCOMPARE(members(), QStringList({"13", "15", "14"}));
        QCOMPARE(page.MemberGrid()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        page.IslandGrid()->selectRow(0);
        QCOMPARE(members().first(), QString("2"));  // Eve Wife, last by surname

        QSignalSpy chosen(&page, &TIslandsPage::IndividualChosen);
        emit page.IslandGrid()->doubleClicked(page.IslandsModel().index(1, 3));
        QCOMPARE(chosen.value(0).value(0).toInt(), 13);

        page.Refresh(PageContext{});
        QCOMPARE(page.IslandsModel().rowCount(), 0);
        QCOMPARE(page.MembersModel().rowCount(), 0);
        QVERIFY(page.FoundLabel()->text().isEmpty());
        QVERIFY(page.MembersLabel()->text().isEmpty());
        QVERIFY(!columns_->SortIterator());
    }

    void sourcesListSortAndShowDetails() {
        TSourcesPage page;
        QAbstractItemModelTester tester(&page.Model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        page.Refresh(context_);
        auto& model = page.Model();
        QCOMPARE(page.FoundLabel()->text(), QString("3 Sources"));
        QCOMPARE(Column(model, 4), QStringList({"Zeta Book", "Alpha Records", "Middle Ledger"}));
        QCOMPARE(Column(model, 1), QStringList({"Y", "", ""}));
        QCOMPARE(Column(model, 3), QStringList({"Y", "", ""}));
        QCOMPARE(Column(model, 5)[2], QString("ML"));
        // The first source shows below the grid.
        QCOMPARE(page.TitleLabel()->text(), QString("Zeta Book"));
        QCOMPARE(page.NoteMemo()->toPlainText(), QString("Kept in the vestry"));
        QCOMPARE(page.RepositoryMemo()->toPlainText(),
                 QString("County Archive\nMain Street, Ely, England"));

        page.Grid()->horizontalHeader()->sectionClicked(4);
        QCOMPARE(Column(model, 0), QStringList({"2", "3", "1"}));
        QCOMPARE(page.Grid()->horizontalHeader()->sortIndicatorSection(), 4);
        page.Grid()->horizontalHeader()->sectionClicked(4);
        QCOMPARE(Column(model, 0), QStringList({"1", "3", "2"}));

        page.Grid()->selectRow(2);
        QCOMPARE(page.TitleLabel()->text(), QString("Alpha Records"));
        QCOMPARE(page.TextMemo()->toPlainText(), QString("First text line\nsecond line"));
        QVERIFY(page.NoteMemo()->toPlainText().isEmpty());
        QVERIFY(page.RepositoryMemo()->toPlainText().isEmpty());
        QVERIFY(page.RawMemo()->toPlainText().startsWith("0 @S2@ SOUR\n1 TITL Alpha"));

        PageContext raw = context_;
        raw.raw = true;
        page.Refresh(raw);
        QCOMPARE(page.CurrentDetailPage(), page.RawMemo()->parentWidget());
        QCOMPARE(page.TitleLabel()->text(), QString("Alpha Records"));

        page.Refresh(PageContext{});
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(page.FoundLabel()->text().isEmpty());
        QVERIFY(page.TitleLabel()->text().isEmpty());
        QVERIFY(page.TextMemo()->toPlainText().isEmpty());
    }

  private:
    QTemporaryDir dir_;
    std::unique_ptr<WGEDCollection> collection_;
    std::unique_ptr<FamilyAnalysis> analysis_;
    std::unique_ptr<WListColumns> columns_;
    PageContext context_;
};

}  // namespace vx

QTEST_MAIN(vx::ListTabsTest)
#include "ListTabsTest.moc"
