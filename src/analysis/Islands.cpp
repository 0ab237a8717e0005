#include "analysis/Islands.h"

#include <vector>

#include "app/CancelPoll.h"
#include "app/Services.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"

namespace vx {
namespace {

constexpr int kPumpEvery = 50;

// True once the wait dialog's Cancel was pressed.
bool CountStep(int64_t& steps, CancelPoll& poll) {
    if (++steps % kPumpEvery == 0) {
        PublishProgress(steps);
        PumpMessages();
    }
    return poll.Cancelled();
}

}  // namespace

int32_t WIslands::ComputeIslands() {
    if (islandOfIndividual_ || computing_) return islandCount_;
    computing_ = true;
    const int32_t people = collection_.IndividualCount();
    islandOfIndividual_ = std::make_unique<WIntArray>(people);
    islandOfFamily_ = std::make_unique<WIntArray>(collection_.FamilyCount());
    individualsPerIsland_ = std::make_unique<WIntArray>();
    familiesPerIsland_ = std::make_unique<WIntArray>();
    firstIndividualPerIsland_ = std::make_unique<WIntArray>();
    // Each per-island array holds one spare slot for the island being opened.
    auto openSlot = [this] {
        individualsPerIsland_->Append(0);
        familiesPerIsland_->Append(0);
        firstIndividualPerIsland_->Append(0);
    };
    islandCount_ = 0;
    openSlot();
    int64_t steps = 0;
    int32_t next = 1;
    CancelPoll poll(CancelPoll::kStepsPerLook);
    bool cancelled = false;
    for (int32_t i = 1; i <= people && !cancelled; ++i) {
        cancelled = CountStep(steps, poll);
        if (cancelled || islandOfIndividual_->GetValue(i) != 0) continue;
        cancelled = !Flood(i, next, steps, poll);
        ++next;
        ++islandCount_;
        openSlot();
    }
    if (!cancelled) {
        ranking_ = std::make_unique<WIslandSortIndex>(islandCount_);
        for (int32_t i = 1; i <= people; ++i)
            ranking_->AddMember(islandOfIndividual_->GetValue(i));
        ranking_->Sort();
        cancelled = WorkCancelled();
    }
    if (cancelled) {
        Forget();
        EndProgress();
        computing_ = false;
        return 0;
    }
    rankOfIsland_ = std::make_unique<WIntArray>(islandCount_);
    for (int32_t rank = 1; rank <= islandCount_; ++rank)
        rankOfIsland_->SetValue(ranking_->IslandAt(rank), rank);
    EndProgress();
    computing_ = false;
    return islandCount_;
}

// Spreads one island from an individual over parents, spouses and children.
// Island membership is mere connectivity, so an explicit stack replaces the
// recursion without changing any result, and deep files cannot exhaust the
// call stack.
void WIslands::Forget() {
    islandOfIndividual_.reset();
    islandOfFamily_.reset();
    individualsPerIsland_.reset();
    familiesPerIsland_.reset();
    firstIndividualPerIsland_.reset();
    ranking_.reset();
    rankOfIsland_.reset();
    islandCount_ = 0;
}

bool WIslands::Flood(int32_t start, int32_t island, int64_t& steps, CancelPoll& poll) {
    struct Item {
        bool family;
        int32_t number;
    };
    std::vector<Item> pending{{false, start}};
    while (!pending.empty()) {
        const Item item = pending.back();
        pending.pop_back();
        if (item.number == 0) continue;
        if (!item.family) {
            if (islandOfIndividual_->GetValue(item.number) != 0) continue;
            if (CountStep(steps, poll)) return false;
            auto person = collection_.Individual(item.number);
            if (!person) continue;
            islandOfIndividual_->SetValue(item.number, island);
            individualsPerIsland_->Increment(island);
            if (firstIndividualPerIsland_->GetValue(island) == 0)
                firstIndividualPerIsland_->SetValue(island, item.number);
            for (int i = person->ParentFamilyCount(); i >= 1; --i)
                pending.push_back({true, person->ParentFamily(i)});
            for (int i = person->SpouseFamilyCount(); i >= 1; --i)
                pending.push_back({true, person->SpouseFamily(i)});
        } else {
            if (item.number > collection_.FamilyCount() ||
                islandOfFamily_->GetValue(item.number) != 0)
                continue;
            auto family = collection_.Family(item.number);
            if (!family) continue;
            islandOfFamily_->SetValue(item.number, island);
            familiesPerIsland_->Increment(island);
            pending.push_back({false, family->Husband()});
            pending.push_back({false, family->Wife()});
            for (int k = 1; k <= family->ChildCount(); ++k)
                pending.push_back({false, family->Child(k)});
        }
    }
    return true;
}

int32_t WIslands::IslandAtRank(int32_t rank) const {
    if (!ranking_ || rank < 1 || rank > islandCount_) return 0;
    return ranking_->IslandAt(rank);
}

int32_t WIslands::IslandIndividuals(int32_t rank) const {
    const int32_t island = IslandAtRank(rank);
    return island ? individualsPerIsland_->GetValue(island) : 0;
}

int32_t WIslands::IslandFamilies(int32_t rank) const {
    const int32_t island = IslandAtRank(rank);
    return island ? familiesPerIsland_->GetValue(island) : 0;
}

int32_t WIslands::IslandFirstIndividual(int32_t rank) const {
    const int32_t island = IslandAtRank(rank);
    return island ? firstIndividualPerIsland_->GetValue(island) : 0;
}

int32_t WIslands::IslandRankOf(int32_t individual) {
    ComputeIslands();
    if (!rankOfIsland_) return 0;
    return rankOfIsland_->GetValue(islandOfIndividual_->GetValue(individual));
}

bool WIslands::CollectMembers(int32_t rank, WIntArray& members) const {
    const int32_t island = IslandAtRank(rank);
    if (!island) return false;
    for (int32_t n = 1; n <= islandOfIndividual_->Count(); ++n)
        if (islandOfIndividual_->GetValue(n) == island) members.Append(n);
    return true;
}

}  // namespace vx
