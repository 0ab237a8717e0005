// Long work over everybody in the real main window, stopped by the wait
// dialog's Cancel: the highlighted list and a column sort on a deep line
// whose every generation meets again at the top, where exact ancestor
// counts need one walk per person (minutes of work). Cancel must bring the
// window back promptly, with nothing half-done on show.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <fstream>
#include <memory>

#include "DeepLines.h"
#include "app/Options.h"
#include "app/Services.h"
#include "app/Settings.h"
#include "archive/ViewerMark.h"
#include "columns/ListColumns.h"
#include "dialogs/WaitDialog.h"
#include "gedcom/GEDCollection.h"
#include "ui/GuiServices.h"
#include "ui/ListPage.h"
#include "ui/LogoMain.h"
#include "widgets/IndScroll.h"

namespace vx {
namespace {

// Uncancelled, the work below takes minutes; the grid's own look at the
// first few hundred rows takes a few seconds.
constexpr int32_t kGenerations = 5000;
// When the test presses Cancel, once the dialog is up.
constexpr int kPressAfterMs = 300;
// Far above the half second asked for, far below the uncancelled work.
constexpr qint64 kGenerousBoundMs = 5000;

TWaitDlg* VisibleWaitDialog() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<TWaitDlg*>(window); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

// Presses the Cancel of the wait dialog once it has been up a while, and
// remembers when. Its timer only fires when the work lets messages through.
class CancelPresser {
  public:
    CancelPresser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            ++ticks;
            TWaitDlg* dialog = VisibleWaitDialog();
            if (!dialog || !dialog->butCancel()->isVisible() || pressed.isValid()) return;
            if (!shown.isValid()) shown.start();
            if (shown.elapsed() < kPressAfterMs) return;
            pressed.start();
            dialog->butCancel()->click();
        });
        timer_.start(20);
    }
    int ticks = 0;
    QElapsedTimer shown;
    QElapsedTimer pressed;

  private:
    QTimer timer_;
};

}  // namespace

class CancelInWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cancelledHighlightedListShowsNothingHalfFound();
    void cancelledSortKeepsTheListAsItWas();
    void cancelledSearchForTheNextHighlightedStaysPut();

  private:
    QTemporaryDir dir_;
    std::string gedcom_;
    std::string program_;
    std::unique_ptr<WGuiServices> services_;
    std::unique_ptr<TLogoAppForm> window_;
};

void CancelInWindowTest::initTestCase() {
    QVERIFY(dir_.isValid());
    qputenv("TMPDIR", dir_.path().toLocal8Bit());
    QVERIFY(OpenSettingsFile(dir_.filePath("settings.ini").toStdString()));
    gedcom_ = dir_.filePath("collapsed.ged").toStdString();
    std::ofstream(gedcom_, std::ios::binary) << test::CollapsedChainGedcom(kGenerations);
    program_ = dir_.filePath("viewer").toStdString();
    std::ofstream(program_) << "viewer image " << ViewerMark();
}

void CancelInWindowTest::init() {
    WOptions::ResetToDefaults();
    WOptions::SetFlag(opt::kDispInitHelp, false);
    services_ = std::make_unique<WGuiServices>();
    services_->SetMessageSink([](const QString&) {});
    SetUiServices(services_.get());
    window_ = std::make_unique<TLogoAppForm>(program_);
    services_->SetMainWindow(window_.get());
    window_->StartWith(gedcom_);
    window_->show();
    QVERIFY(QTest::qWaitFor([&] { return window_->Collection() && !window_->IsLoading(); }, 60000));
    QCOMPARE(window_->Collection()->IndividualCount(), 2 * kGenerations - 1);
}

void CancelInWindowTest::cleanup() {
    window_.reset();
    SetUiServices(nullptr);
    services_.reset();
}

void CancelInWindowTest::cancelledHighlightedListShowsNothingHalfFound() {
    window_->SetConditions("50:40");  // everybody with ancestors
    CancelPresser presser;
    QElapsedTimer clock;
    clock.start();
    window_->SelectTab(Tab::Highlighted);
    QVERIFY2(presser.pressed.isValid(), "the wait dialog with Cancel never came up");
    QVERIFY2(presser.pressed.elapsed() < kGenerousBoundMs,
             qPrintable(QString::number(presser.pressed.elapsed()) + " ms after Cancel"));
    QVERIFY(presser.ticks > 2);  // the screen stayed live meanwhile

    TListPage* page = window_->Ui().listPage;
    QCOMPARE(page->Model().rowCount(), 0);
    QVERIFY(page->CountLabel()->text().startsWith("Cancelled"));
    QVERIFY(!VisibleWaitDialog());
    QVERIFY(window_->isEnabled());
    QCOMPARE(WaitNesting(), 0);
    // Nothing was kept: the next visit works the list out again.
    window_->SelectTab(Tab::Sender);
    CancelPresser again;
    window_->SelectTab(Tab::Highlighted);
    QVERIFY2(again.pressed.isValid(), "the next visit did not work the list out again");
    QCOMPARE(page->Model().rowCount(), 0);
}

void CancelInWindowTest::cancelledSortKeepsTheListAsItWas() {
    window_->Ui().listColumns->SetColumnString("1,27");  // index, ancestors
    window_->SelectTab(Tab::List);
    TListPage* page = window_->Ui().listPage;
    const int sortedBefore = window_->Ui().listColumns->SortColumn();
    const int rows = page->Model().rowCount();
    QCOMPARE(rows, 2 * kGenerations - 1);
    const int32_t first = page->Model().IndividualAt(0);
    const int32_t last = page->Model().IndividualAt(rows - 1);

    CancelPresser presser;
    page->SortByColumn(1);  // by ancestors: a walk per person
    QVERIFY2(presser.pressed.isValid(), "the wait dialog with Cancel never came up");
    QVERIFY2(presser.pressed.elapsed() < kGenerousBoundMs,
             qPrintable(QString::number(presser.pressed.elapsed()) + " ms after Cancel"));
    QCOMPARE(window_->Ui().listColumns->SortColumn(), sortedBefore);
    QCOMPARE(page->Model().rowCount(), rows);
    QCOMPARE(page->Model().IndividualAt(0), first);
    QCOMPARE(page->Model().IndividualAt(rows - 1), last);
    QVERIFY(!VisibleWaitDialog());
    QVERIFY(window_->isEnabled());
}

void CancelInWindowTest::cancelledSearchForTheNextHighlightedStaysPut() {
    // Nobody has more than 100,000 ancestors: the search tests everybody
    // after the Active Individual, a walk each.
    window_->SetConditions("50:4100000");
    WIndScroll* scroller = window_->Ui().scroller;
    scroller->GoToIndividual(1);
    const int32_t before = scroller->CurrentIndividual();
    CancelPresser presser;
    scroller->NextHighlighted();
    QVERIFY2(presser.pressed.isValid(), "the wait dialog with Cancel never came up");
    QVERIFY2(presser.pressed.elapsed() < kGenerousBoundMs,
             qPrintable(QString::number(presser.pressed.elapsed()) + " ms after Cancel"));
    QVERIFY(presser.ticks > 2);  // the screen stayed live meanwhile
    QCOMPARE(scroller->CurrentIndividual(), before);
    QVERIFY(!VisibleWaitDialog());
    QCOMPARE(WaitNesting(), 0);
    QVERIFY(window_->isEnabled());
}

}  // namespace vx

QTEST_MAIN(vx::CancelInWindowTest)
#include "CancelInWindowTest.moc"
