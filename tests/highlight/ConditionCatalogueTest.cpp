// The catalogue of condition kinds: one complete row per kind, kinds that
// keep the numbers condition strings store, and rows whose parameter editor
// and description word suit the class that tests the kind.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "highlight/Catalogue.h"
#include "highlight/Conditions.h"
#include "highlight/HLString.h"

namespace vx {
namespace {

TEST(ConditionCatalogueTest, StoredNumbersNeverChange) {
    // Condition strings saved by earlier versions name kinds by these numbers.
    EXPECT_EQ(Cond::Placeholder, 1);
    EXPECT_EQ(Cond::HasNoBirthDate, 2);
    EXPECT_EQ(Cond::SexType, 17);
    EXPECT_EQ(Cond::Surname, 29);
    EXPECT_EQ(Cond::BirthDate, 39);
    EXPECT_EQ(Cond::Age, 44);
    EXPECT_EQ(Cond::IsAlive, 65);
    EXPECT_EQ(Cond::FamilyCount, 78);
    EXPECT_EQ(Cond::LDSSealedToSpouseDate, 90);
    EXPECT_EQ(Cond::LegacyTag, 101);
    EXPECT_EQ(Cond::SpouseSurname, 113);
    EXPECT_EQ(kConditionKinds, 113);
    // A stored string reads back to the kinds of those numbers.
    WHLString stored;
    stored.Parse("+29:1SMITH;A;-17:F");
    ASSERT_EQ(stored.EntryCount(), 2);
    EXPECT_EQ(stored.KindOf(0), Cond::Surname);
    EXPECT_EQ(stored.KindOf(1), Cond::SexType);
}

TEST(ConditionCatalogueTest, EveryKindHasACompleteRow) {
    std::set<std::string> captions;
    std::set<std::string> negatedCaptions;
    for (int kind = 1; kind <= kConditionKinds; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const std::string caption = KindCaption(kind, false);
        const std::string negated = KindCaption(kind, true);
        EXPECT_FALSE(caption.empty());
        EXPECT_FALSE(negated.empty());
        // The editor lists kinds by caption, so no two may share one.
        EXPECT_TRUE(captions.insert(caption).second) << caption;
        EXPECT_TRUE(negatedCaptions.insert(negated).second) << negated;
        const KindParam param = KindParameter(kind);
        EXPECT_EQ(KindHasParam(kind), param.editor != ParamEditor::None);
        if (param.editor == ParamEditor::Number) {
            EXPECT_LE(param.lowest, param.highest);
        } else {
            EXPECT_EQ(param.lowest, 0);
            EXPECT_EQ(param.highest, 0);
        }
    }
    for (int outside : {0, -1, kConditionKinds + 1}) {
        EXPECT_EQ(KindCaption(outside, false), "");
        EXPECT_EQ(KindParameter(outside).editor, ParamEditor::None);
        EXPECT_EQ(KindWord(outside), "");
        EXPECT_EQ(CreateCondition(outside, nullptr), nullptr);
    }
}

// The editor a condition of that class reads its parameter from.
ParamEditor EditorOfClass(const WABSHighLighter& condition) {
    const int kind = condition.Kind();
    if (dynamic_cast<const WHLSex*>(&condition)) return ParamEditor::Sex;
    if (dynamic_cast<const WHLAncestor*>(&condition)) return ParamEditor::PersonAndGenerations;
    if (dynamic_cast<const WHLRelation*>(&condition) || dynamic_cast<const WHLPaths*>(&condition))
        return ParamEditor::Person;
    if (dynamic_cast<const WHLRelationIs*>(&condition))
        return kind == Cond::Unlinked ? ParamEditor::None : ParamEditor::Person;
    if (dynamic_cast<const WHLStr*>(&condition))
        return kind == Cond::SoundexSurname || kind == Cond::SoundexGiven ? ParamEditor::Soundex
                                                                          : ParamEditor::Text;
    if (dynamic_cast<const WHLDate*>(&condition)) return ParamEditor::Date;
    if (dynamic_cast<const WHLInt*>(&condition)) return ParamEditor::Number;
    if (dynamic_cast<const WHLALive*>(&condition)) return ParamEditor::AgeLimit;
    if (dynamic_cast<const WHLHas*>(&condition))
        return kind == Cond::HasAge ? ParamEditor::AgeLimit : ParamEditor::None;
    if (dynamic_cast<const WHLLDSDate*>(&condition)) {
        switch (kind) {
            case Cond::LDSBaptismDate:
                return ParamEditor::BaptismStatus;
            case Cond::LDSEndowmentDate:
                return ParamEditor::EndowmentStatus;
            case Cond::LDSSealedToParentsDate:
                return ParamEditor::SealedToParentsStatus;
            default:
                return ParamEditor::SealedToSpouseStatus;
        }
    }
    return ParamEditor::None;
}

// True when the class builds its description around the kind's word.
bool DescribesWithWord(const WABSHighLighter& condition) {
    if (dynamic_cast<const WHLRelationIs*>(&condition)) return condition.Kind() != Cond::Unlinked;
    return dynamic_cast<const WHLNoDate*>(&condition) ||
           dynamic_cast<const WHLNoPlace*>(&condition) ||
           dynamic_cast<const WHLHasSource*>(&condition) ||
           dynamic_cast<const WHLHasNote*>(&condition) ||
           dynamic_cast<const WHLHasLDS*>(&condition) ||
           dynamic_cast<const WHLLDSDate*>(&condition) ||
           dynamic_cast<const WHLDate*>(&condition) || dynamic_cast<const WHLInt*>(&condition) ||
           dynamic_cast<const WHLWarning*>(&condition) || dynamic_cast<const WHLStr*>(&condition);
}

TEST(ConditionCatalogueTest, RowsSuitTheirClasses) {
    for (int kind = 1; kind <= kConditionKinds; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const auto condition = CreateCondition(kind, nullptr);
        // Only the empty choice and the other program's tag test nothing.
        if (kind == Cond::Placeholder || kind == Cond::LegacyTag) {
            EXPECT_EQ(condition, nullptr);
            continue;
        }
        ASSERT_NE(condition, nullptr);
        EXPECT_EQ(condition->Kind(), kind);
        EXPECT_EQ(KindParameter(kind).editor, EditorOfClass(*condition));
        EXPECT_EQ(KindWord(kind).empty(), !DescribesWithWord(*condition));
    }
    EXPECT_EQ(KindParameter(Cond::LegacyTag).editor, ParamEditor::Number);
}

TEST(ConditionCatalogueTest, EveryRowGivesWhatItsClassReads) {
    // A count kind without its count, a date kind without its event ... would
    // fail only when evaluated; the row check names the kind at once.
    EXPECT_EQ(FirstIncompleteKind(), 0);
}

}  // namespace
}  // namespace vx
