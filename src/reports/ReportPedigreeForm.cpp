#include "reports/ReportPedigreeForm.h"

#include "app/Options.h"
#include "gedcom/ABSCollection.h"
#include "records/Event.h"
#include "records/Individual.h"
#include "records/Marriage.h"

namespace vx::reports {

// ------------------------------------------------------- chart machinery ---

TReportPedigreeForm::TReportPedigreeForm() : useLds_(WOptions::GetFlag(opt::kUseLDS)) {}

void TReportPedigreeForm::SetCollection(WABSCollection* collection) {
    TABSReportForm::SetCollection(collection);
    if (!collection) return;
    const size_t count = static_cast<size_t>(collection->IndividualCount()) + 1;
    printedPosition_.assign(count, 0);
    printedChart_.assign(count, 0);
}

bool TReportPedigreeForm::Expandable(int32_t n) const {
    return n >= 1 && static_cast<size_t>(n) < printedPosition_.size() && printedPosition_[n] == 0;
}

int32_t TReportPedigreeForm::FamilyOfPosition(int position) const {
    return position == 1 ? families_[1] : families_[position / 2 + 1];
}

void TReportPedigreeForm::StartCharts() {
    currentChart_ = 0;
    nextChart_ = 1;
    currentFamily_ = initialSpouseFamily_;
    std::fill(printedPosition_.begin(), printedPosition_.end(), 0);
    std::fill(printedChart_.begin(), printedChart_.end(), 0);
    queue_.clear();
    queue_.emplace_back(individual_, currentFamily_);
    PrepareChart();
}

void TReportPedigreeForm::PrepareChart() {
    chartRoot_ = 0;
    if (!collection_ || queue_.empty()) return;
    const WABSCollection& collection = *collection_;
    std::tie(chartRoot_, currentFamily_) = queue_.front();
    queue_.pop_front();
    families_.fill(0);
    families_[1] = currentFamily_;
    ++currentChart_;
    positions_.fill(0);
    positions_[1] = chartRoot_;

    // Each parent is placed; its own parents only when it was not printed
    // on an earlier chart.
    auto placeParents = [&](int child) {
        positions_[2 * child] = collection.FatherOf(positions_[child]);
        positions_[2 * child + 1] = collection.MotherOf(positions_[child]);
    };
    placeParents(1);
    for (int parent : {2, 3}) {
        if (!Expandable(positions_[parent])) continue;
        placeParents(parent);
        for (int grandparent : {2 * parent, 2 * parent + 1})
            if (Expandable(positions_[grandparent])) placeParents(grandparent);
    }
    for (int k = 1; k <= 7; ++k)
        families_[k + 1] = collection.CommonSpouseFamily(positions_[2 * k], positions_[2 * k + 1]);
}

// ---------------------------------------------------------------- layout ---

namespace {

struct BoxPlace {
    double left, top, width;
};

// Name labels of the fifteen positions (index 0 unused).
constexpr BoxPlace kBoxes[16] = {
    {0, 0, 0},       {17, 430, 248},  {57, 199, 208},  {57, 656, 208},
    {280, 89, 208},  {280, 328, 208}, {280, 545, 208}, {280, 785, 208},
    {503, 41, 185},  {504, 168, 185}, {503, 265, 185}, {504, 393, 185},
    {503, 496, 185}, {504, 625, 185}, {503, 721, 185}, {504, 848, 185},
};

constexpr double kNumberWidth = 16;
constexpr double kNameHeight = 15;
constexpr double kFirstLine = 18;
constexpr double kLineStep = 16;
constexpr double kCaptionWidth = 19;
constexpr double kLdsWidth = 33;
// The chart fills the page between the margins and the footer.
constexpr double kChartHeight = 925;

bool HasMarriageLines(int position) {
    return position == 1 || position % 2 == 0;
}

int LineCount(int position) {
    return HasMarriageLines(position) ? 6 : 4;
}

FontSpec Times(double pixels, bool bold) {
    return FontSpec::Pixels(pixels, bold, QStringLiteral("Times New Roman"));
}

double NameLineY(int position) {
    return kBoxes[position].top + kNameHeight;
}

double BoxBottom(int position) {
    return kBoxes[position].top + kFirstLine + LineCount(position) * kLineStep;
}

}  // namespace

TReportPed4Form::TReportPed4Form() {
    PageHeader().enabled = false;
    chart_ = AddBand(kChartHeight);
    BuildChart();
    chart_->needData = [this](bool& more) { FillChart(more); };
    chart_->beforePrint = [this](bool&) { PrepareChart(); };
    onBeforePrint = [this] {
        for (WReportLabel* label : legend_)
            label->visible = useLds_;
        StartCharts();
    };
}

void TReportPed4Form::BuildChart() {
    WReportBand& band = *chart_;
    band.AddLabel(QRectF(0, 0, 300, 22), QStringLiteral("Pedigree Chart"),
                  FontSpec::Pixels(16, true));
    labNo1Ref_ = band.AddLabel(QRectF(0, 22, 480, 12), QString(), FontSpec::Pixels(8));
    legend_.push_back(band.AddLabel(QRectF(0, 36, 160, 12), QStringLiteral("Completed Ordinances:"),
                                    FontSpec::Pixels(9, true)));
    const char* codes[] = {"B", "E", "P", "S"};
    const char* words[] = {"Baptized", "Endowment", "Sealed to Parents", "Sealed to Spouse"};
    for (int i = 0; i < 4; ++i) {
        legend_.push_back(band.AddLabel(QRectF(4, 48 + i * 11, 12, 11),
                                        QString::fromLatin1(codes[i]), FontSpec::Pixels(9, true)));
        legend_.push_back(band.AddLabel(QRectF(18, 48 + i * 11, 140, 11),
                                        QString::fromLatin1(words[i]), FontSpec::Pixels(9)));
    }

    FontSpec chartFont = FontSpec::Pixels(12, true);
    chartFont.underline = true;
    labChart_ = band.AddLabel(QRectF(560, 0, 110, 16), QString(), chartFont, HAlign::Right);
    labChartNo_ = band.AddLabel(QRectF(672, 0, 48, 16), QString(), chartFont, HAlign::Right);
    labSpouse_ = band.AddLabel(QRectF(63, 570, 200, 15), QString(), Times(12, true));
    band.AddLabel(QRectF(63, 585, 200, 11), QStringLiteral("(Spouse of #1)"), FontSpec::Pixels(8));

    for (int position = 1; position <= kPositions; ++position) {
        const BoxPlace& place = kBoxes[position];
        Box& box = boxes_[position];
        box.number = band.AddLabel(QRectF(place.left, place.top, kNumberWidth, kNameHeight),
                                   QString::number(position), FontSpec::Pixels(12, true));
        box.name = band.AddLabel(
            QRectF(place.left + kNumberWidth, place.top, place.width - kNumberWidth, kNameHeight),
            QString(), Times(12, true));
        band.AddRule(QRectF(place.left, NameLineY(position), place.width, 0), RuleKind::Horizontal);

        const char* captions[] = {"B:", "P:", "M:", "P:", "D:", "P:"};
        for (int line = 0; line < 6; ++line) {
            if (!HasMarriageLines(position) && (line == 2 || line == 3)) continue;
            const double y = place.top + kFirstLine + box.lines.size() * kLineStep;
            band.AddLabel(QRectF(place.left + kNumberWidth, y, kCaptionWidth, 14),
                          QString::fromLatin1(captions[line]), Times(12, true));
            const double valueLeft = place.left + kNumberWidth + kCaptionWidth;
            double width = place.width - kNumberWidth - kCaptionWidth;
            if (line == 0 && useLds_) width -= kLdsWidth + 2;
            box.lines.push_back(
                band.AddLabel(QRectF(valueLeft, y, width, 14), QString(), Times(12, false)));
        }
        box.lds = band.AddLabel(
            QRectF(place.left + place.width - kLdsWidth, place.top + kFirstLine, kLdsWidth, 14),
            QString(), FontSpec::Pixels(11, true));
        if (position >= 8)
            box.nextChart = band.AddLabel(QRectF(694, place.top, 22, kNameHeight), QString(),
                                          FontSpec::Pixels(12, true), HAlign::Right);
    }

    // Rules from each child's box to its parents' name lines.
    for (int child = 1; child <= 7; ++child) {
        const int father = 2 * child;
        const int mother = father + 1;
        const BoxPlace& c = kBoxes[child];
        const double parentLeft = std::min(kBoxes[father].left, kBoxes[mother].left);
        const double fatherY = NameLineY(father);
        const double motherY = NameLineY(mother);
        double x = 0;
        if (parentLeft > c.left + c.width) {
            // Parents to the right: one bracket, joined to the child's line.
            x = (c.left + c.width + parentLeft) / 2;
            band.AddRule(QRectF(x, fatherY, 0, motherY - fatherY), RuleKind::Vertical);
            band.AddRule(QRectF(c.left + c.width, NameLineY(child), x - c.left - c.width, 0),
                         RuleKind::Horizontal);
        } else {
            // Parents above and below: the bracket stops at the child's box.
            x = (c.left + parentLeft) / 2;
            band.AddRule(QRectF(x, fatherY, 0, c.top - 2 - fatherY), RuleKind::Vertical);
            band.AddRule(QRectF(x, BoxBottom(child) + 2, 0, motherY - BoxBottom(child) - 2),
                         RuleKind::Vertical);
        }
        band.AddRule(QRectF(x, fatherY, kBoxes[father].left - x, 0), RuleKind::Horizontal);
        band.AddRule(QRectF(x, motherY, kBoxes[mother].left - x, 0), RuleKind::Horizontal);
    }
}

void TReportPed4Form::FillChart(bool& more) {
    if (!collection_ || !HasChart()) return;
    for (int position = 1; position <= kPositions; ++position) {
        Box& box = boxes_[position];
        box.name->text.clear();
        for (WReportLabel* line : box.lines)
            line->text.clear();
        box.lds->text.clear();
        if (box.nextChart) box.nextChart->text.clear();
    }
    labChart_->text = cascading_ ? QStringLiteral("Chart No.") : QString();
    labChartNo_->text = cascading_ ? QString::number(currentChart_) : QString();
    labNo1Ref_->text.clear();
    if (cascading_ && currentChart_ > 1)
        labNo1Ref_->text =
            QStringLiteral("No. 1 on this chart is the same as no. %1 on chart no. %2")
                .arg(printedPosition_[chartRoot_])
                .arg(printedChart_[chartRoot_]);
    labSpouse_->text.clear();
    if (const auto family = FamilyAt(families_[1]))
        if (const auto spouse = PersonAt(family->OtherSpouse(chartRoot_)))
            labSpouse_->text = Text(spouse->FullName(true));

    for (int position = 1; position <= kPositions; ++position)
        FillBox(position);
    more = true;
}

void TReportPed4Form::FillBox(int position) {
    const int32_t n = positions_[position];
    if (n <= 0 || static_cast<size_t>(n) >= printedPosition_.size()) return;
    Box& box = boxes_[position];
    if (position != 1 && printedPosition_[n] > 0) {
        box.name->text = Text(collection_->FullNameOf(n));
        box.lines[0]->text = QStringLiteral("    Already printed.");
        box.lines[1]->text =
            QStringLiteral("    See #%1 on Page %2").arg(printedPosition_[n]).arg(printedChart_[n]);
        return;
    }
    printedPosition_[n] = position;
    printedChart_[n] = currentChart_;
    const auto person = PersonAt(n);
    if (!person) return;

    const bool fallBack = WOptions::GetFlag(opt::kFamBirChr);
    // The event's text, or the stand-in event's in brackets.
    auto eventText = [&](bool date, int kind, int standIn) {
        std::string text = date ? person->EventDateText(kind) : person->EventPlaceText(kind);
        if (text.empty() && fallBack) {
            const std::string other =
                date ? person->EventDateText(standIn) : person->EventPlaceText(standIn);
            if (!other.empty()) text = "[" + other + "]";
        }
        return Text(text);
    };

    box.name->text = Text(person->FullName(true));
    size_t line = 0;
    box.lines[line++]->text = eventText(true, kEventBirth, kEventChristening);
    box.lines[line++]->text = eventText(false, kEventBirth, kEventChristening);
    if (HasMarriageLines(position)) {
        if (const auto family = FamilyAt(FamilyOfPosition(position))) {
            box.lines[line]->text = Text(family->MarriageDateText());
            box.lines[line + 1]->text = Text(family->MarriagePlaceText());
        }
        line += 2;
    }
    box.lines[line++]->text = eventText(true, kEventDeath, kEventBurial);
    box.lines[line++]->text = eventText(false, kEventDeath, kEventBurial);

    if (position >= 8 && cascading_ && collection_->ParentsCount(n) > 0) {
        queue_.emplace_back(n, FamilyOfPosition(position));
        ++nextChart_;
        box.nextChart->text = QString::number(nextChart_);
    }
    if (useLds_) {
        QString letters;
        letters += person->HasLDSEvent(kLDSBaptism) ? QLatin1Char('B') : QLatin1Char(' ');
        letters += person->HasLDSEvent(kLDSEndowment) ? QLatin1Char('E') : QLatin1Char(' ');
        letters += person->HasLDSEvent(kLDSSealingToParents) ? QLatin1Char('P') : QLatin1Char(' ');
        letters += collection_->HasSpouseSealing(n, 0) ? QLatin1Char('S') : QLatin1Char(' ');
        box.lds->text = letters;
    }
}

}  // namespace vx::reports
