// What a list attribute reads of a person. Each row of the attribute table
// gives its attribute one of these, and the attribute made from the row
// keeps it: the classes in AttribClasses.h serve whole families of columns
// and learn from it which event, ordinance, count, text or relative their
// column stands for, so none of them tells attributes apart by number.
#pragma once

#include <cstdint>
#include <string>

#include "records/Event.h"

namespace vx {

class FamilyAnalysis;
class WABSCollection;
class WABSIndividual;
class WRelCalc;
struct AttributeBehaviour;

// One person as a cell reading sees it, with the behaviour of the column.
struct AttributeReading {
    FamilyAnalysis& analysis;  // the collection and the statistics
    const WABSCollection& collection;
    const WABSIndividual& person;
    int32_t individual;
    int occurrence;  // the marriage marriage columns read (1 = first; lower counts as 1)
    const AttributeBehaviour& column;
};

// The cell text.
using CellText = std::string (*)(const AttributeReading& reading);
// A yes/no fact, shown as "Yes" or "No".
using CellFact = bool (*)(const AttributeReading& reading);
using CellCount = int32_t (*)(const AttributeReading& reading);
using CellAverage = long double (*)(const AttributeReading& reading);
// The relative a column names, 0 for none; `prefix` names the relative
// when the column fell back to another than its first choice.
using RelativeOf = int32_t (*)(const WABSCollection& collection, int32_t individual, int occurrence,
                               const char*& prefix);
// A relationship column's text between the base person and another.
using RelationText = std::string (*)(WRelCalc& calculator, int32_t base, int32_t other);

// Each field serves the classes that say they read it; the rest stay empty.
struct AttributeBehaviour {
    // The event (birth, christening, death, burial) a date or place column
    // reads, and the one shown in brackets when the first has nothing.
    int event = kEventNone;
    int standIn = kEventNone;
    // The LDS ordinance an LDS date or temple column reads.
    int ordinance = kEventNone;
    // Relatives' names as "Surname, Given" rather than in full.
    bool lastFirst = false;
    CellText text = nullptr;
    CellFact fact = nullptr;
    CellCount count = nullptr;
    CellAverage average = nullptr;
    RelativeOf relative = nullptr;
    RelationText relation = nullptr;
};

}  // namespace vx
