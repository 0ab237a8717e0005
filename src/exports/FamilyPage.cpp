#include "exports/FamilyPage.h"

#include <algorithm>

#include "app/Options.h"
#include "app/TextUtil.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"

namespace vx {
namespace {

std::unique_ptr<WABSMarriage> FamilyIfAny(const WABSCollection& collection, int32_t family) {
    return (family > 0 && family <= collection.FamilyCount()) ? collection.Family(family) : nullptr;
}

bool HasParents(const WABSCollection& collection, int32_t person) {
    return collection.FatherOf(person) != 0 || collection.MotherOf(person) != 0;
}

// The event's date; when there is none and the settings allow it, the
// stand-in event's date in brackets (a christening for a birth, a burial
// for a death).
std::string DateOrStandIn(const WABSIndividual& person, int kind, int standIn) {
    std::string text = person.EventDateText(kind);
    if (text.empty() && WOptions::GetFlag(opt::kFamBirChr)) {
        const std::string other = person.EventDateText(standIn);
        if (!other.empty()) text = "[" + other + "]";
    }
    return text;
}

FamilyChildRow ChildRow(const WABSCollection& collection, int32_t child) {
    FamilyChildRow row;
    row.child = child;
    auto person = collection.Individual(child);
    if (!person) return row;
    row.sex = person->Sex();
    row.birth = DateOrStandIn(*person, kEventBirth, kEventChristening);
    row.death = DateOrStandIn(*person, kEventDeath, kEventBurial);
    if (person->SpouseFamilyCount() > 0) {
        if (auto first = FamilyIfAny(collection, person->SpouseFamily(1))) {
            if (const int32_t spouse = first->OtherSpouse(child)) {
                row.spouseFamilies = person->SpouseFamilyCount();
                row.spouse = spouse;
                row.spouseFamilyHasChildren = first->ChildCount() > 0;
            }
        }
    }
    return row;
}

// Steps 2 to 6 of showing the page: everything that depends on the family
// at the current position.
void ShowCurrentFamily(const WABSCollection& collection, FamilyPage& page) {
    const int count = static_cast<int>(page.families.size());
    page.family = page.current >= 1 ? page.families[static_cast<size_t>(page.current - 1)] : 0;
    auto family = FamilyIfAny(collection, page.family);
    page.spouse = family ? family->OtherSpouse(page.subject) : 0;
    page.marriageInfo = family ? family->MarriageDatePlaceText() : std::string();
    page.spouseCounter =
        count >= 2 ? "(" + std::to_string(page.current) + " of " + std::to_string(count) + ")"
                   : std::string();
    page.subjectFather = collection.FatherOf(page.subject);
    page.subjectMother = collection.MotherOf(page.subject);
    page.spouseFather = collection.FatherOf(page.spouse);
    page.spouseMother = collection.MotherOf(page.spouse);
    page.parentHasParents = {
        HasParents(collection, page.subjectFather), HasParents(collection, page.subjectMother),
        HasParents(collection, page.spouseFather), HasParents(collection, page.spouseMother)};
    page.children.clear();
    if (!family) return;
    family->SortChildren();
    const int rows = std::min(family->ChildCount(), kMaxFamilyRows);
    for (int k = 1; k <= rows; ++k)
        page.children.push_back(ChildRow(collection, family->Child(k)));
}

// One line of a person block; an event that exists without date and place
// reads "," and then only the label is written.
std::string BlockLine(const char* label, const std::string& value) {
    if (Trim(value) == ",") return std::string(label) + "\r\n";
    return std::string(label) + " " + value + "\r\n";
}

std::string PersonBlock(const WABSCollection& collection, int32_t p, bool child) {
    auto person = collection.Individual(p);
    if (!person)
        return BlockLine("Name:   ", "") + BlockLine("Birth:  ", "") + BlockLine("Chr:    ", "") +
               BlockLine("Death:  ", "") + BlockLine("Burial: ", "");
    std::string text = BlockLine("Name:   ", person->DisplayName());
    if (child) text += BlockLine("Sex:    ", person->Sex());
    return text + BlockLine("Birth:  ", person->EventDatePlaceText(kEventBirth)) +
           BlockLine("Chr:    ", person->EventDatePlaceText(kEventChristening)) +
           BlockLine("Death:  ", person->EventDatePlaceText(kEventDeath)) +
           BlockLine("Burial: ", person->EventDatePlaceText(kEventBurial));
}

std::string ParentLines(const WABSCollection& collection, int32_t p) {
    return BlockLine("Father: ", collection.DisplayNameOf(collection.FatherOf(p))) +
           BlockLine("Mother: ", collection.DisplayNameOf(collection.MotherOf(p)));
}

std::string SexOf(const WABSCollection& collection, int32_t p) {
    auto person = collection.Individual(p);
    return person ? person->Sex() : std::string();
}

}  // namespace

std::vector<int32_t> PageFamilies(const WABSCollection& collection, int32_t subject) {
    std::vector<int32_t> families;
    auto person = collection.Individual(subject);
    if (!person) return families;
    const int count = std::min(person->SpouseFamilyCount(), kMaxPageFamilies);
    for (int i = 1; i <= count; ++i)
        families.push_back(person->SpouseFamily(i));
    return families;
}

FamilyPage BuildFamilyPage(const WABSCollection& collection, int32_t subject) {
    FamilyPage page;
    page.subject = subject;
    page.families = PageFamilies(collection, subject);
    page.current = page.families.empty() ? 0 : 1;
    page.nextSpouseVisible = page.families.size() >= 2;
    ShowCurrentFamily(collection, page);
    return page;
}

void ShowNextSpouse(const WABSCollection& collection, FamilyPage& page) {
    if (page.families.empty()) return;
    page.current = page.current % static_cast<int>(page.families.size()) + 1;
    ShowCurrentFamily(collection, page);
}

FamilyPage BuildFamilyPage(const WABSCollection& collection, int32_t subject, int marriage) {
    FamilyPage page = BuildFamilyPage(collection, subject);
    for (int k = 1; k < marriage && !page.families.empty(); ++k)
        ShowNextSpouse(collection, page);
    return page;
}

std::string FamilyGridCaption(const FamilyPage& page, int column) {
    const bool standIns = WOptions::GetFlag(opt::kFamBirChr);
    switch (column) {
        case kFamilyMarkColumn:
            return " ";
        case kFamilyChildColumn:
            return "Children (" + std::to_string(page.children.size()) + ")";
        case kFamilySexColumn:
            return "Sex";
        case kFamilyBirthColumn:
            return standIns ? "Birth/[Chr]" : "Birth";
        case kFamilyDeathColumn:
            return standIns ? "Death/[Burial]" : "Death";
        case kFamilySpouseColumn:
            return "Spouse";
        default:
            return {};
    }
}

std::string FamilyGridCell(const WABSCollection& collection, const FamilyChildRow& row,
                           int column) {
    switch (column) {
        case kFamilyMarkColumn:
            return row.spouseFamilyHasChildren ? "+" : "";
        case kFamilyChildColumn:
            return collection.DisplayNameOf(row.child);
        case kFamilySexColumn:
            return row.sex;
        case kFamilyBirthColumn:
            return row.birth;
        case kFamilyDeathColumn:
            return row.death;
        case kFamilySpouseColumn: {
            if (row.spouse == 0) return {};
            std::string text;
            if (row.spouseFamilies >= 2)
                text = "(1 of " + std::to_string(row.spouseFamilies) + ") ";
            return text + collection.DisplayNameOf(row.spouse);
        }
        default:
            return {};
    }
}

FamilyCouple HusbandAndWife(const WABSCollection& collection, int32_t subject, int32_t spouse) {
    const std::string sex = SexOf(collection, subject);
    const std::string spouseSex = SexOf(collection, spouse);
    if (sex == "M" || (sex == "U" && spouse != 0 && (spouseSex == "F" || spouseSex == "U")))
        return {subject, spouse};
    return {spouse, subject};
}

std::string FamilyText(const WABSCollection& collection, const FamilyPage& page) {
    if (page.subject == 0) return {};
    const FamilyCouple couple = HusbandAndWife(collection, page.subject, page.spouse);
    std::string text =
        "FAMILY GROUP\r\n\r\nHUSBAND\r\n" + PersonBlock(collection, couple.husband, false) +
        ParentLines(collection, couple.husband) + "\r\nWIFE\r\n" +
        PersonBlock(collection, couple.wife, false) + ParentLines(collection, couple.wife);
    // The children as the family's links hold them at the moment of
    // copying, not as the page's rows captured them.
    if (auto family = FamilyIfAny(collection, page.family))
        for (int k = 1; k <= family->ChildCount(); ++k)
            text += "\r\nChild " + std::to_string(k) + "\r\n" +
                    PersonBlock(collection, family->Child(k), true);
    return text;
}

std::string FamilyText(const WABSCollection& collection, int32_t subject, int marriage) {
    return FamilyText(collection, BuildFamilyPage(collection, subject, marriage));
}

}  // namespace vx
