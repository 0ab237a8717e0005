#include "gedcom/FamLinks.h"

#include <cstring>

#include "app/TextUtil.h"

namespace vx {

WFamLinks::WFamLinks(int32_t familyCount)
    : WABSArrayIndex("", sizeof(Record), familyCount), children_(familyCount) {
    SetCount(familyCount);
}

bool WFamLinks::Load(int32_t family, Record& record) const {
    const char* item = Item(family);
    if (!item) return false;
    std::memcpy(&record, item, sizeof record);
    return true;
}

void WFamLinks::SetHusband(int32_t family, int32_t individual) {
    Record r;
    if (!Load(family, r)) return;
    r.husband = individual;
    Store(family, r);
}

void WFamLinks::SetWife(int32_t family, int32_t individual) {
    Record r;
    if (!Load(family, r)) return;
    r.wife = individual;
    Store(family, r);
}

void WFamLinks::AddChild(int32_t family, int32_t individual) {
    Record r;
    if (!Load(family, r)) return;
    ClearBit(r.flags, 1);
    if (r.childCount == 0) {
        r.children = children_.NewList(individual);
        r.childCount = 1;
    } else if (children_.AddToList(r.children, individual, false)) {
        ++r.childCount;
    }
    Store(family, r);
}

int32_t WFamLinks::Husband(int32_t family) const {
    Record r;
    return Load(family, r) ? r.husband : 0;
}

int32_t WFamLinks::Wife(int32_t family) const {
    Record r;
    return Load(family, r) ? r.wife : 0;
}

int32_t WFamLinks::ChildCount(int32_t family) const {
    Record r;
    return Load(family, r) ? r.childCount : 0;
}

int32_t WFamLinks::Child(int32_t family, int32_t k) const {
    Record r;
    if (!Load(family, r) || k < 1 || k > r.childCount) return 0;
    return children_.ValueAt(r.children, k);
}

void WFamLinks::SetChildren(int32_t family, const std::vector<int32_t>& children) {
    Record r;
    if (!Load(family, r)) return;
    const int32_t listed = r.childCount;  // a copy: the record is packed
    const int32_t count = std::min(listed, static_cast<int32_t>(children.size()));
    for (int32_t k = 1; k <= count; ++k)
        children_.SetValueAt(r.children, k, children[k - 1]);
}

bool WFamLinks::ChildrenOrdered(int32_t family) const {
    Record r;
    return Load(family, r) && TestBit(r.flags, 1);
}

void WFamLinks::SetChildrenOrdered(int32_t family) {
    Record r;
    if (!Load(family, r)) return;
    SetBit(r.flags, 1);
    Store(family, r);
}

}  // namespace vx
