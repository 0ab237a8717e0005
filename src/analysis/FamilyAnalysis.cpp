#include "analysis/FamilyAnalysis.h"

#include "analysis/Islands.h"
#include "analysis/Statistics.h"

namespace vx {

FamilyAnalysis::FamilyAnalysis(const WABSCollection& collection) : collection_(collection) {}
FamilyAnalysis::~FamilyAnalysis() = default;

WIslands& FamilyAnalysis::Islands() {
    if (!islands_) islands_ = std::make_unique<WIslands>(collection_);
    return *islands_;
}

WFamilyStatistics& FamilyAnalysis::Statistics() {
    if (!statistics_) statistics_ = std::make_unique<WFamilyStatistics>(collection_);
    return *statistics_;
}

bool FamilyAnalysis::IslandsComputed() const {
    return islands_ && islands_->IslandsComputed();
}

}  // namespace vx
