// The General and Individual tabs over a small file: the grids show what
// the page models build, the raw-data switch swaps grids and memos, the
// Individual grid's selection drives the notes and sources memos and
// survives rebuilds, double-clicks move to people, and a closed file
// empties both pages.
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "GedcomLoading.h"
#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "ui/GeneralTab.h"
#include "ui/IndividualTab.h"
#include "ui/PageContext.h"

namespace vx {
namespace {

// John (1) is the son of Adam (2) and Mary (3); Lone (4) has nobody.
const char* kFamily =
    "0 HEAD\n1 SOUR TestProg\n1 DATE 1 JAN 2020\n1 SUBM @U1@\n1 GEDC\n2 VERS 5.5\n"
    "1 CHAR ASCII\n"
    "0 @U1@ SUBM\n1 NAME Ann Lee\n1 ADDR 1 High St\n2 CONT Ashford\n1 PHON 555\n"
    "0 @I1@ INDI\n1 NAME John /Smith/\n1 SEX M\n1 BIRT\n2 DATE 1 JAN 1900\n2 PLAC Leeds\n"
    "2 NOTE Born at home\n1 DEAT\n2 DATE 5 MAY 1950\n2 SOUR @S1@\n1 FAMC @F1@\n"
    "0 @I2@ INDI\n1 NAME Adam /Smith/\n1 SEX M\n1 BIRT\n2 DATE 1875\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Mary /Jones/\n1 SEX F\n1 FAMS @F1@\n"
    "0 @I4@ INDI\n1 NAME Lone /Person/\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I3@\n1 CHIL @I1@\n"
    "0 @S1@ SOUR\n1 TITL Parish register\n0 @N1@ NOTE A note\n0 TRLR\n";

// John's rows: identifiers, name, the four vital events, father, mother.
constexpr int kBirthRow = 2;
constexpr int kDeathRow = 4;
constexpr int kFatherRow = 6;

QString Cell(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

}  // namespace

class GeneralTabsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        WOptions::ResetToDefaults();
        QVERIFY(dir_.isValid());
        QVERIFY(
            test::LoadGedcomText(collection_, dir_.filePath("family.ged").toStdString(), kFamily));
        context_ = {};
        context_.collection = collection_.get();
        context_.active = 1;
        context_.importSeconds = 1.5;
        context_.fontSize = 10;
        context_.rowHeight = 16;
    }
    void cleanup() { collection_.reset(); }

    void generalPageShowsTheFile() {
        TGeneralPage page;
        page.Refresh(context_);
        const QTableWidget* stats = page.StatsGrid();
        QCOMPARE(stats->rowCount(), 8);
        QCOMPARE(stats->model()->headerData(0, Qt::Horizontal).toString(), QString("Stats"));
        QCOMPARE(Cell(stats, 0, 0), QString("Name"));
        QCOMPARE(Cell(stats, 0, 1), QString());  // the name stays empty
        QCOMPARE(Cell(stats, 3, 1), QString("1.500 seconds"));
        QCOMPARE(Cell(stats, 4, 1), QString("4"));
        QCOMPARE(Cell(stats, 7, 1), QString("1"));
        const QTableWidget* header = page.HeaderGrid();
        QCOMPARE(header->rowCount(), static_cast<int>(page.Page().header.rows.size()));
        QCOMPARE(Cell(header, 0, 0), QString("Application"));
        QCOMPARE(Cell(header, 0, 1), QString("TestProg"));
        const QTableWidget* submitter = page.SubmitterGrid();
        QCOMPARE(submitter->rowCount(), 7);
        QCOMPARE(Cell(submitter, 0, 1), QString("Ann Lee"));
        QCOMPARE(Cell(submitter, 2, 1), QString("Ashford"));
        // Information grids are two pixels taller than the setting.
        QCOMPARE(stats->verticalHeader()->defaultSectionSize(), 18);
        QCOMPARE(stats->font().pointSize(), 10);
        QVERIFY(page.HeaderMemo()->isHidden());
    }

    void generalRawModeSwapsGridsForMemos() {
        TGeneralPage page;
        context_.raw = true;
        page.Refresh(context_);
        QVERIFY(page.HeaderGrid()->isHidden());
        QVERIFY(page.SubmitterGrid()->isHidden());
        QVERIFY(!page.HeaderMemo()->isHidden());
        const QString headerLines = page.HeaderMemo()->toPlainText();
        QVERIFY(headerLines.startsWith("0 HEAD\n1 SOUR TestProg\n"));
        QVERIFY(!headerLines.contains('\r'));
        QVERIFY(page.SubmitterMemo()->toPlainText().startsWith("0 @U1@ SUBM\n1 NAME Ann Lee"));
        QCOMPARE(page.HeaderMemo()->textCursor().position(), 0);
        context_.raw = false;
        page.Refresh(context_);
        QVERIFY(!page.HeaderGrid()->isHidden());
        QVERIFY(page.SubmitterMemo()->isHidden());
    }

    void individualGridShowsTheRows() {
        TIndividualPage page;
        page.Refresh(context_);
        const QTableWidget* grid = page.Grid();
        QCOMPARE(grid->columnCount(), 6);
        QCOMPARE(grid->rowCount(), 8);
        QCOMPARE(grid->model()->headerData(4, Qt::Horizontal).toString(), QString("Information"));
        QCOMPARE(Cell(grid, 1, 2), QString("Name"));
        QCOMPARE(Cell(grid, kBirthRow, 0), QString("N"));
        QCOMPARE(Cell(grid, kBirthRow, 3), QString("1 Jan 1900"));
        QCOMPARE(Cell(grid, kBirthRow, 5), QString("-----"));
        QCOMPARE(Cell(grid, kDeathRow, 1), QString("S"));
        QCOMPARE(Cell(grid, kDeathRow, 5), QString("50"));
        QCOMPARE(Cell(grid, kFatherRow, 5), QString("-25"));
        QCOMPARE(grid->item(1, 4)->background().color(), QColor(Qt::white));
        QCOMPARE(grid->verticalHeader()->defaultSectionSize(), 16);
        QCOMPARE(page.SexLabel()->text(), QString("M"));
    }

    void selectedRowFillsTheMemos() {
        TIndividualPage page;
        page.Refresh(context_);
        QTableWidget* grid = page.Grid();
        QCOMPARE(grid->currentRow(), 0);
        grid->setCurrentCell(kBirthRow, 2);
        QCOMPARE(page.NotesMemo()->toPlainText(), QString("Born at home"));
        QCOMPARE(page.SourcesMemo()->toPlainText(), QString());
        grid->setCurrentCell(kDeathRow, 2);
        QCOMPARE(page.NotesMemo()->toPlainText(), QString());
        QVERIFY(page.SourcesMemo()->toPlainText().contains("Parish register"));
        // A rebuild keeps the selected row and what the memos show.
        page.Refresh(context_);
        QCOMPARE(grid->currentRow(), kDeathRow);
        QVERIFY(page.SourcesMemo()->toPlainText().contains("Parish register"));
    }

    void selectedRowIsOutlinedNotFilled() {
        TIndividualPage page;
        page.resize(700, 400);
        page.Refresh(context_);
        QTableWidget* grid = page.Grid();
        grid->setCurrentCell(kBirthRow, 0);
        const QImage cells = grid->viewport()->grab().toImage();
        const QRect cell = grid->visualRect(grid->model()->index(kBirthRow, 2));
        QCOMPARE(cells.pixelColor(cell.center().x(), cell.top()), QColor(Qt::black));
        QCOMPARE(cells.pixelColor(cell.center().x(), cell.bottom()), QColor(Qt::black));
        QCOMPARE(cells.pixelColor(cell.right() - 1, cell.center().y()), QColor(Qt::white));
    }

    void smallerPeopleLeaveSurplusRowsAndResetTheSelection() {
        TIndividualPage page;
        page.Refresh(context_);
        QTableWidget* grid = page.Grid();
        grid->setCurrentCell(7, 0);
        context_.active = 4;  // six rows
        page.Refresh(context_);
        QCOMPARE(grid->rowCount(), 8);
        QCOMPARE(Cell(grid, 7, 2), QString());
        QCOMPARE(grid->currentRow(), 0);
        QCOMPARE(Cell(grid, 1, 4), QString("Lone /Person/"));
        // A surplus row stands for nothing.
        grid->setCurrentCell(kBirthRow, 0);
        grid->setCurrentCell(7, 0);
        QCOMPARE(page.NotesMemo()->toPlainText(), QString());
    }

    void chronologicalBoxStoresTheSettingAndRebuilds() {
        TIndividualPage page;
        context_.active = 4;
        page.Refresh(context_);
        QCOMPARE(page.Page().rows.size(), size_t{6});
        page.ChronologicalBox()->setChecked(true);
        QVERIFY(WOptions::GetFlag(opt::kChrono));
        QCOMPARE(page.Page().rows.size(), size_t{2});  // no empty event rows
        QCOMPARE(Cell(page.Grid(), 2, 2), QString());
    }

    void doubleClickGoesToTheRowsIndividual() {
        TIndividualPage page;
        page.resize(700, 400);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.Refresh(context_);
        QSignalSpy chosen(&page, &TIndividualPage::IndividualChosen);
        QTableWidget* grid = page.Grid();
        const auto doubleClick = [grid](int row) {
            const QRect cell = grid->visualRect(grid->model()->index(row, 2));
            // An item view takes a double-click only on the item the first
            // press went to.
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        };
        doubleClick(kFatherRow);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), 2);
        doubleClick(0);  // the identifiers row points nowhere
        QCOMPARE(chosen.count(), 1);
    }

    void individualRawModeShowsTheRecord() {
        TIndividualPage page;
        context_.raw = true;
        page.Refresh(context_);
        QVERIFY(page.ShowsRaw());
        QVERIFY(page.RawMemo()->toPlainText().startsWith("0 @I1@ INDI\n1 NAME John /Smith/\n"));
        QCOMPARE(page.RawMemo()->palette().color(QPalette::Base), QColor(Qt::white));
        context_.raw = false;
        page.Refresh(context_);
        QVERIFY(!page.ShowsRaw());
    }

    void withoutAFileBothPagesEmpty() {
        TGeneralPage general;
        TIndividualPage individual;
        context_.raw = true;
        general.Refresh(context_);
        individual.Refresh(context_);
        individual.Grid()->setCurrentCell(kBirthRow, 0);
        PageContext closed;
        closed.raw = true;
        general.Refresh(closed);
        individual.Refresh(closed);
        QCOMPARE(general.HeaderMemo()->toPlainText(), QString());
        QCOMPARE(individual.RawMemo()->toPlainText(), QString());

        const PageContext cooked;
        general.Refresh(cooked);
        individual.Refresh(cooked);
        QCOMPARE(general.StatsGrid()->rowCount(), 8);
        for (int row = 0; row < 8; ++row)
            QCOMPARE(Cell(general.StatsGrid(), row, 1), QString());
        QCOMPARE(general.HeaderGrid()->rowCount(), 1);
        QCOMPARE(Cell(general.HeaderGrid(), 0, 0), QString());
        QCOMPARE(individual.Grid()->rowCount(), 1);
        QCOMPARE(Cell(individual.Grid(), 0, 2), QString());
        QCOMPARE(individual.NotesMemo()->toPlainText(), QString());
        QCOMPARE(individual.SexLabel()->text(), QString());
    }

  private:
    QTemporaryDir dir_;
    std::unique_ptr<WGEDCollection> collection_;
    PageContext context_;
};

}  // namespace vx

QTEST_MAIN(vx::GeneralTabsTest)
#include "GeneralTabsTest.moc"
