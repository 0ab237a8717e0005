#include "reports/ReportIndForm.h"

#include "app/Options.h"
#include "gedcom/ABSCollection.h"
#include "records/Event.h"
#include "records/Individual.h"
#include "records/Marriage.h"
#include "widgets/QtText.h"

namespace vx::reports {

namespace {

constexpr double kValueLeft = 140;

struct EventRow {
    const char* caption;
    int kind;
};

constexpr EventRow kVitalRows[] = {
    {"Birth", kEventBirth},
    {"Chr", kEventChristening},
    {"Death", kEventDeath},
    {"Burial", kEventBurial},
};

constexpr EventRow kLdsRows[] = {
    {"Baptism", kLDSBaptism},
    {"Endowment", kLDSEndowment},
    {"Sealed to Par.", kLDSSealingToParents},
};

// Description, date and place joined by ", ", with the event's note on a
// line of its own when notes are printed.
std::string EventText(const WABSEvent& event, bool withNotes) {
    std::string text;
    for (const std::string& part : {event.Description(), event.DateText(), event.PlaceText()}) {
        if (part.empty()) continue;
        if (!text.empty()) text += ", ";
        text += part;
    }
    if (text == ",") text.clear();
    if (withNotes && event.HasNote()) {
        const std::string note = event.NoteText();
        text = text.empty() ? note : text + "\r" + note;
    }
    return text;
}

std::vector<std::string> NoteLines(const std::string& note) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < note.size(); ++i) {
        const char c = note[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < note.size() && note[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

void TReportIndForm::BuildRows(std::vector<ReportRow>& rows) {
    const auto person = PersonAt(individual_);
    if (!person) return;
    const WABSCollection& collection = *collection_;
    const bool withNotes = WOptions::GetFlag(opt::kIndNotes);
    const bool useLds = WOptions::GetFlag(opt::kUseLDS);
    auto add = [&](const std::string& caption, const std::string& value, bool bold = false) {
        rows.push_back(CaptionValue(Text(caption), Text(value), kValueLeft, bold));
    };

    add(collection.FileKind() == WABSCollection::kKindGedcom ? "REF/AFN/Cust ID"
                                                             : "RIN/AFN/Cust ID",
        person->XRef() + " / " + person->AFN() + " / " + person->RefNumber());
    add("Name", person->FullName(true), true);
    add("Sex", person->Sex());

    for (const EventRow& row : kVitalRows) {
        const auto event = person->Event(row.kind, 1);
        add(row.caption, event ? EventText(*event, withNotes) : std::string());
    }

    const int otherEvents = person->EventCount(kEventOther);
    if (otherEvents > 0) {
        rows.push_back(Heading(QStringLiteral("User Events")));
        for (int i = 1; i <= otherEvents; ++i)
            if (const auto event = person->Event(kEventOther, i))
                add(event->EventName(), EventText(*event, withNotes));
    }

    if (useLds) {
        rows.push_back(Heading(QStringLiteral("LDS Events")));
        for (const EventRow& row : kLdsRows) {
            std::string text;
            if (const auto event = person->LDSEvent(row.kind))
                text = event->DateText() + ", " + event->PlaceText();
            add(row.caption, text.size() < 3 ? std::string() : text);
        }
    }

    rows.push_back(Heading(QStringLiteral("Parents")));
    const int parentFamilies = std::max(1, person->ParentFamilyCount());
    for (int r = 1; r <= 2 * parentFamilies; ++r) {
        const bool fatherRow = r % 2 == 1;
        std::string caption = fatherRow ? "Father" : "Mother";
        if (parentFamilies > 1 && r <= 2) caption += " (P)";
        std::string value;
        if (const auto family = FamilyAt(person->ParentFamily((r + 1) / 2)))
            if (const auto parent = PersonAt(fatherRow ? family->Husband() : family->Wife()))
                value = parent->SummaryLine(true);
        add(caption, value);
    }

    rows.push_back(Heading(QStringLiteral("Marriages")));
    for (int k = 1; k <= person->SpouseFamilyCount(); ++k) {
        const auto family = FamilyAt(person->SpouseFamily(k));
        if (!family) continue;
        std::string value;
        if (const auto partner = PersonAt(family->OtherSpouse(individual_)))
            value = partner->FullName(true) + ", m. " + family->MarriageDatePlaceText();
        add("Marriage " + std::to_string(k), value);
        if (useLds) add("LDS S to S", std::string());

        family->SortChildren();
        const bool isHusband = family->Husband() == individual_;
        for (int i = 1; i <= family->ChildCount(); ++i) {
            const auto child = PersonAt(family->Child(i));
            if (!child) continue;
            std::string word;
            for (int j = 1; j <= child->ParentFamilyCount(); ++j) {
                int32_t linked = 0;
                int motherLink = 0;
                int fatherLink = 0;
                if (child->ParentFamilyLink(j, linked, motherLink, fatherLink) &&
                    linked == family->Number()) {
                    word =
                        collection.ChildLinkName(isHusband ? fatherLink : motherLink, child->Sex());
                    break;
                }
            }
            add("   " + word, child->SummaryLine(true));
        }
    }

    if (withNotes) {
        rows.push_back(Heading(QStringLiteral("Notes")));
        for (const std::string& line : NoteLines(person->NoteText())) {
            ReportRow row;
            row.cells.push_back(
                {Text(line), 20, kPrintableWidth - 20, Arial(9), HAlign::Left, true});
            rows.push_back(row);
        }
    }
}

}  // namespace vx::reports
