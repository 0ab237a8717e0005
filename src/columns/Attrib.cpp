#include "columns/Attrib.h"

#include <array>

#include "columns/AttribClasses.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"

namespace vx {
namespace {

using Factory = std::unique_ptr<WAttrib> (*)(int number, const WABSCollection* collection);

template <class T>
std::unique_ptr<WAttrib> Make(int number, const WABSCollection* collection) {
    return std::make_unique<T>(number, collection);
}

struct AttributeRow {
    const char* shortCaption;
    const char* longCaption;  // null: the same as the short one
    Factory create;
    int valueType;
};

constexpr int T = kValueText, I = kValueInt, D = kValueDate, A = kValueAge, F = kValueFloat;

// Row n - 1 describes attribute n.
const std::array<AttributeRow, kAttributeCount> kAttributes = {{
    {"Index", nullptr, Make<WAttribIndex>, I},                                              // 1
    {"RIN", nullptr, Make<WAttribID>, T},                                                   // 2
    {"AFN", nullptr, Make<WAttribID>, T},                                                   // 3
    {"Surname", nullptr, Make<WAttribName>, T},                                             // 4
    {"Given", nullptr, Make<WAttribName>, T},                                               // 5
    {"Full Name", nullptr, Make<WAttribName>, T},                                           // 6
    {"Surname, Given", nullptr, Make<WAttribName>, T},                                      // 7
    {"Note", nullptr, Make<WAttribNote>, T},                                                // 8
    {"Sex", nullptr, Make<WAttribSex>, T},                                                  // 9
    {"Birth Date", nullptr, Make<WAttribDate>, D},                                          // 10
    {"Birth Place", nullptr, Make<WAttribPlace>, T},                                        // 11
    {"Chr Date", "Christening Date", Make<WAttribDate>, D},                                 // 12
    {"Chr Place", "Christening Place", Make<WAttribPlace>, T},                              // 13
    {"Death Date", nullptr, Make<WAttribDate>, D},                                          // 14
    {"Death Place", nullptr, Make<WAttribPlace>, T},                                        // 15
    {"Burial Date", nullptr, Make<WAttribDate>, D},                                         // 16
    {"Burial Place", nullptr, Make<WAttribPlace>, T},                                       // 17
    {"Father/Mother(M)/Spouse(S)", nullptr, Make<WAttribFMS>, T},                           // 18
    {"Age", nullptr, Make<WAttribAge>, A},                                                  // 19
    {"Mar. Age", "Married Age", Make<WAttribAge>, A},                                       // 20
    {"Has Note", "Has a Note", Make<WAttribHas>, T},                                        // 21
    {"Has Source", "Has a Source", Make<WAttribHas>, T},                                    // 22
    {"Has Events", nullptr, Make<WAttribHas>, T},                                           // 23
    {"#Mars", "Number of Marriages", Make<WAttribNumMarriages>, I},                         // 24
    {"#Pars", "Number of Parents", Make<WAttribNumParents>, I},                             // 25
    {"#Chds", "Number of Children", Make<WAttribNumChildren>, I},                           // 26
    {"#Anc", "Number of Ancestors", Make<WAttribNumAnc>, I},                                // 27
    {"#Des", "Number of Descendants", Make<WAttribNumDes>, I},                              // 28
    {"LDS", "LDS Information", Make<WAttribLDS>, T},                                        // 29
    {"LDS B", "LDS Baptism", Make<WAttribLDSDate>, D},                                      // 30
    {"LDS B Temple", "LDS Baptism Temple", Make<WAttribLDSTemple>, T},                      // 31
    {"LDS E", "LDS Endowment", Make<WAttribLDSDate>, D},                                    // 32
    {"LDS E Temple", "LDS Endowment Temple", Make<WAttribLDSTemple>, T},                    // 33
    {"LDS SP", "LDS Sealed to Parents", Make<WAttribLDSDate>, D},                           // 34
    {"LDS SP Temple", "LDS Sealed to Parents Temple", Make<WAttribLDSTemple>, T},           // 35
    {"LDS SS", "LDS Sealed to Spouse", Make<WAttribLDSDate>, D},                            // 36
    {"LDS SS Temple", "LDS Sealed to Spouse Temple", Make<WAttribLDSTemple>, T},            // 37
    {"Relationship", nullptr, Make<WAttribRelation>, T},                                    // 38
    {"Common Ancestor", nullptr, Make<WAttribRelation>, T},                                 // 39
    {"Alive", nullptr, Make<WAttribALive>, T},                                              // 40
    {"Mar Place", "Marriage Place", Make<WAttribPlace>, T},                                 // 41
    {"Mar Date", "Marriage Date", Make<WAttribDate>, D},                                    // 42
    {"Father", nullptr, Make<WAttribFMS>, T},                                               // 43
    {"Mother", nullptr, Make<WAttribFMS>, T},                                               // 44
    {"Spouse", nullptr, Make<WAttribFMS>, T},                                               // 45
    {"Sur Sdx", "Surname Soundex", Make<WAttribName>, T},                                   // 46
    {"Name Sdx", "Given Name Soundex", Make<WAttribName>, T},                               // 47
    {"Custom ID", nullptr, Make<WAttribID>, T},                                             // 48
    {"Father (Last, First)", nullptr, Make<WAttribFMS>, T},                                 // 49
    {"Mother (Last, First)", nullptr, Make<WAttribFMS>, T},                                 // 50
    {"Spouse (Last, First)", nullptr, Make<WAttribFMS>, T},                                 // 51
    {"Common Ancestor (L, F)", "Common Ancestor (Last, First)", Make<WAttribRelation>, T},  // 52
    {"Father/Mother(M)/Spouse(S) (L, F)", "Father/Mother(M)/Spouse(S) (Last, First)",
     Make<WAttribFMS>, T},                           // 53
    {"Create Date", nullptr, Make<WAttribDate>, D},  // 54
    {"Modify Date", nullptr, Make<WAttribDate>, D},  // 55
    {"Spouse/Father(F)/Mother(M) (F, L)", "Spouse/Father(F)/Mother(M) (First, Last)",
     Make<WAttribFMS>, T},  // 56
    {"Spouse/Father(F)/Mother(M) (L, F)", "Spouse/Father(F)/Mother(M) (Last, First)",
     Make<WAttribFMS>, T},                                                      // 57
    {"Island #", "Island Number", Make<WAttribIsland>, I},                      // 58
    {"F. Age", "Father's age at birth", Make<WAttribAge>, A},                   // 59
    {"M. Age", "Mother's age at birth", Make<WAttribAge>, A},                   // 60
    {"A Gens", "Largest Ancestor Generation", Make<WAttribNumAnc>, I},          // 61
    {"D Gens", "Largest Descendant Generation", Make<WAttribNumDes>, I},        // 62
    {"Avg A Gens", "Average Ancestor Generations", Make<WAttribAvgGens>, F},    // 63
    {"Avg D Gens", "Average Descendant Generations", Make<WAttribAvgGens>, F},  // 64
    {"Birth/[C] Date", "Birth/[Christening] Date", Make<WAttribDate>, D},       // 65
    {"Birth/[C] Place", "Birth/[Christening] Place", Make<WAttribPlace>, T},    // 66
    {"Death/[B] Date", "Death/[Burial] Date", Make<WAttribDate>, D},            // 67
    {"Death/[B] Place", "Death/[Burial] Place", Make<WAttribPlace>, T},         // 68
}};

const AttributeRow* RowOf(int number) {
    return number >= 1 && number <= kAttributeCount ? &kAttributes[number - 1] : nullptr;
}

}  // namespace

WAttrib::WAttrib(int number, const WABSCollection* collection)
    : collection_(collection), number_(number), valueType_(AttributeValueType(number)) {}

WAttrib::~WAttrib() = default;

void WAttrib::SetCollection(const WABSCollection* collection) {
    if (collection != collection_) basePerson_ = 0;
    collection_ = collection;
}

std::unique_ptr<WABSIndividual> WAttrib::Person(int32_t individual) const {
    if (!collection_ || individual < 1 || individual > collection_->IndividualCount())
        return nullptr;
    return collection_->Individual(individual);
}

std::unique_ptr<WAttrib> CreateAttribute(int number, const WABSCollection* collection) {
    const AttributeRow* row = RowOf(number);
    return row ? row->create(number, collection) : nullptr;
}

std::string AttributeCaption(int number, bool longCaption, const WABSCollection* collection) {
    const AttributeRow* row = RowOf(number);
    if (!row) return {};
    // GEDCOM files call the record identifier a reference.
    if (number == 2 && collection && collection->FileKind() == WABSCollection::kKindGedcom)
        return "REF";
    return longCaption && row->longCaption ? row->longCaption : row->shortCaption;
}

int AttributeValueType(int number) {
    const AttributeRow* row = RowOf(number);
    return row ? row->valueType : kValueText;
}

}  // namespace vx
