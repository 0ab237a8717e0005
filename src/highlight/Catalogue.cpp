#include "highlight/Catalogue.h"

#include <array>

#include "highlight/Conditions.h"

namespace vx {
namespace {

using Factory = std::unique_ptr<WABSHighLighter> (*)(FamilyAnalysis*, int kind);

template <class T>
std::unique_ptr<WABSHighLighter> Make(FamilyAnalysis* analysis, int kind) {
    return std::make_unique<T>(analysis, kind);
}

// One row per kind: everything the condition editor, the condition strings
// and the descriptions need to know about it.
struct KindRow {
    int kind;  // a Cond::Kind
    const char* caption;
    const char* negatedCaption;
    KindParam param;
    Factory create;    // null: the kind makes no condition
    const char* word;  // null: the description needs none
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

// Row k - 1 describes kind k.
constexpr std::array<KindRow, kConditionKinds> kKinds = {{
    {Cond::Placeholder, "Select a Condition", "Select a Condition", kNoParam, nullptr, nullptr},
    {Cond::HasNoBirthDate, "Has No Birth Date", "Has a Birth Date", kNoParam, Make<WHLNoDate>,
     "birth date"},
    {Cond::HasNoBirthPlace, "Has No Birth Place", "Has a Birth Place", kNoParam, Make<WHLNoPlace>,
     "birth place"},
    {Cond::HasNoChristeningDate, "Has No Christening Date", "Has a Christening Date", kNoParam,
     Make<WHLNoDate>, "christening date"},
    {Cond::HasNoChristeningPlace, "Has No Christening Place", "Has a Christening Place", kNoParam,
     Make<WHLNoPlace>, "christening place"},
    {Cond::HasNoDeathDate, "Has No Death Date", "Has a Death Date", kNoParam, Make<WHLNoDate>,
     "death date"},
    {Cond::HasNoDeathPlace, "Has No Death Place", "Has a Death Place", kNoParam, Make<WHLNoPlace>,
     "death place"},
    {Cond::HasNoBurialDate, "Has No Burial Date", "Has a Burial Date", kNoParam, Make<WHLNoDate>,
     "burial date"},
    {Cond::HasNoBurialPlace, "Has No Burial Place", "Has a Burial Place", kNoParam,
     Make<WHLNoPlace>, "burial place"},
    {Cond::HasNoMarriageDate, "Has No Marriage Date", "Has a Marriage Date", kNoParam,
     Make<WHLNoDate>, "marriage date"},
    {Cond::HasNoMarriagePlace, "Has No Marriage Place", "Has a Marriage Place", kNoParam,
     Make<WHLNoPlace>, "marriage place"},
    {Cond::HasNoPlaces, "Has No Places (All)", "Has any Place", kNoParam, Make<WHLNoPlace>,
     "place"},
    {Cond::HasNoSurname, "Has No Surname", "Has a Surname", kNoParam, Make<WHLNoSurname>, nullptr},
    {Cond::HasNoGivenName, "Has No Given Name", "Has a Given Name", kNoParam, Make<WHLNoGivenName>,
     nullptr},
    {Cond::HasNoFather, "Has No Father", "Has a Father", kNoParam, Make<WHLNoFather>, nullptr},
    {Cond::HasNoMother, "Has No Mother", "Has a Mother", kNoParam, Make<WHLNoMother>, nullptr},
    {Cond::SexType, "Sex Type", "Is Not of Sex Type", kSexParam, Make<WHLSex>, nullptr},
    {Cond::HasIndividualNote, "Has Ind Note", "Has No Ind Note", kNoParam, Make<WHLHas>, nullptr},
    {Cond::TextInNotes, "Text in Notes", "Text Not in Notes", kTextParam, Make<WHLStr>, "note"},
    {Cond::HasAFN, "Has AFN", "Has No AFN", kNoParam, Make<WHLAFN>, nullptr},
    {Cond::AncestorsOf, "Ancestors of", "Not an Ancestor of", kPersonAndGenerationsParam,
     Make<WHLAncestor>, nullptr},
    {Cond::DescendantsOf, "Descendants of", "Not a Descendant of", kPersonAndGenerationsParam,
     Make<WHLDescendants>, nullptr},
    {Cond::IsRelationTo, "Is a Relation to", "No Relation to", kPersonParam, Make<WHLRelation>,
     nullptr},
    {Cond::BirthPlace, "Birth Place", "Not Birth Place", kTextParam, Make<WHLStr>, "birth place"},
    {Cond::ChristeningPlace, "Christening Place", "Not Christening Place", kTextParam, Make<WHLStr>,
     "christening place"},
    {Cond::DeathPlace, "Death Place", "Not Death Place", kTextParam, Make<WHLStr>, "death place"},
    {Cond::BurialPlace, "Burial Place", "Not Burial Place", kTextParam, Make<WHLStr>,
     "burial place"},
    {Cond::AnyPlace, "Any Place", "Not this Place", kTextParam, Make<WHLStr>, "place"},
    {Cond::Surname, "Surname", "Not this Surname", kTextParam, Make<WHLStr>, "surname"},
    {Cond::GivenNames, "Given Names", "Not this Given Name", kTextParam, Make<WHLStr>, "name"},
    {Cond::HasLDSBaptism, "Has LDS Baptism", "Has No LDS Baptism", kNoParam, Make<WHLHasLDS>,
     "Baptism"},
    {Cond::HasLDSEndowment, "Has LDS Endowment", "Has No LDS Endowment", kNoParam, Make<WHLHasLDS>,
     "Endowment"},
    {Cond::HasLDSSealedToParents, "Has LDS Sealed to Parents", "Has No LDS Sealed to Parents",
     kNoParam, Make<WHLHasLDS>, "Sealed to Parents"},
    {Cond::HasLDSSealedToSpouse, "Has LDS Sealed to Spouse", "Has No LDS Sealed to Spouse",
     kNoParam, Make<WHLHasLDS>, "Sealed to Spouse"},
    {Cond::HasLDSEvents, "Has LDS Events", "Has no LDS Events", kNoParam, Make<WHLLDS>, nullptr},
    {Cond::MarriedNoSpouse, "Married - No Spouse", "Not Married - No Spouse", kNoParam,
     Make<WHLMarriedNoSpouse>, nullptr},
    {Cond::MarriedSameName, "Married - Same Name", "Not Married - Same Name", kNoParam,
     Make<WHLMarriedSameName>, nullptr},
    {Cond::ChildrenWithSameName, "Children with Same Name", "Not Children with Same Name", kNoParam,
     Make<WHLChildSameName>, nullptr},
    {Cond::BirthDate, "Birth Date", "Not Birth Date", kDateParam, Make<WHLDate>, "birth date"},
    {Cond::ChristeningDate, "Christening Date", "Not Christening Date", kDateParam, Make<WHLDate>,
     "christening date"},
    {Cond::DeathDate, "Death Date", "Not Death Date", kDateParam, Make<WHLDate>, "death date"},
    {Cond::BurialDate, "Burial Date", "Not Burial Date", kDateParam, Make<WHLDate>, "burial date"},
    {Cond::MarriagePlace, "Marriage Place", "Not Marriage Place", kTextParam, Make<WHLStr>,
     "marriage place"},
    {Cond::Age, "Age", "Not Age", kCountParam, Make<WHLInt>, "age"},
    {Cond::MarriageCount, "# Marriages", "Not # Marriages", kCountParam, Make<WHLInt>,
     "# marriages"},
    {Cond::ParentCount, "# Parents", "Not # Parents", kCountParam, Make<WHLInt>, "# parents"},
    {Cond::ChildCount, "# Children", "Not # Children", kCountParam, Make<WHLInt>, "# children"},
    {Cond::SonCount, "# Sons", "Not # Sons", kCountParam, Make<WHLInt>, "# sons"},
    {Cond::DaughterCount, "# Daughters", "Not # Daughters", kCountParam, Make<WHLInt>,
     "# daughters"},
    {Cond::AncestorCount, "# Ancestors", "Not # Ancestors", kCountParam, Make<WHLInt>,
     "# ancestors"},
    {Cond::DescendantCount, "# Decendants", "Not # Decendants", kCountParam, Make<WHLInt>,
     "# descendants"},
    {Cond::HasAge, "Has Age", "No Age", kAgeLimitParam, Make<WHLHas>, nullptr},
    {Cond::SurnameNotFathers, "Surname not Father's", "Surname is Father's", kNoParam,
     Make<WHLWarning>, "father"},
    {Cond::SurnameNotParents, "Surname not Parent's", "Surname is Parent's", kNoParam,
     Make<WHLWarning>, "parents"},
    {Cond::SurnameIsMothers, "Surname is Mother's", "Surname not Mother's", kNoParam,
     Make<WHLWarning>, "mother"},
    {Cond::CoupleSameSurname, "Couple Same Surname", "Couple Not Same Surname", kNoParam,
     Make<WHLWarning>, "spouse"},
    {Cond::SoundexSurname, "Soundex Surname", "Not Soundex Surname", kSoundexParam, Make<WHLStr>,
     "surname soundex"},
    {Cond::SoundexGiven, "Soundex Given", "Not Soundex Given", kSoundexParam, Make<WHLStr>,
     "given name soundex"},
    {Cond::CustomId, "Custom ID", "Not Custom ID", kTextParam, Make<WHLStr>, "custom ID"},
    {Cond::ParentIs, "Parent is", "Parent is not", kPersonParam, Make<WHLRelationIs>, "parent"},
    {Cond::SpouseIs, "Spouse is", "Spouse is not", kPersonParam, Make<WHLRelationIs>, "spouse"},
    {Cond::SiblingIs, "Sibling is", "Sibling is not", kPersonParam, Make<WHLRelationIs>, "sibling"},
    {Cond::ChildIs, "Child is", "Child is not", kPersonParam, Make<WHLRelationIs>, "child"},
    {Cond::Unlinked, "Unlinked", "Not Unlinked", kNoParam, Make<WHLRelationIs>, nullptr},
    {Cond::IsAlive, "Is Alive", "Is Not Alive", kAgeLimitParam, Make<WHLALive>, nullptr},
    {Cond::HasAnySource, "Has Any Source", "Has no Sources", kNoParam, Make<WHLHasSource>,
     "a source"},
    {Cond::HasNameSource, "Has Name Source", "Has no Name Source", kNoParam, Make<WHLHasSource>,
     "name source"},
    {Cond::HasBirthSource, "Has Birth Source", "Has no Birth Source", kNoParam, Make<WHLHasSource>,
     "birth source"},
    {Cond::HasChristeningSource, "Has Christening Source", "Has no Christening Source", kNoParam,
     Make<WHLHasSource>, "christening source"},
    {Cond::HasDeathSource, "Has Death Source", "Has no Death Source", kNoParam, Make<WHLHasSource>,
     "death source"},
    {Cond::HasBurialSource, "Has Burial Source", "Has no Burial Source", kNoParam,
     Make<WHLHasSource>, "burial source"},
    {Cond::HasNameNote, "Has Name Note", "Has no Name Note", kNoParam, Make<WHLHasNote>,
     "name note"},
    {Cond::HasBirthNote, "Has Birth Note", "Has no Birth Note", kNoParam, Make<WHLHasNote>,
     "birth note"},
    {Cond::HasChristeningNote, "Has Christening Note", "Has no Christening Note", kNoParam,
     Make<WHLHasNote>, "christening note"},
    {Cond::HasDeathNote, "Has Death Note", "Has no Death Note", kNoParam, Make<WHLHasNote>,
     "death note"},
    {Cond::HasBurialNote, "Has Burial Note", "Has no Burial Note", kNoParam, Make<WHLHasNote>,
     "burial note"},
    {Cond::HasAnyNote, "Has Any Note", "Has no Notes", kNoParam, Make<WHLHasNote>, "any note"},
    {Cond::FamilyCount, "# Families", "Not # Families", kCountParam, Make<WHLInt>, "# families"},
    {Cond::HasLDSBaptismDate, "Has LDS B Date", "Has No LDS B Date", kNoParam, Make<WHLHasLDS>,
     "Baptism Date"},
    {Cond::HasLDSEndowmentDate, "Has LDS E Date", "Has No LDS E Date", kNoParam, Make<WHLHasLDS>,
     "Endowment Date"},
    {Cond::HasLDSSealedToParentsDate, "Has LDS SP Date", "Has No LDS SP Date", kNoParam,
     Make<WHLHasLDS>, "Sealed to Parents Date"},
    {Cond::HasLDSSealedToSpouseDate, "Has LDS SS Date", "Has No LDS SS Date", kNoParam,
     Make<WHLHasLDS>, "Sealed to Spouse Date"},
    {Cond::HasLDSBaptismPlace, "Has LDS B Place", "Has No LDS B Place", kNoParam, Make<WHLHasLDS>,
     "Baptism Place"},
    {Cond::HasLDSEndowmentPlace, "Has LDS E Place", "Has No LDS E Place", kNoParam, Make<WHLHasLDS>,
     "Endowment Place"},
    {Cond::HasLDSSealedToParentsPlace, "Has LDS SP Place", "Has No LDS SP Place", kNoParam,
     Make<WHLHasLDS>, "Sealed to Parents Place"},
    {Cond::HasLDSSealedToSpousePlace, "Has LDS SS Place", "Has No LDS SS Place", kNoParam,
     Make<WHLHasLDS>, "Sealed to Spouse Place"},
    {Cond::LDSBaptismDate, "LDS B Date", "Not LDS B Date", kBaptismStatusParam, Make<WHLLDSDate>,
     "Baptism date"},
    {Cond::LDSEndowmentDate, "LDS E Date", "Not LDS E Date", kEndowmentStatusParam,
     Make<WHLLDSDate>, "Endowment date"},
    {Cond::LDSSealedToParentsDate, "LDS SP Date", "Not LDS SP Date", kSealedToParentsStatusParam,
     Make<WHLLDSDate>, "Sealed to Parents date"},
    {Cond::LDSSealedToSpouseDate, "LDS SS Date", "Not LDS SS Date", kSealedToSpouseStatusParam,
     Make<WHLLDSDate>, "Sealed to Spouse date"},
    {Cond::LDSBaptismPlace, "LDS B Place", "Not LDS B Place", kTextParam, Make<WHLStr>,
     "LDS Baptism place"},
    {Cond::LDSEndowmentPlace, "LDS E Place", "Not LDS E Place", kTextParam, Make<WHLStr>,
     "LDS Endowment place"},
    {Cond::LDSSealedToParentsPlace, "LDS SP Place", "Not LDS SP Place", kTextParam, Make<WHLStr>,
     "LDS Sealed to Parents place"},
    {Cond::LDSSealedToSpousePlace, "LDS SS Place", "Not LDS SS Place", kTextParam, Make<WHLStr>,
     "LDS Sealed to Spouse place"},
    {Cond::AncestorMaxPath, "Anc Max Path", "Not Anc Max Path", kPersonParam, Make<WHLPaths>,
     nullptr},
    {Cond::DescendantMaxPath, "Des Max Path", "Not Des Max Path", kPersonParam, Make<WHLPaths>,
     nullptr},
    {Cond::AFN, "AFN", "Not AFN", kTextParam, Make<WHLStr>, "AFN"},
    {Cond::ReferenceId, "Reference ID", "Not Reference ID", kTextParam, Make<WHLStr>,
     "Reference ID"},
    {Cond::HasMarriageSource, "Has Marriage Source", "Has No Marriage Source", kNoParam,
     Make<WHLHasSource>, "marriage source"},
    {Cond::HasMarriageNote, "Has Marriage Note", "Has No Marriage Note", kNoParam, Make<WHLHasNote>,
     "marriage note"},
    {Cond::LegacyTag, "Legacy Tag Set On", "Legacy Tag Set Off", kLegacyTagParam, nullptr, nullptr},
    {Cond::SiblingName, "Sibling Name", "Not Sibling Name", kTextParam, Make<WHLStr>,
     "sibling name"},
    {Cond::ChildName, "Child Name", "Not Child Name", kTextParam, Make<WHLStr>, "child name"},
    {Cond::ParentName, "Parent Name", "Not Parent Name", kTextParam, Make<WHLStr>, "parent name"},
    {Cond::SpouseName, "Spouse Name", "Not Spouse Name", kTextParam, Make<WHLStr>, "spouse name"},
    {Cond::AncestorName, "Ancestor Name", "Not Ancestor Name", kTextParam, Make<WHLStr>,
     "ancestor name"},
    {Cond::DescendantName, "Descendant Name", "Not Descendant Name", kTextParam, Make<WHLStr>,
     "descendant name"},
    {Cond::AncestorSurname, "Ancestor Surname", "Not Ancestor Surname", kTextParam, Make<WHLStr>,
     "ancestor surname"},
    {Cond::DescendantSurname, "Descendant Surname", "Not Descendant Surname", kTextParam,
     Make<WHLStr>, "descendant surname"},
    {Cond::SiblingSurname, "Sibling Surname", "Not Sibling Surname", kTextParam, Make<WHLStr>,
     "sibling surname"},
    {Cond::ChildSurname, "Child Surname", "Not Child Surname", kTextParam, Make<WHLStr>,
     "child surname"},
    {Cond::ParentSurname, "Parent Surname", "Not Parent Surname", kTextParam, Make<WHLStr>,
     "parent surname"},
    {Cond::SpouseSurname, "Spouse Surname", "Not Spouse Surname", kTextParam, Make<WHLStr>,
     "spouse surname"},
}};

constexpr bool KindsFollowRows() {
    for (size_t i = 0; i < kKinds.size(); ++i)
        if (kKinds[i].kind != static_cast<int>(i) + 1) return false;
    return true;
}
static_assert(KindsFollowRows(), "row k - 1 must describe kind k");

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

std::unique_ptr<WABSHighLighter> CreateCondition(int kind, FamilyAnalysis* analysis) {
    const KindRow* row = RowOf(kind);
    return row && row->create ? row->create(analysis, kind) : nullptr;
}

}  // namespace vx
