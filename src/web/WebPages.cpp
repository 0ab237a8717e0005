#include "web/WebPages.h"

#include <string>

#include "app/Options.h"
#include "exports/FamilyPage.h"
#include "exports/GeneralPage.h"
#include "exports/IndividualPage.h"
#include "exports/PedigreePage.h"
#include "gedcom/ABSCollection.h"
#include "records/Event.h"
#include "records/Individual.h"
#include "records/Marriage.h"
#include "web/Json.h"

namespace vx::web {
namespace {

// Panels show one to three lines: the name, then birth and death.
constexpr int kNameOnly = 1;
constexpr int kNameAndEvents = 3;

// Date and place of an event, joined by ", " when both are there.
std::string EventLine(const WABSIndividual& person, int kind) {
    const std::string date = person.EventDateText(kind);
    const std::string place = person.EventPlaceText(kind);
    if (!date.empty() && !place.empty()) return date + ", " + place;
    return date.empty() ? place : date;
}

// The event line, or failing that (when the settings ask for it) the
// stand-in event's line in square brackets, as the desktop's panels show.
std::string EventLineOrStandIn(const WABSIndividual& person, int kind, int standIn) {
    std::string line = EventLine(person, kind);
    if (line.empty() && WOptions::GetFlag(opt::kFamBirChr)) {
        const std::string other = EventLine(person, standIn);
        if (!other.empty()) line = "[" + other + "]";
    }
    return line;
}

// An individual panel, or null for nobody.
void WritePanel(JsonWriter& json, const WABSCollection& c, int32_t n, int lines) {
    const auto person = n > 0 && n <= c.IndividualCount() ? c.Individual(n) : nullptr;
    if (!person) {
        json.Null();
        return;
    }
    json.BeginObject().Field("n", n).Field("name", person->DisplayName());
    if (lines > 1) json.Field("birth", EventLineOrStandIn(*person, kEventBirth, kEventChristening));
    if (lines > 2) json.Field("death", EventLineOrStandIn(*person, kEventDeath, kEventBurial));
    json.EndObject();
}

void WriteGrid(JsonWriter& json, const char* key, const GeneralGrid& grid) {
    json.Key(key).BeginObject();
    json.Key("captions")
        .BeginArray()
        .String(grid.labelCaption)
        .String(grid.valueCaption)
        .EndArray();
    json.Key("rows").BeginArray();
    for (const GeneralRow& row : grid.rows)
        json.BeginArray().String(row.label).String(row.value).EndArray();
    json.EndArray().EndObject();
}

// One partner of the family shown with both of their parents; `plus` tells
// whether each parent has known parents in turn.
void WritePartner(JsonWriter& json, const char* key, const WABSCollection& c, int32_t n,
                  int32_t father, int32_t mother, bool fatherPlus, bool motherPlus) {
    json.Key(key).BeginObject();
    json.Key("person");
    WritePanel(json, c, n, kNameAndEvents);
    json.Key("father");
    WritePanel(json, c, father, kNameAndEvents);
    json.Key("mother");
    WritePanel(json, c, mother, kNameAndEvents);
    json.Field("fatherPlus", fatherPlus).Field("motherPlus", motherPlus);
    json.EndObject();
}

void WriteListItems(JsonWriter& json, const char* key, const WABSCollection& c,
                    const std::vector<int32_t>& people) {
    json.Key(key).BeginArray();
    for (const int32_t n : people) {
        const PedigreeListItem item = PedigreeItem(c, n);
        json.BeginObject()
            .Field("n", n)
            .Field("hasChildren", item.hasChildren)
            .Field("qualifier", item.qualifier)
            .Field("year", item.birthYear)
            .Field("given", item.givenNames)
            .Field("lds", item.lds)
            .EndObject();
    }
    json.EndArray();
}

}  // namespace

void WriteGeneralPage(JsonWriter& json, const GeneralPage& page) {
    WriteGrid(json, "header", page.header);
    WriteGrid(json, "submitter", page.submitter);
    WriteGrid(json, "file", page.fileInformation);
    json.Field("hasSubmitter", page.hasSubmitter);
}

void WriteIndividualPage(JsonWriter& json, const WABSCollection& c, int32_t n) {
    const IndividualPage page = BuildIndividualPage(c, n, IndividualPageSettings());
    json.BeginObject().Field("n", page.individual).Field("sex", page.sex);
    json.Field("modified", page.modified);
    json.Key("captions").BeginArray();
    for (const IndividualColumn& column : kIndividualColumns)
        json.String(column.caption);
    json.EndArray();
    json.Key("rows").BeginArray();
    for (const IndividualRow& row : page.rows) {
        json.BeginObject().Field("n", row.individual).Key("cells").BeginArray();
        for (int column = 0; column < static_cast<int>(kIndividualColumns.size()); ++column)
            json.String(IndividualCell(row, column));
        json.EndArray();
        json.Field("sources", row.sources).Field("notes", row.notes).EndObject();
    }
    json.EndArray();
    json.Field("text", IndividualText(c, n, false));
    json.EndObject();
}

void WriteFamilyPage(JsonWriter& json, const WABSCollection& c, int32_t n, int marriage) {
    const FamilyPage page = BuildFamilyPage(c, n, marriage);
    json.BeginObject().Field("subject", page.subject).Field("family", page.family);
    json.Field("spouse", page.spouse).Field("current", page.current);
    json.Field("familyCount", static_cast<int>(page.families.size()));
    json.Field("marriage", page.marriageInfo).Field("counter", page.spouseCounter);
    json.Field("nextSpouse", page.nextSpouseVisible);

    const FamilyCouple couple = HusbandAndWife(c, page.subject, page.spouse);
    const bool subjectIsHusband = couple.husband == page.subject;
    const auto& plus = page.parentHasParents;
    const auto writeSide = [&](const char* key, bool subjectSide) {
        if (subjectSide)
            WritePartner(json, key, c, page.subject, page.subjectFather, page.subjectMother,
                         plus[0], plus[1]);
        else
            WritePartner(json, key, c, page.spouse, page.spouseFather, page.spouseMother, plus[2],
                         plus[3]);
    };
    writeSide("husband", subjectIsHusband);
    writeSide("wife", !subjectIsHusband);

    json.Key("captions").BeginArray();
    for (int column = 0; column < kFamilyGridColumns; ++column)
        json.String(FamilyGridCaption(page, column));
    json.EndArray();
    json.Key("children").BeginArray();
    for (const FamilyChildRow& row : page.children) {
        json.BeginObject().Field("n", row.child).Field("spouse", row.spouse);
        json.Key("cells").BeginArray();
        for (int column = 0; column < kFamilyGridColumns; ++column)
            json.String(FamilyGridCell(c, row, column));
        json.EndArray().EndObject();
    }
    json.EndArray();
    json.Field("text", FamilyText(c, page));
    json.EndObject();
}

void WritePedigreePage(JsonWriter& json, const WABSCollection& c, int32_t n, int marriage) {
    const PedigreePage page = BuildPedigreePage(c, n, marriage);
    json.BeginObject().Field("subject", page.subject).Field("family", page.family);
    json.Field("current", page.current)
        .Field("familyCount", static_cast<int>(page.families.size()));
    // Panel k at index k; index 0 unused.
    json.Key("panels").BeginArray().Null();
    for (int k = 1; k <= kPedigreePanels; ++k)
        WritePanel(json, c, page.Ancestor(k), PedigreePage::PanelLines(k));
    json.EndArray();
    // The "+" beside the outermost panels leads to the subject's father's or
    // mother's own pedigree.
    json.Key("plus").BeginArray();
    for (int k = 1; k <= kPedigreePanels; ++k)
        json.Int(page.PanelHasPlus(c, k) ? page.PlusTarget(k) : 0);
    json.EndArray();
    json.Key("spousePanel");
    WritePanel(json, c, page.spouse, kNameOnly);
    json.Field("spouseButton", page.spouseButtonVisible);
    json.Field("spouseHasParents", page.spouseHasParents);
    json.Field("siblingsCaption", page.SiblingsCaption());
    WriteListItems(json, "siblings", c, page.siblings);
    json.Field("childrenCaption", page.ChildrenCaption());
    WriteListItems(json, "children", c, page.children);
    json.Field("text", PedigreeText(c, page));
    json.EndObject();
}

void WriteSpouseAndChildrenMenu(JsonWriter& json, const WABSCollection& c, int32_t n) {
    // As many entries as the desktop's menu holds.
    constexpr int kMaxMenuEntries = 500;
    int entries = 0;
    json.Key("menu").BeginArray();
    const auto person = c.Individual(n);
    for (int k = 1; person && k <= person->SpouseFamilyCount() && entries < kMaxMenuEntries; ++k) {
        const int32_t number = person->SpouseFamily(k);
        if (number < 1 || number > c.FamilyCount()) continue;
        const auto family = c.Family(number);
        if (!family) continue;
        const int32_t spouse = family->OtherSpouse(n);
        json.BeginObject()
            .Field("kind", "spouse")
            .Field("n", spouse)
            .Field("label", spouse ? c.DisplayNameOf(spouse) : "<No Given Name>")
            .EndObject();
        ++entries;
        family->SortChildren();
        for (int i = 1; i <= family->ChildCount() && entries < kMaxMenuEntries; ++i) {
            const int32_t child = family->Child(i);
            if (child <= 0 || child > c.IndividualCount()) continue;
            const auto kid = c.Individual(child);
            json.BeginObject()
                .Field("kind", "child")
                .Field("n", child)
                .Field("year", kid->EventYear(kEventBirth))
                .Field("hasChildren", c.HasChildren(child))
                .Field("label", kid->DisplayName())
                .EndObject();
            ++entries;
        }
    }
    json.EndArray();
}

}  // namespace vx::web
