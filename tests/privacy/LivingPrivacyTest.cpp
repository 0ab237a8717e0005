// Privacy for the living on a hand-made family: who counts as living, what
// each mode leaves of their records, and that bytes and line breaks of
// everything else pass through unchanged.
#include <gtest/gtest.h>

#include <string>

#include "privacy/GedcomLines.h"
#include "privacy/LivingPrivacy.h"
#include "privacy/LivingRule.h"

namespace vx::privacy {
namespace {

constexpr int kYear = 2026;

// CR LF line breaks throughout; "\xE9" is a Windows-1252 e-acute in a
// dead person's note, which must pass through as the same byte.
const std::string kFamily =
    "0 HEAD\r\n1 CHAR ANSI\r\n"
    // A dead couple (dates) and their living child (born 1960).
    "0 @I1@ INDI\r\n1 NAME John /Doe/\r\n1 SEX M\r\n1 BIRT\r\n2 DATE 1900\r\n"
    "1 DEAT\r\n2 DATE 12 MAR 1970\r\n1 NOTE Caf\xE9 owner\r\n1 SOUR @S1@\r\n1 FAMS @F1@\r\n"
    "0 @I2@ INDI\r\n1 NAME Mary /Roe/\r\n1 SEX F\r\n1 BURI\r\n2 DATE ABT 1980\r\n1 FAMS @F1@\r\n"
    "0 @I3@ INDI\r\n1 NAME Ann Lee /Doe/\r\n2 GIVN Ann Lee\r\n2 SURN Doe\r\n2 NICK Annie\r\n"
    "2 SOUR @S1@\r\n1 SEX F\r\n1 BIRT\r\n2 DATE 5 MAY 1960\r\n2 PLAC Leeds\r\n2 SOUR @S1@\r\n"
    "3 PAGE p. 4\r\n1 OCCU Nurse\r\n1 NOTE @N1@\r\n1 BAPL\r\n2 TEMP SLAKE\r\n1 OBJE @M1@\r\n"
    "1 FAMC @F1@\r\n2 PEDI birth\r\n1 FAMS @F2@\r\n"
    // Her living husband (born 1958): a living couple.
    "0 @I4@ INDI\r\n1 NAME Bob /Poe/\r\n1 SEX M\r\n1 BIRT\r\n2 DATE BET 1900 AND 1958\r\n"
    "1 FAMS @F2@\r\n"
    // No dates at all, spouse living: living.
    "0 @I5@ INDI\r\n1 NAME Cy /Ho/\r\n1 RESI\r\n2 PLAC York\r\n1 FAMS @F3@\r\n"
    "0 @I6@ INDI\r\n1 NAME Di /Ho/\r\n1 BIRT\r\n2 DATE 1990\r\n1 FAMS @F3@\r\n"
    // A death but no birth: dead.
    "0 @I7@ INDI\r\n1 NAME Ed /Ko/\r\n1 DEAT\r\n2 DATE 2001\r\n1 OCCU Baker\r\n"
    // No dates, but a child born 1880: dead.
    "0 @I8@ INDI\r\n1 NAME Flo /Ma/\r\n1 FAMS @F4@\r\n"
    "0 @I9@ INDI\r\n1 NAME Gus /Ma/\r\n1 BIRT\r\n2 DATE 1880\r\n1 FAMC @F4@\r\n"
    // No dates, a parent born 1850: dead; one born 1900 would not do.
    "0 @I10@ INDI\r\n1 NAME Hal /Ma/\r\n1 FAMC @F5@\r\n"
    "0 @I11@ INDI\r\n1 NAME Ida /Ma/\r\n1 BIRT\r\n2 DATE 1850\r\n1 FAMS @F5@\r\n"
    // No dates, a spouse who died in 1900: dead.
    "0 @I12@ INDI\r\n1 NAME Jo /Na/\r\n1 FAMS @F6@\r\n"
    "0 @I13@ INDI\r\n1 NAME Kit /Na/\r\n1 DEAT\r\n2 DATE 1900\r\n1 FAMS @F6@\r\n"
    // A death line that says Y: dead.
    "0 @I14@ INDI\r\n1 NAME Lu /Oh/\r\n1 DEAT Y\r\n"
    "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n1 MARR\r\n2 DATE 1925\r\n"
    "0 @F2@ FAM\r\n1 HUSB @I4@\r\n1 WIFE @I3@\r\n1 MARR\r\n2 DATE 1985\r\n2 PLAC Hull\r\n"
    "1 NOTE @N2@\r\n"
    "0 @F3@ FAM\r\n1 HUSB @I5@\r\n1 WIFE @I6@\r\n"
    "0 @F4@ FAM\r\n1 WIFE @I8@\r\n1 CHIL @I9@\r\n"
    "0 @F5@ FAM\r\n1 WIFE @I11@\r\n1 CHIL @I10@\r\n"
    "0 @F6@ FAM\r\n1 HUSB @I12@\r\n1 WIFE @I13@\r\n"
    "0 @N1@ NOTE Ann's own note\r\n"
    "0 @N2@ NOTE The wedding\r\n1 SOUR @S2@\r\n"
    "0 @S1@ SOUR\r\n1 TITL Parish register\r\n"
    "0 @S2@ SOUR\r\n1 TITL Wedding album\r\n"
    "0 @M1@ OBJE\r\n1 FILE ann.jpg\r\n"
    "0 TRLR\r\n";

// The lines of one record of a text, as one string.
std::string Record(const std::string& text, const std::string& xref) {
    const std::vector<GedLine> lines = SplitGedcomLines(text);
    for (const GedRecord& record : SplitGedcomRecords(lines)) {
        if (record.XRef != xref) continue;
        std::string whole;
        for (size_t i = record.First; i < record.End; ++i)
            whole += lines[i].Whole;
        return whole;
    }
    return {};
}

TEST(LivingRuleTest, CountsOnlyThoseTheDatesCannotRuleOut) {
    const std::vector<GedLine> lines = SplitGedcomLines(kFamily);
    const auto living = FindLivingPeople(lines, SplitGedcomRecords(lines), kYear);
    // Of a range the later year counts: Bob (BET 1900 AND 1958) is living.
    for (const char* xref : {"@I3@", "@I4@", "@I5@", "@I6@"})
        EXPECT_TRUE(living.count(xref)) << xref;
    for (const char* xref :
         {"@I1@", "@I2@", "@I7@", "@I8@", "@I9@", "@I10@", "@I11@", "@I12@", "@I13@", "@I14@"})
        EXPECT_FALSE(living.count(xref)) << xref;
    EXPECT_EQ(living.size(), 4u);
}

TEST(LivingRuleTest, AgeLimitIsOneHundredAndTenYears) {
    const std::string text = "0 @I1@ INDI\n1 BIRT\n2 DATE 1917\n0 @I2@ INDI\n1 CHR\n2 DATE 1916\n";
    const std::vector<GedLine> lines = SplitGedcomLines(text);
    const auto living = FindLivingPeople(lines, SplitGedcomRecords(lines), kYear);
    EXPECT_TRUE(living.count("@I1@"));   // 109 years
    EXPECT_FALSE(living.count("@I2@"));  // 110 years, by the christening
}

TEST(LivingPrivacyTest, NameOnlyKeepsNameSexAndLinks) {
    const PrivacyResult result = MakeLivingPrivate(kFamily, LivingMode::NameOnly, kYear);
    EXPECT_EQ(result.PrivateCount, 4);
    EXPECT_EQ(result.IndividualCount, 14);
    EXPECT_EQ(Record(result.Text, "@I3@"),
              "0 @I3@ INDI\r\n1 NAME Ann Lee /Doe/\r\n2 GIVN Ann Lee\r\n2 SURN Doe\r\n"
              "2 NICK Annie\r\n1 SEX F\r\n1 FAMC @F1@\r\n2 PEDI birth\r\n1 FAMS @F2@\r\n");
    EXPECT_EQ(Record(result.Text, "@I5@"), "0 @I5@ INDI\r\n1 NAME Cy /Ho/\r\n1 FAMS @F3@\r\n");
    // The living couple's marriage goes; the dead couple's stays.
    EXPECT_EQ(Record(result.Text, "@F2@"), "0 @F2@ FAM\r\n1 HUSB @I4@\r\n1 WIFE @I3@\r\n");
    EXPECT_EQ(Record(result.Text, "@F1@"), Record(kFamily, "@F1@"));
    // The dead keep everything, byte for byte.
    for (const char* xref : {"@I1@", "@I2@", "@I7@", "@I8@", "@I14@"})
        EXPECT_EQ(Record(result.Text, xref), Record(kFamily, xref)) << xref;
}

TEST(LivingPrivacyTest, RecordsOnlyRemovedLinesPointedAtAreLeftOut) {
    const PrivacyResult result = MakeLivingPrivate(kFamily, LivingMode::NameOnly, kYear);
    // N1 and M1 were Ann's; N2 was the living couple's, and S2 only N2's.
    for (const char* xref : {"@N1@", "@N2@", "@M1@", "@S2@"})
        EXPECT_EQ(Record(result.Text, xref), "") << xref;
    EXPECT_EQ(result.RemovedRecords, 4);
    // S1 lost Ann's citations but John still cites it.
    EXPECT_EQ(Record(result.Text, "@S1@"), Record(kFamily, "@S1@"));
    EXPECT_NE(result.Text.find("0 TRLR\r\n"), std::string::npos);
}

TEST(LivingPrivacyTest, HideAlsoReplacesGivenNames) {
    const PrivacyResult result = MakeLivingPrivate(kFamily, LivingMode::Hide, kYear);
    EXPECT_EQ(result.PrivateCount, 4);
    EXPECT_EQ(Record(result.Text, "@I3@"),
              "0 @I3@ INDI\r\n1 NAME Living /Doe/\r\n2 GIVN Living\r\n2 SURN Doe\r\n1 SEX F\r\n"
              "1 FAMC @F1@\r\n2 PEDI birth\r\n1 FAMS @F2@\r\n");
    EXPECT_EQ(Record(result.Text, "@I6@"), "0 @I6@ INDI\r\n1 NAME Living /Ho/\r\n1 FAMS @F3@\r\n");
    EXPECT_EQ(Record(result.Text, "@I1@"), Record(kFamily, "@I1@"));
}

TEST(LivingPrivacyTest, KeepChangesNothing) {
    const PrivacyResult result = MakeLivingPrivate(kFamily, LivingMode::Keep, kYear);
    EXPECT_EQ(result.Text, kFamily);
    EXPECT_EQ(result.PrivateCount, 0);
}

TEST(LivingPrivacyTest, LineBreaksAndBytesStayAsTheyWere) {
    // Mixed breaks, a UTF-8 mark and name, no break after the last line.
    const std::string text =
        "\xEF\xBB\xBF"
        "0 HEAD\n1 CHAR UTF-8\r0 @I1@ INDI\n\r1 NAME Zo\xC3\xAB /\xC3\x89lan/\r\n1 BIRT\n"
        "2 DATE 2000\n0 @I2@ INDI\r\n1 NAME R\xC3\xA9my /X/\r\n1 DEAT Y\r\n0 TRLR";
    const PrivacyResult result = MakeLivingPrivate(text, LivingMode::Hide, kYear);
    EXPECT_EQ(result.Text,
              "\xEF\xBB\xBF"
              "0 HEAD\n1 CHAR UTF-8\r0 @I1@ INDI\n\r1 NAME Living /\xC3\x89lan/\r\n"
              "0 @I2@ INDI\r\n1 NAME R\xC3\xA9my /X/\r\n1 DEAT Y\r\n0 TRLR");
}

TEST(LivingPrivacyTest, DamagedLinesNeitherCrashNorLeak) {
    // Garbage inside a living person's record goes; a note pointer without
    // a record, levels that jump and lines with no tag are survived.
    const std::string text =
        "0 @I1@ INDI\n1 NAME A /B/\nrubbish line\n1 BIRT\n5 DATE 2001\n1 NOTE @N9@\n"
        "3\n1\n0 @\n@@ \n0 TRLR\n";
    const PrivacyResult result = MakeLivingPrivate(text, LivingMode::NameOnly, kYear);
    EXPECT_EQ(Record(result.Text, "@I1@"), "0 @I1@ INDI\n1 NAME A /B/\n");
    EXPECT_EQ(result.PrivateCount, 1);
}

TEST(LivingPrivacyTest, ModeNamesReadBack) {
    for (LivingMode mode : {LivingMode::Keep, LivingMode::NameOnly, LivingMode::Hide}) {
        LivingMode read = LivingMode::Keep;
        ASSERT_TRUE(ParseLivingMode(LivingModeName(mode), read));
        EXPECT_EQ(read, mode);
    }
    LivingMode read = LivingMode::Keep;
    EXPECT_FALSE(ParseLivingMode("Hide", read));
    EXPECT_FALSE(ParseLivingMode("", read));
}

}  // namespace
}  // namespace vx::privacy
