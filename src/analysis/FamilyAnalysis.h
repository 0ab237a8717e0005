// The analyses of one open family file: its islands and its ancestor and
// descendant statistics. Made beside the collection and living exactly as
// long, so that every list, condition and report shares one computation.
// Each analysis is made on first use; the data never change while the
// file is open.
#pragma once

#include <memory>

namespace vx {

class WABSCollection;
class WIslands;
class WFamilyStatistics;

class FamilyAnalysis {
  public:
    explicit FamilyAnalysis(const WABSCollection& collection);
    ~FamilyAnalysis();
    FamilyAnalysis(const FamilyAnalysis&) = delete;
    FamilyAnalysis& operator=(const FamilyAnalysis&) = delete;

    const WABSCollection& Collection() const { return collection_; }
    WIslands& Islands();
    WFamilyStatistics& Statistics();
    // Whether the islands are known, without starting their computation.
    bool IslandsComputed() const;

  private:
    const WABSCollection& collection_;
    std::unique_ptr<WIslands> islands_;
    std::unique_ptr<WFamilyStatistics> statistics_;
};

}  // namespace vx
