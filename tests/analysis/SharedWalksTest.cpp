// Ancestor and descendant counts and relationships for everybody, where
// people down a line share the work: checked against plain walks on random
// files full of cousin marriages, loops and repeated parents, and on lines
// far too deep for one walk per person.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <queue>
#include <random>
#include <string>
#include <vector>

#include "DeepLines.h"
#include "LoadedFileTest.h"
#include "analysis/FamilyAnalysis.h"
#include "analysis/RelationShipCalc.h"
#include "analysis/Statistics.h"
#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "records/Individual.h"
#include "records/Marriage.h"

namespace vx {
namespace {

class SharedWalksTest : public test::GedcomFileTest {
  protected:
    // Parents (husband then wife of each parent family) or children of p,
    // as the collection links them, absent people left out.
    std::vector<int32_t> Next(int32_t p, bool up) const {
        std::vector<int32_t> out;
        auto person = collection_->Individual(p);
        const int families = up ? person->ParentFamilyCount() : person->SpouseFamilyCount();
        for (int i = 1; i <= families; ++i) {
            auto family =
                collection_->Family(up ? person->ParentFamily(i) : person->SpouseFamily(i));
            if (!family) continue;
            if (up) {
                for (int32_t q : {family->Husband(), family->Wife()})
                    if (q > 0) out.push_back(q);
            } else {
                for (int k = 1; k <= family->ChildCount(); ++k)
                    if (family->Child(k) > 0) out.push_back(family->Child(k));
            }
        }
        return out;
    }

    // Everybody reachable from n, n itself excluded, by breadth-first search.
    int32_t ReachableCount(int32_t n, bool up) const {
        std::vector<bool> seen(static_cast<size_t>(collection_->IndividualCount()) + 1);
        seen[static_cast<size_t>(n)] = true;
        std::queue<int32_t> queue;
        queue.push(n);
        int32_t count = 0;
        while (!queue.empty()) {
            for (int32_t q : Next(queue.front(), up))
                if (!seen[static_cast<size_t>(q)]) {
                    seen[static_cast<size_t>(q)] = true;
                    ++count;
                    queue.push(q);
                }
            queue.pop();
        }
        return count;
    }

    struct Relation {
        int32_t ancestor = 0, a = -1, b = -1;
        bool operator==(const Relation&) const = default;
    };
    // The relationship by its definition: the fewest generations from the
    // base up to each of its ancestors (breadth-first), then a depth-first
    // climb from the other person, parents in order, each person once, that
    // stops at the base's ancestors and keeps the first strictly nearest.
    Relation Reference(int32_t base, int32_t other) const {
        const size_t people = static_cast<size_t>(collection_->IndividualCount()) + 1;
        std::vector<int32_t> distance(people, -1);
        std::queue<int32_t> queue;
        distance[static_cast<size_t>(base)] = 0;
        queue.push(base);
        while (!queue.empty()) {
            const int32_t p = queue.front();
            queue.pop();
            for (int32_t q : Next(p, true))
                if (distance[static_cast<size_t>(q)] < 0) {
                    distance[static_cast<size_t>(q)] = distance[static_cast<size_t>(p)] + 1;
                    queue.push(q);
                }
        }
        Relation best;
        std::vector<bool> seen(people);
        std::vector<std::pair<int32_t, int32_t>> stack{{other, 0}};
        while (!stack.empty()) {
            const auto [p, depth] = stack.back();
            stack.pop_back();
            if (seen[static_cast<size_t>(p)]) continue;
            seen[static_cast<size_t>(p)] = true;
            const int32_t d = distance[static_cast<size_t>(p)];
            if (d < 0) {
                const std::vector<int32_t> parents = Next(p, true);
                for (auto it = parents.rbegin(); it != parents.rend(); ++it)
                    stack.push_back({*it, depth + 1});
            } else if (best.ancestor == 0 || d < best.a) {
                best = {p, d, depth};
                if (d == 0) break;
            }
        }
        return best;
    }
    static Relation Answer(WRelCalc& calc, int32_t base, int32_t other) {
        const bool related = !calc.Relationship(base, other).empty();
        Relation r{calc.CommonAncestor(), calc.BaseDistance(), calc.OtherDistance()};
        EXPECT_EQ(related, r.ancestor != 0);
        return r;
    }
};

// People in generations of a few each; every family takes its spouses
// from the generations above its children, mostly the one just above, so
// cousins marry, lines skip generations, a child has several parent
// families and, now and then, a parent appears twice or a line loops back.
std::string RandomFile(std::mt19937& random, int32_t people) {
    std::string text = "0 HEAD\n";
    for (int32_t i = 1; i <= people; ++i)
        text += "0 @I" + std::to_string(i) + "@ INDI\n1 SEX " + (i % 2 ? "M" : "F") + "\n";
    auto pick = [&](int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random);
    };
    constexpr int32_t kGeneration = 6;
    int32_t families = 0;
    for (int32_t child = kGeneration + 1; child <= people; ++child) {
        const int parentFamilies = pick(0, 9) < 8 ? 1 : pick(0, 2);
        for (int f = 0; f < parentFamilies; ++f) {
            const int32_t above = std::max(1, child - kGeneration - pick(0, 2 * kGeneration));
            auto parent = [&] { return pick(std::max(1, above - kGeneration), above); };
            int32_t husband = pick(0, 9) ? parent() : 0;
            int32_t wife = pick(0, 9) ? parent() : 0;
            if (pick(0, 40) == 0) wife = husband;                 // the same person twice
            if (pick(0, 60) == 0) husband = pick(child, people);  // a loop through the future
            text += "0 @F" + std::to_string(++families) + "@ FAM\n";
            if (husband) text += "1 HUSB @I" + std::to_string(husband) + "@\n";
            if (wife) text += "1 WIFE @I" + std::to_string(wife) + "@\n";
            text += "1 CHIL @I" + std::to_string(child) + "@\n";
        }
    }
    return text + "0 TRLR\n";
}

TEST_F(SharedWalksTest, RandomFilesMatchPlainWalks) {
    std::mt19937 random(20240521);
    constexpr int kFiles = 12;
    constexpr int32_t kPeople = 160;
    for (int file = 0; file < kFiles; ++file) {
        WGEDCollection& c = Load(RandomFile(random, kPeople));
        FamilyAnalysis analysis(c);
        WFamilyStatistics& statistics = analysis.Statistics();
        ASSERT_EQ(c.IndividualCount(), kPeople);
        // Asked in a random order, so that answers come both from scratch
        // and from what earlier questions left behind.
        std::vector<int32_t> order;
        for (int32_t n = 1; n <= kPeople; ++n)
            order.push_back(n);
        std::shuffle(order.begin(), order.end(), random);
        for (int32_t n : order) {
            EXPECT_EQ(statistics.AncestorCount(n), ReachableCount(n, true))
                << "file " << file << " " << n;
            EXPECT_EQ(statistics.DescendantCount(n), ReachableCount(n, false))
                << "file " << file << " " << n;
        }
        WRelCalc calc(&c);
        for (int32_t base : {1, kPeople / 2, kPeople - 3, kPeople}) {
            std::shuffle(order.begin(), order.end(), random);
            for (int32_t other : order)
                EXPECT_EQ(Answer(calc, base, other), Reference(base, other))
                    << "file " << file << ", base " << base << ", other " << other;
        }
    }
}

TEST_F(SharedWalksTest, DeepLineForEverybody) {
    const int32_t n = test::DeepGenerations(20000);
    for (bool mothers : {false, true}) {
        WGEDCollection& c = Load(test::ChainGedcom(n, mothers));
        FamilyAnalysis analysis(c);
        WFamilyStatistics& statistics = analysis.Statistics();
        const int32_t people = c.IndividualCount();
        // From the top down, so that each answer needs the whole line above.
        for (int32_t i = 1; i <= n; ++i) {
            const int32_t ancestors = mothers ? 2 * (n - i) : n - i;
            ASSERT_EQ(statistics.AncestorCount(i), ancestors) << i;
            ASSERT_EQ(statistics.DescendantCount(n + 1 - i), n - i) << i;
        }
        if (mothers) {
            EXPECT_EQ(statistics.DescendantCount(n + 1), 1);  // the bottom person's mother
            EXPECT_EQ(statistics.DescendantCount(people), n - 1);
        }

        WRelCalc calc(&c);
        for (int32_t i = 1; i < n; ++i) {  // the top person against everybody
            ASSERT_EQ(Answer(calc, n, i), (Relation{n, 0, n - i})) << i;
            if (mothers) {
                ASSERT_EQ(Answer(calc, n, n + i), Relation{}) << i;
            }
        }
        for (int32_t i = n; i >= 1; --i)  // the bottom person, everybody an ancestor
            ASSERT_EQ(Answer(calc, 1, i), (Relation{i, i - 1, 0})) << i;
        if (mothers) {  // a mother is the relative of her child's descendants only
            const int32_t middle = n / 2;
            for (int32_t i = 1; i <= n; ++i) {
                const Relation expected =
                    i <= middle ? Relation{n + middle, 0, middle - i + 1} : Relation{};
                ASSERT_EQ(Answer(calc, n + middle, i), expected) << i;
            }
        }
    }
}

// A line whose top couple are cousins: every count below sees the shared
// grandparents once, and the relationship to the top still works out.
TEST_F(SharedWalksTest, DeepLineBelowACousinMarriage) {
    const int32_t n = test::DeepGenerations(20000);
    std::string text = test::ChainGedcom(n);
    // Person n (the top) gets cousin parents: n+1 and n+2 are children of
    // siblings n+3 and n+4, whose parents are n+5 and n+6.
    std::string extra;
    for (int32_t i = n + 1; i <= n + 6; ++i)
        extra += "0 @I" + std::to_string(i) + "@ INDI\n";
    auto fam = [](const std::string& id, int32_t h, int32_t w, std::vector<int32_t> children) {
        std::string f = "0 @" + id + "@ FAM\n";
        if (h) f += "1 HUSB @I" + std::to_string(h) + "@\n";
        if (w) f += "1 WIFE @I" + std::to_string(w) + "@\n";
        for (int32_t child : children)
            f += "1 CHIL @I" + std::to_string(child) + "@\n";
        return f;
    };
    extra += fam("X1", n + 1, n + 2, {n}) + fam("X2", n + 3, 0, {n + 1}) +
             fam("X3", 0, n + 4, {n + 2}) + fam("X4", n + 5, n + 6, {n + 3, n + 4});
    text.insert(text.rfind("0 TRLR"), extra);
    WGEDCollection& c = Load(text);
    FamilyAnalysis analysis(c);
    WFamilyStatistics& statistics = analysis.Statistics();
    EXPECT_EQ(statistics.AncestorCount(n), 6);
    for (int32_t i = n - 1; i >= 1; i -= 97)
        ASSERT_EQ(statistics.AncestorCount(i), n - i + 6) << i;
    EXPECT_EQ(statistics.DescendantCount(n + 5), n + 4);
    WRelCalc calc(&c);
    EXPECT_EQ(calc.Relationship(n + 1, n + 2), "1st Cousin");
    for (int32_t i = n - 1; i >= 1; --i)
        ASSERT_EQ(Answer(calc, n + 5, i), (Relation{n + 5, 0, n - i + 3})) << i;
}

}  // namespace
}  // namespace vx
