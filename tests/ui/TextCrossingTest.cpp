// The core's UTF-8 text against Qt's own Unicode: conversions at the
// crossing, and the ANSEL decoder against an independent conversion of a
// real ANSEL test file, compared in Qt's normal form.
#include <QFile>
#include <QtTest>

#include "gedcom/CharConvert.h"
#include "widgets/QtText.h"

namespace vx {

class TextCrossingTest : public QObject {
    Q_OBJECT

  private slots:
    void everyScriptCrossesUnchanged() {
        const QString names = QStringLiteral("Zieliński Αθηνά Иван שרה 张伟 محمد 😀");
        QCOMPARE(ToQt(FromQt(names)), names);
        QCOMPARE(FromQt(names).size(), static_cast<size_t>(names.toUtf8().size()));
        // The trailer's texts are Windows-1252.
        QCOMPARE(Win1252ToQt("M\xFCller \x80"), QStringLiteral("Müller €"));
    }

    // gedcom-parse's UTF-8 conversion of Eichmann's ANSEL table: the same
    // characters line for line, once both are in Unicode's composed form.
    // ANSEL's alif (0xAE) is the modifier letter apostrophe U+02BC, as in
    // the Library of Congress tables; that file uses U+02BE.
    void anselMatchesAnIndependentConversion() {
        auto lines = [](const char* name) {
            QFile file(QStringLiteral(VELLACOR_TEST_DATA "/gedcom/") + QLatin1String(name));
            if (!file.open(QIODevice::ReadOnly)) return QList<QByteArray>();
            return file.readAll().replace("\r", "").split('\n');
        };
        const QList<QByteArray> ansel = lines("eichmann_charset_ansel.ged");
        const QList<QByteArray> reference = lines("eichmann_charset_ansel_utf8_reference.ged");
        QCOMPARE(ansel.size(), reference.size());
        QVERIFY(ansel.size() > 300);
        int compared = 0;
        for (qsizetype i = 0; i < ansel.size(); ++i) {
            if (ansel[i].startsWith("1 CHAR")) continue;
            const QString ours = ToQt(AnselToUtf8(ansel[i].toStdString()));
            const QString theirs =
                QString::fromUtf8(reference[i]).replace(QChar(0x02BE), QChar(0x02BC));
            QCOMPARE(ours, ours.normalized(QString::NormalizationForm_C));
            QCOMPARE(ours, theirs.normalized(QString::NormalizationForm_C));
            ++compared;
        }
        QVERIFY(compared > 300);
    }
};

}  // namespace vx

QTEST_MAIN(vx::TextCrossingTest)
#include "TextCrossingTest.moc"
