// Pedigree charts: four generations above an individual on one page. With
// cascading sheets, every ancestor in the last generation who has parents
// of record continues on a chart of its own, numbered in the order they are
// met; people already printed are referred to where they stand.
#pragma once

#include "reports/ABSReportForm.h"

#include <array>
#include <deque>
#include <utility>
#include <vector>

namespace vx::reports {

class TReportPedigreeForm : public TABSReportForm {
  public:
    static constexpr int kPositions = 15;

    TReportPedigreeForm();

    void SetCascading(bool cascading) { cascading_ = cascading; }
    void SetSpouseFamily(int32_t family) { initialSpouseFamily_ = family; }
    void SetCollection(WABSCollection* collection) override;

    // The individuals of the chart being filled, positions 1..15 (0 empty).
    int32_t Position(int position) const { return positions_[position]; }
    int CurrentChart() const { return currentChart_; }

  protected:
    // Starts the report: queues the active individual and prepares chart 1.
    void StartCharts();
    // Takes the next queued root and places its ancestors; the root stays 0
    // when the queue is empty.
    void PrepareChart();
    bool HasChart() const { return chartRoot_ > 0; }

    // The family shown with a position: family 1 for position 1, the
    // couple's family for the parents 2k and 2k + 1.
    int32_t FamilyOfPosition(int position) const;
    bool Expandable(int32_t n) const;

    std::array<int32_t, kPositions + 1> positions_{};
    std::array<int32_t, 9> families_{};
    bool cascading_ = false;
    bool useLds_ = false;
    std::vector<int32_t> printedPosition_;
    std::vector<int32_t> printedChart_;
    int32_t nextChart_ = 0;
    int32_t currentChart_ = 0;
    int32_t chartRoot_ = 0;
    int32_t currentFamily_ = 0;
    int32_t initialSpouseFamily_ = 0;
    std::deque<std::pair<int32_t, int32_t>> queue_;  // (root, its family)
};

class TReportPed4Form : public TReportPedigreeForm {
  public:
    TReportPed4Form();

  private:
    struct Box {
        WReportLabel* number = nullptr;
        WReportLabel* name = nullptr;
        std::vector<WReportLabel*> lines;  // the values, in caption order
        WReportLabel* lds = nullptr;
        WReportLabel* nextChart = nullptr;  // positions 8..15
    };

    void BuildChart();
    void FillChart(bool& more);
    void FillBox(int position);

    WReportBand* chart_ = nullptr;
    std::array<Box, kPositions + 1> boxes_{};
    WReportLabel* labChart_ = nullptr;
    WReportLabel* labChartNo_ = nullptr;
    WReportLabel* labNo1Ref_ = nullptr;
    WReportLabel* labSpouse_ = nullptr;
    std::vector<WReportLabel*> legend_;
};

}  // namespace vx::reports
