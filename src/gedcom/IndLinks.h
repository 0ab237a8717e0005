// Parent families and spouse families of every individual, built once at
// load time from both directions of the GEDCOM links.
#pragma once

#include <vector>

#include "gedcom/LinkArray.h"

namespace vx {

class WIndLinks : public WABSArrayIndex {
  public:
    // The only link kinds the GEDCOM model knows: birth mother and father.
    static constexpr int32_t kMotherLink = 7;
    static constexpr int32_t kFatherLink = 1;

    explicit WIndLinks(int32_t individualCount);

    void AddParentFamily(int32_t individual, int32_t family);
    void AddSpouseFamily(int32_t individual, int32_t family);
    // Loading is over: releases what only adding links needs.
    void FinishLoading() {
        parentStore_.FinishLoading();
        spouseStore_.FinishLoading();
    }
    int32_t ParentFamilyCount(int32_t individual) const;
    int32_t ParentFamily(int32_t individual, int32_t k) const;
    int32_t SpouseFamilyCount(int32_t individual) const;
    int32_t SpouseFamily(int32_t individual, int32_t k) const;
    // Rewrites the spouse families in a new order (a permutation).
    void SetSpouseFamilies(int32_t individual, const std::vector<int32_t>& families);
    bool SpouseFamiliesOrdered(int32_t individual) const;
    void SetSpouseFamiliesOrdered(int32_t individual);

    int64_t UsedBytes() const override {
        return WABSArrayIndex::UsedBytes() + parentStore_.UsedBytes() + spouseStore_.UsedBytes();
    }

  private:
#pragma pack(push, 1)
    struct FamilyList {
        int32_t count;
        int32_t first;
        int32_t further;  // first node of the second and later families
    };
    struct Record {
        uint8_t flags;  // bit 1: the spouse families are in their final order
        FamilyList parents;
        FamilyList spouses;
    };
#pragma pack(pop)
    static_assert(sizeof(Record) == 25);

    bool Load(int32_t individual, Record& record) const;
    static void Add(FamilyList& list, WLinkArray& store, int32_t family);
    static int32_t At(const FamilyList& list, const WLinkArray& store, int32_t k);

    WLinkArray parentStore_;
    WLinkArray spouseStore_;
};

}  // namespace vx
