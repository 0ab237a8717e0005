// Variable-length lists of record numbers kept in one shared store: each
// list is a chain of nodes of three entries, named by its first node.
//
// Almost every list is short, and a short list is simply walked. A list
// that outgrows kShortNodes nodes (a family with hundreds of children, a
// person in hundreds of families) gets a side table of its nodes, so that
// appending and reading its k-th value take constant time, and, while the
// file loads, the set of its values, so that refusing a duplicate does too.
#pragma once

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "storage/ABSArrayIndex.h"

namespace vx {

class WLinkArray : public WABSArrayIndex {
  public:
    // Lists up to this many nodes are walked from their first node.
    static constexpr int32_t kShortNodes = 16;

    explicit WLinkArray(int32_t expectedCount = 0);

    // A new list holding `value`; returns its first node.
    int32_t NewList(int32_t value);
    // Appends `value`; false when it is already listed and duplicates are
    // not allowed.
    bool AddToList(int32_t list, int32_t value, bool allowDuplicates);
    // The k-th value (from 1), or 0.
    int32_t ValueAt(int32_t list, int32_t k) const;
    void SetValueAt(int32_t list, int32_t k, int32_t value);
    // Loading is over: the value sets of long lists are released (a later
    // AddToList rebuilds the set of its list).
    void FinishLoading();

    int64_t UsedBytes() const override;

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

    struct LongList {
        std::vector<int32_t> nodes;  // positions of the chain's nodes, in order
        std::unordered_set<int32_t> values;
        bool valuesKnown = false;
    };

    Node* NodeAt(int32_t position) const { return reinterpret_cast<Node*>(Item(position)); }
    Entry* EntryAt(int32_t list, int32_t k) const;
    // Makes the side table of a list whose chain has passed kShortNodes
    // nodes; null for a chain that is not sound.
    LongList* MakeLongList(int32_t list);
    bool AddToLongList(LongList& table, int32_t value, bool allowDuplicates);

    std::unordered_map<int32_t, LongList> longLists_;
};

}  // namespace vx
