#include "highlight/Catalogue.h"

#include <array>
#include <vector>

#include "app/TextUtil.h"
#include "highlight/Conditions.h"

namespace vx {
namespace {

using Factory = std::unique_ptr<WABSHighLighter> (*)(const WABSCollection*, int kind);

template <class T>
std::unique_ptr<WABSHighLighter> Make(const WABSCollection* collection, int kind) {
    return std::make_unique<T>(collection, kind);
}

struct KindRow {
    // caption ":" negated caption ":" parameter flag [":" editor ["," argument ...]]
    const char* entry;
    Factory create;    // null: the kind makes no condition
    const char* word;  // null: the description needs none
};

// Row k - 1 describes kind k.
const std::array<KindRow, kConditionKinds> kKinds = {{
    {"Select a Condition:Select a Condition:0:", nullptr, nullptr},                // 1
    {"Has No Birth Date:Has a Birth Date:0:", Make<WHLNoDate>, "birth date"},      // 2
    {"Has No Birth Place:Has a Birth Place:0:", Make<WHLNoPlace>, "birth place"},  // 3
    {"Has No Christening Date:Has a Christening Date:0:", Make<WHLNoDate>,
     "christening date"},  // 4
    {"Has No Christening Place:Has a Christening Place:0:", Make<WHLNoPlace>,
     "christening place"},                                                                  // 5
    {"Has No Death Date:Has a Death Date:0", Make<WHLNoDate>, "death date"},                // 6
    {"Has No Death Place:Has a Death Place:0", Make<WHLNoPlace>, "death place"},            // 7
    {"Has No Burial Date:Has a Burial Date:0:", Make<WHLNoDate>, "burial date"},            // 8
    {"Has No Burial Place:Has a Burial Place:0:", Make<WHLNoPlace>, "burial place"},        // 9
    {"Has No Marriage Date:Has a Marriage Date:0:", Make<WHLNoDate>, "marriage date"},      // 10
    {"Has No Marriage Place:Has a Marriage Place:0:", Make<WHLNoPlace>, "marriage place"},  // 11
    {"Has No Places (All):Has any Place:0", Make<WHLNoPlace>, "place"},                     // 12
    {"Has No Surname:Has a Surname:0", Make<WHLNoSurname>, nullptr},                        // 13
    {"Has No Given Name:Has a Given Name:0", Make<WHLNoGivenName>, nullptr},                // 14
    {"Has No Father:Has a Father:0", Make<WHLNoFather>, nullptr},                           // 15
    {"Has No Mother:Has a Mother:0", Make<WHLNoMother>, nullptr},                           // 16
    {"Sex Type:Is Not of Sex Type:1:1", Make<WHLSex>, nullptr},                             // 17
    {"Has Ind Note:Has No Ind Note:0", Make<WHLHas>, nullptr},                              // 18
    {"Text in Notes:Text Not in Notes:1:3", Make<WHLStr>, "note"},                          // 19
    {"Has AFN:Has No AFN:0", Make<WHLAFN>, nullptr},                                        // 20
    {"Ancestors of:Not an Ancestor of:1:2", Make<WHLAncestor>, nullptr},                    // 21
    {"Descendants of:Not a Descendant of:1:2", Make<WHLDescendants>, nullptr},              // 22
    {"Is a Relation to:No Relation to:1:7", Make<WHLRelation>, nullptr},                    // 23
    {"Birth Place:Not Birth Place:1:3", Make<WHLStr>, "birth place"},                       // 24
    {"Christening Place:Not Christening Place:1:3", Make<WHLStr>, "christening place"},     // 25
    {"Death Place:Not Death Place:1:3", Make<WHLStr>, "death place"},                       // 26
    {"Burial Place:Not Burial Place:1:3", Make<WHLStr>, "burial place"},                    // 27
    {"Any Place:Not this Place:1:3", Make<WHLStr>, "place"},                                // 28
    {"Surname:Not this Surname:1:3", Make<WHLStr>, "surname"},                              // 29
    {"Given Names:Not this Given Name:1:3", Make<WHLStr>, "name"},                          // 30
    {"Has LDS Baptism:Has No LDS Baptism:0", Make<WHLHasLDS>, "Baptism"},                   // 31
    {"Has LDS Endowment:Has No LDS Endowment:0", Make<WHLHasLDS>, "Endowment"},             // 32
    {"Has LDS Sealed to Parents:Has No LDS Sealed to Parents:0", Make<WHLHasLDS>,
     "Sealed to Parents"},  // 33
    {"Has LDS Sealed to Spouse:Has No LDS Sealed to Spouse:0", Make<WHLHasLDS>,
     "Sealed to Spouse"},                                                                  // 34
    {"Has LDS Events:Has no LDS Events:0", Make<WHLLDS>, nullptr},                         // 35
    {"Married - No Spouse:Not Married - No Spouse:0", Make<WHLMarriedNoSpouse>, nullptr},  // 36
    {"Married - Same Name:Not Married - Same Name:0", Make<WHLMarriedSameName>, nullptr},  // 37
    {"Children with Same Name:Not Children with Same Name:0", Make<WHLChildSameName>,
     nullptr},                                                                         // 38
    {"Birth Date:Not Birth Date:1:4", Make<WHLDate>, "birth date"},                    // 39
    {"Christening Date:Not Christening Date:1:4", Make<WHLDate>, "christening date"},  // 40
    {"Death Date:Not Death Date:1:4", Make<WHLDate>, "death date"},                    // 41
    {"Burial Date:Not Burial Date:1:4", Make<WHLDate>, "burial date"},                 // 42
    {"Marriage Place:Not Marriage Place:1:3", Make<WHLStr>, "marriage place"},         // 43
    {"Age:Not Age:1:5,0,0", Make<WHLInt>, "age"},                                      // 44
    {"# Marriages:Not # Marriages:1:5,0,0", Make<WHLInt>, "# marriages"},              // 45
    {"# Parents:Not # Parents:1:5,0,0", Make<WHLInt>, "# parents"},                    // 46
    {"# Children:Not # Children:1:5,0,0", Make<WHLInt>, "# children"},                 // 47
    {"# Sons:Not # Sons:1:5,0,0", Make<WHLInt>, "# sons"},                             // 48
    {"# Daughters:Not # Daughters:1:5,0,0", Make<WHLInt>, "# daughters"},              // 49
    {"# Ancestors:Not # Ancestors:1:5,0,0", Make<WHLInt>, "# ancestors"},              // 50
    {"# Decendants:Not # Decendants:1:5,0,0", Make<WHLInt>, "# descendants"},          // 51
    {"Has Age:No Age:1:8", Make<WHLHas>, nullptr},                                     // 52
    {"Surname not Father's:Surname is Father's:0", Make<WHLWarning>, "father"},        // 53
    {"Surname not Parent's:Surname is Parent's:0", Make<WHLWarning>, "parents"},       // 54
    {"Surname is Mother's:Surname not Mother's:0", Make<WHLWarning>, "mother"},        // 55
    {"Couple Same Surname:Couple Not Same Surname:0", Make<WHLWarning>, "spouse"},     // 56
    {"Soundex Surname:Not Soundex Surname:1:6", Make<WHLStr>, "surname soundex"},      // 57
    {"Soundex Given:Not Soundex Given:1:6", Make<WHLStr>, "given name soundex"},       // 58
    {"Custom ID:Not Custom ID:1:3", Make<WHLStr>, "custom ID"},                        // 59
    {"Parent is:Parent is not:1:7", Make<WHLRelationIs>, "parent"},                    // 60
    {"Spouse is:Spouse is not:1:7", Make<WHLRelationIs>, "spouse"},                    // 61
    {"Sibling is:Sibling is not:1:7", Make<WHLRelationIs>, "sibling"},                 // 62
    {"Child is:Child is not:1:7", Make<WHLRelationIs>, "child"},                       // 63
    {"Unlinked:Not Unlinked:0", Make<WHLRelationIs>, nullptr},                         // 64
    {"Is Alive:Is Not Alive:1:8", Make<WHLALive>, nullptr},                            // 65
    {"Has Any Source:Has no Sources:0", Make<WHLHasSource>, "a source"},               // 66
    {"Has Name Source:Has no Name Source:0", Make<WHLHasSource>, "name source"},       // 67
    {"Has Birth Source:Has no Birth Source:0", Make<WHLHasSource>, "birth source"},    // 68
    {"Has Christening Source:Has no Christening Source:0", Make<WHLHasSource>,
     "christening source"},                                                                    // 69
    {"Has Death Source:Has no Death Source:0", Make<WHLHasSource>, "death source"},            // 70
    {"Has Burial Source:Has no Burial Source:0", Make<WHLHasSource>, "burial source"},         // 71
    {"Has Name Note:Has no Name Note:0", Make<WHLHasNote>, "name note"},                       // 72
    {"Has Birth Note:Has no Birth Note:0", Make<WHLHasNote>, "birth note"},                    // 73
    {"Has Christening Note:Has no Christening Note:0", Make<WHLHasNote>, "christening note"},  // 74
    {"Has Death Note:Has no Death Note:0", Make<WHLHasNote>, "death note"},                    // 75
    {"Has Burial Note:Has no Burial Note:0", Make<WHLHasNote>, "burial note"},                 // 76
    {"Has Any Note:Has no Notes:0", Make<WHLHasNote>, "any note"},                             // 77
    {"# Families:Not # Families:1:5,0,0", Make<WHLInt>, "# families"},                         // 78
    {"Has LDS B Date:Has No LDS B Date:0", Make<WHLHasLDS>, "Baptism Date"},                   // 79
    {"Has LDS E Date:Has No LDS E Date:0", Make<WHLHasLDS>, "Endowment Date"},                 // 80
    {"Has LDS SP Date:Has No LDS SP Date:0", Make<WHLHasLDS>, "Sealed to Parents Date"},       // 81
    {"Has LDS SS Date:Has No LDS SS Date:0", Make<WHLHasLDS>, "Sealed to Spouse Date"},        // 82
    {"Has LDS B Place:Has No LDS B Place:0", Make<WHLHasLDS>, "Baptism Place"},                // 83
    {"Has LDS E Place:Has No LDS E Place:0", Make<WHLHasLDS>, "Endowment Place"},              // 84
    {"Has LDS SP Place:Has No LDS SP Place:0", Make<WHLHasLDS>, "Sealed to Parents Place"},    // 85
    {"Has LDS SS Place:Has No LDS SS Place:0", Make<WHLHasLDS>, "Sealed to Spouse Place"},     // 86
    {"LDS B Date:Not LDS B Date:1:9", Make<WHLLDSDate>, "Baptism date"},                       // 87
    {"LDS E Date:Not LDS E Date:1:10", Make<WHLLDSDate>, "Endowment date"},                    // 88
    {"LDS SP Date:Not LDS SP Date:1:11", Make<WHLLDSDate>, "Sealed to Parents date"},          // 89
    {"LDS SS Date:Not LDS SS Date:1:12", Make<WHLLDSDate>, "Sealed to Spouse date"},           // 90
    {"LDS B Place:Not LDS B Place:1:3", Make<WHLStr>, "LDS Baptism place"},                    // 91
    {"LDS E Place:Not LDS E Place:1:3", Make<WHLStr>, "LDS Endowment place"},                  // 92
    {"LDS SP Place:Not LDS SP Place:1:3", Make<WHLStr>, "LDS Sealed to Parents place"},        // 93
    {"LDS SS Place:Not LDS SS Place:1:3", Make<WHLStr>, "LDS Sealed to Spouse place"},         // 94
    {"Anc Max Path:Not Anc Max Path:1:7", Make<WHLPaths>, nullptr},                            // 95
    {"Des Max Path:Not Des Max Path:1:7", Make<WHLPaths>, nullptr},                            // 96
    {"AFN:Not AFN:1:3", Make<WHLStr>, "AFN"},                                                  // 97
    {"Reference ID:Not Reference ID:1:3", Make<WHLStr>, "Reference ID"},                       // 98
    {"Has Marriage Source:Has No Marriage Source:0", Make<WHLHasSource>, "marriage source"},   // 99
    {"Has Marriage Note:Has No Marriage Note:0", Make<WHLHasNote>, "marriage note"},        // 100
    {"Legacy Tag Set On:Legacy Tag Set Off:1:5,1,9", nullptr, nullptr},                     // 101
    {"Sibling Name:Not Sibling Name:1:3", Make<WHLStr>, "sibling name"},                    // 102
    {"Child Name:Not Child Name:1:3", Make<WHLStr>, "child name"},                          // 103
    {"Parent Name:Not Parent Name:1:3", Make<WHLStr>, "parent name"},                       // 104
    {"Spouse Name:Not Spouse Name:1:3", Make<WHLStr>, "spouse name"},                       // 105
    {"Ancestor Name:Not Ancestor Name:1:3", Make<WHLStr>, "ancestor name"},                 // 106
    {"Descendant Name:Not Descendant Name:1:3", Make<WHLStr>, "descendant name"},           // 107
    {"Ancestor Surname:Not Ancestor Surname:1:3", Make<WHLStr>, "ancestor surname"},        // 108
    {"Descendant Surname:Not Descendant Surname:1:3", Make<WHLStr>, "descendant surname"},  // 109
    {"Sibling Surname:Not Sibling Surname:1:3", Make<WHLStr>, "sibling surname"},           // 110
    {"Child Surname:Not Child Surname:1:3", Make<WHLStr>, "child surname"},                 // 111
    {"Parent Surname:Not Parent Surname:1:3", Make<WHLStr>, "parent surname"},              // 112
    {"Spouse Surname:Not Spouse Surname:1:3", Make<WHLStr>, "spouse surname"},              // 113
}};

const KindRow* RowOf(int kind) {
    return kind >= 1 && kind <= kConditionKinds ? &kKinds[kind - 1] : nullptr;
}

// The fields of the kind's entry, split at ":".
std::vector<std::string> FieldsOf(int kind) {
    std::vector<std::string> fields;
    if (const KindRow* row = RowOf(kind)) Split(row->entry, ":", fields, true);
    return fields;
}

std::string FieldAt(int kind, size_t index) {
    const std::vector<std::string> fields = FieldsOf(kind);
    return index < fields.size() ? fields[index] : std::string();
}

int NumberOrZero(std::string_view text) {
    int32_t value = 0;
    return ParseInt(text, value) ? value : 0;
}

}  // namespace

std::string KindCaption(int kind, bool negated) {
    return FieldAt(kind, negated ? 1 : 0);
}

int KindHasParam(int kind) {
    return NumberOrZero(FieldAt(kind, 2));
}

std::string KindField(int kind, int i) {
    return i < -2 ? std::string() : FieldAt(kind, static_cast<size_t>(i + 2));
}

int KindFieldInt(int kind, int i) {
    const std::string field = KindField(kind, i);
    return NumberOrZero(std::string_view(field).substr(0, field.find(',')));
}

std::string KindWord(int kind) {
    const KindRow* row = RowOf(kind);
    return row && row->word ? row->word : "";
}

std::unique_ptr<WABSHighLighter> CreateCondition(int kind, const WABSCollection* collection) {
    const KindRow* row = RowOf(kind);
    return row && row->create ? row->create(collection, kind) : nullptr;
}

}  // namespace vx
