#include "columns/AttribArray.h"

#include <algorithm>
#include <cstring>

#include "analysis/ABSIterator.h"
#include "app/CancelPoll.h"
#include "app/Services.h"
#include "app/TextUtil.h"
#include "app/Unicode.h"
#include "columns/Attrib.h"
#include "columns/SortKey.h"
#include "gedcom/ABSCollection.h"
#include "storage/TypedArrays.h"

namespace vx {
namespace {

constexpr int32_t kPumpEvery = 50;

int Sign(int64_t value) {
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

int32_t IndividualsOf(const WCollectionIterator& iterator) {
    const WABSCollection* collection = iterator.Collection();
    return collection ? collection->IndividualCount() : 0;
}

// A short text record: a length byte, then the bytes.
void PutShortText(char* record, std::string_view text) {
    record[0] = static_cast<char>(text.size());
    std::memcpy(record + 1, text.data(), text.size());
}

std::string_view ShortText(const char* record) {
    if (!record) return {};
    return {record + 1, static_cast<uint8_t>(record[0])};
}

// Date records: the sort text, then the key of the date read from it.
constexpr size_t kMaxUtf8Bytes = 4;
constexpr size_t kDateTextBytes = 1 + WAttribDateArray::kMaxText * kMaxUtf8Bytes;
struct DateRecordKey {
    bool present = false;  // the text is not empty
    DateSortKey key;
};
constexpr int32_t kDateRecordSize = kDateTextBytes + sizeof(DateRecordKey);

// Age records.
constexpr int32_t kAgeRecordSize = sizeof(AgeValue);

}  // namespace

WAttribArray::WAttribArray(int32_t recordSize, const WCollectionIterator& iterator)
    : WABSArrayIndex("", recordSize, IndividualsOf(iterator)),
      individualCount_(IndividualsOf(iterator)) {
    SetCount(individualCount_);
}

void WAttribArray::Fill(WCollectionIterator& iterator, const WAttrib& attribute) {
    // The stored order is read directly: the reading direction of a sorted
    // list does not matter here.
    iterator.EnsureBuilt();
    const int32_t count = iterator.WABSArrayIndex::Count();
    CancelPoll poll;
    for (int32_t i = 1; i <= count; ++i) {
        if (i % kPumpEvery == 0) PumpMessages();
        if (poll.Cancelled()) return;
        const int32_t individual = iterator.WCollectionIterator::ItemID(i);
        if (individual >= 1 && individual <= individualCount_) StoreValue(attribute, individual);
    }
    // A walk inside the last value may have seen the Cancel too.
    filled_ = !WorkCancelled();
}

const char* WAttribArray::Record(int32_t individual) const {
    return individual >= 1 && individual <= individualCount_ ? Item(individual) : nullptr;
}

// ---- integers ----

WAttribIntArray::WAttribIntArray(WCollectionIterator& iterator, const WAttrib& attribute)
    : WAttribArray(4, iterator) {
    Fill(iterator, attribute);
}

void WAttribIntArray::StoreValue(const WAttrib& attribute, int32_t individual) {
    const int32_t value = attribute.GetInt(individual);
    SetItem(individual, &value);
}

int32_t WAttribIntArray::Value(int32_t individual) const {
    int32_t value = 0;
    if (const char* record = Record(individual)) std::memcpy(&value, record, 4);
    return value;
}

int WAttribIntArray::CompareIndividuals(int32_t a, int32_t b) const {
    if (a == 0 || b == 0) return 0;
    return Sign(static_cast<int64_t>(Value(a)) - Value(b));
}

// ---- floats ----

WAttribFloatArray::WAttribFloatArray(WCollectionIterator& iterator, const WAttrib& attribute)
    : WAttribArray(WFloatArray::kRecordSize, iterator) {
    Fill(iterator, attribute);
}

void WAttribFloatArray::StoreValue(const WAttrib& attribute, int32_t individual) {
    const long double value = attribute.GetFloat(individual);
    std::memcpy(Item(individual), &value, WFloatArray::kRecordSize);
}

long double WAttribFloatArray::Value(int32_t individual) const {
    long double value = 0;
    if (const char* record = Record(individual))
        std::memcpy(&value, record, WFloatArray::kRecordSize);
    return value;
}

int WAttribFloatArray::CompareIndividuals(int32_t a, int32_t b) const {
    if (a == 0 || b == 0) return 0;
    const long double x = Value(a), y = Value(b);
    return x < y ? -1 : x > y ? 1 : 0;
}

// ---- texts ----

WAttribStrArray::WAttribStrArray(WCollectionIterator& iterator, const WAttrib& attribute)
    : WAttribArray(1 + kMaxText, iterator) {
    Fill(iterator, attribute);
}

void WAttribStrArray::StoreValue(const WAttrib& attribute, int32_t individual) {
    const std::string text = UpperText(FoldAccents(attribute.GetText(individual, 1)));
    PutShortText(Item(individual), SortKey(text, kMaxText));
}

std::string WAttribStrArray::Value(int32_t individual) const {
    return SortKeyText(ShortText(Record(individual)));
}

int WAttribStrArray::CompareIndividuals(int32_t a, int32_t b) const {
    const std::string_view x = ShortText(Record(a)), y = ShortText(Record(b));
    const size_t common = std::min(x.size(), y.size());
    if (const int r = std::memcmp(x.data(), y.data(), common)) return r < 0 ? -1 : 1;
    return Sign(static_cast<int64_t>(x.size()) - static_cast<int64_t>(y.size()));
}

// ---- dates ----

WAttribDateArray::WAttribDateArray(WCollectionIterator& iterator, const WAttrib& attribute)
    : WAttribArray(kDateRecordSize, iterator) {
    Fill(iterator, attribute);
}

void WAttribDateArray::StoreValue(const WAttrib& attribute, int32_t individual) {
    const std::string text(LeftChars(attribute.GetSortText(individual), kMaxText));
    char* record = Item(individual);
    PutShortText(record, text);
    DateRecordKey parsed;
    parsed.present = !text.empty();
    if (parsed.present) parsed.key = WDate(text).SortKey();
    std::memcpy(record + kDateTextBytes, &parsed, sizeof parsed);
}

std::string WAttribDateArray::Value(int32_t individual) const {
    return std::string(ShortText(Record(individual)));
}

int WAttribDateArray::CompareIndividuals(int32_t a, int32_t b) const {
    const char* x = Record(a);
    const char* y = Record(b);
    DateRecordKey first, second;
    if (x) std::memcpy(&first, x + kDateTextBytes, sizeof first);
    if (y) std::memcpy(&second, y + kDateTextBytes, sizeof second);
    // Empty dates first, then recognised dates, then unrecognised texts.
    if (!first.present || !second.present) return Sign(first.present - second.present);
    if (first.key.unrecognised && second.key.unrecognised)
        return Sign(CompareText(UpperText(ShortText(x)), UpperText(ShortText(y))));
    return CompareSortKeys(first.key, second.key);
}

// ---- ages ----

AgeValue ParseAgeText(const std::string& text) {
    AgeValue age;
    if (text.empty()) return age;
    age.about = text.front() == '~';
    age.uncertain = text.back() == '?';
    int64_t years = 0;
    for (char c : text) {
        if (c < '0' || c > '9') continue;
        age.valid = true;
        years = std::min<int64_t>(years * 10 + (c - '0'), INT32_MAX);
    }
    age.years = static_cast<int32_t>(years);
    return age;
}

WAttribAgeArray::WAttribAgeArray(WCollectionIterator& iterator, const WAttrib& attribute)
    : WAttribArray(kAgeRecordSize, iterator) {
    Fill(iterator, attribute);
}

void WAttribAgeArray::StoreValue(const WAttrib& attribute, int32_t individual) {
    const AgeValue age = ParseAgeText(attribute.GetText(individual, 1));
    SetItem(individual, &age);
}

AgeValue WAttribAgeArray::Value(int32_t individual) const {
    AgeValue age;
    if (const char* record = Record(individual)) std::memcpy(&age, record, sizeof age);
    return age;
}

// Invalid ages first; then fewer years; with equal years exact before
// approximate, and certain before uncertain. Other pairs are equal.
int WAttribAgeArray::CompareIndividuals(int32_t a, int32_t b) const {
    const AgeValue x = Value(a), y = Value(b);
    if (x.valid != y.valid) return x.valid ? 1 : -1;
    if (!x.valid) return 0;
    if (x.years != y.years) return x.years < y.years ? -1 : 1;
    if (x.about != y.about) return x.about ? 1 : -1;
    if (x.about && x.uncertain != y.uncertain) return x.uncertain ? 1 : -1;
    return 0;
}

std::unique_ptr<WAttribArray> CreateAttribArray(WCollectionIterator& iterator,
                                                const WAttrib& attribute) {
    switch (attribute.ValueType()) {
        case kValueInt:
            return std::make_unique<WAttribIntArray>(iterator, attribute);
        case kValueFloat:
            return std::make_unique<WAttribFloatArray>(iterator, attribute);
        case kValueDate:
            return std::make_unique<WAttribDateArray>(iterator, attribute);
        case kValueAge:
            return std::make_unique<WAttribAgeArray>(iterator, attribute);
        default:
            return std::make_unique<WAttribStrArray>(iterator, attribute);
    }
}

}  // namespace vx
