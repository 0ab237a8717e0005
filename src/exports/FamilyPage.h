// The Family tab without its widgets: the active person, one spouse family
// at a time with the parents of both partners, and the grid of that
// family's children with their own first spouses; also the tab's "Copy to
// Clipboard" text. The view shows each individual with an individual panel
// and the children in the grid described by FamilyGridCaption and
// FamilyGridCell.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vx {

class WABSCollection;

// A person's spouse families as the Family and Pedigree pages step through
// them: in the person's own order, at most kMaxPageFamilies of them.
inline constexpr int kMaxPageFamilies = 255;
std::vector<int32_t> PageFamilies(const WABSCollection& collection, int32_t subject);

// One child of the family shown.
struct FamilyChildRow {
    int32_t child = 0;
    std::string sex;    // the child's sex letter
    std::string birth;  // birth date, else "[christening date]" when FamBirChr is on
    std::string death;  // death date, else "[burial date]" when FamBirChr is on
    // The child's own first spouse family, when it has another spouse: how
    // many spouse families the child has, that spouse, and whether that
    // family has children. Otherwise 0, 0 and false.
    int spouseFamilies = 0;
    int32_t spouse = 0;
    bool spouseFamilyHasChildren = false;
};

// The grid holds at most this many children.
inline constexpr int kMaxFamilyRows = 500;

struct FamilyPage {
    int32_t subject = 0;
    std::vector<int32_t> families;  // see PageFamilies
    int current = 0;                // 1-based position in families; 0 without any
    int32_t family = 0;             // the family shown, 0 for none
    int32_t spouse = 0;             // the subject's partner in it, 0 for none

    std::string marriageInfo;   // date and place of the marriage shown
    std::string spouseCounter;  // "(2 of 3)" with two or more families, else empty
    bool nextSpouseVisible = false;

    // Panels: the subject's parents and the spouse's parents.
    int32_t subjectFather = 0;
    int32_t subjectMother = 0;
    int32_t spouseFather = 0;
    int32_t spouseMother = 0;
    // The "+" beside each parent panel, in the order subject's father,
    // subject's mother, spouse's father, spouse's mother: shown when that
    // parent has a known parent.
    std::array<bool, 4> parentHasParents{};

    std::vector<FamilyChildRow> children;
};

// What the page does when it is shown for `subject`: the first spouse
// family, with its children put in order (when the settings ask for it).
FamilyPage BuildFamilyPage(const WABSCollection& collection, int32_t subject);

// "Next Spouse": the next family of the list, after the last the first.
void ShowNextSpouse(const WABSCollection& collection, FamilyPage& page);

// The page shown and then "Next Spouse" pressed until the `marriage`-th
// family (1-based, counting on round the list) is shown.
FamilyPage BuildFamilyPage(const WABSCollection& collection, int32_t subject, int marriage);

// The children grid's columns, from 0. Captions depend on the FamBirChr
// setting and the child count.
enum FamilyGridColumn : int {
    kFamilyMarkColumn,  // "+" when the child has children of their own
    kFamilyChildColumn,
    kFamilySexColumn,
    kFamilyBirthColumn,
    kFamilyDeathColumn,
    kFamilySpouseColumn,
    kFamilyGridColumns
};
std::string FamilyGridCaption(const FamilyPage& page, int column);
std::string FamilyGridCell(const WABSCollection& collection, const FamilyChildRow& row, int column);

// Who is written as husband and who as wife: the subject is the husband
// when male, or of unknown sex with a partner who is female or of unknown
// sex; otherwise the partner (possibly nobody) is the husband.
struct FamilyCouple {
    int32_t husband = 0;
    int32_t wife = 0;
};
FamilyCouple HusbandAndWife(const WABSCollection& collection, int32_t subject, int32_t spouse);

// "Copy to Clipboard": the couple with their parents, then every child of
// the family shown in the order its links hold now. Empty without a subject.
std::string FamilyText(const WABSCollection& collection, const FamilyPage& page);

// The text right after the page was shown for `subject` with its
// `marriage`-th family (1 = first).
std::string FamilyText(const WABSCollection& collection, int32_t subject, int marriage);

}  // namespace vx
