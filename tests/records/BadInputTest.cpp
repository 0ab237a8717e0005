// Damaged and hostile GEDCOM input: every case loads (or is refused with a
// clear error) and every record reads without a crash or a hang.
#include <random>

#include "LoadedFileTest.h"
#include "app/Errors.h"
#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "records/Individual.h"
#include "records/Repository.h"

namespace vx {
namespace {

class BadInputTest : public test::GedcomFileTest {
  protected:
    // Loads the text and reads every individual and family as the screens
    // do; returns the collection for further checks.
    WGEDCollection& LoadAndRead(const std::string& content) {
        Load(content, "bad.ged");
        collection_->HeaderText();
        collection_->HeaderFields();
        collection_->Submitter();
        for (int32_t n = 1; n <= collection_->IndividualCount(); ++n) {
            auto person = collection_->Individual(n);
            person->SummaryLine(true);
            person->AgeText();
            person->NoteText();
            person->CitationsText();
            person->RecordText();
            person->HasNotes();
            person->HasSources();
            for (int i = 1; i <= person->EventCount(kEventOther); ++i)
                person->Event(kEventOther, i)->Description();
        }
        for (int32_t n = 1; n <= collection_->FamilyCount(); ++n) {
            auto family = collection_->Family(n);
            family->SortChildren();
            family->MarriageDatePlaceText();
            family->CitationsText();
        }
        return *collection_;
    }
};

TEST_F(BadInputTest, BinaryGarbage) {
    std::mt19937 random(4242);
    for (int round = 0; round < 40; ++round) {
        std::string bytes(1 + random() % 4000, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random());
        // Sprinkle line structure into half of them so that records form.
        if (round % 2)
            for (size_t i = 0; i + 8 < bytes.size(); i += 1 + random() % 40)
                bytes.replace(i, 4, round % 4 ? "\n0 @" : "\n1 F");
        bytes[0] = static_cast<char>(bytes[0] == '\xFF' ? 'x' : bytes[0]);  // not a UTF-16 mark
        LoadAndRead(bytes);
    }
}

TEST_F(BadInputTest, TruncatedFileAtManyPoints) {
    const std::string whole = test::ReadFile(VELLACOR_TEST_DATA "/gedcom/eichmann_allged.ged");
    for (size_t cut = 1; cut < whole.size(); cut += whole.size() / 60) {
        WGEDCollection& c = LoadAndRead(whole.substr(0, cut));
        EXPECT_LE(c.IndividualCount(), 8);
    }
}

TEST_F(BadInputTest, OnlyBlankLines) {
    WGEDCollection& c = LoadAndRead("\n\r\n   \n\t\n");
    EXPECT_EQ(c.Header(), nullptr);
    EXPECT_EQ(c.IndividualCount(), 0);
    EXPECT_EQ(c.HeaderText(), "");
    EXPECT_TRUE(c.HeaderFields().empty());
}

TEST_F(BadInputTest, LinksThatLoopBack) {
    WGEDCollection& c = LoadAndRead(
        "0 HEAD\n"
        "0 @I1@ INDI\n1 FAMS @F1@\n1 FAMC @F1@\n1 FAMC @F2@\n"  // a child of their own marriage
        "0 @I2@ INDI\n1 FAMC @F1@\n1 FAMS @F2@\n"               // and their own grandparent
        "0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I1@\n1 CHIL @I2@\n"
        "0 @F2@ FAM\n1 HUSB @I2@\n1 CHIL @I1@\n0 TRLR\n");
    EXPECT_EQ(c.FamilyLinks().ChildCount(1), 2);
    EXPECT_EQ(c.IndividualLinks().ParentFamilyCount(1), 2);
    EXPECT_EQ(c.IndividualLinks().SpouseFamilyCount(1), 1);
}

TEST_F(BadInputTest, TenThousandSpouseFamiliesAndChildren) {
    std::string text = "0 HEAD\n0 @P@ INDI\n";
    for (int f = 1; f <= 10000; ++f)
        text += "1 FAMS @F" + std::to_string(f) + "@\n";
    for (int k = 1; k <= 10000; ++k)
        text += "0 @C" + std::to_string(k) + "@ INDI\n1 BIRT\n2 DATE " +
                std::to_string(3000 - k % 1000) + "\n";
    for (int f = 1; f <= 10000; ++f) {
        text += "0 @F" + std::to_string(f) + "@ FAM\n1 HUSB @P@\n1 MARR\n2 DATE " +
                std::to_string(2000 - f) + "\n";
        if (f == 1)
            for (int k = 1; k <= 10000; ++k)
                text += "1 CHIL @C" + std::to_string(k) + "@\n";
    }
    ASSERT_TRUE(test::LoadGedcomText(collection_, Path("big.ged"), text + "0 TRLR\n"));
    const WIndLinks& links = collection_->IndividualLinks();
    ASSERT_EQ(links.SpouseFamilyCount(1), 10000);
    // The first 512 are put in marriage order; the rest keep their places.
    EXPECT_EQ(links.SpouseFamily(1, 1), 512);
    EXPECT_EQ(links.SpouseFamily(1, 512), 1);
    EXPECT_EQ(links.SpouseFamily(1, 513), 513);
    EXPECT_EQ(links.SpouseFamily(1, 10000), 10000);

    auto family = collection_->Family(1);
    ASSERT_EQ(family->ChildCount(), 10000);
    family->SortChildren();
    // Among the first 500 children, the earliest birth comes first.
    int32_t earliest = family->Child(1);
    EXPECT_EQ(collection_->Individual(earliest)->EventYear(kEventBirth), 2500);
    EXPECT_EQ(family->Child(501), 1 + 501);  // past 500, the loaded order stays
}

TEST_F(BadInputTest, NulBytesAndOverlongLinesInValues) {
    std::string text = std::string("0 HEAD\n0 @I1@ INDI\n1 NAME Jo\0hn /Sm\0ith/\n", 41) +
                       "1 BIRT\n2 DATE " + std::string(300, '9') + "\n2 PLAC " +
                       std::string(70000, 'p') + "\n1 NOTE " + std::string(100000, 'n') +
                       "\n2 CONC more\n" + "0 @" + std::string(40, 'X') + "@ INDI\n0 TRLR\n";
    WGEDCollection& c = LoadAndRead(text);
    ASSERT_EQ(c.IndividualCount(), 2);
    auto person = c.Individual(1);
    EXPECT_EQ(person->Name()->Surname(), std::string("Sm\0ith", 6));
    EXPECT_EQ(person->EventPlaceText(kEventBirth).size(), kMaxValueLength);  // cut, not lost
    EXPECT_EQ(person->NoteText(), "");  // the NOTE starts past the summary's reach
    EXPECT_EQ(c.IndividualByXRef(std::string(40, 'X')), 2);
    EXPECT_EQ(c.IndividualByXRef(std::string(15, 'X')), 0);
}

}  // namespace
}  // namespace vx
