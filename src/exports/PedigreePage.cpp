#include "exports/PedigreePage.h"

#include <algorithm>

#include "app/Unicode.h"
#include "exports/FamilyPage.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"

namespace vx {
namespace {

std::unique_ptr<WABSMarriage> FamilyIfAny(const WABSCollection& collection, int32_t family) {
    return (family > 0 && family <= collection.FamilyCount()) ? collection.Family(family) : nullptr;
}

// The spouse panel and the children list follow the family shown.
void ShowCurrentFamily(const WABSCollection& collection, PedigreePage& page) {
    page.family = page.current >= 1 ? page.families[static_cast<size_t>(page.current - 1)] : 0;
    auto family = FamilyIfAny(collection, page.family);
    page.children.clear();
    if (family) {
        family->SortChildren();
        for (int k = 1; k <= family->ChildCount(); ++k) {
            if (static_cast<int>(page.children.size()) >= kMaxPedigreeChildren) break;
            const int32_t child = family->Child(k);
            if (child != 0 && child != page.subject) page.children.push_back(child);
        }
    }
    page.spouse = family ? family->OtherSpouse(page.subject) : 0;
    page.spouseHasParents =
        collection.FatherOf(page.spouse) != 0 || collection.MotherOf(page.spouse) != 0;
}

void ShowSiblings(const WABSCollection& collection, PedigreePage& page) {
    page.siblings.clear();
    auto person = collection.Individual(page.subject);
    if (!person || person->ParentFamilyCount() == 0) return;
    auto family = FamilyIfAny(collection, person->ParentFamily(1));
    if (!family) return;
    family->SortChildren();
    for (int k = 1; k <= family->ChildCount(); ++k) {
        if (static_cast<int>(page.siblings.size()) >= kMaxPedigreeSiblings) break;
        const int32_t child = family->Child(k);
        if (child != page.subject) page.siblings.push_back(child);
    }
}

// A person box of the character chart: name, birth and death lines, and a
// marriage line when a family is given.
void WriteBox(const WABSCollection& collection, WCharScreen& screen, int32_t p, int line,
              int column, int width, int32_t family) {
    auto person = collection.Individual(p);
    if (!person) return;
    screen.Write(line, column, person->FullName(true), width);
    screen.Write(line + 1, column, "b. " + person->EventDatePlaceText(kEventBirth), width);
    screen.Write(line + 2, column, "d. " + person->EventDatePlaceText(kEventDeath), width);
    if (auto marriage = FamilyIfAny(collection, family))
        screen.Write(line + 3, column, "m. " + marriage->MarriageDatePlaceText(), width);
}

}  // namespace

bool PedigreePage::PanelHasPlus(const WABSCollection& collection, int panel) const {
    if (panel < 16 || panel > kPedigreePanels) return false;
    const int32_t ancestor = Ancestor(panel);
    return collection.FatherOf(ancestor) != 0 || collection.MotherOf(ancestor) != 0;
}

std::string PedigreePage::SiblingsCaption() const {
    if (subject == 0) return "Siblings";
    return "Siblings (" + std::to_string(siblings.size()) + ")";
}

std::string PedigreePage::ChildrenCaption() const {
    return "Children (" + std::to_string(children.size()) + ")";
}

PedigreePage BuildPedigreePage(const WABSCollection& collection, int32_t subject) {
    PedigreePage page;
    page.subject = subject;
    page.families = PageFamilies(collection, subject);
    page.current = page.families.empty() ? 0 : 1;
    page.spouseButtonVisible = page.families.size() >= 2;
    ShowSiblings(collection, page);
    ShowCurrentFamily(collection, page);
    page.ancestors[1] = subject;
    for (size_t k = 1; k <= 15; ++k) {
        page.ancestors[2 * k] = collection.FatherOf(page.ancestors[k]);
        page.ancestors[2 * k + 1] = collection.MotherOf(page.ancestors[k]);
    }
    return page;
}

void ShowNextPedigreeSpouse(const WABSCollection& collection, PedigreePage& page) {
    if (page.families.empty()) return;
    page.current = page.current % static_cast<int>(page.families.size()) + 1;
    ShowCurrentFamily(collection, page);
}

PedigreePage BuildPedigreePage(const WABSCollection& collection, int32_t subject, int marriage) {
    PedigreePage page = BuildPedigreePage(collection, subject);
    for (int k = 1; k < marriage && !page.families.empty(); ++k)
        ShowNextPedigreeSpouse(collection, page);
    return page;
}

PedigreeListItem PedigreeItem(const WABSCollection& collection, int32_t individual) {
    PedigreeListItem item;
    item.individual = individual;
    item.hasChildren = collection.HasChildren(individual);
    auto person = collection.Individual(individual);
    if (person) {
        item.qualifier = person->EventQualifierLetter(kEventBirth);
        item.birthYear = person->EventYear(kEventBirth);
        item.givenNames = person->GivenNames();
        item.lds = std::string(person->HasLDSEvent(kLDSBaptism) ? "B" : "-") +
                   (person->HasLDSEvent(kLDSEndowment) ? "E" : "-") +
                   (person->HasLDSEvent(kLDSSealingToParents) ? "P" : "-") +
                   (collection.HasSpouseSealing(individual, 0) ? "S" : "-");
    } else {
        item.lds = "----";
    }
    if (item.givenNames.empty()) item.givenNames = "<No Given Name>";
    return item;
}

WCharScreen::WCharScreen() {
    for (auto& line : cells_)
        line.fill(U' ');
}

void WCharScreen::Write(int line, int column, std::string_view text, int width) {
    if (line < 1 || line > kLines || column < 1) return;
    auto& cells = cells_[static_cast<size_t>(line - 1)];
    size_t from = 0;
    for (int i = 0; i < width && from < text.size(); ++i) {
        const int at = column + i;
        if (at >= kColumns) break;
        cells[static_cast<size_t>(at - 1)] = NextCodePoint(text, from);
    }
}

std::string WCharScreen::Line(int line) const {
    if (line < 1 || line > kLines) return {};
    const auto& cells = cells_[static_cast<size_t>(line - 1)];
    size_t used = cells.size();
    while (used > 0 && cells[used - 1] == U' ')
        --used;
    std::string text;
    for (size_t i = 0; i < used; ++i)
        AppendUtf8(text, cells[i]);
    return text;
}

std::string WCharScreen::Text() const {
    std::string text;
    for (int line = 1; line <= kLines; ++line)
        text += Line(line) + "\r\n";
    return text;
}

std::string PedigreeText(const WABSCollection& collection, const PedigreePage& page) {
    WCharScreen screen;
    const int32_t subject = page.subject;
    const int32_t father = page.Ancestor(2);
    const int32_t mother = page.Ancestor(3);
    const int32_t fathersFather = page.Ancestor(4);
    const int32_t fathersMother = page.Ancestor(5);
    const int32_t mothersFather = page.Ancestor(6);
    const int32_t mothersMother = page.Ancestor(7);
    if (page.current >= 1) screen.Write(26, 1, "Spouse", 40);
    WriteBox(collection, screen, page.spouse, 27, 1, 40, 0);
    WriteBox(collection, screen, subject, 12, 1, 45,
             collection.CommonSpouseFamily(subject, page.spouse));
    WriteBox(collection, screen, father, 5, 10, 40, collection.CommonSpouseFamily(father, mother));
    WriteBox(collection, screen, mother, 20, 10, 40, 0);
    WriteBox(collection, screen, fathersFather, 1, 44, 40,
             collection.CommonSpouseFamily(fathersFather, fathersMother));
    WriteBox(collection, screen, fathersMother, 9, 44, 40, 0);
    WriteBox(collection, screen, mothersFather, 16, 44, 40,
             collection.CommonSpouseFamily(mothersFather, mothersMother));
    WriteBox(collection, screen, mothersMother, 23, 44, 40, 0);
    return "PEDIGREE CHART\r\n" + screen.Text();
}

std::string PedigreeText(const WABSCollection& collection, int32_t subject, int marriage) {
    return PedigreeText(collection, BuildPedigreePage(collection, subject, marriage));
}

}  // namespace vx
