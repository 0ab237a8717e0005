// Column sets, sorted lists and the list text: column strings good and bad,
// widths, the order of each value type, direction toggles and re-sorting.
#include <algorithm>
#include <set>

#include "LoadedFileTest.h"
#include "app/Errors.h"
#include "app/Options.h"
#include "app/Services.h"
#include "app/Settings.h"
#include "columns/Attrib.h"
#include "columns/AttribArray.h"
#include "columns/ColSortIterator.h"
#include "columns/IslandIterator.h"
#include "columns/ListColumns.h"
#include "exports/ListText.h"
#include "gedcom/GEDCollection.h"
#include "records/Date.h"

namespace vx {
namespace {

// Six people whose surnames, birth dates and ages exercise every order:
// 1 has no birth; 4 has an unrecognised one; 2, 3, 5 and 6 have ages 45,
// ~45, ~45? and 30 on the fixed day 15 June 2026.
const char* kPeople =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @I1@ INDI\n1 NAME Anders /\xC5ngstr\xF6m/\n1 FAMC @F1@\n"
    "0 @I2@ INDI\n1 NAME Bob \"Bobby\" /Davis/\n1 BIRT\n2 DATE 1 JAN 1900\n1 DEAT\n2 DATE 1 JAN "
    "1945\n1 FAMS @F1@\n1 BAPL\n"
    "0 @I3@ INDI\n1 NAME Carl /de la Cruz/\n1 BIRT\n2 DATE 1900\n1 DEAT\n2 DATE 1945\n"
    "0 @I4@ INDI\n1 NAME Dan /Adams/\n1 BIRT\n2 DATE sometime\n"
    "0 @I5@ INDI\n1 NAME Eve /Zed/\n1 BIRT\n2 DATE 1981\n1 FAMS @F1@\n"
    "0 @I6@ INDI\n1 NAME Fay /Young/\n1 BIRT\n2 DATE 1 JAN 1990\n1 DEAT\n2 DATE 1 JAN 2020\n"
    "1 FAMC @F1@\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I5@\n1 CHIL @I6@\n1 CHIL @I1@\n0 TRLR\n";

// Counts how often the core lets the user interface run: every sort does
// at least once, a mere change of direction never.
class CountingServices : public UiServices {
  public:
    void PumpMessages() override { ++pumps; }
    void WaitBegin(const std::string& message, bool, void*) override { waits.push_back(message); }
    int pumps = 0;
    std::vector<std::string> waits;
};

class ColumnSetTest : public test::LoadedFileTest {
  protected:
    void SetUp() override {
        LoadedFileTest::SetUp();
        SetUiServices(&ui_);
        Adopt(LoadText(kPeople));
    }
    void TearDown() override {
        SetUiServices(nullptr);
        CloseSettingsFile();
        LoadedFileTest::TearDown();
    }
    static std::vector<int32_t> RowsOf(WCollectionIterator& list) {
        std::vector<int32_t> rows;
        for (int32_t i = 1; i <= list.Count(); ++i)
            rows.push_back(list.ItemID(i));
        return rows;
    }
    // The rows after sorting the whole file by one attribute.
    std::vector<int32_t> SortedBy(int attribute) {
        WListColumns columns(analysis_.get(), "List");
        columns.SetColumnString(std::to_string(attribute));
        WColSortIterator list(collection_.get(), nullptr);
        columns.SetSortIterator(&list);
        columns.SortByColumn(1);
        return RowsOf(list);
    }
    CountingServices ui_;
};

using Rows = std::vector<int32_t>;

TEST_F(ColumnSetTest, ColumnStringsBuildColumnsAndRefuseGarbage) {
    WListColumns columns(analysis_.get(), "List");
    columns.SetColumnString("1,99,4");
    ASSERT_EQ(columns.ColumnCount(), 3);
    EXPECT_EQ(columns.ColumnAttribute(2), 0);
    EXPECT_EQ(columns.ColumnCaption(2, false), "ERROR");
    EXPECT_EQ(columns.CellText(2, 1), "ERROR");
    EXPECT_EQ(columns.CellText(3, 4), "Adams");
    EXPECT_EQ(columns.ColumnCaption(4, false), "");  // no such column
    EXPECT_EQ(columns.CellText(0, 1), "");

    columns.SetColumnString("4,4,-3,0,");  // duplicates kept, trailing comma ignored
    EXPECT_EQ(columns.ColumnCount(), 4);
    EXPECT_EQ(columns.ColumnAttribute(2), 4);
    EXPECT_EQ(columns.ColumnCaption(3, false), "ERROR");
    columns.SetColumnString("");
    EXPECT_EQ(columns.ColumnCount(), 0);

    // A piece that is no number ends the rebuild; the columns before it stay.
    for (const char* bad : {"1,x,4", "1,,4", "1,99999999999,4", "1, 4", "1,4x"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(columns.SetColumnString(bad), EConvertError);
        EXPECT_EQ(columns.ColumnCount(), 1);
        EXPECT_EQ(columns.ColumnString(), bad);
    }
    EXPECT_THROW(columns.SetColumnString(",1"), EConvertError);
    EXPECT_EQ(columns.ColumnCount(), 0);
    try {
        columns.SetColumnString("1," + std::string(5000, 'z'));
        ADD_FAILURE();
    } catch (const EConvertError& error) {
        EXPECT_LT(std::string(error.what()).size(), 80u) << "a long piece is shortened";
    }

    // At most 68 columns; further numbers are ignored, garbage among them too.
    std::string many;
    for (int i = 0; i < 80; ++i)
        many += std::to_string(i % 68 + 1) + ",";
    columns.SetColumnString(many + "junk");
    EXPECT_EQ(columns.ColumnCount(), WListColumns::kMaxColumns);
}

TEST_F(ColumnSetTest, HintWidthsAndChooserOrder) {
    WListColumns columns(analysis_.get(), "List");
    columns.SetColumnString(kDefaultListColumns);
    EXPECT_EQ(columns.ColumnsHint(),
              "Column 1: Index\r\nColumn 2: REF\r\nColumn 3: Surname, Given\r\n"
              "Column 4: Birth/[Christening] Date\r\nColumn 5: Death/[Burial] Date\r\n"
              "Column 6: Age\r\nColumn 7: Father/Mother(M)/Spouse(S)");
    // Without a settings file the defaults hold.
    EXPECT_EQ(columns.ColumnWidth(1), 40);
    EXPECT_EQ(columns.ColumnWidth(3), 160);
    EXPECT_EQ(columns.ColumnWidth(4), 75);
    EXPECT_EQ(columns.ColumnWidth(6), 30);
    EXPECT_EQ(WListColumns::DefaultWidth(29), 36);
    EXPECT_EQ(WListColumns::DefaultWidth(37), 70);
    EXPECT_EQ(WListColumns::DefaultWidth(68), 130);
    EXPECT_EQ(WListColumns::DefaultWidth(69), 0);

    std::set<int> offered;
    for (int position = 1; position <= kAttributeCount; ++position) {
        const int number = WListColumns::DialogOrderAt(position);
        offered.insert(number);
        EXPECT_EQ(WListColumns::DialogPosition(number), position);
    }
    EXPECT_EQ(offered.size(), 68u);
    EXPECT_EQ(*offered.begin(), 1);
    EXPECT_EQ(*offered.rbegin(), 68);
    EXPECT_EQ(WListColumns::DialogOrderAt(4), 48);
    EXPECT_EQ(WListColumns::DialogOrderAt(69), 0);
    EXPECT_EQ(WListColumns::DialogPosition(0), 0);
}

TEST_F(ColumnSetTest, WidthsBelongToAttributesAndReachTheSettingsFile) {
    ASSERT_TRUE(OpenSettingsFile(Path("korv.ini")));
    {
        WListColumns columns(analysis_.get(), "IslandList");
        columns.SetColumnString("4,19,4");
        columns.SetColumnWidth(3, 99);  // attribute 4, shared by columns 1 and 3
        columns.SetColumnWidth(2, -20);
        EXPECT_EQ(columns.ColumnWidth(1), 99);
        EXPECT_EQ(columns.ColumnWidth(2), 0);
    }
    EXPECT_EQ(ReadInt("IslandList", "4", 0), 99);
    EXPECT_EQ(ReadInt("IslandList", "19", 7), 0);
    EXPECT_EQ(ReadInt("IslandList", "1", 7), 7) << "attributes without a column are not written";
    WriteInt("IslandList", "5", -40);
    WListColumns again(analysis_.get(), "IslandList");
    again.SetColumnString("4,5");
    EXPECT_EQ(again.ColumnWidth(1), 99);
    EXPECT_EQ(again.ColumnWidth(2), 0) << "a negative stored width counts as 0";
}

TEST_F(ColumnSetTest, EachValueTypeSortsInItsOwnOrder) {
    // Folded, upper-cased text: ANGSTROM among the A's, DE LA CRUZ after DAVIS.
    EXPECT_EQ(SortedBy(4), (Rows{4, 1, 2, 3, 6, 5}));
    // Empty dates, then recognised dates (a bare year before a day in it),
    // then unrecognised texts.
    EXPECT_EQ(SortedBy(10), (Rows{1, 3, 2, 5, 6, 4}));
    // Empty ages (either order), then years; 45 before ~45 before ~45?.
    const Rows ages = SortedBy(19);
    EXPECT_EQ(std::set<int32_t>(ages.begin(), ages.begin() + 2), (std::set<int32_t>{1, 4}));
    EXPECT_EQ(Rows(ages.begin() + 2, ages.end()), (Rows{6, 2, 3, 5}));
    // Integers: children per person (ties in any order).
    const Rows children = SortedBy(26);
    EXPECT_EQ(std::set<int32_t>(children.begin() + 4, children.end()), (std::set<int32_t>{2, 5}));
    // Floats: those with parents have one generation above them.
    const Rows averages = SortedBy(63);
    EXPECT_EQ(std::set<int32_t>(averages.begin() + 4, averages.end()), (std::set<int32_t>{1, 6}));
}

TEST_F(ColumnSetTest, HeaderClicksToggleWithoutSortingAgain) {
    WListColumns columns(analysis_.get(), "List");
    columns.SetColumnString("1,4,29");
    WColSortIterator list(collection_.get(), nullptr);
    columns.SetSortIterator(&list);  // no sort column yet: view order
    EXPECT_EQ(RowsOf(list), (Rows{1, 2, 3, 4, 5, 6}));
    int state = 0;
    columns.ColumnCaption(2, false, &state);
    EXPECT_EQ(state, WListColumns::kNotSorted);

    columns.SortByColumn(2);
    EXPECT_EQ(RowsOf(list), (Rows{4, 1, 2, 3, 6, 5}));
    EXPECT_EQ(columns.ColumnCaption(2, false, &state), "Surname");
    EXPECT_EQ(state, WListColumns::kSortedAscending);
    EXPECT_EQ(ui_.waits.back(), "Sorting.  Please Wait...");

    const int pumps = ui_.pumps;
    columns.SortByColumn(2);  // the same header again only reverses
    EXPECT_EQ(ui_.pumps, pumps);
    EXPECT_EQ(RowsOf(list), (Rows{5, 6, 3, 2, 1, 4}));
    columns.ColumnCaption(2, false, &state);
    EXPECT_EQ(state, WListColumns::kSortedDescending);
    EXPECT_FALSE(columns.IsAscending());

    columns.SortByColumn(1);  // another header starts ascending
    EXPECT_GT(ui_.pumps, pumps);
    EXPECT_EQ(RowsOf(list), (Rows{1, 2, 3, 4, 5, 6}));
    columns.SortByColumn(1);
    EXPECT_EQ(RowsOf(list), (Rows{6, 5, 4, 3, 2, 1}));

    // A new list (another island, a rebuilt highlighted list) is sorted by
    // the same column in the same direction.
    WColSortIterator fresh(collection_.get(), nullptr);
    columns.SetSortIterator(&fresh);
    EXPECT_EQ(RowsOf(fresh), (Rows{6, 5, 4, 3, 2, 1}));
    columns.Resort();
    EXPECT_EQ(RowsOf(fresh), (Rows{6, 5, 4, 3, 2, 1}));

    // A new column string or another file forgets the sort column.
    columns.SetColumnString("4,1");
    EXPECT_EQ(columns.SortColumn(), -1);
    columns.SortByColumn(1);
    columns.SetAnalysis(nullptr);
    EXPECT_EQ(columns.SortColumn(), -1);
    EXPECT_EQ(columns.CellText(1, 1), "");
}

TEST_F(ColumnSetTest, IslandListsKeepTheirSortAcrossIslands) {
    WListColumns columns(analysis_.get(), "IslandList");
    EXPECT_FALSE(analysis_->IslandsComputed());
    columns.SetColumnString("1,58");  // the island column computes the islands at once
    EXPECT_TRUE(analysis_->IslandsComputed());
    EXPECT_EQ(ui_.waits, std::vector<std::string>{"Calculating Islands.  Please Wait..."});
    auto first = WIslandIterator::Create(analysis_.get(), 1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(RowsOf(*first), (Rows{1, 2, 5, 6}));
    columns.SetSortIterator(first.get());
    columns.SortByColumn(1);
    columns.SortByColumn(1);
    EXPECT_EQ(RowsOf(*first), (Rows{6, 5, 2, 1}));
    auto second = WIslandIterator::Create(analysis_.get(), 2);
    columns.SetSortIterator(second.get());
    EXPECT_FALSE(second->IsAscending());
    EXPECT_EQ(RowsOf(*second).size(), 1u);
    EXPECT_EQ(WIslandIterator::Create(analysis_.get(), 4), nullptr);
    EXPECT_EQ(WIslandIterator::Create(nullptr, 1), nullptr);
}

TEST_F(ColumnSetTest, FindListsSortWithoutTitles) {
    WOptions::SetFlag(opt::kPreSuf, true);
    WColSortIterator list(collection_.get(), nullptr);
    list.SortByKey(3);  // not a built-in key
    EXPECT_FALSE(list.IsSorted());
    list.SortByKey(7);
    EXPECT_TRUE(list.IsSorted());
    EXPECT_EQ(list.SortedAttribute(), 7);
    EXPECT_TRUE(WOptions::GetFlag(opt::kPreSuf)) << "the setting is restored";
    EXPECT_EQ(RowsOf(list), (Rows{4, 1, 2, 3, 6, 5}));
    list.SortByKey(1);  // already sorted: nothing happens
    EXPECT_EQ(list.SortedAttribute(), 7);
    EXPECT_EQ(list.FindName("DAV", ""), 3);
}

TEST_F(ColumnSetTest, AttributeArraysCutAndParseTheirValues) {
    EXPECT_EQ(ParseAgeText("~45?").years, 45);
    EXPECT_TRUE(ParseAgeText("~45?").about);
    EXPECT_TRUE(ParseAgeText("~45?").uncertain);
    const AgeValue bracketed = ParseAgeText("[~27]");
    EXPECT_TRUE(bracketed.valid);
    EXPECT_FALSE(bracketed.about);
    EXPECT_FALSE(bracketed.uncertain);
    EXPECT_EQ(bracketed.years, 27);
    EXPECT_FALSE(ParseAgeText("").valid);
    EXPECT_FALSE(ParseAgeText("~?").valid);
    EXPECT_EQ(ParseAgeText("99999999999").years, INT32_MAX);

    WColSortIterator list(collection_.get(), nullptr);
    auto surname = CreateAttribute(6, analysis_.get());
    WAttribStrArray names(list, *surname);
    EXPECT_TRUE(names.Filled());
    EXPECT_EQ(names.Value(1), "ANDERS /ANGSTROM/");
    EXPECT_EQ(names.Value(0), "");
    EXPECT_EQ(names.Value(7), "");
    auto birth = CreateAttribute(10, analysis_.get());
    WAttribDateArray births(list, *birth);
    EXPECT_EQ(births.Value(2), "1 Jan 1900");
    EXPECT_EQ(births.Value(4), "SOMETIME");
    EXPECT_EQ(births.CompareIndividuals(1, 1), 0);
    EXPECT_LT(births.CompareIndividuals(1, 4), 0);
    EXPECT_GT(births.CompareIndividuals(4, 6), 0);
}

TEST_F(ColumnSetTest, LongTextsSortByTheirFirstCharactersOnly) {
    const std::string stem(47, 'a');
    const std::string gedcom = "0 HEAD\n0 @I1@ INDI\n1 NAME " + stem +
                               "z\n1 BIRT\n2 DATE BET 1 JAN 1900 AND 1 JAN 1950\n"
                               "0 @I2@ INDI\n1 NAME " +
                               stem + "b\n1 BIRT\n2 DATE BET 1 JAN 1900 AND 1 JAN 1910\n0 TRLR\n";
    WGEDCollection c(WriteFile("long.ged", gedcom));
    ASSERT_TRUE(c.Load());
    FamilyAnalysis analysis(c);
    WColSortIterator list(&c, nullptr);
    auto name = CreateAttribute(5, &analysis);
    WAttribStrArray names(list, *name);
    EXPECT_EQ(names.Value(1).size(), WAttribStrArray::kMaxText);
    EXPECT_EQ(names.CompareIndividuals(1, 2), 0);
    auto birth = CreateAttribute(10, &analysis);
    WAttribDateArray births(list, *birth);
    EXPECT_EQ(births.Value(1), "Bet 1 Jan 1900 ");
    EXPECT_EQ(births.CompareIndividuals(1, 2), 0);
}

TEST_F(ColumnSetTest, ListTextInFixedColumnsAndCsv) {
    WListColumns columns(analysis_.get(), "List");
    columns.SetColumnString("1,5,29,99");
    columns.SetColumnWidth(2, 60);  // fields of 11 characters
    columns.SetColumnWidth(3, 0);
    WColSortIterator list(collection_.get(), nullptr);
    columns.SetSortIterator(&list);
    columns.SortByColumn(1);
    columns.SortByColumn(1);
    const std::string fixed = ListText(columns, list, ListFormat::FixedColumns);
    // Index: 40 px, 8 wide; Given: 11 wide; LDS: no room; ERROR column: 0.
    EXPECT_EQ(fixed.substr(0, fixed.find("\r\n", 0) + 2), "Index  Given      \r\n");
    EXPECT_NE(fixed.find("\r\n2      Bob \"Bobby \r\n"), std::string::npos) << fixed;
    EXPECT_EQ(std::count(fixed.begin(), fixed.end(), '\n'), 7);

    const std::string csv = ListText(columns, list, ListFormat::Csv);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n") + 2), "\"Index\",\"Given\",\"LDS\",\"ERROR\"\r\n");
    EXPECT_NE(csv.find("\r\n\"2\",\"Bob \"\"Bobby\"\"\",\"B---\",\"ERROR\"\r\n\"1\""),
              std::string::npos)
        << csv;
    EXPECT_EQ(csv.substr(csv.find("\r\n") + 2, 3), "\"6\"") << "descending order";
}

}  // namespace
}  // namespace vx
