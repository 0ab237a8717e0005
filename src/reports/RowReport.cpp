#include "reports/RowReport.h"

namespace vx::reports {

namespace {
constexpr size_t kMaxCells = 12;
}

TRowReportForm::TRowReportForm() {
    band_ = AddBand(16);
    for (size_t i = 0; i < kMaxCells; ++i)
        labels_.push_back(band_->AddLabel(QRectF(), QString(), Arial(9)));
    rule_ = band_->AddRule(QRectF(0, 0, kPrintableWidth, 0), RuleKind::Horizontal);
    rule_->colour = QColor(128, 128, 128);
    band_->needData = [this](bool& more) { DeliverRow(more); };
    onBeforePrint = [this] {
        rows_.clear();
        cursor_ = 0;
        if (collection_) BuildRows(rows_);
    };
}

void TRowReportForm::DeliverRow(bool& more) {
    if (cursor_ >= rows_.size()) return;
    const ReportRow& row = rows_[cursor_++];
    if (row.keepHeight > 0) KeepTogether(row.keepHeight);
    band_->height = row.height;
    band_->colour = row.background;
    for (size_t i = 0; i < labels_.size(); ++i) {
        WReportLabel& label = *labels_[i];
        label.visible = i < row.cells.size();
        if (!label.visible) continue;
        const ReportCell& cell = row.cells[i];
        label.text = cell.text;
        label.font = cell.font;
        label.align = cell.align;
        label.wordWrap = cell.wrap;
        label.autoStretch = cell.wrap;
        label.geometry = QRectF(cell.left, row.textTop, cell.width, row.height - row.textTop);
    }
    rule_->visible = row.ruleBelow;
    rule_->geometry = QRectF(0, row.height - 1, kPrintableWidth, 0);
    more = true;
}

ReportRow TRowReportForm::Heading(const QString& text) {
    ReportRow row;
    // Room above a heading sets its section apart from the one before.
    row.height = 30;
    row.textTop = 10;
    ReportCell cell{text, 0, kPrintableWidth, Arial(10, true), HAlign::Centre, false};
    row.cells.push_back(cell);
    row.ruleBelow = true;
    return row;
}

ReportRow TRowReportForm::ColumnCaptions(const QString& left, const QString& right,
                                         double valueLeft) {
    ReportRow row;
    row.height = 16;
    row.cells.push_back({left, 0, valueLeft - 8, Arial(9, true), HAlign::Left, false});
    row.cells.push_back(
        {right, valueLeft, kPrintableWidth - valueLeft, Arial(9, true), HAlign::Left, false});
    return row;
}

ReportRow TRowReportForm::Spacer(double height) {
    ReportRow row;
    row.height = height;
    return row;
}

ReportRow TRowReportForm::CaptionValue(const QString& caption, const QString& value,
                                       double valueLeft, bool boldValue) {
    ReportRow row;
    row.height = 16;
    row.cells.push_back({caption, 0, valueLeft - 8, Arial(9), HAlign::Left, false});
    row.cells.push_back(
        {value, valueLeft, kPrintableWidth - valueLeft, Arial(9, boldValue), HAlign::Left, true});
    return row;
}

}  // namespace vx::reports
