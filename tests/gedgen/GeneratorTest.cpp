#include "Generator.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <regex>
#include <set>
#include <string_view>
#include <vector>

#include "TestSupport.h"

namespace vx::gedgen {
namespace {

Options People(uint64_t individuals, uint64_t seed = 1) {
    Options options;
    options.individuals = individuals;
    options.seed = seed;
    return options;
}

uint64_t Fnv1a(std::string_view bytes) {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    return hash;
}

std::vector<std::string_view> SplitLines(std::string_view text, std::string_view lineEnd) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find(lineEnd);
        if (end == std::string_view::npos) {
            ADD_FAILURE() << "text does not end in a line end";
            break;
        }
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + lineEnd.size());
    }
    return lines;
}

// A generated file read back: record kinds by identifier and the family
// links seen from both sides.
struct Tree {
    std::map<std::string_view, std::string_view> kinds;  // "@I1@" -> "INDI"
    std::map<std::string_view, std::vector<std::string_view>> spouseIn,
        childIn;  // person -> families
    std::map<std::string_view, std::vector<std::string_view>> partners,
        children;  // family -> people
    std::vector<std::string_view> dates;
    size_t individuals = 0;
};

// Reads the lines, checking the line syntax and that every pointer names a
// record of the kind its tag calls for.
void ReadTree(const std::vector<std::string_view>& lines, Tree& tree) {
    static const std::map<std::string_view, std::string_view> kTarget = {
        {"FAMS", "FAM"},  {"FAMC", "FAM"},  {"HUSB", "INDI"}, {"WIFE", "INDI"}, {"CHIL", "INDI"},
        {"SOUR", "SOUR"}, {"NOTE", "NOTE"}, {"REPO", "REPO"}, {"SUBM", "SUBM"},
    };
    std::vector<std::pair<std::string_view, std::string_view>> pointers;  // value, expected kind
    std::string_view record;
    int previous = -1;
    for (std::string_view line : lines) {
        ASSERT_GE(line.size(), 3u) << line;
        ASSERT_TRUE(line[0] >= '0' && line[0] <= '9' && line[1] == ' ') << line;
        ASSERT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << line;
        const int level = line[0] - '0';
        ASSERT_LE(level, previous + 1) << line;
        previous = level;

        std::string_view rest = line.substr(2);
        if (level == 0) {
            record = {};
            if (rest[0] == '@') {
                record = rest.substr(0, rest.find(' '));
                std::string_view kind = rest.substr(record.size() + 1);
                kind = kind.substr(0, kind.find(' '));
                ASSERT_TRUE(tree.kinds.emplace(record, kind).second) << "twice: " << record;
                if (kind == "INDI") ++tree.individuals;
            }
            continue;
        }
        const std::string_view tag = rest.substr(0, rest.find(' '));
        const std::string_view value =
            tag.size() < rest.size() ? rest.substr(tag.size() + 1) : std::string_view();
        if (tag == "DATE") tree.dates.push_back(value);
        if (value.empty() || value[0] != '@' || value.substr(0, 2) == "@#") continue;
        const auto target = kTarget.find(tag);
        ASSERT_NE(target, kTarget.end()) << "pointer under an unexpected tag: " << line;
        pointers.emplace_back(value, target->second);
        if (tag == "FAMS") tree.spouseIn[record].push_back(value);
        if (tag == "FAMC") tree.childIn[record].push_back(value);
        if (tag == "HUSB" || tag == "WIFE") tree.partners[record].push_back(value);
        if (tag == "CHIL") tree.children[record].push_back(value);
    }
    for (const auto& [value, kind] : pointers) {
        const auto found = tree.kinds.find(value);
        ASSERT_NE(found, tree.kinds.end()) << "dangling pointer " << value;
        EXPECT_EQ(found->second, kind) << value;
    }
}

bool Contains(const std::vector<std::string_view>& list, std::string_view item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

TEST(GeneratorTest, SameSeedGivesSameBytesAndOtherSeedOtherBytes) {
    const std::string first = GenerateString(People(1000, 7));
    EXPECT_TRUE(first == GenerateString(People(1000, 7)));
    EXPECT_FALSE(first == GenerateString(People(1000, 8)));
}

// The bytes must not depend on the platform or standard library. When this
// fails after a deliberate change of the output, raise kOutputVersion (so
// cached benchmark files are made again) and take the new value.
TEST(GeneratorTest, OutputIsPinned) {
    EXPECT_EQ(kOutputVersion, 1);
    EXPECT_EQ(Fnv1a(GenerateString(People(300, 42))), 0x3BA28F6942C44745ull);
}

TEST(GeneratorTest, FileIsWellFormedAndFamilyLinksAgreeBothWays) {
    Stats stats;
    const std::string text = GenerateString(People(1000), &stats);
    const std::vector<std::string_view> lines = SplitLines(text, "\r\n");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "0 HEAD");
    EXPECT_EQ(lines.back(), "0 TRLR");
    Tree tree;
    ReadTree(lines, tree);
    if (HasFatalFailure()) return;

    EXPECT_EQ(tree.individuals, 1000u);
    EXPECT_EQ(stats.individuals, 1000u);
    EXPECT_EQ(stats.bytes, text.size());
    EXPECT_EQ(stats.lines, lines.size());
    EXPECT_EQ(stats.records, static_cast<uint64_t>(std::count_if(
                                 lines.begin(), lines.end(), [](auto l) { return l[0] == '0'; })));
    for (std::string_view header :
         {"1 GEDC", "2 VERS 5.5.1", "2 FORM LINEAGE-LINKED", "1 CHAR UTF-8"})
        EXPECT_TRUE(Contains(lines, header)) << header;

    for (const auto& [person, families] : tree.spouseIn)
        for (std::string_view family : families)
            EXPECT_TRUE(tree.partners.count(family) && Contains(tree.partners.at(family), person))
                << person << " FAMS " << family;
    for (const auto& [person, families] : tree.childIn)
        for (std::string_view family : families)
            EXPECT_TRUE(tree.children.count(family) && Contains(tree.children.at(family), person))
                << person << " FAMC " << family;
    for (const auto& [family, people] : tree.partners)
        for (std::string_view person : people)
            EXPECT_TRUE(tree.spouseIn.count(person) && Contains(tree.spouseIn.at(person), family))
                << family << " HUSB/WIFE " << person;
    for (const auto& [family, people] : tree.children)
        for (std::string_view person : people)
            EXPECT_TRUE(tree.childIn.count(person) && Contains(tree.childIn.at(person), family))
                << family << " CHIL " << person;
}

TEST(GeneratorTest, PeopleFormSeveralUnconnectedGroupsAndSomeStandAlone) {
    const std::string text = GenerateString(People(1000));
    Tree tree;
    ReadTree(SplitLines(text, "\r\n"), tree);
    if (HasFatalFailure()) return;

    std::map<std::string_view, size_t> number;
    for (const auto& [id, kind] : tree.kinds)
        if (kind == "INDI") number.emplace(id, number.size());
    std::vector<size_t> parent(number.size());
    std::iota(parent.begin(), parent.end(), 0);
    auto root = [&](size_t n) {
        while (parent[n] != n)
            n = parent[n] = parent[parent[n]];
        return n;
    };
    auto join = [&](const std::map<std::string_view, std::vector<std::string_view>>& links) {
        for (const auto& [person, families] : links)
            for (std::string_view family : families)
                for (const auto* members : {&tree.partners, &tree.children})
                    if (members->count(family))
                        for (std::string_view other : members->at(family))
                            parent[root(number.at(person))] = root(number.at(other));
    };
    join(tree.spouseIn);
    join(tree.childIn);

    std::set<size_t> groups;
    size_t alone = 0;
    for (const auto& [id, n] : number) {
        groups.insert(root(n));
        if (!tree.spouseIn.count(id) && !tree.childIn.count(id)) ++alone;
    }
    EXPECT_GT(alone, 0u);
    EXPECT_GE(groups.size() - alone, 3u) << "family groups besides the people standing alone";
}

TEST(GeneratorTest, DatesTakeEveryCommonForm) {
    const std::string text = GenerateString(People(1000));
    Tree tree;
    ReadTree(SplitLines(text, "\r\n"), tree);
    const std::string month = "(JAN|FEB|MAR|APR|MAY|JUN|JUL|AUG|SEP|OCT|NOV|DEC)";
    const std::pair<const char*, std::regex> kForms[] = {
        {"exact", std::regex(R"(\d{1,2} )" + month + R"( \d{4})")},
        {"month", std::regex(month + R"( \d{4})")},
        {"year", std::regex(R"(\d{4})")},
        {"double year", std::regex(R"(\d{1,2} (JAN|FEB|MAR) \d{4}/\d\d)")},
        {"julian", std::regex(R"(@#DJULIAN@ \d{1,2} )" + month + R"( \d{4}(/\d\d)?)")},
        {"qualified", std::regex(R"((ABT|BEF|AFT|CAL|EST) \d{4})")},
        {"between", std::regex(R"(BET \d{4} AND \d{4})")},
        {"period", std::regex(R"(FROM \d{4} TO \d{4})")},
    };
    size_t understood = 0;
    for (const auto& [name, form] : kForms) {
        const auto matches = std::count_if(tree.dates.begin(), tree.dates.end(), [&](auto date) {
            return std::regex_match(date.begin(), date.end(), form);
        });
        EXPECT_GT(matches, 0) << name;
        understood += matches;
    }
    // What no form describes is the occasional free text.
    EXPECT_LT(understood, tree.dates.size());
    EXPECT_GT(understood, tree.dates.size() * 95 / 100);
}

TEST(GeneratorTest, LineFeedsAndAnselChangeOnlyTheBytes) {
    Options options = People(300, 3);
    Stats crlfUtf8;
    GenerateString(options, &crlfUtf8);
    options.lineEnd = LineEnd::Lf;
    options.charset = Charset::Ansel;
    Stats lfAnsel;
    const std::string text = GenerateString(options, &lfAnsel);

    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_NE(text.find("\n1 CHAR ANSEL\n"), std::string::npos);
    EXPECT_EQ(lfAnsel.lines, crlfUtf8.lines);
    EXPECT_EQ(lfAnsel.individuals, crlfUtf8.individuals);
    EXPECT_EQ(lfAnsel.families, crlfUtf8.families);
    // Accents are ANSEL combining marks (0xE0 and up) before the letter,
    // never UTF-8 sequences (lead bytes 0xC2 to 0xDF).
    EXPECT_TRUE(std::any_of(text.begin(), text.end(),
                            [](char c) { return static_cast<unsigned char>(c) >= 0xE0; }));
    EXPECT_TRUE(std::none_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b >= 0xC2 && b <= 0xDF;
    }));
}

class GeneratorFileTest : public test::TempDirTest {};

TEST_F(GeneratorFileTest, FileHoldsTheSameBytesAndSizeTargetIsMetClosely) {
    Options options;
    options.targetBytes = 2'000'000;
    const Stats stats = GenerateFile(options, Path("sized.ged"));
    const std::string file = test::ReadFile(Path("sized.ged"));
    EXPECT_TRUE(file == GenerateString(options));
    EXPECT_EQ(stats.bytes, file.size());
    EXPECT_GE(file.size(), 2'000'000u);
    EXPECT_LT(file.size(), 2'020'000u);
    EXPECT_EQ(file.substr(file.size() - 8), "0 TRLR\r\n");

    EXPECT_THROW(GenerateFile(options, Path("no/such/folder.ged")), std::runtime_error);
}

}  // namespace
}  // namespace vx::gedgen
