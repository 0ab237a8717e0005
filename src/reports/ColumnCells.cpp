#include "reports/ColumnCells.h"

#include "columns/ListColumns.h"
#include "reports/ABSReportForm.h"
#include "widgets/QtText.h"

#include <algorithm>

namespace vx::reports {

WColumnCells::WColumnCells(WReportBand& detail, WReportBand& headings, const Layout& layout)
    : detail_(detail), headings_(headings), layout_(layout), nextLeft_(layout.startLeft) {}

bool WColumnCells::Add(const QString& caption, double width) {
    if (static_cast<int>(cells_.size()) >= kMaxCells) return false;
    bool wrapped = false;
    // A row always takes at least one column, however wide.
    if (width + nextLeft_ + kGap > kPrintableWidth && nextLeft_ > layout_.startLeft) {
        nextLeft_ = layout_.startLeft;
        ++rows_;
        detail_.height += layout_.rowHeight;
        headings_.height += layout_.rowHeight;
        for (const auto& rule : headings_.Rules())
            rule->geometry.translate(0, layout_.rowHeight);
        wrapped = true;
    }
    const double shown = std::max(0.0, std::min(width, kPrintableWidth - nextLeft_));
    const double rowOffset = (rows_ - 1) * layout_.rowHeight;
    const FontSpec font = TABSReportForm::Arial(8);
    cells_.push_back(
        detail_.AddLabel(QRectF(nextLeft_, layout_.valueTop + rowOffset, shown, layout_.cellHeight),
                         QString(), font));
    FontSpec headingFont = font;
    headingFont.bold = true;
    headings_.AddLabel(QRectF(nextLeft_, layout_.headingTop + rowOffset, shown, layout_.cellHeight),
                       caption, headingFont);
    nextLeft_ += width + kGap;
    return wrapped;
}

QString WColumnCells::CellText(const WListColumns& columns, int column, int32_t individual) {
    std::string text = columns.CellText(column, individual, 1);
    if (columns.ColumnTabStops(column))
        text.erase(std::remove(text.begin(), text.end(), '\t'), text.end());
    return ToQt(text);
}

}  // namespace vx::reports
