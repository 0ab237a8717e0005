// The highlight condition kinds read against a small family whose every
// answer was worked out by hand: four generations of MacDonalds in which two
// first cousins married and their son was also taken in by his grandfather,
// an unconnected Smith family, and one person with no family at all.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "DeepLines.h"
#include "LoadedFileTest.h"
#include "app/Errors.h"
#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "highlight/Catalogue.h"
#include "highlight/HLGroup.h"
#include "records/Date.h"

namespace vx {
namespace {

// Individual numbers follow the order of the records in the file.
enum : int32_t {
    kAdam = 1,  // notes, citations, AFN, REFN, dated burial, dated baptism and endowment
    kBeth,      // name note and citation; death with a place only; baptism by status only
    kColin,     // married two women both named Mary Brown; sealed to parents
    kDora,      // christening without a date; endowment with a temple only
    kMary1,     // Colin's first wife; death citation; baptism with a temple only
    kMary2,     // Colin's second wife; birth with a place but no date
    kEwan,      // surname written MACKAY
    kFergus,    // born 1844; married his cousin Isla; sealed to parents by status BIC
    kGordon,    // born 1845; married with no wife on record; occupation with place and note
    kHugh1,     // born 1850, died 1851
    kHugh2,     // born 1854, named after his dead brother
    kIsla,      // born ABT 1850
    kJean,      // born 1855; her mother's surname; a family with no husband
    kKenneth,   // son of the cousins, also a child of Colin's second family
    kOliver,    // living; married Nora, of the same surname
    kNora,      // dated death and burial
    kPeter,     // Smithson, son of two Smiths
    kRose,      // no surname, no family
    kBaby,      // Jean's child: no given name, no sex, no events
    kCount = kBaby,
};

const char* kFamily =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME Adam /MacDonald/\n1 SEX M\n1 AFN 1AB2-C3D\n1 REFN R-100\n"
    "1 BIRT\n2 DATE 12 MAR 1795\n2 PLAC Inverness, Scotland\n"
    "1 DEAT\n2 DATE 5 MAR 1870\n2 PLAC Glasgow\n"
    "1 BURI\n2 DATE 9 MAR 1870\n2 PLAC Glasgow Necropolis\n2 NOTE Laid beside his brother\n"
    "2 SOUR @S1@\n1 NOTE Crofter from Skye\n1 SOUR @S1@\n"
    "1 BAPL\n2 DATE 1 JUN 1860\n2 TEMP SLAKE\n1 ENDL\n2 DATE 2 JUN 1860\n2 TEMP LOGAN\n"
    "1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Beth /Stewart/\n2 NOTE Also spelt Stuart\n2 SOUR @S1@\n1 SEX F\n"
    "1 BIRT\n2 DATE ABT 1800\n1 DEAT\n2 PLAC Glasgow\n1 BAPL\n2 STAT COMPLETED\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Colin /MacDonald/\n1 SEX M\n1 REFN R-103\n"
    "1 BIRT\n2 DATE 1820\n2 PLAC Inverness\n2 NOTE Born in a storm\n2 SOUR @S1@\n"
    "1 CHR\n2 DATE 4 APR 1820\n2 PLAC Kirk of Inverness\n1 DEAT\n2 DATE 1880\n2 PLAC Glasgow\n"
    "1 SLGC\n2 DATE 3 MAR 1870\n2 TEMP PROVO\n1 FAMC @F1@\n1 FAMS @F2@\n1 FAMS @F3@\n"
    "0 @I4@ INDI\n1 NAME Dora /MacDonald/\n1 SEX F\n1 BIRT\n2 DATE 1822\n2 PLAC Inverness\n"
    "1 CHR\n2 PLAC Inverness\n2 NOTE Baptised at home\n2 SOUR @S1@\n1 ENDL\n2 TEMP LOGAN\n"
    "1 FAMC @F1@\n1 FAMS @F4@\n"
    "0 @I5@ INDI\n1 NAME Mary /Brown/\n1 SEX F\n1 BIRT\n2 DATE 1824\n2 PLAC Perth\n"
    "1 DEAT\n2 DATE 1848\n2 PLAC Glasgow\n2 SOUR @S1@\n1 BURI\n2 PLAC Glasgow\n"
    "1 BAPL\n2 TEMP SLAKE\n1 FAMS @F2@\n"
    "0 @I6@ INDI\n1 NAME Mary /Brown/\n1 SEX F\n1 BIRT\n2 PLAC Dundee\n1 FAMS @F3@\n"
    "0 @I7@ INDI\n1 NAME Ewan /MACKAY/\n1 SEX M\n1 AFN 9ZZ9-X1Y\n1 BIRT\n2 DATE 1818\n"
    "2 PLAC Thurso\n1 FAMS @F4@\n"
    "0 @I8@ INDI\n1 NAME Fergus /MacDonald/\n1 SEX M\n1 BIRT\n2 DATE 1844\n2 PLAC Glasgow\n"
    "1 SLGC\n2 STAT BIC\n1 FAMC @F2@\n1 FAMS @F5@\n"
    "0 @I9@ INDI\n1 NAME Gordon /MacDonald/\n1 SEX M\n1 BIRT\n2 DATE 1845\n2 PLAC Glasgow\n"
    "1 OCCU Fisherman\n2 PLAC Oban\n2 NOTE Lost at sea\n1 FAMC @F2@\n1 FAMS @F6@\n"
    "0 @I10@ INDI\n1 NAME Hugh /MacDonald/\n1 SEX M\n1 BIRT\n2 DATE 1850\n2 PLAC Glasgow\n"
    "1 DEAT\n2 DATE 1851\n2 NOTE Died an infant\n1 FAMC @F3@\n"
    "0 @I11@ INDI\n1 NAME Hugh /MacDonald/\n1 SEX M\n1 BIRT\n2 DATE 1854\n2 PLAC Glasgow\n"
    "1 FAMC @F3@\n"
    "0 @I12@ INDI\n1 NAME Isla /Mackay/\n1 SEX F\n1 BIRT\n2 DATE ABT 1850\n2 PLAC Thurso\n"
    "1 FAMC @F4@\n1 FAMS @F5@\n"
    "0 @I13@ INDI\n1 NAME Jean /MacDonald/\n1 SEX F\n1 BIRT\n2 DATE 1855\n1 FAMC @F4@\n"
    "1 FAMS @F8@\n"
    // The family of his parents comes first, so they are his father and mother.
    "0 @I14@ INDI\n1 NAME Kenneth Hugh /MacDonald/\n1 SEX M\n1 BIRT\n2 DATE 1875\n"
    "2 PLAC Glasgow\n1 FAMC @F5@\n1 FAMC @F3@\n"
    "0 @I15@ INDI\n1 NAME Oliver /Smith/\n1 SEX M\n1 BIRT\n2 DATE 10 JAN 1940\n2 PLAC Leeds\n"
    "1 FAMS @F7@\n"
    "0 @I16@ INDI\n1 NAME Nora /Smith/\n1 SEX F\n1 BIRT\n2 DATE 1942\n1 DEAT\n2 DATE 2000\n"
    "1 BURI\n2 DATE 2000\n2 PLAC Leeds\n1 FAMS @F7@\n"
    "0 @I17@ INDI\n1 NAME Peter /Smithson/\n1 SEX M\n1 BIRT\n2 DATE 1965\n1 FAMC @F7@\n"
    "0 @I18@ INDI\n1 NAME Rose\n1 SEX F\n1 BIRT\n2 DATE 1990\n2 PLAC York\n"
    "0 @I19@ INDI\n1 NAME /MacDonald/\n1 FAMC @F8@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 CHIL @I4@\n"
    "1 MARR\n2 DATE 1819\n2 PLAC Inverness\n"
    "0 @F2@ FAM\n1 HUSB @I3@\n1 WIFE @I5@\n1 CHIL @I8@\n1 CHIL @I9@\n"
    "1 MARR\n2 DATE 1843\n2 PLAC Glasgow\n"
    "0 @F3@ FAM\n1 HUSB @I3@\n1 WIFE @I6@\n1 CHIL @I10@\n1 CHIL @I11@\n1 CHIL @I14@\n"
    "1 MARR\n2 DATE 1849\n2 PLAC Edinburgh\n1 SLGS\n2 TEMP PROVO\n"
    "0 @F4@ FAM\n1 HUSB @I7@\n1 WIFE @I4@\n1 CHIL @I12@\n1 CHIL @I13@\n1 MARR\n2 PLAC Inverness\n"
    "0 @F5@ FAM\n1 HUSB @I8@\n1 WIFE @I12@\n1 CHIL @I14@\n"
    "1 MARR\n2 DATE 1874\n2 PLAC Glasgow Cathedral\n1 SLGS\n2 DATE 1 JAN 1880\n2 TEMP SGEOR\n"
    "1 SOUR @S1@\n"
    "0 @F6@ FAM\n1 HUSB @I9@\n1 MARR\n2 DATE 1870\n"
    "0 @F7@ FAM\n1 HUSB @I15@\n1 WIFE @I16@\n1 CHIL @I17@\n"
    "1 MARR\n2 DATE 1963\n2 PLAC Leeds\n1 NOTE Met at sea\n"
    "0 @F8@ FAM\n1 WIFE @I13@\n1 CHIL @I19@\n"
    "0 @S1@ SOUR\n1 TITL Parish Register\n0 TRLR\n";

using People = std::set<int32_t>;

People AllBut(const People& excluded) {
    People people;
    for (int32_t n = 1; n <= kCount; ++n)
        if (!excluded.count(n)) people.insert(n);
    return people;
}

class ConditionTest : public test::LoadedFileTest {
  protected:
    void SetUp() override {
        LoadedFileTest::SetUp();
        Adopt(LoadText(kFamily));
        ASSERT_EQ(collection_->IndividualCount(), kCount);
    }
    // Everybody the condition string highlights, asked in individual order.
    People Highlighted(const std::string& text) {
        WHLGroup group(analysis_.get());
        group.SetConditionString(text);
        group.Refresh();
        People people;
        for (int32_t n = 1; n <= kCount; ++n)
            if (group.IsHighlighted(n)) people.insert(n);
        return people;
    }
    std::string Describe(const std::string& text) {
        WHLGroup group(analysis_.get());
        group.SetConditionString(text);
        group.Refresh();
        return group.Describe();
    }
};

struct Row {
    const char* condition;
    People expected;
};

const People kMacDonalds = {kAdam,  kColin, kDora, kFergus,  kGordon,
                            kHugh1, kHugh2, kJean, kKenneth, kBaby};
const People kNotes = {kAdam, kBeth, kColin, kDora, kGordon, kHugh1, kOliver, kNora};
// Shortest lines: parents Fergus, Isla, Colin, Mary2; the rest two generations up.
const People kKennethsAncestors = {kAdam,  kBeth, kColin,  kDora, kMary1,
                                   kMary2, kEwan, kFergus, kIsla};

// Today is 15 Jun 2026. Ages: Adam 74, Colin 60, Mary1 24, Hugh1 1, Oliver 86,
// Nora 58, Peter 61, Rose 36; the other dated people without a death date are
// over 150; Mary2 and the baby have none.
// clang-format off
const std::vector<Row> kRows = {
    {"2", {kMary2, kBaby}}, {"3", {kBeth, kJean, kNora, kPeter, kBaby}},
    {"4", AllBut({kColin})}, {"5", AllBut({kColin, kDora})},
    {"6", AllBut({kAdam, kColin, kMary1, kHugh1, kNora})},  // Beth's death has no date
    {"7", AllBut({kAdam, kBeth, kColin, kMary1})}, {"8", AllBut({kAdam, kNora})},
    {"9", AllBut({kAdam, kMary1, kNora})},
    // People without any family count as having no marriage date or place.
    {"10", {kDora, kEwan, kHugh1, kHugh2, kJean, kKenneth, kPeter, kRose, kBaby}},
    {"11", {kGordon, kHugh1, kHugh2, kJean, kKenneth, kPeter, kRose, kBaby}},
    {"12", {kJean, kPeter, kBaby}}, {"13", {kRose}}, {"14", {kBaby}},
    {"15", {kAdam, kBeth, kMary1, kMary2, kEwan, kOliver, kNora, kRose, kBaby}},
    {"16", {kAdam, kBeth, kMary1, kMary2, kEwan, kOliver, kNora, kRose}},
    {"17:M", {kAdam, kColin, kEwan, kFergus, kGordon, kHugh1, kHugh2, kKenneth, kOliver, kPeter}},
    {"17:F", {kBeth, kDora, kMary1, kMary2, kIsla, kJean, kNora, kRose}}, {"17:U", {kBaby}},
    {"18", kNotes}, {"77", kNotes},  // Oliver and Nora by their family's note
    {"19:1sea", {kGordon}},          // the family's "Met at sea" is not searched
    {"19:3also", {kBeth}}, {"20", {kAdam, kEwan}},
    {"21:8^2", {kAdam, kBeth, kColin, kMary1}},
    {"21:14^1", {kColin, kMary2, kFergus, kIsla}},
    // Colin is first reached through Fergus with no generation left, then
    // again as a parent with one left, which reaches Adam and Beth.
    {"21:14^2", kKennethsAncestors}, {"21:14^0", kKennethsAncestors},
    {"21:19^2", {kDora, kEwan, kJean}}, {"21:19^0", {kAdam, kBeth, kDora, kEwan, kJean}},
    {"22:1^1", {kColin, kDora}},
    {"22:1^0", {kColin, kDora, kFergus, kGordon, kHugh1, kHugh2, kIsla, kJean, kKenneth, kBaby}},
    {"22:4^1", {kIsla, kJean}}, {"22:4^2", {kIsla, kJean, kKenneth, kBaby}},
    {"23:5", {kMary1, kFergus, kGordon, kKenneth}},  // not her husband's own family
    {"24:1glasgow", {kFergus, kGordon, kHugh1, kHugh2, kKenneth}},
    {"24:2INVERNESS", {kColin, kDora}}, {"24:3INVERNESS", {kAdam, kColin, kDora}},
    {"25:1INVERNESS", {kColin, kDora}}, {"25:3INVERNESS", {kDora}},
    {"26:1GLASGOW", {kAdam, kBeth, kColin, kMary1}}, {"27:1GLASGOW", {kAdam, kMary1}},
    {"27:4LEEDS", {kNora}}, {"28:1OBAN", {kGordon}},
    {"28:1LEEDS", {kOliver, kNora}},  // the marriage in Leeds is no place of theirs
    {"29:3MAC", [] { People p = kMacDonalds; p.insert({kEwan, kIsla}); return p; }()},
    {"29:2SMITH", {kOliver, kNora}}, {"29:1SMITH", {kOliver, kNora, kPeter}},
    {"29:4kay", {kEwan, kIsla}}, {"29:2", {}}, {"29:5MAC", {}},
    {"30:2HUGH", {kHugh1, kHugh2}}, {"30:4A", {kDora, kIsla, kNora}},
    {"31", {kAdam, kBeth, kMary1}}, {"32", {kAdam, kDora}}, {"33", {kColin, kFergus}},
    {"34", {kColin, kMary2, kFergus, kIsla}},
    {"35", {kAdam, kBeth, kColin, kDora, kMary1, kMary2, kFergus, kIsla}},
    {"36", {kGordon, kJean}}, {"37", {kColin}},
    {"38", {kColin, kMary2}},  // the two Hughs
    {"39:ABT 1850", {kGordon, kHugh1, kHugh2, kIsla}},
    {"39:BEF 1850", {kAdam, kBeth, kColin, kDora, kMary1, kEwan, kFergus, kGordon}},
    {"39:AFT 1850", {kHugh2, kJean, kKenneth, kOliver, kNora, kPeter, kRose}},
    {"39:1850", {kHugh1}}, {"39:", {}}, {"40:AFT 1819", {kColin}},
    {"41:BEF 1870", {kMary1, kHugh1}},  // 5 Mar 1870 sorts after the year alone
    {"41:AFT 1870", {kAdam, kColin, kNora}}, {"42:ABT 1868", {kAdam}}, {"42:2000", {kNora}},
    {"43:1GLASGOW", {kColin, kMary1, kFergus, kIsla}},
    {"43:2INVERNESS", {kAdam, kBeth, kDora, kEwan}},
    {"44:4100", {kBeth, kDora, kEwan, kFergus, kGordon, kHugh2, kIsla, kJean, kKenneth}},
    {"44:260", {kMary1, kHugh1, kNora, kRose}},
    {"44:360", {kColin, kMary1, kHugh1, kNora, kRose}}, {"44:174", {kAdam}}, {"44:1", {}},
    {"45:10", {kHugh1, kHugh2, kKenneth, kPeter, kRose, kBaby}}, {"45:52", {kColin}},
    {"46:42", {kKenneth}}, {"46:11", {kBaby}},
    {"47:53", {kColin, kMary2}},
    {"47:30", {kGordon, kHugh1, kHugh2, kKenneth, kPeter, kRose, kBaby}}, {"47:5", {}},
    {"48:12", {kMary1}}, {"49:41", {kDora, kEwan}},  // the baby's sex is unknown
    {"50:14", {kFergus, kGordon, kHugh1, kHugh2, kIsla, kJean}},
    {"50:19", {kKenneth}},  // Adam and Beth count once
    {"51:11", {kFergus, kIsla, kJean, kOliver, kNora}},
    {"52", {kAdam, kColin, kMary1, kHugh1, kOliver, kNora, kPeter, kRose}},
    {"52:50", {kMary1, kHugh1, kRose}},
    {"53", {kJean, kPeter}},  // Isla's Mackay is her father's MACKAY
    {"54", {kPeter}}, {"55", {kJean, kBaby}}, {"56", {kOliver, kNora}},
    {"57:1McDonald", kMacDonalds}, {"57:2M200", {kEwan, kIsla}},
    {"57:1SMYTH", {kOliver, kNora}},  // Smithson is S532
    {"58:1HUGO", {kHugh1, kHugh2, kKenneth}},  // also a second given name
    {"58:2M600", {kMary1, kMary2}},
    {"59:2R-100", {kAdam}}, {"59:3R-10", {kAdam, kColin}},
    {"60:3", {kFergus, kGordon, kHugh1, kHugh2, kKenneth}}, {"60:13", {kBaby}}, {"60", {}},
    {"61:3", {kMary1, kMary2}}, {"61:9", {}},
    {"62:8", {kGordon}},  // not the half-brothers of Colin's second family
    {"62:10", {kHugh2, kKenneth}},
    {"63:14", {kColin, kMary2, kFergus, kIsla}}, {"63:19", {kJean}}, {"64", {kRose}},
    {"65", {kOliver, kPeter, kRose}},
    {"65:180", {kHugh2, kIsla, kJean, kKenneth, kOliver, kPeter, kRose}},  // Gordon is 181
    {"66", {kAdam, kBeth, kColin, kDora, kMary1, kFergus, kIsla}},
    {"67", {kBeth}}, {"68", {kColin}}, {"69", {kDora}}, {"70", {kMary1}}, {"71", {kAdam}},
    {"72", {kBeth}}, {"73", {kColin}}, {"74", {kDora}}, {"75", {kHugh1}}, {"76", {kAdam}},
    {"78:41", {kKenneth}}, {"78:10", {kAdam, kBeth, kMary1, kMary2, kEwan, kOliver, kNora, kRose}},
    {"79", {kAdam, kBeth}},  // a status stands in for the date
    {"80", {kAdam}}, {"81", {kColin, kFergus}},
    {"82", {kFergus, kIsla}},  // Mary2's sealing has a temple only
    {"83", {kAdam, kMary1}}, {"84", {kAdam, kDora}}, {"85", {kColin}},
    {"86", {kMary2, kFergus, kIsla}},
    {"87:1", {kAdam}}, {"87:4", {kBeth}}, {"88:1", {kAdam}}, {"89:1", {kColin}},
    {"89:5", {kFergus}}, {"90:1", {kFergus, kIsla}},
    {"91:1SLAKE", {kAdam, kMary1}}, {"92:2LOGAN", {kAdam, kDora}}, {"93:1PROVO", {kColin}},
    {"94:1PROVO", {kMary2}},  // Colin's first family has no sealing
    {"95:14", {kAdam, kColin, kFergus, kKenneth}},  // Fergus and Isla tie: the father wins
    {"95:12", {kAdam, kDora, kIsla}},
    {"96:1", {kAdam, kColin, kFergus, kKenneth}}, {"96:4", {kDora, kIsla, kKenneth}},
    {"97:31ab", {kAdam}}, {"97:1X1Y", {kEwan}}, {"98:41", {kAdam, kHugh2}},
    {"99", {kFergus, kIsla}}, {"100", {kOliver, kNora}},
    {"102:2HUGH", {kHugh1, kHugh2, kKenneth}},
    {"103:1KENNETH", {kColin, kMary2, kFergus, kIsla}},
    {"104:2MARY", {kFergus, kGordon, kHugh1, kHugh2, kKenneth}}, {"105:2MARY", {kColin}},
    // Only an ancestor's (descendant's) name counts, never the person's own.
    {"106:2ADAM", {kColin, kDora, kFergus, kGordon, kHugh1, kHugh2, kIsla, kJean, kKenneth, kBaby}},
    {"107:2HUGH", {kAdam, kBeth, kColin, kMary2}},
    {"108:2BROWN", {kFergus, kGordon, kHugh1, kHugh2, kKenneth}},
    {"109:2SMITHSON", {kOliver, kNora}}, {"110:1MACKAY", {kJean}},
    {"111:2SMITHSON", {kOliver, kNora}}, {"112:2STEWART", {kColin, kDora}},
    {"113:1MAC", {kBeth, kDora, kMary1, kMary2, kEwan, kFergus, kIsla}},
};
// clang-format on

TEST_F(ConditionTest, EveryKindOnTheFamily) {
    std::set<int> kinds;
    for (const Row& row : kRows) {
        kinds.insert(std::abs(std::stoi(row.condition)));
        EXPECT_EQ(Highlighted(row.condition), row.expected) << row.condition;
    }
    for (int kind = 2; kind <= kConditionKinds; ++kind)
        EXPECT_TRUE(kind == 101 || kinds.count(kind)) << "no row for kind " << kind;
}

TEST_F(ConditionTest, NegationHighlightsTheComplement) {
    for (const char* text : {"29:2", "47:5", "21:14^2", "38", "39:ABT 1850", "43:1GLASGOW", "56",
                             "60:3", "64", "95:14", "106:2ADAM", "107:2HUGH"}) {
        const People plain = Highlighted(std::string("+") + text);
        EXPECT_EQ(Highlighted(std::string("-") + text), AllBut(plain)) << text;
    }
    EXPECT_EQ(Highlighted("-29:2").size(), static_cast<size_t>(kCount));
}

TEST_F(ConditionTest, AnswersSharedWithOtherPeople) {
    WHLGroup group(analysis_.get());
    group.SetConditionString("43:1GLASGOW");
    group.Refresh();
    WABSHighLighter& place = group.Condition(0);
    EXPECT_FALSE(place.IsEvaluated(kIsla));
    EXPECT_TRUE(place.IsHighlighted(kFergus));
    EXPECT_TRUE(place.IsEvaluated(kIsla));  // his wife, without being asked
    EXPECT_TRUE(place.RawTrue(kIsla));

    group.SetConditionString("38");
    group.Refresh();
    EXPECT_TRUE(group.Condition(0).IsHighlighted(kColin));
    EXPECT_TRUE(group.Condition(0).IsHighlighted(kMary2));  // the Hughs' mother

    // Conditions about one chosen person know every answer once prepared.
    group.SetConditionString("21:14^1");
    group.Refresh();
    for (int32_t n = 1; n <= kCount; ++n)
        EXPECT_TRUE(group.Condition(0).IsEvaluated(n)) << n;
}

// Dates that are empty or cannot be read, and answers that must not depend
// on the order of people or conditions.
TEST_F(ConditionTest, UnreadableDatesAndOrderIndependentAnswers) {
    Adopt(LoadText(
        "0 HEAD\n"
        "0 @I1@ INDI\n1 NAME Amy /Empty/\n1 SEX F\n1 BIRT\n2 DATE\n"
        "0 @I2@ INDI\n1 NAME Ben /Census/\n1 SEX M\n1 BIRT\n2 DATE INT 1822 (FROM THE 1820 "
        "CENSUS)\n"
        "0 @I3@ INDI\n1 NAME Cal /Guess/\n1 SEX M\n1 BIRT\n2 DATE 1826?\n"
        "0 @I4@ INDI\n1 NAME Dot /Range/\n1 SEX F\n1 BIRT\n2 DATE 1880-1881\n1 FAMS @F1@\n"
        // Wives first, so that their answers are asked before their husband's.
        "0 @I5@ INDI\n1 NAME Eve /Smith/\n1 SEX F\n1 FAMS @F2@\n1 FAMS @F4@\n"
        "0 @I6@ INDI\n1 NAME Fay /Jones/\n1 SEX F\n1 FAMS @F3@\n"
        "0 @I7@ INDI\n1 NAME Guy /Jones/\n1 SEX M\n1 FAMS @F4@\n"
        "0 @I8@ INDI\n1 NAME Hal /Smith/\n1 SEX M\n1 FAMS @F2@\n1 FAMS @F3@\n1 FAMS @F1@\n"
        "0 @I9@ INDI\n1 NAME John /Smith/\n1 SEX M\n1 FAMC @F2@\n"
        "0 @I10@ INDI\n1 NAME John /Smith/\n1 SEX M\n1 FAMC @F3@\n"
        "0 @F1@ FAM\n1 HUSB @I8@\n1 WIFE @I4@\n1 MARR\n2 DATE 1880-1881\n"
        "0 @F4@ FAM\n1 HUSB @I7@\n1 WIFE @I5@\n"
        "0 @F2@ FAM\n1 HUSB @I8@\n1 WIFE @I5@\n1 CHIL @I9@\n"
        "0 @F3@ FAM\n1 HUSB @I8@\n1 WIFE @I6@\n1 CHIL @I10@\n0 TRLR\n"));
    auto highlighted = [&](const std::string& text) {
        WHLGroup group(analysis_.get());
        group.SetConditionString(text);
        group.Refresh();
        People people;
        for (int32_t n = 1; n <= collection_->IndividualCount(); ++n)
            if (group.IsHighlighted(n)) people.insert(n);
        return people;
    };
    // An empty DATE line is no date at all.
    EXPECT_EQ(highlighted("+2").count(1), 1u);
    EXPECT_EQ(highlighted("+39:BEF 1700").count(1), 0u);
    EXPECT_EQ(highlighted("+39:AFT 1700").count(1), 0u);
    // A date that cannot be read is neither before, after nor about anything.
    EXPECT_EQ(highlighted("+39:AFT 2020"), People{});
    EXPECT_EQ(highlighted("+39:ABT 1825"), People{});
    EXPECT_EQ(highlighted("+39:BEF 2020").count(2) + highlighted("+39:BEF 2020").count(3), 0u);
    // A marriage date with text counts as a date, as a birth date does.
    EXPECT_EQ(highlighted("+2").count(4), 0u);
    EXPECT_EQ(highlighted("+10").count(4), 0u);
    EXPECT_EQ(highlighted("+10").count(8), 0u);
    // Hal's two Johns: both mothers share the finding, in any order.
    EXPECT_EQ(highlighted("+38"), (People{5, 6, 8}));
    EXPECT_EQ(highlighted("+38;A;+17:F"), (People{5, 6}));
    EXPECT_EQ(highlighted("+17:F;A;+38"), (People{5, 6}));
    // Eve married a Smith and a Jones: she counts, whoever is asked first.
    EXPECT_EQ(highlighted("+56"), (People{5, 8}));
    EXPECT_EQ(highlighted("+17:M;O;+56"), (People{2, 3, 5, 7, 8, 9, 10}));
}

TEST_F(ConditionTest, Descriptions) {
    const std::vector<std::pair<const char*, const char*>> rows = {
        {"17:F", "female"},
        {"-17:M", "not male"},
        {"17:U", "with unknown sex type"},
        {"-17:U", "with known sex type"},
        {"21:14^2", "Ancestors of Kenneth Hugh /MacDonald/ (2 generations)"},
        {"-21:14^0", "Not Ancestors of Kenneth Hugh /MacDonald/"},
        {"22:1^1", "Descendants of Adam /MacDonald/ (1 generations)"},
        {"-22:1^0", "Not descendants of Adam /MacDonald/"},
        {"23:5", "related to Mary /Brown/"},
        {"-23:5", "not related to Mary /Brown/"},
        {"2", "with no birth date"},
        {"-10", "with marriage date"},
        {"12", "without a place"},
        {"-3", "with a birth place"},
        {"13", "without a surname"},
        {"-14", "with a given name"},
        {"15", "without a father"},
        {"-16", "with a mother"},
        {"18", "with notes"},
        {"52", "with an age (limit = 110)"},
        {"-52:50", "without an age (limit = 50)"},
        {"20", "with AFN"},
        {"-20", "without AFN"},
        {"31", "with LDS Baptism"},
        {"-86", "without LDS Sealed to Spouse Place"},
        {"35", "Individuals with LDS Events"},
        {"-35", "Individuals without LDS Events"},
        {"29:3mac", "with surname begining with \"MAC\""},
        {"-24:2Glasgow", "with birth place not equal to \"GLASGOW\""},
        {"98:41", "with Reference ID ending with \"1\""},
        {"113:1mac", "with spouse surname containing \"MAC\""},
        {"57:1McDonald", "with surname soundex text = \"MCDONALD\" (M235)"},
        {"-58:2M600", "with given name soundex code = \"M600\""},
        {"36", "married with no spouse entered"},
        {"-37", "married with spouses with different names"},
        {"38", "with children having the same name"},
        {"39:ABT 1850", "with birth date Abt 1850"},
        {"39:1850", "with birth date = 1850"},
        {"-41:BEF 1870", "with not death date Bef 1870"},
        {"47:53", "with # children >= 3"},
        {"-47:53", "with # children < 3"},
        {"-51:11", "with # descendants <> 1"},
        {"53", "with surname different than father"},
        {"55", "with surname same as mother"},
        {"-56", "with surname not same as spouse"},
        {"60:3", "where parent is Colin /MacDonald/"},
        {"-62:8", "where sibling is not Fergus /MacDonald/"},
        {"64", "who are unlinked"},
        {"-64", "who are linked"},
        {"65:180", "are alive (Age limit = 180)"},
        {"-65", "are not alive (Age limit = 110)"},
        {"66", "with a source"},
        {"-99", "without marriage source"},
        {"77", "with any note"},
        {"-72", "without name note"},
        {"87:1", "where LDS Baptism date is a date"},
        {"89:5", "where LDS Sealed to Parents date is BIC"},
        {"-87:4", "where LDS Baptism date is not COMPLETED"},
        {"95:14", "Longest ancestor path of Kenneth Hugh /MacDonald/"},
        {"-96:1", "Not longest descendant path of Adam /MacDonald/"},
        {"17:F;A;29:3MAC;O;64",
         "female AND with surname begining with \"MAC\" OR who are unlinked"},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(Describe(text), expected) << text;
}

TEST_F(ConditionTest, BadParameters) {
    for (const char* text : {"23:x", "60:abc", "61:abc", "62:abc", "63:abc", "95:abc", "96:abc"}) {
        WHLGroup group(analysis_.get());
        group.SetConditionString(text);
        EXPECT_THROW(group.Refresh(), EConvertError) << text;
    }
    for (const char* text : {"21:5", "22:5"}) {
        WHLGroup group(analysis_.get());
        group.SetConditionString(text);
        EXPECT_THROW(group.Refresh(), VxError) << text;
    }
    // A reference date that does not parse is never equal to, nor about,
    // before or after a real date.
    for (const char* text :
         {"39:NEVER", "40:SOMEDAY", "41:ABT SOMETIME", "39:BEF NEVER", "39:AFT NEVER"})
        EXPECT_EQ(Highlighted(text), People{}) << text;
    // Somebody beyond the file: nobody is related, and there is no name to show.
    for (const char* text : {"21:9999^2", "22:9999^0", "23:9999", "60:9999", "61:9999", "62:9999",
                             "63:9999", "95:9999", "96:9999"}) {
        EXPECT_EQ(Highlighted(text), People{}) << text;
        EXPECT_EQ(Describe(text), "") << text;
    }
}

TEST_F(ConditionTest, Catalogue) {
    EXPECT_EQ(KindCaption(17, false), "Sex Type");
    EXPECT_EQ(KindCaption(17, true), "Is Not of Sex Type");
    EXPECT_EQ(KindCaption(51, false), "# Decendants");
    EXPECT_EQ(KindCaption(1, true), "Select a Condition");
    EXPECT_EQ(KindCaption(113, true), "Not Spouse Surname");
    EXPECT_EQ(KindCaption(0, false), "");
    EXPECT_EQ(KindCaption(114, false), "");
    EXPECT_TRUE(KindHasParam(17));
    EXPECT_FALSE(KindHasParam(2));
    EXPECT_FALSE(KindHasParam(6));
    EXPECT_TRUE(KindHasParam(101));
    EXPECT_FALSE(KindHasParam(114));
    // A count takes any number up to the largest; the legacy tag one of nine.
    EXPECT_EQ(KindParameter(44).editor, ParamEditor::Number);
    EXPECT_EQ(KindParameter(44).lowest, 0);
    EXPECT_EQ(KindParameter(44).highest, kLargestCountParam);
    EXPECT_EQ(KindParameter(101).editor, ParamEditor::Number);
    EXPECT_EQ(KindParameter(101).lowest, 1);
    EXPECT_EQ(KindParameter(101).highest, 9);
    EXPECT_EQ(KindParameter(90).editor, ParamEditor::SealedToSpouseStatus);
    EXPECT_EQ(KindParameter(17).editor, ParamEditor::Sex);
    EXPECT_EQ(KindParameter(2).editor, ParamEditor::None);
    EXPECT_EQ(KindParameter(0).editor, ParamEditor::None);
    for (int kind : {1, 0, 114})
        EXPECT_EQ(CreateCondition(kind, analysis_.get()), nullptr) << kind;
    for (int kind = 2; kind <= kConditionKinds; ++kind)
        EXPECT_EQ(CreateCondition(kind, analysis_.get()) == nullptr, kind == 101) << kind;
}

// Every condition that follows lines of ancestors or descendants, asked
// about everybody on a line far deeper than one walk per person allows.
TEST_F(ConditionTest, DeepLineForEverybody) {
    const int32_t n = test::DeepGenerations(20000);
    Adopt(LoadText(test::ChainGedcom(n), "line.ged"));
    const std::string top = std::to_string(n), last = std::to_string(n - 1);
    const struct {
        std::string condition;
        int32_t count, first, lastOne;  // how many, the lowest and highest number
    } rows[] = {
        {"23:" + top, n, 1, n},  // everybody descends from the top
        {"23:1", n, 1, n},
        {"50:1" + last, 1, 1, 1},  // only the bottom person has them all
        {"50:40", n - 1, 1, n - 1},
        {"51:1" + last, 1, n, n},
        {"51:40", n - 1, 2, n},
        {"21:1^0", n - 1, 2, n},
        {"22:" + top + "^0", n - 1, 1, n - 1},
        {"95:1", n, 1, n},
        {"96:" + top, n, 1, n},
        {"106:2P" + top, n - 1, 1, n - 1},
        {"107:2P1", n - 1, 2, n},
    };
    for (const auto& row : rows) {
        WHLGroup group(analysis_.get());
        group.SetConditionString(row.condition);
        group.Refresh();
        int32_t count = 0, first = 0, lastOne = 0;
        for (int32_t i = n; i >= 1; --i)  // top down: each answer needs the line above
            if (group.IsHighlighted(i)) {
                ++count;
                lastOne = std::max(lastOne, i);
                first = i;
            }
        EXPECT_EQ(count, row.count) << row.condition;
        EXPECT_EQ(first, row.first) << row.condition;
        EXPECT_EQ(lastOne, row.lastOne) << row.condition;
    }
}

// Generations 0 means all of them, however deep the line: past the
// largest count a user can type.
TEST_F(ConditionTest, AllGenerationsHaveNoDepthLimit) {
    const int32_t n = kLargestCountParam + 1000;
    Adopt(LoadText(test::ChainGedcom(n), "line.ged"));
    for (const std::string& condition : {std::string("21:1^0"), "22:" + std::to_string(n) + "^0"}) {
        WHLGroup group(analysis_.get());
        group.SetConditionString(condition);
        group.Refresh();
        int32_t count = 0;
        for (int32_t i = n; i >= 1; --i)
            count += group.IsHighlighted(i) ? 1 : 0;
        EXPECT_EQ(count, n - 1) << condition;
    }
}

}  // namespace
}  // namespace vx
