// Builds one report of the print dialog's eight kinds from the dialog's
// choices, so that the dialog and vellacor-tool make exactly the same
// reports. The job owns the report and whatever lists it had to create.
#pragma once

#include "reports/ExportFilters.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace vx {
class FamilyAnalysis;
class IslandView;
class WABSCollection;
class WListColumns;
class WHLGroup;
class WColSortIterator;
class WColHLIterator;
}  // namespace vx

namespace vx::reports {

class TABSReportForm;

// The print dialog's pages, in page-control order.
enum ReportKind : int {
    kReportGeneral = 0,
    kReportIndividual,
    kReportFamily,
    kReportPedigree,
    kReportDescendants,
    kReportList,
    kReportHighlighted,
    kReportIslands,
};
inline constexpr int kReportKindCount = 8;

struct ReportRequest {
    int kind = kReportGeneral;
    WABSCollection* collection = nullptr;
    // The collection's analyses (the Islands report needs them) and the
    // view the lists walk (null: the whole file).
    FamilyAnalysis* analysis = nullptr;
    const IslandView* view = nullptr;
    int32_t individual = 0;
    QString fileTitle;

    // Family and Pedigree: the selected entry of the spouse list, from 0
    // (-1: none selected).
    int spouseEntry = -1;
    bool cascading = false;  // Pedigree

    // Descendants.
    int desIndent = 0;
    int desGenerations = 1;
    bool desRepeat = false;
    bool desPrintColumns = false;
    int desColumnAreaWidth = 36;
    bool desDividerLines = false;
    WListColumns* desColumns = nullptr;

    // List, Highlighted and Islands.
    bool greyLines = false;
    bool dividerLines = false;
    bool markHighlighted = false;  // List only
    WListColumns* listColumns = nullptr;
    WHLGroup* group = nullptr;
    // Adopted lists; null: the job makes its own over the collection.
    WColSortIterator* sortedList = nullptr;
    WColHLIterator* highlightedList = nullptr;
};

class ReportJob {
  public:
    // Creates and configures the report; nullptr when the request cannot
    // make one (no collection; Family and Pedigree without an individual;
    // Islands without the analysis).
    static std::unique_ptr<ReportJob> Create(const ReportRequest& request);
    ~ReportJob();

    TABSReportForm& Report() { return *report_; }

    // Prepares the report and writes it; returns the produced file's name.
    // Throws EInOutError when the file cannot be written; returns an empty
    // name when `progress` cancelled.
    QString Save(ExportFormat format, const QString& fileName,
                 const std::function<bool(int)>& progress = {});

  private:
    ReportJob();
    std::unique_ptr<WColSortIterator> ownSorted_;
    std::unique_ptr<WColHLIterator> ownHighlighted_;
    std::unique_ptr<TABSReportForm> report_;
};

}  // namespace vx::reports
