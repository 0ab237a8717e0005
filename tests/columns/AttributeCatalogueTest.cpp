// The catalogue of list attributes: one complete row per attribute,
// attributes that keep the numbers settings and column strings store, and
// value types that suit the class computing the attribute.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "columns/Attrib.h"
#include "columns/AttribClasses.h"
#include "columns/ListColumns.h"

namespace vx {
namespace {

TEST(AttributeCatalogueTest, StoredNumbersNeverChange) {
    // The default column strings and every saved column width name
    // attributes by these numbers ("1,2,7,65,67,19,18").
    EXPECT_EQ(Attr::Index, 1);
    EXPECT_EQ(Attr::RIN, 2);
    EXPECT_EQ(Attr::SurnameGiven, 7);
    EXPECT_EQ(Attr::BirthDate, 10);
    EXPECT_EQ(Attr::FatherMotherSpouse, 18);
    EXPECT_EQ(Attr::Age, 19);
    EXPECT_EQ(Attr::Relationship, 38);
    EXPECT_EQ(Attr::CustomId, 48);
    EXPECT_EQ(Attr::Island, 58);
    EXPECT_EQ(Attr::BirthOrChristeningDate, 65);
    EXPECT_EQ(Attr::DeathOrBurialDate, 67);
    EXPECT_EQ(Attr::DeathOrBurialPlace, 68);
    EXPECT_EQ(kAttributeCount, 68);
    EXPECT_EQ(AttributeCaption(Attr::SurnameGiven, false, nullptr), "Surname, Given");
    EXPECT_EQ(AttributeCaption(Attr::BirthOrChristeningDate, false, nullptr), "Birth/[C] Date");
}

TEST(AttributeCatalogueTest, EveryAttributeHasACompleteRow) {
    std::set<std::string> shortCaptions;
    std::set<std::string> longCaptions;
    for (int number = 1; number <= kAttributeCount; ++number) {
        SCOPED_TRACE("attribute " + std::to_string(number));
        const std::string shortCaption = AttributeCaption(number, false, nullptr);
        const std::string longCaption = AttributeCaption(number, true, nullptr);
        EXPECT_FALSE(shortCaption.empty());
        EXPECT_FALSE(longCaption.empty());
        // Grid headers and the column chooser tell attributes apart by caption.
        EXPECT_TRUE(shortCaptions.insert(shortCaption).second) << shortCaption;
        EXPECT_TRUE(longCaptions.insert(longCaption).second) << longCaption;
        EXPECT_GE(AttributeValueType(number), kValueText);
        EXPECT_LE(AttributeValueType(number), kValueFloat);
        EXPECT_GT(AttributeDefaultWidth(number), 0);
        // The chooser offers every attribute exactly once.
        EXPECT_NE(WListColumns::DialogPosition(number), 0);
    }
    for (int outside : {0, -1, kAttributeCount + 1}) {
        EXPECT_EQ(CreateAttribute(outside, nullptr), nullptr);
        EXPECT_EQ(AttributeCaption(outside, true, nullptr), "");
        EXPECT_EQ(AttributeDefaultWidth(outside), 0);
        EXPECT_EQ(AttributeValueType(outside), kValueText);
    }
}

// The value type the class's answers need for sorting.
int ValueTypeOfClass(const WAttrib& attribute) {
    if (dynamic_cast<const WAttribIndex*>(&attribute) ||
        dynamic_cast<const WAttribCount*>(&attribute) ||
        dynamic_cast<const WAttribIsland*>(&attribute))
        return kValueInt;
    if (dynamic_cast<const WAttribAvgGens*>(&attribute)) return kValueFloat;
    if (dynamic_cast<const WAttribDate*>(&attribute) ||
        dynamic_cast<const WAttribLDSDate*>(&attribute))
        return kValueDate;
    if (dynamic_cast<const WAttribAge*>(&attribute)) return kValueAge;
    return kValueText;
}

TEST(AttributeCatalogueTest, ValueTypesSuitTheirClasses) {
    for (int number = 1; number <= kAttributeCount; ++number) {
        SCOPED_TRACE("attribute " + std::to_string(number));
        const auto attribute = CreateAttribute(number, nullptr);
        ASSERT_NE(attribute, nullptr);
        EXPECT_EQ(attribute->Number(), number);
        EXPECT_EQ(attribute->ValueType(), AttributeValueType(number));
        EXPECT_EQ(attribute->ValueType(), ValueTypeOfClass(*attribute));
    }
}

TEST(AttributeCatalogueTest, EveryRowGivesWhatItsClassReads) {
    // A date column without its event, a count without its count ... would
    // fail only when shown; the row check names the attribute at once.
    EXPECT_EQ(FirstIncompleteAttribute(), 0);
}

}  // namespace
}  // namespace vx
