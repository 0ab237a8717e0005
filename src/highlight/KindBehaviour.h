// What a condition kind reads of a person. Each catalogue row gives its kind
// one of these, and the condition made from the row keeps it: the classes in
// Conditions.h serve whole families of kinds and learn from it which event,
// ordinance, count, text or relatives their kind stands for, so none of them
// tells kinds apart by number.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/Event.h"

namespace vx {

class FamilyAnalysis;
class WABSCollection;
class WABSIndividual;
struct KindBehaviour;

// One person as a reading sees it, with the behaviour of the kind asking.
struct PersonReading {
    FamilyAnalysis& analysis;  // the collection and the statistics
    const WABSCollection& collection;
    const WABSIndividual& person;
    int32_t individual;
    const KindBehaviour& kind;
};

// The user's text and how it must match: containing, equal to, beginning
// with or ending with the key (upper case), by the mode digit.
struct TextKey {
    enum Mode : int { kContaining = 1, kEqualTo = 2, kBeginningWith = 3, kEndingWith = 4 };

    int mode = kContaining;
    std::string key;

    // Case-blind; nothing matches an empty key.
    bool Matches(const std::string& text) const;
};

// A yes/no fact of the person: has a date, a source, an ordinance ...
using PersonFact = bool (*)(const PersonReading& reading);
// A count compared with the user's number; negative when unknown.
using PersonCount = int64_t (*)(const PersonReading& reading);
// Whether a text the kind reads matches the key.
using PersonTextMatch = bool (*)(const PersonReading& reading, const TextKey& key);
// Appends the person's relatives of one kind (parents, children ...), in
// file order; numbers may be 0 or out of range where the links are.
using RelativesOf = void (*)(const WABSCollection& collection, const WABSIndividual& person,
                             int32_t individual, std::vector<int32_t>& out);

// Each field serves the classes that say they read it; the rest stay empty.
struct KindBehaviour {
    // The person's event (birth, christening, death, burial) a date, place,
    // source or note kind reads.
    int event = kEventNone;
    // The LDS ordinance an LDS kind reads.
    int ordinance = kEventNone;
    // The relatives whose names a kind matches, or whom it marks.
    RelativesOf relatives = nullptr;
    // Names: the given names rather than the surname.
    bool givenNames = false;
    PersonFact fact = nullptr;
    PersonCount count = nullptr;
    PersonTextMatch text = nullptr;
};

}  // namespace vx
