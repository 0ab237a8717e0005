#include "reports/ReportEngine.h"

#include "reports/ExportFilters.h"
#include "reports/PageRenderer.h"
#include "reports/PreviewWindow.h"
#include "reports/ReportPrinter.h"
#include "reports/ReportProgress.h"

#include <QFontMetricsF>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <deque>

namespace vx::reports {

// ---------------------------------------------------------------- bands ---

WReportLabel* WReportBand::AddLabel(const QRectF& geometry, const QString& text,
                                    const FontSpec& font, HAlign align) {
    auto label = std::make_unique<WReportLabel>();
    label->geometry = geometry;
    label->text = text;
    label->font = font;
    label->align = align;
    labels_.push_back(std::move(label));
    return labels_.back().get();
}

WReportRule* WReportBand::AddRule(const QRectF& geometry, RuleKind kind) {
    auto rule = std::make_unique<WReportRule>();
    rule->geometry = geometry;
    rule->kind = kind;
    rules_.push_back(std::move(rule));
    return rules_.back().get();
}

WReportBand* WReportBand::AddChild(double childHeight) {
    child = std::make_unique<WReportBand>();
    child->height = childHeight;
    return child.get();
}

// ------------------------------------------------------------ measuring ---

namespace {

// Texts are measured on a 96-dpi image: one device pixel is one page unit.
const QImage& MeasuringDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = static_cast<int>(std::lround(kUnitsPerInch / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

// Metrics of the few fonts the reports use, kept so that measuring a text
// does not build a font each time. A deque keeps earlier entries in place,
// so a caller may hold one while another font is added.
const QFontMetricsF& MetricsFor(const FontSpec& font) {
    struct Entry {
        FontSpec font;
        QFontMetricsF metrics;
    };
    static std::deque<Entry> cache;
    for (const Entry& entry : cache)
        if (entry.font == font) return entry.metrics;
    cache.push_back({font, QFontMetricsF(ToQFont(font), &MeasuringDevice())});
    return cache.back().metrics;
}

// The horizontal ellipsis that ends a cut text.
constexpr char16_t kEllipsis = 0x2026;
// How far a line may reach past its limit and still count as fitting.
constexpr double kLineSlack = 0.5;

QString SingleLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

}  // namespace

double WReportEngine::TextWidth(const QString& text, const FontSpec& font) {
    return MetricsFor(font).horizontalAdvance(text);
}

double WReportEngine::LineHeight(const FontSpec& font) {
    return MetricsFor(font).height();
}

QString WReportEngine::FitText(const QString& text, const FontSpec& font, double width) {
    const QFontMetricsF& metrics = MetricsFor(font);
    if (metrics.horizontalAdvance(text) <= width) return text;
    // The longest beginning narrower than the cell.
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(middle)) < width)
            low = middle;
        else
            high = middle - 1;
    }
    return text.left(low);
}

QString WReportEngine::ElideText(const QString& text, const FontSpec& font, double width) {
    if (MetricsFor(font).horizontalAdvance(text) <= width) return text;
    const QString ellipsis{QChar(kEllipsis)};
    const double room = width - MetricsFor(font).horizontalAdvance(ellipsis);
    if (room <= 0) return FitText(text, font, width);
    // No blank is left hanging before the mark.
    return FitText(text, font, room).trimmed() + ellipsis;
}

std::vector<QString> WReportEngine::WrapText(const QString& text, const FontSpec& font,
                                             double width) {
    std::vector<QString> lines;
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QFontMetricsF& metrics = MetricsFor(font);
    for (const QString& paragraph : normalised.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '))) {
            QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (metrics.horizontalAdvance(candidate) <= width) {
                line = candidate;
                continue;
            }
            if (!line.isEmpty()) lines.push_back(line);
            // A word wider than the whole line is broken where it must be.
            QString rest = word;
            while (metrics.horizontalAdvance(rest) > width) {
                QString piece = FitText(rest, font, width);
                if (piece.isEmpty()) piece = rest.left(1);
                lines.push_back(piece);
                rest = rest.mid(piece.size());
            }
            line = rest;
        }
        lines.push_back(line);
    }
    return lines;
}

// --------------------------------------------------------------- layout ---

WReportEngine::WReportEngine() = default;
WReportEngine::~WReportEngine() = default;

WReportBand* WReportEngine::AddBand(double height) {
    bands_.push_back(std::make_unique<WReportBand>());
    bands_.back()->height = height;
    return bands_.back().get();
}

void WReportEngine::ClearPrepared() {
    document_.pages.clear();
    prepared_ = false;
}

double WReportEngine::BodyBottom() const {
    const double footer = pageFooter_.enabled ? pageFooter_.height : 0;
    return document_.pageHeight - kMargin - footer;
}

double WReportEngine::BandHeight(const WReportBand& band) const {
    double height = band.height;
    for (const auto& label : band.Labels()) {
        if (!label->visible || !label->wordWrap || !label->autoStretch) continue;
        const auto lines = WrapText(label->text, label->font, label->geometry.width());
        const double needed =
            label->geometry.top() + static_cast<double>(lines.size()) * LineHeight(label->font);
        height = std::max(height, needed);
    }
    return height;
}

void WReportEngine::EmitLabel(const WReportLabel& label, double left, double top,
                              double bottomLimit) {
    ReportPage& page = document_.pages.back();
    const QRectF area = label.geometry.translated(left, top);
    if (label.background.isValid()) {
        DrawOp fill;
        fill.kind = DrawKind::Fill;
        fill.rect = area;
        fill.colour = label.background;
        page.ops.push_back(fill);
    }
    if (label.text.isEmpty()) return;
    DrawOp text;
    text.kind = DrawKind::Text;
    text.font = label.font;
    text.align = label.align;
    text.colour = label.colour;
    const double lineHeight = LineHeight(label.font);
    if (!label.wordWrap) {
        // A single-line label never spills into its neighbours; a cut
        // text ends with an ellipsis.
        text.text = ElideText(SingleLine(label.text), label.font, area.width());
        text.rect = QRectF(area.left(), area.top(), area.width(), lineHeight);
        page.ops.push_back(text);
        return;
    }
    const double limit = label.autoStretch ? bottomLimit : std::min(bottomLimit, area.bottom());
    const std::vector<QString> lines = WrapText(label.text, label.font, area.width());
    // What does not fit is cut at a whole line, and the last line shown
    // ends with an ellipsis.
    const size_t room = static_cast<size_t>(
        std::max(0.0, std::floor((limit + kLineSlack - area.top()) / lineHeight)));
    const size_t shown = std::min(lines.size(), room);
    double y = area.top();
    for (size_t i = 0; i < shown; ++i) {
        text.text = lines[i];
        if (i + 1 == shown && shown < lines.size())
            text.text =
                ElideText(lines[i] + QLatin1Char(' ') + lines[i + 1], label.font, area.width());
        text.rect = QRectF(area.left(), y, area.width(), lineHeight);
        page.ops.push_back(text);
        y += lineHeight;
    }
}

void WReportEngine::EmitRule(const WReportRule& rule, double left, double top) {
    const QRectF area = rule.geometry.translated(left, top);
    DrawOp op;
    op.colour = rule.colour;
    op.penWidth = rule.penWidth;
    op.dotted = rule.dotted;
    ReportPage& page = document_.pages.back();
    switch (rule.kind) {
        case RuleKind::Horizontal:
            op.kind = DrawKind::Line;
            op.rect = QRectF(area.left(), area.top(), area.width(), 0);
            page.ops.push_back(op);
            break;
        case RuleKind::Vertical:
            op.kind = DrawKind::Line;
            op.rect = QRectF(area.left(), area.top(), 0, area.height());
            page.ops.push_back(op);
            break;
        case RuleKind::Box:
            op.kind = DrawKind::Rect;
            op.rect = area;
            page.ops.push_back(op);
            break;
        case RuleKind::DoubleHorizontal:
            op.kind = DrawKind::Line;
            op.rect = QRectF(area.left(), area.top(), area.width(), 0);
            page.ops.push_back(op);
            op.rect.translate(0, std::max(2.0, area.height()));
            page.ops.push_back(op);
            break;
    }
}

void WReportEngine::EmitBand(const WReportBand& band, double top, double height) {
    ReportPage& page = document_.pages.back();
    if (band.colour.isValid()) {
        DrawOp fill;
        fill.kind = DrawKind::Fill;
        fill.rect = QRectF(kMargin, top, kPrintableWidth, height);
        fill.colour = band.colour;
        page.ops.push_back(fill);
    }
    for (const auto& label : band.Labels())
        if (label->visible) EmitLabel(*label, kMargin, top, top + height);
    for (const auto& rule : band.Rules())
        if (rule->visible) EmitRule(*rule, kMargin, top);
    if (band.bottomFrame) {
        DrawOp line;
        line.kind = DrawKind::Line;
        line.rect = QRectF(kMargin, top + height - 0.5, kPrintableWidth, 0);
        line.colour = band.frameColour;
        line.dotted = band.frameDotted;
        page.ops.push_back(line);
    }
}

void WReportEngine::StartPage() {
    document_.pages.emplace_back();
    ++pageNumber_;
    if (onStartPage) onStartPage();
    cursorY_ = kMargin;
    if (pageHeader_.enabled) {
        EmitBand(pageHeader_, cursorY_, pageHeader_.height);
        cursorY_ += pageHeader_.height;
        if (pageHeader_.child && pageHeader_.child->enabled) {
            EmitBand(*pageHeader_.child, cursorY_, pageHeader_.child->height);
            cursorY_ += pageHeader_.child->height;
        }
    }
    bodyTop_ = cursorY_;
}

void WReportEngine::FinishPage() {
    if (pageFooter_.enabled) EmitBand(pageFooter_, BodyBottom(), pageFooter_.height);
    if (progress_ && !progress_(static_cast<int>(document_.pages.size()))) cancelled_ = true;
}

void WReportEngine::PrintBand(WReportBand& band) {
    const double height = BandHeight(band);
    if (cursorY_ + height > BodyBottom() + 0.01 && cursorY_ > bodyTop_) {
        FinishPage();
        StartPage();
    }
    // A band taller than a whole page is cut at the page's end.
    const double shown = std::min(height, BodyBottom() - cursorY_);
    EmitBand(band, cursorY_, shown);
    cursorY_ += shown;
}

void WReportEngine::KeepTogether(double height) {
    if (document_.pages.empty()) return;
    const bool fitsHere = cursorY_ + height <= BodyBottom() + 0.01;
    const bool fitsAPage = height <= BodyBottom() - bodyTop_;
    if (!fitsHere && fitsAPage && cursorY_ > bodyTop_) {
        FinishPage();
        StartPage();
    }
}

void WReportEngine::PrintBandWithChild(WReportBand& band) {
    PrintBand(band);
    if (band.child && band.child->enabled) PrintBand(*band.child);
}

bool WReportEngine::RunBody() {
    for (const auto& bandPointer : bands_) {
        WReportBand& band = *bandPointer;
        if (!band.enabled) continue;
        if (!band.needData) {
            bool print = true;
            if (band.beforePrint) band.beforePrint(print);
            if (print) PrintBandWithChild(band);
            continue;
        }
        // A repeating band prints one row per "more"; a band that has no
        // row at all prints nothing (not even an empty row).
        for (;;) {
            bool more = false;
            band.needData(more);
            if (!more || cancelled_) break;
            bool print = true;
            if (band.beforePrint) band.beforePrint(print);
            if (print) PrintBandWithChild(band);
        }
        if (cancelled_) return false;
    }
    return !cancelled_;
}

bool WReportEngine::Prepare(const ProgressCallback& progress) {
    ClearPrepared();
    progress_ = progress;
    cancelled_ = false;
    pageNumber_ = 0;
    if (onBeforePrint) onBeforePrint();
    StartPage();
    const bool finished = RunBody();
    if (finished) FinishPage();
    if (onAfterPrint) onAfterPrint();
    progress_ = nullptr;
    if (!finished || cancelled_) {
        ClearPrepared();
        return false;
    }
    prepared_ = true;
    return true;
}

// -------------------------------------------------------------- outputs ---

bool WReportEngine::Print(QWidget* parent) {
    {
        WReportProgress window(parent, QStringLiteral("Printing"));
        if (!Prepare(window.Callback())) return false;
    }
    const bool printed = PrintDocument(document_, parent);
    ClearPrepared();
    return printed;
}

bool WReportEngine::Preview(QWidget* parent) {
    {
        WReportProgress window(parent, QStringLiteral("Preview"));
        if (!Prepare(window.Callback())) return false;
    }
    WPreviewWindow preview(document_, parent);
    preview.exec();
    ClearPrepared();
    return true;
}

void WReportEngine::ExportToFilter(WExportFilter& filter) {
    if (!prepared_) Prepare();
    filter.Write(document_);
}

}  // namespace vx::reports
