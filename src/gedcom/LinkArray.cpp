#include "gedcom/LinkArray.h"

namespace vx {

WLinkArray::WLinkArray(int32_t expectedCount) : WABSArrayIndex("", sizeof(Node), expectedCount) {}

int32_t WLinkArray::NewList(int32_t value) {
    Node node{};
    node.entries[0] = {value};
    return Append(&node);
}

bool WLinkArray::AddToList(int32_t list, int32_t value, bool allowDuplicates) {
    int32_t position = list;
    int32_t last = 0;
    // Guards against a chain that loops, which a sound store never has.
    for (int32_t steps = 0; position != 0 && steps <= Count(); ++steps) {
        Node* node = NodeAt(position);
        if (!node) return false;
        for (Entry& entry : node->entries) {
            if (entry.value == 0) {
                entry = {value};
                return true;
            }
            if (!allowDuplicates && entry.value == value) return false;
        }
        last = position;
        position = node->next;
    }
    if (last == 0) return false;
    const int32_t added = NewList(value);  // may move the store
    NodeAt(last)->next = added;
    return true;
}

WLinkArray::Entry* WLinkArray::EntryAt(int32_t list, int32_t k) const {
    if (k < 1) return nullptr;
    int32_t position = list;
    for (int32_t skip = (k - 1) / 3; skip > 0 && position != 0; --skip) {
        const Node* node = NodeAt(position);
        position = node ? node->next : 0;
    }
    Node* node = position != 0 ? NodeAt(position) : nullptr;
    return node ? &node->entries[(k - 1) % 3] : nullptr;
}

int32_t WLinkArray::ValueAt(int32_t list, int32_t k) const {
    const Entry* entry = EntryAt(list, k);
    return entry ? entry->value : 0;
}

void WLinkArray::SetValueAt(int32_t list, int32_t k, int32_t value) {
    if (Entry* entry = EntryAt(list, k)) entry->value = value;
}

}  // namespace vx
