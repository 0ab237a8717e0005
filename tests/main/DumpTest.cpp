// vellacor-tool dump: the texts the viewer shows or copies, printed for a
// GEDCOM file.
#include "ToolRunner.h"

namespace vx::test {
namespace {

class DumpTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        gedcom_ = WriteFile(
            "tree.ged",
            "0 HEAD\r\n1 CHAR ANSEL\r\n"
            "0 @I1@ INDI\r\n1 NAME Jos\xE2"
            "e /Roi/\r\n1 SEX M\r\n1 BIRT\r\n2 DATE 1900\r\n1 FAMS @F1@\r\n"
            "0 @I2@ INDI\r\n1 NAME Ann /Lee/\r\n1 SEX F\r\n1 FAMS @F1@\r\n"
            "0 @I3@ INDI\r\n1 NAME Kim /Roi/\r\n1 SEX F\r\n1 BIRT\r\n2 DATE 1930\r\n1 FAMC @F1@\r\n"
            "0 @I4@ INDI\r\n1 NAME Bo /Roi/\r\n1 SEX M\r\n1 BIRT\r\n2 DATE 1925\r\n1 FAMC @F1@\r\n"
            "0 @I5@ INDI\r\n1 NAME Lone /Wolf/\r\n0 @N1@ NOTE x\r\n"
            "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n1 CHIL @I4@\r\n0 TRLR\r\n");
    }
    ToolRun Dump(std::vector<std::string> args) {
        args.insert(args.begin(), {"dump", gedcom_});
        return RunToolIn(dir_, VELLACOR_TOOL, args);
    }
    std::string gedcom_;
};

TEST_F(DumpTest, EmptyFileAndFileWithoutIndividuals) {
    gedcom_ = WriteFile("empty.ged", "");
    const ToolRun empty = Dump({"counts"});
    EXPECT_EQ(empty.Exit, 1);
    EXPECT_EQ(empty.Err,
              "vellacor-tool dump: " + gedcom_ + " is empty: it holds no GEDCOM records\n");

    // Lists of a file without individuals are empty, not refused; only a
    // person asked for by number is.
    gedcom_ = WriteFile("nobody.ged", "0 HEAD\r\n0 @N1@ NOTE x\r\n0 TRLR\r\n");
    EXPECT_EQ(Dump({"counts"}).Out, "I: 0\nF: 0\nN: 1\nS: 0\nCHAR: 0\n");
    const ToolRun list = Dump({"list", "--columns", "1,5", "--format", "csv"});
    EXPECT_EQ(list.Exit, 0) << list.Err;
    EXPECT_EQ(list.Out, "\"Index\",\"Given\"\r\n");
    const ToolRun highlighted = Dump({"highlighted", "--conditions", "+13"});
    EXPECT_EQ(highlighted.Exit, 0) << highlighted.Err;
    EXPECT_EQ(Dump({"general"}).Exit, 0);
    EXPECT_EQ(Dump({"islands"}).Exit, 0);
    const ToolRun base = Dump({"list", "--base", "1"});
    EXPECT_EQ(base.Exit, 1);
    EXPECT_NE(base.Err.find("there is no individual 1"), std::string::npos) << base.Err;
}

TEST_F(DumpTest, CountsAndSummaryLine) {
    EXPECT_EQ(Dump({"counts"}).Out, "I: 5\nF: 1\nN: 1\nS: 0\nCHAR: 1\n");
    // Windows-1252 bytes, the accent converted from ANSEL.
    EXPECT_EQ(Dump({"summary-line", "1"}).Out, "Jos\xC3\xA9 /Roi/ [1], (b. 1900, ), (d. , )\n");
}

TEST_F(DumpTest, PersonSummaryWithChildrenInBirthOrder) {
    const ToolRun run = Dump({"summary", "1"});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_EQ(
        run.Out,
        "Name :Jos\xC3\xA9 /Roi/ [1]\r\nSex    :M\r\nBirth   :1900, \r\nChr     :\r\nDeath :\r\n"
        "Bur     :\r\nAge     :\r\nFather :\r\nMother :\r\nSpouse: Ann /Lee/ [2]\r\n"
        "   Mar. Date: , \r\n      1925 Bo /Roi/ [4]\r\n      1930 Kim /Roi/ [3]");
}

TEST_F(DumpTest, RelationshipDescendantsAndIslands) {
    EXPECT_EQ(Dump({"relationship", "3", "4"}).Out,
              "Brother\nJos\xC3\xA9 /Roi/ [1]\nRoi, Jos\xC3\xA9\n");
    EXPECT_EQ(Dump({"relationship", "3", "5"}).Out, "\n\n\n");
    EXPECT_EQ(Dump({"descendants", "1"}).Out,
              "DESCENDANT LIST\r\n\r\n1 - Jos\xC3\xA9 /Roi/ [1] + Ann /Lee/ [2]\r\n"
              "  2 - Bo /Roi/ [4]\r\n  2 - Kim /Roi/ [3]\r\n");
    EXPECT_EQ(Dump({"descendants", "1", "--gens", "0"}).Out, Dump({"descendants", "1"}).Out);
    EXPECT_EQ(Dump({"islands"}).Out,
              "ISLANDS\r\n\r\n    #      Ind      Mar     Note   Source 1st Individual\r\n"
              "    1        4        1        0        0 Jos\xC3\xA9 /Roi/ [1]\r\n"
              "    2        1        0        0        0 Lone /Wolf/ [5]\r\n");
}

TEST_F(DumpTest, ListSortedByAColumnInBothFormats) {
    EXPECT_EQ(Dump({"list", "--columns", "1,4,38", "--base", "3", "--sort", "1", "--descending",
                    "--format", "csv"})
                  .Out,
              "\"Index\",\"Surname\",\"Relationship\"\r\n\"5\",\"Wolf\",\"\"\r\n"
              "\"4\",\"Roi\",\"Brother\"\r\n\"3\",\"Roi\",\"* Selected Person *\"\r\n"
              "\"2\",\"Lee\",\"Mother\"\r\n\"1\",\"Roi\",\"Father\"\r\n");
    // Sorted by birth date: the two without one first, in either order.
    const std::string byBirth = Dump({"list", "--columns", "10,1", "--sort", "1"}).Out;
    EXPECT_NE(byBirth.find("1900          1      \r\n1925          4      \r\n"
                           "1930          3      \r\n"),
              std::string::npos)
        << byBirth;
    // 30 pixels hold 5 characters, 60 pixels 11.
    EXPECT_EQ(Dump({"list", "--columns", "1,5", "--widths", "30,60", "--sort", "2"}).Out,
              "Inde Given      \r\n2    Ann        \r\n4    Bo         \r\n"
              "1    Jos\xC3\xA9       \r\n3    Kim        \r\n5    Lone       \r\n");
    const ToolRun garbage = Dump({"list", "--columns", "1,x"});
    EXPECT_EQ(garbage.Exit, 1);
    EXPECT_NE(garbage.Err.find("'x' is not a valid integer value"), std::string::npos);
    EXPECT_EQ(Dump({"list", "--sort", "8"}).Exit, 2);
    EXPECT_EQ(Dump({"list", "--format", "xml"}).Exit, 2);
    EXPECT_EQ(Dump({"list", "--widths", "40,x"}).Exit, 2);
}

TEST_F(DumpTest, HighlightedListAndDescriptions) {
    EXPECT_EQ(Dump({"describe", "--conditions", "+29:1roi;A;-17:F"}).Out,
              "with surname containing \"ROI\"\nnot female\n"
              "with surname containing \"ROI\" AND not female\n");
    EXPECT_EQ(Dump({"highlighted", "--conditions", "+29:1ROI;A;-17:F", "--columns", "1,5", "--sort",
                    "2", "--format", "csv"})
                  .Out,
              "\"Index\",\"Given\"\r\n\"4\",\"Bo\"\r\n\"1\",\"Jos\xC3\xA9\"\r\n");
    std::string eleven = "+13";
    for (int i = 0; i < 10; ++i)
        eleven += ";O;+13";
    const ToolRun tooMany = Dump({"highlighted", "--conditions", eleven});
    EXPECT_EQ(tooMany.Exit, 0);
    EXPECT_NE(tooMany.Err.find("Error: Too many high lighting options"), std::string::npos);
    // A thousand entries are told about once, with the count.
    std::string thousand = "+13";
    for (int i = 1; i < 1000; ++i)
        thousand += ";O;+13";
    const ToolRun once = Dump({"highlighted", "--conditions", thousand});
    EXPECT_EQ(once.Exit, 0);
    EXPECT_EQ(once.Err,
              "vellacor-tool dump: Error: Too many high lighting options (10 at most; 990 left "
              "out)\n");
    EXPECT_EQ(Dump({"highlighted"}).Exit, 2);
    const ToolRun bad = Dump({"describe", "--conditions", "+23:someone"});
    EXPECT_EQ(bad.Exit, 1);
    EXPECT_NE(bad.Err.find("'someone' is not a valid integer value"), std::string::npos);
}

TEST_F(DumpTest, FamilyAndPedigreeTabs) {
    // Kim is a woman without a spouse: nobody under HUSBAND.
    EXPECT_EQ(Dump({"family", "3"}).Out,
              "FAMILY GROUP\r\n\r\nHUSBAND\r\nName:    \r\nBirth:   \r\nChr:     \r\n"
              "Death:   \r\nBurial:  \r\nFather:  \r\nMother:  \r\n\r\nWIFE\r\n"
              "Name:    Kim /Roi/ [3]\r\nBirth:   1930, \r\nChr:     \r\nDeath:   \r\n"
              "Burial:  \r\nFather:  Jos\xC3\xA9 /Roi/ [1]\r\nMother:  Ann /Lee/ [2]\r\n");
    // The file lists Kim (1930) before Bo (1925); the page shows them by birth.
    const std::string family = Dump({"family", "1", "--marriage", "1"}).Out;
    EXPECT_NE(family.find("\r\nChild 1\r\nName:    Bo /Roi/ [4]\r\nSex:     M\r\n"
                          "Birth:   1925, \r\n"),
              std::string::npos)
        << family;
    EXPECT_NE(family.find("\r\nChild 2\r\nName:    Kim /Roi/ [3]\r\n"), std::string::npos);
    EXPECT_EQ(Dump({"family", "1", "--marriage", "0"}).Exit, 2);

    // Lines 1 to 30 of the chart: the parents' boxes begin in column 10,
    // and Kim has no family, so neither a marriage line nor a spouse.
    const std::string parents(9, ' ');
    const std::string fourEmpty = "\r\n\r\n\r\n\r\n";
    const std::string chart = "PEDIGREE CHART\r\n" + fourEmpty + parents + "Jos\xC3\xA9 /Roi/\r\n" +
                              parents + "b. 1900,\r\n" + parents + "d.\r\n" + parents +
                              "m.\r\n\r\n\r\n\r\nKim /Roi/\r\nb. 1930,\r\nd.\r\n" + fourEmpty +
                              "\r\n" + parents + "Ann /Lee/\r\n" + parents + "b.\r\n" + parents +
                              "d.\r\n" + fourEmpty + fourEmpty;
    EXPECT_EQ(Dump({"pedigree", "3"}).Out, chart);
    const std::string own = Dump({"pedigree", "1"}).Out;
    EXPECT_NE(own.find("\r\nJos\xC3\xA9 /Roi/\r\nb. 1900,\r\nd.\r\nm.\r\n"), std::string::npos);
    EXPECT_TRUE(own.ends_with("\r\nSpouse\r\nAnn /Lee/\r\nb.\r\nd.\r\n\r\n")) << own;
}

TEST_F(DumpTest, GeneralAndIndividualTabs) {
    const ToolRun general = Dump({"general"});
    EXPECT_EQ(general.Exit, 0);
    EXPECT_EQ(general.Out.rfind("GENERAL INFORMATION\r\n\r\nFILE INFORMATION\r\n"
                                "File Name:   tree.ged\r\nFile Size:   " +
                                    std::to_string(ReadFile(gedcom_).size()) + "\r\n",
                                0),
              0u)
        << general.Out;
    // No submitter record: the text ends with the heading.
    const std::string tail =
        "Individuals: 5\r\nFamilies:    1\r\nNotes:       1\r\nSources:     0\r\n"
        "\r\nHEADER INFORMATION\r\nChar Set:  ANSEL\r\n\r\nSUBMITTER INFORMATION\r\n";
    ASSERT_GE(general.Out.size(), tail.size());
    EXPECT_EQ(general.Out.substr(general.Out.size() - tail.size()), tail);
    // The person made active has had the children put in birth order.
    EXPECT_EQ(Dump({"individual", "1"}).Out,
              "REF/AFN/Custom: 1 /  / \r\nName: Jos\xC3\xA9 /Roi/\r\nSex: Male\r\nModify Date: \r\n"
              "Birth: 1900\r\nChristening: \r\nDeath: \r\nBurial: \r\n"
              "Marriage (2): Ann /Lee/, m. \r\n"
              "     Son: 1925, Bo /Roi/ [4], (b. 1925, ), (d. , )\r\n"
              "     Daughter: 1930, Kim /Roi/ [3], (b. 1930, ), (d. , )\r\n");
}

TEST_F(DumpTest, MistakesAreReportedOnOneLine) {
    const ToolRun missing = Dump({"summary", "9"});
    EXPECT_EQ(missing.Exit, 1);
    EXPECT_NE(missing.Err.find("there is no individual 9"), std::string::npos) << missing.Err;
    EXPECT_EQ(Dump({"summary", "x"}).Exit, 2);
    EXPECT_EQ(Dump({"nonsense"}).Exit, 2);
    EXPECT_EQ(Dump({"counts", "extra"}).Exit, 2);
    const ToolRun absent = RunToolIn(dir_, VELLACOR_TOOL, {"dump", Path("absent.ged"), "counts"});
    EXPECT_EQ(absent.Exit, 1);
    EXPECT_EQ(std::count(absent.Err.begin(), absent.Err.end(), '\n'), 1) << absent.Err;
    EXPECT_EQ(RunToolIn(dir_, VELLACOR_TOOL, {"dump", "--help"}).Exit, 0);
}

}  // namespace
}  // namespace vx::test
