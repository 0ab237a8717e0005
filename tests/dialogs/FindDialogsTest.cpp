// The find dialogs over a small family: the grid in each order, search as
// the user types (and with the Search button when that is off), the keys,
// the relatives, Quick Find's number box and spouse menu, and the main
// window moving to the individual chosen in either dialog.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "GedcomLoading.h"
#include "app/Options.h"
#include "columns/ColSortIterator.h"
#include "dialogs/FindDlg.h"
#include "dialogs/QuickFindDlg.h"
#include "gedcom/GEDCollection.h"
#include "ui/LogoMain.h"
#include "widgets/IndInfoPanel.h"
#include "widgets/IndScroll.h"
#include "widgets/SelectionButton.h"

namespace vx {
namespace {

// Identifiers differ from the record numbers: Mary (2) is I123. Jonathan
// (3) has a family without a wife; Zoe (5) one without a husband and two
// children.
const char* kFamily =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @I10@ INDI\n1 NAME John /Smith/\n1 SEX M\n1 BIRT\n2 DATE 1900\n1 REFN R-100\n"
    "1 FAMS @F1@\n"
    "0 @I123@ INDI\n1 NAME Mary /Jones/\n1 SEX F\n1 BIRT\n2 DATE 1902\n1 REFN R-050\n"
    "1 FAMS @F1@\n"
    "0 @I7@ INDI\n1 NAME Jonathan /Smith/\n1 BIRT\n2 DATE 1925\n1 FAMC @F1@\n1 FAMS @F2@\n"
    "0 @I8@ INDI\n1 NAME Ann /Smith/\n1 CHR\n2 DATE 1930\n1 FAMC @F1@\n"
    "0 @I9@ INDI\n1 NAME Zoe /Adams/\n1 FAMS @F3@\n"
    "0 @I11@ INDI\n1 NAME Kid /Adams/\n1 BIRT\n2 DATE 1950\n1 FAMC @F3@\n"
    "0 @I12@ INDI\n1 NAME Tot /Adams/\n1 FAMC @F3@\n"
    "0 @I13@ INDI\n1 NAME Kim /Smith/\n1 FAMC @F2@\n"
    "0 @F1@ FAM\n1 HUSB @I10@\n1 WIFE @I123@\n1 CHIL @I7@\n1 CHIL @I8@\n"
    "0 @F2@ FAM\n1 HUSB @I7@\n1 CHIL @I13@\n"
    "0 @F3@ FAM\n1 WIFE @I9@\n1 CHIL @I11@\n1 CHIL @I12@\n"
    "0 TRLR\n";

template <typename T>
T* Find(const QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(name);
    if (!widget) qFatal("no control %s", name);
    return widget;
}

// Acts on the modal dialog of type D once it is up. Whatever else is
// modal, or nothing within five seconds, is closed so the test cannot hang.
template <typename D>
void WhenModal(std::function<void(D&)> act, bool* done) {
    auto tries = std::make_shared<int>(0);
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act, done] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<D*>(modal)) {
            timer->deleteLater();
            timer->stop();
            act(*dialog);
            *done = true;
        } else if (++*tries > 250) {
            timer->deleteLater();
            timer->stop();
            if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
        }
    });
    timer->start(20);
}

}  // namespace

class FindDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("TMPDIR", dir_.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (dir_.path() + "/config").toLocal8Bit());
        gedcom_ = dir_.filePath("family.ged");
    }

    void init() {
        WOptions::ResetToDefaults();
        QVERIFY(test::LoadGedcomText(collection_, gedcom_.toStdString(), kFamily));
    }

    void cleanup() { collection_.reset(); }

    void findDialogOpensInTheSavedOrderOnThePreselectedPerson() {
        WOptions::SetInt(opt::kFindDlg, 3);
        TWFindDlg dialog(nullptr, {}, nullptr, collection_.get());
        QAbstractItemModelTester tester(&dialog.GridModel());
        dialog.SetPreselected(3);
        dialog.show();
        QCOMPARE(dialog.Mode(), int(TWFindDlg::kModeSurname));
        QVERIFY(Find<QRadioButton>(dialog, "rbSurname")->isChecked());
        QCOMPARE(Find<QRadioButton>(dialog, "rbRIN")->text(), QString("&REF"));
        QCOMPARE(Find<QLabel>(dialog, "labIndiviudals")->text(), QString("8 Individuals"));
        QVERIFY(!dialog.SearchButton()->isVisible());
        // "Surname, Given" order, Adams first; the selected row is Jonathan's.
        const WFindGridModel& grid = dialog.GridModel();
        QCOMPARE(grid.IndividualAt(0), 6);
        QCOMPARE(grid.IndividualAt(7), 8);
        QCOMPARE(dialog.Selected(), 3);
        QCOMPARE(dialog.SearchBox()->text(), QString("Smith, Jonathan"));
        const int row = dialog.Grid()->currentIndex().row();
        const auto cell = [&](int r, int c) { return grid.index(r, c).data().toString(); };
        QCOMPARE(QStringList({cell(row, 0), cell(row, 1), cell(row, 2), cell(row, 3)}),
                 QStringList({"3", "7", "Smith, Jonathan", "1925"}));
        // Ann has no birth date: her christening stands in, bracketed.
        QCOMPARE(cell(grid.List()->IndexOfID(4) - 1, 3), QString("[1930]"));
        QCOMPARE(grid.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QString("REF"));

        QCOMPARE(Find<TIndInfoPanel>(dialog, "iiFather")->Individual(), 1);
        QCOMPARE(Find<TIndInfoPanel>(dialog, "iiMother")->Individual(), 2);
        QCOMPARE(Find<QLabel>(dialog, "labMarriages")->text(), QString("&Marriages (1)"));
        QCOMPARE(Rows(*dialog.Marriages()), QStringList({"Spouse: <Not Entered>", "Kim /Smith/"}));

        // Another order keeps the person and is remembered.
        Find<QRadioButton>(dialog, "rbGiven")->click();
        QCOMPARE(dialog.Selected(), 3);
        QCOMPARE(grid.IndividualAt(dialog.Grid()->currentIndex().row()), 3);
        QCOMPARE(dialog.SearchBox()->text(), QString("Jonathan Smith"));
        QCOMPARE(WOptions::GetInt(opt::kFindDlg), 4);
        QCOMPARE(cell(0, 2), QString("Ann Smith"));
    }

    void typingSearchesInEveryOrder() {
        TWFindDlg dialog(nullptr, {}, nullptr, collection_.get());
        dialog.SetPreselected(1);
        dialog.show();
        // Search results leave the typed text alone.
        Type(dialog, "smi, jo");
        QCOMPARE(dialog.Selected(), 1);
        QCOMPARE(dialog.SearchBox()->text(), QString("smi, jo"));
        Type(dialog, "SMITH, JON");
        QCOMPARE(dialog.Selected(), 3);

        dialog.SetMode(TWFindDlg::kModeGiven);
        Type(dialog, "k");
        QCOMPARE(dialog.Selected(), 6);
        QTest::keyClicks(dialog.SearchBox(), "im");
        QCOMPARE(dialog.Selected(), 8);

        dialog.SetMode(TWFindDlg::kModeIdentifier);
        Type(dialog, "123");
        QCOMPARE(dialog.Selected(), 2);
        // Typed with its letter the identifier is found too; an unknown one
        // leaves the grid where it is.
        Type(dialog, "I7");
        QCOMPARE(dialog.Selected(), 3);
        Type(dialog, "45");
        QCOMPARE(dialog.Selected(), 3);

        dialog.SetMode(TWFindDlg::kModeReference);
        QCOMPARE(dialog.GridModel().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("Custom ID"));
        Type(dialog, "r-1");
        QCOMPARE(dialog.Selected(), 1);
        QCOMPARE(dialog.GridModel().index(dialog.Grid()->currentIndex().row(), 1).data(),
                 QVariant("R-100"));

        dialog.SetMode(TWFindDlg::kModeIndex);
        Type(dialog, "5");
        QCOMPARE(dialog.Selected(), 5);
        Type(dialog, "99");
        QCOMPARE(dialog.Selected(), 8);
        Type(dialog, "x");
        QCOMPARE(dialog.Selected(), 8);
    }

    void withoutSearchAsYouTypeTheButtonSearches() {
        WOptions::SetFlag(opt::kAutoSearch, false);
        WOptions::SetInt(opt::kFindDlg, 3);
        TWFindDlg dialog(nullptr, {}, nullptr, collection_.get());
        dialog.SetPreselected(1);
        dialog.show();
        QPushButton* search = dialog.SearchButton();
        QVERIFY(search->isVisible());
        QVERIFY(!search->isEnabled());
        Type(dialog, "adams");
        QCOMPARE(dialog.Selected(), 1);
        QVERIFY(search->isEnabled());
        QCOMPARE(search->palette().color(QPalette::ButtonText), QColor(Qt::red));
        // The first OK searches and stays; the second takes the row.
        Find<QPushButton>(dialog, "butOK")->click();
        QVERIFY(dialog.isVisible());
        QVERIFY(!search->isEnabled());
        QCOMPARE(dialog.Selected(), 6);
        Find<QPushButton>(dialog, "butOK")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Selected(), 6);
    }

    void keysAndRelativesMoveTheGrid() {
        WOptions::SetInt(opt::kFindDlg, 1);
        TWFindDlg dialog(nullptr, {}, nullptr, collection_.get());
        dialog.SetPreselected(5);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(Rows(*dialog.Marriages()),
                 QStringList({"Spouse: <Not Entered>", "1950 Kid /Adams/", "Tot /Adams/"}));
        QTest::keyClick(dialog.SearchBox(), Qt::Key_Down);
        QCOMPARE(dialog.Selected(), 6);
        QVERIFY(dialog.Grid()->hasFocus());
        QCOMPARE(dialog.SearchBox()->text(), QString("6"));
        QTest::keyClick(dialog.SearchBox(), Qt::Key_Up);
        QTest::keyClick(dialog.SearchBox(), Qt::Key_Up);
        QCOMPARE(dialog.Selected(), 4);
        // Typing on the grid goes on in the search box, replacing its text.
        QTest::keyClicks(dialog.Grid(), "7");
        QCOMPARE(dialog.SearchBox()->text(), QString("7"));
        QCOMPARE(dialog.Selected(), 7);
        // Enter on a parent's child row goes there and keeps the dialog open.
        dialog.MoveToIndividual(3);
        QListWidget* marriages = dialog.Marriages();
        marriages->setCurrentRow(1);
        QTest::keyClick(marriages, Qt::Key_Return);
        QCOMPARE(dialog.Selected(), 8);
        QVERIFY(dialog.isVisible());
        // Kim's father panel, double-clicked, goes back to Jonathan.
        QTest::mouseDClick(Find<TIndInfoPanel>(dialog, "iiFather"), Qt::LeftButton);
        QCOMPARE(dialog.Selected(), 3);
        // The same from the keyboard: Enter on Kim's father panel.
        dialog.MoveToIndividual(8);
        QTest::keyClick(Find<TIndInfoPanel>(dialog, "iiFather"), Qt::Key_Return);
        QCOMPARE(dialog.Selected(), 3);
        // A double-click on the grid chooses the row.
        QTableView* grid = dialog.Grid();
        const QRect row1 = grid->visualRect(dialog.GridModel().index(0, 2));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row1.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, row1.center());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Selected(), 1);
    }

    void quickFindFollowsTheNumberBoxAndItsKeys() {
        TdlgQuickFind dialog(nullptr, {}, nullptr, collection_.get());
        dialog.SetSelected(3);
        QLineEdit* box = Find<QLineEdit>(dialog, "edSearch");
        QCOMPARE(box->text(), QString("3"));
        QCOMPARE(Find<QLabel>(dialog, "labSelected")->text(), QString("3"));
        QCOMPARE(Find<QScrollBar>(dialog, "sbScrollBar")->value(), 3);
        QCOMPARE(Find<TIndInfoPanel>(dialog, "iiSelected")->Individual(), 3);
        QVERIFY(Find<QPushButton>(dialog, "butFather")->isEnabled());
        QCOMPARE(dialog.PageStep(), 1);

        const char* controls[] = {"butFather", "butMother",       "selSpouses",
                                  "butOK",     "butAdvancedFind", "sbScrollBar"};
        for (const char* typed : {"0", "99"}) {
            box->clear();
            QTest::keyClicks(box, typed);
            for (const char* name : controls)
                QVERIFY2(!Find<QWidget>(dialog, name)->isEnabled(), name);
        }
        // Beyond the last number Up takes the last one.
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(dialog.Selected(), 8);
        box->clear();
        QTest::keyClicks(box, "5");
        QCOMPARE(dialog.Selected(), 5);
        QVERIFY(!Find<QPushButton>(dialog, "butFather")->isEnabled());
        QVERIFY(Find<QWidget>(dialog, "selSpouses")->isEnabled());
        QTest::keyClick(box, Qt::Key_PageUp);
        QCOMPARE(dialog.Selected(), 6);
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->text(), QString("4"));
        // Letters never get in; Down stops at 1; an empty box starts at 1.
        box->clear();
        QTest::keyClicks(box, "1a");
        QCOMPARE(box->text(), QString("1"));
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(dialog.Selected(), 1);
        box->clear();
        QTest::keyClick(box, Qt::Key_PageDown);
        QCOMPARE(dialog.Selected(), 0);
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(dialog.Selected(), 1);
        QVERIFY(Find<QPushButton>(dialog, "butOK")->isEnabled());
    }

    void quickFindStepsToRelatives() {
        TdlgQuickFind dialog(nullptr, {}, nullptr, collection_.get());
        dialog.SetSelected(3);
        Find<QPushButton>(dialog, "butMother")->click();
        QCOMPARE(dialog.Selected(), 2);
        dialog.SetSelected(5);
        auto* spouses = Find<WSelectionButton>(dialog, "selSpouses");
        dialog.FillSpouseMenu();
        QCOMPARE(spouses->ItemString(), QString("Spouse: <No Given Name>;"
                                                "      1950 Kid /Adams/ [11];"
                                                "              Tot /Adams/ [12] "));
        QCOMPARE(dialog.SpouseMenuPeople(), std::vector<int32_t>({0, 6, 7}));
        spouses->Choose(1);  // nobody there
        QCOMPARE(dialog.Selected(), 5);
        spouses->Choose(3);
        QCOMPARE(dialog.Selected(), 7);
        Find<QPushButton>(dialog, "butFather")->click();  // Tot has none: nothing moves
        QCOMPARE(dialog.Selected(), 7);
    }

    void quickFindTakesTheAdvancedChoice() {
        WOptions::SetInt(opt::kFindDlg, 4);
        TdlgQuickFind dialog(nullptr, {}, nullptr, collection_.get());
        dialog.SetSelected(1);
        bool done = false;
        WhenModal<TWFindDlg>(
            [](TWFindDlg& find) {
                QTest::keyClicks(find.SearchBox(), "mary");
                Find<QPushButton>(find, "butOK")->click();
            },
            &done);
        Find<QPushButton>(dialog, "butAdvancedFind")->click();
        QVERIFY(done);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Selected(), 2);
    }

    void mainWindowMovesToTheChosenIndividual() {
        WOptions::SetFlag(opt::kDispInitHelp, false);
        TLogoAppForm window("no-program-file");
        QVERIFY(window.LoadFile(gedcom_.toStdString()));
        window.Ui().scroller->GoToIndividual(1);

        WOptions::SetInt(opt::kFindDlg, 2);
        bool done = false;
        WhenModal<TWFindDlg>(
            [](TWFindDlg& find) {
                QTest::keyClicks(find.SearchBox(), "123");
                Find<QPushButton>(find, "butOK")->click();
            },
            &done);
        window.Ui().commands[TLogoAppForm::kCmdAdvancedFind]->trigger();
        QVERIFY(done);
        QCOMPARE(window.Ui().scroller->CurrentIndividual(), 2);

        done = false;
        WhenModal<TdlgQuickFind>(
            [](TdlgQuickFind& quick) {
                QCOMPARE(quick.Selected(), 2);
                QTest::keyClick(Find<QLineEdit>(quick, "edSearch"), Qt::Key_Up);
                Find<QPushButton>(quick, "butOK")->click();
            },
            &done);
        window.Ui().commands[TLogoAppForm::kCmdQuickFind]->trigger();
        QVERIFY(done);
        QCOMPARE(window.Ui().scroller->CurrentIndividual(), 3);
    }

  private:
    static QStringList Rows(const QListWidget& list) {
        QStringList rows;
        for (int row = 0; row < list.count(); ++row)
            rows << list.item(row)->text();
        return rows;
    }
    // Replaces the search box's text by typing.
    static void Type(TWFindDlg& dialog, const char* text) {
        dialog.SearchBox()->clear();
        QTest::keyClicks(dialog.SearchBox(), text);
    }

    QTemporaryDir dir_;
    QString gedcom_;
    std::unique_ptr<WGEDCollection> collection_;
};

}  // namespace vx

QTEST_MAIN(vx::FindDialogsTest)
#include "FindDialogsTest.moc"
