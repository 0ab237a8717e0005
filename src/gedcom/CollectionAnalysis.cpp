// The collection's islands and statistics, kept by the collection so that
// every list, condition and report shares one computation.
#include "analysis/Islands.h"
#include "analysis/Statistics.h"
#include "gedcom/ABSCollection.h"

namespace vx {

WABSCollection::WABSCollection() = default;
WABSCollection::~WABSCollection() = default;

WIslands& WABSCollection::Islands() const {
    if (!islands_) islands_ = std::make_unique<WIslands>(*this);
    return *islands_;
}

WFamilyStatistics& WABSCollection::Statistics() const {
    if (!statistics_) statistics_ = std::make_unique<WFamilyStatistics>(*this);
    return *statistics_;
}

int32_t WABSCollection::ComputeIslands() const {
    return Islands().ComputeIslands();
}
bool WABSCollection::IslandsComputed() const {
    return islands_ && islands_->IslandsComputed();
}
int32_t WABSCollection::IslandIndividuals(int32_t rank) const {
    return Islands().IslandIndividuals(rank);
}
int32_t WABSCollection::IslandFamilies(int32_t rank) const {
    return Islands().IslandFamilies(rank);
}
int32_t WABSCollection::IslandFirstIndividual(int32_t rank) const {
    return Islands().IslandFirstIndividual(rank);
}
int32_t WABSCollection::IslandRankOf(int32_t individual) const {
    return Islands().IslandRankOf(individual);
}
void WABSCollection::UseIsland(int32_t rank) const {
    Islands().UseIsland(rank);
}
void WABSCollection::ClearIslandView() const {
    if (islands_) islands_->ClearIslandView();
}
int32_t WABSCollection::ViewCount() const {
    return islands_ ? islands_->ViewCount() : IndividualCount();
}
int32_t WABSCollection::ViewIndividual(int32_t position) const {
    return islands_ ? islands_->ViewIndividual(position) : position;
}
int32_t WABSCollection::ViewPosition(int32_t individual) const {
    return islands_ ? islands_->ViewPosition(individual) : individual;
}

int32_t WABSCollection::AncestorCount(int32_t n) const {
    return Statistics().AncestorCount(n);
}
int32_t WABSCollection::DescendantCount(int32_t n) const {
    return Statistics().DescendantCount(n);
}
int32_t WABSCollection::AncestorGenerations(int32_t n) const {
    return Statistics().AncestorGenerations(n);
}
int32_t WABSCollection::DescendantGenerations(int32_t n) const {
    return Statistics().DescendantGenerations(n);
}
long double WABSCollection::AverageAncestorGenerations(int32_t n) const {
    return Statistics().AverageAncestorGenerations(n);
}
long double WABSCollection::AverageDescendantGenerations(int32_t n) const {
    return Statistics().AverageDescendantGenerations(n);
}

}  // namespace vx
