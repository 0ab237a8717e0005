// Attributes read from the individual's own record: number, identifiers,
// names, note, sex, the yes/no tests, counts, LDS ordinances and "Alive",
// with the readings their rows give them.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "analysis/FamilyAnalysis.h"
#include "analysis/Statistics.h"
#include "app/TextUtil.h"
#include "columns/AttribClasses.h"
#include "columns/AttributeReadings.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"
#include "records/Note.h"

namespace vx {
namespace {

std::string YesNo(bool value) {
    return value ? "Yes" : "No";
}

// Two decimals with halves rounded away from zero: 2.125 gives "2.13".
std::string FixedTwoDecimals(long double value) {
    const long double hundredths = std::round(value * 100.0L);
    const long long whole = std::llabs(static_cast<long long>(hundredths));
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s%lld.%02lld", hundredths < 0 ? "-" : "", whole / 100,
                  whole % 100);
    return buffer;
}

}  // namespace

std::string WAttribIndex::GetText(int32_t individual, int) const {
    return Person(individual) ? std::to_string(individual) : std::string();
}

int32_t WAttribIndex::GetInt(int32_t individual) const {
    return Person(individual) ? individual : 0;
}

std::string WAttribID::GetText(int32_t individual, int occurrence) const {
    return ReadText(individual, occurrence);
}

std::string WAttribName::GetText(int32_t individual, int occurrence) const {
    return ReadText(individual, occurrence);
}

std::string WAttribNote::GetText(int32_t individual, int) const {
    auto person = Person(individual);
    if (!person) return {};
    auto note = person->Note();
    return note ? note->NoteText(" ") : std::string();
}

std::string WAttribSex::GetText(int32_t individual, int) const {
    auto person = Person(individual);
    return person ? person->Sex() : std::string();
}

std::string WAttribHas::GetText(int32_t individual, int occurrence) const {
    auto person = Person(individual);
    return person ? YesNo(behaviour_.fact(Reading(*person, individual, occurrence)))
                  : std::string();
}

std::string WAttribCount::GetText(int32_t individual, int) const {
    return Person(individual) ? std::to_string(GetInt(individual)) : std::string();
}

int32_t WAttribCount::GetInt(int32_t individual) const {
    auto person = Person(individual);
    return person ? behaviour_.count(Reading(*person, individual, 1)) : 0;
}

std::string WAttribAvgGens::GetText(int32_t individual, int) const {
    return Person(individual) ? FixedTwoDecimals(GetFloat(individual)) : std::string();
}

long double WAttribAvgGens::GetFloat(int32_t individual) const {
    auto person = Person(individual);
    return person ? behaviour_.average(Reading(*person, individual, 1)) : 0;
}

WAttribLDS::WAttribLDS(int number, FamilyAnalysis* analysis, const AttributeBehaviour& behaviour)
    : WAttrib(number, analysis, behaviour) {
    tabStops_ = {8, 16, 24};
}

std::string WAttribLDS::GetText(int32_t individual, int) const {
    auto person = Person(individual);
    if (!person) return {};
    auto mark = [](bool present, char letter) { return std::string(1, present ? letter : '-'); };
    // A sealing to a spouse in any spouse family counts.
    return mark(person->HasLDSEvent(kLDSBaptism), 'B') + '\t' +
           mark(person->HasLDSEvent(kLDSEndowment), 'E') + '\t' +
           mark(person->HasLDSEvent(kLDSSealingToParents), 'P') + '\t' +
           mark(collection_->HasSpouseSealing(individual, 0), 'S');
}

std::string WAttribLDSDate::GetText(int32_t individual, int occurrence) const {
    auto person = Person(individual);
    if (!person) return {};
    // A sealing to a spouse belongs to the spouse family.
    const int kind = behaviour_.ordinance;
    if (kind == kLDSSealingToSpouse)
        return collection_->SpouseSealingDateText(individual, std::max(occurrence, 1));
    return person->LDSDateText(kind);
}

std::string WAttribLDSDate::GetSortText(int32_t individual) const {
    return GetText(individual, 1);
}

std::string WAttribLDSTemple::GetText(int32_t individual, int occurrence) const {
    auto person = Person(individual);
    if (!person) return {};
    // A sealing to a spouse belongs to the spouse family.
    const int kind = behaviour_.ordinance;
    if (kind == kLDSSealingToSpouse)
        return collection_->SpouseSealingTempleText(individual, std::max(occurrence, 1), false);
    return person->LDSTempleText(kind, false);
}

std::string WAttribALive::GetText(int32_t individual, int) const {
    auto person = Person(individual);
    return YesNo(person && person->IsPossiblyLiving(110));
}

// ---- the readings ----

namespace cells {

std::string RecordId(const AttributeReading& reading) {
    return reading.person.XRef();
}

std::string AFN(const AttributeReading& reading) {
    return reading.person.AFN();
}

std::string CustomId(const AttributeReading& reading) {
    return reading.person.RefNumber();
}

std::string Surname(const AttributeReading& reading) {
    return reading.person.SurnameText();
}

std::string GivenNames(const AttributeReading& reading) {
    return reading.person.GivenNames();
}

std::string FullName(const AttributeReading& reading) {
    return reading.person.FullName(true);
}

std::string SurnameGiven(const AttributeReading& reading) {
    return reading.person.SurnameText() + ", " + reading.person.GivenNames();
}

std::string SurnameSoundex(const AttributeReading& reading) {
    return SoundexCode(reading.person.SurnameText());
}

std::string GivenSoundex(const AttributeReading& reading) {
    const std::string given = reading.person.GivenNames();
    return SoundexCode(given.substr(0, given.find(' ')));
}

bool HasNote(const AttributeReading& reading) {
    return reading.collection.HasNotesWithFamilies(reading.individual);
}

bool HasSource(const AttributeReading& reading) {
    return reading.collection.HasSourcesWithFamilies(reading.individual);
}

bool HasOtherEvents(const AttributeReading& reading) {
    return reading.person.EventCount(kEventOther) > 0;
}

int32_t SpouseFamilyCount(const AttributeReading& reading) {
    return reading.person.SpouseFamilyCount();
}

int32_t ParentCount(const AttributeReading& reading) {
    return reading.collection.ParentsCount(reading.individual);
}

int32_t ChildCount(const AttributeReading& reading) {
    return reading.collection.ChildrenCount(reading.individual);
}

int32_t AncestorCount(const AttributeReading& reading) {
    return reading.analysis.Statistics().AncestorCount(reading.individual);
}

int32_t DescendantCount(const AttributeReading& reading) {
    return reading.analysis.Statistics().DescendantCount(reading.individual);
}

int32_t AncestorGenerations(const AttributeReading& reading) {
    return reading.analysis.Statistics().AncestorGenerations(reading.individual);
}

int32_t DescendantGenerations(const AttributeReading& reading) {
    return reading.analysis.Statistics().DescendantGenerations(reading.individual);
}

long double AverageAncestorGenerations(const AttributeReading& reading) {
    return reading.analysis.Statistics().AverageAncestorGenerations(reading.individual);
}

long double AverageDescendantGenerations(const AttributeReading& reading) {
    return reading.analysis.Statistics().AverageDescendantGenerations(reading.individual);
}

}  // namespace cells
}  // namespace vx
