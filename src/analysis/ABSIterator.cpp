#include "analysis/ABSIterator.h"

#include <cstring>

#include "app/TextUtil.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"

namespace vx {

char* WABSIterator::GoTo(int32_t position) {
    position_ = InRange(position) ? position : 0;
    return Item(position_);
}

WCollectionIterator::WCollectionIterator(const WABSCollection* collection, int32_t expectedCount)
    : WABSIterator(4, expectedCount), collection_(collection) {}

int32_t WCollectionIterator::IDOf(const char* record) {
    if (!record) return 0;
    int32_t id;
    std::memcpy(&id, record, 4);
    return id;
}

int32_t WCollectionIterator::FirstID() {
    return IDOf(First());
}
int32_t WCollectionIterator::NextID() {
    return IDOf(Next());
}
int32_t WCollectionIterator::PrevID() {
    return IDOf(Prev());
}
int32_t WCollectionIterator::LastID() {
    return IDOf(Last());
}
int32_t WCollectionIterator::ItemID(int32_t position) {
    return IDOf(Item(position));
}

void WCollectionIterator::EnsureBuilt() {
    if (built_) return;
    built_ = true;
    Build();
}

int32_t WCollectionIterator::IndexOfID(int32_t individual) {
    const int32_t count = Count();
    for (int32_t i = 1; i <= count; ++i)
        if (ItemID(i) == individual) return i;
    return 0;
}

// Up to two keys, each compared with a text of the entry's individual.
struct WCollectionIterator::NameKeys {
    enum Field { kSurname, kGiven, kFullName, kRefNumber, kNone };
    Field fields[2];
    std::string keys[2];

    // The person's text a key of that field is compared with.
    static std::string FieldText(const WABSIndividual& person, Field field) {
        switch (field) {
            case kSurname:
                return person.SurnameText();
            case kGiven:
                return person.GivenNames();
            case kFullName:
                return person.FullName(false);
            case kRefNumber:
                return person.RefNumber();
            case kNone:
                break;
        }
        return {};
    }
};

int32_t WCollectionIterator::FindByKeys(const NameKeys& keys) {
    const WABSCollection* collection = collection_;
    auto compareEntry = [&](int32_t id) {
        if (!collection) return 0;
        auto person = collection->Individual(id);
        if (!person) return 0;
        for (int k = 0; k < 2; ++k) {
            if (keys.fields[k] == NameKeys::kNone) continue;
            if (int r = ComparePrefixIgnoringCase(NameKeys::FieldText(*person, keys.fields[k]),
                                                  keys.keys[k]))
                return r;
        }
        return 0;
    };
    auto matches = [&](int32_t position) { return compareEntry(ItemID(position)) == 0; };

    bool found = false;
    const int32_t r =
        FindNearestWith([&](const char* record, const char*) { return compareEntry(IDOf(record)); },
                        nullptr, found);
    if (r != 0 && !matches(r)) return r > 1 ? r - 1 : 1;
    if (!found || r == 0) return r;
    int32_t first = r;
    while (first > 1 && matches(first - 1))
        --first;
    return first;
}

int32_t WCollectionIterator::FindName(const std::string& surnameKey, const std::string& givenKey) {
    return FindByKeys({{NameKeys::kSurname, NameKeys::kGiven}, {surnameKey, givenKey}});
}

int32_t WCollectionIterator::FindNameText(const std::string& text) {
    return FindByKeys({{NameKeys::kFullName, NameKeys::kNone}, {text, {}}});
}

int32_t WCollectionIterator::FindRefNumber(const std::string& text) {
    return FindByKeys({{NameKeys::kRefNumber, NameKeys::kNone}, {text, {}}});
}

}  // namespace vx
