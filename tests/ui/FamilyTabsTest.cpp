// The Family and Pedigree tabs over a small file of six generations: who
// lands in which panel, stepping through the spouses of a man married
// twice, the children grid and the side lists, the "+" buttons, the chart's
// staggered layout, double-clicks, and both pages emptied without a file.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "GedcomLoading.h"
#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "ui/FamilyTab.h"
#include "ui/PageContext.h"
#include "ui/PedigreeTab.h"
#include "widgets/IndInfoPanel.h"

namespace vx {
namespace {

// John (1) married Anne (2), children Paul (5) and Rose (6), then Kate (9),
// child Tom (10). John's parents George (3) and Mary (4) also have Lucy
// (11); Anne's parents are Henry (7) and Ellen (8). Paul married Sue (12)
// and has Baby (16). George's line goes back Walter (13), Adam (14), Abel
// (15).
const char* kFamily =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME John /Smith/\n1 SEX M\n1 BIRT\n2 DATE 1900\n"
    "1 FAMC @F3@\n1 FAMS @F1@\n1 FAMS @F2@\n"
    "0 @I2@ INDI\n1 NAME Anne /Brown/\n1 SEX F\n1 FAMC @F4@\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME George /Smith/\n1 SEX M\n1 FAMC @F6@\n1 FAMS @F3@\n"
    "0 @I4@ INDI\n1 NAME Mary /Jones/\n1 SEX F\n1 FAMS @F3@\n"
    "0 @I5@ INDI\n1 NAME Paul /Smith/\n1 SEX M\n1 BIRT\n2 DATE 1925\n1 FAMC @F1@\n1 FAMS @F5@\n"
    "0 @I6@ INDI\n1 NAME Rose /Smith/\n1 SEX F\n1 BIRT\n2 DATE 1927\n1 FAMC @F1@\n"
    "0 @I7@ INDI\n1 NAME Henry /Brown/\n1 SEX M\n1 FAMS @F4@\n"
    "0 @I8@ INDI\n1 NAME Ellen /Green/\n1 SEX F\n1 FAMS @F4@\n"
    "0 @I9@ INDI\n1 NAME Kate /White/\n1 SEX F\n1 FAMS @F2@\n"
    "0 @I10@ INDI\n1 NAME Tom /Smith/\n1 SEX M\n1 FAMC @F2@\n"
    "0 @I11@ INDI\n1 NAME Lucy /Smith/\n1 SEX F\n1 FAMC @F3@\n"
    "0 @I12@ INDI\n1 NAME Sue /Black/\n1 SEX F\n1 FAMS @F5@\n"
    "0 @I13@ INDI\n1 NAME Walter /Smith/\n1 SEX M\n1 FAMC @F7@\n1 FAMS @F6@\n"
    "0 @I14@ INDI\n1 NAME Adam /Smith/\n1 SEX M\n1 FAMC @F8@\n1 FAMS @F7@\n"
    "0 @I15@ INDI\n1 NAME Abel /Smith/\n1 SEX M\n1 FAMS @F8@\n"
    "0 @I16@ INDI\n1 NAME Baby /Smith/\n1 FAMC @F5@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 MARR\n2 DATE 1924\n2 PLAC Leeds\n"
    "1 CHIL @I5@\n1 CHIL @I6@\n"
    "0 @F2@ FAM\n1 HUSB @I1@\n1 WIFE @I9@\n1 MARR\n2 DATE 1940\n1 CHIL @I10@\n"
    "0 @F3@ FAM\n1 HUSB @I3@\n1 WIFE @I4@\n1 CHIL @I1@\n1 CHIL @I11@\n"
    "0 @F4@ FAM\n1 HUSB @I7@\n1 WIFE @I8@\n1 CHIL @I2@\n"
    "0 @F5@ FAM\n1 HUSB @I5@\n1 WIFE @I12@\n1 CHIL @I16@\n"
    "0 @F6@ FAM\n1 HUSB @I13@\n1 CHIL @I3@\n"
    "0 @F7@ FAM\n1 HUSB @I14@\n1 CHIL @I13@\n"
    "0 @F8@ FAM\n1 HUSB @I15@\n1 CHIL @I14@\n"
    "0 TRLR\n";

// An item view only takes a double-click on the cell that was pressed
// first, as a real mouse does.
void DoubleClickCell(QAbstractItemView* view, const QRect& cell) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}

int32_t ListEntry(const QListWidget* list, int row) {
    return list->item(row)->data(Qt::UserRole).toInt();
}

}  // namespace

class FamilyTabsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        WOptions::ResetToDefaults();
        QVERIFY(dir_.isValid());
        QVERIFY(
            test::LoadGedcomText(collection_, dir_.filePath("family.ged").toStdString(), kFamily));
    }
    void cleanup() { collection_.reset(); }

    void familyPageShowsTheCoupleAndBothSetsOfParents() {
        TFamilyPage page;
        page.Refresh(Context(1));
        QCOMPARE(page.SubjectPanel()->Individual(), 1);
        QCOMPARE(page.SubjectPanel()->NameString(), Name(1));
        QCOMPARE(page.SpousePanel()->NameString(), Name(2));
        QCOMPARE(page.ParentPanel(TFamilyPage::kSubjectFather)->NameString(), Name(3));
        QCOMPARE(page.ParentPanel(TFamilyPage::kSubjectMother)->NameString(), Name(4));
        QCOMPARE(page.ParentPanel(TFamilyPage::kSpouseFather)->NameString(), Name(7));
        QCOMPARE(page.ParentPanel(TFamilyPage::kSpouseMother)->NameString(), Name(8));
        QVERIFY(page.MarriageInfo()->text().contains("Leeds"));
        QCOMPARE(page.SpouseCounter()->text(), QString("(1 of 2)"));
        QVERIFY(!page.NextSpouseButton()->isHidden());
        // Only George's parents are known.
        QVERIFY(!page.ParentPlusButton(TFamilyPage::kSubjectFather)->isHidden());
        QVERIFY(page.ParentPlusButton(TFamilyPage::kSubjectMother)->isHidden());
        QVERIFY(page.ParentPlusButton(TFamilyPage::kSpouseFather)->isHidden());

        const QAbstractItemModel* grid = page.Grid()->model();
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->headerData(1, Qt::Horizontal).toString(), QString("Children (2)"));
        QCOMPARE(grid->index(0, 1).data().toString(), Name(5));
        QCOMPARE(grid->index(0, 5).data().toString(), Name(12));
        QCOMPARE(grid->index(0, 0).data().toString(), QString("+"));  // Paul's family has Baby
        QCOMPARE(grid->index(1, 1).data().toString(), Name(6));
        QCOMPARE(grid->index(1, 5).data().toString(), QString());
    }

    void nextSpouseCyclesAndRefreshKeepsIt() {
        TFamilyPage page;
        page.Refresh(Context(1));
        page.NextSpouseButton()->click();
        QCOMPARE(page.SpousePanel()->Individual(), 9);
        QCOMPARE(page.SpouseCounter()->text(), QString("(2 of 2)"));
        QVERIFY(!page.MarriageInfo()->text().contains("Leeds"));
        // Kate's parents are unknown: their panels must not keep Anne's.
        QCOMPARE(page.ParentPanel(TFamilyPage::kSpouseFather)->Individual(), 0);
        QCOMPARE(page.ParentPanel(TFamilyPage::kSpouseMother)->NameString(), QString());
        QCOMPARE(page.Grid()->model()->rowCount(), 1);
        QCOMPARE(page.Grid()->model()->index(0, 1).data().toString(), Name(10));

        page.Refresh(Context(1));  // same person: still the second family
        QCOMPARE(page.SpousePanel()->Individual(), 9);
        page.NextSpouseButton()->click();  // wraps round
        QCOMPARE(page.SpousePanel()->Individual(), 2);
        QCOMPARE(page.Grid()->model()->rowCount(), 2);

        page.NextSpouseButton()->click();
        page.Refresh(Context(5));
        QVERIFY(page.NextSpouseButton()->isHidden());  // Paul married once
        page.Refresh(Context(1));                      // back to John: from his first family
        QCOMPARE(page.SpousePanel()->Individual(), 2);
    }

    // The children grid's model keeps Qt's rules for item models through
    // every change the page makes: another spouse, another person, a person
    // without a family, and no file at all.
    void familyGridModelKeepsTheModelContract() {
        TFamilyPage page;
        QAbstractItemModelTester tester(&page.GridModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        page.Refresh(Context(1));
        QCOMPARE(page.GridModel().rowCount(), 2);
        page.NextSpouse();
        QCOMPARE(page.GridModel().rowCount(), 1);
        page.Refresh(Context(5));
        QCOMPARE(page.GridModel().rowCount(), 1);
        page.Refresh(Context(16));  // Baby: no family of her own
        QCOMPARE(page.GridModel().rowCount(), 0);
        page.Refresh(Context(1));
        page.Refresh(PageContext{});
        QCOMPARE(page.GridModel().rowCount(), 0);
        QCOMPARE(page.GridModel().ChildAt(0), 0);
    }

    void familyDoubleClicksChooseTheRightPerson() {
        TFamilyPage page;
        page.resize(900, 700);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.Refresh(Context(1));
        QSignalSpy chosen(&page, &TFamilyPage::IndividualChosen);
        QTableView* grid = page.Grid();
        const auto doubleClick = [grid](int row, int column) {
            DoubleClickCell(grid, grid->visualRect(grid->model()->index(row, column)));
        };
        doubleClick(1, 1);
        doubleClick(0, 5);  // the spouse column goes to Paul's wife
        doubleClick(0, 2);  // the sex column leads nowhere
        doubleClick(1, 5);  // Rose has no spouse
        QTest::mouseDClick(page.ParentPanel(TFamilyPage::kSpouseMother), Qt::LeftButton);
        page.ParentPlusButton(TFamilyPage::kSubjectFather)->click();
        QCOMPARE(chosen.size(), 4);
        QCOMPARE(chosen[0][0].toInt(), 6);
        QCOMPARE(chosen[1][0].toInt(), 12);
        QCOMPARE(chosen[2][0].toInt(), 8);
        QCOMPARE(chosen[3][0].toInt(), 3);
    }

    void pedigreeChartPlacesTheAncestors() {
        TPedigreePage page;
        page.resize(1100, 700);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.Refresh(Context(5));
        const int32_t expected[] = {0, 5, 1, 2, 3, 4, 7, 8, 13};
        for (int k = 1; k <= 8; ++k)
            QCOMPARE(page.Panel(k)->Individual(), expected[k]);
        QCOMPARE(page.Panel(2)->NameString(), Name(1));
        QCOMPARE(page.Panel(16)->NameString(), Name(14));
        QCOMPARE(page.Panel(17)->Individual(), 0);
        QCOMPARE(page.SpousePanel()->Individual(), 12);
        QVERIFY(page.SpouseButton()->isHidden());

        // Generations step right; every parent pair brackets its child, and
        // the last generation runs down the chart in order.
        const int w = qRound(0.28 * page.Chart()->width());
        QCOMPARE(page.Panel(1)->x(), 5);
        QCOMPARE(page.Panel(16)->x(), 2 * w + w / 2);
        for (int k = 1; k <= 15; ++k) {
            const int middle = page.Panel(k)->geometry().center().y();
            QVERIFY(page.Panel(2 * k)->y() < middle);
            QVERIFY(page.Panel(2 * k + 1)->geometry().bottom() > middle);
        }
        for (int k = 16; k < 31; ++k)
            QVERIFY(page.Panel(k)->y() < page.Panel(k + 1)->y());

        // Adam (panel 16) has a father; the "+" beside him leads to John.
        QVERIFY(!page.PlusButton(1)->isHidden());
        QCOMPARE(page.PlusButton(1)->x(), page.Panel(16)->geometry().right() + 1);
        for (int k = 2; k <= 16; ++k)
            QVERIFY(page.PlusButton(k)->isHidden());
        QSignalSpy chosen(&page, &TPedigreePage::IndividualChosen);
        page.PlusButton(1)->click();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].toInt(), 1);
    }

    void pedigreeListsAndSpouseButton() {
        TPedigreePage page;
        page.resize(1100, 700);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.Refresh(Context(1));
        QCOMPARE(page.SpousePanel()->Individual(), 2);
        QCOMPARE(page.SiblingsCaption()->text(), QString("Siblings (1)"));
        QCOMPARE(ListEntry(page.SiblingsList(), 0), 11);
        QCOMPARE(page.ChildrenCaption()->text(), QString("Children (2)"));
        QCOMPARE(ListEntry(page.ChildrenList(), 0), 5);
        QCOMPARE(ListEntry(page.ChildrenList(), 1), 6);

        QVERIFY(!page.SpouseButton()->isHidden());
        page.SpouseButton()->click();
        QCOMPARE(page.SpousePanel()->Individual(), 9);
        QCOMPARE(page.ChildrenCaption()->text(), QString("Children (1)"));
        QCOMPARE(ListEntry(page.ChildrenList(), 0), 10);
        QCOMPARE(page.Panel(1)->Individual(), 1);  // the ancestors stay

        QSignalSpy chosen(&page, &TPedigreePage::IndividualChosen);
        QListWidget* siblings = page.SiblingsList();
        DoubleClickCell(siblings, siblings->visualItemRect(siblings->item(0)));
        QTest::mouseDClick(page.Panel(3), Qt::LeftButton);
        QCOMPARE(chosen.size(), 2);
        QCOMPARE(chosen[0][0].toInt(), 11);
        QCOMPARE(chosen[1][0].toInt(), 4);
    }

    void refreshWithoutAFileClearsBothPages() {
        TFamilyPage family;
        TPedigreePage pedigree;
        family.Refresh(Context(1));
        pedigree.Refresh(Context(1));
        PageContext none;
        none.active = 1;
        family.Refresh(none);
        pedigree.Refresh(none);
        QCOMPARE(family.SubjectPanel()->Individual(), 0);
        QCOMPARE(family.SubjectPanel()->NameString(), QString());
        QCOMPARE(family.ParentPanel(TFamilyPage::kSubjectFather)->NameString(), QString());
        QCOMPARE(family.Grid()->model()->rowCount(), 0);
        QVERIFY(family.NextSpouseButton()->isHidden());
        QVERIFY(family.ParentPlusButton(TFamilyPage::kSubjectFather)->isHidden());
        QCOMPARE(pedigree.Panel(1)->NameString(), QString());
        QCOMPARE(pedigree.Panel(8)->Individual(), 0);
        QCOMPARE(pedigree.SpousePanel()->Individual(), 0);
        QVERIFY(pedigree.SpouseButton()->isHidden());
        QCOMPARE(pedigree.SiblingsList()->count(), 0);
        QCOMPARE(pedigree.ChildrenList()->count(), 0);
        QCOMPARE(pedigree.SiblingsCaption()->text(), QString("Siblings"));
    }

  private:
    PageContext Context(int32_t active) const {
        PageContext context;
        context.collection = collection_.get();
        context.active = active;
        return context;
    }
    QString Name(int32_t individual) const {
        return QString::fromStdString(collection_->DisplayNameOf(individual));
    }

    QTemporaryDir dir_;
    std::unique_ptr<WGEDCollection> collection_;
};

}  // namespace vx

QTEST_MAIN(vx::FamilyTabsTest)
#include "FamilyTabsTest.moc"
