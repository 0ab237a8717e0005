// The 68 list attributes read against a small family whose every answer was
// worked out by hand: three generations of the Lee family, a second marriage
// into the O'Brien family, and one unconnected person.
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "DeepLines.h"
#include "LoadedFileTest.h"
#include "app/Options.h"
#include "columns/Attrib.h"
#include "columns/AttribArray.h"
#include "columns/ColSortIterator.h"
#include "gedcom/GEDCollection.h"
#include "records/Date.h"

namespace vx {
namespace {

// Individual numbers follow the order of the records in the file.
enum : int32_t {
    kLone = 1,  // no family at all: the second island
    kKarl,      // grandfather; note, citation, occupation, AFN, REFN, change date
    kAnna,      // grandmother; accented surname, burial without death
    kJohan,     // two marriages, LDS ordinances, the second marriage sealed
    kEva,       // Johan's first wife, no parents
    kMaria,     // mother of two in a family without a husband
    kOlaf,      // christening without birth, married without a wife on record
    kMary,      // Johan's second wife, daughter of Patrick
    kPeter,     // base person of the relationship columns
    kSofie,     // two given names; a christening with a place only
    kLiam,      // son of the second marriage, born thirty years before today
    kNora,      // Maria's daughter, no father on record
    kIda,       // Maria's daughter, no events at all
    kPatrick,   // titled, born 1820, identifier OB7
    kCount = kPatrick,
};

// Windows-1252 bytes: C5 is the A with a ring. No CHAR line: read as
// Windows-1252 and converted to UTF-8.
const char* kFamily =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME Lone /Wolf/\n"
    "0 @I2@ INDI\n1 NAME Karl /Lee/\n1 SEX M\n1 AFN 1ABC-23\n1 REFN KL-1\n"
    "1 BIRT\n2 DATE 10 MAY 1900\n2 PLAC , Oslo, Norway\n1 DEAT\n2 DATE 9 MAY 1950\n2 PLAC Oslo\n"
    "1 OCCU Farmer\n1 NOTE First line\n2 CONT Second line\n1 SOUR @S1@\n2 PAGE p. 4\n"
    "1 FAMS @F1@\n1 CHAN\n2 DATE 2 JAN 2001\n"
    "0 @I3@ INDI\n1 NAME Anna /\xC5lund/\n1 SEX F\n1 BIRT\n2 DATE ABT 1905\n"
    "1 BURI\n2 DATE 1980\n2 PLAC Bergen\n1 FAMS @F1@\n"
    // The second marriage is named first; spouse families go by marriage date.
    "0 @I4@ INDI\n1 NAME Johan /Lee/\n1 SEX M\n1 BIRT\n2 DATE 3 MAR 1925\n2 PLAC Oslo\n"
    "1 BAPL\n2 DATE 1 JUN 1960\n2 TEMP SLAKE\n1 ENDL\n2 DATE 2 JUN 1960\n2 TEMP LOGAN\n"
    "1 SLGC\n2 STAT COMPLETED\n2 TEMP PROVO\n1 FAMC @F1@\n1 FAMS @F3@\n1 FAMS @F2@\n"
    "0 @I5@ INDI\n1 NAME Eva /'t Hart/\n1 SEX F\n1 BIRT\n2 DATE 1 JAN 1928\n2 PLAC Leiden\n"
    "1 DEAT\n2 DATE 1 JAN 1968\n1 FAMS @F2@\n"
    "0 @I6@ INDI\n1 NAME Maria /Lee/\n1 SEX F\n1 BIRT\n2 DATE 1 JUN 1930\n1 FAMC @F1@\n"
    "1 FAMS @F4@\n"
    "0 @I7@ INDI\n1 NAME Olaf /Lee/\n1 SEX M\n1 CHR\n2 DATE 20 APR 1933\n2 PLAC Oslo Cathedral\n"
    "1 FAMC @F1@\n1 FAMS @F6@\n"
    "0 @I8@ INDI\n1 NAME Mary /O'Brien/\n1 SEX F\n1 BIRT\n2 DATE 5 MAY 1950\n2 PLAC Cork\n"
    "1 BAPL\n2 DATE 1 JAN 1970\n1 FAMC @F5@\n1 FAMS @F3@\n"
    "0 @I9@ INDI\n1 NAME Peter /Lee/\n1 SEX M\n1 BIRT\n2 DATE 14 FEB 1952\n1 FAMC @F2@\n"
    "0 @I10@ INDI\n1 NAME Sofie Anne /Lee/\n1 SEX F\n1 BIRT\n2 DATE ABT 1955\n1 CHR\n2 PLAC Oslo\n"
    "1 FAMC @F2@\n"
    "0 @I11@ INDI\n1 NAME Liam /Lee/\n1 SEX M\n1 BIRT\n2 DATE 10 JUN 1996\n1 FAMC @F3@\n"
    "0 @I12@ INDI\n1 NAME Nora /Lee/\n1 SEX F\n1 BIRT\n2 DATE 1958\n1 FAMC @F4@\n"
    "0 @I13@ INDI\n1 NAME Ida /Lee/\n1 SEX F\n1 FAMC @F4@\n"
    "0 @OB7@ INDI\n1 NAME Patrick /O'Brien/\n2 NPFX Capt.\n2 NSFX Sr.\n1 SEX M\n"
    "1 BIRT\n2 DATE 1 JAN 1820\n1 FAMS @F5@\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I3@\n1 CHIL @I4@\n1 CHIL @I6@\n1 CHIL @I7@\n"
    "1 MARR\n2 DATE 1924\n"
    "0 @F2@ FAM\n1 HUSB @I4@\n1 WIFE @I5@\n1 CHIL @I9@\n1 CHIL @I10@\n"
    "1 MARR\n2 DATE 12 AUG 1950\n2 PLAC Oslo\n1 SOUR @S1@\n"
    "0 @F3@ FAM\n1 HUSB @I4@\n1 WIFE @I8@\n1 CHIL @I11@\n1 MARR\n2 DATE ABT 1970\n"
    "2 PLAC Dublin, Ireland\n1 SLGS\n2 DATE 4 JUL 1971\n2 TEMP MANTI\n1 NOTE Married in Dublin\n"
    "0 @F4@ FAM\n1 WIFE @I6@\n1 CHIL @I12@\n1 CHIL @I13@\n"
    "0 @F5@ FAM\n1 HUSB @OB7@\n1 CHIL @I8@\n"
    "0 @F6@ FAM\n1 HUSB @I7@\n1 MARR\n2 DATE 20 APR 1958\n2 PLAC Bergen\n"
    "0 @S1@ SOUR\n1 TITL Parish Register\n0 TRLR\n";

class AttributeTest : public test::LoadedFileTest {
  protected:
    void SetUp() override {
        LoadedFileTest::SetUp();
        Adopt(LoadText(kFamily));
    }
    std::string Text(int number, int32_t individual, int occurrence = 1) const {
        auto attribute = CreateAttribute(number, analysis_.get());
        attribute->SetBasePerson(kPeter);
        return attribute->GetText(individual, occurrence);
    }
};

struct Row {
    int attribute;
    int32_t individual;
    const char* expected;
    int occurrence = 1;
};

// Today is 15 Jun 2026; the base person is Peter. Ages of exact dates count
// the days between them less one; other dates count at month or year
// precision plus one day, and years are days / 365.25 truncated.
// clang-format off
const Row kRows[] = {
    {1, kNora, "12"}, {2, kKarl, "2"},
    {2, kPatrick, "B7"},  // the identifier without its first character
    {3, kKarl, "1ABC-23"}, {3, kEva, ""},
    {4, kAnna, "\xC3\x85lund"}, {4, kEva, "'t Hart"}, {5, kSofie, "Sofie Anne"},
    {6, kKarl, "Karl /Lee/"}, {6, kPatrick, "Capt. Patrick /O'Brien/ Sr."},
    {7, kAnna, "\xC3\x85lund, Anna"}, {7, kPatrick, "O'Brien, Patrick"},  // no titles
    {8, kKarl, "First line Second line"}, {8, kJohan, ""}, {9, kKarl, "M"}, {9, kLone, "U"},
    {10, kAnna, "Abt 1905"}, {10, kOlaf, ""},
    {11, kKarl, "Oslo, Norway"}, {11, kSofie, ""},  // the leading comma is dropped
    {12, kOlaf, "20 Apr 1933"}, {12, kSofie, ""},
    {13, kOlaf, "Oslo Cathedral"}, {13, kSofie, "Oslo"},
    {14, kKarl, "9 May 1950"}, {14, kAnna, ""}, {15, kKarl, "Oslo"},
    {16, kAnna, "1980"}, {16, kKarl, ""}, {17, kAnna, "Bergen"},
    {18, kJohan, "Karl /Lee/"}, {18, kMary, "Capt. Patrick /O'Brien/ Sr."},
    {18, kNora, "(M)-Maria /Lee/"}, {18, kEva, "(S)-Johan /Lee/"}, {18, kLone, ""},
    {19, kKarl, "49"},       // 10 May 1900 to 9 May 1950
    {19, kEva, "39"},        // 1 Jan 1928 to 1 Jan 1968 is one day short of 40 years
    {19, kAnna, "[~75]"},    // Abt 1905 to the burial in 1980: 27394 days
    {19, kSofie, "~71?"},    // Abt 1955 to today: 25934 days
    {19, kOlaf, "[93?]"},    // from the christening, 20 Apr 1933
    {19, kJohan, "101?"}, {19, kLiam, "30?"},
    {19, kPatrick, ""},      // 206 years
    {19, kIda, ""},          // neither birth nor christening
    {20, kJohan, "25"},      // 3 Mar 1925 to 12 Aug 1950
    {20, kJohan, "~45", 2},  // to Abt 1970: 16437 days
    {20, kMary, "~20"},      // 5 May 1950 to Abt 1970: 7306 days
    {20, kKarl, "~24"},      // 10 May 1900 to 1924: 8766 days, exactly 24 years
    {20, kOlaf, "[24]"},     // 20 Apr 1933 to 20 Apr 1958, less one day
    {20, kMaria, ""},        // her family has no marriage
    {21, kKarl, "Yes"}, {21, kMary, "Yes"}, {21, kLiam, "No"},  // Mary: her marriage's note
    {22, kKarl, "Yes"}, {22, kEva, "Yes"}, {22, kPeter, "No"},  // Eva: her marriage's citation
    {23, kKarl, "Yes"}, {23, kJohan, "No"},  // LDS ordinances are no other events
    {24, kJohan, "2"}, {24, kOlaf, "1"}, {24, kLone, "0"},
    {25, kJohan, "2"}, {25, kNora, "1"}, {25, kKarl, "0"},
    {26, kJohan, "3"}, {26, kKarl, "3"}, {26, kOlaf, "0"},
    {27, kPeter, "4"}, {27, kLiam, "5"}, {27, kKarl, "0"}, {28, kKarl, "8"}, {28, kPatrick, "2"},
    {29, kJohan, "B\tE\tP\tS"}, {29, kMary, "B\t-\t-\tS"}, {29, kEva, "-\t-\t-\t-"},
    {30, kJohan, "1 Jun 1960"}, {30, kMary, "1 Jan 1970"}, {30, kEva, ""},
    {31, kJohan, "SLAKE"}, {31, kMary, ""},  // no temple, and never "Live" here
    {32, kJohan, "2 Jun 1960"}, {33, kJohan, "LOGAN"},
    {34, kJohan, "COMPLETED"},  // the status stands in for the missing date
    {35, kJohan, "PROVO"},
    {36, kJohan, ""}, {36, kJohan, "4 Jul 1971", 2}, {36, kMary, "4 Jul 1971"},
    {37, kJohan, ""}, {37, kJohan, "MANTI", 2},
    {38, kPeter, "* Selected Person *"}, {38, kJohan, "Father"}, {38, kKarl, "Grand Father"},
    {38, kLiam, "Brother"},  // a half-brother is named like a full one
    {38, kSofie, "Sister"}, {38, kOlaf, "Uncle"}, {38, kNora, "1st Cousin"},
    {38, kMary, ""}, {38, kLone, ""},  // no common ancestor
    {39, kLiam, "Johan /Lee/ [4]"}, {39, kNora, "Karl /Lee/ [2]"},
    {39, kKarl, ""}, {39, kPeter, ""}, {39, kLone, ""},  // the ancestor is one of the pair
    {40, kJohan, "Yes"}, {40, kLiam, "Yes"}, {40, kOlaf, "Yes"},  // Olaf: christened 1933
    {40, kKarl, "No"}, {40, kAnna, "No"},  // Anna: a burial date rules out life
    {40, kPatrick, "No"}, {40, kIda, "No"},  // Ida: no year at all
    {41, kJohan, "Oslo"}, {41, kJohan, "Dublin, Ireland", 2}, {41, kMaria, ""},
    {42, kJohan, "12 Aug 1950"}, {42, kJohan, "Abt 1970", 2}, {42, kJohan, "12 Aug 1950", 0},
    {42, kJohan, "", 3}, {42, kOlaf, "20 Apr 1958"},
    {43, kPeter, "Johan /Lee/"}, {43, kMary, "Capt. Patrick /O'Brien/ Sr."}, {43, kNora, ""},
    {44, kPeter, "Eva /'t Hart/"}, {44, kNora, "Maria /Lee/"}, {44, kMary, ""},
    {45, kJohan, "Eva /'t Hart/"}, {45, kJohan, "Mary /O'Brien/", 2},
    {45, kJohan, "Eva /'t Hart/", -1}, {45, kMary, "Johan /Lee/"},
    {45, kMaria, ""}, {45, kOlaf, ""},  // marriages with one spouse only
    {46, kKarl, "L000"}, {46, kMary, "O165"}, {46, kLone, "W410"},
    {46, kEva, "'363"},         // the apostrophe stays first; the blank is skipped
    {46, kAnna, "\xC3\x85" "453"},  // a first character outside a to z stays as it is
    {47, kJohan, "J500"}, {47, kKarl, "K640"}, {47, kPatrick, "P362"},
    {47, kSofie, "S100"},  // the first given name only
    {48, kKarl, "KL-1"}, {48, kJohan, ""},
    {49, kPeter, "Lee, Johan"}, {49, kMary, "O'Brien, Patrick"}, {49, kNora, ""},
    {50, kPeter, "'t Hart, Eva"}, {50, kNora, "Lee, Maria"},
    {51, kJohan, "'t Hart, Eva"}, {51, kJohan, "O'Brien, Mary", 2},
    {52, kLiam, "Lee, Johan"}, {52, kNora, "Lee, Karl"}, {52, kKarl, ""},
    {53, kJohan, "Lee, Karl"}, {53, kNora, "(M)-Lee, Maria"}, {53, kEva, "(S)-Lee, Johan"},
    {54, kKarl, ""}, {55, kKarl, "2 Jan 2001"}, {55, kJohan, ""},
    {56, kJohan, "Eva /'t Hart/"}, {56, kJohan, "Mary /O'Brien/", 2},
    {56, kPeter, "(F)-Johan /Lee/"}, {56, kNora, "(M)-Maria /Lee/"}, {56, kLone, ""},
    {56, kOlaf, "(F)-Karl /Lee/"}, {56, kMaria, "(F)-Karl /Lee/"},  // no partner on record
    {57, kJohan, "O'Brien, Mary", 2}, {57, kPeter, "(F)-Lee, Johan"}, {57, kNora, "(M)-Lee, Maria"},
    {58, kLone, "2"}, {58, kKarl, "1"}, {58, kPatrick, "1"},  // ranked by size, not found order
    {59, kPeter, "26"}, {59, kLiam, "71"}, {59, kSofie, "~30"},
    {59, kOlaf, "[32]"},  // his christening against his father's birth
    {59, kMary, ""},      // her father was 130 years old
    {59, kNora, ""},
    {60, kPeter, "24"}, {60, kLiam, "46"}, {60, kSofie, "~27"}, {60, kOlaf, "[~28]"},
    {60, kNora, "~28"}, {60, kMary, ""}, {60, kIda, ""},
    {61, kLiam, "2"}, {61, kNora, "2"}, {61, kJohan, "1"}, {61, kKarl, "0"},
    {62, kKarl, "2"}, {62, kOlaf, "1"}, {62, kPeter, "0"},  // Olaf: married, no children
    {63, kPeter, "1.50"}, {63, kLiam, "1.60"}, {63, kNora, "1.67"}, {63, kKarl, "0.00"},
    // 3 children and 5 grandchildren: 13 / 8 = 1.625, the half rounded up.
    {64, kKarl, "1.63"}, {64, kAnna, "1.63"},
    {64, kPatrick, "1.50"}, {64, kJohan, "1.00"}, {64, kPeter, "0.00"},
    {65, kKarl, "10 May 1900"}, {65, kOlaf, "[20 Apr 1933]"}, {65, kIda, ""},
    {66, kKarl, "Oslo, Norway"}, {66, kOlaf, "[Oslo Cathedral]"}, {66, kPeter, ""},
    {66, kSofie, "[Oslo]"},  // her birth has a date but no place
    {67, kKarl, "9 May 1950"}, {67, kAnna, "[1980]"},
    {67, kOlaf, ""},  // nothing to substitute: no empty brackets
    {68, kKarl, "Oslo"}, {68, kAnna, "[Bergen]"}, {68, kOlaf, ""},
};
// clang-format on

TEST_F(AttributeTest, TextsOfTheFamily) {
    std::set<int> covered;
    for (const Row& row : kRows) {
        covered.insert(row.attribute);
        EXPECT_EQ(Text(row.attribute, row.individual, row.occurrence), row.expected)
            << "attribute " << row.attribute << ", individual " << row.individual << ", occurrence "
            << row.occurrence;
    }
    EXPECT_EQ(covered.size(), static_cast<size_t>(kAttributeCount));
}

TEST_F(AttributeTest, Captions) {
    const WABSCollection* c = collection_.get();
    EXPECT_EQ(AttributeCaption(2, false, nullptr), "RIN");
    EXPECT_EQ(AttributeCaption(2, false, c), "REF");
    EXPECT_EQ(AttributeCaption(2, true, c), "REF");
    EXPECT_EQ(AttributeCaption(1, true, c), "Index");  // no long caption of its own
    EXPECT_EQ(AttributeCaption(12, false, c), "Chr Date");
    EXPECT_EQ(AttributeCaption(12, true, c), "Christening Date");
    EXPECT_EQ(AttributeCaption(53, false, c), "Father/Mother(M)/Spouse(S) (L, F)");
    EXPECT_EQ(AttributeCaption(53, true, c), "Father/Mother(M)/Spouse(S) (Last, First)");
    EXPECT_EQ(AttributeCaption(59, true, c), "Father's age at birth");
    EXPECT_EQ(AttributeCaption(68, false, c), "Death/[B] Place");
    EXPECT_EQ(AttributeCaption(68, true, c), "Death/[Burial] Place");
    for (int number : {0, 69, -1}) {
        EXPECT_EQ(AttributeCaption(number, false, c), "");
        EXPECT_EQ(AttributeCaption(number, true, c), "");
        EXPECT_EQ(CreateAttribute(number, analysis_.get()), nullptr);
    }
}

TEST_F(AttributeTest, ValueTypesAndTabStops) {
    // Per attribute: I integer, T text, D date, A age, F float.
    const std::string types =
        "ITTTTTTTTDTDTDTDTTAATTTIIIIITDTDTDTDTTTTTDTTTTTTTTTTTDDTTIAAIIFFDTDT";
    const std::string letters = " TIDAF";  // indexed by the value type
    ASSERT_EQ(types.size(), static_cast<size_t>(kAttributeCount));
    for (int number = 1; number <= kAttributeCount; ++number) {
        auto attribute = CreateAttribute(number, analysis_.get());
        ASSERT_NE(attribute, nullptr) << number;
        EXPECT_EQ(attribute->Number(), number);
        const int type = attribute->ValueType();
        ASSERT_TRUE(type >= 1 && type <= 5) << number;
        EXPECT_EQ(letters[type], types[number - 1]) << "attribute " << number;
        if (number == 29) {
            ASSERT_NE(attribute->TabStops(), nullptr);
            EXPECT_EQ(*attribute->TabStops(), (std::vector<int>{8, 16, 24}));
        } else {
            EXPECT_EQ(attribute->TabStops(), nullptr) << "attribute " << number;
        }
    }
}

TEST_F(AttributeTest, UnresolvableIndividualsAndNoCollection) {
    for (int number = 1; number <= kAttributeCount; ++number) {
        const std::string none = number == 40 ? "No" : number == 58 ? "0" : "";
        auto attribute = CreateAttribute(number, analysis_.get());
        attribute->SetBasePerson(kPeter);
        for (int32_t individual : {0, -5, kCount + 1}) {
            EXPECT_EQ(attribute->GetText(individual, 1), none)
                << "attribute " << number << ", individual " << individual;
            EXPECT_EQ(attribute->GetInt(individual), 0) << number;
            EXPECT_EQ(attribute->GetFloat(individual), 0.0L) << number;
            EXPECT_EQ(attribute->GetSortText(individual), "") << number;
        }
        auto detached = CreateAttribute(number, nullptr);
        detached->SetBasePerson(kPeter);
        EXPECT_EQ(detached->GetText(kKarl, 1), none) << "attribute " << number;
        EXPECT_EQ(detached->GetInt(kKarl), 0) << number;
        EXPECT_EQ(detached->GetSortText(kKarl), "") << number;
    }
    // A new collection forgets the base person.
    auto relation = CreateAttribute(38, analysis_.get());
    relation->SetBasePerson(kPeter);
    relation->SetAnalysis(nullptr);
    EXPECT_EQ(relation->BasePerson(), 0);
    EXPECT_EQ(relation->GetText(kJohan, 1), "");
}

TEST_F(AttributeTest, NumbersBehindTheTexts) {
    FamilyAnalysis* c = analysis_.get();
    EXPECT_EQ(CreateAttribute(1, c)->GetInt(kNora), kNora);
    EXPECT_EQ(CreateAttribute(24, c)->GetInt(kJohan), 2);
    EXPECT_EQ(CreateAttribute(25, c)->GetInt(kNora), 1);
    EXPECT_EQ(CreateAttribute(26, c)->GetInt(kKarl), 3);
    EXPECT_EQ(CreateAttribute(27, c)->GetInt(kLiam), 5);
    EXPECT_EQ(CreateAttribute(28, c)->GetInt(kKarl), 8);
    EXPECT_EQ(CreateAttribute(58, c)->GetInt(kLone), 2);
    EXPECT_EQ(CreateAttribute(61, c)->GetInt(kLiam), 2);
    EXPECT_EQ(CreateAttribute(62, c)->GetInt(kKarl), 2);
    EXPECT_EQ(CreateAttribute(63, c)->GetFloat(kPeter), 1.5L);
    EXPECT_EQ(CreateAttribute(64, c)->GetFloat(kKarl), 1.625L);
}

TEST_F(AttributeTest, SortTexts) {
    FamilyAnalysis* c = analysis_.get();
    // Substituted dates lose their brackets so they sort among real dates.
    EXPECT_EQ(CreateAttribute(65, c)->GetSortText(kOlaf), "20 Apr 1933");
    EXPECT_EQ(CreateAttribute(67, c)->GetSortText(kAnna), "1980");
    EXPECT_EQ(CreateAttribute(65, c)->GetSortText(kKarl), "10 May 1900");
    EXPECT_EQ(CreateAttribute(67, c)->GetSortText(kOlaf), "");
    EXPECT_EQ(CreateAttribute(12, c)->GetSortText(kOlaf), "20 Apr 1933");
    EXPECT_EQ(CreateAttribute(42, c)->GetSortText(kJohan), "12 Aug 1950");
    EXPECT_EQ(CreateAttribute(55, c)->GetSortText(kKarl), "2 Jan 2001");
    EXPECT_EQ(CreateAttribute(30, c)->GetSortText(kJohan), "1 Jun 1960");
    EXPECT_EQ(CreateAttribute(34, c)->GetSortText(kJohan), "COMPLETED");
    // Only dates have sort texts of their own.
    EXPECT_EQ(CreateAttribute(66, c)->GetSortText(kOlaf), "");
    EXPECT_EQ(CreateAttribute(4, c)->GetSortText(kKarl), "");
}

TEST_F(AttributeTest, AgesWithoutChristeningAndBurialStandIns) {
    WOptions::SetFlag(opt::kAgeCalcCB, false);
    EXPECT_EQ(Text(19, kOlaf), "");
    EXPECT_EQ(Text(20, kOlaf), "");
    EXPECT_EQ(Text(59, kOlaf), "");
    EXPECT_EQ(Text(60, kOlaf), "");
    // Without her burial Anna counts as alive: Abt 1905 to today is over 110 years.
    EXPECT_EQ(Text(19, kAnna), "");
    EXPECT_EQ(Text(19, kKarl), "49");
    EXPECT_EQ(Text(20, kJohan, 2), "~45");
    // The substituted columns do not depend on the setting.
    EXPECT_EQ(Text(65, kOlaf), "[20 Apr 1933]");
    EXPECT_EQ(Text(67, kAnna), "[1980]");
}

TEST_F(AttributeTest, NameSettings) {
    WOptions::SetFlag(opt::kNameUpper, true);
    EXPECT_EQ(Text(4, kKarl), "LEE");
    EXPECT_EQ(Text(7, kMary), "O'BRIEN, Mary");
    EXPECT_EQ(Text(46, kMary), "O165");
    WOptions::SetFlag(opt::kNameSlash, false);
    WOptions::SetFlag(opt::kPreSuf, false);
    EXPECT_EQ(Text(6, kPatrick), "Patrick O'BRIEN");
    EXPECT_EQ(Text(43, kMary), "Patrick O'BRIEN");
}

TEST_F(AttributeTest, AgeTextsReadForSorting) {
    const AgeValue bracketed = ParseAgeText("[~28]");
    EXPECT_TRUE(bracketed.valid);
    EXPECT_FALSE(bracketed.about);  // the brackets hide both marks
    EXPECT_EQ(bracketed.years, 28);
    const AgeValue living = ParseAgeText("~71?");
    EXPECT_TRUE(living.valid && living.about && living.uncertain);
    EXPECT_EQ(living.years, 71);
    const AgeValue exact = ParseAgeText("101?");
    EXPECT_FALSE(exact.about);
    EXPECT_TRUE(exact.uncertain);
    EXPECT_EQ(exact.years, 101);
    EXPECT_FALSE(ParseAgeText("").valid);
}

TEST_F(AttributeTest, TextColumnsSortAccentFoldedAndUpperCased) {
    WColSortIterator list(collection_.get(), nullptr);
    auto surnameGiven = CreateAttribute(7, analysis_.get());
    WAttribStrArray values(list, *surnameGiven);
    EXPECT_EQ(values.Value(kAnna), "ALUND, ANNA");
    EXPECT_EQ(values.Value(kEva), "'T HART, EVA");
}

// The counting and relationship columns for everybody on a line far deeper
// than one walk per person allows. The base person is a second child of
// the top person, so everybody else on the line is a nephew of some degree
// with the top person as the common ancestor.
TEST_F(AttributeTest, DeepLineForEverybody) {
    const int32_t n = test::DeepGenerations(20000);
    std::string text = test::ChainGedcom(n);
    const std::string top = "@I" + std::to_string(n) + "@";
    text.insert(text.rfind("0 TRLR"),
                "0 @S1@ INDI\n1 NAME Sib /Line/\n1 SEX M\n"
                "0 @FS@ FAM\n1 HUSB " +
                    top + "\n1 CHIL @S1@\n");
    Adopt(LoadText(text, "line.ged"));
    const int32_t sibling = n + 1;
    auto column = [&](int number) {
        auto attribute = CreateAttribute(number, analysis_.get());
        attribute->SetBasePerson(sibling);
        return attribute;
    };
    auto ancestors = column(27), descendants = column(28), relation = column(38),
         ancestor = column(39), ancestorLastFirst = column(52), deepest = column(61),
         average = column(64);
    auto nephew = [](int32_t b) {
        if (b == 1) return std::string("Brother");
        if (b == 2) return std::string("Nephew");
        if (b == 3) return std::string("Grand Nephew");
        return (b <= 6 ? std::string(static_cast<size_t>(b - 3), 'G')
                       : std::to_string(b - 3) + "G") +
               " Grand Nephew";
    };
    for (int32_t i = n - 1; i >= 1; --i) {  // top down: each answer needs the line above
        ASSERT_EQ(ancestors->GetText(i, 1), std::to_string(n - i)) << i;
        ASSERT_EQ(descendants->GetText(n - i, 1), std::to_string(n - i - 1)) << i;
        ASSERT_EQ(relation->GetText(i, 1), nephew(n - i)) << i;
        ASSERT_EQ(ancestor->GetText(i, 1),
                  "P" + std::to_string(n) + " /Line/ [" + std::to_string(n) + "]")
            << i;
        ASSERT_EQ(ancestorLastFirst->GetText(i, 1), "Line, P" + std::to_string(n)) << i;
        ASSERT_EQ(deepest->GetText(i, 1), std::to_string(n - i)) << i;
    }
    EXPECT_EQ(relation->GetText(n, 1), "Father");
    EXPECT_EQ(ancestor->GetText(n, 1), "");  // the ancestor is one of the pair
    EXPECT_EQ(descendants->GetText(n, 1), std::to_string(n));
    EXPECT_EQ(average->GetText(sibling, 1), "0.00");
}

}  // namespace
}  // namespace vx
