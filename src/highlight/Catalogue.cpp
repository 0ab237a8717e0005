#include "highlight/Catalogue.h"

#include <array>

#include "highlight/Conditions.h"
#include "highlight/KindReadings.h"

namespace vx {
namespace {

using Factory = std::unique_ptr<WABSHighLighter> (*)(FamilyAnalysis*, int kind,
                                                     const KindBehaviour& behaviour);

template <class T>
std::unique_ptr<WABSHighLighter> Make(FamilyAnalysis* analysis, int kind,
                                      const KindBehaviour& behaviour) {
    return std::make_unique<T>(analysis, kind, behaviour);
}

// One row per kind: everything the condition editor, the condition strings,
// the descriptions and the condition's class need to know about it.
struct KindRow {
    int kind;  // a Cond::Kind
    const char* caption;
    const char* negatedCaption;
    KindParam param;
    Factory create;           // null: the kind makes no condition
    const char* word;         // null: the description needs none
    KindBehaviour behaviour;  // what the class reads for this kind
};

constexpr KindParam kNoParam{};
constexpr KindParam kSexParam{ParamEditor::Sex};
constexpr KindParam kPersonAndGenerationsParam{ParamEditor::PersonAndGenerations};
constexpr KindParam kTextParam{ParamEditor::Text};
constexpr KindParam kDateParam{ParamEditor::Date};
constexpr KindParam kCountParam{ParamEditor::Number, 0, kLargestCountParam};
constexpr KindParam kSoundexParam{ParamEditor::Soundex};
constexpr KindParam kPersonParam{ParamEditor::Person};
constexpr KindParam kAgeLimitParam{ParamEditor::AgeLimit};
constexpr KindParam kBaptismStatusParam{ParamEditor::BaptismStatus};
constexpr KindParam kEndowmentStatusParam{ParamEditor::EndowmentStatus};
constexpr KindParam kSealedToParentsStatusParam{ParamEditor::SealedToParentsStatus};
constexpr KindParam kSealedToSpouseStatusParam{ParamEditor::SealedToSpouseStatus};
// The legacy tag is one of nine numbered tags.
constexpr int kLegacyTags = 9;
constexpr KindParam kLegacyTagParam{ParamEditor::Number, 1, kLegacyTags};

// What a row's kind reads; most kinds of a family differ only here.
using Reads = KindBehaviour;

// Row k - 1 describes kind k.
constexpr std::array<KindRow, kConditionKinds> kKinds = {{
    {Cond::Placeholder, "Select a Condition", "Select a Condition", kNoParam, nullptr, nullptr,
     Reads{}},
    {Cond::HasNoBirthDate, "Has No Birth Date", "Has a Birth Date", kNoParam, Make<WHLNoDate>,
     "birth date", Reads{.event = kEventBirth, .fact = readings::EventHasDate}},
    {Cond::HasNoBirthPlace, "Has No Birth Place", "Has a Birth Place", kNoParam, Make<WHLNoPlace>,
     "birth place", Reads{.event = kEventBirth, .fact = readings::EventHasPlace}},
    {Cond::HasNoChristeningDate, "Has No Christening Date", "Has a Christening Date", kNoParam,
     Make<WHLNoDate>, "christening date",
     Reads{.event = kEventChristening, .fact = readings::EventHasDate}},
    {Cond::HasNoChristeningPlace, "Has No Christening Place", "Has a Christening Place", kNoParam,
     Make<WHLNoPlace>, "christening place",
     Reads{.event = kEventChristening, .fact = readings::EventHasPlace}},
    {Cond::HasNoDeathDate, "Has No Death Date", "Has a Death Date", kNoParam, Make<WHLNoDate>,
     "death date", Reads{.event = kEventDeath, .fact = readings::EventHasDate}},
    {Cond::HasNoDeathPlace, "Has No Death Place", "Has a Death Place", kNoParam, Make<WHLNoPlace>,
     "death place", Reads{.event = kEventDeath, .fact = readings::EventHasPlace}},
    {Cond::HasNoBurialDate, "Has No Burial Date", "Has a Burial Date", kNoParam, Make<WHLNoDate>,
     "burial date", Reads{.event = kEventBurial, .fact = readings::EventHasDate}},
    {Cond::HasNoBurialPlace, "Has No Burial Place", "Has a Burial Place", kNoParam,
     Make<WHLNoPlace>, "burial place",
     Reads{.event = kEventBurial, .fact = readings::EventHasPlace}},
    {Cond::HasNoMarriageDate, "Has No Marriage Date", "Has a Marriage Date", kNoParam,
     Make<WHLNoDate>, "marriage date", Reads{.fact = readings::MarriageHasDate}},
    {Cond::HasNoMarriagePlace, "Has No Marriage Place", "Has a Marriage Place", kNoParam,
     Make<WHLNoPlace>, "marriage place", Reads{.fact = readings::MarriageHasPlace}},
    {Cond::HasNoPlaces, "Has No Places (All)", "Has any Place", kNoParam, Make<WHLNoPlace>, "place",
     Reads{.fact = readings::VitalEventHasPlace}},
    {Cond::HasNoSurname, "Has No Surname", "Has a Surname", kNoParam, Make<WHLNoSurname>, nullptr,
     Reads{}},
    {Cond::HasNoGivenName, "Has No Given Name", "Has a Given Name", kNoParam, Make<WHLNoGivenName>,
     nullptr, Reads{}},
    {Cond::HasNoFather, "Has No Father", "Has a Father", kNoParam, Make<WHLNoFather>, nullptr,
     Reads{}},
    {Cond::HasNoMother, "Has No Mother", "Has a Mother", kNoParam, Make<WHLNoMother>, nullptr,
     Reads{}},
    {Cond::SexType, "Sex Type", "Is Not of Sex Type", kSexParam, Make<WHLSex>, nullptr, Reads{}},
    {Cond::HasIndividualNote, "Has Ind Note", "Has No Ind Note", kNoParam, Make<WHLHasNote>,
     "notes", Reads{.fact = readings::HasAnyNote}},
    {Cond::TextInNotes, "Text in Notes", "Text Not in Notes", kTextParam, Make<WHLStr>, "note",
     Reads{.text = readings::NotesMatch}},
    {Cond::HasAFN, "Has AFN", "Has No AFN", kNoParam, Make<WHLAFN>, nullptr, Reads{}},
    {Cond::AncestorsOf, "Ancestors of", "Not an Ancestor of", kPersonAndGenerationsParam,
     Make<WHLAncestor>, nullptr, Reads{}},
    {Cond::DescendantsOf, "Descendants of", "Not a Descendant of", kPersonAndGenerationsParam,
     Make<WHLDescendants>, nullptr, Reads{}},
    {Cond::IsRelationTo, "Is a Relation to", "No Relation to", kPersonParam, Make<WHLRelation>,
     nullptr, Reads{}},
    {Cond::BirthPlace, "Birth Place", "Not Birth Place", kTextParam, Make<WHLStr>, "birth place",
     Reads{.event = kEventBirth, .text = readings::EventPlaceMatches}},
    {Cond::ChristeningPlace, "Christening Place", "Not Christening Place", kTextParam, Make<WHLStr>,
     "christening place", Reads{.event = kEventChristening, .text = readings::EventPlaceMatches}},
    {Cond::DeathPlace, "Death Place", "Not Death Place", kTextParam, Make<WHLStr>, "death place",
     Reads{.event = kEventDeath, .text = readings::EventPlaceMatches}},
    {Cond::BurialPlace, "Burial Place", "Not Burial Place", kTextParam, Make<WHLStr>,
     "burial place", Reads{.event = kEventBurial, .text = readings::EventPlaceMatches}},
    {Cond::AnyPlace, "Any Place", "Not this Place", kTextParam, Make<WHLStr>, "place",
     Reads{.text = readings::AnyPlaceMatches}},
    {Cond::Surname, "Surname", "Not this Surname", kTextParam, Make<WHLStr>, "surname",
     Reads{.text = readings::NameMatches}},
    {Cond::GivenNames, "Given Names", "Not this Given Name", kTextParam, Make<WHLStr>, "name",
     Reads{.givenNames = true, .text = readings::NameMatches}},
    {Cond::HasLDSBaptism, "Has LDS Baptism", "Has No LDS Baptism", kNoParam, Make<WHLHasLDS>,
     "Baptism", Reads{.ordinance = kLDSBaptism, .fact = readings::OrdinanceRecorded}},
    {Cond::HasLDSEndowment, "Has LDS Endowment", "Has No LDS Endowment", kNoParam, Make<WHLHasLDS>,
     "Endowment", Reads{.ordinance = kLDSEndowment, .fact = readings::OrdinanceRecorded}},
    {Cond::HasLDSSealedToParents, "Has LDS Sealed to Parents", "Has No LDS Sealed to Parents",
     kNoParam, Make<WHLHasLDS>, "Sealed to Parents",
     Reads{.ordinance = kLDSSealingToParents, .fact = readings::OrdinanceRecorded}},
    {Cond::HasLDSSealedToSpouse, "Has LDS Sealed to Spouse", "Has No LDS Sealed to Spouse",
     kNoParam, Make<WHLHasLDS>, "Sealed to Spouse",
     Reads{.ordinance = kLDSSealingToSpouse, .fact = readings::OrdinanceRecorded}},
    {Cond::HasLDSEvents, "Has LDS Events", "Has no LDS Events", kNoParam, Make<WHLLDS>, nullptr,
     Reads{}},
    {Cond::MarriedNoSpouse, "Married - No Spouse", "Not Married - No Spouse", kNoParam,
     Make<WHLMarriedNoSpouse>, nullptr, Reads{}},
    {Cond::MarriedSameName, "Married - Same Name", "Not Married - Same Name", kNoParam,
     Make<WHLMarriedSameName>, nullptr, Reads{}},
    {Cond::ChildrenWithSameName, "Children with Same Name", "Not Children with Same Name", kNoParam,
     Make<WHLChildSameName>, nullptr, Reads{}},
    {Cond::BirthDate, "Birth Date", "Not Birth Date", kDateParam, Make<WHLDate>, "birth date",
     Reads{.event = kEventBirth}},
    {Cond::ChristeningDate, "Christening Date", "Not Christening Date", kDateParam, Make<WHLDate>,
     "christening date", Reads{.event = kEventChristening}},
    {Cond::DeathDate, "Death Date", "Not Death Date", kDateParam, Make<WHLDate>, "death date",
     Reads{.event = kEventDeath}},
    {Cond::BurialDate, "Burial Date", "Not Burial Date", kDateParam, Make<WHLDate>, "burial date",
     Reads{.event = kEventBurial}},
    {Cond::MarriagePlace, "Marriage Place", "Not Marriage Place", kTextParam,
     Make<WHLMarriagePlace>, "marriage place", Reads{}},
    {Cond::Age, "Age", "Not Age", kCountParam, Make<WHLInt>, "age",
     Reads{.count = readings::AgeYears}},
    {Cond::MarriageCount, "# Marriages", "Not # Marriages", kCountParam, Make<WHLInt>,
     "# marriages", Reads{.count = readings::SpouseFamilyCount}},
    {Cond::ParentCount, "# Parents", "Not # Parents", kCountParam, Make<WHLInt>, "# parents",
     Reads{.count = readings::ParentCount}},
    {Cond::ChildCount, "# Children", "Not # Children", kCountParam, Make<WHLInt>, "# children",
     Reads{.count = readings::ChildCount}},
    {Cond::SonCount, "# Sons", "Not # Sons", kCountParam, Make<WHLInt>, "# sons",
     Reads{.count = readings::SonCount}},
    {Cond::DaughterCount, "# Daughters", "Not # Daughters", kCountParam, Make<WHLInt>,
     "# daughters", Reads{.count = readings::DaughterCount}},
    {Cond::AncestorCount, "# Ancestors", "Not # Ancestors", kCountParam, Make<WHLInt>,
     "# ancestors", Reads{.count = readings::AncestorCount}},
    {Cond::DescendantCount, "# Decendants", "Not # Decendants", kCountParam, Make<WHLInt>,
     "# descendants", Reads{.count = readings::DescendantCount}},
    {Cond::HasAge, "Has Age", "No Age", kAgeLimitParam, Make<WHLHas>, nullptr, Reads{}},
    {Cond::SurnameNotFathers, "Surname not Father's", "Surname is Father's", kNoParam,
     Make<WHLWarning>, "different than father", Reads{.fact = readings::SurnameNotFathers}},
    {Cond::SurnameNotParents, "Surname not Parent's", "Surname is Parent's", kNoParam,
     Make<WHLWarning>, "different than parents", Reads{.fact = readings::SurnameNotParents}},
    {Cond::SurnameIsMothers, "Surname is Mother's", "Surname not Mother's", kNoParam,
     Make<WHLWarning>, "same as mother", Reads{.fact = readings::SurnameIsMothers}},
    {Cond::CoupleSameSurname, "Couple Same Surname", "Couple Not Same Surname", kNoParam,
     Make<WHLWarning>, "same as spouse", Reads{.fact = readings::SurnameIsSpouses}},
    {Cond::SoundexSurname, "Soundex Surname", "Not Soundex Surname", kSoundexParam,
     Make<WHLSoundex>, "surname soundex", Reads{}},
    {Cond::SoundexGiven, "Soundex Given", "Not Soundex Given", kSoundexParam, Make<WHLSoundex>,
     "given name soundex", Reads{.givenNames = true}},
    {Cond::CustomId, "Custom ID", "Not Custom ID", kTextParam, Make<WHLStr>, "custom ID",
     Reads{.text = readings::CustomIdMatches}},
    {Cond::ParentIs, "Parent is", "Parent is not", kPersonParam, Make<WHLRelationIs>, "parent",
     Reads{.relatives = readings::ChildrenOf}},
    {Cond::SpouseIs, "Spouse is", "Spouse is not", kPersonParam, Make<WHLRelationIs>, "spouse",
     Reads{.relatives = readings::PartnersOf}},
    {Cond::SiblingIs, "Sibling is", "Sibling is not", kPersonParam, Make<WHLRelationIs>, "sibling",
     Reads{.relatives = readings::SiblingsOf}},
    {Cond::ChildIs, "Child is", "Child is not", kPersonParam, Make<WHLRelationIs>, "child",
     Reads{.relatives = readings::ParentsOf}},
    {Cond::Unlinked, "Unlinked", "Not Unlinked", kNoParam, Make<WHLUnlinked>, nullptr, Reads{}},
    {Cond::IsAlive, "Is Alive", "Is Not Alive", kAgeLimitParam, Make<WHLALive>, nullptr, Reads{}},
    {Cond::HasAnySource, "Has Any Source", "Has no Sources", kNoParam, Make<WHLHasSource>,
     "a source", Reads{.fact = readings::HasAnySource}},
    {Cond::HasNameSource, "Has Name Source", "Has no Name Source", kNoParam, Make<WHLHasSource>,
     "name source", Reads{.fact = readings::NameHasSource}},
    {Cond::HasBirthSource, "Has Birth Source", "Has no Birth Source", kNoParam, Make<WHLHasSource>,
     "birth source", Reads{.event = kEventBirth, .fact = readings::EventHasSource}},
    {Cond::HasChristeningSource, "Has Christening Source", "Has no Christening Source", kNoParam,
     Make<WHLHasSource>, "christening source",
     Reads{.event = kEventChristening, .fact = readings::EventHasSource}},
    {Cond::HasDeathSource, "Has Death Source", "Has no Death Source", kNoParam, Make<WHLHasSource>,
     "death source", Reads{.event = kEventDeath, .fact = readings::EventHasSource}},
    {Cond::HasBurialSource, "Has Burial Source", "Has no Burial Source", kNoParam,
     Make<WHLHasSource>, "burial source",
     Reads{.event = kEventBurial, .fact = readings::EventHasSource}},
    {Cond::HasNameNote, "Has Name Note", "Has no Name Note", kNoParam, Make<WHLHasNote>,
     "name note", Reads{.fact = readings::NameHasNote}},
    {Cond::HasBirthNote, "Has Birth Note", "Has no Birth Note", kNoParam, Make<WHLHasNote>,
     "birth note", Reads{.event = kEventBirth, .fact = readings::EventHasNote}},
    {Cond::HasChristeningNote, "Has Christening Note", "Has no Christening Note", kNoParam,
     Make<WHLHasNote>, "christening note",
     Reads{.event = kEventChristening, .fact = readings::EventHasNote}},
    {Cond::HasDeathNote, "Has Death Note", "Has no Death Note", kNoParam, Make<WHLHasNote>,
     "death note", Reads{.event = kEventDeath, .fact = readings::EventHasNote}},
    {Cond::HasBurialNote, "Has Burial Note", "Has no Burial Note", kNoParam, Make<WHLHasNote>,
     "burial note", Reads{.event = kEventBurial, .fact = readings::EventHasNote}},
    {Cond::HasAnyNote, "Has Any Note", "Has no Notes", kNoParam, Make<WHLHasNote>, "any note",
     Reads{.fact = readings::HasAnyNote}},
    {Cond::FamilyCount, "# Families", "Not # Families", kCountParam, Make<WHLInt>, "# families",
     Reads{.count = readings::ParentFamilyCount}},
    {Cond::HasLDSBaptismDate, "Has LDS B Date", "Has No LDS B Date", kNoParam, Make<WHLHasLDS>,
     "Baptism Date", Reads{.ordinance = kLDSBaptism, .fact = readings::OrdinanceHasDate}},
    {Cond::HasLDSEndowmentDate, "Has LDS E Date", "Has No LDS E Date", kNoParam, Make<WHLHasLDS>,
     "Endowment Date", Reads{.ordinance = kLDSEndowment, .fact = readings::OrdinanceHasDate}},
    {Cond::HasLDSSealedToParentsDate, "Has LDS SP Date", "Has No LDS SP Date", kNoParam,
     Make<WHLHasLDS>, "Sealed to Parents Date",
     Reads{.ordinance = kLDSSealingToParents, .fact = readings::OrdinanceHasDate}},
    {Cond::HasLDSSealedToSpouseDate, "Has LDS SS Date", "Has No LDS SS Date", kNoParam,
     Make<WHLHasLDS>, "Sealed to Spouse Date",
     Reads{.ordinance = kLDSSealingToSpouse, .fact = readings::OrdinanceHasDate}},
    {Cond::HasLDSBaptismPlace, "Has LDS B Place", "Has No LDS B Place", kNoParam, Make<WHLHasLDS>,
     "Baptism Place", Reads{.ordinance = kLDSBaptism, .fact = readings::OrdinanceHasTemple}},
    {Cond::HasLDSEndowmentPlace, "Has LDS E Place", "Has No LDS E Place", kNoParam, Make<WHLHasLDS>,
     "Endowment Place", Reads{.ordinance = kLDSEndowment, .fact = readings::OrdinanceHasTemple}},
    {Cond::HasLDSSealedToParentsPlace, "Has LDS SP Place", "Has No LDS SP Place", kNoParam,
     Make<WHLHasLDS>, "Sealed to Parents Place",
     Reads{.ordinance = kLDSSealingToParents, .fact = readings::OrdinanceHasTemple}},
    {Cond::HasLDSSealedToSpousePlace, "Has LDS SS Place", "Has No LDS SS Place", kNoParam,
     Make<WHLHasLDS>, "Sealed to Spouse Place",
     Reads{.ordinance = kLDSSealingToSpouse, .fact = readings::OrdinanceHasTemple}},
    {Cond::LDSBaptismDate, "LDS B Date", "Not LDS B Date", kBaptismStatusParam, Make<WHLLDSDate>,
     "Baptism date", Reads{.ordinance = kLDSBaptism}},
    {Cond::LDSEndowmentDate, "LDS E Date", "Not LDS E Date", kEndowmentStatusParam,
     Make<WHLLDSDate>, "Endowment date", Reads{.ordinance = kLDSEndowment}},
    {Cond::LDSSealedToParentsDate, "LDS SP Date", "Not LDS SP Date", kSealedToParentsStatusParam,
     Make<WHLLDSDate>, "Sealed to Parents date", Reads{.ordinance = kLDSSealingToParents}},
    {Cond::LDSSealedToSpouseDate, "LDS SS Date", "Not LDS SS Date", kSealedToSpouseStatusParam,
     Make<WHLLDSDate>, "Sealed to Spouse date", Reads{.ordinance = kLDSSealingToSpouse}},
    {Cond::LDSBaptismPlace, "LDS B Place", "Not LDS B Place", kTextParam, Make<WHLStr>,
     "LDS Baptism place", Reads{.ordinance = kLDSBaptism, .text = readings::TempleMatches}},
    {Cond::LDSEndowmentPlace, "LDS E Place", "Not LDS E Place", kTextParam, Make<WHLStr>,
     "LDS Endowment place", Reads{.ordinance = kLDSEndowment, .text = readings::TempleMatches}},
    {Cond::LDSSealedToParentsPlace, "LDS SP Place", "Not LDS SP Place", kTextParam, Make<WHLStr>,
     "LDS Sealed to Parents place",
     Reads{.ordinance = kLDSSealingToParents, .text = readings::TempleMatches}},
    {Cond::LDSSealedToSpousePlace, "LDS SS Place", "Not LDS SS Place", kTextParam, Make<WHLStr>,
     "LDS Sealed to Spouse place",
     Reads{.ordinance = kLDSSealingToSpouse, .text = readings::TempleMatches}},
    {Cond::AncestorMaxPath, "Anc Max Path", "Not Anc Max Path", kPersonParam, Make<WHLPaths>,
     nullptr, Reads{}},
    {Cond::DescendantMaxPath, "Des Max Path", "Not Des Max Path", kPersonParam,
     Make<WHLDescendantPaths>, nullptr, Reads{}},
    {Cond::AFN, "AFN", "Not AFN", kTextParam, Make<WHLStr>, "AFN",
     Reads{.text = readings::AFNMatches}},
    {Cond::ReferenceId, "Reference ID", "Not Reference ID", kTextParam, Make<WHLStr>,
     "Reference ID", Reads{.text = readings::ReferenceIdMatches}},
    {Cond::HasMarriageSource, "Has Marriage Source", "Has No Marriage Source", kNoParam,
     Make<WHLHasSource>, "marriage source", Reads{.fact = readings::MarriageHasSource}},
    {Cond::HasMarriageNote, "Has Marriage Note", "Has No Marriage Note", kNoParam, Make<WHLHasNote>,
     "marriage note", Reads{.fact = readings::MarriageHasNote}},
    {Cond::LegacyTag, "Legacy Tag Set On", "Legacy Tag Set Off", kLegacyTagParam, nullptr, nullptr,
     Reads{}},
    {Cond::SiblingName, "Sibling Name", "Not Sibling Name", kTextParam, Make<WHLStr>,
     "sibling name",
     Reads{.relatives = readings::SiblingsOf,
           .givenNames = true,
           .text = readings::RelativeNameMatches}},
    {Cond::ChildName, "Child Name", "Not Child Name", kTextParam, Make<WHLStr>, "child name",
     Reads{.relatives = readings::ChildrenOf,
           .givenNames = true,
           .text = readings::RelativeNameMatches}},
    {Cond::ParentName, "Parent Name", "Not Parent Name", kTextParam, Make<WHLStr>, "parent name",
     Reads{.relatives = readings::ParentsOf,
           .givenNames = true,
           .text = readings::RelativeNameMatches}},
    {Cond::SpouseName, "Spouse Name", "Not Spouse Name", kTextParam, Make<WHLStr>, "spouse name",
     Reads{.relatives = readings::SpousesOf,
           .givenNames = true,
           .text = readings::RelativeNameMatches}},
    {Cond::AncestorName, "Ancestor Name", "Not Ancestor Name", kTextParam, Make<WHLLineName>,
     "ancestor name", Reads{.relatives = readings::ParentsOf, .givenNames = true}},
    {Cond::DescendantName, "Descendant Name", "Not Descendant Name", kTextParam, Make<WHLLineName>,
     "descendant name", Reads{.relatives = readings::ChildrenOf, .givenNames = true}},
    {Cond::AncestorSurname, "Ancestor Surname", "Not Ancestor Surname", kTextParam,
     Make<WHLLineName>, "ancestor surname", Reads{.relatives = readings::ParentsOf}},
    {Cond::DescendantSurname, "Descendant Surname", "Not Descendant Surname", kTextParam,
     Make<WHLLineName>, "descendant surname", Reads{.relatives = readings::ChildrenOf}},
    {Cond::SiblingSurname, "Sibling Surname", "Not Sibling Surname", kTextParam, Make<WHLStr>,
     "sibling surname",
     Reads{.relatives = readings::SiblingsOf, .text = readings::RelativeNameMatches}},
    {Cond::ChildSurname, "Child Surname", "Not Child Surname", kTextParam, Make<WHLStr>,
     "child surname",
     Reads{.relatives = readings::ChildrenOf, .text = readings::RelativeNameMatches}},
    {Cond::ParentSurname, "Parent Surname", "Not Parent Surname", kTextParam, Make<WHLStr>,
     "parent surname",
     Reads{.relatives = readings::ParentsOf, .text = readings::RelativeNameMatches}},
    {Cond::SpouseSurname, "Spouse Surname", "Not Spouse Surname", kTextParam, Make<WHLStr>,
     "spouse surname",
     Reads{.relatives = readings::SpousesOf, .text = readings::RelativeNameMatches}},
}};

constexpr bool KindsFollowRows() {
    for (size_t i = 0; i < kKinds.size(); ++i)
        if (kKinds[i].kind != static_cast<int>(i) + 1) return false;
    return true;
}
static_assert(KindsFollowRows(), "row k - 1 must describe kind k");

// A reading of "the event", "the ordinance" or "the relatives" needs its
// row to name them.
bool ReadingsFindTheirData(const Reads& reads) {
    const bool readsEvent =
        reads.fact == readings::EventHasDate || reads.fact == readings::EventHasPlace ||
        reads.fact == readings::EventHasSource || reads.fact == readings::EventHasNote ||
        reads.text == readings::EventPlaceMatches;
    const bool readsOrdinance =
        reads.fact == readings::OrdinanceRecorded || reads.fact == readings::OrdinanceHasDate ||
        reads.fact == readings::OrdinanceHasTemple || reads.text == readings::TempleMatches;
    return (!readsEvent || reads.event != kEventNone) &&
           (!readsOrdinance || reads.ordinance != kEventNone) &&
           (reads.text != readings::RelativeNameMatches || reads.relatives);
}

// Whether the class the row makes finds in it what it reads.
bool GivesWhatItsClassReads(const KindRow& row) {
    const Reads& reads = row.behaviour;
    const Factory make = row.create;
    const bool readsFact = make == Make<WHLNoDate> || make == Make<WHLNoPlace> ||
                           make == Make<WHLHasSource> || make == Make<WHLHasNote> ||
                           make == Make<WHLHasLDS> || make == Make<WHLWarning>;
    if (readsFact && !reads.fact) return false;
    if (make == Make<WHLInt> && !reads.count) return false;
    if (make == Make<WHLStr> && !reads.text) return false;
    if ((make == Make<WHLDate> && reads.event == kEventNone) ||
        (make == Make<WHLLDSDate> && reads.ordinance == kEventNone))
        return false;
    const bool readsRelatives = make == Make<WHLRelationIs> || make == Make<WHLLineName>;
    if (readsRelatives && !reads.relatives) return false;
    return ReadingsFindTheirData(reads);
}

const KindRow* RowOf(int kind) {
    return kind >= 1 && kind <= kConditionKinds ? &kKinds[kind - 1] : nullptr;
}

}  // namespace

std::string KindCaption(int kind, bool negated) {
    const KindRow* row = RowOf(kind);
    if (!row) return {};
    return negated ? row->negatedCaption : row->caption;
}

bool KindHasParam(int kind) {
    return KindParameter(kind).editor != ParamEditor::None;
}

KindParam KindParameter(int kind) {
    const KindRow* row = RowOf(kind);
    return row ? row->param : kNoParam;
}

std::string KindWord(int kind) {
    const KindRow* row = RowOf(kind);
    return row && row->word ? row->word : "";
}

int FirstIncompleteKind() {
    for (const KindRow& row : kKinds)
        if (!GivesWhatItsClassReads(row)) return row.kind;
    return 0;
}

std::unique_ptr<WABSHighLighter> CreateCondition(int kind, FamilyAnalysis* analysis) {
    const KindRow* row = RowOf(kind);
    return row && row->create ? row->create(analysis, kind, row->behaviour) : nullptr;
}

}  // namespace vx
