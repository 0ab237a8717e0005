#include "highlight/KindReadings.h"

#include "analysis/FamilyAnalysis.h"
#include "analysis/Statistics.h"
#include "app/TextUtil.h"
#include "highlight/FamilyWalk.h"

namespace vx {

bool TextKey::Matches(const std::string& text) const {
    if (key.empty()) return false;
    const std::string upper = UpperText(text);
    switch (mode) {
        case kContaining:
            return upper.find(key) != std::string::npos;
        case kEqualTo:
            return upper == key;
        case kBeginningWith:
            return upper.compare(0, key.size(), key) == 0 && upper.size() >= key.size();
        case kEndingWith:
            return upper.size() >= key.size() &&
                   upper.compare(upper.size() - key.size(), key.size(), key) == 0;
        default:
            return false;
    }
}

namespace readings {
namespace {

// The first-listed event of the kind's event type.
std::unique_ptr<WABSVitEvent> FirstEvent(const PersonReading& reading) {
    return reading.person.Event(reading.kind.event, 1);
}

// A sealing to a spouse belongs to the spouse family, the other ordinances
// to the person.
bool ToSpouse(const PersonReading& reading) {
    return reading.kind.ordinance == kLDSSealingToSpouse;
}

// A relative's upper-cased surname; empty when there is none to compare.
std::string SurnameOf(const WABSCollection& collection, int32_t individual) {
    if (individual < 1 || individual > collection.IndividualCount()) return {};
    auto person = collection.Individual(individual);
    return person ? UpperText(person->SurnameText()) : std::string();
}

// The upper-cased surnames of the person and the parents.
struct Surnames {
    std::string own, father, mother;
};

Surnames SurnamesOf(const PersonReading& reading) {
    const WABSCollection& collection = reading.collection;
    return {UpperText(reading.person.SurnameText()),
            SurnameOf(collection, collection.FatherOf(reading.individual)),
            SurnameOf(collection, collection.MotherOf(reading.individual))};
}

// The name part of the kind: given names or surname.
std::string NamePart(const PersonReading& reading, const WABSIndividual& person) {
    return reading.kind.givenNames ? person.GivenNames() : person.SurnameText();
}

}  // namespace

// ---- facts ----

bool EventHasDate(const PersonReading& reading) {
    return reading.person.EventHasDate(reading.kind.event);
}

bool MarriageHasDate(const PersonReading& reading) {
    return ForEachSpouseFamily(reading.collection, reading.person, [](const WABSMarriage& family) {
        const WDate* date = family.MarriageDate();
        return date && date->HasText();
    });
}

bool EventHasPlace(const PersonReading& reading) {
    return !reading.person.EventPlaceText(reading.kind.event).empty();
}

bool MarriageHasPlace(const PersonReading& reading) {
    return ForEachSpouseFamily(reading.collection, reading.person, [](const WABSMarriage& family) {
        return !family.MarriagePlaceText().empty();
    });
}

bool VitalEventHasPlace(const PersonReading& reading) {
    for (int event : {kEventBirth, kEventDeath, kEventBurial, kEventChristening})
        if (!reading.person.EventPlaceText(event).empty()) return true;
    return false;
}

bool EventHasSource(const PersonReading& reading) {
    auto event = FirstEvent(reading);
    return event && event->CitationCount() > 0;
}

bool NameHasSource(const PersonReading& reading) {
    auto name = reading.person.Name();
    return name && name->CitationCount() > 0;
}

bool MarriageHasSource(const PersonReading& reading) {
    return reading.collection.FamilyHasSources(reading.individual);
}

bool HasAnySource(const PersonReading& reading) {
    return reading.collection.HasSourcesWithFamilies(reading.individual);
}

bool EventHasNote(const PersonReading& reading) {
    auto event = FirstEvent(reading);
    return event && event->HasNote();
}

bool NameHasNote(const PersonReading& reading) {
    auto name = reading.person.Name();
    return name && !name->NoteText().empty();
}

bool MarriageHasNote(const PersonReading& reading) {
    return reading.collection.FamilyHasNotes(reading.individual);
}

bool HasAnyNote(const PersonReading& reading) {
    return reading.collection.HasNotesWithFamilies(reading.individual);
}

bool OrdinanceRecorded(const PersonReading& reading) {
    return ToSpouse(reading) ? reading.collection.HasSpouseSealing(reading.individual, 0)
                             : reading.person.HasLDSEvent(reading.kind.ordinance);
}

bool OrdinanceHasDate(const PersonReading& reading) {
    return !(ToSpouse(reading) ? reading.collection.SpouseSealingDateText(reading.individual, 1)
                               : reading.person.LDSDateText(reading.kind.ordinance))
                .empty();
}

bool OrdinanceHasTemple(const PersonReading& reading) {
    return !(ToSpouse(reading)
                 ? reading.collection.SpouseSealingTempleText(reading.individual, 1, false)
                 : reading.person.LDSTempleText(reading.kind.ordinance, false))
                .empty();
}

bool SurnameNotFathers(const PersonReading& reading) {
    const Surnames names = SurnamesOf(reading);
    return !names.own.empty() && !names.father.empty() && names.own != names.father;
}

bool SurnameNotParents(const PersonReading& reading) {
    const Surnames names = SurnamesOf(reading);
    return !names.own.empty() && !names.father.empty() && !names.mother.empty() &&
           names.own != names.father && names.own != names.mother;
}

bool SurnameIsMothers(const PersonReading& reading) {
    const Surnames names = SurnamesOf(reading);
    if (!names.father.empty())
        return names.own != names.father && !names.mother.empty() && names.own == names.mother;
    return !names.mother.empty() && names.own == names.mother;
}

bool SurnameIsSpouses(const PersonReading& reading) {
    const std::string own = UpperText(reading.person.SurnameText());
    if (own.empty()) return false;
    return ForEachSpouseFamily(reading.collection, reading.person, [&](const WABSMarriage& family) {
        return SurnameOf(reading.collection, family.OtherSpouse(reading.individual)) == own;
    });
}

// ---- counts ----

int64_t AgeYears(const PersonReading& reading) {
    return reading.person.AgeYears();
}

int64_t SpouseFamilyCount(const PersonReading& reading) {
    return reading.person.SpouseFamilyCount();
}

int64_t ParentFamilyCount(const PersonReading& reading) {
    return reading.person.ParentFamilyCount();
}

int64_t ParentCount(const PersonReading& reading) {
    return reading.collection.ParentsCount(reading.individual);
}

int64_t ChildCount(const PersonReading& reading) {
    return reading.collection.ChildrenCount(reading.individual);
}

int64_t SonCount(const PersonReading& reading) {
    return reading.collection.SonsCount(reading.individual);
}

int64_t DaughterCount(const PersonReading& reading) {
    return reading.collection.DaughtersCount(reading.individual);
}

int64_t AncestorCount(const PersonReading& reading) {
    return reading.analysis.Statistics().AncestorCount(reading.individual);
}

int64_t DescendantCount(const PersonReading& reading) {
    return reading.analysis.Statistics().DescendantCount(reading.individual);
}

// ---- texts ----

bool NotesMatch(const PersonReading& reading, const TextKey& key) {
    // The person's notes, then the name's, then every event's.
    const WABSIndividual& person = reading.person;
    if (key.Matches(person.NoteText())) return true;
    if (auto name = person.Name(); name && key.Matches(name->NoteText())) return true;
    for (int event : {kEventBirth, kEventChristening, kEventDeath, kEventBurial})
        if (auto e = person.Event(event, 1); e && key.Matches(e->NoteText())) return true;
    for (int i = 1; i <= person.EventCount(kEventOther); ++i)
        if (auto e = person.Event(kEventOther, i); e && key.Matches(e->NoteText())) return true;
    return false;
}

bool EventPlaceMatches(const PersonReading& reading, const TextKey& key) {
    return key.Matches(reading.person.EventPlaceText(reading.kind.event));
}

bool AnyPlaceMatches(const PersonReading& reading, const TextKey& key) {
    const WABSIndividual& person = reading.person;
    for (int event : {kEventBirth, kEventDeath, kEventChristening, kEventBurial})
        if (key.Matches(person.EventPlaceText(event))) return true;
    for (int i = 1; i <= person.EventCount(kEventOther); ++i)
        if (auto e = person.Event(kEventOther, i); e && key.Matches(e->PlaceText())) return true;
    return false;
}

bool NameMatches(const PersonReading& reading, const TextKey& key) {
    return key.Matches(NamePart(reading, reading.person));
}

bool CustomIdMatches(const PersonReading& reading, const TextKey& key) {
    return key.Matches(reading.person.RefNumber());
}

bool TempleMatches(const PersonReading& reading, const TextKey& key) {
    return key.Matches(
        ToSpouse(reading) ? reading.collection.SpouseSealingTempleText(reading.individual, 1, false)
                          : reading.person.LDSTempleText(reading.kind.ordinance, false));
}

bool AFNMatches(const PersonReading& reading, const TextKey& key) {
    return key.Matches(reading.person.AFN());
}

bool ReferenceIdMatches(const PersonReading& reading, const TextKey& key) {
    return key.Matches(reading.person.XRef());
}

bool RelativeNameMatches(const PersonReading& reading, const TextKey& key) {
    std::vector<int32_t> relatives;
    reading.kind.relatives(reading.collection, reading.person, reading.individual, relatives);
    const WABSCollection& collection = reading.collection;
    for (int32_t relative : relatives) {
        if (relative < 1 || relative > collection.IndividualCount()) continue;
        auto other = collection.Individual(relative);
        if (other && key.Matches(NamePart(reading, *other))) return true;
    }
    return false;
}

// ---- relatives ----

void ParentsOf(const WABSCollection& collection, const WABSIndividual& person, int32_t,
               std::vector<int32_t>& out) {
    ForEachParentFamily(collection, person, [&](const WABSMarriage& family) {
        out.push_back(family.Husband());
        out.push_back(family.Wife());
        return false;
    });
}

void ChildrenOf(const WABSCollection& collection, const WABSIndividual& person, int32_t,
                std::vector<int32_t>& out) {
    ForEachSpouseFamily(collection, person, [&](const WABSMarriage& family) {
        return ForEachChild(family, [&](int32_t child) {
            out.push_back(child);
            return false;
        });
    });
}

void SiblingsOf(const WABSCollection& collection, const WABSIndividual& person, int32_t individual,
                std::vector<int32_t>& out) {
    ForEachParentFamily(collection, person, [&](const WABSMarriage& family) {
        return ForEachChild(family, [&](int32_t child) {
            if (child != individual) out.push_back(child);
            return false;
        });
    });
}

void SpousesOf(const WABSCollection& collection, const WABSIndividual& person, int32_t individual,
               std::vector<int32_t>& out) {
    ForEachSpouseFamily(collection, person, [&](const WABSMarriage& family) {
        for (int32_t spouse : {family.Husband(), family.Wife()})
            if (spouse > 0 && spouse != individual) out.push_back(spouse);
        return false;
    });
}

void PartnersOf(const WABSCollection& collection, const WABSIndividual& person, int32_t individual,
                std::vector<int32_t>& out) {
    ForEachSpouseFamily(collection, person, [&](const WABSMarriage& family) {
        out.push_back(family.OtherSpouse(individual));
        return false;
    });
}

}  // namespace readings
}  // namespace vx
