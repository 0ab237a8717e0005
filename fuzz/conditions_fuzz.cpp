// Reads arbitrary bytes as a condition string, prepares the group over a
// small family (a loop of ancestry included, as damaged files have) and
// asks about everybody. Only crashes, sanitizer reports and hangs count.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "FuzzInput.h"
#include "analysis/FamilyAnalysis.h"
#include "app/Errors.h"
#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "highlight/ColHLIterator.h"
#include "highlight/HLGroup.h"

namespace {

constexpr const char* kFamily =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @I1@ INDI\n1 NAME Adam /Lee/\n1 SEX M\n1 BIRT\n2 DATE ABT 1850\n2 PLAC Ohio\n"
    "1 NOTE a note\n1 AFN 12\n1 REFN R1\n1 BAPL\n2 DATE COMPLETED\n2 TEMP SLAKE\n"
    "1 FAMS @F1@\n1 FAMC @F3@\n"
    "0 @I2@ INDI\n1 NAME Eve /Lee/\n1 SEX F\n1 BIRT\n2 DATE 1852\n1 DEAT\n2 DATE 1900\n"
    "1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Cain /Lee/\n1 SEX M\n1 FAMC @F1@\n1 FAMS @F2@\n1 FAMS @F3@\n"
    "0 @I4@ INDI\n1 NAME Abel /Lee/\n1 FAMC @F1@\n"
    "0 @I5@ INDI\n1 NAME Ada\n1 SEX F\n1 FAMS @F2@\n"
    "0 @I6@ INDI\n1 NAME Loner /Wolf/\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 CHIL @I4@\n1 MARR\n2 PLAC Ohio\n"
    "0 @F2@ FAM\n1 HUSB @I3@\n1 WIFE @I5@\n1 SLGS\n2 DATE 1 JAN 1900\n"
    // Cain is his own father's father: the loop a damaged file can hold.
    "0 @F3@ FAM\n1 HUSB @I3@\n1 CHIL @I1@\n0 TRLR\n";

const vx::WGEDCollection& Family() {
    static std::unique_ptr<vx::WGEDCollection> collection = [] {
        const std::string text = kFamily;
        const std::string path =
            vx::fuzz::InputAsFile(reinterpret_cast<const uint8_t*>(text.data()), text.size());
        auto loaded = std::make_unique<vx::WGEDCollection>(path);
        loaded->Load();
        loaded->AfterLoad();
        vx::WOptions::ResetToDefaults();
        return loaded;
    }();
    return *collection;
}

// Islands and statistics are worked out once, as in the viewer.
vx::FamilyAnalysis& Analysis() {
    static vx::FamilyAnalysis analysis(Family());
    return analysis;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const vx::WGEDCollection& family = Family();
    const std::string conditions(reinterpret_cast<const char*>(data), size);
    vx::WHLGroup group(&Analysis());
    try {
        group.SetConditionString(conditions);
        group.Refresh();
    } catch (const vx::VxError&) {
        return 0;  // refused strings are the expected outcome
    }
    size_t total = group.Describe().size();
    for (int i = 0; i < group.ConditionCount(); ++i)
        total += group.Condition(i).Describe().size();
    vx::WColHLIterator list(group, &family, nullptr);
    total += static_cast<size_t>(list.Count());
    for (int32_t n = 0; n <= family.IndividualCount() + 1; ++n)
        total += group.BackgroundColor(n);
    if (total == 0xFFFFFFFF) std::puts("");  // keep the work observable
    return 0;
}
