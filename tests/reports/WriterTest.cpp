// The HTML, RTF and EMF writers: each output must hold every text of the
// report in reading order and be a file its readers accept. Where LibreOffice
// is installed it reads the RTF and EMF files back as a second opinion.
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtEndian>
#include <QtTest>

#include <set>

#include "app/Errors.h"
#include "reports/ReportWriters.h"

namespace vx::reports {

namespace {

DrawOp Text(QRectF rect, const QString& text, HAlign align = HAlign::Left, bool bold = false) {
    DrawOp op;
    op.rect = rect;
    op.text = text;
    op.align = align;
    op.font.bold = bold;
    return op;
}

DrawOp Shape(DrawKind kind, QRectF rect, QColor colour = Qt::black, bool dotted = false) {
    DrawOp op;
    op.kind = kind;
    op.rect = rect;
    op.colour = colour;
    op.dotted = dotted;
    return op;
}

// Two pages; on each, the texts are added in reading order (top to bottom,
// left to right), which is the order every output must keep.
ReportDocument SampleDocument() {
    ReportDocument document;
    document.title = QStringLiteral("List of \"Müller\" & <others>");
    ReportPage first;
    first.ops.push_back(Text({48, 48, 720, 20}, "Family List", HAlign::Centre, true));
    first.ops.push_back(Shape(DrawKind::Fill, {48, 100, 720, 16}, QColor(224, 224, 224)));
    first.ops.push_back(Text({48, 100, 200, 16}, QStringLiteral("Zoë Müller")));
    first.ops.push_back(Text({248, 100, 100, 16}, "1,234", HAlign::Right));
    first.ops.push_back(Text({400, 101, 300, 16}, "A <&> B \"q\" 'x' {x} \\y"));
    first.ops.push_back(Shape(DrawKind::Line, {48, 116, 720, 0}));
    DrawOp indented = Text({60, 130, 300, 18}, "   Indented");
    indented.font.underline = true;
    indented.font.family = QStringLiteral("Times New Roman");
    indented.font.pointSize = 12;
    indented.colour = Qt::darkBlue;
    first.ops.push_back(indented);
    first.ops.push_back(Shape(DrawKind::Rect, {300, 300, 100, 50}));
    first.ops.push_back(Shape(DrawKind::Line, {500, 300, 0, 100}, Qt::red, true));
    first.ops.push_back(Text({48, 1000, 720, 16}, "Page 1", HAlign::Right));
    document.pages.push_back(first);

    ReportPage second;
    second.ops.push_back(Text({48, 48, 300, 16}, QStringLiteral("Ελένη Ñúñez 😀")));
    second.ops.push_back(Shape(DrawKind::Line, {100, 200, 200, 100}));  // a diagonal
    DrawOp image = Shape(DrawKind::Image, {48, 400, 64, 32});
    image.image = QImage(8, 4, QImage::Format_ARGB32);
    image.image.fill(QColor(0, 128, 255, 200));
    second.ops.push_back(image);
    second.ops.push_back(Text({48, 1000, 720, 16}, "Page 2", HAlign::Right));
    document.pages.push_back(second);
    return document;
}

QStringList PageTexts(const ReportPage& page) {
    QStringList texts;
    for (const DrawOp& op : page.ops)
        if (op.kind == DrawKind::Text) texts << op.text;
    return texts;
}

QByteArray ReadAll(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The texts of an RTF file, page by page: destinations and control words
// dropped, \uN and \'hh decoded, paragraphs and tabs separating texts.
std::vector<QStringList> RtfTexts(const QByteArray& rtf) {
    std::vector<QStringList> pages(1);
    QString current;
    auto flush = [&] {
        if (!current.isEmpty()) pages.back() << current;
        current.clear();
    };
    std::vector<bool> skipping{false};
    int skipFallback = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{') {
            skipping.push_back(skipping.back());
        } else if (c == '}') {
            skipping.pop_back();
        } else if (c == '\\') {
            const char next = i + 1 < rtf.size() ? rtf[i + 1] : '\0';
            if (next == '\\' || next == '{' || next == '}') {
                if (!skipping.back()) current += QLatin1Char(next);
                ++i;
                continue;
            }
            if (next == '\'') {
                if (!skipping.back())
                    current += QChar(char16_t(rtf.mid(i + 2, 2).toInt(nullptr, 16)));
                i += 3;
                continue;
            }
            if (next == '*') {
                skipping.back() = true;
                ++i;
                continue;
            }
            qsizetype end = i + 1;
            while (end < rtf.size() && std::isalpha(uchar(rtf[end])))
                ++end;
            const QByteArray word = rtf.mid(i + 1, end - i - 1);
            qsizetype numberEnd = end;
            if (numberEnd < rtf.size() && rtf[numberEnd] == '-') ++numberEnd;
            while (numberEnd < rtf.size() && std::isdigit(uchar(rtf[numberEnd])))
                ++numberEnd;
            const int number = rtf.mid(end, numberEnd - end).toInt();
            i = numberEnd < rtf.size() && rtf[numberEnd] == ' ' ? numberEnd : numberEnd - 1;
            if (word == "fonttbl" || word == "colortbl" || word == "info") skipping.back() = true;
            if (skipping.back()) continue;
            if (word == "par" || word == "tab") flush();
            if (word == "page") {
                flush();
                pages.emplace_back();
            }
            if (word == "u") {
                current += QChar(char16_t(number));
                skipFallback = 1;
            }
        } else if (c != '\n' && c != '\r' && !skipping.back()) {
            if (skipFallback > 0)
                --skipFallback;
            else
                current += QLatin1Char(c);
        }
    }
    flush();
    return pages;
}

// LibreOffice converts `file` into `format` in `dir`; false when it is not
// installed (the test is then skipped) or fails.
QString Convert(const QString& file, const QString& format, const QString& dir) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) return {};
    QProcess process;
    process.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + dir + "/profile",
                            "--headless", "--convert-to", format, "--outdir", dir, file});
    if (!process.waitForFinished(180000) || process.exitCode() != 0) return {};
    return dir + '/' + QFileInfo(file).completeBaseName() + '.' + format;
}

struct EmfRecord {
    quint32 type;
    QByteArray data;  // the whole record
    quint32 U32(qsizetype at) const { return qFromLittleEndian<quint32>(data.constData() + at); }
};

// Walks an EMF file checking its structure; returns the records, or fails.
std::vector<EmfRecord> WalkEmf(const QByteArray& emf, QString& error) {
    std::vector<EmfRecord> records;
    qsizetype at = 0;
    while (at < emf.size()) {
        if (emf.size() - at < 8) return error = "truncated record", records;
        const quint32 type = qFromLittleEndian<quint32>(emf.constData() + at);
        const quint32 size = qFromLittleEndian<quint32>(emf.constData() + at + 4);
        if (size < 8 || size % 4 || at + qsizetype(size) > emf.size())
            return error = QString("bad size %1 of record %2").arg(size).arg(type), records;
        records.push_back({type, emf.mid(at, size)});
        at += size;
    }
    if (records.empty() || records.front().type != 1) return error = "no header", records;
    const EmfRecord& header = records.front();
    if (header.U32(40) != 0x464D4520) error = "bad signature";
    if (header.U32(44) != 0x10000) error = "bad version";
    if (header.U32(48) != quint32(emf.size())) error = "nBytes is not the file size";
    if (header.U32(52) != records.size()) error = "nRecords is not the record count";
    if (records.back().type != 14) error = "the last record is not EMR_EOF";

    // Objects: created before selected, selected only while they exist,
    // inside the handle table.
    const quint32 handles = header.U32(56) & 0xFFFF;
    std::set<quint32> live;
    for (const EmfRecord& r : records) {
        if (r.type == 38 || r.type == 39 || r.type == 82) {
            if (r.U32(8) == 0 || r.U32(8) >= handles) error = "object outside the handle table";
            live.insert(r.U32(8));
        } else if (r.type == 37 && !(r.U32(8) & 0x80000000) && !live.count(r.U32(8))) {
            error = QString("selects unknown object %1").arg(r.U32(8));
        } else if (r.type == 40 && !live.erase(r.U32(8))) {
            error = "deletes unknown object";
        }
    }
    return records;
}

}  // namespace

class WriterTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { QVERIFY(dir_.isValid()); }

    void htmlIsWellFormedAndHoldsEveryTextInOrder() {
        const ReportDocument document = SampleDocument();
        const QString file = dir_.filePath("report.html");
        WriteHtml(document, file);
        QByteArray html = ReadAll(file);
        QVERIFY(html.startsWith("<!DOCTYPE html>\n"));
        html.remove(0, html.indexOf('\n'));

        QXmlStreamReader xml(html);
        std::vector<QStringList> pages;
        QString title;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            const QStringList classes = xml.attributes().value("class").toString().split(' ');
            if (xml.name() == QLatin1String("title")) title = xml.readElementText();
            if (classes.contains("page")) {
                QVERIFY(xml.attributes().value("style").contains(QLatin1String("width:816px")));
                pages.emplace_back();
            }
            if (classes.contains("t")) pages.back() << xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(title, document.title);
        QCOMPARE(pages.size(), document.pages.size());
        for (size_t n = 0; n < pages.size(); ++n)
            QCOMPARE(pages[n], PageTexts(document.pages[n]));
        QVERIFY(html.contains("white-space:pre"));
        QVERIFY(html.contains("data:image/png;base64,"));
    }

    void rtfHoldsEveryTextInReadingOrder() {
        const ReportDocument document = SampleDocument();
        const QString file = dir_.filePath("report.rtf");
        WriteRtf(document, file);
        const QByteArray rtf = ReadAll(file);
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY(rtf.contains("\\paperw12240\\paperh15840"));
        QVERIFY(rtf.contains("\\margl720"));

        // Balanced braces, and the document is a single group.
        int depth = 0;
        qsizetype i = 0;
        for (; i < rtf.size(); ++i) {
            if (rtf[i] == '\\')
                ++i;  // an escaped brace is text
            else if (rtf[i] == '{')
                ++depth;
            else if (rtf[i] == '}' && --depth == 0)
                break;
        }
        QCOMPARE(depth, 0);
        QCOMPARE(rtf.mid(i + 1).trimmed(), QByteArray());

        const std::vector<QStringList> pages = RtfTexts(rtf);
        QCOMPARE(pages.size(), document.pages.size());
        for (size_t n = 0; n < pages.size(); ++n)
            QCOMPARE(pages[n], PageTexts(document.pages[n]));
        // Right-aligned texts stand at right tabs, the rule under the first
        // row is a border and the grey row is shading.
        QVERIFY(rtf.contains("\\tqr\\tx"));
        QVERIFY(rtf.contains("\\tqc\\tx"));
        QVERIFY(rtf.contains("\\brdrb"));
        QVERIFY(rtf.contains("\\cbpat"));

        // Lines that are not horizontal and outlines are shapes on their
        // own pages, at their places in twips; horizontal lines are not.
        const QRegularExpression shape(QStringLiteral(
            "\\\\shpleft(\\d+)\\\\shptop(\\d+)\\\\shpright(\\d+)\\\\shpbottom(\\d+)"));
        const qsizetype secondPage = rtf.indexOf("\\page");
        QVERIFY(secondPage > 0);
        std::vector<std::pair<bool, QString>> shapes;
        for (const QRegularExpressionMatch& match : shape.globalMatch(QString::fromLatin1(rtf))) {
            shapes.push_back({match.capturedStart() > secondPage,
                              match.capturedTexts().mid(1).join(QLatin1Char(','))});
        }
        const std::vector<std::pair<bool, QString>> expected = {
            {false, QStringLiteral("4500,4500,6000,5250")},  // the outline
            {false, QStringLiteral("7500,4500,7500,6000")},  // the vertical line
            {true, QStringLiteral("1500,3000,4500,4500")}};  // the diagonal
        QCOMPARE(shapes, expected);
        QVERIFY(rtf.contains("{\\sp{\\sn shapeType}{\\sv 20}}"));
        QVERIFY(rtf.contains("{\\sp{\\sn lineDashing}{\\sv 2}}"));
    }

    void libreOfficeReadsTheRtf() {
        const ReportDocument document = SampleDocument();
        const QString file = dir_.filePath("read.rtf");
        WriteRtf(document, file);
        if (QStandardPaths::findExecutable("soffice").isEmpty())
            QSKIP("LibreOffice (soffice) is not installed");
        const QString pdf = Convert(file, "pdf", dir_.path());
        QVERIFY2(!pdf.isEmpty(), "LibreOffice could not convert the RTF file");
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-raw", "-enc", "UTF-8", pdf, "-"});
        QVERIFY(pdftotext.waitForFinished(60000));
        const QStringList pages =
            QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), qsizetype(document.pages.size()));
        for (size_t n = 0; n < document.pages.size(); ++n) {
            qsizetype at = 0;
            for (const QString& text : PageTexts(document.pages[n])) {
                const qsizetype found = pages[qsizetype(n)].indexOf(text.trimmed(), at);
                QVERIFY2(found >= 0, qPrintable("missing or out of order: " + text));
                at = found + text.trimmed().size();
            }
        }
    }

    void emfIsAValidMetafileWithTheTexts() {
        const ReportDocument document = SampleDocument();
        for (const ReportPage& page : document.pages) {
            const QString file = dir_.filePath("page.emf");
            WriteEmf(document, page, file);
            const QByteArray emf = ReadAll(file);
            QString error;
            const std::vector<EmfRecord> records = WalkEmf(emf, error);
            QVERIFY2(error.isEmpty(), qPrintable(error));

            // Frame: the Letter page in 0.01 mm; bounds: its pixels.
            const EmfRecord& header = records.front();
            QCOMPARE(header.U32(16), 815u);
            QCOMPARE(header.U32(32), 21589u);
            QCOMPARE(header.U32(36), 27939u);

            QStringList texts;
            for (const EmfRecord& r : records) {
                if (r.type != 84) continue;
                const quint32 chars = r.U32(44), offString = r.U32(48), offDx = r.U32(72);
                QVERIFY(offString % 4 == 0 && offDx % 4 == 0);
                QVERIFY(offString + chars * 2 <= offDx &&
                        offDx + chars * 4 <= quint32(r.data.size()));
                texts << QString::fromUtf16(
                    reinterpret_cast<const char16_t*>(r.data.constData() + offString), chars);
            }
            QCOMPARE(texts, PageTexts(page));
        }
    }

    void libreOfficeDrawsTheEmf() {
        const ReportDocument document = SampleDocument();
        const QString file = dir_.filePath("drawn.emf");
        WriteEmf(document, document.pages[0], file);
        if (QStandardPaths::findExecutable("soffice").isEmpty())
            QSKIP("LibreOffice (soffice) is not installed");
        const QString png = Convert(file, "png", dir_.path());
        QVERIFY2(!png.isEmpty(), "LibreOffice could not convert the EMF file");
        const QImage image(png);
        QVERIFY(!image.isNull());
        // Portrait like the page, and something drawn on it.
        QVERIFY(image.height() > image.width());
        const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
        int dark = 0;
        for (int y = 0; y < grey.height(); ++y)
            for (int x = 0; x < grey.width(); ++x)
                dark += grey.constScanLine(y)[x] < 128;
        QVERIFY(dark > 50);
    }

    void unwritableFileIsAnInOutError() {
        const ReportDocument document = SampleDocument();
        const QString missing = dir_.filePath("no such folder/report.");
        QVERIFY_THROWS_EXCEPTION(EInOutError, WriteHtml(document, missing + "html"));
        QVERIFY_THROWS_EXCEPTION(EInOutError, WriteRtf(document, missing + "rtf"));
        QVERIFY_THROWS_EXCEPTION(EInOutError,
                                 WriteEmf(document, document.pages[0], missing + "emf"));
        QVERIFY(!QFileInfo::exists(dir_.filePath("no such folder")));
    }

  private:
    QTemporaryDir dir_;
};

}  // namespace vx::reports

QTEST_MAIN(vx::reports::WriterTest)
#include "WriterTest.moc"
