// The General and Individual pages: the grids and rows they show, ages and
// the date order of the rows, and both "Copy to Clipboard" texts byte for
// byte.
#include <utime.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "LoadedFileTest.h"
#include "app/Options.h"
#include "app/TextUtil.h"
#include "exports/GeneralPage.h"
#include "exports/IndividualPage.h"
#include "gedcom/GEDCollection.h"
#include "highlight/HLGroup.h"

namespace vx {
namespace {

// John (1) is the son of Adam (2, born 1875) and Eve (3). He has a family
// without a wife, with Kit (7, sex unknown), and one with Mary (4), married
// 1925, with Tom (5, 1930) and Ann (6, 1928) in that file order; the family
// without a marriage date comes first among his families. Lone (8) has
// nothing but a name and sex "f".
const char* kFamily =
    "0 HEAD\n1 SOUR VTEST\n2 NAME Vellacor Test\n2 VERS 2.1\n1 DEST ANY\n1 DATE 1 JAN 2020\n"
    "2 TIME 10:00\n1 SUBM @U1@\n1 FILE family.ged\n1 GEDC\n2 VERS 5.5\n2 FORM LINEAGE-LINKED\n"
    "1 CHAR ANSI\n"
    "0 @U1@ SUBM\n1 NAME Sam Sender\n1 ADDR 1 Main St\n2 CONT Springfield\n1 PHON 555-0100\n"
    "1 _EMAIL sam@example.org\n"
    "0 @I1@ INDI\n1 NAME John /Smith/\n1 SEX M\n1 REFN R-17\n1 AFN AF1\n1 NOTE Own note\n"
    "1 BIRT\n2 DATE 10 MAY 1900\n2 PLAC Boston\n2 SOUR @S1@\n3 PAGE p. 4\n"
    "1 DEAT\n2 DATE 9 MAY 1950\n2 CAUS fever\n2 NOTE Died at home\n1 OCCU Farmer\n2 DATE 1925\n"
    "1 EVEN\n2 TYPE Military Service\n1 CHAN\n2 DATE 2 FEB 2003\n"
    "1 FAMC @F1@\n1 FAMS @F2@\n1 FAMS @F3@\n"
    "0 @I2@ INDI\n1 NAME Adam /Smith/\n1 SEX M\n1 BIRT\n2 DATE 1875\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Eve /Jones/\n1 SEX F\n1 FAMS @F1@\n"
    "0 @I4@ INDI\n1 NAME Mary /Brown/\n1 SEX F\n1 FAMS @F2@\n"
    "0 @I5@ INDI\n1 NAME Tom /Smith/\n1 SEX M\n1 BIRT\n2 DATE 3 MAR 1930\n1 FAMC @F2@\n"
    "0 @I6@ INDI\n1 NAME Ann /Smith/\n1 SEX F\n1 BIRT\n2 DATE 1928\n1 FAMC @F2@\n"
    "0 @I7@ INDI\n1 NAME Kit /Smith/\n1 FAMC @F3@\n"
    "0 @I8@ INDI\n1 NAME Lone /Wolf/\n1 SEX f\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I3@\n1 CHIL @I1@\n"
    "0 @F2@ FAM\n1 HUSB @I1@\n1 WIFE @I4@\n1 MARR\n2 DATE 1 JUN 1925\n2 PLAC Salem\n"
    "1 NOTE Family note\n1 CHIL @I5@\n1 CHIL @I6@\n"
    "0 @F3@ FAM\n1 HUSB @I1@\n1 CHIL @I7@\n"
    "0 @S1@ SOUR\n1 TITL Parish Register\n0 TRLR\n";

class PersonPagesTest : public test::LoadedFileTest {
  protected:
    void SetUp() override {
        LoadedFileTest::SetUp();
        c_ = LoadText(kFamily);
    }
    // Rows as "type|date|information|age|notes|sources".
    static std::vector<std::string> Rows(const IndividualPage& page) {
        std::vector<std::string> rows;
        for (const IndividualRow& r : page.rows)
            rows.push_back(r.type + "|" + r.date + "|" + r.information + "|" + r.age + "|" +
                           r.notes + "|" + r.sources);
        return rows;
    }
    IndividualPage Page(int32_t n, bool chronological = false, bool useLDS = false) {
        IndividualPageOptions options;
        options.chronological = chronological;
        options.useLDS = useLDS;
        return BuildIndividualPage(*c_, n, options);
    }
    std::unique_ptr<WGEDCollection> c_;
};

TEST_F(PersonPagesTest, GeneralGridsFromHeaderSubmitterAndCounts) {
    const GeneralPage page = BuildGeneralPage(c_.get(), 0.125);
    std::vector<std::string> header;
    for (const GeneralRow& row : page.header.rows)
        header.push_back(row.label + "=" + row.value);
    EXPECT_EQ(header,
              (std::vector<std::string>{
                  "Application=VTEST", "Application Name=Vellacor Test", "Application Version=2.1",
                  "Destination=ANY", "Date=1 JAN 2020 10:00", "File name=family.ged",
                  "GEDC Version=5.5", "GEDC Form=LINEAGE-LINKED", "Char Set=ANSI"}));
    std::vector<std::string> submitter, stats;
    for (const GeneralRow& row : page.submitter.rows)
        submitter.push_back(row.label + "=" + row.value);
    EXPECT_EQ(submitter, (std::vector<std::string>{
                             "Name=Sam Sender", "Addr 1=1 Main St", "Addr 2=Springfield",
                             "Addr 3=", "Country=", "Phone=555-0100", "Email=sam@example.org"}));
    for (const GeneralRow& row : page.fileInformation.rows)
        stats.push_back(row.label + "=" + row.value);
    // The file is over a thousand bytes: its size has a thousands separator.
    const std::string size = FormatThousands(static_cast<int64_t>(std::string(kFamily).size()));
    ASSERT_NE(size.find(','), std::string::npos);
    EXPECT_EQ(stats,
              (std::vector<std::string>{"Name=", "Size=" + size, "Date=" + c_->FileDateText(),
                                        "Importing=0.125 seconds", "# Inds=8", "# Fams=3",
                                        "# Notes=0", "# Srcs=1"}));
    EXPECT_EQ(page.fileInformation.labelCaption, "Stats");
    EXPECT_EQ(page.header.labelCaption, "Info");
    EXPECT_TRUE(page.hasSubmitter);
    EXPECT_EQ(page.rawSubmitter,
              "0 @U1@ SUBM\n1 NAME Sam Sender\n1 ADDR 1 Main St\n2 CONT Springfield\n"
              "1 PHON 555-0100\n1 _EMAIL sam@example.org\n");
    // Unknown until the window has timed the loading.
    EXPECT_EQ(BuildGeneralPage(c_.get()).fileInformation.rows[3].value, "");
}

TEST_F(PersonPagesTest, GeneralPageWithoutFileHasEmptyValues) {
    const GeneralPage page = BuildGeneralPage(nullptr, 2.5);
    ASSERT_EQ(page.header.rows.size(), 1u);
    EXPECT_EQ(page.header.rows[0].label + page.header.rows[0].value, "");
    ASSERT_EQ(page.submitter.rows.size(), 7u);
    ASSERT_EQ(page.fileInformation.rows.size(), 8u);
    for (const auto* grid : {&page.submitter, &page.fileInformation})
        for (const GeneralRow& row : grid->rows)
            EXPECT_EQ(row.value, "") << row.label;
    EXPECT_EQ(page.fileInformation.rows[7].label, "# Srcs");
    EXPECT_FALSE(page.hasSubmitter);
}

TEST_F(PersonPagesTest, GeneralTextBothModes) {
    // The file date as "dd mmm yyyy, h:mm AM/PM" in local time: UTC here.
    const char* savedTz = std::getenv("TZ");
    const std::string restoreTz = savedTz ? savedTz : "";
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    utimbuf times{1614870300, 1614870300};  // 2021-03-04 15:05 UTC
    ASSERT_EQ(::utime(Path("family.ged").c_str(), &times), 0);
    const std::string text = GeneralText(*c_, "vor123.tmp", false);
    const std::string raw = GeneralText(*c_, "vor123.tmp", true);
    if (savedTz)
        ::setenv("TZ", restoreTz.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();

    const std::string files =
        "GENERAL INFORMATION\r\n\r\nFILE INFORMATION\r\nFile Name:   vor123.tmp\r\n"
        "File Size:   " +
        FormatThousands(static_cast<int64_t>(std::string(kFamily).size())) +
        "\r\nFile Date:   04 Mar 2021, 3:05 PM\r\nIndividuals: 8\r\nFamilies:    3\r\n"
        "Notes:       0\r\nSources:     1\r\n";
    EXPECT_EQ(text, files +
                        "\r\nHEADER INFORMATION\r\nApplication:  VTEST\r\n"
                        "Application Name:  Vellacor Test\r\nApplication Version:  2.1\r\n"
                        "Destination:  ANY\r\nDate:  1 JAN 2020 10:00\r\n"
                        "File name:  family.ged\r\nGEDC Version:  5.5\r\n"
                        "GEDC Form:  LINEAGE-LINKED\r\nChar Set:  ANSI\r\n"
                        "\r\nSUBMITTER INFORMATION\r\nName:      Sam Sender\r\n"
                        "Address 1: 1 Main St\r\nAddress 2: Springfield\r\nAddress 3: \r\n"
                        "Country:   \r\nPhone:     555-0100\r\nEmail:     sam@example.org\r\n");
    // Raw: the header shows with CR LF (the file breaks lines with LF), the
    // submitter record as it stands.
    EXPECT_EQ(raw,
              files +
                  "\r\nHEADER INFORMATION\r\n0 HEAD\r\n1 SOUR VTEST\r\n2 NAME Vellacor Test\r\n"
                  "2 VERS 2.1\r\n1 DEST ANY\r\n1 DATE 1 JAN 2020\r\n2 TIME 10:00\r\n"
                  "1 SUBM @U1@\r\n1 FILE family.ged\r\n1 GEDC\r\n2 VERS 5.5\r\n"
                  "2 FORM LINEAGE-LINKED\r\n1 CHAR ANSI\r\n"
                  "\r\nSUBMITTER INFORMATION\r\n0 @U1@ SUBM\n1 NAME Sam Sender\n"
                  "1 ADDR 1 Main St\n2 CONT Springfield\n1 PHON 555-0100\n"
                  "1 _EMAIL sam@example.org\n");
}

TEST_F(PersonPagesTest, GeneralTextWithoutSubmitterOrHeaderFields) {
    auto bare = LoadText("0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\n0 TRLR\n", "bare.ged");
    const std::string tail = "Sources:     0\r\n\r\nHEADER INFORMATION\r\n";
    const std::string end = "\r\nSUBMITTER INFORMATION\r\n";
    const std::string text = GeneralText(*bare, "bare.ged", false);
    ASSERT_GE(text.size(), tail.size() + end.size());
    EXPECT_EQ(text.substr(text.size() - tail.size() - end.size()), tail + end);
    const std::string raw = GeneralText(*bare, "bare.ged", true);
    const std::string rawEnd = tail + "0 HEAD\r\n" + end;
    ASSERT_GE(raw.size(), rawEnd.size());
    EXPECT_EQ(raw.substr(raw.size() - rawEnd.size()), rawEnd);
    const GeneralPage page = BuildGeneralPage(bare.get());
    EXPECT_TRUE(page.header.rows.empty());
    EXPECT_FALSE(page.hasSubmitter);
    EXPECT_EQ(page.submitter.rows[0].value, "");
}

TEST_F(PersonPagesTest, IndividualRowsInFileOrder) {
    const IndividualPage page = Page(1);
    EXPECT_EQ(page.sex, "M");
    EXPECT_EQ(page.modified, "2 Feb 2003");
    EXPECT_EQ(Rows(page),
              (std::vector<std::string>{
                  "REF/AFN/Custom||1 / AF1 / R-17||Own note|",
                  "Name||John /Smith/|||",
                  "Birth|10 May 1900|Boston|-----||1) p. 4, Parish Register",
                  "Christening|||||",
                  "Death|9 May 1950|fever|49|Died at home|",
                  "Burial|||||",
                  "Occupation|1925|Farmer|25||",
                  "Military Service|||||",
                  "Father|1875|Adam /Smith/ [2], (b. 1875, ), (d. , )|-25||",
                  "Mother||Eve /Jones/ [3], (b. , ), (d. , )|||",
                  "Marriage 1 (1)|||||",
                  "     Child||Kit /Smith/ [7], (b. , ), (d. , )|||",
                  "Marriage (2)|1 Jun 1925|Mary /Brown/, m. 1 Jun 1925, Salem|25|Family note|",
                  "     Son|3 Mar 1930|Tom /Smith/ [5], (b. 3 Mar 1930, ), (d. , )|29||",
                  "     Daughter|1928|Ann /Smith/ [6], (b. 1928, ), (d. , )|28||",
              }));
    // Where double-clicking goes: the name row to John, family rows to the
    // spouse and children; rows of his own events nowhere.
    std::vector<int32_t> targets;
    for (const IndividualRow& row : page.rows)
        targets.push_back(row.individual);
    EXPECT_EQ(targets, (std::vector<int32_t>{0, 1, 0, 0, 0, 0, 0, 0, 2, 3, 0, 7, 4, 5, 6}));
    // The "N" and "S" marks, and the memos of the selected row.
    EXPECT_EQ(IndividualCell(page.rows[2], 0) + IndividualCell(page.rows[2], 1), "S");
    EXPECT_EQ(IndividualCell(page.rows[4], 0) + IndividualCell(page.rows[4], 1), "N");
    EXPECT_EQ(IndividualCell(page.rows[4], 5), "49");
    ASSERT_NE(SelectedIndividualRow(page, 12), nullptr);
    EXPECT_EQ(SelectedIndividualRow(page, 12)->notes, "Family note");
    EXPECT_EQ(SelectedIndividualRow(page, 15), nullptr);
    EXPECT_EQ(KeptIndividualSelection(page, 14), 14);
    EXPECT_EQ(KeptIndividualSelection(page, 15), 0);
}

TEST_F(PersonPagesTest, ChronologicalOrderUndatedFirstThenByDate) {
    std::vector<std::string> types;
    for (const IndividualRow& row : Page(1, true).rows)
        types.push_back(row.type + " " + row.date);
    EXPECT_EQ(types,
              (std::vector<std::string>{
                  "REF/AFN/Custom ", "Name ", "Child ", "Marriage 1 (1) ", "Military Service ",
                  "Mother ", "Father 1875", "Birth 10 May 1900", "Occupation 1925",
                  "Marriage 1 Jun 1925", "Daughter 1928", "Son 3 Mar 1930", "Death 9 May 1950"}));
}

TEST_F(PersonPagesTest, PersonWithoutEvents) {
    const IndividualPage page = Page(8);
    EXPECT_EQ(page.sex, "F");
    EXPECT_EQ(Rows(page), (std::vector<std::string>{
                              "REF/AFN/Custom||8 /  / |||", "Name||Lone /Wolf/|||", "Birth|||||",
                              "Christening|||||", "Death|||||", "Burial|||||"}));
    EXPECT_EQ(Page(8, true).rows.size(), 2u);
    EXPECT_EQ(BuildIndividualPage(*c_, 0, {}).rows.size(), 0u);
    EXPECT_EQ(IndividualText(*c_, 0, false), "");
}

TEST_F(PersonPagesTest, AgesAgainstBirthOrChristening) {
    auto ages = LoadText(
        "0 HEAD\n0 @I1@ INDI\n1 NAME A /Age/\n1 BIRT\n2 DATE 1 JAN 1900\n1 DEAT\n2 DATE 5 MAR "
        "1900\n"
        "0 @I2@ INDI\n1 NAME B /Age/\n1 BIRT\n2 DATE 2 FEB 1901\n1 DEAT\n2 DATE 2 FEB 1901\n"
        "0 @I3@ INDI\n1 NAME C /Age/\n1 CHR\n2 DATE 1 JAN 1800\n1 DEAT\n2 DATE 1 JAN 1850\n"
        "1 BURI\n2 DATE 31 DEC 1849\n1 RESI\n2 DATE 1790\n"
        "0 @I4@ INDI\n1 NAME D /Age/\n1 BIRT\n2 DATE MAY\n1 CHR\n2 DATE 1810\n1 DEAT\n2 DATE 1850\n"
        "0 @I5@ INDI\n1 NAME E /Age/\n1 BIRT\n2 DATE 1900\n1 RESI\n2 DATE ABT 1900\n"
        "1 EDUC\n2 DATE FOO 1920\n0 TRLR\n",
        "ages.ged");
    auto agesOf = [&](int32_t n) {
        std::string text;
        for (const IndividualRow& row : BuildIndividualPage(*ages, n, {}).rows)
            if (!row.date.empty()) text += row.type + "=" + row.age + " ";
        return text;
    };
    EXPECT_EQ(agesOf(1), "Birth=----- Death=0 ");
    EXPECT_EQ(agesOf(2), "Birth=----- Death=----- ");
    EXPECT_EQ(agesOf(3), "Christening=----- Death=[50] Burial=[49] Residence=[-10] ");
    // A birth date without a year does not count: the christening does.
    EXPECT_EQ(agesOf(4), "Birth= Christening=----- Death=[40] ");
    // "About 1900" sorts before 1900 but is no whole year before it; a date
    // that cannot be read has no age.
    EXPECT_EQ(agesOf(5), "Birth=----- Residence=0 Education= ");
}

TEST_F(PersonPagesTest, FirstOfSeveralParentFamiliesIsMarked) {
    auto two = LoadText(
        "0 HEAD\n0 @I1@ INDI\n1 NAME Pia /Two/\n1 FAMC @F1@\n1 FAMC @F2@\n"
        "0 @I2@ INDI\n1 NAME Al /One/\n1 SEX M\n0 @I3@ INDI\n1 NAME Bea /One/\n1 SEX F\n"
        "0 @I4@ INDI\n1 NAME Cy /Two/\n1 SEX M\n"
        "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I3@\n0 @F2@ FAM\n1 HUSB @I4@\n0 TRLR\n",
        "two.ged");
    IndividualPageOptions options;
    options.chronological = true;
    std::vector<std::string> parents;
    for (const IndividualRow& row : BuildIndividualPage(*two, 1, options).rows)
        parents.push_back(row.type + "=" + std::to_string(row.individual));
    // Undated rows by type: "Father (P)" sorts after "Father".
    EXPECT_EQ(parents, (std::vector<std::string>{"REF/AFN/Custom=0", "Name=1", "Father=4",
                                                 "Father (P)=2", "Mother (P)=3"}));
}

TEST_F(PersonPagesTest, LdsRowsOnlyWithTheSetting) {
    auto lds = LoadText(
        "0 HEAD\n0 @I1@ INDI\n1 NAME Liz /Lds/\n1 SEX F\n1 BIRT\n2 DATE 1900\n"
        "1 BAPL\n2 DATE 1908\n2 TEMP SLAKE\n1 SLGC\n2 STAT COMPLETED\n1 FAMS @F1@\n"
        "0 @I2@ INDI\n1 NAME Ned /Lds/\n1 SEX M\n1 FAMS @F1@\n"
        "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n1 SLGS\n2 DATE 1920\n2 TEMP LOGAN\n0 TRLR\n",
        "lds.ged");
    IndividualPageOptions options;
    options.useLDS = true;
    EXPECT_EQ(Rows(BuildIndividualPage(*lds, 1, options)),
              (std::vector<std::string>{
                  "REF/AFN/Custom||1 /  / |||", "Name||Liz /Lds/|||", "Birth|1900||-----||",
                  "Christening|||||", "Death|||||", "Burial|||||", "LDS Baptism|1908|SLAKE|8||",
                  "LDS Endowment|||||", "LDS SP|COMPLETED||||", "Marriage (0)||Ned /Lds/, m. |||",
                  "     LDS SS|1920|LOGAN|20||"}));
    EXPECT_EQ(BuildIndividualPage(*lds, 1, {}).rows.size(), 7u);
}

TEST_F(PersonPagesTest, HighlightColoursOfPersonRows) {
    FamilyAnalysis analysis(*c_);
    WHLGroup females(&analysis);
    females.SetConditionString("+17:F");
    females.Refresh();
    IndividualPageOptions options;
    options.highlight = &females;
    const IndividualPage john = BuildIndividualPage(*c_, 1, options);
    const uint32_t marked = WABSHighLighter::HighlightColor();
    ASSERT_NE(marked, kColorWhite);
    EXPECT_EQ(john.rows[1].background, kColorWhite);  // John himself
    EXPECT_EQ(john.rows[8].background, kColorWhite);  // Adam
    EXPECT_EQ(john.rows[9].background, marked);       // Eve
    EXPECT_EQ(john.rows[12].background, marked);      // Mary
    EXPECT_EQ(john.rows[14].background, marked);      // Ann
    EXPECT_EQ(john.background, kColorWhite);
    EXPECT_EQ(BuildIndividualPage(*c_, 3, options).background, marked);
}

TEST_F(PersonPagesTest, IndividualTextBothModesAndChronological) {
    const std::string head =
        "REF/AFN/Custom: 1 / AF1 / R-17, Own note\r\nName: John /Smith/\r\nSex: Male\r\n"
        "Modify Date: 2 Feb 2003\r\n";
    const std::string father = "Father: 1875, Adam /Smith/ [2], (b. 1875, ), (d. , )\r\n";
    const std::string mother = "Mother: Eve /Jones/ [3], (b. , ), (d. , )\r\n";
    const std::string kit = "Child: Kit /Smith/ [7], (b. , ), (d. , )\r\n";
    const std::string mary = ": 1 Jun 1925, Mary /Brown/, m. 1 Jun 1925, Salem, Family note\r\n";
    const std::string tom = "Son: 3 Mar 1930, Tom /Smith/ [5], (b. 3 Mar 1930, ), (d. , )\r\n";
    const std::string ann = "Daughter: 1928, Ann /Smith/ [6], (b. 1928, ), (d. , )\r\n";
    EXPECT_EQ(IndividualText(*c_, 1, false),
              head +
                  "Birth: 10 May 1900, Boston\r\nChristening: \r\n"
                  "Death: 9 May 1950, fever, Died at home\r\nBurial: \r\n"
                  "Occupation: 1925, Farmer\r\nMilitary Service: \r\n" +
                  father + mother + "Marriage 1 (1): \r\n     " + kit + "Marriage (2)" + mary +
                  "     " + tom + "     " + ann);
    WOptions::SetFlag(opt::kChrono, true);
    EXPECT_EQ(IndividualText(*c_, 1, false),
              head + kit + "Marriage 1 (1): \r\nMilitary Service: \r\n" + mother + father +
                  "Birth: 10 May 1900, Boston\r\nOccupation: 1925, Farmer\r\nMarriage" + mary +
                  ann + tom + "Death: 9 May 1950, fever, Died at home\r\n");
    EXPECT_EQ(IndividualText(*c_, 8, false),
              "REF/AFN/Custom: 8 /  / \r\nName: Lone /Wolf/\r\nSex: Female\r\nModify Date: \r\n");
    // Raw: the record with CR LF line breaks.
    EXPECT_EQ(IndividualText(*c_, 7, true), "0 @I7@ INDI\r\n1 NAME Kit /Smith/\r\n1 FAMC @F3@\r\n");
    EXPECT_EQ(IndividualText(*c_, 7, false),
              "REF/AFN/Custom: 7 /  / \r\nName: Kit /Smith/\r\nSex: Unknown\r\nModify Date: \r\n"
              "Father: 10 May 1900, John /Smith/ [1], (b. 10 May 1900, Boston), (d. 9 May 1950, ), "
              "Own note\r\n");
}

}  // namespace
}  // namespace vx
