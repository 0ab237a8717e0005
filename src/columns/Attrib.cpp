#include "columns/Attrib.h"

#include <array>

#include "analysis/FamilyAnalysis.h"
#include "columns/AttribClasses.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"

namespace vx {
namespace {

using Factory = std::unique_ptr<WAttrib> (*)(int number, FamilyAnalysis* analysis);

template <class T>
std::unique_ptr<WAttrib> Make(int number, FamilyAnalysis* analysis) {
    return std::make_unique<T>(number, analysis);
}

// One row per attribute: everything the lists, the column chooser and the
// reports need to know about it.
struct AttributeRow {
    int number;  // an Attr::Id
    const char* shortCaption;
    const char* longCaption;  // null: the same as the short one
    Factory create;
    int valueType;     // how the column sorts
    int defaultWidth;  // pixels, until the user widens the column
};

constexpr int T = kValueText, I = kValueInt, D = kValueDate, A = kValueAge, F = kValueFloat;

// Row n - 1 describes attribute n.
constexpr std::array<AttributeRow, kAttributeCount> kAttributes = {{
    {Attr::Index, "Index", nullptr, Make<WAttribIndex>, I, 40},
    {Attr::RIN, "RIN", nullptr, Make<WAttribID>, T, 40},
    {Attr::AFN, "AFN", nullptr, Make<WAttribID>, T, 40},
    {Attr::Surname, "Surname", nullptr, Make<WAttribName>, T, 160},
    {Attr::Given, "Given", nullptr, Make<WAttribName>, T, 160},
    {Attr::FullName, "Full Name", nullptr, Make<WAttribName>, T, 160},
    {Attr::SurnameGiven, "Surname, Given", nullptr, Make<WAttribName>, T, 160},
    {Attr::Note, "Note", nullptr, Make<WAttribNote>, T, 160},
    {Attr::Sex, "Sex", nullptr, Make<WAttribSex>, T, 25},
    {Attr::BirthDate, "Birth Date", nullptr, Make<WAttribDate>, D, 75},
    {Attr::BirthPlace, "Birth Place", nullptr, Make<WAttribPlace>, T, 130},
    {Attr::ChristeningDate, "Chr Date", "Christening Date", Make<WAttribDate>, D, 75},
    {Attr::ChristeningPlace, "Chr Place", "Christening Place", Make<WAttribPlace>, T, 130},
    {Attr::DeathDate, "Death Date", nullptr, Make<WAttribDate>, D, 75},
    {Attr::DeathPlace, "Death Place", nullptr, Make<WAttribPlace>, T, 130},
    {Attr::BurialDate, "Burial Date", nullptr, Make<WAttribDate>, D, 75},
    {Attr::BurialPlace, "Burial Place", nullptr, Make<WAttribPlace>, T, 130},
    {Attr::FatherMotherSpouse, "Father/Mother(M)/Spouse(S)", nullptr, Make<WAttribFMS>, T, 160},
    {Attr::Age, "Age", nullptr, Make<WAttribAge>, A, 30},
    {Attr::MarriedAge, "Mar. Age", "Married Age", Make<WAttribAge>, A, 40},
    {Attr::HasNote, "Has Note", "Has a Note", Make<WAttribHas>, T, 40},
    {Attr::HasSource, "Has Source", "Has a Source", Make<WAttribHas>, T, 40},
    {Attr::HasEvents, "Has Events", nullptr, Make<WAttribHas>, T, 40},
    {Attr::MarriageCount, "#Mars", "Number of Marriages", Make<WAttribNumMarriages>, I, 40},
    {Attr::ParentCount, "#Pars", "Number of Parents", Make<WAttribNumParents>, I, 40},
    {Attr::ChildCount, "#Chds", "Number of Children", Make<WAttribNumChildren>, I, 40},
    {Attr::AncestorCount, "#Anc", "Number of Ancestors", Make<WAttribNumAnc>, I, 40},
    {Attr::DescendantCount, "#Des", "Number of Descendants", Make<WAttribNumDes>, I, 40},
    {Attr::LDSInformation, "LDS", "LDS Information", Make<WAttribLDS>, T, 36},
    {Attr::LDSBaptism, "LDS B", "LDS Baptism", Make<WAttribLDSDate>, D, 75},
    {Attr::LDSBaptismTemple, "LDS B Temple", "LDS Baptism Temple", Make<WAttribLDSTemple>, T, 70},
    {Attr::LDSEndowment, "LDS E", "LDS Endowment", Make<WAttribLDSDate>, D, 75},
    {Attr::LDSEndowmentTemple, "LDS E Temple", "LDS Endowment Temple", Make<WAttribLDSTemple>, T,
     70},
    {Attr::LDSSealedToParents, "LDS SP", "LDS Sealed to Parents", Make<WAttribLDSDate>, D, 75},
    {Attr::LDSSealedToParentsTemple, "LDS SP Temple", "LDS Sealed to Parents Temple",
     Make<WAttribLDSTemple>, T, 70},
    {Attr::LDSSealedToSpouse, "LDS SS", "LDS Sealed to Spouse", Make<WAttribLDSDate>, D, 75},
    {Attr::LDSSealedToSpouseTemple, "LDS SS Temple", "LDS Sealed to Spouse Temple",
     Make<WAttribLDSTemple>, T, 70},
    {Attr::Relationship, "Relationship", nullptr, Make<WAttribRelation>, T, 160},
    {Attr::CommonAncestor, "Common Ancestor", nullptr, Make<WAttribRelation>, T, 160},
    {Attr::Alive, "Alive", nullptr, Make<WAttribALive>, T, 40},
    {Attr::MarriagePlace, "Mar Place", "Marriage Place", Make<WAttribPlace>, T, 130},
    {Attr::MarriageDate, "Mar Date", "Marriage Date", Make<WAttribDate>, D, 75},
    {Attr::Father, "Father", nullptr, Make<WAttribFMS>, T, 160},
    {Attr::Mother, "Mother", nullptr, Make<WAttribFMS>, T, 160},
    {Attr::Spouse, "Spouse", nullptr, Make<WAttribFMS>, T, 160},
    {Attr::SurnameSoundex, "Sur Sdx", "Surname Soundex", Make<WAttribName>, T, 50},
    {Attr::GivenSoundex, "Name Sdx", "Given Name Soundex", Make<WAttribName>, T, 50},
    {Attr::CustomId, "Custom ID", nullptr, Make<WAttribID>, T, 40},
    {Attr::FatherLastFirst, "Father (Last, First)", nullptr, Make<WAttribFMS>, T, 160},
    {Attr::MotherLastFirst, "Mother (Last, First)", nullptr, Make<WAttribFMS>, T, 160},
    {Attr::SpouseLastFirst, "Spouse (Last, First)", nullptr, Make<WAttribFMS>, T, 160},
    {Attr::CommonAncestorLastFirst, "Common Ancestor (L, F)", "Common Ancestor (Last, First)",
     Make<WAttribRelation>, T, 160},
    {Attr::FatherMotherSpouseLastFirst, "Father/Mother(M)/Spouse(S) (L, F)",
     "Father/Mother(M)/Spouse(S) (Last, First)", Make<WAttribFMS>, T, 160},
    {Attr::CreateDate, "Create Date", nullptr, Make<WAttribDate>, D, 75},
    {Attr::ModifyDate, "Modify Date", nullptr, Make<WAttribDate>, D, 75},
    {Attr::SpouseFatherMother, "Spouse/Father(F)/Mother(M) (F, L)",
     "Spouse/Father(F)/Mother(M) (First, Last)", Make<WAttribFMS>, T, 160},
    {Attr::SpouseFatherMotherLastFirst, "Spouse/Father(F)/Mother(M) (L, F)",
     "Spouse/Father(F)/Mother(M) (Last, First)", Make<WAttribFMS>, T, 160},
    {Attr::Island, "Island #", "Island Number", Make<WAttribIsland>, I, 40},
    {Attr::FatherAgeAtBirth, "F. Age", "Father's age at birth", Make<WAttribAge>, A, 40},
    {Attr::MotherAgeAtBirth, "M. Age", "Mother's age at birth", Make<WAttribAge>, A, 40},
    {Attr::AncestorGenerations, "A Gens", "Largest Ancestor Generation", Make<WAttribNumAnc>, I,
     40},
    {Attr::DescendantGenerations, "D Gens", "Largest Descendant Generation", Make<WAttribNumDes>, I,
     40},
    {Attr::AverageAncestorGenerations, "Avg A Gens", "Average Ancestor Generations",
     Make<WAttribAvgGens>, F, 50},
    {Attr::AverageDescendantGenerations, "Avg D Gens", "Average Descendant Generations",
     Make<WAttribAvgGens>, F, 50},
    {Attr::BirthOrChristeningDate, "Birth/[C] Date", "Birth/[Christening] Date", Make<WAttribDate>,
     D, 75},
    {Attr::BirthOrChristeningPlace, "Birth/[C] Place", "Birth/[Christening] Place",
     Make<WAttribPlace>, T, 130},
    {Attr::DeathOrBurialDate, "Death/[B] Date", "Death/[Burial] Date", Make<WAttribDate>, D, 75},
    {Attr::DeathOrBurialPlace, "Death/[B] Place", "Death/[Burial] Place", Make<WAttribPlace>, T,
     130},
}};

constexpr bool NumbersFollowRows() {
    for (size_t i = 0; i < kAttributes.size(); ++i)
        if (kAttributes[i].number != static_cast<int>(i) + 1) return false;
    return true;
}
static_assert(NumbersFollowRows(), "row n - 1 must describe attribute n");

const AttributeRow* RowOf(int number) {
    return number >= 1 && number <= kAttributeCount ? &kAttributes[number - 1] : nullptr;
}

}  // namespace

WAttrib::WAttrib(int number, FamilyAnalysis* analysis)
    : analysis_(analysis),
      collection_(analysis ? &analysis->Collection() : nullptr),
      number_(number),
      valueType_(AttributeValueType(number)) {}

WAttrib::~WAttrib() = default;

void WAttrib::SetAnalysis(FamilyAnalysis* analysis) {
    if (analysis != analysis_) basePerson_ = 0;
    analysis_ = analysis;
    collection_ = analysis ? &analysis->Collection() : nullptr;
}

std::unique_ptr<WABSIndividual> WAttrib::Person(int32_t individual) const {
    if (!collection_ || individual < 1 || individual > collection_->IndividualCount())
        return nullptr;
    return collection_->Individual(individual);
}

std::unique_ptr<WAttrib> CreateAttribute(int number, FamilyAnalysis* analysis) {
    const AttributeRow* row = RowOf(number);
    return row ? row->create(number, analysis) : nullptr;
}

std::string AttributeCaption(int number, bool longCaption, const WABSCollection* collection) {
    const AttributeRow* row = RowOf(number);
    if (!row) return {};
    // GEDCOM files call the record identifier a reference.
    if (number == Attr::RIN && collection && collection->FileKind() == WABSCollection::kKindGedcom)
        return "REF";
    return longCaption && row->longCaption ? row->longCaption : row->shortCaption;
}

int AttributeValueType(int number) {
    const AttributeRow* row = RowOf(number);
    return row ? row->valueType : kValueText;
}

int AttributeDefaultWidth(int number) {
    const AttributeRow* row = RowOf(number);
    return row ? row->defaultWidth : 0;
}

}  // namespace vx
