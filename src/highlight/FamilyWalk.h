// Walking a person's families for the conditions: each readable spouse or
// parent family in file order. A visit returning true stops the walk.
#pragma once

#include <memory>

#include "gedcom/ABSCollection.h"
#include "records/Individual.h"
#include "records/Marriage.h"

namespace vx {

inline std::unique_ptr<WABSMarriage> FamilyIfReadable(const WABSCollection& collection,
                                                      int32_t family) {
    return family >= 1 && family <= collection.FamilyCount() ? collection.Family(family) : nullptr;
}

// True when a visit stopped the walk.
template <class Visit>
bool ForEachSpouseFamily(const WABSCollection& collection, const WABSIndividual& person,
                         Visit visit) {
    for (int i = 1; i <= person.SpouseFamilyCount(); ++i)
        if (auto family = FamilyIfReadable(collection, person.SpouseFamily(i)))
            if (visit(*family)) return true;
    return false;
}

template <class Visit>
bool ForEachParentFamily(const WABSCollection& collection, const WABSIndividual& person,
                         Visit visit) {
    for (int i = 1; i <= person.ParentFamilyCount(); ++i)
        if (auto family = FamilyIfReadable(collection, person.ParentFamily(i)))
            if (visit(*family)) return true;
    return false;
}

// Every child of a family, in the order its links hold.
template <class Visit>
bool ForEachChild(const WABSMarriage& family, Visit visit) {
    for (int k = 1; k <= family.ChildCount(); ++k)
        if (visit(family.Child(k))) return true;
    return false;
}

}  // namespace vx
