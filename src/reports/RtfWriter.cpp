// The RTF output: a word-processor document with the report's text in
// reading order. RTF flows text instead of placing it, so each report page is
// rebuilt as paragraphs: the texts standing at one height form one paragraph
// whose tab stops put them at their places, exact line spacing and space
// before keep the vertical gaps, horizontal rules become thin bordered
// paragraphs and row backgrounds become paragraph shading. Lines that are
// not horizontal (the connecting lines of a pedigree) and outlines are
// drawing shapes placed on the page. Images are left out.
#include "reports/ReportWriters.h"

#include "reports/ExportFilters.h"
#include "reports/ReportEngine.h"

#include <QByteArray>
#include <QHash>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace vx::reports {

namespace {

constexpr double kTwipsPerUnit = 1440.0 / kUnitsPerInch;  // 15
constexpr double kPageMargin = 48.0;                      // half an inch
// Texts whose tops are this close stand on one line.
constexpr double kSameLine = 2.0;
// How far a full line may run into the right margin.
constexpr double kOverhang = 24.0;

int Twips(double units) {
    return int(std::lround(units * kTwipsPerUnit));
}

// Drawing shapes measure line widths in English Metric Units.
constexpr double kEmuPerUnit = 914400.0 / kUnitsPerInch;
// The shape types and the dotted line style of RTF drawing shapes.
constexpr int kShapeRectangle = 1;
constexpr int kShapeLine = 20;
constexpr int kLineDashingDot = 2;

void AppendInt(QByteArray& out, const char* word, long long value) {
    out += word;
    out += QByteArray::number(value);
}

// Text in RTF: the three special characters escaped, everything past ASCII
// as \uN with '?' for readers that do not know Unicode (\uc1).
void AppendEscaped(QByteArray& out, const QString& text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t' || u == '\n' || u == '\r') {
            out += ' ';
        } else if (u < 0x20) {
            continue;
        } else if (u < 0x80) {
            out += char(u);
        } else {
            AppendInt(out, "\\u", qint16(u));  // RTF takes signed 16-bit values
            out += '?';
        }
    }
}

const char* FontFamilyWord(const QString& family) {
    const QString lower = family.toLower();
    if (lower.contains(QLatin1String("courier")) || lower.contains(QLatin1String("mono")))
        return "\\fmodern";
    if (lower.contains(QLatin1String("times")) || lower.contains(QLatin1String("roman")) ||
        (lower.contains(QLatin1String("serif")) && !lower.contains(QLatin1String("sans"))))
        return "\\froman";
    return "\\fswiss";
}

// The font and colour tables, gathered from the whole document first.
class Tables {
  public:
    explicit Tables(const ReportDocument& document) {
        Colour(QColor(Qt::black));
        for (const ReportPage& page : document.pages)
            for (const DrawOp& op : page.ops) {
                if (op.kind == DrawKind::Text) Font(op.font.family);
                if (op.kind != DrawKind::Image) Colour(op.colour);
            }
        if (fonts_.isEmpty()) Font(QStringLiteral("Arial"));
    }

    int Font(const QString& family) {
        auto found = fontIndex_.constFind(family);
        if (found != fontIndex_.constEnd()) return *found;
        const int n = int(fonts_.size());
        fonts_.push_back(family);
        fontIndex_.insert(family, n);
        return n;
    }

    // Index in the colour table; 0 is the reader's automatic colour.
    int Colour(const QColor& colour) {
        const QRgb rgb = colour.rgb() & 0xFFFFFF;
        auto found = colourIndex_.constFind(rgb);
        if (found != colourIndex_.constEnd()) return *found;
        colours_.push_back(rgb);
        const int n = int(colours_.size());
        colourIndex_.insert(rgb, n);
        return n;
    }

    void Append(QByteArray& out) const {
        out += "{\\fonttbl";
        for (int n = 0; n < fonts_.size(); ++n) {
            AppendInt(out, "{\\f", n);
            out += FontFamilyWord(fonts_[n]);
            out += "\\fcharset0 ";
            AppendEscaped(out, fonts_[n]);
            out += ";}";
        }
        out += "}\n{\\colortbl;";
        for (QRgb rgb : colours_) {
            AppendInt(out, "\\red", qRed(rgb));
            AppendInt(out, "\\green", qGreen(rgb));
            AppendInt(out, "\\blue", qBlue(rgb));
            out += ';';
        }
        out += "}\n";
    }

  private:
    QList<QString> fonts_;
    QHash<QString, int> fontIndex_;
    QList<QRgb> colours_;
    QHash<QRgb, int> colourIndex_;
};

// A rule drawn as the bottom border of a paragraph.
struct Border {
    int colour = 0;
    int widthTwips = 15;
    bool dotted = false;
    bool doubled = false;  // two lines

    // The height it adds to its paragraph.
    int Height() const { return doubled ? 3 * widthTwips : widthTwips; }
};

// One paragraph of a page: a line of texts or a rule of its own.
struct Paragraph {
    double top = 0;     // page units
    double height = 0;  // page units
    double minHeight = 0;
    std::vector<const DrawOp*> texts;  // empty: a rule standing alone
    double ruleLeft = 0, ruleRight = 0;
    std::optional<Border> border;
    std::optional<int> shading;  // colour index of the background
};

// Where a text sits on its line: the tab position it is aligned at.
double Anchor(const DrawOp& op) {
    switch (op.align) {
        case HAlign::Right:
            return op.rect.right();
        case HAlign::Centre:
            return op.rect.center().x();
        case HAlign::Left:
            break;
    }
    return op.rect.left();
}

void AppendShapeProperty(QByteArray& out, const char* name, long long value) {
    out += "{\\sp{\\sn ";
    out += name;
    AppendInt(out, "}{\\sv ", value);
    out += "}}";
}

// A line that is not horizontal, or an outline, as a drawing shape placed
// on the page; nothing for other operations and horizontal lines (those
// are paragraph borders).
void AppendShape(QByteArray& out, const DrawOp& op) {
    const bool outline = op.kind == DrawKind::Rect;
    const bool line = op.kind == DrawKind::Line && std::abs(op.rect.top() - op.rect.bottom()) > 0.5;
    if (!outline && !line) return;
    const QRectF box = op.rect.normalized();
    out += "{\\shp{\\*\\shpinst";
    AppendInt(out, "\\shpleft", Twips(box.left()));
    AppendInt(out, "\\shptop", Twips(box.top()));
    AppendInt(out, "\\shpright", Twips(box.right()));
    AppendInt(out, "\\shpbottom", Twips(box.bottom()));
    // Placed from the page's corner, in front of nothing, not wrapping text.
    out += "\\shpbxpage\\shpbxignore\\shpbypage\\shpbyignore\\shpwr3\\shpfblwtxt0\\shpz0";
    AppendShapeProperty(out, "shapeType", outline ? kShapeRectangle : kShapeLine);
    // A line drawn up and to the right runs against the box's diagonal.
    if (line && (op.rect.width() < 0) != (op.rect.height() < 0))
        AppendShapeProperty(out, "fFlipH", 1);
    if (outline) AppendShapeProperty(out, "fFilled", 0);
    const QRgb rgb = op.colour.rgb();
    AppendShapeProperty(out, "lineColor", qRed(rgb) + (qGreen(rgb) << 8) + (qBlue(rgb) << 16));
    AppendShapeProperty(out, "lineWidth", std::lround(std::max(op.penWidth, 1.0) * kEmuPerUnit));
    if (op.dotted) AppendShapeProperty(out, "lineDashing", kLineDashingDot);
    out += "}}";
}

class PageBuilder {
  public:
    PageBuilder(const ReportDocument& document, Tables& tables)
        : document_(document), tables_(tables) {}

    // `newPage`: the page starts with a page break (every page but the first).
    void Append(QByteArray& out, const ReportPage& page, bool newPage) {
        std::vector<Paragraph> paragraphs = Lines(page);
        AttachRules(page, paragraphs);
        AttachShading(page, paragraphs);
        std::stable_sort(paragraphs.begin(), paragraphs.end(),
                         [](const Paragraph& a, const Paragraph& b) { return a.top < b.top; });
        if (paragraphs.empty()) {
            Paragraph empty;
            empty.top = kPageMargin;
            empty.height = empty.minHeight = 1;
            paragraphs.push_back(empty);
        }

        // The space each paragraph leaves before it is measured from where
        // the one above ended, so rounding never adds up down the page.
        const int bottomLimit = Twips(document_.pageHeight - kPageMargin) - 30;
        int cursor = Twips(kPageMargin);
        for (size_t n = 0; n < paragraphs.size(); ++n) {
            const Paragraph& p = paragraphs[n];
            const int borderTwips = p.border ? p.border->Height() : 0;
            int top = std::max(Twips(p.top), cursor);
            // A line taller than the gap to the next one gives way down to
            // the height of its type, so tight rows do not push the page on.
            int height = Twips(p.height);
            if (n + 1 < paragraphs.size()) {
                const int gap = Twips(paragraphs[n + 1].top) - top - borderTwips;
                height = std::clamp(gap, Twips(p.minHeight), height);
            }
            top = std::min(top, std::max(cursor, bottomLimit - height - borderTwips));
            // The page's shapes are anchored in its first paragraph.
            shapes_.clear();
            if (n == 0)
                for (const DrawOp& op : page.ops)
                    AppendShape(shapes_, op);
            AppendParagraph(out, p, top - cursor, height, newPage && n == 0);
            cursor = top + height + borderTwips;
        }
    }

  private:
    std::vector<Paragraph> Lines(const ReportPage& page) const {
        std::vector<const DrawOp*> texts;
        for (const DrawOp& op : page.ops)
            if (op.kind == DrawKind::Text && !op.text.isEmpty()) texts.push_back(&op);
        std::stable_sort(texts.begin(), texts.end(), [](const DrawOp* a, const DrawOp* b) {
            return a->rect.top() < b->rect.top();
        });
        std::vector<Paragraph> lines;
        for (const DrawOp* op : texts) {
            if (lines.empty() || op->rect.top() - lines.back().top > kSameLine) {
                Paragraph line;
                line.top = op->rect.top();
                lines.push_back(line);
            }
            Paragraph& line = lines.back();
            line.texts.push_back(op);
            line.height = std::max({line.height, op->rect.height(), op->font.PixelSize()});
            line.minHeight = std::max(line.minHeight, op->font.PixelSize());
        }
        for (Paragraph& line : lines)
            std::stable_sort(
                line.texts.begin(), line.texts.end(),
                [](const DrawOp* a, const DrawOp* b) { return Anchor(*a) < Anchor(*b); });
        return lines;
    }

    // Each horizontal rule becomes a thin paragraph of its own whose bottom
    // border is the rule, indented to the rule's ends. Borders on the text
    // lines themselves would not do: readers join the equal borders of
    // neighbouring paragraphs into one box and drop the rules between them.
    // Two rules right above each other make one double rule.
    void AttachRules(const ReportPage& page, std::vector<Paragraph>& paragraphs) const {
        std::vector<Paragraph> rules;
        for (const DrawOp& op : page.ops) {
            if (op.kind != DrawKind::Line) continue;
            const QPointF from = op.rect.topLeft(), to = op.rect.bottomRight();
            if (std::abs(from.y() - to.y()) > 0.5 || from.x() == to.x()) continue;
            Paragraph rule;
            rule.top = from.y() - 1;
            rule.height = rule.minHeight = 1;
            rule.ruleLeft = std::min(from.x(), to.x());
            rule.ruleRight = std::max(from.x(), to.x());
            rule.border = Border{tables_.Colour(op.colour), std::max(Twips(op.penWidth), 1),
                                 op.dotted, false};
            rules.push_back(rule);
        }
        std::stable_sort(rules.begin(), rules.end(),
                         [](const Paragraph& a, const Paragraph& b) { return a.top < b.top; });
        for (const Paragraph& rule : rules) {
            if (!paragraphs.empty()) {
                Paragraph& last = paragraphs.back();
                if (last.texts.empty() && !last.border->doubled && rule.top - last.top <= 4 &&
                    std::abs(rule.ruleLeft - last.ruleLeft) < 1 &&
                    std::abs(rule.ruleRight - last.ruleRight) < 1) {
                    last.border->doubled = true;
                    continue;
                }
            }
            paragraphs.push_back(rule);
        }
    }

    // A filled band under a line of text (the grey rows of a list) becomes
    // the paragraph's shading; fills elsewhere are left out.
    void AttachShading(const ReportPage& page, std::vector<Paragraph>& paragraphs) const {
        const double textWidth = document_.pageWidth - 2 * kPageMargin;
        for (const DrawOp& op : page.ops) {
            if (op.kind != DrawKind::Fill) continue;
            const QRectF fill = op.rect.normalized();
            if (fill.width() < 0.5 * textWidth) continue;
            for (Paragraph& p : paragraphs) {
                const double middle = p.top + std::min(p.height, p.minHeight) / 2;
                if (!p.texts.empty() && fill.top() <= middle && middle <= fill.bottom())
                    p.shading = tables_.Colour(op.colour);
            }
        }
    }

    void AppendParagraph(QByteArray& out, const Paragraph& p, int spaceBefore, int height,
                         bool pageBreak) {
        out += "\\pard\\plain";
        AppendInt(out, "\\sb", spaceBefore);
        AppendInt(out, "\\sa0\\sl-", height);
        out += "\\slmult0";
        if (p.texts.empty() && p.border) {
            AppendInt(out, "\\li", std::max(0, Twips(p.ruleLeft - kPageMargin)));
            AppendInt(out, "\\ri",
                      std::max(0, Twips(document_.pageWidth - kPageMargin - p.ruleRight)));
        }
        if (p.shading) AppendInt(out, "\\cbpat", *p.shading);
        if (p.border) {
            out += p.border->doubled  ? "\\brdrb\\brdrdb"
                   : p.border->dotted ? "\\brdrb\\brdrdot"
                                      : "\\brdrb\\brdrs";
            AppendInt(out, "\\brdrw", std::min(p.border->widthTwips, 75));
            AppendInt(out, "\\brsp0\\brdrcf", p.border->colour);
        }

        // Tab stops, one per text, in increasing order. A text at the left
        // margin needs none: it starts the paragraph.
        std::vector<int> stops;
        int last = 0;
        for (size_t n = 0; n < p.texts.size(); ++n) {
            const DrawOp& op = *p.texts[n];
            int position = Twips(Anchor(op) - kPageMargin);
            if (n == 0 && op.align == HAlign::Left && position <= 0) {
                stops.push_back(0);
                continue;
            }
            position = std::max(position, last + 1);
            last = position;
            stops.push_back(position);
            if (op.align == HAlign::Right) out += "\\tqr";
            if (op.align == HAlign::Centre) out += "\\tqc";
            AppendInt(out, "\\tx", position);
        }
        // A tab moves on to the first stop past the pen. Where texts of the
        // report touch, the pen may already be past a text's own stop; a tab
        // would then skip to the next text's stop and push the rest of the
        // line along, so such a text follows its neighbour after a blank.
        runs_.clear();
        double pen = 0;  // where the pen stands, in page units from the margin
        for (size_t n = 0; n < p.texts.size(); ++n) {
            const DrawOp& op = *p.texts[n];
            const double width = WReportEngine::TextWidth(op.text, op.font);
            const double stop = stops[n] / kTwipsPerUnit;
            if (stops[n] == 0) {
                pen = width;
            } else if (stops[n] > Twips(pen)) {
                runs_ += "\\tab";
                if (op.align == HAlign::Left)
                    pen = stop + width;
                else if (op.align == HAlign::Right)
                    pen = std::max(stop, pen + width);
                else
                    pen = std::max(pen, stop - width / 2) + width;
            } else {
                runs_ += ' ';
                pen += WReportEngine::TextWidth(QStringLiteral(" "), op.font) + width;
            }
            AppendInt(runs_, "{\\f", tables_.Font(op.font.family));
            AppendInt(runs_, "\\fs", std::lround(op.font.pointSize * 2));
            if (op.font.bold) runs_ += "\\b";
            if (op.font.underline) runs_ += "\\ul";
            AppendInt(runs_, "\\cf", tables_.Colour(op.colour));
            runs_ += ' ';
            AppendEscaped(runs_, op.text);
            runs_ += '}';
        }
        // A line that reaches the right margin may come out a little wider
        // in the reader's fonts; a second line would push the page over, so
        // such a line may run into the margin instead.
        if (pen > document_.pageWidth - 2 * kPageMargin - kOverhang)
            AppendInt(out, "\\ri-", Twips(kOverhang));

        if (p.texts.empty()) out += "\\fs2";
        // The break goes inside the page's first paragraph, after its own
        // properties: a break between paragraphs makes LibreOffice give the
        // new page's first paragraph the spacing of the old page's last.
        if (pageBreak) out += "\\page";
        out += ' ';
        out += shapes_;
        out += runs_;
        out += "\\par\n";
    }

    const ReportDocument& document_;
    Tables& tables_;
    QByteArray runs_;    // the texts of the paragraph being written
    QByteArray shapes_;  // the drawing shapes it anchors
};

void Write(QSaveFile& file, const QByteArray& bytes, const QString& fileName) {
    if (file.write(bytes) != bytes.size()) ThrowWriteError(fileName);
}

}  // namespace

void WriteRtf(const ReportDocument& document, const QString& fileName) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) ThrowWriteError(fileName);

    Tables tables(document);
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n";
    tables.Append(out);
    out += "{\\info{\\title ";
    AppendEscaped(out, document.title);
    out += "}}\n";
    AppendInt(out, "\\paperw", Twips(document.pageWidth));
    AppendInt(out, "\\paperh", Twips(document.pageHeight));
    const int margin = Twips(kPageMargin);
    AppendInt(out, "\\margl", margin);
    AppendInt(out, "\\margr", margin);
    AppendInt(out, "\\margt", margin);
    AppendInt(out, "\\margb", margin);
    out += "\\widowctrl0\\viewkind1\n\\sectd\n";
    Write(file, out, fileName);

    // Page by page, so a long report is never held in memory as RTF.
    PageBuilder builder(document, tables);
    for (size_t n = 0; n < document.pages.size(); ++n) {
        out.clear();
        builder.Append(out, document.pages[n], n > 0);
        Write(file, out, fileName);
    }
    Write(file, "}\n", fileName);
    if (!file.commit()) ThrowWriteError(fileName);
}

}  // namespace vx::reports
