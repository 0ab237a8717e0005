#include "gedcom/FamilyOrder.h"

#include <memory>
#include <vector>

#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "gedcom/GEDIndividual.h"
#include "gedcom/GEDMarriage.h"

namespace vx {
namespace {

// Byte order with a to z folded to capitals; a prefix sorts first.
int CompareFolded(const std::string& a, const std::string& b) {
    auto fold = [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; };
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int x = fold(static_cast<unsigned char>(a[i])),
                  y = fold(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

struct SpouseFamily {
    int32_t family;
    std::unique_ptr<WGEDMarriage> marriage;
    std::string otherSpouseName;
};

int CompareFamilies(const SpouseFamily& a, const SpouseFamily& b) {
    const WDate* x = a.marriage->MarriageDate();
    const WDate* y = b.marriage->MarriageDate();
    int result = 0;
    if (x && y)
        result = x->Compare(y);
    else if (x)
        result = 1;
    else if (y)
        result = -1;
    return result != 0 ? result : CompareFolded(a.otherSpouseName, b.otherSpouseName);
}

}  // namespace

void OrderSpouseFamilies(const WGEDCollection& collection) {
    WIndLinks& links = collection.IndividualLinks();
    for (int32_t person = 1; person <= collection.IndividualCount(); ++person) {
        const int count = links.SpouseFamilyCount(person);
        if (count < 2 || links.SpouseFamiliesOrdered(person)) continue;
        const int sorted = std::min(count, kMaxSortedSpouseFamilies);
        std::vector<SpouseFamily> families;
        for (int k = 1; k <= sorted; ++k) {
            SpouseFamily entry{links.SpouseFamily(person, k), nullptr, {}};
            entry.marriage = std::make_unique<WGEDMarriage>(collection, entry.family);
            if (const int32_t other = entry.marriage->OtherSpouse(person))
                entry.otherSpouseName = WGEDIndividual(collection, other).FullName(true);
            families.push_back(std::move(entry));
        }
        for (size_t c = 0; c + 1 < families.size(); ++c)
            for (size_t d = c + 1; d < families.size(); ++d)
                if (CompareFamilies(families[c], families[d]) > 0)
                    std::swap(families[c], families[d]);
        std::vector<int32_t> order;
        for (const SpouseFamily& entry : families)
            order.push_back(entry.family);
        for (int k = sorted + 1; k <= count; ++k)
            order.push_back(links.SpouseFamily(person, k));
        links.SetSpouseFamilies(person, order);
        links.SetSpouseFamiliesOrdered(person);
    }
}

void SortChildren(const WGEDCollection& collection, int32_t family) {
    WFamLinks& links = collection.FamilyLinks();
    const int count = links.ChildCount(family);
    if (!WOptions::GetFlag(opt::kSortChildren) || count < 2 || links.ChildrenOrdered(family))
        return;
    const int sorted = std::min(count, kMaxSortedChildren);
    struct Child {
        int32_t individual;
        std::unique_ptr<WABSVitEvent> birth;  // keeps the date alive during the sort
        const WDate* date;
    };
    std::vector<Child> children;
    for (int k = 1; k <= sorted; ++k) {
        Child child{links.Child(family, k), nullptr, nullptr};
        if (child.individual > 0 && child.individual <= collection.IndividualCount()) {
            child.birth = WGEDIndividual(collection, child.individual).Event(kEventBirth, 1);
            if (child.birth) child.date = child.birth->Date();
        }
        children.push_back(std::move(child));
    }
    for (size_t i = 0; i + 1 < children.size(); ++i)
        for (size_t j = i + 1; j < children.size(); ++j) {
            const WDate* t = children[i].date;
            const WDate* u = children[j].date;
            if (!t || (u && t->Compare(u) > 0)) std::swap(children[i], children[j]);
        }
    std::vector<int32_t> order;
    for (const Child& child : children)
        order.push_back(child.individual);
    for (int k = sorted + 1; k <= count; ++k)
        order.push_back(links.Child(family, k));
    links.SetChildren(family, order);
    links.SetChildrenOrdered(family);
}

}  // namespace vx
