// The Sender tab: the creator's facts, the extraction notice, and e-mail
// links that hostile titles cannot break.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrlQuery>
#include <QtTest>

#include "archive/SenderRecord.h"
#include "ui/SenderPage.h"

namespace vx {

class SenderPageTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheCreatorsFacts() {
        SenderRecord sender;
        sender.Title = "Our family";
        sender.SenderName = "Ann Lee";
        sender.Email = "ann@example.org";
        sender.Addr1 = "1 High St";
        sender.Addr2 = "Ashford";
        sender.Phone = "555";
        sender.FileName = "family.ged";
        sender.Message = "Hello\r\nthere";
        sender.Created = 46000.5;  // 9 Dec 2025, noon
        TSenderPage page;
        page.Fill(sender, "family-viewer");
        QCOMPARE(page.Value("Title:")->text(), QString("Our family"));
        QCOMPARE(page.Value("Address:")->text(), QString("1 High St\nAshford"));
        QCOMPARE(page.Value("Created:")->text(), QString("Tue, Dec 9, 2025, 12:00 PM"));
        QVERIFY(page.Value("Email:")->text().contains("mailto:ann@example.org?subject="));
        QCOMPARE(page.Value("Web Site:")->text(), QString());
        QVERIFY(page.Message()->toPlainText().startsWith("Hello"));
        QVERIFY(page.Welcome()->toPlainText().startsWith("Welcome\n"));
        QVERIFY(page.ExtractButton()->isHidden());
        sender.AllowExtract = 1;
        sender.WebSite = "javascript:alert(1)";
        page.Fill(sender, "family-viewer");
        QVERIFY(!page.ExtractButton()->isHidden());
        QVERIFY(!page.ExtractNotice()->isHidden());
        QVERIFY(
            page.ExtractNotice()->text().endsWith("to the right to extract it to your computer."));
        QVERIFY(!page.Value("Web Site:")->text().contains("<a "));  // not a web address
    }

    void mailTargetsKeepHostileTitlesInsideTheirField() {
        SenderRecord sender;
        sender.Email = "ann@example.org";
        sender.Title = "Us & them?cc=x@evil#frag\r\nBcc: y";
        sender.Created = 46000.5;
        const QString target = SenderMailTarget(sender, "file&name.exe");
        QVERIFY(!target.contains('\n'));
        QVERIFY(!target.contains('#'));
        const QUrl url(target);
        QVERIFY(url.isValid());
        QCOMPARE(url.scheme(), QString("mailto"));
        QCOMPARE(url.path(), QString("ann@example.org"));
        const QUrlQuery query(url);
        QCOMPARE(query.queryItems().size(), 2);  // subject and body, nothing added
        QCOMPARE(query.queryItemValue("subject", QUrl::FullyDecoded),
                 QString("Us & them?cc=x@evil#frag\r\nBcc: y: file&name.exe"));
        QCOMPARE(query.queryItemValue("body", QUrl::FullyDecoded),
                 QString("File: file&name.exe created on Tuesday, Dec 9, 2025, 12:00 PM"));
    }

    // With room, the message box is 179 pixels high beside the Extract
    // button; in a page too short for it at a large font it gives up height
    // instead of running under the notice.
    void messageBoxGivesWayToTheExtractNotice() {
        SenderRecord sender;
        sender.Message = "Hello";
        sender.AllowExtract = 1;
        for (const int points : {9, 20}) {
            TSenderPage page;
            QFont font = page.font();
            font.setPointSize(points);
            page.setFont(font);
            page.Fill(sender, "family-viewer");
            page.resize(1000, points == 9 ? 900 : 700);
            page.show();
            QVERIFY(QTest::qWaitForWindowExposed(&page));
            const QRect message = page.Message()->geometry();
            if (points == 9) QCOMPARE(message.height(), 179);
            const QWidget* notice = page.ExtractNotice();
            const QPoint noticeTop = notice->mapTo(&page, QPoint(0, 0));
            const QPoint messageBottom = page.Message()->mapTo(&page, QPoint(0, message.height()));
            QVERIFY2(noticeTop.y() >= messageBottom.y(),
                     qPrintable(QString("%1 pt: notice at %2, message ends at %3")
                                    .arg(points)
                                    .arg(noticeTop.y())
                                    .arg(messageBottom.y())));
        }
    }

    void createdTimesOutsideAnyCalendarAreEmpty() {
        QCOMPARE(CreatedText(1e300, "yyyy"), QString());
        QCOMPARE(CreatedText(std::nan(""), "yyyy"), QString());
        QCOMPARE(CreatedText(0, "yyyy/MM/dd"), QString("1899/12/30"));
    }
};

}  // namespace vx

QTEST_MAIN(vx::SenderPageTest)
#include "SenderPageTest.moc"
