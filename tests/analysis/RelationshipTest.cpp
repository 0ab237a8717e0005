#include <cstdlib>
#include <string>
#include <vector>

#include "LoadedFileTest.h"
#include "analysis/RelationShipCalc.h"
#include "app/Options.h"
#include "gedcom/GEDCollection.h"

namespace vx {
namespace {

struct Fam {
    int32_t husband, wife;
    std::vector<int32_t> children;
};

// Individual n has sex sexes[n - 1] and, when named, the name "Pn Root".
// Children are linked from the family records, so parent families come
// in family order.
std::string Ged(const std::string& sexes, const std::vector<Fam>& families, bool named = true) {
    std::string text = "0 HEAD\n";
    for (size_t i = 1; i <= sexes.size(); ++i) {
        const std::string n = std::to_string(i);
        text += "0 @I" + n + "@ INDI\n" + (named ? "1 NAME P" + n + " /Root/\n" : "") + "1 SEX " +
                sexes[i - 1] + "\n";
    }
    for (size_t f = 0; f < families.size(); ++f) {
        text += "0 @F" + std::to_string(f + 1) + "@ FAM\n";
        if (int32_t h = families[f].husband) text += "1 HUSB @I" + std::to_string(h) + "@\n";
        if (int32_t w = families[f].wife) text += "1 WIFE @I" + std::to_string(w) + "@\n";
        for (int32_t c : families[f].children)
            text += "1 CHIL @I" + std::to_string(c) + "@\n";
    }
    return text + "0 TRLR\n";
}

std::string Greats(int32_t n) {
    return n <= 3 ? std::string(static_cast<size_t>(n), 'G') : std::to_string(n) + "G";
}

int32_t DeepCount(const char* variable, int32_t fallback) {
    const char* value = std::getenv(variable);
    return value ? std::atoi(value) : fallback;
}

class RelationshipTest : public test::GedcomFileTest {
  protected:
    void SetUp() override {
        GedcomFileTest::SetUp();
        WOptions::SetFlag(opt::kNameUpper, false);
        WOptions::SetFlag(opt::kNameSlash, false);
        WOptions::SetFlag(opt::kFNValueFlag, true);
        WOptions::SetInt(opt::kFNValue, 2);  // "(number)" after the name
    }
    void TearDown() override {
        calc_.reset();
        GedcomFileTest::TearDown();
    }
    void Load(const std::string& content) {
        calc_.reset();  // it refers to the collection about to go
        ASSERT_TRUE(test::LoadGedcomText(collection_, Path("t.ged"), content));
        calc_ = std::make_unique<WRelCalc>(collection_.get());
    }
    std::string Rel(int32_t base, int32_t other) { return calc_->Relationship(base, other); }
    std::string Ancestor(int32_t base, int32_t other, bool full) {
        return calc_->CommonAncestorName(base, other, full);
    }

    std::unique_ptr<WRelCalc> calc_;
};

// Rows the family tests below do not reach.
TEST(RelationTextTest, RowsOfTheTable) {
    constexpr auto M = WRelCalc::kMale, F = WRelCalc::kFemale, U = WRelCalc::kUnknown;
    const struct {
        int32_t a, b;
        WRelCalc::SexIndex sex;
        const char* text;
    } rows[] = {
        // clang-format off
        {0, 1, U, "Son or Daughter"}, {0, 5, M, "GGG Grand Son"}, {0, 6, F, "4G Grand Daughter"},
        {1, 0, U, "Parent"}, {1, 2, U, "Nephew or Niece"}, {1, 4, F, "G Grand Niece"},
        {1, 7, F, "4G Grand Niece"}, {2, 1, U, "Uncle or Aunt"}, {2, 4, M, "1C2R"},
        {6, 0, U, "4G Grand Parent"}, {4, 1, F, "G Great Aunt"}, {7, 1, M, "4G Great Uncle"},
        {4, 2, M, "1C2R"}, {3, 5, M, "2C2R"}, {12, 10, M, "9C2R"}, {-1, 2, M, ""},
        // clang-format on
    };
    for (const auto& r : rows)
        EXPECT_EQ(WRelCalc::RelationText(r.a, r.b, r.sex), r.text) << r.a << "," << r.b;
    EXPECT_EQ(WRelCalc::SexIndexOf("F"), F);
    EXPECT_EQ(WRelCalc::SexIndexOf("m"), U);
}

// Base person 9 with four generations above and three below: aunts,
// cousins of both removals, nieces, a half-brother (13) and in-laws.
TEST_F(RelationshipTest, ExtendedFamily) {
    // clang-format off
    Load(Ged("MFMFFMFFMFUFMMFMMMFMMFMFFMMMMFFMMF",
             {{1, 2, {3, 4}}, {3, 5, {6, 7}}, {6, 8, {9, 10, 11}}, {6, 12, {13}}, {14, 7, {15}},
              {16, 15, {17}}, {18, 10, {19, 20}}, {20, 34, {21}}, {9, 22, {23}}, {23, 24, {25}},
              {26, 25, {27}}, {28, 4, {29}}, {29, 30, {31}}, {33, 0, {1}}}));
    const std::vector<std::pair<int32_t, const char*>> expected = {
        {9, "* Selected Person *"}, {6, "Father"}, {8, "Mother"}, {3, "Grand Father"},
        {2, "G Grand Mother"}, {33, "GG Grand Father"}, {10, "Sister"},
        {11, "Brother or Sister"}, {13, "Brother"}, {7, "Aunt"}, {4, "Great Aunt"},
        {15, "1st Cousin"}, {17, "1C1R"}, {29, "1C1R"}, {31, "2C"}, {19, "Niece"},
        {20, "Nephew"}, {21, "Grand Nephew"}, {23, "Son"}, {25, "Grand Daughter"},
        {27, "G Grand Son"}, {22, ""}, {32, ""}, {12, ""}};
    // clang-format on
    for (const auto& [other, text] : expected)
        EXPECT_EQ(Rel(9, other), text) << "individual " << other;
    EXPECT_EQ(Rel(17, 9), "1C1R");
    EXPECT_EQ(Rel(29, 9), "1C1R");
    EXPECT_EQ(Rel(31, 9), "2C");
    EXPECT_EQ(Rel(21, 9), "Great Uncle");

    // The grandfather is reached before the grandmother.
    EXPECT_EQ(Rel(9, 15), "1st Cousin");
    EXPECT_EQ(Ancestor(9, 15, true), "P3 Root (3)");
    EXPECT_EQ(Ancestor(9, 15, false), "Root, P3");
    EXPECT_EQ(Rel(9, 13), "Brother");
    EXPECT_EQ(Ancestor(9, 13, false), "Root, P6");
    // No name when the ancestor is one of the pair, or there is none.
    for (int32_t other : {1, 27, 9, 32}) {
        Rel(9, other);
        EXPECT_EQ(Ancestor(9, other, true), "") << other;
    }
    EXPECT_EQ(calc_->CommonAncestor(), 0);

    // Numbers without a person, and a base person changing back and forth.
    for (auto [base, other] : std::initializer_list<std::pair<int32_t, int32_t>>{
             {0, 9}, {9, 0}, {9, 35}, {-4, 9}, {35, 35}, {0, 0}})
        EXPECT_EQ(Rel(base, other), "") << base << " " << other;
    EXPECT_EQ(Rel(17, 6), "Great Uncle");
    EXPECT_EQ(Rel(9, 6), "Father");
    EXPECT_EQ(WRelCalc(nullptr).Relationship(9, 6), "");
}

// 5 (X) is the father's father's father and the mother's father of base 1:
// marked first through the father, he and his ancestors must be marked
// again at the shorter distance.
TEST_F(RelationshipTest, ShortestDistanceAndWalkOrder) {
    Load(Ged("MMFMMMMM", {{2, 3, {1}}, {4, 0, {2}}, {5, 0, {4, 3}}, {6, 0, {5, 7}}}));
    EXPECT_EQ(Rel(1, 5), "Grand Father");
    EXPECT_EQ(Rel(1, 7), "Great Uncle");
    EXPECT_EQ(Rel(1, 8), "");

    // Base 1; 4 and 5 are its grandfathers. 6's father 7 is a son of 5, its
    // mother 8 a granddaughter of 4: the father's side is walked first. 10's
    // father 11 is a grandson of 2, its mother 13 a daughter of 2: b is the
    // depth at which 2 was first reached.
    Load(Ged("MFMFMFMFMFMFMF", {{2, 3, {1}},
                                {4, 0, {2}},
                                {5, 0, {3}},
                                {7, 8, {6}},
                                {5, 0, {7}},
                                {9, 0, {8}},
                                {4, 0, {9}},
                                {11, 13, {10}},
                                {12, 0, {11}},
                                {2, 0, {12, 13}}}));
    EXPECT_EQ(Rel(1, 6), "1st Cousin");
    EXPECT_EQ(calc_->CommonAncestor(), 5);
    EXPECT_EQ(Rel(1, 10), "Grand Niece");
    EXPECT_EQ(calc_->OtherDistance(), 3);
}

// A man who is his own grandfather: both walks must end.
TEST_F(RelationshipTest, AncestryLoopsEnd) {
    Load(Ged("MMMM", {{2, 0, {1}}, {3, 0, {2}}, {1, 0, {3}}}));
    EXPECT_EQ(Rel(1, 3), "Grand Father");
    EXPECT_EQ(Rel(2, 1), "Grand Father");
    EXPECT_EQ(Rel(4, 1), "");
}

// Person i's only parent family has person i + 1 as husband. The marking
// (base at the bottom) and the walk (base at the top) climb the whole
// line, far deeper than the call stack allows, and past 65535
// generations. VELLACOR_DEEP_GENERATIONS sets the depth.
TEST_F(RelationshipTest, LineOfManyGenerations) {
    const int32_t n = DeepCount("VELLACOR_DEEP_GENERATIONS", 200000);
    std::vector<Fam> families;
    for (int32_t i = 1; i < n; ++i)
        families.push_back({i + 1, 0, {i}});
    Load(Ged(std::string(static_cast<size_t>(n), 'M'), families, false));
    EXPECT_EQ(Rel(1, n), Greats(n - 3) + " Grand Father");
    EXPECT_EQ(Rel(n, 1), Greats(n - 3) + " Grand Son");
    EXPECT_EQ(Rel(n, n - 1), "Son");
    // Everyone against one base: marked once, each walk ends at once.
    int32_t related = 0;
    for (int32_t i = 1; i <= n; ++i)
        related += !Rel(1, i).empty();
    EXPECT_EQ(related, n);
}

// Generation g is a brother and sister (2g + 1, 2g + 2), g = 0 .. n, the
// parents of generation g - 1: one island of 2n + 2 people, n generations
// deep. VELLACOR_DEEP_COUPLES sets n.
TEST_F(RelationshipTest, OneDeepIsland) {
    const int32_t n = DeepCount("VELLACOR_DEEP_COUPLES", 100000);
    auto husband = [](int32_t g) { return 2 * g + 1; };
    auto wife = [](int32_t g) { return 2 * g + 2; };
    std::vector<Fam> families;
    for (int32_t g = 0; g < n; ++g)
        families.push_back({husband(g + 1), wife(g + 1), {husband(g), wife(g)}});
    std::string sexes;
    for (int32_t g = 0; g <= n; ++g)
        sexes += "MF";
    Load(Ged(sexes, families, false));
    EXPECT_EQ(Rel(husband(0), wife(0)), "Sister");
    EXPECT_EQ(Rel(husband(0), wife(n)), Greats(n - 2) + " Grand Mother");
    // The walk from the bottom climbs every husband before the top wife.
    EXPECT_EQ(Rel(wife(n), wife(0)), Greats(n - 2) + " Grand Daughter");
    EXPECT_EQ(Rel(husband(n), wife(1)), Greats(n - 3) + " Grand Daughter");
}

}  // namespace
}  // namespace vx
