// The Family and Pedigree pages: who is shown where, the children grid, the
// order of children, and both "Copy to Clipboard" texts byte for byte.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "LoadedFileTest.h"
#include "app/Options.h"
#include "exports/FamilyPage.h"
#include "exports/PedigreePage.h"
#include "gedcom/GEDCollection.h"
#include "records/Marriage.h"

namespace vx {
namespace {

// Sam (1) married Mary (3) in 1893 and Ruth (2) in 1910; his FAMS lines list
// the later marriage first. Their children in file order: Tom (1901), Ann
// (christened 1899, no birth), Liz (1895, sex unknown). Tom's first family
// has a wife and a child, his second no wife; Liz's first family has no
// husband, her second one does. Pat (sex unknown) has a family alone, one
// with Fay and one with Kim (sex unknown).
const char* kFamilies =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @I1@ INDI\n1 NAME Sam /Ward/\n1 SEX M\n1 BIRT\n2 DATE 1870\n2 PLAC Leeds\n1 CHR\n"
    "1 FAMC @F3@\n1 FAMS @F2@\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Ruth /Hale/\n1 SEX F\n1 BIRT\n2 DATE 1872\n1 DEAT\n2 PLAC York\n"
    "1 FAMS @F2@\n"
    "0 @I3@ INDI\n1 NAME Mary /Stone/\n1 SEX F\n1 FAMC @F4@\n1 FAMS @F1@\n"
    "0 @I4@ INDI\n1 NAME Tom /Ward/\n1 SEX M\n1 BIRT\n2 DATE 1901\n1 FAMC @F1@\n1 FAMS @F6@\n"
    "1 FAMS @F5@\n"
    "0 @I5@ INDI\n1 NAME Ann /Ward/\n1 SEX F\n1 CHR\n2 DATE 1899\n1 FAMC @F1@\n"
    "0 @I6@ INDI\n1 NAME Liz /Ward/\n1 BIRT\n2 DATE 1895\n1 BURI\n2 DATE 1950\n1 FAMC @F1@\n"
    "1 FAMS @F7@\n1 FAMS @F8@\n"
    "0 @I7@ INDI\n1 NAME John /Ward/\n1 SEX M\n1 FAMS @F3@\n"
    "0 @I8@ INDI\n1 NAME Jane /Cole/\n1 SEX F\n1 FAMC @F9@\n1 FAMS @F3@\n"
    "0 @I9@ INDI\n1 NAME Peg /Moor/\n1 SEX F\n1 FAMS @F5@\n"
    "0 @I10@ INDI\n1 NAME Kit /Ward/\n1 FAMC @F5@\n"
    "0 @I11@ INDI\n1 NAME Bob /Bell/\n1 SEX M\n1 FAMS @F8@\n"
    "0 @I12@ INDI\n1 NAME Edna /Stone/\n1 SEX F\n1 FAMS @F4@\n"
    "0 @I13@ INDI\n1 NAME Abe /Cole/\n1 SEX M\n1 FAMS @F9@\n"
    "0 @I14@ INDI\n1 NAME Pat /Gray/\n1 SEX U\n1 FAMS @F10@\n1 FAMS @F11@\n1 FAMS @F12@\n"
    "0 @I15@ INDI\n1 NAME Kim /Gray/\n1 SEX U\n1 FAMS @F10@\n"
    "0 @I16@ INDI\n1 NAME Fay /Gray/\n1 SEX F\n1 FAMS @F11@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I3@\n1 MARR\n2 DATE 1893\n2 PLAC Hull\n"
    "1 CHIL @I4@\n1 CHIL @I5@\n1 CHIL @I6@\n"
    "0 @F2@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 MARR\n2 DATE 1910\n"
    "0 @F3@ FAM\n1 HUSB @I7@\n1 WIFE @I8@\n1 CHIL @I1@\n"
    "0 @F4@ FAM\n1 WIFE @I12@\n1 CHIL @I3@\n"
    "0 @F5@ FAM\n1 HUSB @I4@\n1 WIFE @I9@\n1 CHIL @I10@\n"
    "0 @F6@ FAM\n1 HUSB @I4@\n1 MARR\n2 DATE 1930\n"
    "0 @F7@ FAM\n1 WIFE @I6@\n"
    "0 @F8@ FAM\n1 HUSB @I11@\n1 WIFE @I6@\n"
    "0 @F9@ FAM\n1 HUSB @I13@\n1 CHIL @I8@\n"
    "0 @F10@ FAM\n1 HUSB @I14@\n1 WIFE @I15@\n"
    "0 @F11@ FAM\n1 HUSB @I14@\n1 WIFE @I16@\n"
    "0 @F12@ FAM\n1 HUSB @I14@\n"
    "0 TRLR\n";

// The block of someone who is not there, and the couple's parent lines
// without parents.
const std::string kNobody = "Name:    \r\nBirth:   \r\nChr:     \r\nDeath:   \r\nBurial:  \r\n";
const std::string kNoParents = "Father:  \r\nMother:  \r\n";

const std::string kSamAndMary =
    "FAMILY GROUP\r\n\r\nHUSBAND\r\n"
    "Name:    Sam /Ward/ [1]\r\nBirth:   1870, Leeds\r\nChr:    \r\nDeath:   \r\nBurial:  \r\n"
    "Father:  John /Ward/ [7]\r\nMother:  Jane /Cole/ [8]\r\n"
    "\r\nWIFE\r\n"
    "Name:    Mary /Stone/ [3]\r\n"
    "Birth:   \r\nChr:     \r\nDeath:   \r\nBurial:  \r\n"
    "Father:  \r\nMother:  Edna /Stone/ [12]\r\n";
const std::string kLiz =
    "Name:    Liz /Ward/ [6]\r\nSex:     U\r\n"
    "Birth:   1895, \r\nChr:     \r\nDeath:   \r\nBurial:  1950, \r\n";
const std::string kTom =
    "Name:    Tom /Ward/ [4]\r\nSex:     M\r\n"
    "Birth:   1901, \r\nChr:     \r\nDeath:   \r\nBurial:  \r\n";
const std::string kAnn =
    "Name:    Ann /Ward/ [5]\r\nSex:     F\r\n"
    "Birth:   \r\nChr:     1899, \r\nDeath:   \r\nBurial:  \r\n";

class FamilyPagesTest : public test::LoadedFileTest {
  protected:
    void SetUp() override {
        LoadedFileTest::SetUp();
        c_ = LoadText(kFamilies);
    }
    std::vector<std::string> Cells(const FamilyChildRow& row) const {
        std::vector<std::string> cells;
        for (int column = 0; column < kFamilyGridColumns; ++column)
            cells.push_back(FamilyGridCell(*c_, row, column));
        return cells;
    }
    std::unique_ptr<WGEDCollection> c_;
};

TEST_F(FamilyPagesTest, FamilyTextOfACoupleWithChildrenInBirthOrder) {
    // Showing the page puts the children in order: dated ones by birth,
    // then Ann, who has none.
    EXPECT_EQ(FamilyText(*c_, 1, 1), kSamAndMary + "\r\nChild 1\r\n" + kLiz + "\r\nChild 2\r\n" +
                                         kTom + "\r\nChild 3\r\n" + kAnn);
    // Mary is female, so the same couple whichever of the two is active.
    EXPECT_EQ(FamilyText(*c_, 3, 1), FamilyText(*c_, 1, 1));
}

TEST_F(FamilyPagesTest, ChildrenAreCopiedInTheOrderTheLinksHoldAtThatMoment) {
    WOptions::SetFlag(opt::kSortChildren, false);
    const FamilyPage page = BuildFamilyPage(*c_, 1, 1);
    EXPECT_EQ(FamilyText(*c_, page), kSamAndMary + "\r\nChild 1\r\n" + kTom + "\r\nChild 2\r\n" +
                                         kAnn + "\r\nChild 3\r\n" + kLiz);
    // Another view has the family's children sorted after the page was
    // filled: the copy follows the links, the page's rows do not move.
    WOptions::SetFlag(opt::kSortChildren, true);
    c_->Family(1)->SortChildren();
    EXPECT_EQ(FamilyText(*c_, page), kSamAndMary + "\r\nChild 1\r\n" + kLiz + "\r\nChild 2\r\n" +
                                         kTom + "\r\nChild 3\r\n" + kAnn);
    ASSERT_EQ(page.children.size(), 3u);
    EXPECT_EQ(page.children[0].child, 4);
}

TEST_F(FamilyPagesTest, SecondMarriageAndWrappingRound) {
    const FamilyPage second = BuildFamilyPage(*c_, 1, 2);
    EXPECT_EQ(second.family, 2);
    EXPECT_EQ(second.spouse, 2);
    EXPECT_EQ(second.marriageInfo, "1910");
    EXPECT_EQ(second.spouseCounter, "(2 of 2)");
    EXPECT_TRUE(second.children.empty());
    // A death with a place but no date keeps its leading comma.
    EXPECT_EQ(FamilyText(*c_, second),
              "FAMILY GROUP\r\n\r\nHUSBAND\r\n"
              "Name:    Sam /Ward/ [1]\r\nBirth:   1870, Leeds\r\nChr:    \r\nDeath:   \r\n"
              "Burial:  \r\nFather:  John /Ward/ [7]\r\nMother:  Jane /Cole/ [8]\r\n"
              "\r\nWIFE\r\nName:    Ruth /Hale/ [2]\r\nBirth:   1872, \r\nChr:     \r\n"
              "Death:   , York\r\nBurial:  \r\n" +
                  kNoParents);
    EXPECT_EQ(FamilyText(*c_, 1, 3), FamilyText(*c_, 1, 1));
}

TEST_F(FamilyPagesTest, FirstFamilyPanelsAndGrid) {
    const FamilyPage page = BuildFamilyPage(*c_, 1);
    EXPECT_EQ(page.families, (std::vector<int32_t>{1, 2}));  // by marriage date
    EXPECT_EQ(page.current, 1);
    EXPECT_EQ(page.spouse, 3);
    EXPECT_EQ(page.marriageInfo, "1893, Hull");
    EXPECT_EQ(page.spouseCounter, "(1 of 2)");
    EXPECT_TRUE(page.nextSpouseVisible);
    EXPECT_EQ(page.subjectFather, 7);
    EXPECT_EQ(page.subjectMother, 8);
    EXPECT_EQ(page.spouseFather, 0);
    EXPECT_EQ(page.spouseMother, 12);
    // Only Jane has a known parent.
    EXPECT_EQ(page.parentHasParents, (std::array<bool, 4>{false, true, false, false}));

    EXPECT_EQ(FamilyGridCaption(page, 1), "Children (3)");
    EXPECT_EQ(FamilyGridCaption(page, 3), "Birth/[Chr]");
    EXPECT_EQ(FamilyGridCaption(page, 4), "Death/[Burial]");
    ASSERT_EQ(page.children.size(), 3u);
    // Liz's first family has no husband: no spouse and no "+", though her
    // second family has one.
    EXPECT_EQ(Cells(page.children[0]),
              (std::vector<std::string>{"", "Liz /Ward/ [6]", "U", "1895", "[1950]", ""}));
    EXPECT_EQ(Cells(page.children[1]), (std::vector<std::string>{"+", "Tom /Ward/ [4]", "M", "1901",
                                                                 "", "(1 of 2) Peg /Moor/ [9]"}));
    EXPECT_EQ(Cells(page.children[2]),
              (std::vector<std::string>{"", "Ann /Ward/ [5]", "F", "[1899]", "", ""}));

    WOptions::SetFlag(opt::kFamBirChr, false);
    const FamilyPage plain = BuildFamilyPage(*c_, 1);
    EXPECT_EQ(FamilyGridCaption(plain, 3), "Birth");
    EXPECT_EQ(FamilyGridCaption(plain, 4), "Death");
    EXPECT_EQ(plain.children[0].death, "");
    EXPECT_EQ(plain.children[2].birth, "");
}

TEST_F(FamilyPagesTest, WomanWithoutSpouseIsListedAsWife) {
    EXPECT_EQ(FamilyText(*c_, 5, 1),
              "FAMILY GROUP\r\n\r\nHUSBAND\r\n" + kNobody + kNoParents + "\r\nWIFE\r\n" +
                  "Name:    Ann /Ward/ [5]\r\nBirth:   \r\nChr:     1899, \r\nDeath:   \r\n"
                  "Burial:  \r\nFather:  Sam /Ward/ [1]\r\nMother:  Mary /Stone/ [3]\r\n");
}

TEST_F(FamilyPagesTest, IndividualWithoutFamilies) {
    FamilyPage page = BuildFamilyPage(*c_, 10);
    EXPECT_TRUE(page.families.empty());
    EXPECT_EQ(page.family, 0);
    EXPECT_EQ(page.spouse, 0);
    EXPECT_FALSE(page.nextSpouseVisible);
    EXPECT_EQ(page.spouseCounter, "");
    EXPECT_EQ(page.marriageInfo, "");
    EXPECT_EQ(FamilyGridCaption(page, 1), "Children (0)");
    ShowNextSpouse(*c_, page);
    EXPECT_EQ(page.family, 0);
    EXPECT_EQ(FamilyText(*c_, 0, 1), "");
}

TEST_F(FamilyPagesTest, UnknownSexDecidesByTheSpouse) {
    // Pat's families: alone, with Fay, with Kim.
    FamilyPage page = BuildFamilyPage(*c_, 14);
    EXPECT_EQ(page.spouseCounter, "(1 of 3)");
    EXPECT_EQ(page.spouse, 0);
    EXPECT_EQ(HusbandAndWife(*c_, 14, 0).wife, 14);
    ShowNextSpouse(*c_, page);
    EXPECT_EQ(page.spouse, 16);
    EXPECT_EQ(HusbandAndWife(*c_, 14, 16).husband, 14);
    ShowNextSpouse(*c_, page);
    EXPECT_EQ(page.spouse, 15);
    EXPECT_EQ(HusbandAndWife(*c_, 14, 15).husband, 14);
    EXPECT_EQ(HusbandAndWife(*c_, 15, 14).husband, 15);
    ShowNextSpouse(*c_, page);
    EXPECT_EQ(page.current, 1);
    EXPECT_EQ(page.spouseCounter, "(1 of 3)");
    // Unknown with a man, and a woman with a woman: the partner is husband.
    EXPECT_EQ(HusbandAndWife(*c_, 6, 11).husband, 11);
    EXPECT_EQ(HusbandAndWife(*c_, 16, 2).husband, 2);
    EXPECT_NE(FamilyText(*c_, 6, 2).find("HUSBAND\r\nName:    Bob /Bell/ [11]\r\n"),
              std::string::npos);
    EXPECT_NE(FamilyText(*c_, 14, 1).find("HUSBAND\r\n" + kNobody), std::string::npos);
}

// Ada (1) with both parents, three grandparents (one of them with a name
// and a birth place too long for the page), two husbands, a brother and
// two children of her first marriage.
const char* kPedigree =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @I1@ INDI\n1 NAME Ada /Quill/\n1 SEX F\n1 BIRT\n2 DATE 1950\n2 PLAC Bath\n1 FAMC @F1@\n"
    "1 FAMS @F3@\n1 FAMS @F2@\n"
    "0 @I2@ INDI\n1 NAME Carl /Quill/\n1 SEX M\n1 BIRT\n2 DATE 1920\n1 DEAT\n2 DATE 1990\n"
    "2 PLAC Oslo\n1 FAMC @F4@\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Dora /Lind/\n1 SEX F\n1 FAMC @F5@\n1 FAMS @F1@\n"
    "0 @I4@ INDI\n1 NAME Bartholomew Alexander Maximilian /Featherstonehaugh-Smythe/\n"
    "1 BIRT\n2 DATE 1890\n2 PLAC Some Very Long Place Name, County, Country\n1 FAMS @F4@\n"
    "0 @I5@ INDI\n1 NAME Eva /Quill/\n1 FAMS @F4@\n"
    "0 @I6@ INDI\n1 NAME Gus /Lind/\n1 FAMS @F5@\n"
    "0 @I7@ INDI\n1 NAME Ned /Fox/\n1 SEX M\n1 FAMS @F2@\n"
    "0 @I8@ INDI\n1 NAME Ike /Stone/\n1 SEX M\n1 FAMS @F3@\n"
    "0 @I9@ INDI\n1 NAME Zed /Quill/\n1 BIRT\n2 DATE 1948\n1 FAMC @F1@\n"
    "0 @I10@ INDI\n1 NAME Uma /Fox/\n1 BIRT\n2 DATE ABT 1980\n1 FAMC @F2@\n"
    "0 @I11@ INDI\n1 NAME Vic /Fox/\n1 BIRT\n2 DATE 1977\n1 FAMC @F2@\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I3@\n1 MARR\n2 DATE 1945\n1 CHIL @I1@\n1 CHIL @I9@\n"
    "0 @F2@ FAM\n1 HUSB @I7@\n1 WIFE @I1@\n1 MARR\n2 DATE 1975\n2 PLAC Rome\n"
    "1 CHIL @I10@\n1 CHIL @I11@\n"
    "0 @F3@ FAM\n1 HUSB @I8@\n1 WIFE @I1@\n1 MARR\n2 DATE 1990\n"
    "0 @F4@ FAM\n1 HUSB @I4@\n1 WIFE @I5@\n1 MARR\n1 CHIL @I2@\n"
    "0 @F5@ FAM\n1 HUSB @I6@\n1 CHIL @I3@\n"
    "0 TRLR\n";

std::string Chart(const std::vector<std::string>& lines) {
    std::string text = "PEDIGREE CHART\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

TEST_F(FamilyPagesTest, PedigreeChartByteForByte) {
    c_ = LoadText(kPedigree, "pedigree.ged");
    const std::string far(43, ' ');  // grandparents start in column 44
    const std::string near(9, ' ');  // parents in column 10
    std::vector<std::string> lines = {
        // Cut where column 80 would begin, then stripped of its trailing blank.
        far + "Bartholomew Alexander Maximilian /Fe", far + "b. 1890, Some Very Long Place Name,",
        far + "d.", far + "m.",  // a marriage with neither date nor place
        near + "Carl /Quill/", near + "b. 1920,", near + "d. 1990, Oslo", near + "m. 1945",
        far + "Eva /Quill/", far + "b.", far + "d.", "Ada /Quill/", "b. 1950, Bath", "d.",
        "m. 1975, Rome",
        // Gus has no wife, hence no marriage line and an empty box below.
        far + "Gus /Lind/", far + "b.", far + "d.", "", near + "Dora /Lind/", near + "b.",
        near + "d.", "", "", "", "Spouse", "Ned /Fox/", "b.", "d.", ""};
    ASSERT_EQ(lines.size(), 30u);
    const std::string first = PedigreeText(*c_, 1, 1);
    EXPECT_EQ(first, Chart(lines));
    for (size_t start = 0, end; (end = first.find("\r\n", start)) != std::string::npos;
         start = end + 2)
        EXPECT_LE(end - start, 79u) << first.substr(start, end - start);

    lines[14] = "m. 1990";
    lines[26] = "Ike /Stone/";
    EXPECT_EQ(PedigreeText(*c_, 1, 2), Chart(lines));

    // Zed has parents and grandparents but no family: no spouse heading,
    // no marriage line under his name.
    const std::string zed = PedigreeText(*c_, 9, 1);
    EXPECT_NE(zed.find("\r\nZed /Quill/\r\nb. 1948,\r\nd.\r\n\r\n"), std::string::npos) << zed;
    EXPECT_EQ(zed.find("Spouse"), std::string::npos);
}

TEST_F(FamilyPagesTest, PedigreePageListsAndPanels) {
    c_ = LoadText(kPedigree, "pedigree.ged");
    PedigreePage page = BuildPedigreePage(*c_, 1);
    EXPECT_EQ(page.siblings, (std::vector<int32_t>{9}));
    EXPECT_EQ(page.SiblingsCaption(), "Siblings (1)");
    EXPECT_EQ(page.children, (std::vector<int32_t>{11, 10}));  // Vic 1977 before Uma 1980
    EXPECT_EQ(page.spouse, 7);
    EXPECT_TRUE(page.spouseButtonVisible);
    EXPECT_FALSE(page.spouseHasParents);
    EXPECT_EQ(page.Ancestor(2), 2);
    EXPECT_EQ(page.Ancestor(3), 3);
    EXPECT_EQ(page.Ancestor(4), 4);
    EXPECT_EQ(page.Ancestor(5), 5);
    EXPECT_EQ(page.Ancestor(6), 6);
    EXPECT_EQ(page.Ancestor(7), 0);
    ShowNextPedigreeSpouse(*c_, page);
    EXPECT_EQ(page.spouse, 8);
    EXPECT_EQ(page.ChildrenCaption(), "Children (0)");

    const PedigreeListItem uma = PedigreeItem(*c_, 10);
    EXPECT_EQ(uma.qualifier, "c");
    EXPECT_EQ(uma.birthYear, 1980);
    EXPECT_EQ(uma.givenNames, "Uma");
    EXPECT_FALSE(uma.hasChildren);
    EXPECT_TRUE(PedigreeItem(*c_, 1).hasChildren);
    EXPECT_EQ(BuildPedigreePage(*c_, 9).SiblingsCaption(), "Siblings (1)");
    EXPECT_EQ(BuildPedigreePage(*c_, 2).SiblingsCaption(), "Siblings (0)");
}

TEST_F(FamilyPagesTest, FifthGenerationPlusButtons) {
    // A line of fathers: individual k is the son of k + 1, up to 6; the
    // subject's mother is 7.
    std::string ged = "0 HEAD\n1 CHAR ANSI\n";
    for (int k = 1; k <= 7; ++k) {
        ged += "0 @I" + std::to_string(k) + "@ INDI\n1 NAME P" + std::to_string(k) + " /L/\n";
        if (k <= 5) ged += "1 FAMC @F" + std::to_string(k) + "@\n";
    }
    for (int k = 1; k <= 5; ++k)
        ged += "0 @F" + std::to_string(k) + "@ FAM\n1 HUSB @I" + std::to_string(k + 1) + "@\n" +
               (k == 1 ? "1 WIFE @I7@\n" : "") + "1 CHIL @I" + std::to_string(k) + "@\n";
    c_ = LoadText(ged + "0 TRLR\n", "line.ged");
    const PedigreePage page = BuildPedigreePage(*c_, 1);
    std::array<int32_t, 32> expected{};
    for (const auto& [panel, individual] :
         std::vector<std::pair<int, int32_t>>{{1, 1}, {2, 2}, {3, 7}, {4, 3}, {8, 4}, {16, 5}})
        expected[static_cast<size_t>(panel)] = individual;
    EXPECT_EQ(page.ancestors, expected);
    EXPECT_TRUE(page.PanelHasPlus(*c_, 16));
    EXPECT_FALSE(page.PanelHasPlus(*c_, 17));
    EXPECT_FALSE(page.PanelHasPlus(*c_, 8));  // only generation 5 has buttons
    EXPECT_EQ(page.PlusTarget(20), 2);
    EXPECT_EQ(page.PlusTarget(27), 7);
}

TEST_F(FamilyPagesTest, CharacterPageStopsBeforeColumn80) {
    WCharScreen screen;
    screen.Write(1, 75, "abcdefghij", 40);
    screen.Write(2, 1, "abcdefghij", 4);
    screen.Write(3, 5, "x  ", 40);
    screen.Write(31, 1, "lost", 40);
    EXPECT_EQ(screen.Line(1), std::string(74, ' ') + "abcde");
    EXPECT_EQ(screen.Line(2), "abcd");
    EXPECT_EQ(screen.Line(3), "    x");
    const std::string text = screen.Text();
    EXPECT_EQ(text.size(), 79 + 4 + 5 + 30 * 2u);
    EXPECT_EQ(text.find("lost"), std::string::npos);
}

}  // namespace
}  // namespace vx
