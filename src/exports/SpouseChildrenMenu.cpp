#include "exports/SpouseChildrenMenu.h"

#include <algorithm>

#include "gedcom/ABSCollection.h"
#include "records/Individual.h"
#include "records/Marriage.h"

namespace vx {
namespace {

// The width a birth year and its blank take, kept when there is no year so
// the names line up.
constexpr size_t kYearWidth = 8;

// Menu items are separated by ";", so a name must not carry one.
std::string ItemSafe(std::string text) {
    std::replace(text.begin(), text.end(), ';', ',');
    return text;
}

}  // namespace

std::string SpouseAndChildrenItems(const WABSCollection& collection, int32_t individual,
                                   std::vector<int32_t>& people) {
    people.clear();
    std::string items;
    const auto person = collection.Individual(individual);
    const auto full = [&people] {
        return people.size() >= static_cast<size_t>(kMaxSpouseChildrenItems);
    };
    for (int k = 1; person && k <= person->SpouseFamilyCount() && !full(); ++k) {
        const int32_t number = person->SpouseFamily(k);
        if (number < 1 || number > collection.FamilyCount()) continue;
        const auto family = collection.Family(number);
        if (!family) continue;
        const int32_t spouse = family->OtherSpouse(individual);
        people.push_back(spouse);
        items +=
            "Spouse: " + ItemSafe(spouse ? collection.DisplayNameOf(spouse) : "<No Given Name>") +
            ";";
        family->SortChildren();
        for (int c = 1; c <= family->ChildCount() && !full(); ++c) {
            const int32_t child = family->Child(c);
            if (child <= 0) continue;
            const auto kid = collection.Individual(child);
            const int year = kid ? kid->EventYear(kEventBirth) : 0;
            std::string text = collection.HasChildren(child) ? "< " : "   ";
            text += year != 0 ? std::to_string(year) + " " : std::string(kYearWidth, ' ');
            text += kid ? kid->DisplayName() : std::string();
            people.push_back(child);
            items += "   " + ItemSafe(text) + ";";
        }
    }
    // The separator after the last item becomes a blank.
    if (!items.empty()) items.back() = ' ';
    return items;
}

}  // namespace vx
