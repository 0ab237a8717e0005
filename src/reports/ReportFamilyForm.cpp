#include "reports/ReportFamilyForm.h"

#include "app/Options.h"
#include "gedcom/ABSCollection.h"
#include "records/Event.h"
#include "records/Individual.h"
#include "records/Marriage.h"

#include <algorithm>

namespace vx::reports {

namespace {

// Columns of a person's block. Without LDS the place takes the LDS room.
constexpr double kCaptionLeft = 4;
constexpr double kDateLeft = 70;
constexpr double kDateWidth = 112;
constexpr double kPlaceCaptionLeft = 190;
constexpr double kPlaceLeft = 222;
constexpr double kPlaceWidthLds = 240;
constexpr double kLdsCodeLeft = 470;
constexpr double kLdsDateLeft = 492;
constexpr double kLdsDateWidth = 90;
constexpr double kLdsTempleLeft = 590;
constexpr double kLdsTempleWidth = 130;
constexpr double kRowHeight = 15;

struct EventRow {
    const char* caption;
    int kind;
};

constexpr EventRow kEventRows[] = {
    {"Born", kEventBirth},
    {"Christened", kEventChristening},
    {"Died", kEventDeath},
    {"Buried", kEventBurial},
};

ReportCell Cell(const QString& text, double left, double width, bool bold = false,
                HAlign align = HAlign::Left) {
    return {text, left, width, TABSReportForm::Arial(8, bold), align, false};
}

}  // namespace

void TReportFamilyForm::SetSpouse(int32_t spouse, int32_t family) {
    spouse_ = spouse;
    family_ = family;
}

void TReportFamilyForm::AddPerson(std::vector<ReportRow>& rows, int32_t n, const QString& role,
                                  bool married, bool isChild) {
    const auto person = PersonAt(n);
    const double placeWidth = useLds_ ? kPlaceWidthLds : kPrintableWidth - kPlaceLeft;

    ReportRow title;
    title.height = 18;
    title.cells.push_back(Cell(role, kCaptionLeft, kDateLeft - kCaptionLeft - 4, true));
    title.cells.push_back(Cell(person ? Text(person->FullName(true)) : QString(), kDateLeft,
                               useLds_ ? kLdsCodeLeft - kDateLeft - 8 : kPrintableWidth - kDateLeft,
                               true));
    title.cells.back().font.pointSize = 10;
    if (useLds_) {
        title.cells.push_back(Cell(QStringLiteral("LDS Ordinance Dates"), kLdsCodeLeft,
                                   kLdsTempleLeft - kLdsCodeLeft, true));
        title.cells.push_back(
            Cell(QStringLiteral("Temple"), kLdsTempleLeft, kLdsTempleWidth, true));
    }

    // The LDS column, beside the first rows of the block.
    struct LdsEntry {
        QString code, date, temple;
    };
    std::vector<LdsEntry> lds;
    if (useLds_ && person) {
        lds.push_back({QStringLiteral("B"), Text(person->LDSDateText(kLDSBaptism)),
                       Text(person->LDSTempleText(kLDSBaptism, true))});
        lds.push_back({QStringLiteral("E"), Text(person->LDSDateText(kLDSEndowment)),
                       Text(person->LDSTempleText(kLDSEndowment, false))});
        lds.push_back({QStringLiteral("SP"), Text(person->LDSDateText(kLDSSealingToParents)),
                       Text(person->LDSTempleText(kLDSSealingToParents, false))});
        if (married || isChild)
            lds.push_back({QStringLiteral("SS"), Text(collection_->SpouseSealingDateText(n, 1)),
                           Text(collection_->SpouseSealingTempleText(n, 1, false))});
    }

    std::vector<ReportRow> block;
    auto addLine = [&](const QString& caption, const QString& date, const QString& place) {
        ReportRow row;
        row.height = kRowHeight;
        row.cells.push_back(Cell(caption, kCaptionLeft + 10, kDateLeft - kCaptionLeft - 12));
        row.cells.push_back(Cell(date, kDateLeft, kDateWidth, false, HAlign::Right));
        row.cells.push_back(
            Cell(QStringLiteral("Place"), kPlaceCaptionLeft, kPlaceLeft - kPlaceCaptionLeft - 2));
        row.cells.push_back(Cell(place, kPlaceLeft, placeWidth));
        block.push_back(row);
    };
    auto addName = [&](const QString& caption, const QString& name) {
        ReportRow row;
        row.height = kRowHeight;
        row.cells.push_back(Cell(caption, kCaptionLeft + 10, kDateLeft - kCaptionLeft - 12));
        row.cells.push_back(Cell(name, kDateLeft, kPlaceLeft + placeWidth - kDateLeft));
        block.push_back(row);
    };

    for (const EventRow& event : kEventRows)
        addLine(QString::fromLatin1(event.caption),
                person ? Text(person->EventDateText(event.kind)) : QString(),
                person ? Text(person->EventPlaceText(event.kind)) : QString());
    if (married) {
        const auto family = FamilyAt(family_);
        addLine(QStringLiteral("Married"), family ? Text(family->MarriageDateText()) : QString(),
                family ? Text(family->MarriagePlaceText()) : QString());
    }
    if (isChild) {
        // The child's first marriage.
        std::unique_ptr<WABSMarriage> family;
        if (person && person->SpouseFamilyCount() > 0) family = FamilyAt(person->SpouseFamily(1));
        const auto partner = family ? PersonAt(family->OtherSpouse(n)) : nullptr;
        addName(QStringLiteral("Spouse"), partner ? Text(partner->FullName(true)) : QString());
        addLine(QStringLiteral("Married"), family ? Text(family->MarriageDateText()) : QString(),
                family ? Text(family->MarriagePlaceText()) : QString());
    } else {
        addName(QStringLiteral("Father"), Text(collection_->FullNameOf(collection_->FatherOf(n))));
        addName(QStringLiteral("Mother"), Text(collection_->FullNameOf(collection_->MotherOf(n))));
    }

    for (size_t i = 0; i < lds.size() && i < block.size(); ++i) {
        ReportRow& row = block[i];
        row.cells.push_back(Cell(lds[i].code, kLdsCodeLeft, kLdsDateLeft - kLdsCodeLeft - 2, true));
        row.cells.push_back(Cell(lds[i].date, kLdsDateLeft, kLdsDateWidth));
        row.cells.push_back(Cell(lds[i].temple, kLdsTempleLeft, kLdsTempleWidth));
    }
    block.back().ruleBelow = true;
    // A person's block stays on one page.
    title.keepHeight = title.height;
    for (const ReportRow& row : block)
        title.keepHeight += row.height;
    rows.push_back(title);
    rows.insert(rows.end(), block.begin(), block.end());
    rows.push_back(Spacer(6));
}

void TReportFamilyForm::BuildRows(std::vector<ReportRow>& rows) {
    const auto active = PersonAt(individual_);
    if (!active) return;
    useLds_ = WOptions::GetFlag(opt::kUseLDS);

    // The active individual is the husband when male, or of unknown sex with
    // a spouse who is not male; otherwise the wife.
    const std::string sex = active->Sex();
    std::string spouseSex;
    if (const auto spouse = PersonAt(spouse_)) spouseSex = spouse->Sex();
    const bool activeIsHusband =
        sex == "M" || (sex == "U" && spouse_ != 0 && (spouseSex == "F" || spouseSex == "U"));
    const int32_t husband = activeIsHusband ? individual_ : spouse_;
    const int32_t wife = activeIsHusband ? spouse_ : individual_;

    AddPerson(rows, husband, QStringLiteral("Husband"), true, false);
    AddPerson(rows, wife, QStringLiteral("Wife"), false, false);

    std::vector<int32_t> children;
    if (const auto family = FamilyAt(family_)) {
        family->SortChildren();
        const int count = std::min(family->ChildCount(), kMaxChildren);
        for (int i = 1; i <= count; ++i)
            children.push_back(family->Child(i));
    }
    if (children.empty()) return;
    rows.push_back(Heading(QStringLiteral("Children")));
    for (int32_t child : children) {
        const auto person = PersonAt(child);
        AddPerson(rows, child, person ? Text(person->Sex()) : QString(), false, true);
    }
}

}  // namespace vx::reports
