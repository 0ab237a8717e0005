// Variable-length lists of record numbers kept in one shared store: each
// list is a chain of nodes of three entries, named by its first node.
#pragma once

#include "analysis/ABSArrayIndex.h"

namespace vx {

class WLinkArray : public WABSArrayIndex {
  public:
    explicit WLinkArray(int32_t expectedCount = 0);

    // A new list holding `value`; returns its first node.
    int32_t NewList(int32_t value);
    // Appends `value`; false when it is already listed and duplicates are
    // not allowed.
    bool AddToList(int32_t list, int32_t value, bool allowDuplicates);
    // The k-th value (from 1), or 0.
    int32_t ValueAt(int32_t list, int32_t k) const;
    void SetValueAt(int32_t list, int32_t k, int32_t value);

  private:
    // Link kinds are not stored with the entries: a GEDCOM file knows only
    // birth parents, whose kinds are constants.
    struct Entry {
        int32_t value;  // 0: empty
    };
    struct Node {
        Entry entries[3];
        int32_t next;  // 0 at the end of the chain
    };
    static_assert(sizeof(Node) == 16);

    Node* NodeAt(int32_t position) const { return reinterpret_cast<Node*>(Item(position)); }
    Entry* EntryAt(int32_t list, int32_t k) const;
};

}  // namespace vx
