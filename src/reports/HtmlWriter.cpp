// The HTML output: one document, one positioned section per report page.
// Every drawing operation becomes an absolutely positioned element at its
// place on the paper; page units are CSS pixels (both are 1/96 inch), so the
// pages look in a browser as they do in the preview. The markup is kept
// well-formed XML as well, so other tools can read it back.
#include "reports/ReportWriters.h"

#include "reports/ExportFilters.h"

#include <QBuffer>
#include <QByteArray>
#include <QHash>
#include <QLineF>
#include <QSaveFile>

#include <cmath>
#include <vector>

namespace vx::reports {

namespace {

// A length in CSS pixels: at most two decimals, no trailing zeros.
void AppendNumber(QByteArray& out, double value) {
    double rounded = std::round(value * 100.0) / 100.0;
    if (rounded == 0.0) rounded = 0.0;  // no "-0"
    QByteArray text = QByteArray::number(rounded, 'f', 2);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.')) text.chop(1);
    out += text;
}

void AppendPx(QByteArray& out, const char* property, double value) {
    out += property;
    out += ':';
    AppendNumber(out, value);
    out += "px;";
}

// Text content and attribute values. Characters XML does not allow (other
// controls) are dropped; a text op is one line, so line breaks become blanks.
void AppendEscaped(QByteArray& out, const QString& text) {
    QString clean;
    clean.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\n' || u == '\r' || u == '\t')
            clean += QLatin1Char(' ');
        else if (u < 0x20 || u == 0xFFFE || u == 0xFFFF)
            continue;
        else
            clean += c;
    }
    const QByteArray utf8 = clean.toUtf8();
    for (char c : utf8) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
}

QByteArray CssColour(const QColor& colour) {
    if (colour.alpha() == 255) return colour.name(QColor::HexRgb).toLatin1();
    return QStringLiteral("rgba(%1,%2,%3,%4)")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue())
        .arg(colour.alphaF(), 0, 'f', 3)
        .toLatin1();
}

// The generic family a browser falls back on when the face is missing.
const char* GenericFamily(const QString& family) {
    const QString lower = family.toLower();
    if (lower.contains(QLatin1String("courier")) || lower.contains(QLatin1String("mono")))
        return "monospace";
    if (lower.contains(QLatin1String("times")) || lower.contains(QLatin1String("serif")) ||
        lower.contains(QLatin1String("roman")) || lower.contains(QLatin1String("georgia")))
        return lower.contains(QLatin1String("sans")) ? "sans-serif" : "serif";
    return "sans-serif";
}

// The fonts of a document, each a CSS class, so the million text elements of
// a long list carry a short class name instead of the whole font.
class FontClasses {
  public:
    explicit FontClasses(const ReportDocument& document) {
        for (const ReportPage& page : document.pages)
            for (const DrawOp& op : page.ops)
                if (op.kind == DrawKind::Text) Index(op.font);
    }

    // "f<n>" of the font (known from the constructor's walk).
    int Index(const FontSpec& font) {
        // Neighbouring texts mostly share their font.
        if (last_ >= 0 && fonts_[size_t(last_)] == font) return last_;
        const QString key = Key(font);
        auto found = index_.constFind(key);
        if (found != index_.constEnd()) return last_ = *found;
        last_ = int(fonts_.size());
        fonts_.push_back(font);
        index_.insert(key, last_);
        return last_;
    }

    void AppendRules(QByteArray& out) const {
        for (size_t n = 0; n < fonts_.size(); ++n) {
            const FontSpec& font = fonts_[n];
            out += ".f" + QByteArray::number(qulonglong(n)) + "{font-family:'";
            QString family = font.family;
            family.remove(QLatin1Char('\'')).remove(QLatin1Char('<')).remove(QLatin1Char('&'));
            out += family.toUtf8();
            out += "',";
            out += GenericFamily(font.family);
            out += ';';
            AppendPx(out, "font-size", font.PixelSize());
            if (font.bold) out += "font-weight:bold;";
            if (font.underline) out += "text-decoration:underline;";
            out += "}\n";
        }
    }

  private:
    static QString Key(const FontSpec& font) {
        return font.family + QLatin1Char('|') + QString::number(font.pointSize, 'g', 10) +
               (font.bold ? QLatin1String("|b") : QLatin1String("|-")) +
               (font.underline ? QLatin1String("|u") : QLatin1String("|-"));
    }

    std::vector<FontSpec> fonts_;
    QHash<QString, int> index_;
    int last_ = -1;
};

void AppendText(QByteArray& out, const DrawOp& op, int fontClass) {
    out += "<div class=\"t f" + QByteArray::number(fontClass);
    if (op.align == HAlign::Right) out += " r";
    if (op.align == HAlign::Centre) out += " c";
    out += "\" style=\"";
    AppendPx(out, "left", op.rect.left());
    AppendPx(out, "top", op.rect.top());
    AppendPx(out, "width", op.rect.width());
    if (op.colour != QColor(Qt::black)) out += "color:" + CssColour(op.colour) + ';';
    out += "\">";
    AppendEscaped(out, op.text);
    out += "</div>\n";
}

QByteArray Border(const DrawOp& op) {
    QByteArray border;
    AppendNumber(border, std::max(op.penWidth, 0.5));
    border += op.dotted ? "px dotted " : "px solid ";
    border += CssColour(op.colour);
    return border;
}

// A line: a box with one border. Horizontal and vertical lines are plain
// boxes; any other is a horizontal one turned about its start.
void AppendLine(QByteArray& out, const DrawOp& op) {
    const QPointF from = op.rect.topLeft();
    const QPointF to = op.rect.bottomRight();
    const double half = std::max(op.penWidth, 0.5) / 2.0;
    out += "<div class=\"g\" style=\"";
    if (from.y() == to.y()) {
        AppendPx(out, "left", std::min(from.x(), to.x()));
        AppendPx(out, "top", from.y() - half);
        AppendPx(out, "width", std::abs(to.x() - from.x()));
        out += "border-top:" + Border(op) + ';';
    } else if (from.x() == to.x()) {
        AppendPx(out, "left", from.x() - half);
        AppendPx(out, "top", std::min(from.y(), to.y()));
        AppendPx(out, "height", std::abs(to.y() - from.y()));
        out += "border-left:" + Border(op) + ';';
    } else {
        const QLineF line(from, to);
        AppendPx(out, "left", from.x());
        AppendPx(out, "top", from.y() - half);
        AppendPx(out, "width", line.length());
        out += "border-top:" + Border(op) + ";transform-origin:0 " +
               QByteArray::number(half, 'f', 2) + "px;transform:rotate(";
        AppendNumber(out, -line.angle());  // QLineF counts counter-clockwise
        out += "deg);";
    }
    out += "\"></div>\n";
}

void AppendBox(QByteArray& out, const DrawOp& op) {
    const QRectF r = op.rect.normalized();
    out += "<div class=\"g\" style=\"";
    AppendPx(out, "left", r.left());
    AppendPx(out, "top", r.top());
    AppendPx(out, "width", r.width());
    AppendPx(out, "height", r.height());
    if (op.kind == DrawKind::Rect)
        out += "border:" + Border(op) + ';';
    else
        out += "background-color:" + CssColour(op.colour) + ';';
    out += "\"></div>\n";
}

void AppendImage(QByteArray& out, const DrawOp& op) {
    if (op.image.isNull()) return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!op.image.save(&buffer, "PNG")) return;
    const QRectF r = op.rect.normalized();
    out += "<img class=\"g\" alt=\"\" style=\"";
    AppendPx(out, "left", r.left());
    AppendPx(out, "top", r.top());
    AppendPx(out, "width", r.width());
    AppendPx(out, "height", r.height());
    out += "\" src=\"data:image/png;base64,";
    out += png.toBase64();
    out += "\"/>\n";
}

void Write(QSaveFile& file, const QByteArray& bytes, const QString& fileName) {
    if (file.write(bytes) != bytes.size()) ThrowWriteError(fileName);
}

}  // namespace

void WriteHtml(const ReportDocument& document, const QString& fileName) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) ThrowWriteError(fileName);

    FontClasses fonts(document);
    QByteArray head;
    head +=
        "<!DOCTYPE html>\n"
        "<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>";
    AppendEscaped(head, document.title);
    head +=
        "</title>\n<style>\n"
        "body{margin:0;padding:16px 0;background:#808080;}\n"
        "div.page{position:relative;overflow:hidden;margin:0 auto 16px auto;background:#fff;"
        "box-shadow:0 0 6px #404040;page-break-after:always;break-after:page;}\n"
        "div.page:last-child{page-break-after:auto;break-after:auto;}\n"
        ".t{position:absolute;margin:0;padding:0;white-space:pre;line-height:normal;"
        "color:#000;}\n"
        ".r{text-align:right;}\n.c{text-align:center;}\n"
        ".g{position:absolute;margin:0;padding:0;box-sizing:border-box;}\n"
        "@media print{body{padding:0;background:none;}"
        "div.page{margin:0;box-shadow:none;}}\n";
    fonts.AppendRules(head);
    head += "</style>\n</head>\n<body>\n";
    Write(file, head, fileName);

    // One page at a time, so a long report never sits in memory twice.
    QByteArray out;
    for (const ReportPage& page : document.pages) {
        out.clear();
        out += "<div class=\"page\" style=\"";
        AppendPx(out, "width", document.pageWidth);
        AppendPx(out, "height", document.pageHeight);
        out += "\">\n";
        for (const DrawOp& op : page.ops) {
            switch (op.kind) {
                case DrawKind::Text:
                    if (!op.text.isEmpty()) AppendText(out, op, fonts.Index(op.font));
                    break;
                case DrawKind::Line:
                    AppendLine(out, op);
                    break;
                case DrawKind::Rect:
                case DrawKind::Fill:
                    AppendBox(out, op);
                    break;
                case DrawKind::Image:
                    AppendImage(out, op);
                    break;
            }
        }
        out += "</div>\n";
        Write(file, out, fileName);
    }
    Write(file, "</body>\n</html>\n", fileName);
    if (!file.commit()) ThrowWriteError(fileName);
}

}  // namespace vx::reports
