// Husband, wife and children of every family, built once at load time from
// both directions of the GEDCOM links.
#pragma once

#include "gedcom/LinkArray.h"

namespace vx {

class WFamLinks : public WABSArrayIndex {
  public:
    explicit WFamLinks(int32_t familyCount);

    void SetHusband(int32_t family, int32_t individual);
    void SetWife(int32_t family, int32_t individual);
    // Adds a child not yet listed, at the end; clears the children's order.
    void AddChild(int32_t family, int32_t individual);
    // Loading is over: releases what only adding children needs.
    void FinishLoading() { children_.FinishLoading(); }
    int32_t Husband(int32_t family) const;
    int32_t Wife(int32_t family) const;
    int32_t ChildCount(int32_t family) const;
    // The k-th child, or 0.
    int32_t Child(int32_t family, int32_t k) const;
    // Rewrites the children in a new order (a permutation of the listed ones).
    void SetChildren(int32_t family, const std::vector<int32_t>& children);
    bool ChildrenOrdered(int32_t family) const;
    void SetChildrenOrdered(int32_t family);

    int64_t UsedBytes() const override {
        return WABSArrayIndex::UsedBytes() + children_.UsedBytes();
    }

  private:
#pragma pack(push, 1)
    struct Record {
        uint8_t flags;  // bit 1: the children are in their final order
        int32_t husband;
        int32_t wife;
        int32_t childCount;
        int32_t children;  // first node in the children store
    };
#pragma pack(pop)
    static_assert(sizeof(Record) == 17);

    bool Load(int32_t family, Record& record) const;
    void Store(int32_t family, const Record& record) {
        SetItem(family, &record);
    }

    WLinkArray children_;
};

}  // namespace vx
