#include "columns/Attrib.h"

#include <array>

#include "analysis/FamilyAnalysis.h"
#include "columns/AttribClasses.h"
#include "columns/AttributeReadings.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"

namespace vx {
namespace {

using Factory = std::unique_ptr<WAttrib> (*)(int number, FamilyAnalysis* analysis,
                                             const AttributeBehaviour& behaviour);

template <class T>
std::unique_ptr<WAttrib> Make(int number, FamilyAnalysis* analysis,
                              const AttributeBehaviour& behaviour) {
    return std::make_unique<T>(number, analysis, behaviour);
}

// One row per attribute: everything the lists, the column chooser, the
// reports and the attribute's class need to know about it.
struct AttributeRow {
    int number;  // an Attr::Id
    const char* shortCaption;
    const char* longCaption;  // null: the same as the short one
    Factory create;
    int valueType;                 // how the column sorts
    int defaultWidth;              // pixels, until the user widens the column
    AttributeBehaviour behaviour;  // what the class reads for this column
};

constexpr int T = kValueText, I = kValueInt, D = kValueDate, A = kValueAge, F = kValueFloat;

// What a row's column reads; most columns of a family differ only here.
using Reads = AttributeBehaviour;

// Row n - 1 describes attribute n.
constexpr std::array<AttributeRow, kAttributeCount> kAttributes = {{
    {Attr::Index, "Index", nullptr, Make<WAttribIndex>, I, 40, Reads{}},
    {Attr::RIN, "RIN", nullptr, Make<WAttribID>, T, 40, Reads{.text = cells::RecordId}},
    {Attr::AFN, "AFN", nullptr, Make<WAttribID>, T, 40, Reads{.text = cells::AFN}},
    {Attr::Surname, "Surname", nullptr, Make<WAttribName>, T, 160, Reads{.text = cells::Surname}},
    {Attr::Given, "Given", nullptr, Make<WAttribName>, T, 160, Reads{.text = cells::GivenNames}},
    {Attr::FullName, "Full Name", nullptr, Make<WAttribName>, T, 160,
     Reads{.text = cells::FullName}},
    {Attr::SurnameGiven, "Surname, Given", nullptr, Make<WAttribName>, T, 160,
     Reads{.text = cells::SurnameGiven}},
    {Attr::Note, "Note", nullptr, Make<WAttribNote>, T, 160, Reads{}},
    {Attr::Sex, "Sex", nullptr, Make<WAttribSex>, T, 25, Reads{}},
    {Attr::BirthDate, "Birth Date", nullptr, Make<WAttribDate>, D, 75,
     Reads{.event = kEventBirth, .text = cells::EventDate}},
    {Attr::BirthPlace, "Birth Place", nullptr, Make<WAttribPlace>, T, 130,
     Reads{.event = kEventBirth, .text = cells::EventPlace}},
    {Attr::ChristeningDate, "Chr Date", "Christening Date", Make<WAttribDate>, D, 75,
     Reads{.event = kEventChristening, .text = cells::EventDate}},
    {Attr::ChristeningPlace, "Chr Place", "Christening Place", Make<WAttribPlace>, T, 130,
     Reads{.event = kEventChristening, .text = cells::EventPlace}},
    {Attr::DeathDate, "Death Date", nullptr, Make<WAttribDate>, D, 75,
     Reads{.event = kEventDeath, .text = cells::EventDate}},
    {Attr::DeathPlace, "Death Place", nullptr, Make<WAttribPlace>, T, 130,
     Reads{.event = kEventDeath, .text = cells::EventPlace}},
    {Attr::BurialDate, "Burial Date", nullptr, Make<WAttribDate>, D, 75,
     Reads{.event = kEventBurial, .text = cells::EventDate}},
    {Attr::BurialPlace, "Burial Place", nullptr, Make<WAttribPlace>, T, 130,
     Reads{.event = kEventBurial, .text = cells::EventPlace}},
    {Attr::FatherMotherSpouse, "Father/Mother(M)/Spouse(S)", nullptr, Make<WAttribFMS>, T, 160,
     Reads{.relative = cells::FatherMotherOrSpouse}},
    {Attr::Age, "Age", nullptr, Make<WAttribAge>, A, 30, Reads{.text = cells::Age}},
    {Attr::MarriedAge, "Mar. Age", "Married Age", Make<WAttribAge>, A, 40,
     Reads{.text = cells::AgeAtMarriage}},
    {Attr::HasNote, "Has Note", "Has a Note", Make<WAttribHas>, T, 40,
     Reads{.fact = cells::HasNote}},
    {Attr::HasSource, "Has Source", "Has a Source", Make<WAttribHas>, T, 40,
     Reads{.fact = cells::HasSource}},
    {Attr::HasEvents, "Has Events", nullptr, Make<WAttribHas>, T, 40,
     Reads{.fact = cells::HasOtherEvents}},
    {Attr::MarriageCount, "#Mars", "Number of Marriages", Make<WAttribCount>, I, 40,
     Reads{.count = cells::SpouseFamilyCount}},
    {Attr::ParentCount, "#Pars", "Number of Parents", Make<WAttribCount>, I, 40,
     Reads{.count = cells::ParentCount}},
    {Attr::ChildCount, "#Chds", "Number of Children", Make<WAttribCount>, I, 40,
     Reads{.count = cells::ChildCount}},
    {Attr::AncestorCount, "#Anc", "Number of Ancestors", Make<WAttribCount>, I, 40,
     Reads{.count = cells::AncestorCount}},
    {Attr::DescendantCount, "#Des", "Number of Descendants", Make<WAttribCount>, I, 40,
     Reads{.count = cells::DescendantCount}},
    {Attr::LDSInformation, "LDS", "LDS Information", Make<WAttribLDS>, T, 36, Reads{}},
    {Attr::LDSBaptism, "LDS B", "LDS Baptism", Make<WAttribLDSDate>, D, 75,
     Reads{.ordinance = kLDSBaptism}},
    {Attr::LDSBaptismTemple, "LDS B Temple", "LDS Baptism Temple", Make<WAttribLDSTemple>, T, 70,
     Reads{.ordinance = kLDSBaptism}},
    {Attr::LDSEndowment, "LDS E", "LDS Endowment", Make<WAttribLDSDate>, D, 75,
     Reads{.ordinance = kLDSEndowment}},
    {Attr::LDSEndowmentTemple, "LDS E Temple", "LDS Endowment Temple", Make<WAttribLDSTemple>, T,
     70, Reads{.ordinance = kLDSEndowment}},
    {Attr::LDSSealedToParents, "LDS SP", "LDS Sealed to Parents", Make<WAttribLDSDate>, D, 75,
     Reads{.ordinance = kLDSSealingToParents}},
    {Attr::LDSSealedToParentsTemple, "LDS SP Temple", "LDS Sealed to Parents Temple",
     Make<WAttribLDSTemple>, T, 70, Reads{.ordinance = kLDSSealingToParents}},
    {Attr::LDSSealedToSpouse, "LDS SS", "LDS Sealed to Spouse", Make<WAttribLDSDate>, D, 75,
     Reads{.ordinance = kLDSSealingToSpouse}},
    {Attr::LDSSealedToSpouseTemple, "LDS SS Temple", "LDS Sealed to Spouse Temple",
     Make<WAttribLDSTemple>, T, 70, Reads{.ordinance = kLDSSealingToSpouse}},
    {Attr::Relationship, "Relationship", nullptr, Make<WAttribRelation>, T, 160,
     Reads{.relation = cells::Relationship}},
    {Attr::CommonAncestor, "Common Ancestor", nullptr, Make<WAttribRelation>, T, 160,
     Reads{.relation = cells::CommonAncestor}},
    {Attr::Alive, "Alive", nullptr, Make<WAttribALive>, T, 40, Reads{}},
    {Attr::MarriagePlace, "Mar Place", "Marriage Place", Make<WAttribPlace>, T, 130,
     Reads{.text = cells::MarriagePlace}},
    {Attr::MarriageDate, "Mar Date", "Marriage Date", Make<WAttribDate>, D, 75,
     Reads{.text = cells::MarriageDate}},
    {Attr::Father, "Father", nullptr, Make<WAttribFMS>, T, 160, Reads{.relative = cells::Father}},
    {Attr::Mother, "Mother", nullptr, Make<WAttribFMS>, T, 160, Reads{.relative = cells::Mother}},
    {Attr::Spouse, "Spouse", nullptr, Make<WAttribFMS>, T, 160, Reads{.relative = cells::Spouse}},
    {Attr::SurnameSoundex, "Sur Sdx", "Surname Soundex", Make<WAttribName>, T, 50,
     Reads{.text = cells::SurnameSoundex}},
    {Attr::GivenSoundex, "Name Sdx", "Given Name Soundex", Make<WAttribName>, T, 50,
     Reads{.text = cells::GivenSoundex}},
    {Attr::CustomId, "Custom ID", nullptr, Make<WAttribID>, T, 40, Reads{.text = cells::CustomId}},
    {Attr::FatherLastFirst, "Father (Last, First)", nullptr, Make<WAttribFMS>, T, 160,
     Reads{.lastFirst = true, .relative = cells::Father}},
    {Attr::MotherLastFirst, "Mother (Last, First)", nullptr, Make<WAttribFMS>, T, 160,
     Reads{.lastFirst = true, .relative = cells::Mother}},
    {Attr::SpouseLastFirst, "Spouse (Last, First)", nullptr, Make<WAttribFMS>, T, 160,
     Reads{.lastFirst = true, .relative = cells::Spouse}},
    {Attr::CommonAncestorLastFirst, "Common Ancestor (L, F)", "Common Ancestor (Last, First)",
     Make<WAttribRelation>, T, 160, Reads{.relation = cells::CommonAncestorLastFirst}},
    {Attr::FatherMotherSpouseLastFirst, "Father/Mother(M)/Spouse(S) (L, F)",
     "Father/Mother(M)/Spouse(S) (Last, First)", Make<WAttribFMS>, T, 160,
     Reads{.lastFirst = true, .relative = cells::FatherMotherOrSpouse}},
    {Attr::CreateDate, "Create Date", nullptr, Make<WAttribDate>, D, 75,
     Reads{.text = cells::CreationDate}},
    {Attr::ModifyDate, "Modify Date", nullptr, Make<WAttribDate>, D, 75,
     Reads{.text = cells::ChangeDate}},
    {Attr::SpouseFatherMother, "Spouse/Father(F)/Mother(M) (F, L)",
     "Spouse/Father(F)/Mother(M) (First, Last)", Make<WAttribFMS>, T, 160,
     Reads{.relative = cells::SpouseFatherOrMother}},
    {Attr::SpouseFatherMotherLastFirst, "Spouse/Father(F)/Mother(M) (L, F)",
     "Spouse/Father(F)/Mother(M) (Last, First)", Make<WAttribFMS>, T, 160,
     Reads{.lastFirst = true, .relative = cells::SpouseFatherOrMother}},
    {Attr::Island, "Island #", "Island Number", Make<WAttribIsland>, I, 40, Reads{}},
    {Attr::FatherAgeAtBirth, "F. Age", "Father's age at birth", Make<WAttribAge>, A, 40,
     Reads{.text = cells::AgeAtFathersBirth}},
    {Attr::MotherAgeAtBirth, "M. Age", "Mother's age at birth", Make<WAttribAge>, A, 40,
     Reads{.text = cells::AgeAtMothersBirth}},
    {Attr::AncestorGenerations, "A Gens", "Largest Ancestor Generation", Make<WAttribCount>, I, 40,
     Reads{.count = cells::AncestorGenerations}},
    {Attr::DescendantGenerations, "D Gens", "Largest Descendant Generation", Make<WAttribCount>, I,
     40, Reads{.count = cells::DescendantGenerations}},
    {Attr::AverageAncestorGenerations, "Avg A Gens", "Average Ancestor Generations",
     Make<WAttribAvgGens>, F, 50, Reads{.average = cells::AverageAncestorGenerations}},
    {Attr::AverageDescendantGenerations, "Avg D Gens", "Average Descendant Generations",
     Make<WAttribAvgGens>, F, 50, Reads{.average = cells::AverageDescendantGenerations}},
    {Attr::BirthOrChristeningDate, "Birth/[C] Date", "Birth/[Christening] Date", Make<WAttribDate>,
     D, 75, Reads{.event = kEventBirth, .standIn = kEventChristening, .text = cells::EventDate}},
    {Attr::BirthOrChristeningPlace, "Birth/[C] Place", "Birth/[Christening] Place",
     Make<WAttribPlace>, T, 130,
     Reads{.event = kEventBirth, .standIn = kEventChristening, .text = cells::EventPlace}},
    {Attr::DeathOrBurialDate, "Death/[B] Date", "Death/[Burial] Date", Make<WAttribDate>, D, 75,
     Reads{.event = kEventDeath, .standIn = kEventBurial, .text = cells::EventDate}},
    {Attr::DeathOrBurialPlace, "Death/[B] Place", "Death/[Burial] Place", Make<WAttribPlace>, T,
     130, Reads{.event = kEventDeath, .standIn = kEventBurial, .text = cells::EventPlace}},
}};

constexpr bool NumbersFollowRows() {
    for (size_t i = 0; i < kAttributes.size(); ++i)
        if (kAttributes[i].number != static_cast<int>(i) + 1) return false;
    return true;
}
static_assert(NumbersFollowRows(), "row n - 1 must describe attribute n");

// Whether the class the row makes finds in it what it reads, and so does a
// reading of "the event".
bool GivesWhatItsClassReads(const AttributeRow& row) {
    const Reads& reads = row.behaviour;
    const Factory make = row.create;
    const bool readsText = make == Make<WAttribID> || make == Make<WAttribName> ||
                           make == Make<WAttribDate> || make == Make<WAttribPlace> ||
                           make == Make<WAttribAge>;
    if (readsText && !reads.text) return false;
    if ((make == Make<WAttribHas> && !reads.fact) || (make == Make<WAttribCount> && !reads.count) ||
        (make == Make<WAttribAvgGens> && !reads.average) ||
        (make == Make<WAttribFMS> && !reads.relative) ||
        (make == Make<WAttribRelation> && !reads.relation))
        return false;
    const bool readsOrdinance = make == Make<WAttribLDSDate> || make == Make<WAttribLDSTemple>;
    if (readsOrdinance && reads.ordinance == kEventNone) return false;
    const bool readsEvent = reads.text == cells::EventDate || reads.text == cells::EventPlace;
    return !readsEvent || reads.event != kEventNone;
}

const AttributeRow* RowOf(int number) {
    return number >= 1 && number <= kAttributeCount ? &kAttributes[number - 1] : nullptr;
}

}  // namespace

WAttrib::WAttrib(int number, FamilyAnalysis* analysis, const AttributeBehaviour& behaviour)
    : behaviour_(behaviour),
      analysis_(analysis),
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

AttributeReading WAttrib::Reading(const WABSIndividual& person, int32_t individual,
                                  int occurrence) const {
    return {*analysis_, *collection_, person, individual, occurrence, behaviour_};
}

std::string WAttrib::ReadText(int32_t individual, int occurrence) const {
    auto person = Person(individual);
    return person ? behaviour_.text(Reading(*person, individual, occurrence)) : std::string();
}

int FirstIncompleteAttribute() {
    for (const AttributeRow& row : kAttributes)
        if (!GivesWhatItsClassReads(row)) return row.number;
    return 0;
}

std::unique_ptr<WAttrib> CreateAttribute(int number, FamilyAnalysis* analysis) {
    const AttributeRow* row = RowOf(number);
    return row ? row->create(number, analysis, row->behaviour) : nullptr;
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
