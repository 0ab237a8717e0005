// Identifiers of any length, identifiers used twice, and families far
// larger than any real one: every record kept, every link found.
#include <string>
#include <vector>

#include "LoadedFileTest.h"
#include "app/Services.h"
#include "gedcom/GEDCollection.h"
#include "gedcom/LinkArray.h"
#include "records/Individual.h"

namespace vx {
namespace {

class RecordedMessages : public UiServices {
  public:
    RecordedMessages() { SetUiServices(this); }
    ~RecordedMessages() override { SetUiServices(nullptr); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

class LinksTest : public test::GedcomFileTest {
  protected:
    RecordedMessages ui_;
};

// More children than a 16-bit count holds, and more than the short lists
// that are walked from their start.
constexpr int kManyLinks = 70000;

TEST_F(LinksTest, IdentifiersLongerThanFifteenBytesStayApart) {
    // Four people whose identifiers differ only in their 17th byte: the
    // first two are the parents of the other two.
    const std::string stem = "I100000000000000";
    std::string text = "0 HEAD\n";
    for (int i = 4; i >= 1; --i)  // descending, so the index is sorted
        text +=
            "0 @" + stem + std::to_string(i) + "@ INDI\n1 NAME P" + std::to_string(i) + " /X/\n";
    text += "0 @F1@ FAM\n1 HUSB @" + stem + "1@\n1 WIFE @" + stem + "2@\n1 CHIL @" + stem +
            "3@\n1 CHIL @" + stem + "4@\n";
    const std::string longest(300, 'L');
    text += "0 @" + longest + "@ INDI\n0 TRLR\n";
    WGEDCollection& c = Load(text);
    ASSERT_EQ(c.IndividualCount(), 5);
    for (int i = 1; i <= 4; ++i) {
        const int32_t n = c.IndividualByXRef(stem + std::to_string(i));
        ASSERT_EQ(n, 5 - i);
        EXPECT_EQ(c.Individual(n)->XRef(), "100000000000000" + std::to_string(i));
    }
    EXPECT_EQ(c.IndividualByXRef(stem), 0);
    EXPECT_EQ(c.IndividualByXRef(stem + "5"), 0);
    EXPECT_EQ(c.IndividualByXRef(longest), 5);
    EXPECT_EQ(c.IndividualByXRef(longest + "L"), 0);
    // Nobody is their own parent.
    for (int child : {3, 4}) {
        const int32_t n = c.IndividualByXRef(stem + std::to_string(child));
        EXPECT_EQ(c.FatherOf(n), c.IndividualByXRef(stem + "1"));
        EXPECT_EQ(c.MotherOf(n), c.IndividualByXRef(stem + "2"));
    }
    EXPECT_EQ(c.FatherOf(c.IndividualByXRef(stem + "1")), 0);
    EXPECT_TRUE(ui_.messages.empty());
    // A small file's indexes, long identifiers included, stay in memory.
    EXPECT_TRUE(TempFileNames().empty());
}

// Enough individuals and families for the link lines to be read in many
// stretches at once, one pair of them taking the last individuals and the
// first families. Lists keep the order of the lines across stretches: an
// individual's own FAMC and FAMS lines first, then the family records', and
// a link named from both sides counts once.
TEST_F(LinksTest, LinksKeepFileOrderOverManyStretchesOfRecords) {
    constexpr int kFamilies = 8000;  // individuals: husbands, wives, children
    auto id = [](const char* kind, int n) {
        return "@" + std::string(kind) + std::to_string(n) + "@";
    };
    auto next = [](int f) { return f % kFamilies + 1; };
    std::string text = "0 HEAD\n";
    for (int f = 1; f <= kFamilies; ++f)
        text += "0 " + id("I", f) + " INDI\n1 FAMS " + id("F", next(f)) + "\n1 FAMS " + id("F", f) +
                "\n";
    for (int f = 1; f <= kFamilies; ++f)
        text += "0 " + id("I", kFamilies + f) + " INDI\n";
    for (int f = 1; f <= kFamilies; ++f)
        text += "0 " + id("I", 2 * kFamilies + f) + " INDI\n1 FAMC " + id("F", f) + "\n";
    for (int f = 1; f <= kFamilies; ++f)
        text += "0 " + id("F", f) + " FAM\n1 HUSB " + id("I", f) + "\n1 WIFE " +
                id("I", kFamilies + f) + "\n1 CHIL " + id("I", 2 * kFamilies + next(f)) +
                "\n1 CHIL " + id("I", 2 * kFamilies + f) + "\n";
    WGEDCollection& c = Load(text + "0 TRLR\n");
    ASSERT_EQ(c.IndividualCount(), 3 * kFamilies);
    const WIndLinks& people = c.IndividualLinks();
    const WFamLinks& families = c.FamilyLinks();
    for (int f = 1; f <= kFamilies; ++f) {
        const int previous = f == 1 ? kFamilies : f - 1;
        SCOPED_TRACE(f);
        ASSERT_EQ(families.Husband(f), f);
        ASSERT_EQ(families.Wife(f), kFamilies + f);
        ASSERT_EQ(families.ChildCount(f), 2);
        ASSERT_EQ(families.Child(f, 1), 2 * kFamilies + f);
        ASSERT_EQ(families.Child(f, 2), 2 * kFamilies + next(f));
        ASSERT_EQ(people.SpouseFamilyCount(f), 2);
        ASSERT_EQ(people.SpouseFamily(f, 1), next(f));
        ASSERT_EQ(people.SpouseFamily(f, 2), f);
        ASSERT_EQ(people.SpouseFamilyCount(kFamilies + f), 1);
        ASSERT_EQ(people.SpouseFamily(kFamilies + f, 1), f);
        ASSERT_EQ(people.ParentFamilyCount(2 * kFamilies + f), 2);
        ASSERT_EQ(people.ParentFamily(2 * kFamilies + f, 1), f);
        ASSERT_EQ(people.ParentFamily(2 * kFamilies + f, 2), previous);
    }
}

TEST_F(LinksTest, IdentifierUsedTwiceIsToldOnceAndLinksReachTheFirst) {
    // In file order (the index stays as read) and out of it (it is sorted).
    for (const std::string& order :
         {std::string("@A1@ @A1@ @B1@ @B1@ @B1@ "), std::string("@B1@ @A1@ @B1@ @A1@ @B1@ ")}) {
        ui_.messages.clear();
        std::string text = "0 HEAD\n";
        for (size_t at = 0; at < order.size(); at += 5)
            text += "0 " + order.substr(at, 4) + " INDI\n1 NAME N" + std::to_string(at / 5 + 1) +
                    " /X/\n";
        text += "0 @F@ FAM\n1 CHIL @A1@\n0 TRLR\n";
        WGEDCollection& c = Load(text);
        EXPECT_EQ(c.IndividualCount(), 5);  // every record is kept
        const int32_t firstA = static_cast<int32_t>(order.find("@A1@") / 5 + 1);
        EXPECT_EQ(c.IndividualByXRef("A1"), firstA) << order;
        EXPECT_EQ(c.IndividualByXRef("B1"), static_cast<int32_t>(order.find("@B1@") / 5 + 1));
        EXPECT_EQ(c.FamilyLinks().Child(1, 1), firstA);
        ASSERT_EQ(ui_.messages.size(), 1u) << order;
        EXPECT_EQ(ui_.messages[0],
                  "More than one individual has the identifier @A1@"
                  " (2 identifiers are each used more than once). Links to such an "
                  "identifier lead to the first record that has it.");
    }
    ui_.messages.clear();
    Load("0 HEAD\n0 @S1@ SOUR\n0 @S1@ SOUR\n0 TRLR\n");
    EXPECT_EQ(ui_.messages, (std::vector<std::string>{
                                "More than one source has the identifier @S1@. Links to such an "
                                "identifier lead to the first record that has it."}));
}

TEST_F(LinksTest, FamilyWithSeventyThousandChildrenKeepsThemAllInOrder) {
    std::string text = "0 HEAD\n0 @F1@ FAM\n";
    for (int i = 1; i <= kManyLinks; ++i)
        text += "1 CHIL @I" + std::to_string(i) + "@\n";
    text += "1 CHIL @I7@\n";  // listed twice: counted once
    for (int i = 1; i <= kManyLinks; ++i)
        text += "0 @I" + std::to_string(i) + "@ INDI\n1 FAMC @F1@\n";
    text += "0 TRLR\n";
    WGEDCollection& c = Load(text);
    ASSERT_EQ(c.IndividualCount(), kManyLinks);
    const WFamLinks& family = c.FamilyLinks();
    ASSERT_EQ(family.ChildCount(1), kManyLinks);
    // Each individual's FAMC line came first: the children are in their order.
    for (int32_t k = 1; k <= kManyLinks; ++k)
        ASSERT_EQ(family.Child(1, k), k) << k;
    EXPECT_EQ(family.Child(1, kManyLinks + 1), 0);
    for (int32_t i : {1, 65535, 65536, kManyLinks}) {
        EXPECT_EQ(c.IndividualLinks().ParentFamilyCount(i), 1);
        EXPECT_EQ(c.IndividualLinks().ParentFamily(i, 1), 1);
    }
}

TEST_F(LinksTest, ChildOfSeventyThousandFamiliesKeepsThemAll) {
    std::string text = "0 HEAD\n0 @I1@ INDI\n";
    for (int f = 1; f <= kManyLinks; ++f)
        text += "1 FAMC @F" + std::to_string(f) + "@\n";
    text += "1 FAMC @F3@\n";
    for (int f = 1; f <= kManyLinks; ++f)
        text += "0 @F" + std::to_string(f) + "@ FAM\n1 CHIL @I1@\n";
    text += "0 TRLR\n";
    WGEDCollection& c = Load(text);
    const WIndLinks& person = c.IndividualLinks();
    ASSERT_EQ(person.ParentFamilyCount(1), kManyLinks);
    for (int32_t k = 1; k <= kManyLinks; ++k)
        ASSERT_EQ(person.ParentFamily(1, k), k) << k;
    EXPECT_EQ(c.FamilyLinks().ChildCount(kManyLinks), 1);
}

TEST_F(LinksTest, LinkListsReadAndWriteAcrossTheLongListBoundary) {
    WLinkArray links;
    const int32_t other = links.NewList(-1);
    const int32_t list = links.NewList(1);
    constexpr int32_t kValues = 1000;
    for (int32_t v = 2; v <= kValues; ++v) {
        ASSERT_TRUE(links.AddToList(list, v, false));
        // Another list grows in between, so the nodes are interleaved.
        if (v % 7 == 0) {
            ASSERT_TRUE(links.AddToList(other, -v, false));
        }
    }
    for (int32_t v : {1, 48, 49, 500, kValues})
        EXPECT_FALSE(links.AddToList(list, v, false));
    links.FinishLoading();
    EXPECT_FALSE(links.AddToList(list, 700, false));  // the set is read again
    EXPECT_TRUE(links.AddToList(list, 700, true));
    for (int32_t k = 1; k <= kValues; ++k)
        ASSERT_EQ(links.ValueAt(list, k), k) << k;
    EXPECT_EQ(links.ValueAt(list, kValues + 1), 700);
    EXPECT_EQ(links.ValueAt(list, kValues + 2), 0);
    EXPECT_EQ(links.ValueAt(list, 0), 0);
    EXPECT_EQ(links.ValueAt(other, 2), -7);
    for (int32_t k : {47, 48, 49, 50, 999}) {
        links.SetValueAt(list, k, -k);
        EXPECT_EQ(links.ValueAt(list, k), -k);
    }
    // A short list is still walked: 48 values fill its 16 nodes.
    const int32_t shortList = links.NewList(1);
    for (int32_t v = 2; v <= 48; ++v)
        links.AddToList(shortList, v, false);
    EXPECT_EQ(links.ValueAt(shortList, 48), 48);
    EXPECT_TRUE(links.AddToList(shortList, 49, false));  // the 17th node
    EXPECT_EQ(links.ValueAt(shortList, 49), 49);
    EXPECT_FALSE(links.AddToList(shortList, 2, false));
}

}  // namespace
}  // namespace vx
