#include "LoadedFileTest.h"
#include "analysis/ABSIterator.h"
#include "app/Errors.h"
#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "records/Individual.h"

namespace vx {
namespace {

class RecordModelTest : public test::GedcomFileTest {
  protected:
    void SetUp() override {
        GedcomFileTest::SetUp();
        SetTodayProvider([] { return CivilDate{9, 12, 2026}; });
    }
    void TearDown() override {
        SetTodayProvider({});
        GedcomFileTest::TearDown();
    }
    std::unique_ptr<WABSIndividual> Person(int32_t n) { return collection_->Individual(n); }
    std::unique_ptr<WABSIndividual> Only(const std::string& lines) {
        Load("0 HEAD\n0 @I1@ INDI\n" + lines + "0 TRLR\n");
        return Person(1);
    }
};

// An associate shows by name; an identifier that names no one stays as it is.
TEST_F(RecordModelTest, AssociatesShowTheAssociatesNameAndOtherTagsTheirNames) {
    Load(
        "0 HEAD\n0 @I1@ INDI\n1 NAME Ann /Lee/\n1 ASSO @I2@\n1 ASSO @I9@\n1 DSCR Tall\n"
        "0 @I2@ INDI\n1 NAME Bob /Ray/\n0 TRLR\n");
    auto p = Person(1);
    ASSERT_EQ(p->EventCount(kEventOther), 3);
    EXPECT_EQ(p->Event(kEventOther, 1)->EventName(), "Associates");
    EXPECT_EQ(p->Event(kEventOther, 1)->Description(), Person(2)->DisplayName());
    EXPECT_NE(Person(2)->DisplayName().find("Bob"), std::string::npos);
    EXPECT_EQ(p->Event(kEventOther, 2)->Description(), "@I9@");
    EXPECT_EQ(p->Event(kEventOther, 3)->EventName(), "Physical Description");
}

TEST_F(RecordModelTest, EventNamesDescriptionsAndDates) {
    auto p = Only(
        "1 EVEN\n2 TYPE Military Service\n1 EVEN\n1 BIRT\n2 TYPE Stillborn\n2 DATE 1 JAN 1900\n"
        "2 DATE 2 FEB 1901\n1 OCCU Farmer\n2 CAUS inherited\n1 DEAT\n2 CAUS fever\n"
        "1 SSN\n1 RESI\n2 PLAC , , London, England\n2 SOUR @S1@\n2 SOUR @S1@\n");
    ASSERT_EQ(p->EventCount(kEventOther), 5);
    EXPECT_EQ(p->Event(kEventOther, 1)->EventName(), "Military Service");
    EXPECT_EQ(p->Event(kEventOther, 2)->EventName(), "Event");
    EXPECT_EQ(p->Event(kEventOther, 4)->EventName(), "SSN");  // a three-letter tag at the line end
    auto birth = p->Event(kEventBirth, 1);
    EXPECT_EQ(birth->EventName(), "Stillborn");
    EXPECT_EQ(birth->DateText(), WDate("2 FEB 1901").DisplayText());  // the second DATE wins
    EXPECT_EQ(p->Event(kEventOther, 3)->Description(), "Farmer, inherited");
    EXPECT_EQ(p->Event(kEventDeath, 1)->Description(), "fever");
    EXPECT_EQ(p->Event(kEventDeath, 1)->EventName(), "");
    EXPECT_FALSE(p->Event(kEventDeath, 1)->HasDate());

    auto residence = p->Event(kEventOther, 5);
    EXPECT_EQ(residence->PlaceText(), "London, England");
    WOptions::SetFlag(opt::kPlaceCommas, false);
    EXPECT_EQ(residence->PlaceText(), ", , London, England");
    EXPECT_EQ(residence->CitationCount(), 2);
    EXPECT_EQ(p->EventCount(kEventBaptism), 0);
    EXPECT_EQ(p->Event(kEventOther, 6), nullptr);
}

TEST_F(RecordModelTest, LdsOrdinances) {
    auto p = Only("1 BAPL\n2 TEMP SLAKE\n1 ENDL\n2 STAT COMPLETED\n1 SLGC\n2 QUAL x\n");
    auto baptism = p->LDSEvent(kLDSBaptism);
    ASSERT_NE(baptism, nullptr);
    EXPECT_EQ(baptism->Date(), nullptr);
    EXPECT_TRUE(baptism->HasTemple());
    EXPECT_EQ(baptism->PlaceText(), "SLAKE");
    EXPECT_EQ(p->LDSDateText(kLDSEndowment), "COMPLETED");
    EXPECT_FALSE(p->LDSEvent(kLDSEndowment)->Date()->IsRecognised());
    EXPECT_EQ(p->LDSDateText(kLDSSealingToParents), "QUAL X");
    EXPECT_EQ(p->LDSTempleText(kLDSEndowment, true), "Live");
    EXPECT_EQ(p->LDSTempleText(kLDSBaptism, true), "SLAKE");
    EXPECT_EQ(p->LDSTempleText(kLDSEndowment, false), "");
    EXPECT_EQ(
        WABSLDSEvent::StatusList(9),
        "SUBMITTED;CLEARED;COMPLETED;BIC;DNS;QUALIFIED;PRE-1970;STILLBORN;UNCLEARED;DONTDOIT");
    EXPECT_EQ(WABSLDSEvent::StatusWord(10, 6), "DNS/CAN");
    EXPECT_EQ(WABSLDSEvent::StatusWord(6, 1), "");
}

TEST_F(RecordModelTest, NamesAndTheirForms) {
    struct Case {
        const char* line;
        const char* given;
        const char* surname;
        const char* suffix;
        const char* full;
    };
    const Case cases[] = {
        {"1 NAME /Smith/ John\n", "John", "Smith", "", "John /Smith/"},  // surname first
        {"1 NAME John Smith\n", "John Smith", "", "", "John Smith //"},
        {"1 NAME John /Smith\n", "John", "Smith", "", "John /Smith/"},
        {"1 NAME John\n", "John", "", "", "John //"},
        {"1 NAME John /Smith/ Jr.\n", "John", "Smith", " Jr.", "John /Smith/  Jr."},
        {"1 NAME Ann /Lee/\n2 NPFX Dr.\n2 NSFX PhD\n", "Ann", "Lee", "PhD", "Dr. Ann /Lee/ PhD"},
    };
    for (const Case& c : cases) {
        auto p = Only(c.line);
        auto name = p->Name();
        ASSERT_NE(name, nullptr) << c.line;
        EXPECT_EQ(name->GivenNames(), c.given) << c.line;
        EXPECT_EQ(name->Surname(), c.surname) << c.line;
        EXPECT_EQ(name->Suffix(), c.suffix) << c.line;
        EXPECT_EQ(p->FullName(true), c.full) << c.line;
    }
    auto p = Only("1 NAME John /Smith/ Jr.\n1 NAME Second /Name/\n");
    WOptions::SetFlag(opt::kNameSlash, false);
    WOptions::SetFlag(opt::kNameUpper, true);
    EXPECT_EQ(p->FullName(false), "John SMITH");
    EXPECT_EQ(p->SurnameText(), "SMITH");
    EXPECT_EQ(p->DisplayName(), "John SMITH  Jr. [1]");
    WOptions::SetInt(opt::kFNValue, 2);
    EXPECT_EQ(p->DisplayName(), "John SMITH  Jr. (1)");
    WOptions::SetFlag(opt::kFNValueFlag, false);
    EXPECT_EQ(p->DisplayName(), "John SMITH  Jr.");
    EXPECT_EQ(Only("1 SEX F\n")->Name(), nullptr);
    EXPECT_EQ(Only("1 SEX F\n")->FullName(true), "");
}

TEST_F(RecordModelTest, IdentifiersSexAndSummaryLine) {
    Load(
        "0 HEAD\n0 @123@ INDI\n1 NAME A /B/\n1 SEX m\n1 REFN R-7\n1 AFN 12AB\n1 BIRT\n2 DATE 1900\n"
        "2 PLAC Here\n0 @I2@ INDI\n0 TRLR\n");
    auto p = Person(1);
    EXPECT_EQ(p->XRef(), "23");  // the first character is dropped whatever it is
    EXPECT_EQ(p->Sex(), "m");
    EXPECT_EQ(Person(2)->Sex(), "U");
    EXPECT_EQ(p->RefNumber(), "R-7");
    EXPECT_EQ(p->AFN(), "12AB");
    EXPECT_EQ(p->SummaryLine(true),
              "A /B/ [23], (b. " + WDate("1900").DisplayText() + ", Here), (d. , )");
    EXPECT_EQ(p->SummaryLine(false),
              "A /B/, (b. " + WDate("1900").DisplayText() + ", Here), (d. , )");
    EXPECT_EQ(Person(0), nullptr);
    EXPECT_EQ(Person(3), nullptr);
}

TEST_F(RecordModelTest, LivingAndAges) {
    EXPECT_TRUE(Only("1 BIRT\n2 DATE 1950\n1 DEAT\n")->IsPossiblyLiving(110));
    EXPECT_FALSE(Only("1 BIRT\n2 DATE 1900\n")->IsPossiblyLiving(110));
    EXPECT_FALSE(Only("1 BIRT\n2 DATE 1950\n1 BURI\n2 DATE 2000\n")->IsPossiblyLiving(110));
    EXPECT_TRUE(Only("1 CHR\n2 DATE 1990\n")->IsPossiblyLiving(110));
    EXPECT_FALSE(Only("1 NAME X\n")->IsPossiblyLiving(110));

    EXPECT_EQ(Only("1 CHR\n2 DATE 1800\n1 BURI\n2 DATE 1871\n")->AgeText(), "[~71]");
    EXPECT_EQ(Only("1 BIRT\n2 DATE 1 JAN 1900\n1 DEAT\n2 DATE 1 JUN 1945\n")->AgeText(), "45");
    EXPECT_EQ(Only("1 BIRT\n2 DATE 1 JAN 1980\n")->AgeText(), "46?");
    EXPECT_EQ(Only("1 BIRT\n2 DATE 1 JAN 1700\n1 DEAT\n2 DATE 1 JAN 1850\n")->AgeText(),
              "");  // above 110
    EXPECT_GT(Only("1 BIRT\n2 DATE 1 JAN 1700\n1 DEAT\n2 DATE 1 JAN 1850\n")->AgeYears(), 110);
    EXPECT_EQ(Only("1 NAME X\n")->AgeYears(), -1);
    WOptions::SetFlag(opt::kAgeCalcCB, false);
    EXPECT_EQ(Only("1 CHR\n2 DATE 1800\n1 BURI\n2 DATE 1871\n")->AgeText(), "");
}

TEST_F(RecordModelTest, NotesAndSourcesOfAPerson) {
    auto p = Only("1 NOTE first\n2 CONT more\n1 NOTE second\n2 CONT part\n1 NAME A\n2 SOUR @S1@\n");
    EXPECT_EQ(p->NoteText(), "first\r\nmore\r\nsecond\r\npart");
    EXPECT_EQ(p->Note()->LineCount(), 3);  // the second note is one more line
    EXPECT_TRUE(p->HasNotes());
    EXPECT_TRUE(p->HasSources());
    auto q = Only("1 NAME A\n1 DEAT\n2 NOTE died\n1 SOUR First\n1 SOUR Second\n2 PAGE 3\n");
    EXPECT_TRUE(q->HasNotes());
    EXPECT_EQ(q->CitationsText(), "1) First\r\n\r\n2) 3, Second");
    auto none = Only("1 NAME A\n1 BIRT\n");
    EXPECT_FALSE(none->HasNotes());
    EXPECT_FALSE(none->HasSources());
}

TEST_F(RecordModelTest, Families) {
    Load(
        "0 HEAD\n0 @H@ INDI\n0 @W@ INDI\n"
        "0 @F1@ FAM\n1 HUSB @H@\n1 MARR\n2 PLAC Boston\n2 DATE 1850\n1 MARR\n2 DATE 1900\n"
        "0 @F2@ FAM\n1 HUSB @H@\n1 WIFE @W@\n1 MARR\n2 DATE 1850\n3 TIME 10:00\n2 PLAC Boston\n"
        "1 SLGS\n2 DATE 1860\n1 NOTE family note\n1 SOUR @S1@\n0 TRLR\n");
    // The first MARR's first DATE and PLAC, in any order, past deeper lines.
    auto f1 = collection_->Family(1);
    EXPECT_EQ(f1->MarriageDateText(), WDate("1850").DisplayText());
    EXPECT_EQ(f1->MarriagePlaceText(), "Boston");
    EXPECT_EQ(f1->SpouseCount(), 1);
    EXPECT_EQ(f1->OtherSpouse(1), 0);
    EXPECT_EQ(f1->OtherSpouse(2), 1);
    auto f2 = collection_->Family(2);
    EXPECT_EQ(f2->MarriageDateText(), WDate("1850").DisplayText());
    EXPECT_EQ(f2->MarriagePlaceText(), "Boston");
    EXPECT_EQ(f2->EventName(), "Marriage");
    EXPECT_TRUE(f2->HasSealing());
    EXPECT_EQ(f2->Sealing()->Kind(), kLDSSealingToSpouse);
    EXPECT_EQ(f2->NoteText(), "family note");
    EXPECT_EQ(f2->CitationCount(), 1);
    EXPECT_EQ(collection_->Family(0), nullptr);
    EXPECT_THROW(collection_->Family(3), EIndexError);
}

// Several programs write other lines between MARR and its date and place.
TEST_F(RecordModelTest, MarriageDateAndPlaceAfterOtherLines) {
    Load(
        "0 HEAD\n0 @H@ INDI\n0 @W@ INDI\n"
        "0 @F1@ FAM\n1 HUSB @H@\n1 WIFE @W@\n1 MARR\n2 TYPE Religious\n2 SOUR @S1@\n3 PAGE 4\n"
        "3 DATE 1 JAN 1999\n2 NOTE by banns\n2 ADDR Church Lane\n3 PLAC Wrong\n2 DATE 1 APR 1875\n"
        "3 TIME 10:00\n2 PLAC St Mary, Leeds\n1 DIV\n2 DATE 1880\n"
        "0 @F2@ FAM\n1 MARR\n2 DATE\n2 PLAC Leeds\n"
        "0 @F3@ FAM\n1 MARR Y\n1 DIV\n2 DATE 1900\n2 PLAC York\n0 TRLR\n");
    auto f1 = collection_->Family(1);
    EXPECT_EQ(f1->MarriageDateText(), WDate("1 APR 1875").DisplayText());
    EXPECT_EQ(f1->MarriagePlaceText(), "St Mary, Leeds");
    // A DATE line without a value is no date.
    auto f2 = collection_->Family(2);
    EXPECT_EQ(f2->MarriageDate(), nullptr);
    EXPECT_EQ(f2->MarriagePlaceText(), "Leeds");
    // Lines of the next event belong to it.
    auto f3 = collection_->Family(3);
    EXPECT_EQ(f3->MarriageDate(), nullptr);
    EXPECT_EQ(f3->MarriagePlaceText(), "");
    // Individual events read the same way, an empty DATE included.
    auto p = Only("1 BIRT\n2 SOUR @S1@\n3 DATE 1700\n2 DATE\n2 PLAC Hull\n");
    EXPECT_FALSE(p->EventHasDate(kEventBirth));
    EXPECT_EQ(p->Event(kEventBirth, 1)->Date(), nullptr);
    EXPECT_EQ(p->EventPlaceText(kEventBirth), "Hull");
}

TEST_F(RecordModelTest, SpouseFamiliesAndChildrenOrdered) {
    Load(
        "0 HEAD\n0 @P@ INDI\n1 FAMS @F1@\n1 FAMS @F2@\n1 FAMS @F3@\n"
        "0 @C1@ INDI\n1 BIRT\n2 DATE 1852\n0 @C2@ INDI\n0 @C3@ INDI\n1 BIRT\n2 DATE 1850\n"
        "0 @F1@ FAM\n1 HUSB @P@\n1 MARR\n2 DATE 1860\n"
        "0 @F2@ FAM\n1 HUSB @P@\n1 CHIL @C1@\n1 CHIL @C2@\n1 CHIL @C3@\n"
        "0 @F3@ FAM\n1 HUSB @P@\n1 MARR\n2 DATE 1850\n0 TRLR\n");
    auto p = Person(1);
    EXPECT_EQ(p->SpouseFamily(1), 2);  // undated first
    EXPECT_EQ(p->SpouseFamily(2), 3);
    EXPECT_EQ(p->SpouseFamily(3), 1);

    WOptions::SetFlag(opt::kSortChildren, false);
    auto family = collection_->Family(2);
    family->SortChildren();
    EXPECT_EQ(family->Child(1), 2);  // loaded order stays with the setting off
    WOptions::SetFlag(opt::kSortChildren, true);
    family->SortChildren();
    EXPECT_EQ(family->Child(1), 4);
    EXPECT_EQ(family->Child(2), 2);
    EXPECT_EQ(family->Child(3), 3);
}

TEST_F(RecordModelTest, LinesBeyondTheSummaryReachAreLeftOut) {
    const std::string longNote = "1 NOTE " + std::string(70000, 'x') + "\n";
    auto p = Only("1 SEX F\n" + longNote + "1 NAME Late /Name/\n1 BIRT\n2 DATE 1900\n");
    EXPECT_EQ(p->Sex(), "F");
    EXPECT_EQ(p->Name(), nullptr);  // never a wrong line
    EXPECT_EQ(p->EventCount(kEventBirth), 0);
    const std::string text = p->RecordText();  // cut at 64 KB, then given CR LF breaks
    EXPECT_EQ(text.substr(0, 13), "0 @I1@ INDI\r\n");
    EXPECT_LT(text.size(), 65600u);
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

// A list in the order given at construction, for the name searches.
class FixedList : public WCollectionIterator {
  public:
    FixedList(WABSCollection* collection, std::vector<int32_t> ids)
        : WCollectionIterator(collection), ids_(std::move(ids)) {
        EnsureBuilt();
    }
    void Build() override {
        for (int32_t id : ids_)
            AppendID(id);
    }

  private:
    std::vector<int32_t> ids_;
};

TEST_F(RecordModelTest, NameSearchesFindTheFirstOfARun) {
    Load(
        "0 HEAD\n0 @I1@ INDI\n1 NAME Cal /Smith/\n0 @I2@ INDI\n1 NAME Ann /Adams/\n"
        "0 @I3@ INDI\n1 NAME Bob /Brown/\n0 @I4@ INDI\n1 NAME Al /smith/\n1 REFN 7\n"
        "0 @I5@ INDI\n1 NAME Zed /Young/\n0 @I6@ INDI\n1 NAME Ben /Smith/\n0 @I7@ INDI\n"
        "1 NAME Bill /Brown/\n0 TRLR\n");
    // Sorted by surname, then given names: Adams Ann, Brown Bill, Brown Bob,
    // smith Al, Smith Ben, Smith Cal, Young Zed.
    FixedList list(collection_.get(), {2, 7, 3, 4, 6, 1, 5});
    EXPECT_EQ(list.FindName("SMITH", ""), 4);
    EXPECT_EQ(list.FindName("smith", "b"), 5);
    EXPECT_EQ(list.FindName("Brown", "Bo"), 3);
    EXPECT_EQ(list.FindName("a", ""), 1);
    EXPECT_EQ(list.FindName("C", ""), 3);   // begins no entry: the one before its place
    EXPECT_EQ(list.FindName("Zz", ""), 6);  // after every entry: the last but one
    FixedList byReference(collection_.get(), {4});
    EXPECT_EQ(byReference.FindRefNumber("7"), 1);
}

}  // namespace
}  // namespace vx
