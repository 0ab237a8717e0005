#include "analysis/DesIterator.h"

#include <cstring>
#include <vector>

#include "gedcom/ABSCollection.h"
#include "records/Individual.h"

namespace vx {

bool WDesIterator::SetCollection(const WABSCollection* collection) {
    collection_ = collection;
    return collection != nullptr;
}

DesRow WDesIterator::Row(int32_t position) const {
    DesRow row{};
    if (const char* item = Item(position)) std::memcpy(&row, item, sizeof row);
    return row;
}

void WDesIterator::AddRow(int generation, int marriage, int marriageCount, int32_t individual,
                          int32_t spouse, bool duplicate) {
    DesRow row{};
    row.generation = static_cast<int16_t>(generation);
    row.marriage = static_cast<uint8_t>(std::min(marriage, 255));
    row.marriageCount = static_cast<uint8_t>(std::min(marriageCount, 255));
    row.individual = individual;
    row.spouse = spouse;
    row.duplicate = duplicate ? 1 : 0;
    Append(&row);
}

// Depth first: a person's marriage rows in order, each followed by the
// children of that marriage and their descendants. The frames of an
// explicit stack stand for the nested calls of a recursive walk, so the
// rows come out in the same order however deep the family goes.
bool WDesIterator::BuildDescendants(int32_t start, int limit, bool showDuplicates) {
    start_ = start;
    processed_ = -1;
    Reset();
    if (start <= 0 || !collection_) return false;
    if (limit < 1 || limit > kMaxGenerations) limit = kMaxGenerations;
    listed_ =
        showDuplicates ? nullptr : std::make_unique<WBoolArray>(collection_->IndividualCount());

    struct Frame {
        int32_t person;
        int generation;
        std::unique_ptr<WABSIndividual> record;
        int marriage = 0;  // the spouse family being expanded
        std::unique_ptr<WABSMarriage> family;
        int child = 0;  // the last child walked in it
    };
    std::vector<Frame> stack;
    // Visits a person: its rows are added here or when its frame runs.
    auto enter = [&](int32_t person, int generation) {
        if (generation > limit) return;
        if (listed_) {
            if (listed_->GetFlag(person)) {
                AddRow(generation, 0, 0, person, 0, true);
                return;
            }
            listed_->SetFlag(person, true);
        }
        ++processed_;
        auto record = collection_->Individual(person);
        if (!record) return;
        if (record->SpouseFamilyCount() == 0) {
            AddRow(generation, 0, 0, person, 0, false);
            return;
        }
        stack.push_back(Frame{person, generation, std::move(record), 0, nullptr, 0});
    };
    enter(start, 0);
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.family && top.child < top.family->ChildCount()) {
            const int32_t child = top.family->Child(++top.child);
            const int generation = top.generation + 1;
            if (child > 0) enter(child, generation);
            continue;
        }
        if (top.marriage >= top.record->SpouseFamilyCount()) {
            stack.pop_back();
            continue;
        }
        const int count = top.record->SpouseFamilyCount();
        const int32_t f = top.record->SpouseFamily(++top.marriage);
        top.family = (f > 0 && f <= collection_->FamilyCount()) ? collection_->Family(f) : nullptr;
        top.child = 0;
        if (top.family) {
            const int32_t spouse =
                top.family->Husband() == top.person ? top.family->Wife() : top.family->Husband();
            AddRow(top.generation, top.marriage, count, top.person, spouse, false);
        }
    }
    return true;
}

}  // namespace vx
