#include "reports/ReportDesForm.h"

#include "analysis/DesIterator.h"
#include "columns/ListColumns.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"

#include <algorithm>

namespace vx::reports {

namespace {
const QColor kDividerGrey(128, 128, 128);
// Page units per step of the indent amount: the default 8 indents each
// generation by a quarter of an inch.
constexpr double kIndentUnit = 3.0;
// The least width a deeply indented line keeps for its text.
constexpr double kMinLineWidth = 240.0;
// Room between the line and the column area, and the line's height.
constexpr double kColumnGap = 8.0;
constexpr double kLineHeight = 12.0;
}  // namespace

TReportDesForm::TReportDesForm() {
    headings_ = PageHeader().AddChild(rowHeight_ + 2);
    labCaption_ = headings_->AddLabel(QRectF(0, 0, kPrintableWidth, 12),
                                      QStringLiteral("Descendants"), Arial(8, true));
    detail_ = AddBand(rowHeight_);
    labLine_ = detail_->AddLabel(QRectF(0, 0, kPrintableWidth, 12), QString(), Arial(8));
    vertLine_ = detail_->AddRule(QRectF(0, 0, 0, rowHeight_), RuleKind::Vertical);
    vertLine_->visible = false;
    detail_->needData = [this](bool& more) { DeliverRow(more); };
    onBeforePrint = [this] {
        if (!list_) list_ = std::make_unique<WDesIterator>();
        cursor_ = 1;
    };
}

TReportDesForm::~TReportDesForm() = default;

void TReportDesForm::SetOptions(int indentAmount, int generationLimit, bool dividerLines,
                                bool printColumns, int columnAreaWidth, bool repeatIndividuals) {
    indentAmount_ = indentAmount;
    generationLimit_ = generationLimit;
    repeatIndividuals_ = repeatIndividuals;
    printColumns_ = printColumns;
    columnAreaLeft_ = printColumns ? columnAreaWidth * 10.0 : kPrintableWidth;
    vertLine_->visible = printColumns;
    vertLine_->geometry = QRectF(columnAreaLeft_ - 4, 0, 0, detail_->height);
    if (dividerLines) {
        rowHeight_ = 18;
        cellOffset_ = 2;
        detail_->height = rowHeight_;
        detail_->bottomFrame = true;
        detail_->frameColour = kDividerGrey;
        detail_->frameDotted = true;
    }
    labLine_->geometry = QRectF(0, cellOffset_, columnAreaLeft_ - kColumnGap, kLineHeight);
    labCaption_->geometry = QRectF(0, 0, columnAreaLeft_ - kColumnGap, kLineHeight);
}

void TReportDesForm::SetCollection(WABSCollection* collection) {
    TABSReportForm::SetCollection(collection);
    if (!list_) list_ = std::make_unique<WDesIterator>();
    list_->SetCollection(collection);
}

void TReportDesForm::SetColumns(WListColumns* columns) {
    if (!columns) return;
    columns_ = columns;
    if (!printColumns_) return;
    WColumnCells::Layout layout;
    layout.startLeft = columnAreaLeft_;
    layout.rowHeight = rowHeight_;
    layout.valueTop = cellOffset_;
    layout.headingTop = 0;
    cells_ = std::make_unique<WColumnCells>(*detail_, *headings_, layout);
    for (int column = 1; column <= columns->ColumnCount(); ++column)
        cells_->Add(Text(columns->ColumnCaption(column, false)), columns->ColumnWidth(column));
    detail_->height = cells_->Rows() * rowHeight_;
    vertLine_->geometry.setHeight(detail_->height);
}

void TReportDesForm::SetIndividual(int32_t individual) {
    TABSReportForm::SetIndividual(individual);
    if (individual <= 0 || !collection_) return;
    SetTitle(QStringLiteral("Descendants of ") + Text(collection_->FullNameOf(individual)));
    if (!list_) {
        list_ = std::make_unique<WDesIterator>();
        list_->SetCollection(collection_);
    }
    list_->BuildDescendants(individual, generationLimit_, repeatIndividuals_);
}

void TReportDesForm::DeliverRow(bool& more) {
    if (!collection_ || !list_) return;
    // An entry whose individual cannot be read is passed over.
    DesRow row{};
    std::unique_ptr<WABSIndividual> person;
    while (!person && list_->Count() >= cursor_) {
        row = list_->Row(cursor_);
        ++cursor_;
        person = PersonAt(row.individual);
    }
    if (!person) return;

    // Every generation steps in by the same distance, measured rather than
    // made of blanks; the deepest lines keep room for their text.
    const double lineWidth = columnAreaLeft_ - kColumnGap;
    const double indent = std::min(row.generation * indentAmount_ * kIndentUnit,
                                   std::max(lineWidth - kMinLineWidth, 0.0));
    labLine_->geometry = QRectF(indent, cellOffset_, lineWidth - indent, kLineHeight);
    std::string line = std::to_string(row.generation + 1) + " - " + person->DisplayName();
    if (row.duplicate) {
        line += " (DUPLICATED)";
    } else if (row.marriageCount != 0 && row.spouse != 0) {
        std::string spouse = collection_->DisplayNameOf(row.spouse);
        if (row.marriageCount > 1)
            spouse += " [" + std::to_string(row.marriage) + " of " +
                      std::to_string(row.marriageCount) + "]";
        if (!spouse.empty()) line += " + " + spouse;
    }
    labLine_->text = Text(line);

    if (cells_ && columns_) {
        const auto& cells = cells_->Cells();
        for (size_t i = 0; i < cells.size(); ++i)
            cells[i]->text =
                WColumnCells::CellText(*columns_, static_cast<int>(i) + 1, row.individual);
    }
    more = true;
}

}  // namespace vx::reports
