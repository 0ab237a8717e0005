// The wait dialog as the desktop shows it: when it appears, which window it
// disables, what nested requests change, the Cancel button, and the other
// user-interface services the core calls (busy cursor, messages, screen
// resolution).
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/Services.h"
#include "dialogs/WaitDialog.h"
#include "ui/GuiServices.h"

namespace vx {
namespace {

const char* const kReading = "Reading.  Please Wait...";
const char* const kSorting = "Sorting.  Please Wait...";
const char* const kCalculating = "Calculating.  Please Wait...";

int VisibleWaitDialogs() {
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<TWaitDlg*>(window) && window->isVisible()) ++count;
    return count;
}

// Stands in for a long operation that lets queued messages through now and
// then, until `done` holds or two seconds have passed.
template <typename Done>
void WorkWhilePumping(Done done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 2000) {
        PumpMessages();
        QThread::msleep(5);
    }
}

struct AnsweredBox {
    bool seen = false;
    bool modal = false;
    bool okUsable = false;
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// Shows `text` through the real message box and answers the box from inside
// its own event loop: OK when it can be pressed, otherwise the box is
// rejected, so that the run never hangs. Gives up looking after two seconds.
AnsweredBox ShowAndAnswer(const std::string& text) {
    AnsweredBox answered;
    QTimer answer;
    int tries = 0;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QMessageBox* box = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* candidate = qobject_cast<QMessageBox*>(window);
                candidate && candidate->isVisible())
                box = candidate;
        if (box) {
            answered.seen = true;
            answered.modal = QApplication::activeModalWidget() == box;
            answered.caption = box->windowTitle();
            answered.text = box->text();
            answered.buttons = box->standardButtons();
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            answered.okUsable = ok && ok->isEnabled();
            if (answered.okUsable)
                ok->click();
            else
                box->reject();
        }
        if (box || ++tries > 100) answer.stop();
    });
    answer.start(20);
    ShowMessage(text);
    answer.stop();
    return answered;
}

}  // namespace

class WaitDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void delayedRequestHiddenInTimeNeverShows();
    void delayedRequestShowsDuringWorkAndDisablesOwner();
    void atOnceRequestShowsCentredWithOwnerEnabled();
    void ownerDefaultsToTheActiveWindow();
    void nestedRequestsKeepFirstMessageAndOwner();
    void cancelRaisesFlagAndLeavesDialogUp();
    void destroyedWindowsAreNeverTouched();

    void busyCursorFollowsOutermostBracket();
    void messagesReachTheSinkAsUnicode();
    void messageBoxHasApplicationCaptionAndOkOnly();

    void largeFontsFollowScreenResolution_data();
    void largeFontsFollowScreenResolution();

  private:
    TWaitDlg* Dialog() const { return services_->WaitDialog(); }

    std::unique_ptr<WGuiServices> services_;
    std::unique_ptr<QWidget> main_;
};

void WaitDialogTest::init() {
    services_ = std::make_unique<WGuiServices>();
    SetUiServices(services_.get());
    // Kept away from the screen's centre, so that a dialog centred on its
    // parent instead of the screen shows up.
    main_ = std::make_unique<QWidget>();
    main_->setGeometry(20, 20, 240, 160);
    main_->show();
    services_->SetMainWindow(main_.get());
}

void WaitDialogTest::cleanup() {
    while (WaitNesting() > 0)
        HideWait();
    while (BusyCount() > 0)
        SetBusy(false);
    SetUiServices(nullptr);
    services_.reset();
    main_.reset();
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void WaitDialogTest::delayedRequestHiddenInTimeNeverShows() {
    ShowWait(kSorting, false, false, main_.get());
    QVERIFY(Dialog());
    QVERIFY(!Dialog()->isVisible());
    PumpMessages();
    HideWait();
    QVERIFY(!Dialog());  // destroyed at once, its pending timer with it

    QTest::qWait(400);  // well past the delay
    QCOMPARE(VisibleWaitDialogs(), 0);
    QVERIFY(main_->isEnabled());
}

void WaitDialogTest::delayedRequestShowsDuringWorkAndDisablesOwner() {
    QElapsedTimer clock;
    clock.start();
    ShowWait(kSorting, false, false, main_.get());
    QVERIFY(!Dialog()->isVisible());
    QVERIFY(main_->isEnabled());

    WorkWhilePumping([this] { return Dialog()->isVisible(); });
    QVERIFY(Dialog()->isVisible());
    // Qt's coarse timers may fire up to 5% early.
    QVERIFY2(clock.elapsed() >= 237, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(Dialog()->LabMsg()->text(), QString(kSorting));
    QVERIFY(!main_->isEnabled());
    // The dialog is a child of the disabled main window and must not be
    // disabled with it.
    QVERIFY(Dialog()->isEnabled());

    HideWait();
    QVERIFY(!Dialog());
    QCOMPARE(VisibleWaitDialogs(), 0);
    QVERIFY(main_->isEnabled());
}

void WaitDialogTest::atOnceRequestShowsCentredWithOwnerEnabled() {
    ShowWait("Extracting File.  Please Wait...", true, false, main_.get());
    QVERIFY(Dialog()->isVisible());  // without a single event processed
    QCOMPARE(Dialog()->LabMsg()->text(), QString("Extracting File.  Please Wait..."));
    QVERIFY(main_->isEnabled());

    const QRect area = main_->screen()->availableGeometry();
    const QPoint offCentre = Dialog()->frameGeometry().center() - area.center();
    QVERIFY2(offCentre.manhattanLength() <= 2,
             qPrintable(QString("%1,%2").arg(offCentre.x()).arg(offCentre.y())));

    QTest::qWait(400);  // no delayed show follows that would disable the owner
    QVERIFY(main_->isEnabled());
    QVERIFY(Dialog()->isVisible());

    HideWait();
    QVERIFY(!Dialog());
    QVERIFY(main_->isEnabled());
}

void WaitDialogTest::ownerDefaultsToTheActiveWindow() {
    QWidget findWindow;
    findWindow.setGeometry(300, 20, 200, 120);
    findWindow.show();
    findWindow.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&findWindow));

    ShowWait(kSorting, false, false);
    QTRY_VERIFY(Dialog()->isVisible());
    QVERIFY(!findWindow.isEnabled());
    QVERIFY(main_->isEnabled());

    HideWait();
    QVERIFY(findWindow.isEnabled());
}

void WaitDialogTest::nestedRequestsKeepFirstMessageAndOwner() {
    QWidget other;
    other.show();

    ShowWait(kReading, false, true, main_.get());
    QPushButton* cancel = Dialog()->butCancel();
    QCOMPARE(Dialog()->height(), 100);
    QVERIFY(cancel->isVisibleTo(Dialog()));
    QVERIFY(cancel->isEnabled());
    QCOMPARE(Dialog()->focusWidget(), cancel);

    ShowWait(kSorting, false, false, &other);
    QCOMPARE(Dialog()->LabMsg()->text(), QString(kReading));
    QCOMPARE(Dialog()->height(), 67);
    QVERIFY(!cancel->isVisibleTo(Dialog()));
    QVERIFY(!cancel->isEnabled());

    QTRY_VERIFY(Dialog()->isVisible());
    QVERIFY(!main_->isEnabled());
    QVERIFY(other.isEnabled());  // the inner request's owner is not used

    ShowWait(kCalculating, true, true, &other);  // an inner "at once" changes nothing more
    QCOMPARE(Dialog()->LabMsg()->text(), QString(kReading));
    QCOMPARE(Dialog()->height(), 100);
    QVERIFY(cancel->isVisible());
    QVERIFY(cancel->isEnabled());

    HideWait();
    HideWait();
    QVERIFY(Dialog());
    QVERIFY(Dialog()->isVisible());
    QVERIFY(!main_->isEnabled());
    HideWait();
    QVERIFY(!Dialog());
    QVERIFY(main_->isEnabled());

    // An extra hide changes nothing, and the next bracket starts afresh.
    HideWait();
    QVERIFY(!Dialog());
    QVERIFY(main_->isEnabled());
    ShowWait(kCalculating, false, false, &other);
    QCOMPARE(Dialog()->LabMsg()->text(), QString(kCalculating));
    QVERIFY(!Dialog()->isVisible());
    QTRY_VERIFY(Dialog()->isVisible());
    QVERIFY(!other.isEnabled());
    QVERIFY(main_->isEnabled());
    HideWait();
    QVERIFY(other.isEnabled());
}

void WaitDialogTest::cancelRaisesFlagAndLeavesDialogUp() {
    ShowWait(kReading, false, true, main_.get());
    QVERIFY(!WaitCancelled());
    WorkWhilePumping([this] { return Dialog()->isVisible(); });
    QVERIFY(Dialog()->isVisible());
    QVERIFY(!main_->isEnabled());

    // Clickable although the main window, the dialog's parent, is disabled.
    QTest::mouseClick(Dialog()->butCancel(), Qt::LeftButton);
    QVERIFY(WaitCancelled());
    QVERIFY(Dialog()->isVisible());
    QCOMPARE(WaitNesting(), 1);

    // Neither Escape nor the window manager's close ends the wait: that would
    // leave the main window disabled.
    QTest::keyClick(Dialog(), Qt::Key_Escape);
    QVERIFY(Dialog()->isVisible());
    QVERIFY(!Dialog()->close());
    QVERIFY(Dialog()->isVisible());
    QVERIFY(!main_->isEnabled());

    HideWait();
    QVERIFY(!Dialog());
    QVERIFY(main_->isEnabled());
}

void WaitDialogTest::destroyedWindowsAreNeverTouched() {
    // An owner that goes away while the dialog is up.
    auto owner = std::make_unique<QWidget>();
    owner->show();
    ShowWait(kSorting, false, false, owner.get());
    QTRY_VERIFY(Dialog()->isVisible());
    QVERIFY(!owner->isEnabled());
    owner.reset();
    HideWait();
    QVERIFY(!Dialog());

    // The main window takes the dialog it owns with it; the requests still
    // open must cope with the dialog being gone.
    ShowWait(kSorting, false, false, main_.get());
    QTRY_VERIFY(Dialog()->isVisible());
    main_.reset();
    QVERIFY(!Dialog());
    ShowWait(kReading, false, true);
    HideWait();
    HideWait();
    QCOMPARE(WaitNesting(), 0);
    QCOMPARE(VisibleWaitDialogs(), 0);
}

void WaitDialogTest::busyCursorFollowsOutermostBracket() {
    QVERIFY(!QGuiApplication::overrideCursor());
    SetBusy(true);
    SetBusy(true);
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    SetBusy(false);
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    SetBusy(false);
    QVERIFY(!QGuiApplication::overrideCursor());  // nothing stacked is left behind
    SetBusy(false);
    QVERIFY(!QGuiApplication::overrideCursor());

    // A cursor set by someone else survives a whole bracket.
    QGuiApplication::setOverrideCursor(QCursor(Qt::PointingHandCursor));
    SetBusy(true);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    SetBusy(false);
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    QGuiApplication::restoreOverrideCursor();
}

void WaitDialogTest::messagesReachTheSinkAsUnicode() {
    QStringList shown;
    services_->SetMessageSink([&shown](const QString& text) { shown << text; });
    ShowMessage("Café “Müller” € Łódź Ζ");
    QCOMPARE(shown, QStringList{QString::fromUtf8("Café “Müller” € Łódź Ζ")});
}

void WaitDialogTest::messageBoxHasApplicationCaptionAndOkOnly() {
    const QString savedName = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("Vellacor");
    const AnsweredBox box = ShowAndAnswer("Error with I/O");
    QCoreApplication::setApplicationName(savedName);

    QVERIFY(box.seen);
    QVERIFY(box.modal);
    QCOMPARE(box.caption, QString("Vellacor"));
    QCOMPARE(box.text, QString("Error with I/O"));
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(box.okUsable);
}

void WaitDialogTest::largeFontsFollowScreenResolution_data() {
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("baseDpi");
    QTest::addColumn<bool>("qtScaling");
    QTest::addColumn<QString>("expected");

    QTest::newRow("96 dpi") << 96 << 96 << true << "large=0 cancel=100 plain=67";
    QTest::newRow("120 dpi") << 120 << 120 << true << "large=1 cancel=125 plain=84";
    QTest::newRow("144 dpi") << 144 << 144 << true << "large=0 cancel=100 plain=67";
    QTest::newRow("120 dpi, Qt scaling off") << 120 << 96 << false << "large=1 cancel=125 plain=84";
    // Qt enlarges everything by 1.25 itself; enlarging again would double it.
    QTest::newRow("120 dpi, scaled by Qt") << 120 << 96 << true << "large=0 cancel=100 plain=67";
}

void WaitDialogTest::largeFontsFollowScreenResolution() {
    QFETCH(int, dpi);
    QFETCH(int, baseDpi);
    QFETCH(bool, qtScaling);
    QFETCH(QString, expected);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString config = folder.filePath("screen.json");
    QFile file(config);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QString(R"({"screens": [{"name": "probe", "x": 0, "y": 0, "width": 1280,)"
                       R"( "height": 1024, "logicalDpi": %1, "logicalBaseDpi": %2, "dpr": 1}]})")
                   .arg(dpi)
                   .arg(baseDpi)
                   .toUtf8());
    file.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI",
                             "QT_ENABLE_HIGHDPI_SCALING", "QT_USE_PHYSICAL_DPI"})
        environment.remove(name);
    environment.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config);
    if (!qtScaling) environment.insert("QT_ENABLE_HIGHDPI_SCALING", "0");

    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.start(WAIT_DIALOG_DPI_PROBE, QStringList{});
    QVERIFY(probe.waitForFinished(30000));
    QVERIFY2(probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0,
             probe.readAllStandardError().constData());
    QCOMPARE(QString::fromUtf8(probe.readAllStandardOutput()).trimmed(), expected);
}

}  // namespace vx

QTEST_MAIN(vx::WaitDialogTest)
#include "WaitDialogTest.moc"
