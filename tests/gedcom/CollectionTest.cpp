#include <regex>

#include "TestSupport.h"
#include "app/Errors.h"
#include "app/Services.h"
#include "gedcom/GEDCollection.h"
#include "records/Individual.h"

namespace vx {
namespace {

class CollectionTest : public test::TempDirTest {
  protected:
    WGEDCollection& Load(const std::string& content, const std::string& name = "t.ged") {
        collection_ = std::make_unique<WGEDCollection>(WriteFile(name, content));
        EXPECT_TRUE(collection_->Load());
        return *collection_;
    }
    std::unique_ptr<WGEDCollection> collection_;
};

TEST_F(CollectionTest, IndexesRecordsByKindInFileOrder) {
    WGEDCollection& c = Load(
        "\xEF\xBB\xBF\r\n0 HEAD\r\n1 CHAR ANSEL\r\n0 @I2@ INDI\r\n0 @I1@ INDI\r\n0 NOTE no id\r\n"
        "0 @F1@ FAM\r\n0 @N1@ NOTE x\r\n0 @S1@ SOUR\r\n0 @R1@ REPO\r\n0 @U1@ SUBM\r\n0 @O1@ "
        "OBJE\r\n"
        "0 @X1@ SUBN\r\n0 @Z@ _CUSTOM\r\n0 TRLR\r\n0 @I3@ INDI\r\n");
    EXPECT_EQ(c.IndividualCount(), 2);  // the record after TRLR is ignored
    EXPECT_EQ(c.FamilyCount(), 1);
    EXPECT_EQ(c.NoteCount(), 1);  // the NOTE without identifier is not counted
    EXPECT_EQ(c.SourceCount(), 1);
    EXPECT_EQ(c.RepositoryCount(), 1);
    EXPECT_EQ(c.RecordCount(WGEDCollection::kSlotOther), 2);  // SUBM and the custom record
    EXPECT_EQ(c.RecordCount(WGEDCollection::kSlotSubmission), 1);
    EXPECT_EQ(c.RecordCount(WGEDCollection::kSlotObject), 1);
    EXPECT_EQ(c.IndividualByXRef("I2"), 1);
    EXPECT_EQ(c.IndividualByXRef("I1"), 2);
    EXPECT_EQ(c.IndividualByXRef("I3"), 0);
    EXPECT_EQ(c.RepositoryByXRef("R1"), 1);
    EXPECT_EQ(std::string(c.RecordLine(WGEDCollection::kSlotIndividual, 2), 11), "0 @I1@ INDI");
    EXPECT_EQ(std::string(c.Header(), 6), "0 HEAD");
    EXPECT_EQ(c.CharacterSet(), kCharSetAnsel);
    try {
        c.RecordLine(WGEDCollection::kSlotFamily, 2);
        ADD_FAILURE();
    } catch (const EIndexError& e) {
        EXPECT_STREQ(e.what(), "Error: In valid index value = 2");
    }
}

TEST_F(CollectionTest, FirstLevelZeroLineIsTheHeaderWhateverItsTag) {
    WGEDCollection& c = Load("0 @I1@ INDI\n1 NAME A\n0 @I2@ INDI\n");  // and no TRLR
    EXPECT_EQ(c.IndividualCount(), 1);
    EXPECT_EQ(c.IndividualByXRef("I2"), 1);
    EXPECT_EQ(c.IndividualByXRef("I1"), 0);
}

TEST_F(CollectionTest, IdentifiersOutOfOrderAreSortedOnceAndKeptWhole) {
    std::string content = "0 HEAD\n";
    for (int i = 50; i >= 1; --i)
        content += "0 @P" + std::to_string(i) + "@ INDI\n";
    content += "0 @ABCDEFGHIJKLMNOxx@ FAM\n0 @ABCDEFGHIJKLMNOyy@ FAM\n0 @B@ FAM\n0 TRLR\n";
    WGEDCollection& c = Load(content);
    for (int i = 1; i <= 50; ++i)
        ASSERT_EQ(c.IndividualByXRef("P" + std::to_string(i)), 51 - i);
    // Every byte counts, however long the identifier.
    EXPECT_EQ(c.FamilyByXRef("ABCDEFGHIJKLMNOxx"), 1);
    EXPECT_EQ(c.FamilyByXRef("ABCDEFGHIJKLMNOyy"), 2);
    EXPECT_EQ(c.FamilyByXRef("ABCDEFGHIJKLMNOzz"), 0);
    EXPECT_EQ(c.FamilyByXRef("ABCDEFGHIJKLMNO"), 0);
    EXPECT_EQ(c.FamilyByXRef("B"), 3);
    EXPECT_EQ(c.FamilyByXRef(""), 0);
}

TEST_F(CollectionTest, CharacterSetFromTheFirstCharLine) {
    struct Case {
        const char* value;
        int code;
    };
    for (const Case& k : {Case{"ANSEL", kCharSetAnsel},
                          {"ansel ", kCharSetAnsel},
                          {"Ansel", kCharSetAnsel},
                          {"UTF-8", kCharSetUtf8},
                          {"UTF8", kCharSetUtf8},
                          {"UNICODE", kCharSetUtf8},
                          {"ASCII", kCharSetNone}}) {
        WGEDCollection& c =
            Load(std::string("0 HEAD\n1 CHAR ") + k.value + "\n1 CHAR UTF-8\n0 TRLR\n");
        EXPECT_EQ(c.CharacterSet(), k.code) << k.value;
    }
    EXPECT_EQ(Load("0 HEAD\n1 SOUR X\n0 @I1@ INDI\n1 CHAR ANSEL\n").CharacterSet(), kCharSetNone);
    EXPECT_EQ(Load("\n\n").CharacterSet(), kCharSetNone);
    // Without a CHAR line, a UTF-8 byte-order mark or GEDCOM 7 means UTF-8.
    EXPECT_EQ(Load("\xEF\xBB\xBF"
                   "0 HEAD\n1 SOUR X\n0 TRLR\n")
                  .CharacterSet(),
              kCharSetUtf8);
    EXPECT_EQ(Load("\xEF\xBB\xBF"
                   "0 HEAD\n1 CHAR ANSI\n0 TRLR\n")
                  .CharacterSet(),
              kCharSetNone);
    EXPECT_EQ(Load("0 HEAD\n1 GEDC\n2 VERS 7.0\n0 TRLR\n").CharacterSet(), kCharSetUtf8);
    EXPECT_EQ(Load("0 HEAD\n1 GEDC\n2 VERS 5.5.1\n0 TRLR\n").CharacterSet(), kCharSetNone);
    WGEDCollection& seven =
        Load("0 HEAD\n1 GEDC\n2 VERS 7.0\n0 @I1@ INDI\n1 NAME Ren\xC3\xA9 /D/\n");
    EXPECT_EQ(seven.Individual(1)->GivenNames(), "Ren\xC3\xA9");  // not "RenÃ©"
}

TEST_F(CollectionTest, LinksFromBothSidesWithoutDuplicates) {
    WGEDCollection& c = Load(
        "0 HEAD\n"
        "0 @H@ INDI\n"                               // 1: named only by the family's HUSB
        "0 @W@ INDI\n1 FAMS @F1@\n1 FAMS @F1@\n"     // 2: two FAMS for one family
        "0 @C1@ INDI\n1 FAMC @F1@\n"                 // 3: child on both sides
        "0 @C2@ INDI\n"                              // 4: child named only by CHIL
        "0 @C3@ INDI\n1 FAMC @F1@\n1 FAMC @NONE@\n"  // 5
        "0 @F1@ FAM\n1 HUSB @W@\n1 HUSB @H@\n1 WIFE @W@\n1 CHIL @C2@\n1 CHIL @C1@\n1 CHIL @GHOST@\n"
        "0 TRLR\n");
    const WFamLinks& fam = c.FamilyLinks();
    const WIndLinks& ind = c.IndividualLinks();
    EXPECT_EQ(fam.Husband(1), 1);  // a later HUSB replaces an earlier one
    EXPECT_EQ(fam.Wife(1), 2);
    ASSERT_EQ(fam.ChildCount(1), 3);
    EXPECT_EQ(fam.Child(1, 1), 3);
    EXPECT_EQ(fam.Child(1, 2), 5);
    EXPECT_EQ(fam.Child(1, 3), 4);
    EXPECT_EQ(fam.Child(1, 4), 0);
    EXPECT_EQ(ind.SpouseFamilyCount(1), 1);
    EXPECT_EQ(ind.SpouseFamilyCount(2), 1);
    EXPECT_EQ(ind.ParentFamilyCount(3), 1);
    EXPECT_EQ(ind.ParentFamily(4, 1), 1);
    EXPECT_EQ(ind.ParentFamily(4, 2), 0);
}

TEST_F(CollectionTest, HeaderFieldsAndText) {
    WGEDCollection& c = Load(
        "0 HEAD\n1 SOUR PAF\n2 NAME Personal Ancestral File\n2 VERS 5.2\n2 CORP The Church\n"
        "3 ADDR 50 East\n1 DEST ANSTFILE\n1 DATE 1 JAN 2000\n2 TIME 12:00\n1 SUBM @U1@\n"
        "1 FILE family.ged\n1 GEDC\n2 VERS 5.5\n2 FORM LINEAGE-LINKED\n3 VERS 5.5\n1 CHAR ANSEL\n"
        "1 NOTE \xE2"
        "e\n0 @U1@ SUBM\n1 NAME X\n0 TRLR\n");
    std::vector<std::pair<std::string, std::string>> fields;
    for (const GenHeaderRec& f : c.HeaderFields())
        fields.emplace_back(f.label, f.value);
    EXPECT_EQ(fields, (std::vector<std::pair<std::string, std::string>>{
                          {"Application", "PAF"},
                          {"Application Name", "Personal Ancestral File"},
                          {"Application Version", "5.2"},
                          {"Application Corp.", "The Church"},
                          {"Application Address", "50 East"},
                          {"Destination", "ANSTFILE"},
                          {"Date", "1 JAN 2000 12:00"},
                          {"File name", "family.ged"},
                          {"GEDC Version", "5.5"},
                          {"GEDC Form", "LINEAGE-LINKED"},
                          {"Char Set", "ANSEL"}}));
    const std::string text = c.HeaderText();
    EXPECT_EQ(text.substr(0, 15), "0 HEAD\r\n1 SOUR ");
    EXPECT_NE(text.find("1 NOTE \xC3\xA9\r\n"), std::string::npos);  // converted from ANSEL
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(c.DatabaseVersionText(), "N/A");
    EXPECT_EQ(c.FileSizeText(), std::to_string(test::ReadFile(c.FilePath()).size()));
    EXPECT_TRUE(std::regex_match(
        c.FileDateText(),
        std::regex("[0-3][0-9] [A-Z][a-z][a-z] [0-9]{4}, [1-9][0-2]?:[0-5][0-9] [AP]M")))
        << c.FileDateText();
}

TEST_F(CollectionTest, CancelStopsLoading) {
    struct CancelOnPump : UiServices {
        void PumpMessages() override { SetWaitCancelled(); }
    } ui;
    std::string content = "0 HEAD\n";
    for (int i = 1; i <= 2000; ++i)
        content += "0 @I" + std::to_string(i) + "@ INDI\n";
    auto collection = std::make_unique<WGEDCollection>(WriteFile("big.ged", content));
    SetUiServices(&ui);
    ShowWait("Reading.  Please Wait...", false, true);
    EXPECT_FALSE(collection->Load());
    HideWait();
    SetUiServices(nullptr);
    EXPECT_LT(collection->IndividualCount(), 2000);
    ShowWait("Reading.  Please Wait...", false, true);  // a new load clears the flag
    EXPECT_FALSE(WaitCancelled());
    HideWait();
}

TEST_F(CollectionTest, OpeningByExtensionAndConvertingUtf16) {
    std::string error;
    EXPECT_EQ(OpenCollection(WriteFile("a.txt", "0 HEAD\n"), 0, error), nullptr);
    EXPECT_EQ(error, "Unknown file format");
    EXPECT_EQ(OpenCollection(WriteFile("b.paf", "0 HEAD\n"), 0, error), nullptr);
    // UTF-16 in either order, with or without a byte-order mark, is read as
    // UTF-8 whatever its header declares.
    const std::string little(
        "\xFF\xFE"
        "0\0 \0H\0E\0A\0D\0\n\0"
        "1\0 \0C\0H\0A\0R\0 \0A\0N\0S\0E\0L\0\n\0"
        "0\0 \0@\0I\0@\0 \0I\0N\0D\0I\0\n\0"
        "1\0 \0N\0A\0M\0E\0 \0\x16\x04/\0\n\0",
        84);
    std::string big;
    for (size_t at = 0; at + 1 < little.size(); at += 2)
        big += std::string{little[at + 1], little[at]};
    for (const std::string& bytes : {little, little.substr(2), big, big.substr(2)}) {
        const std::string unicode = WriteFile("u.ged", bytes);
        auto c = OpenCollection(unicode, 0, error);
        ASSERT_NE(c, nullptr) << error;
        ASSERT_TRUE(c->Load());
        EXPECT_EQ(c->CharacterSet(), kCharSetUtf8);
        EXPECT_EQ(c->FilePath(), unicode);
        ASSERT_EQ(c->IndividualCount(), 1);
        EXPECT_EQ(c->Individual(1)->GivenNames(), "\xD0\x96");
    }
    EXPECT_NE(OpenCollection(WriteFile("C.GED", "0 HEAD\n"), 0, error), nullptr);
    EXPECT_EQ(error, "");
    EXPECT_NE(OpenCollection(WriteFile("vor1.tmp", "0 HEAD\n"), 0, error), nullptr);
    EXPECT_NE(OpenCollection(WriteFile("odd.bin", "0 HEAD\n"), 1, error), nullptr);
    EXPECT_THROW(OpenCollection(WriteFile("empty.ged", ""), 0, error), EFileError);
    EXPECT_EQ(FileKindOf(".fbk"), 4);
    EXPECT_EQ(FileKindOf(""), 0);
}

TEST_F(CollectionTest, LinkWords) {
    WGEDCollection& c = Load("0 HEAD\n");
    EXPECT_EQ(c.ParentLinkName(0), "Unknown");
    EXPECT_EQ(c.ParentLinkName(36), "Child-Oth");
    EXPECT_EQ(c.ParentLinkName(37), "");
    EXPECT_EQ(c.ChildLinkName(7, "F"), "Daughter");
    EXPECT_EQ(c.ChildLinkName(9, "m"), "Son-Ste");
    EXPECT_EQ(c.ChildLinkName(13, "U"), "Child");
    EXPECT_EQ(c.ChildLinkName(19, "M"), "");
    EXPECT_EQ(c.ChildLinkName(0, "M"), "Unknown");
}

TEST_F(CollectionTest, RealFilesLoad) {
    const std::string data = VELLACOR_TEST_DATA "/gedcom/";
    struct Case {
        const char* file;
        int individuals;
        int families;
    };
    for (const Case& k : {Case{"gedcom4j_mixed_lf_crlf.ged", 1, 0},
                          {"gedcom4j_blank_lines.ged", 2, 1},
                          {"gedcom4j_no_final_newline.ged", 2, 1},
                          {"gedcom4j_indented_levels.ged", 0, 0}}) {
        WGEDCollection c(data + k.file);
        ASSERT_TRUE(c.Load());
        EXPECT_EQ(c.IndividualCount(), k.individuals) << k.file;
        EXPECT_EQ(c.FamilyCount(), k.families) << k.file;
        EXPECT_EQ(c.CharacterSet(), kCharSetAnsel) << k.file;
    }
}

}  // namespace
}  // namespace vx
