// A laid-out report: pages of drawing operations in page units. The engine
// lays a report out once; every output (preview, printer, PDF, images, HTML,
// RTF, EMF) renders the same list, so they all show the same pages.
//
// Page units are 1/96 inch. A Letter page is 816 x 1056 units; the printable
// area inside the half-inch margins starts at (48, 48) and is 720 x 960.
#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>

#include <vector>

namespace vx::reports {

inline constexpr double kUnitsPerInch = 96.0;

struct FontSpec {
    QString family = QStringLiteral("Arial");
    double pointSize = 10.0;  // typographic points (1/72 inch)
    bool bold = false;
    bool underline = false;

    // Height of the type in page units (points at 96 units per inch).
    double PixelSize() const { return pointSize * kUnitsPerInch / 72.0; }
    // A "n-pixel" font of the report layouts, n in page units.
    static FontSpec Pixels(double pixels, bool bold = false,
                           const QString& family = QStringLiteral("Arial"));
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

enum class HAlign { Left, Centre, Right };

enum class DrawKind {
    Text,  // one line of text in `rect`, aligned by `align`; never wrapped
    Line,  // from rect.topLeft() to rect.bottomRight()
    Rect,  // an outline
    Fill,  // a filled rectangle without outline
    Image  // `image` scaled into `rect`
};

struct DrawOp {
    DrawKind kind = DrawKind::Text;
    QRectF rect;  // page units, from the top-left corner of the paper
    QString text;
    FontSpec font;
    HAlign align = HAlign::Left;
    QColor colour = Qt::black;  // text, line, outline or fill colour
    double penWidth = 1.0;      // page units
    bool dotted = false;
    QImage image;
};

struct ReportPage {
    std::vector<DrawOp> ops;
};

struct ReportDocument {
    double pageWidth = 8.5 * kUnitsPerInch;
    double pageHeight = 11.0 * kUnitsPerInch;
    QString title;  // for document properties (PDF title, HTML title)
    std::vector<ReportPage> pages;
};

}  // namespace vx::reports
