// The readings the catalogue rows give their kinds: small functions, each
// reading one fact, count, text or set of relatives of a person. Readings
// about "the event" or "the ordinance" read the one the kind's row names.
#pragma once

#include "highlight/KindBehaviour.h"

namespace vx::readings {

// ---- facts ----
bool EventHasDate(const PersonReading& reading);
bool MarriageHasDate(const PersonReading& reading);  // any spouse family
bool EventHasPlace(const PersonReading& reading);
bool MarriageHasPlace(const PersonReading& reading);
bool VitalEventHasPlace(const PersonReading& reading);  // birth, christening, death or burial
bool EventHasSource(const PersonReading& reading);
bool NameHasSource(const PersonReading& reading);
bool MarriageHasSource(const PersonReading& reading);
bool HasAnySource(const PersonReading& reading);  // the person or their families
bool EventHasNote(const PersonReading& reading);
bool NameHasNote(const PersonReading& reading);
bool MarriageHasNote(const PersonReading& reading);
bool HasAnyNote(const PersonReading& reading);  // the person or their families
bool OrdinanceRecorded(const PersonReading& reading);
bool OrdinanceHasDate(const PersonReading& reading);
bool OrdinanceHasTemple(const PersonReading& reading);
// Surnames compared with relatives' (upper-cased; an empty one never counts).
bool SurnameNotFathers(const PersonReading& reading);
bool SurnameNotParents(const PersonReading& reading);
bool SurnameIsMothers(const PersonReading& reading);
bool SurnameIsSpouses(const PersonReading& reading);  // holds both ways

// ---- counts ----
int64_t AgeYears(const PersonReading& reading);
int64_t SpouseFamilyCount(const PersonReading& reading);
int64_t ParentFamilyCount(const PersonReading& reading);
int64_t ParentCount(const PersonReading& reading);
int64_t ChildCount(const PersonReading& reading);
int64_t SonCount(const PersonReading& reading);
int64_t DaughterCount(const PersonReading& reading);
int64_t AncestorCount(const PersonReading& reading);
int64_t DescendantCount(const PersonReading& reading);

// ---- texts matched against the user's key ----
bool NotesMatch(const PersonReading& reading, const TextKey& key);  // person, name, events
bool EventPlaceMatches(const PersonReading& reading, const TextKey& key);
bool AnyPlaceMatches(const PersonReading& reading, const TextKey& key);
bool NameMatches(const PersonReading& reading, const TextKey& key);
bool CustomIdMatches(const PersonReading& reading, const TextKey& key);
bool TempleMatches(const PersonReading& reading, const TextKey& key);
bool AFNMatches(const PersonReading& reading, const TextKey& key);
bool ReferenceIdMatches(const PersonReading& reading, const TextKey& key);
bool RelativeNameMatches(const PersonReading& reading, const TextKey& key);

// ---- relatives ----
// The husband and wife of every parent family.
void ParentsOf(const WABSCollection& collection, const WABSIndividual& person, int32_t individual,
               std::vector<int32_t>& out);
// The children of every spouse family.
void ChildrenOf(const WABSCollection& collection, const WABSIndividual& person, int32_t individual,
                std::vector<int32_t>& out);
// The other children of every parent family.
void SiblingsOf(const WABSCollection& collection, const WABSIndividual& person, int32_t individual,
                std::vector<int32_t>& out);
// Both spouses of every spouse family other than the person, when recorded.
void SpousesOf(const WABSCollection& collection, const WABSIndividual& person, int32_t individual,
               std::vector<int32_t>& out);
// The other spouse of every spouse family.
void PartnersOf(const WABSCollection& collection, const WABSIndividual& person, int32_t individual,
                std::vector<int32_t>& out);

}  // namespace vx::readings
