#include "reports/ReportIslandForm.h"

#include "analysis/Islands.h"
#include "app/TextUtil.h"
#include "gedcom/ABSCollection.h"

namespace vx::reports {

namespace {

const QColor kLightGrey(224, 224, 224);

struct IslandColumn {
    const char* caption;
    double left;
    double width;
    HAlign align;
};

constexpr IslandColumn kColumns[] = {
    {"#", 0, 57, HAlign::Right},
    {"Individuals", 64, 73, HAlign::Right},
    {"Families", 144, 73, HAlign::Right},
    {"1st individual in island", 224, 489, HAlign::Left},
};

}  // namespace

TReportIslandForm::TReportIslandForm() {
    WReportBand* headings = PageHeader().AddChild(18);
    for (const IslandColumn& column : kColumns)
        headings->AddLabel(QRectF(column.left, 2, column.width, 15),
                           QString::fromLatin1(column.caption), FontSpec::Pixels(12, true),
                           column.align);
    headings->AddRule(QRectF(0, 17, kPrintableWidth, 0), RuleKind::Horizontal);

    detail_ = AddBand(16);
    WReportLabel** labels[] = {&labNo_, &labInd_, &labMar_, &labFirst_};
    for (size_t i = 0; i < std::size(kColumns); ++i)
        *labels[i] = detail_->AddLabel(QRectF(kColumns[i].left, 1, kColumns[i].width, 15),
                                       QString(), FontSpec::Pixels(12), kColumns[i].align);
    detail_->needData = [this](bool& more) { DeliverRow(more); };
    onBeforePrint = [this] { cursor_ = 1; };
}

void TReportIslandForm::SetOptions(bool greyLines, bool dividerLines) {
    greyLines_ = greyLines;
    detail_->bottomFrame = dividerLines;
    detail_->frameColour = Qt::black;
    detail_->frameDotted = true;
}

void TReportIslandForm::DeliverRow(bool& more) {
    if (!collection_ || !islands_ || islands_->ComputeIslands() < cursor_) return;
    detail_->colour = greyLines_ && cursor_ % 2 == 1 ? kLightGrey : QColor();
    labNo_->text = Text(FormatThousands(cursor_));
    labInd_->text = Text(FormatThousands(islands_->IslandIndividuals(cursor_)));
    labMar_->text = Text(FormatThousands(islands_->IslandFamilies(cursor_)));
    labFirst_->text = Text(collection_->DisplayNameOf(islands_->IslandFirstIndividual(cursor_)));
    ++cursor_;
    more = true;
}

}  // namespace vx::reports
