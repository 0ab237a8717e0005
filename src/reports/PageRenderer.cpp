#include "reports/PageRenderer.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPen>

namespace vx::reports {

QFont ToQFont(const FontSpec& wanted, double deviceDpi) {
    QFont font(wanted.family);
    // The painter is scaled from page units to the device, so the font is
    // sized in page units: its point size is corrected for the device's
    // own resolution, which Qt applies on top of the scale.
    font.setPointSizeF(wanted.pointSize * kUnitsPerInch / deviceDpi);
    font.setBold(wanted.bold);
    font.setUnderline(wanted.underline);
    // Outlines without hinting measure the same on every device, so the
    // texts cut to fit on the 96-dpi layout still fit when printed.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

namespace {

Qt::Alignment ToQtAlignment(HAlign align) {
    switch (align) {
        case HAlign::Centre:
            return Qt::AlignHCenter;
        case HAlign::Right:
            return Qt::AlignRight;
        case HAlign::Left:
            break;
    }
    return Qt::AlignLeft;
}

QPen PenFor(const DrawOp& op) {
    QPen pen(op.colour);
    pen.setWidthF(op.penWidth);
    pen.setStyle(op.dotted ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

}  // namespace

void RenderPage(QPainter& painter, const ReportPage& page, double deviceDpi) {
    painter.save();
    const double scale = deviceDpi / kUnitsPerInch;
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const double fontDpi = painter.device() ? painter.device()->logicalDpiY() : kUnitsPerInch;

    const FontSpec* currentFont = nullptr;
    for (const DrawOp& op : page.ops) {
        switch (op.kind) {
            case DrawKind::Text:
                if (!currentFont || !(*currentFont == op.font)) {
                    painter.setFont(ToQFont(op.font, fontDpi));
                    currentFont = &op.font;
                }
                painter.setPen(op.colour);
                painter.drawText(op.rect, ToQtAlignment(op.align) | Qt::AlignTop | Qt::TextDontClip,
                                 op.text);
                break;
            case DrawKind::Line:
                painter.setPen(PenFor(op));
                painter.drawLine(op.rect.topLeft(), op.rect.bottomRight());
                break;
            case DrawKind::Rect:
                painter.setPen(PenFor(op));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(op.rect);
                break;
            case DrawKind::Fill:
                painter.fillRect(op.rect, op.colour);
                break;
            case DrawKind::Image:
                painter.drawImage(op.rect, op.image);
                break;
        }
    }
    painter.restore();
}

}  // namespace vx::reports
