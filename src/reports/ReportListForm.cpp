#include "reports/ReportListForm.h"

#include "app/Options.h"
#include "columns/ColSortIterator.h"
#include "columns/ListColumns.h"
#include "highlight/HLGroup.h"

#include <cmath>

namespace vx::reports {

namespace {

constexpr double kRowHeight = 15;
// Room added below the rows once there are several rows per individual or
// divider lines, so the rows do not touch.
constexpr double kExtraHeight = 4;
const QColor kLightGrey(224, 224, 224);
const QColor kDividerGrey(128, 128, 128);

}  // namespace

TReportListForm::TReportListForm() {
    doubleLine_->visible = false;
    detail_ = AddBand(kRowHeight);
    headings_ = PageHeader().AddChild(kRowHeight + 4);
    headings_->AddRule(QRectF(0, kRowHeight, kPrintableWidth, 2), RuleKind::DoubleHorizontal);
    labHLInd_ = detail_->AddLabel(QRectF(0, 1, 5, 12), QString(), Arial(8));
    WColumnCells::Layout layout;
    layout.startLeft = 5;
    layout.rowHeight = kRowHeight;
    layout.valueTop = 1;
    layout.headingTop = 1;
    cells_ = std::make_unique<WColumnCells>(*detail_, *headings_, layout);
    detail_->needData = [this](bool& more) { DeliverRow(more); };
    onBeforePrint = [this] { cursor_ = 1; };
}

void TReportListForm::AddExtraHeight() {
    if (extraHeightAdded_) return;
    extraHeightAdded_ = true;
    detail_->height += kExtraHeight;
}

void TReportListForm::SetOptions(bool greyLines, bool dividerLines, bool markHighlighted) {
    greyLines_ = greyLines;
    markHighlighted_ = markHighlighted;
    if (dividerLines) {
        detail_->bottomFrame = true;
        detail_->frameColour = kDividerGrey;
        detail_->frameDotted = true;
        AddExtraHeight();
    }
}

void TReportListForm::SetHighlightGroup(WHLGroup* group, int listKind) {
    group_ = group;
    if (group && listKind == 1)
        ShowTitleText(QStringLiteral("Individuals: ") + Text(group->Describe()));
}

void TReportListForm::SetColumns(WListColumns* columns, WColSortIterator* list) {
    if (!columns || !list) return;
    columns_ = columns;
    list_ = list;
    // The stored widths are the same at every screen font size.
    for (int column = 1; column <= columns->ColumnCount(); ++column) {
        const double width = columns->ColumnWidth(column);
        if (cells_->Add(Text(columns->ColumnCaption(column, false)), width)) AddExtraHeight();
    }
}

void TReportListForm::DeliverRow(bool& more) {
    if (!collection_ || !list_ || !columns_ || list_->Count() < cursor_) return;
    const bool grey = greyLines_ && cursor_ % 2 == 1;
    detail_->colour = grey ? kLightGrey : QColor();
    const int32_t n = list_->ItemID(cursor_);
    const auto& cells = cells_->Cells();
    for (size_t i = 0; i < cells.size(); ++i)
        cells[i]->text = WColumnCells::CellText(*columns_, static_cast<int>(i) + 1, n);
    const bool marked = markHighlighted_ && group_ && group_->IsHighlighted(n);
    labHLInd_->text = marked ? QStringLiteral("*") : QString();
    ++cursor_;
    more = true;
}

}  // namespace vx::reports
