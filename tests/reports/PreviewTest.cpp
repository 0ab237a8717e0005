// The report preview window (paging, zoom, fitting, an empty report), the
// progress window's Cancel, and printing a prepared report through QPrinter
// into a PDF that poppler's tools read back.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include "reports/PreviewWindow.h"
#include "reports/ReportPrinter.h"
#include "reports/ReportProgress.h"

namespace vx::reports {
namespace {

const char* const kPageWords[] = {"Alderney", "Zanzibar", "Tristan"};

// Three Letter pages, each with a word of its own at the top-left corner of
// the printable area and a frame around that area.
ReportDocument ThreePages() {
    ReportDocument document;
    document.title = QStringLiteral("Preview test");
    for (const char* word : kPageWords) {
        ReportPage page;
        DrawOp text;
        text.kind = DrawKind::Text;
        text.rect = QRectF(48, 48, 400, 24);
        text.text = QString::fromLatin1(word);
        text.font.pointSize = 14;
        page.ops.push_back(text);
        DrawOp frame;
        frame.kind = DrawKind::Rect;
        frame.rect = QRectF(48, 40, 720, 960);
        page.ops.push_back(frame);
        document.pages.push_back(page);
    }
    return document;
}

QAction* Action(const QWidget& window, const char* name) {
    auto* action = window.findChild<QAction*>(QLatin1String(name));
    if (!action) qFatal("no action %s", name);
    return action;
}

// A key as the user types it: to whatever has the focus in the window.
void Press(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
    QTest::keyClick(target, key, modifiers);
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class PreviewTest : public QObject {
    Q_OBJECT

  private slots:
    void NavigatesWithButtonsKeysAndPageBox();
    void ZoomScalesThePage();
    void FitsTheViewport();
    void EmptyDocument();
    void ProgressCancel();
    void PrintsToPdf_data();
    void PrintsToPdf();

  private:
    // Shows the window and waits until it takes keys.
    static bool ShowActive(QWidget& window) {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    static QWidget* View(const QWidget& window) {
        return window.findChild<QWidget*>(QStringLiteral("PageView"));
    }
    static QScrollArea* Scroll(const QWidget& window) {
        return window.findChild<QScrollArea*>(QStringLiteral("PageScroll"));
    }
};

void PreviewTest::NavigatesWithButtonsKeysAndPageBox() {
    const ReportDocument document = ThreePages();
    WPreviewWindow window(document);
    QVERIFY(ShowActive(window));
    QCOMPARE(window.PageCount(), 3);
    QCOMPARE(window.CurrentPage(), 0);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("PageLabel"))->text(),
             QStringLiteral("of 3"));

    const auto states = [&] {
        return QList<bool>{
            Action(window, "actFirst")->isEnabled(), Action(window, "actPrevious")->isEnabled(),
            Action(window, "actNext")->isEnabled(), Action(window, "actLast")->isEnabled()};
    };
    QCOMPARE(states(), (QList<bool>{false, false, true, true}));

    // Turning the page shows a different picture, not the cached first one.
    const QImage firstPage = View(window)->grab().toImage();
    Action(window, "actNext")->trigger();
    QCOMPARE(window.CurrentPage(), 1);
    QCOMPARE(states(), (QList<bool>{true, true, true, true}));
    QVERIFY(View(window)->grab().toImage() != firstPage);

    Press(window, Qt::Key_PageDown);
    QCOMPARE(window.CurrentPage(), 2);
    QCOMPARE(states(), (QList<bool>{true, true, false, false}));
    Press(window, Qt::Key_PageDown);  // nothing after the last page
    QCOMPARE(window.CurrentPage(), 2);
    Press(window, Qt::Key_Home);
    QCOMPARE(window.CurrentPage(), 0);
    Press(window, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(window.CurrentPage(), 2);
    Press(window, Qt::Key_PageUp);
    QCOMPARE(window.CurrentPage(), 1);

    window.ShowPage(99);
    QCOMPARE(window.CurrentPage(), 2);
    window.ShowPage(-4);
    QCOMPARE(window.CurrentPage(), 0);

    auto* pageBox = window.findChild<QSpinBox*>(QStringLiteral("PageBox"));
    pageBox->setValue(3);
    QCOMPARE(window.CurrentPage(), 2);

    Press(window, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
}

void PreviewTest::ZoomScalesThePage() {
    const ReportDocument document = ThreePages();
    WPreviewWindow window(document);
    QVERIFY(ShowActive(window));

    window.SetZoom(1.0);
    const int atOne = View(window)->width();
    window.SetZoom(2.0);
    const int atTwo = View(window)->width();
    // At 100% the paper is as wide on the screen as on the printer.
    const double paperAtOne = 8.5 * window.logicalDpiX();
    QVERIFY2(std::abs(atTwo - atOne - paperAtOne) <= 2,
             qPrintable(QStringLiteral("%1 -> %2").arg(atOne).arg(atTwo)));

    Press(window, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(window.Zoom(), 1.0);
    QCOMPARE(View(window)->width(), atOne);
    Press(window, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(window.Zoom(), 1.25);
    Action(window, "actZoomOut")->trigger();
    Action(window, "actZoomOut")->trigger();
    QCOMPARE(window.Zoom(), 0.75);

    window.SetZoom(1000);
    QVERIFY(window.Zoom() <= 4.0);
    QVERIFY(!Action(window, "actZoomIn")->isEnabled());
}

void PreviewTest::FitsTheViewport() {
    const ReportDocument document = ThreePages();
    WPreviewWindow window(document);
    window.resize(700, 600);
    QVERIFY(ShowActive(window));
    QScrollArea* scroll = Scroll(window);
    // Window resizes reach the widgets through the event queue.

    // Fit width is the default, and the fit follows the window's size.
    const auto fitsWidth = [&] {
        const int spare = scroll->viewport()->width() - View(window)->width();
        return spare >= 0 && spare <= 2 && scroll->horizontalScrollBar()->maximum() == 0 &&
               scroll->verticalScrollBar()->maximum() > 0;
    };
    QTRY_VERIFY(fitsWidth());
    const double narrow = window.Zoom();
    window.resize(900, 600);
    QTRY_VERIFY(window.Zoom() > narrow);
    QTRY_VERIFY(fitsWidth());

    // An explicit zoom stays when the window changes.
    window.SetZoom(1.5);
    window.resize(1000, 700);
    QTRY_COMPARE(window.size(), QSize(1000, 700));
    QCOMPARE(window.Zoom(), 1.5);

    // The scroll area shows or hides its scroll bars on a later event.
    window.FitPage();
    QTRY_VERIFY(View(window)->width() <= scroll->viewport()->width() &&
                View(window)->height() <= scroll->viewport()->height());
    QCOMPARE(scroll->verticalScrollBar()->maximum(), 0);
    QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
    Action(window, "actFitWidth")->trigger();
    QTRY_VERIFY(fitsWidth());
}

void PreviewTest::EmptyDocument() {
    const ReportDocument document;
    WPreviewWindow window(document);
    QVERIFY(ShowActive(window));
    QCOMPARE(window.PageCount(), 0);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("PageLabel"))->text(),
             QStringLiteral("No pages"));
    for (const char* name : {"actFirst", "actPrevious", "actNext", "actLast", "actPrint"})
        QVERIFY2(!Action(window, name)->isEnabled(), name);

    Press(window, Qt::Key_PageDown);
    Press(window, Qt::Key_End);
    window.ShowPage(2);
    window.FitPage();
    window.SetZoom(2.0);
    QCOMPARE(window.CurrentPage(), 0);
    QCOMPARE(View(window)->size(), QSize(0, 0));
}

void PreviewTest::ProgressCancel() {
    QWidget owner;
    owner.show();
    QPointer<QDialog> shown;
    ProgressCallback callback;
    {
        WReportProgress progress(&owner, QStringLiteral("Family Group Report"));
        callback = progress.Callback();
        shown = owner.findChild<QDialog*>(QStringLiteral("WReportProgress"));
        QVERIFY(shown);

        // A report of a moment shows nothing.
        QVERIFY(callback(1));
        QVERIFY(!shown->isVisible());

        // A longer one brings the window up after a while.
        int pages = 1;
        QElapsedTimer clock;
        clock.start();
        while (!shown->isVisible() && clock.elapsed() < 3000) {
            QVERIFY(callback(++pages));
            QThread::msleep(10);
        }
        QVERIFY(shown->isVisible());
        QVERIFY(clock.elapsed() >= 200);
        QCOMPARE(shown->windowTitle(), QStringLiteral("Family Group Report"));
        QCOMPARE(shown->findChild<QLabel*>(QStringLiteral("LabProgress"))->text(),
                 QStringLiteral("Preparing page %1...").arg(pages + 1));

        QVERIFY(!progress.Cancelled());
        QTest::mouseClick(shown->findChild<QPushButton*>(QStringLiteral("butCancel")),
                          Qt::LeftButton);
        QVERIFY(progress.Cancelled());
        QVERIFY(!callback(pages + 1));
    }
    QVERIFY(shown.isNull());
    // A callback kept past the window neither crashes nor stops anything.
    QVERIFY(callback(99));
}

void PreviewTest::PrintsToPdf_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("expectedPages");
    QTest::addColumn<int>("pageOfWordTwo");  // where page 2's word lands in the PDF
    QTest::newRow("every page") << 0 << 0 << 3 << 2;
    QTest::newRow("pages 2 to 3") << 2 << 3 << 2 << 1;
    QTest::newRow("range past the end") << 2 << 9 << 2 << 1;
}

void PreviewTest::PrintsToPdf() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, expectedPages);
    QFETCH(int, pageOfWordTwo);
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("poppler-utils are not installed");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        if (from > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(from, to);
        }
        PrintDocumentTo(printer, ThreePages());
    }

    const QString info = Run(QStringLiteral("pdfinfo"), {path});
    QVERIFY2(
        info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(expectedPages))),
        qPrintable(info));

    const QString page =
        Run(QStringLiteral("pdftotext"),
            {QStringLiteral("-f"), QString::number(pageOfWordTwo), QStringLiteral("-l"),
             QString::number(pageOfWordTwo), QStringLiteral("-bbox"), path, QStringLiteral("-")});
    QVERIFY2(page.contains(QLatin1String(kPageWords[1])), qPrintable(page));
    QVERIFY(!page.contains(QLatin1String(kPageWords[0])));
    // Drawn from the corner of the paper: 48 units is half an inch, 36 points.
    const QRegularExpressionMatch word =
        QRegularExpression(QStringLiteral("xMin=\"([0-9.]+)\"[^>]*>%1<").arg(kPageWords[1]))
            .match(page);
    QVERIFY2(word.hasMatch(), qPrintable(page));
    QVERIFY2(std::abs(word.captured(1).toDouble() - 36.0) < 4.0, qPrintable(word.captured(0)));
}

}  // namespace vx::reports

QTEST_MAIN(vx::reports::PreviewTest)
#include "PreviewTest.moc"
