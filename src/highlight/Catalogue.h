// The catalogue of condition kinds: for each kind its captions, its
// parameter and the editor that sets it, the class that tests it and the
// word its description uses.
#pragma once

#include <memory>
#include <string>

#include "highlight/ConditionKinds.h"

namespace vx {

class FamilyAnalysis;
class WABSHighLighter;

// The editor the condition editor shows for a kind's parameter.
enum class ParamEditor : int {
    None,                   // the kind takes no parameter
    Sex,                    // male, female or unknown
    PersonAndGenerations,   // an individual and a number of generations
    Text,                   // contains, equals, begins or ends a text
    Date,                   // a date, or before, about or after it
    Number,                 // a comparison with a whole number
    Soundex,                // a text or a Soundex code
    Person,                 // an individual
    AgeLimit,               // the age above which nobody counts as living
    BaptismStatus,          // a date or a status word of the LDS baptism
    EndowmentStatus,        // ... of the LDS endowment
    SealedToParentsStatus,  // ... of the LDS sealing to parents
    SealedToSpouseStatus,   // ... of the LDS sealing to a spouse
};

// The largest number a Number parameter takes unless its kind says less.
inline constexpr int kLargestCountParam = 65535;

// A kind's parameter: its editor and, for a Number, the range it allows.
struct KindParam {
    ParamEditor editor = ParamEditor::None;
    int lowest = 0;
    int highest = 0;
};

// The caption, or the negated caption; empty outside 1..113.
std::string KindCaption(int kind, bool negated);
// True when the kind takes a parameter.
bool KindHasParam(int kind);
// The kind's parameter; no editor outside 1..113.
KindParam KindParameter(int kind);
// The word the kind's description uses ("birth date", "surname" ...).
std::string KindWord(int kind);

// The first kind whose row lacks what its class or its reading reads (an
// event, an ordinance, relatives, a reading); 0 when every row is whole.
// Checked by the tests: compilers cannot always compare function addresses
// at compile time (GCC's null-pointer sanitizer).
int FirstIncompleteKind();

// A new condition of that kind, or null for the placeholder, the legacy tag
// and numbers outside the catalogue.
std::unique_ptr<WABSHighLighter> CreateCondition(int kind, FamilyAnalysis* analysis);

}  // namespace vx
