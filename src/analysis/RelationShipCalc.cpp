#include "analysis/RelationShipCalc.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

#include "gedcom/ABSCollection.h"
#include "records/Individual.h"
#include "records/Marriage.h"
#include "storage/TypedArrays.h"

namespace vx {
namespace {

// "No common ancestor yet". It must lie above every possible depth: a line
// of more than 65535 generations is still a line.
constexpr int32_t kNoDistance = std::numeric_limits<int32_t>::max();
constexpr int32_t kNotAncestor = -1;

enum WordRow : int { kSibling, kNephew, kChild, kParent, kUncle };

constexpr std::array<std::array<std::string_view, 3>, 5> kWords = {{
    {"Brother", "Sister", "Brother or Sister"},
    {"Nephew", "Niece", "Nephew or Niece"},
    {"Son", "Daughter", "Son or Daughter"},
    {"Father", "Mother", "Parent"},
    {"Uncle", "Aunt", "Uncle or Aunt"},
}};

// Generations of "great": G, GG, GGG, then 4G, 5G ...
std::string GreatPrefix(int32_t n) {
    if (n >= 1 && n <= 3) return std::string(static_cast<size_t>(n), 'G');
    return std::to_string(n) + "G";
}

}  // namespace

WRelCalc::WRelCalc(const WABSCollection* collection)
    : collection_(collection), baseDistance_(kNoDistance), otherDistance_(kNoDistance) {}

WRelCalc::~WRelCalc() = default;

int32_t WRelCalc::BaseDistance() const {
    return commonAncestor_ ? baseDistance_ : -1;
}

int32_t WRelCalc::OtherDistance() const {
    return commonAncestor_ ? otherDistance_ : -1;
}

WRelCalc::SexIndex WRelCalc::SexIndexOf(std::string_view sex) {
    if (sex.empty()) return kUnknown;
    if (sex.front() == 'M') return kMale;
    if (sex.front() == 'F') return kFemale;
    return kUnknown;
}

std::string WRelCalc::RelationText(int32_t a, int32_t b, SexIndex sex) {
    if (a < 0 || b < 0) return {};
    auto word = [sex](WordRow row) { return std::string(kWords[row][sex]); };

    if (a == 0) {  // the other person descends from the base person
        if (b == 0) return "* Selected Person *";
        if (b == 1) return word(kChild);
        if (b == 2) return "Grand " + word(kChild);
        return GreatPrefix(b - 2) + " Grand " + word(kChild);
    }
    if (b == 0) {  // the other person is an ancestor
        if (a == 1) return word(kParent);
        if (a == 2) return "Grand " + word(kParent);
        return GreatPrefix(a - 2) + " Grand " + word(kParent);
    }
    if (a == 1) {  // descends from a parent: sibling, nephew and below
        if (b == 1) return word(kSibling);
        if (b == 2) return word(kNephew);
        if (b == 3) return "Grand " + word(kNephew);
        return GreatPrefix(b - 3) + " Grand " + word(kNephew);
    }
    if (b == 1) {  // a child of an ancestor above the parents
        if (a == 2) return word(kUncle);
        if (a == 3) return "Great " + word(kUncle);
        return GreatPrefix(a - 3) + " Great " + word(kUncle);
    }
    if (a == 2 && b == 2) return "1st Cousin";
    std::string code = std::to_string(std::min(a, b) - 1) + "C";
    if (a != b) code += std::to_string(std::abs(a - b)) + "R";
    return code;
}

void WRelCalc::EnsureArrays() {
    if (distances_) return;
    individualCount_ = std::max<int32_t>(collection_->IndividualCount(), 0);
    distances_ = std::make_unique<WIntArray>(individualCount_);
    visitStamps_ = std::make_unique<WIntArray>(individualCount_);
    parentShape_.Build(individualCount_,
                       [this](int32_t p, std::vector<int32_t>& out) { AppendParents(p, out); });
}

void WRelCalc::AppendParents(int32_t n, std::vector<int32_t>& out) const {
    const auto person = collection_->Individual(n);
    if (!person) return;
    const int32_t familyCount = collection_->FamilyCount();
    const int count = person->ParentFamilyCount();
    for (int i = 1; i <= count; ++i) {
        const int32_t f = person->ParentFamily(i);
        if (f < 1 || f > familyCount) continue;
        const auto family = collection_->Family(f);
        if (!family) continue;
        for (const int32_t parent : {family->Husband(), family->Wife()})
            if (IsPerson(parent)) out.push_back(parent);
    }
}

// Both walks are the depth-first recursions "visit n, then each parent in
// order" run on an explicit stack, so that a line of a million generations
// cannot exhaust the call stack. The order stays the same because the
// parents are pushed last-first (the first parent is popped next, and its
// whole ancestry is finished before the second parent is popped) and
// because every entry test (already visited, depth not shorter) runs when a
// frame is popped, i.e. at the moment the recursion would have entered it.
void WRelCalc::PushParents(int32_t n, int32_t depth) {
    parents_.clear();
    AppendParents(n, parents_);
    for (auto it = parents_.rbegin(); it != parents_.rend(); ++it)
        stack_.push_back(Frame{*it, depth + 1});
}

// Stores the fewest generations from base up to each ancestor. An ancestor
// reached again by a shorter path is entered again, so that its own
// ancestors get the shorter distances too; a path that does not improve
// stops, which also ends ancestry loops in bad data.
void WRelCalc::MarkAncestors(int32_t base) {
    distances_->Fill(kNotAncestor);
    results_.assign(static_cast<size_t>(individualCount_) + 1, Result{});
    stack_.clear();
    stack_.push_back(Frame{base, 0});
    while (!stack_.empty()) {
        const Frame f = stack_.back();
        stack_.pop_back();
        if (!IsPerson(f.person)) continue;
        const int32_t known = distances_->GetValue(f.person);
        if (known != kNotAncestor && f.depth >= known) continue;
        distances_->SetValue(f.person, f.depth);
        PushParents(f.person, f.depth);
    }
}

// Climbs from other, each individual once, and stops on each line at the
// first marked ancestor of the base person. The nearest one to the base
// wins; among equals the first one reached, with b the depth at which it
// was first reached.
bool WRelCalc::WalkFrom(int32_t other) {
    if (++walkStamp_ == std::numeric_limits<int32_t>::max()) {
        visitStamps_->Fill(0);
        walkStamp_ = 1;
    }
    stack_.clear();
    stack_.push_back(Frame{other, 0});
    int32_t steps = 0;
    while (!stack_.empty()) {
        if (++steps % kCancelCheckEvery == 0 && WalkCancelled()) {
            stack_.clear();
            return false;
        }
        const Frame f = stack_.back();
        stack_.pop_back();
        if (!IsPerson(f.person) || visitStamps_->GetValue(f.person) == walkStamp_) continue;
        visitStamps_->SetValue(f.person, walkStamp_);
        const int32_t distance = distances_->GetValue(f.person);
        if (distance == kNotAncestor) {
            PushParents(f.person, f.depth);
        } else if (distance < baseDistance_) {
            commonAncestor_ = f.person;
            baseDistance_ = distance;
            otherDistance_ = f.depth;
            // Nothing can come nearer than the base person itself, so the
            // rest of the walk could not change the result.
            if (distance == 0) break;
        }
    }
    stack_.clear();
    return true;
}

// Someone not marked with a single parent has that parent's result one
// generation further: the walk from them goes straight on into the
// parent's walk. With several parents whose ancestries are proved apart,
// the walk takes each parent's ancestry in turn, untouched by the others,
// and keeps the first strictly nearest ancestor: the same as combining the
// parents' results in order. Everybody else is walked.
bool WRelCalc::Resolve(int32_t other) {
    std::vector<int32_t> pending{other};
    auto known = [this](int32_t p) {
        return results_[static_cast<size_t>(p)].ancestor != kNotResolved;
    };
    while (!pending.empty()) {
        const int32_t p = pending.back();
        Result& result = results_[static_cast<size_t>(p)];
        if (result.ancestor != kNotResolved) {
            pending.pop_back();
            continue;
        }
        const int32_t distance = distances_->GetValue(p);
        if (distance != kNotAncestor) {
            result = Result{p, distance, 0};
            pending.pop_back();
            continue;
        }
        if (!parentShape_.Separable(p)) {
            commonAncestor_ = 0;
            baseDistance_ = kNoDistance;
            otherDistance_ = kNoDistance;
            if (!WalkFrom(p)) return false;
            result = Result{commonAncestor_, baseDistance_, otherDistance_};
            pending.pop_back();
            continue;
        }
        bool ready = true;
        for (const int32_t* q = parentShape_.NextBegin(p); q != parentShape_.NextEnd(p); ++q)
            if (!known(*q)) {
                pending.push_back(*q);
                ready = false;
            }
        if (!ready) continue;
        Result best{0, kNoDistance, kNoDistance};
        for (const int32_t* q = parentShape_.NextBegin(p); q != parentShape_.NextEnd(p); ++q) {
            const Result& parent = results_[static_cast<size_t>(*q)];
            if (parent.ancestor != 0 && parent.a < best.a)
                best = Result{parent.ancestor, parent.a, parent.b + 1};
        }
        results_[static_cast<size_t>(p)] = best;
        pending.pop_back();
    }
    return true;
}

std::string WRelCalc::Relationship(int32_t base, int32_t other) {
    commonAncestor_ = 0;
    baseDistance_ = kNoDistance;
    otherDistance_ = kNoDistance;
    if (!collection_) return {};
    EnsureArrays();
    if (!baseCached_ || base != cachedBase_) {
        MarkAncestors(base);
        cachedBase_ = base;
        baseCached_ = true;
    }
    // Without a base person nothing is marked and no walk can succeed.
    if (!IsPerson(base) || !IsPerson(other)) return {};
    if (!Resolve(other)) {
        commonAncestor_ = 0;
        return {};
    }
    const Result& result = results_[static_cast<size_t>(other)];
    commonAncestor_ = result.ancestor;
    baseDistance_ = result.a;
    otherDistance_ = result.b;
    if (commonAncestor_ == 0) return {};
    const auto person = collection_->Individual(other);
    return RelationText(baseDistance_, otherDistance_,
                        SexIndexOf(person ? person->Sex() : std::string()));
}

std::string WRelCalc::CommonAncestorName(int32_t base, int32_t other, bool full) const {
    if (!collection_ || commonAncestor_ == 0 || commonAncestor_ == base || commonAncestor_ == other)
        return {};
    const auto ancestor = collection_->Individual(commonAncestor_);
    if (!ancestor) return {};
    if (full) return ancestor->DisplayName();
    return ancestor->SurnameText() + ", " + ancestor->GivenNames();
}

}  // namespace vx
