// Conditions about one chosen person's family: ancestors and descendants,
// blood relations, parents, spouses, siblings and children, and the
// longest lines. Most of them mark everybody at preparation.
#include <algorithm>
#include <limits>

#include "analysis/FamilyAnalysis.h"
#include "analysis/RelationShipCalc.h"
#include "analysis/Statistics.h"
#include "app/Errors.h"
#include "app/TextUtil.h"
#include "highlight/Catalogue.h"
#include "highlight/Conditions.h"
#include "highlight/FamilyWalk.h"
#include "highlight/KindReadings.h"

namespace vx {
namespace {

// Generations 0 means every generation: no line is longer than this.
constexpr int32_t kAllGenerations = std::numeric_limits<int32_t>::max();

// An individual number the parameter must hold.
int32_t IndividualParam(const std::string& text) {
    int32_t value = 0;
    if (!ParseInt(text, value)) throw EConvertError(text);
    return value;
}

std::string NameOf(const WABSCollection& collection, int32_t individual) {
    return collection.FullNameOf(individual);
}

}  // namespace

// ---- ancestors and descendants ----

void WHLAncestor::NextGeneration(int32_t individual, std::vector<int32_t>& out) const {
    auto person = Person(individual);
    if (!person) return;
    ForEachParentFamily(*collection_, *person, [&](const WABSMarriage& family) {
        out.push_back(family.Husband());
        out.push_back(family.Wife());
        return false;
    });
}

void WHLDescendants::NextGeneration(int32_t individual, std::vector<int32_t>& out) const {
    auto person = Person(individual);
    if (!person) return;
    ForEachSpouseFamily(*collection_, *person, [&](const WABSMarriage& family) {
        return ForEachChild(family, [&](int32_t child) {
            out.push_back(child);
            return false;
        });
    });
}

// Marks everybody within the generations of the root, the root itself
// excluded. A person reached again with more generations left is walked
// again, so a shorter line to a shared ancestor is never cut short by a
// longer one found first.
void WHLAncestor::Prepare() {
    Reset(kFalse);
    ParseIndividualParam(params_);
    const int32_t root = firstParam_;
    const int32_t generations = secondParam_ == 0 ? kAllGenerations : secondParam_;
    std::vector<int32_t> generationsLeft(static_cast<size_t>(Count()) + 1, -1);
    struct Step {
        int32_t person;
        int32_t left;
    };
    std::vector<Step> pending{{root, generations}};
    std::vector<int32_t> next;
    while (!pending.empty()) {
        const Step step = pending.back();
        pending.pop_back();
        if (!InRange(step.person) || step.left < 0 ||
            generationsLeft[static_cast<size_t>(step.person)] >= step.left)
            continue;
        generationsLeft[static_cast<size_t>(step.person)] = step.left;
        SetResult(step.person, true);
        next.clear();
        NextGeneration(step.person, next);
        for (auto it = next.rbegin(); it != next.rend(); ++it)
            pending.push_back({*it, step.left - 1});
    }
    SetResult(root, false);
}

std::string WHLAncestor::Describe() const {
    auto person = Person(firstParam_);
    if (!person) return {};
    std::string text = (negated_ ? "Not Ancestors of " : "Ancestors of ") + person->FullName(true);
    if (secondParam_ > 0) text += " (" + std::to_string(secondParam_) + " generations)";
    return text;
}

std::string WHLDescendants::Describe() const {
    auto person = Person(firstParam_);
    if (!person) return {};
    std::string text =
        (negated_ ? "Not descendants of " : "Descendants of ") + person->FullName(true);
    if (secondParam_ > 0) text += " (" + std::to_string(secondParam_) + " generations)";
    return text;
}

// ---- blood relations ----

WHLRelation::WHLRelation(FamilyAnalysis* analysis, int kind, const KindBehaviour& behaviour)
    : WABSHLInd(analysis, kind, behaviour), calculator_(std::make_unique<WRelCalc>(collection_)) {}

WHLRelation::~WHLRelation() = default;

void WHLRelation::ParseParams() {
    firstParam_ = IndividualParam(params_);
}

bool WHLRelation::Test(const WABSIndividual&, int32_t individual) {
    return !calculator_->Relationship(firstParam_, individual).empty();
}

std::string WHLRelation::Describe() const {
    if (!Person(firstParam_)) return {};
    return (negated_ ? "not related to " : "related to ") + NameOf(*collection_, firstParam_);
}

// ---- parents, spouses, siblings, children of one person ----

// Marks the relatives of the kind of the chosen person x: "Parent is x"
// marks x's children, "Child is x" x's parents.
void WHLRelationIs::Prepare() {
    Reset(kFalse);
    if (params_.empty()) return;
    firstParam_ = IndividualParam(params_);
    auto person = Person(firstParam_);
    if (!person) return;
    std::vector<int32_t> relatives;
    behaviour_.relatives(*collection_, *person, firstParam_, relatives);
    for (int32_t relative : relatives)
        if (relative > 0) SetResult(relative, true);
}

std::string WHLRelationIs::Describe() const {
    if (!Person(firstParam_)) return {};
    return "where " + KindWord(kind_) + (negated_ ? " is not " : " is ") +
           NameOf(*collection_, firstParam_);
}

bool WHLUnlinked::Test(const WABSIndividual& person, int32_t) {
    return person.ParentFamilyCount() == 0 && person.SpouseFamilyCount() == 0;
}

std::string WHLUnlinked::Describe() const {
    return negated_ ? "who are linked" : "who are unlinked";
}

// ---- the longest lines ----

void WHLPaths::NextGeneration(const WABSIndividual& person, int32_t individual,
                              std::vector<int32_t>& out) const {
    readings::ParentsOf(*collection_, person, individual, out);
}

int32_t WHLPaths::GenerationsBeyond(int32_t individual) const {
    return analysis_->Statistics().AncestorGenerations(individual);
}

void WHLDescendantPaths::NextGeneration(const WABSIndividual& person, int32_t individual,
                                        std::vector<int32_t>& out) const {
    readings::ChildrenOf(*collection_, person, individual, out);
}

int32_t WHLDescendantPaths::GenerationsBeyond(int32_t individual) const {
    return analysis_->Statistics().DescendantGenerations(individual);
}

// From the chosen person, each step takes the relative with the most
// generations beyond, the first one on a tie.
void WHLPaths::Prepare() {
    Reset(kFalse);
    firstParam_ = IndividualParam(params_);
    int32_t current = firstParam_;
    if (!Person(current)) return;
    SetResult(current, true);
    std::vector<int32_t> candidates;
    while (auto person = Person(current)) {
        candidates.clear();
        NextGeneration(*person, current, candidates);
        int32_t best = 0, bestDepth = 0;
        for (int32_t candidate : candidates) {
            if (candidate <= 0) continue;
            const int32_t depth = GenerationsBeyond(candidate);
            if (best == 0 || depth > bestDepth) best = candidate, bestDepth = depth;
        }
        // A line that comes back to itself (a damaged file) ends the walk.
        if (best == 0 || RawTrue(best)) break;
        SetResult(best, true);
        current = best;
    }
}

std::string WHLPaths::Describe() const {
    if (!Person(firstParam_)) return {};
    return (negated_ ? "Not longest Ancestor path of " : "Longest ancestor path of ") +
           NameOf(*collection_, firstParam_);
}

std::string WHLDescendantPaths::Describe() const {
    if (!Person(firstParam_)) return {};
    return (negated_ ? "Not longest descendant path of " : "Longest descendant path of ") +
           NameOf(*collection_, firstParam_);
}

}  // namespace vx
