#include "gedcom/LinkArray.h"

#include <algorithm>

namespace vx {

WLinkArray::WLinkArray(int32_t expectedCount) : WABSArrayIndex("", sizeof(Node), expectedCount) {}

int32_t WLinkArray::NewList(int32_t value) {
    Node node{};
    node.entries[0] = {value};
    return Append(&node);
}

bool WLinkArray::AddToList(int32_t list, int32_t value, bool allowDuplicates) {
    if (!longLists_.empty())
        if (auto found = longLists_.find(list); found != longLists_.end())
            return AddToLongList(found->second, value, allowDuplicates);
    int32_t position = list;
    int32_t last = 0;
    for (int32_t steps = 0; position != 0 && steps < kShortNodes; ++steps) {
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
    // The chain goes on past a short list's length: from now on its table
    // answers for it.
    if (position != 0) {
        LongList* table = MakeLongList(list);
        return table && AddToLongList(*table, value, allowDuplicates);
    }
    if (last == 0) return false;
    const int32_t added = NewList(value);  // may move the store
    NodeAt(last)->next = added;
    return true;
}

WLinkArray::LongList* WLinkArray::MakeLongList(int32_t list) {
    LongList table;
    // Guards against a chain that loops, which a sound store never has.
    int32_t position = list;
    while (position != 0 && table.nodes.size() <= static_cast<size_t>(Count())) {
        const Node* node = NodeAt(position);
        if (!node) return nullptr;
        table.nodes.push_back(position);
        position = node->next;
    }
    if (position != 0) return nullptr;
    return &longLists_.emplace(list, std::move(table)).first->second;
}

bool WLinkArray::AddToLongList(LongList& table, int32_t value, bool allowDuplicates) {
    if (!allowDuplicates) {
        if (!table.valuesKnown) {
            for (int32_t position : table.nodes)
                for (const Entry& entry : NodeAt(position)->entries)
                    if (entry.value != 0) table.values.insert(entry.value);
            table.valuesKnown = true;
        }
        if (!table.values.insert(value).second) return false;
    } else if (table.valuesKnown) {
        table.values.insert(value);
    }
    const int32_t last = table.nodes.back();
    for (Entry& entry : NodeAt(last)->entries) {
        if (entry.value == 0) {
            entry = {value};
            return true;
        }
    }
    const int32_t added = NewList(value);  // may move the store
    NodeAt(last)->next = added;
    table.nodes.push_back(added);
    return true;
}

void WLinkArray::FinishLoading() {
    for (auto& [list, table] : longLists_) {
        table.values = {};
        table.valuesKnown = false;
    }
}

int64_t WLinkArray::UsedBytes() const {
    int64_t bytes = WABSArrayIndex::UsedBytes();
    for (const auto& [list, table] : longLists_)
        bytes += static_cast<int64_t>(table.nodes.capacity() * sizeof(int32_t));
    return bytes;
}

WLinkArray::Entry* WLinkArray::EntryAt(int32_t list, int32_t k) const {
    if (k < 1) return nullptr;
    const int32_t skip = (k - 1) / 3;
    int32_t position = list;
    const auto found = skip >= kShortNodes ? longLists_.find(list) : longLists_.end();
    if (found != longLists_.end()) {
        const std::vector<int32_t>& nodes = found->second.nodes;
        position = static_cast<size_t>(skip) < nodes.size() ? nodes[static_cast<size_t>(skip)] : 0;
    } else {
        // A short list, or one that has just passed the limit and gets its
        // table with its next value: walk, never further than the store.
        for (int32_t n = std::min(skip, Count()); n > 0 && position != 0; --n) {
            const Node* node = NodeAt(position);
            position = node ? node->next : 0;
        }
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
