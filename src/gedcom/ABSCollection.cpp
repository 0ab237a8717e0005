#include "gedcom/ABSCollection.h"

namespace vx {
namespace {

constexpr const char* kLinkWords[37] = {
    "Unknown",                                                                         // 0
    "Father",   "Father-Ado", "Father-Ste", "Father-God", "Father-Fst", "Father-Oth",  // 1-6
    "Mother",   "Mother-Ado", "Mother-Ste", "Mother-God", "Mother-Fst", "Mother-Oth",  // 7-12
    "Parent",   "Parent-Ado", "Parent-Ste", "Parent-God", "Parent-Fst", "Parent-Oth",  // 13-18
    "Son",      "Son-Ado",    "Son-Ste",    "Son-God",    "Son-Fst",    "Son-Oth",     // 19-24
    "Daughter", "Dau-Ado",    "Dau-Ste",    "Dau-God",    "Dau-Fst",    "Dau-Oth",     // 25-30
    "Child",    "Child-Ado",  "Child-Ste",  "Child-God",  "Child-Fst",  "Child-Oth",   // 31-36
};

constexpr int kSonRow = 19, kDaughterRow = 25, kChildRow = 31;

}  // namespace

std::string WABSCollection::ParentLinkName(int kind) const {
    return (kind >= 0 && kind <= 36) ? kLinkWords[kind] : "";
}

std::string WABSCollection::ChildLinkName(int kind, std::string_view sex) const {
    if (kind < 0 || kind > 18) return {};
    if (kind == 0) return kLinkWords[0];
    int row = kChildRow;
    if (sex == "M" || sex == "m") row = kSonRow;
    if (sex == "F" || sex == "f") row = kDaughterRow;
    return kLinkWords[row + (kind - 1) % 6];
}

}  // namespace vx
