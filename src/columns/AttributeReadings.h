// The readings the attribute rows give their columns: small functions, each
// reading one text, fact, count or relative of a person. Readings about "the
// event" or "the ordinance" read the one the column's row names.
#pragma once

#include "columns/AttributeBehaviour.h"

namespace vx::cells {

// ---- the person's own record (PersonAttribs.cpp) ----
std::string RecordId(const AttributeReading& reading);  // XRef
std::string AFN(const AttributeReading& reading);
std::string CustomId(const AttributeReading& reading);  // REFN
std::string Surname(const AttributeReading& reading);
std::string GivenNames(const AttributeReading& reading);
std::string FullName(const AttributeReading& reading);
std::string SurnameGiven(const AttributeReading& reading);
std::string SurnameSoundex(const AttributeReading& reading);
std::string GivenSoundex(const AttributeReading& reading);  // of the first given name
bool HasNote(const AttributeReading& reading);              // the person or their families
bool HasSource(const AttributeReading& reading);            // the person or their families
bool HasOtherEvents(const AttributeReading& reading);  // beyond birth, christening, death, burial
int32_t SpouseFamilyCount(const AttributeReading& reading);
int32_t ParentCount(const AttributeReading& reading);
int32_t ChildCount(const AttributeReading& reading);
int32_t AncestorCount(const AttributeReading& reading);
int32_t DescendantCount(const AttributeReading& reading);
int32_t AncestorGenerations(const AttributeReading& reading);
int32_t DescendantGenerations(const AttributeReading& reading);
long double AverageAncestorGenerations(const AttributeReading& reading);
long double AverageDescendantGenerations(const AttributeReading& reading);

// ---- events (EventAttribs.cpp) ----
// The event's date or place, or the stand-in's in brackets.
std::string EventDate(const AttributeReading& reading);
std::string EventPlace(const AttributeReading& reading);
std::string MarriageDate(const AttributeReading& reading);
std::string MarriagePlace(const AttributeReading& reading);
std::string CreationDate(const AttributeReading& reading);
std::string ChangeDate(const AttributeReading& reading);
std::string Age(const AttributeReading& reading);
// From the birth (or, when allowed, the christening, in brackets) to:
std::string AgeAtMarriage(const AttributeReading& reading);
std::string AgeAtFathersBirth(const AttributeReading& reading);
std::string AgeAtMothersBirth(const AttributeReading& reading);

// ---- other people (RelativeAttribs.cpp) ----
int32_t Father(const WABSCollection& collection, int32_t individual, int occurrence,
               const char*& prefix);
int32_t Mother(const WABSCollection& collection, int32_t individual, int occurrence,
               const char*& prefix);
int32_t Spouse(const WABSCollection& collection, int32_t individual, int occurrence,
               const char*& prefix);
// The father, else the mother "(M)-", else the spouse "(S)-".
int32_t FatherMotherOrSpouse(const WABSCollection& collection, int32_t individual, int occurrence,
                             const char*& prefix);
// The spouse, else the father "(F)-", else the mother "(M)-".
int32_t SpouseFatherOrMother(const WABSCollection& collection, int32_t individual, int occurrence,
                             const char*& prefix);
std::string Relationship(WRelCalc& calculator, int32_t base, int32_t other);
std::string CommonAncestor(WRelCalc& calculator, int32_t base, int32_t other);
std::string CommonAncestorLastFirst(WRelCalc& calculator, int32_t base, int32_t other);

}  // namespace vx::cells
