// The Pedigree tab without its widgets: five generations of ancestors in
// 31 panels, the spouse of the family shown, and the lists of siblings and
// children beside the chart; also the tab's "Copy to Clipboard" text, a
// chart of three generations drawn on a page of characters.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

class WABSCollection;

inline constexpr int kPedigreePanels = 31;
inline constexpr int kMaxPedigreeSiblings = 100;
inline constexpr int kMaxPedigreeChildren = 495;

struct PedigreePage {
    int32_t subject = 0;
    std::vector<int32_t> families;  // the subject's spouse families (PageFamilies)
    int current = 0;                // 1-based position in families; 0 without any
    int32_t family = 0;             // the family shown, 0 for none
    int32_t spouse = 0;             // the subject's partner in it, 0 for none
    bool spouseButtonVisible = false;
    bool spouseHasParents = false;  // the "+" beside the spouse panel

    // ancestors[k] is the individual of panel k (1 to 31, 0 unused): panel
    // 1 the subject, panels 2k and 2k + 1 the father and mother of panel k;
    // 0 where nobody is known.
    std::array<int32_t, kPedigreePanels + 1> ancestors{};

    std::vector<int32_t> siblings;  // the subject's first parent family, without the subject
    std::vector<int32_t> children;  // of the family shown, without the subject

    int32_t Ancestor(int panel) const {
        return panel >= 1 && panel <= kPedigreePanels ? ancestors[static_cast<size_t>(panel)] : 0;
    }
    // Panels 1 to 3 show name, birth and death; the others the name only.
    static int PanelLines(int panel) { return panel <= 3 ? 3 : 1; }
    // The "+" beside panel 16 to 31: that ancestor has a known parent.
    bool PanelHasPlus(const WABSCollection& collection, int panel) const;
    // The "+" beside panels 16 to 23 leads to the subject's father, beside
    // panels 24 to 31 to the mother.
    int32_t PlusTarget(int panel) const { return Ancestor(panel < 24 ? 2 : 3); }

    std::string SiblingsCaption() const;
    std::string ChildrenCaption() const;
};

// What the page does when it is shown for `subject`: the first spouse
// family; the siblings' and children's families put in order (when the
// settings ask for it).
PedigreePage BuildPedigreePage(const WABSCollection& collection, int32_t subject);

// The spouse button: the next family of the list, after the last the first.
void ShowNextPedigreeSpouse(const WABSCollection& collection, PedigreePage& page);

// Shown, then the spouse button pressed until the `marriage`-th family
// (1-based, counting on round the list) is shown.
PedigreePage BuildPedigreePage(const WABSCollection& collection, int32_t subject, int marriage);

// One entry of the siblings or children list.
struct PedigreeListItem {
    int32_t individual = 0;
    bool hasChildren = false;  // drawn as "+"
    std::string qualifier;     // the birth date's one-letter qualifier
    int birthYear = 0;         // 0 when unknown
    std::string givenNames;    // "<No Given Name>" when there are none
    std::string lds;           // "BEPS" with "-" for each ordinance missing
};
PedigreeListItem PedigreeItem(const WABSCollection& collection, int32_t individual);

// A page of 30 lines of 80 characters, spaces at first; lines and columns
// count from 1. Nothing is ever written into the last column.
class WCharScreen {
  public:
    static constexpr int kLines = 30;
    static constexpr int kColumns = 80;

    WCharScreen();
    // At most `width` characters of `text` from line `line`, column
    // `column` on; characters that would fall outside the page are lost.
    void Write(int line, int column, std::string_view text, int width);
    // The line without trailing spaces.
    std::string Line(int line) const;
    // Every line without trailing spaces, each ended by CR LF.
    std::string Text() const;

  private:
    std::array<std::array<char32_t, kColumns>, kLines> cells_;  // one character each
};

// "Copy to Clipboard": the subject, parents, grandparents and the spouse
// of the family shown, with birth, death and marriage lines. Without a
// subject the chart is blank.
std::string PedigreeText(const WABSCollection& collection, const PedigreePage& page);

// The text right after the page was shown for `subject` with its
// `marriage`-th family (1 = first).
std::string PedigreeText(const WABSCollection& collection, int32_t subject, int marriage);

}  // namespace vx
