// Attributes read from events: dates, places and ages, with the christening
// and burial standing in (in brackets) for a missing birth and death, and
// the readings their rows give them.
#include <algorithm>

#include "app/Options.h"
#include "columns/AttribClasses.h"
#include "columns/AttributeReadings.h"
#include "gedcom/ABSCollection.h"
#include "records/DateDiff.h"
#include "records/Individual.h"

namespace vx {
namespace {

// Ages above this many years are taken for errors and not shown.
constexpr int64_t kAgeLimit = 110;

// The marriage numbered `occurrence` among the individual's spouse families.
std::unique_ptr<WABSMarriage> MarriageOf(const WABSCollection& collection,
                                         const WABSIndividual& person, int occurrence) {
    const int32_t family = person.SpouseFamily(std::max(occurrence, 1));
    if (family < 1 || family > collection.FamilyCount()) return nullptr;
    return collection.Family(family);
}

// The first text, or the second in brackets when the first is empty. An
// empty substitute stays empty.
std::string OrBracketed(std::string text, const std::string& substitute) {
    if (text.empty() && !substitute.empty()) text = "[" + substitute + "]";
    return text;
}

// The birth (or, when allowed, the christening, in brackets) to a second
// date as an age; empty for dates missing or too far apart.
std::string AgeUntil(const WABSIndividual& person, const WDate* to) {
    auto start = person.Event(kEventBirth, 1);
    bool bracketed = false;
    if ((!start || !start->Date()) && WOptions::GetFlag(opt::kAgeCalcCB)) {
        start = person.Event(kEventChristening, 1);
        bracketed = true;
    }
    const WDate* from = start ? start->Date() : nullptr;
    WDateDiff difference;
    if (!from || !to || !from->HasText() || !to->HasText() || !difference.Calculate(from, to) ||
        difference.Years() > kAgeLimit)
        return {};
    const std::string age = difference.AgeText();
    return bracketed ? "[" + age + "]" : age;
}

// The age up to the parent's birth date.
std::string AgeUntilBirthOf(const AttributeReading& reading, int32_t parent) {
    const WABSCollection& collection = reading.collection;
    if (parent < 1 || parent > collection.IndividualCount())
        return AgeUntil(reading.person, nullptr);
    auto person = collection.Individual(parent);
    auto birth = person ? person->Event(kEventBirth, 1) : nullptr;
    return AgeUntil(reading.person, birth ? birth->Date() : nullptr);
}

}  // namespace

std::string WAttribDate::GetText(int32_t individual, int occurrence) const {
    return ReadText(individual, occurrence);
}

std::string WAttribDate::GetSortText(int32_t individual) const {
    std::string text = GetText(individual, 1);
    // A substituted date sorts among the real ones.
    if (behaviour_.standIn != kEventNone && !text.empty() && text[0] == '[')
        text = text.substr(1, text.size() - 2);
    return text;
}

std::string WAttribPlace::GetText(int32_t individual, int occurrence) const {
    return ReadText(individual, occurrence);
}

std::string WAttribAge::GetText(int32_t individual, int occurrence) const {
    return ReadText(individual, occurrence);
}

// ---- the readings ----

namespace cells {

std::string EventDate(const AttributeReading& reading) {
    const AttributeBehaviour& column = reading.column;
    const std::string standIn =
        column.standIn == kEventNone ? std::string() : reading.person.EventDateText(column.standIn);
    return OrBracketed(reading.person.EventDateText(column.event), standIn);
}

std::string EventPlace(const AttributeReading& reading) {
    const AttributeBehaviour& column = reading.column;
    const std::string standIn = column.standIn == kEventNone
                                    ? std::string()
                                    : reading.person.EventPlaceText(column.standIn);
    return OrBracketed(reading.person.EventPlaceText(column.event), standIn);
}

std::string MarriageDate(const AttributeReading& reading) {
    auto marriage = MarriageOf(reading.collection, reading.person, reading.occurrence);
    return marriage ? marriage->MarriageDateText() : std::string();
}

std::string MarriagePlace(const AttributeReading& reading) {
    auto marriage = MarriageOf(reading.collection, reading.person, reading.occurrence);
    return marriage ? marriage->MarriagePlaceText() : std::string();
}

std::string CreationDate(const AttributeReading& reading) {
    const WDate* created = reading.person.CreationDate();
    return created ? created->DisplayText() : std::string();
}

std::string ChangeDate(const AttributeReading& reading) {
    return reading.person.ChangeDateText();
}

std::string Age(const AttributeReading& reading) {
    return reading.person.AgeText();
}

std::string AgeAtMarriage(const AttributeReading& reading) {
    auto marriage = MarriageOf(reading.collection, reading.person, reading.occurrence);
    return AgeUntil(reading.person, marriage ? marriage->MarriageDate() : nullptr);
}

std::string AgeAtFathersBirth(const AttributeReading& reading) {
    return AgeUntilBirthOf(reading, reading.collection.FatherOf(reading.individual));
}

std::string AgeAtMothersBirth(const AttributeReading& reading) {
    return AgeUntilBirthOf(reading, reading.collection.MotherOf(reading.individual));
}

}  // namespace cells
}  // namespace vx
