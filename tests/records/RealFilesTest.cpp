// Real GEDCOM files from other projects: the committed fixtures with counts
// and hand-checked people, and, when the shared corpus is beside the
// repository, every file of it read from end to end.
#include <filesystem>
#include <fstream>
#include <regex>

#include "TestSupport.h"
#include "app/Errors.h"
#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "records/Individual.h"
#include "records/Repository.h"

namespace vx {
namespace {

const std::string kData = VELLACOR_TEST_DATA "/gedcom/";

std::unique_ptr<WGEDCollection> LoadFile(const std::string& path) {
    std::string error;
    auto collection = OpenCollection(path, 0, error);
    if (collection) {
        EXPECT_TRUE(collection->Load());
        collection->AfterLoad();
    }
    return collection;
}

// Reads every record the way the screens do; returns a checksum of sizes so
// the work cannot be skipped.
size_t ReadEverything(const WGEDCollection& c) {
    size_t total = c.HeaderText().size() + c.HeaderFields().size();
    if (auto submitter = c.Submitter()) total += submitter->SubmitterName().size();
    for (int32_t n = 1; n <= c.IndividualCount(); ++n) {
        auto person = c.Individual(n);
        total += person->SummaryLine(true).size() + person->AgeText().size() +
                 person->NoteText().size() + person->CitationsText().size() +
                 person->RecordText().size() + person->HasNotes() + person->HasSources();
        for (int i = 1; i <= person->EventCount(kEventOther); ++i)
            total += person->Event(kEventOther, i)->Description().size();
    }
    for (int32_t n = 1; n <= c.FamilyCount(); ++n) {
        auto family = c.Family(n);
        family->SortChildren();
        total += family->MarriageDatePlaceText().size() + family->NoteText().size();
    }
    for (int32_t n = 1; n <= c.NoteCount(); ++n)
        total += c.Note(n)->LineCount();
    for (int32_t n = 1; n <= c.SourceCount(); ++n)
        total += c.Source(n)->SummaryText().size();
    return total;
}

class RealFilesTest : public test::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        WOptions::ResetToDefaults();
        SetTodayProvider([] { return CivilDate{9, 12, 2026}; });
    }
    void TearDown() override {
        SetTodayProvider({});
        TempDirTest::TearDown();
    }
};

TEST_F(RealFilesTest, CountsAndCharacterSets) {
    struct Case {
        const char* file;
        int individuals, families, notes, sources, charSet;
    };
    // Counts taken from the files' level-0 records before TRLR.
    const Case cases[] = {
        {"gedcom4j_willis_ansel.ged", 761, 293, 141, 66, kCharSetAnsel},
        {"gedcom4j_willis_ftm_utf8_crlf.ged", 761, 293, 141, 66, kCharSetUtf8},
        {"gedcom4j_utf8_cr_mostly.ged", 10, 4, 0, 0, kCharSetUtf8},
        {"gedcom4j_ftw_ansi.ged", 64, 17, 1, 2, kCharSetNone},
        {"djeffrey_kennedy_easytree_v501.ged", 69, 19, 0, 11, kCharSetNone},
        {"djeffrey_norse_gods_ansi.ged", 117, 69, 7, 4, kCharSetNone},
        {"djeffrey_tudor_ftm_ansi_phrases.ged", 268, 175, 4, 5, kCharSetNone},
        {"djeffrey_washington_ansi_lds.ged", 529, 114, 0, 0, kCharSetNone},
        {"djeffrey_bourbon_ancestris_french.ged", 303, 139, 5, 6, kCharSetUtf8},
        {"eichmann_allged.ged", 8, 4, 0, 1, kCharSetNone},
    };
    for (const Case& k : cases) {
        auto c = LoadFile(kData + k.file);
        ASSERT_NE(c, nullptr) << k.file;
        EXPECT_EQ(c->IndividualCount(), k.individuals) << k.file;
        EXPECT_EQ(c->FamilyCount(), k.families) << k.file;
        EXPECT_EQ(c->NoteCount(), k.notes) << k.file;
        EXPECT_EQ(c->SourceCount(), k.sources) << k.file;
        EXPECT_EQ(c->CharacterSet(), k.charSet) << k.file;
        EXPECT_GT(ReadEverything(*c), 0u) << k.file;
    }
}

// Two exports of one tree from different programs, in different character
// sets and record orders, name the same people with the same vital data.
TEST_F(RealFilesTest, TheSameTreeInAnselAndUtf8ReadsTheSame) {
    auto ansel = LoadFile(kData + "gedcom4j_willis_ansel.ged");
    auto utf8 = LoadFile(kData + "gedcom4j_willis_ftm_utf8_crlf.ged");
    ASSERT_EQ(ansel->IndividualCount(), utf8->IndividualCount());
    for (int32_t n = 1; n <= ansel->IndividualCount(); ++n) {
        const WGEDTextMMF& text = ansel->GedFile();
        const auto id =
            text.LineXRef(ansel->RecordLine(WGEDCollection::kSlotIndividual, n) + 2, false);
        ASSERT_TRUE(id.has_value());
        const int32_t m = utf8->IndividualByXRef(*id);
        ASSERT_GT(m, 0) << *id;
        ASSERT_EQ(ansel->Individual(n)->SummaryLine(false), utf8->Individual(m)->SummaryLine(false))
            << *id;
    }
}

TEST_F(RealFilesTest, HandCheckedKennedy) {
    auto c = LoadFile(kData + "djeffrey_kennedy_easytree_v501.ged");
    auto joe = c->Individual(1);
    EXPECT_EQ(joe->FullName(true), "Joseph Patrick /KENNEDY/");
    EXPECT_EQ(joe->Sex(), "M");
    EXPECT_EQ(joe->EventPlaceText(kEventBirth), "Boston, MA");
    EXPECT_EQ(joe->EventYear(kEventBirth), 1888);
    EXPECT_EQ(joe->EventPlaceText(kEventDeath), "Hyannis Port, MA");
    EXPECT_EQ(joe->AgeText(), "81");
    EXPECT_EQ(joe->EventPlaceText(kEventBurial), "Holyhood Cemetery, Brookline, MA");
    ASSERT_GE(joe->EventCount(kEventOther), 2);
    EXPECT_EQ(joe->Event(kEventOther, 1)->EventName(), "Occupation");
    EXPECT_EQ(joe->Event(kEventOther, 1)->Description(), "Bank President, Ambassador");
    const std::string note = joe->NoteText();
    EXPECT_EQ(note.rfind("From the time he was a school boy", 0), 0u);
    EXPECT_NE(note.find("\r\nHe had an interesting hobby of tinkering with clocks."),
              std::string::npos);
    EXPECT_FALSE(joe->IsPossiblyLiving(110));
}

// One of Eichmann's UNICODE test files in five byte orders and line ends:
// every form reads as the same people, Cyrillic and Greek names included.
TEST_F(RealFilesTest, Utf16FilesInEveryFormReadAlike) {
    const char* files[] = {
        "eichmann_charset_utf16le_bom_crlf.ged", "eichmann_charset_utf16be_bom_crlf.ged",
        "eichmann_charset_utf16le_crlf.ged",     "eichmann_charset_utf16be_crlf.ged",
        "eichmann_charset_utf16le_lfcr.ged",
    };
    std::vector<std::string> first;
    for (const char* file : files) {
        auto c = LoadFile(kData + file);
        ASSERT_NE(c, nullptr) << file;
        EXPECT_EQ(c->CharacterSet(), kCharSetUtf8) << file;
        std::vector<std::string> people;
        for (int32_t n = 1; n <= c->IndividualCount(); ++n)
            people.push_back(c->Individual(n)->SummaryLine(true));
        if (first.empty()) {
            first = people;
            ASSERT_GT(people.size(), 2u);
            bool cyrillic = false, greek = false;
            for (const std::string& line : people) {
                cyrillic = cyrillic || line.find("\xD0") != std::string::npos;
                greek = greek || line.find("\xCE") != std::string::npos;
            }
            EXPECT_TRUE(cyrillic && greek);
        } else {
            EXPECT_EQ(people, first) << file;
        }
    }
}

// RootsMagic writes _UID and RIN lines between MARR and its DATE: every
// dated marriage of the file keeps its date.
TEST_F(RealFilesTest, MarriageDatesAfterOtherLines) {
    const std::string path = kData + "djeffrey_queen_rootsmagic.ged";
    // A plain reading: DATE lines directly below a MARR line.
    std::ifstream in(path, std::ios::binary);
    std::string line;
    bool inMarriage = false;
    int dated = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("1 ", 0) == 0 || line.rfind("0 ", 0) == 0) inMarriage = line == "1 MARR";
        dated += inMarriage && line.rfind("2 DATE ", 0) == 0;
    }
    ASSERT_GT(dated, 100);
    auto c = LoadFile(path);
    ASSERT_NE(c, nullptr);
    int found = 0;
    for (int32_t n = 1; n <= c->FamilyCount(); ++n)
        found += c->Family(n)->MarriageDate() != nullptr;
    EXPECT_EQ(found, dated);
}

// Every file of the shared corpus opens (or is refused with a clear message)
// and reads without an error, with counts that agree with a plain reading.
TEST_F(RealFilesTest, SharedCorpus) {
    const std::filesystem::path corpus =
        std::filesystem::path(VELLACOR_TEST_DATA).parent_path().parent_path().parent_path() /
        "shared" / "testdata" / "gedcom";
    if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no shared corpus at " << corpus;
    const std::regex individual("^0 @[^@]+@ +INDI");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (entry.path().extension() != ".ged") continue;
        const std::string path = entry.path().string();
        ++files;
        std::string error;
        std::unique_ptr<WGEDCollection> c;
        ASSERT_NO_THROW(c = OpenCollection(path, 0, error)) << path;
        ASSERT_TRUE(c) << path << ": " << error;
        ASSERT_TRUE(c->Load()) << path;
        c->AfterLoad();
        ASSERT_NO_THROW(ReadEverything(*c)) << path;

        // Level-0 INDI records after the first line and before the trailer.
        std::string bytes = test::ReadFile(path);
        if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);  // a byte-order mark
        // UTF-16 in either order: the record lines are ASCII, so keeping
        // every other byte is enough to count them.
        const bool little = bytes.size() > 1 && (bytes.rfind("\xFF\xFE", 0) == 0 || bytes[1] == 0);
        const bool big = bytes.size() > 1 && (bytes.rfind("\xFE\xFF", 0) == 0 || bytes[0] == 0);
        if (little || big) {
            std::string narrow;
            for (size_t at = little ? 0 : 1; at < bytes.size(); at += 2)
                narrow += bytes[at];
            bytes = narrow;
        }
        std::vector<std::string> lines;
        std::string line;
        for (char ch : bytes) {
            if (ch == '\r' || ch == '\n') {
                lines.push_back(line);
                line.clear();
            } else {
                line += ch;
            }
        }
        lines.push_back(line);
        int expected = 0;
        bool header = true;
        for (const std::string& l : lines) {
            if (l.empty() || l[0] != '0') continue;
            if (header) {
                header = false;
                continue;
            }
            if (l.rfind("0 TR", 0) == 0) break;
            expected += std::regex_search(l, individual);
        }
        EXPECT_EQ(c->IndividualCount(), expected) << path;
    }
    EXPECT_GT(files, 50);
}

}  // namespace
}  // namespace vx
