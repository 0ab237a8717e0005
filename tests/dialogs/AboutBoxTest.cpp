// The about box: its version line and a support link whose body survives
// as one field.
#include <QLabel>
#include <QUrlQuery>
#include <QtTest>

#include "dialogs/AboutBox.h"

namespace vx {

class AboutBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheVersionAndTheSupportLink() {
        TVXAboutBox about;
        QCOMPARE(about.windowTitle(), QString("About"));
        QCOMPARE(about.VersionLabel()->text(), QString("Version: 1.21.1"));
        const QUrl target(SupportMailTarget());
        QCOMPARE(target.scheme(), QString("mailto"));
        QCOMPARE(target.path(), QString(kSupportAddress));
        QCOMPARE(QUrlQuery(target).queryItemValue("body", QUrl::FullyDecoded),
                 QString("Vellacor VX Version = 1.21"));
        QVERIFY(about.QuestionsLink()->text().contains("mailto:"));
    }
};

}  // namespace vx

QTEST_MAIN(vx::AboutBoxTest)
#include "AboutBoxTest.moc"
