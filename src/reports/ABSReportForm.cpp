#include "reports/ABSReportForm.h"

#include <algorithm>

#include "gedcom/ABSCollection.h"
#include "records/Individual.h"
#include "records/Marriage.h"
#include "widgets/QtText.h"

#include <QDateTime>
#include <QLocale>

namespace vx::reports {

namespace {
constexpr double kHeaderHeight = 45;
constexpr double kTitleTop = 6;
constexpr double kTitleHeight = 22;
constexpr double kDoubleLineTop = 36;
// A longer title is cut with an ellipsis on its last line.
constexpr size_t kMaxTitleLines = 4;
constexpr double kFooterHeight = 35;
}  // namespace

FontSpec TABSReportForm::Arial(double points, bool bold) {
    FontSpec font;
    font.pointSize = points;
    font.bold = bold;
    return font;
}

TABSReportForm::TABSReportForm() {
    WReportBand& header = PageHeader();
    header.height = kHeaderHeight;
    labTitle_ = header.AddLabel(QRectF(0, kTitleTop, kPrintableWidth, kTitleHeight), QString(),
                                Arial(12, true), HAlign::Centre);
    labTitle_->wordWrap = true;
    doubleLine_ =
        header.AddRule(QRectF(0, kDoubleLineTop, kPrintableWidth, 3), RuleKind::DoubleHorizontal);

    WReportBand& footer = PageFooter();
    footer.height = kFooterHeight;
    footer.AddRule(QRectF(0, 4, kPrintableWidth, 0), RuleKind::Horizontal);
    footer.AddLabel(QRectF(0, 8, 200, 10), QStringLiteral("Printed by Vellacor"), Arial(6));
    labFooterPage_ = footer.AddLabel(QRectF(210, 7, 300, 12), QString(), Arial(8), HAlign::Centre);
    labFooterDate_ = footer.AddLabel(QRectF(520, 8, 200, 10), QString(), Arial(6), HAlign::Right);
    labFooterFileName_ = footer.AddLabel(QRectF(0, 20, kPrintableWidth, 10), QString(), Arial(6));

    onStartPage = [this] { SetFooterTexts(); };
}

TABSReportForm::~TABSReportForm() = default;

void TABSReportForm::SetTitle(const QString& title) {
    title_ = title;
    ShowTitleText(title);
    SetDocumentTitle(title);
}

void TABSReportForm::ShowTitleText(const QString& text) {
    labTitle_->text = text;
    const size_t lines = std::clamp<size_t>(WrapText(text, labTitle_->font, kPrintableWidth).size(),
                                            1, kMaxTitleLines);
    const double extra = static_cast<double>(lines - 1) * LineHeight(labTitle_->font);
    labTitle_->geometry.setHeight(kTitleHeight + extra);
    doubleLine_->geometry.moveTop(kDoubleLineTop + extra);
    PageHeader().height = kHeaderHeight + extra;
}

void TABSReportForm::SetFileTitle(const QString& fileTitle) {
    fileTitle_ = fileTitle;
}

void TABSReportForm::SetCollection(WABSCollection* collection) {
    collection_ = collection;
}

void TABSReportForm::SetIndividual(int32_t individual) {
    individual_ = individual;
}

std::unique_ptr<WABSIndividual> TABSReportForm::PersonAt(int32_t n) const {
    if (!collection_ || n < 1 || n > collection_->IndividualCount()) return nullptr;
    return collection_->Individual(n);
}

std::unique_ptr<WABSMarriage> TABSReportForm::FamilyAt(int32_t f) const {
    if (!collection_ || f < 1 || f > collection_->FamilyCount()) return nullptr;
    return collection_->Family(f);
}

QString TABSReportForm::Text(const std::string& text) {
    return ToQt(text);
}

void TABSReportForm::SetFooterTexts() {
    if (PageNumber() == 1 || startTime_.isEmpty())
        startTime_ = fixedTime_.isEmpty()
                         ? QLocale::c().toString(QDateTime::currentDateTime(),
                                                 QStringLiteral("d MMM yyyy hh:mm AP"))
                         : fixedTime_;
    labFooterPage_->text = QStringLiteral("Page %1").arg(PageNumber());
    labFooterDate_->text = startTime_;
    labFooterFileName_->text = QStringLiteral("File: ") + fileTitle_;
}

}  // namespace vx::reports
