#include "gedcom/IndLinks.h"

#include <cstring>

#include "app/TextUtil.h"

namespace vx {

WIndLinks::WIndLinks(int32_t individualCount)
    : WABSArrayIndex("", sizeof(Record), individualCount),
      parentStore_(individualCount / 3),
      spouseStore_(individualCount / 3) {
    SetCount(individualCount);
}

bool WIndLinks::Load(int32_t individual, Record& record) const {
    const char* item = Item(individual);
    if (!item) return false;
    std::memcpy(&record, item, sizeof record);
    return true;
}

void WIndLinks::Add(FamilyList& list, WLinkArray& store, int32_t family) {
    if (list.count == 0) {
        list.first = family;
        list.count = 1;
    } else if (family != list.first) {
        if (list.further == 0) {
            list.further = store.NewList(family);
            ++list.count;
        } else if (store.AddToList(list.further, family, false)) {
            ++list.count;
        }
    }
}

int32_t WIndLinks::At(const FamilyList& list, const WLinkArray& store, int32_t k) {
    if (k < 1 || k > list.count) return 0;
    return k == 1 ? list.first : store.ValueAt(list.further, k - 1);
}

void WIndLinks::AddParentFamily(int32_t individual, int32_t family) {
    Record r;
    if (!Load(individual, r)) return;
    Add(r.parents, parentStore_, family);
    SetItem(individual, &r);
}

void WIndLinks::AddSpouseFamily(int32_t individual, int32_t family) {
    Record r;
    if (!Load(individual, r)) return;
    Add(r.spouses, spouseStore_, family);
    SetItem(individual, &r);
}

int32_t WIndLinks::ParentFamilyCount(int32_t individual) const {
    Record r;
    return Load(individual, r) ? r.parents.count : 0;
}

int32_t WIndLinks::ParentFamily(int32_t individual, int32_t k) const {
    Record r;
    return Load(individual, r) ? At(r.parents, parentStore_, k) : 0;
}

int32_t WIndLinks::SpouseFamilyCount(int32_t individual) const {
    Record r;
    return Load(individual, r) ? r.spouses.count : 0;
}

int32_t WIndLinks::SpouseFamily(int32_t individual, int32_t k) const {
    Record r;
    return Load(individual, r) ? At(r.spouses, spouseStore_, k) : 0;
}

void WIndLinks::SetSpouseFamilies(int32_t individual, const std::vector<int32_t>& families) {
    Record r;
    if (!Load(individual, r) || families.empty()) return;
    const int32_t listed = r.spouses.count;  // a copy: the record is packed
    const int32_t count = std::min(listed, static_cast<int32_t>(families.size()));
    r.spouses.first = families[0];
    for (int32_t k = 2; k <= count; ++k)
        spouseStore_.SetValueAt(r.spouses.further, k - 1, families[k - 1]);
    SetItem(individual, &r);
}

bool WIndLinks::SpouseFamiliesOrdered(int32_t individual) const {
    Record r;
    return Load(individual, r) && TestBit(r.flags, 1);
}

void WIndLinks::SetSpouseFamiliesOrdered(int32_t individual) {
    Record r;
    if (!Load(individual, r)) return;
    SetBit(r.flags, 1);
    SetItem(individual, &r);
}

}  // namespace vx
