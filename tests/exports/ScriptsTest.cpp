// Names in six scripts through the texts the viewer copies and prints: the
// sorted list, its fixed columns, the find searches and the person pages.
#include <algorithm>

#include "LoadedFileTest.h"
#include "app/Unicode.h"
#include "columns/ColSortIterator.h"
#include "columns/ListColumns.h"
#include "exports/FamilyPage.h"
#include "exports/IndividualPage.h"
#include "exports/ListText.h"
#include "records/Individual.h"

namespace vx {
namespace {

// Individuals of scripts_utf8.ged, in file order.
enum : int32_t { kPolish = 1, kGreek, kCyrillic, kHebrew, kChinese, kArabic, kAdams, kAlund };

class ScriptsTest : public test::LoadedFileTest {
  protected:
    void SetUp() override {
        LoadedFileTest::SetUp();
        std::string error;
        Adopt(OpenCollection(VELLACOR_TEST_DATA "/gedcom/scripts_utf8.ged", 0, error));
        ASSERT_NE(collection_, nullptr) << error;
        ASSERT_TRUE(collection_->Load());
        collection_->AfterLoad();
    }
};

TEST_F(ScriptsTest, NamesReadAsWritten) {
    EXPECT_EQ(collection_->Individual(kPolish)->FullName(false), "Łukasz /Zieliński/");
    EXPECT_EQ(collection_->Individual(kGreek)->SurnameText(), "Παπαδοπούλου");
    EXPECT_EQ(collection_->Individual(kCyrillic)->GivenNames(), "Иван");
    EXPECT_EQ(collection_->Individual(kHebrew)->EventPlaceText(kEventBirth), "ירושלים");
    EXPECT_EQ(collection_->Individual(kChinese)->SurnameText(), "张");
    EXPECT_EQ(collection_->Individual(kArabic)->GivenNames(), "محمد");
}

TEST_F(ScriptsTest, ListSortsLatinFirstThenOtherScriptsAndAlignsByCharacters) {
    WListColumns columns(analysis_.get(), "List");
    columns.SetColumnString("1,7");
    columns.SetColumnWidth(1, 40);   // a field of 7 characters: 6 and a blank
    columns.SetColumnWidth(2, 100);  // 19 characters: 18 and a blank
    WColSortIterator list(collection_.get(), nullptr);
    columns.SetSortIterator(&list);
    columns.SortByColumn(2);
    std::vector<int32_t> order;
    for (int32_t position = 1; position <= list.Count(); ++position)
        order.push_back(list.ItemID(position));
    EXPECT_EQ(order, (std::vector<int32_t>{kAdams, kAlund, kPolish, kGreek, kCyrillic, kHebrew,
                                           kArabic, kChinese}));

    const std::string text = ListText(columns, list, ListFormat::FixedColumns);
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    ASSERT_EQ(lines.size(), 9u);
    // Every field is as wide in characters as its column, whatever the
    // script: the names all start in character 8 and take 19 characters.
    for (size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(LeftChars(lines[i], 7).find_first_not_of("0123456789 "), std::string::npos)
            << lines[i];
        EXPECT_EQ(CharCount(lines[i]), 7u + 19u) << lines[i];
    }
    EXPECT_EQ(lines[3].substr(7), "Zieliński, Łukasz  ");
    // A longer name is cut at 18 characters and a blank, never inside one.
    EXPECT_EQ(lines[4].substr(7), "Παπαδοπούλου, Αθην ");
    const std::string csv = ListText(columns, list, ListFormat::Csv);
    EXPECT_NE(csv.find("\"张, 伟\""), std::string::npos) << csv;
    EXPECT_TRUE(IsValidUtf8(text));
}

TEST_F(ScriptsTest, FindIgnoresCaseInEveryCasedScript) {
    WColSortIterator list(collection_.get(), nullptr);
    list.SortByKey(7);
    EXPECT_EQ(list.ItemID(list.FindName("петров", "")), kCyrillic);
    EXPECT_EQ(list.ItemID(list.FindName("ΠΑΠΑΔ", "")), kGreek);
    EXPECT_EQ(list.ItemID(list.FindName("adams", "ANNA")), kAdams);
    EXPECT_EQ(list.ItemID(list.FindName("张", "")), kChinese);
}

TEST_F(ScriptsTest, PagesCarryEveryName) {
    const std::string individual = IndividualText(*collection_, kHebrew, false);
    EXPECT_NE(individual.find("שרה /כהן/"), std::string::npos) << individual;
    const std::string family = FamilyText(*collection_, kPolish, 1);
    for (const char* name : {"Αθηνά /Παπαδοπούλου/", "Иван /Петров/", "伟 /张/", "北京"})
        EXPECT_NE(family.find(name), std::string::npos) << name << "\n" << family;
    // The marriage's TYPE line stands before its date and place.
    const std::string husband = IndividualText(*collection_, kPolish, false);
    EXPECT_NE(husband.find("1 Apr 1928"), std::string::npos) << husband;
    EXPECT_NE(husband.find("Kraków"), std::string::npos) << husband;
}

}  // namespace
}  // namespace vx
