// The grids at every font size: stored widths scaled to the font and still
// meaning what they meant, columns never narrower than their caption or
// their dates, ages and numbers, a double-click on a divider fitting a
// column, dragged widths kept, and the selection outlined in every grid.
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "GedcomLoading.h"
#include "analysis/FamilyAnalysis.h"
#include "app/Options.h"
#include "columns/ColSortIterator.h"
#include "columns/ListColumns.h"
#include "gedcom/GEDCollection.h"
#include "ui/GeneralTab.h"
#include "ui/GridWidths.h"
#include "ui/IslandsTab.h"
#include "ui/ListPage.h"
#include "ui/SourcesTab.h"

namespace vx {
namespace {

// Dates of every shape a list shows, long names, and a second island.
const char* kFile =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME Bartholomew Alexander /Fitzwilliam-Worthington/\n1 SEX M\n"
    "1 BIRT\n2 DATE ABT 18 NOV 1888\n1 DEAT\n2 DATE 28 SEP 1967\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Wilhelmina /Montgomery/\n1 SEX F\n1 BIRT\n2 DATE BEF 22 MAY 1890\n"
    "1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Ann /Fitzwilliam-Worthington/\n1 BIRT\n2 DATE 1921\n1 FAMC @F1@\n"
    "0 @I4@ INDI\n1 NAME Lone /Wolf/\n1 BIRT\n2 DATE EST 30 DEC 1800\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n"
    "0 @S1@ SOUR\n1 TITL A Book\n"
    "0 TRLR\n";

// Index, name, birth date, age, number of children.
const char* kColumns = "1,7,10,19,26";
constexpr int kNameColumn = 1;
constexpr int kFontSizes[] = {8, 10, 12};

QFont FontOfSize(const QTableView& grid, int points) {
    QFont font = grid.font();
    font.setPointSize(points);
    return font;
}

}  // namespace

class GridLookTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        WOptions::ResetToDefaults();
        QVERIFY(dir_.isValid());
        QVERIFY(test::LoadGedcomText(collection_, dir_.filePath("grids.ged").toStdString(), kFile));
        analysis_ = std::make_unique<FamilyAnalysis>(*collection_);
        columns_ = std::make_unique<WListColumns>(analysis_.get(), "TestList");
        columns_->SetColumnString(kColumns);
        list_ = std::make_unique<WColSortIterator>(collection_.get(), nullptr);
        columns_->SetSortIterator(list_.get());
        page_ = std::make_unique<TListPage>(*columns_);
        page_->resize(900, 300);
        page_->ShowList(list_.get(), nullptr, false, 1);
    }
    void cleanup() {
        page_.reset();
        columns_.reset();
        list_.reset();
        analysis_.reset();
        collection_.reset();
    }

    // A stored width is pixels in the design font: on screen it grows with
    // the font, and storing it back gives the same number.
    void storedWidthsScaleWithTheFontAndKeepTheirMeaning() {
        constexpr int kStored = 300;
        columns_->SetColumnWidth(kNameColumn + 1, kStored);
        QTableView* grid = page_->Grid();
        std::vector<int> shown;
        for (int points : kFontSizes) {
            grid->setFont(FontOfSize(*grid, points));
            page_->ApplyColumnWidths();
            const int width = grid->columnWidth(kNameColumn);
            QVERIFY(std::abs(width - ScreenWidth(kStored, grid->font())) <= 1);
            shown.push_back(width);
            page_->StoreColumnWidths();
            QCOMPARE(columns_->ColumnWidth(kNameColumn + 1), kStored);
        }
        QVERIFY(shown[0] < shown[1] && shown[1] < shown[2]);
        QVERIFY(FontWidthScale(FontOfSize(*grid, 12)) > 1.3 * FontWidthScale(FontOfSize(*grid, 8)));
    }

    // However narrow the stored widths, no caption and no date, age or
    // number is cut at any font size.
    void columnsNeverCutCaptionsOrCompactValues() {
        for (int column = 1; column <= columns_->ColumnCount(); ++column)
            columns_->SetColumnWidth(column, 5);
        QTableView* grid = page_->Grid();
        QHeaderView* header = grid->horizontalHeader();
        // The sort mark counts as part of the caption from the first sort.
        page_->SortByColumn(2);
        QVERIFY(header->isSortIndicatorShown());
        QVERIFY(grid->columnWidth(2) >= header->sectionSizeHint(2));
        for (int points : kFontSizes) {
            SetGridSizes(*grid, FontOfSize(*grid, points), points + 6);
            // Captions are drawn, and measured, in the cells' font.
            QCOMPARE(header->font().pointSize(), points);
            page_->ApplyColumnWidths();
            const QFontMetrics metrics(grid->font());
            for (int column = 0; column < columns_->ColumnCount(); ++column) {
                const int width = grid->columnWidth(column);
                QVERIFY2(width >= header->sectionSizeHint(column),
                         qPrintable(QString("caption of %1 at %2 pt").arg(column).arg(points)));
                if (!IsCompactColumn(*columns_, column + 1)) continue;
                for (int row = 0; row < page_->Model().rowCount(); ++row) {
                    const QString text = page_->Model().index(row, column).data().toString();
                    QVERIFY2(metrics.horizontalAdvance(text) + 3 < width,
                             qPrintable(QString("'%1' in %2 pt").arg(text).arg(points)));
                }
            }
            // A name column is a text column: it may stay narrow.
            QVERIFY(!IsCompactColumn(*columns_, kNameColumn + 1));
            QVERIFY(IsCompactColumn(*columns_, 3));
        }
    }

    // A long list is measured on a sample: the rows in view, the nearest
    // others, and its last rows, where an ordered list keeps its largest
    // numbers.
    void longListsAreMeasuredToTheirEnd() {
        std::string text = "0 HEAD\n";
        constexpr int kPeople = 400;
        for (int i = 1; i <= kPeople; ++i)
            text += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME P /Q/\n1 BIRT\n2 DATE " +
                    (i == kPeople ? "BET 11 NOV 1888 AND 28 DEC 1899" : "1900") + "\n";
        std::unique_ptr<WGEDCollection> loaded;
        QVERIFY(test::LoadGedcomText(loaded, dir_.filePath("long.ged").toStdString(),
                                     text + "0 TRLR\n"));
        WGEDCollection& collection = *loaded;
        FamilyAnalysis analysis(collection);
        WListColumns columns(&analysis, "TestLong");
        columns.SetColumnString(kColumns);
        WColSortIterator list(&collection, nullptr);
        columns.SetSortIterator(&list);
        TListPage page(columns);
        page.ShowList(&list, nullptr, false, 1);
        QCOMPARE(page.Model().rowCount(), kPeople);
        const QString last = page.Model().index(kPeople - 1, 2).data().toString();
        QVERIFY(last.size() > 20);
        QVERIFY(page.Grid()->columnWidth(2) > page.Grid()->fontMetrics().horizontalAdvance(last));
    }

    void doubleClickOnADividerFitsTheColumn() {
        columns_->SetColumnWidth(kNameColumn + 1, 20);
        page_->ApplyColumnWidths();
        QTableView* grid = page_->Grid();
        QVERIFY(grid->columnWidth(kNameColumn) < 150);
        emit grid->horizontalHeader()->sectionHandleDoubleClicked(kNameColumn);
        const QFontMetrics metrics(grid->font());
        const int longest =
            metrics.horizontalAdvance(page_->Model().index(0, kNameColumn).data().toString());
        QVERIFY(grid->columnWidth(kNameColumn) > longest);
        QCOMPARE(grid->columnWidth(kNameColumn), page_->Widths().FittedWidth(kNameColumn));
        // The fitted width is the stored one from now on.
        QCOMPARE(columns_->ColumnWidth(kNameColumn + 1),
                 StoredWidth(grid->columnWidth(kNameColumn), grid->font()));
    }

    // A width the user drags survives the next person, a sort, and a
    // change of highlighting, and is what is stored.
    void draggedWidthsStayThroughRefreshes() {
        QTableView* grid = page_->Grid();
        constexpr int kDragged = 333;
        grid->horizontalHeader()->resizeSection(kNameColumn, kDragged);
        // Stored widths are whole pixels of the design font, so the width
        // may come back a pixel off in a wider font.
        auto kept = [&] { return std::abs(grid->columnWidth(kNameColumn) - kDragged) <= 1; };
        page_->ShowList(list_.get(), nullptr, false, 2);
        QVERIFY(kept());
        page_->SortByColumn(2);
        QVERIFY(kept());
        page_->ShowList(list_.get(), nullptr, true, 2);
        QVERIFY(kept());
        QCOMPARE(columns_->ColumnWidth(kNameColumn + 1), StoredWidth(kDragged, grid->font()));
    }

    // The List, Islands and Sources grids draw the selected row alike: an
    // outline round white cells, never a filled bar.
    void everyGridOutlinesItsSelection() {
        PageContext context;
        context.collection = collection_.get();
        context.analysis = analysis_.get();
        context.active = 1;
        WOptions::SetFlag(opt::kCalcIslands, true);
        TIslandsPage islands(*columns_);
        islands.Refresh(context);
        TSourcesPage sources;
        sources.Refresh(context);
        for (QTableView* grid : {page_->Grid(), islands.IslandGrid(), sources.Grid()}) {
            QVERIFY(grid->model()->rowCount() > 0);
            QVERIFY(dynamic_cast<TGridStyleDelegate*>(grid->itemDelegate()));
            grid->resize(600, 200);
            grid->selectRow(0);
            const QModelIndex cell = grid->model()->index(0, 0);
            const QRect rect = grid->visualRect(cell);
            const QImage image = grid->viewport()->grab().toImage();
            QCOMPARE(image.pixelColor(rect.left() + 1, rect.top()), QColor(Qt::black));
            QCOMPARE(image.pixelColor(rect.left(), rect.center().y()), QColor(Qt::black));
            // Inside, behind the text's end, the cell stays white.
            QCOMPARE(image.pixelColor(rect.right() - 2, rect.bottom() - 1), QColor(Qt::white));
        }
    }

  private:
    QTemporaryDir dir_;
    std::unique_ptr<WGEDCollection> collection_;
    std::unique_ptr<FamilyAnalysis> analysis_;
    std::unique_ptr<WListColumns> columns_;
    std::unique_ptr<WColSortIterator> list_;
    std::unique_ptr<TListPage> page_;
};

}  // namespace vx

QTEST_MAIN(vx::GridLookTest)
#include "GridLookTest.moc"
