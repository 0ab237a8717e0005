#include "reports/ReportRunner.h"

#include "analysis/FamilyAnalysis.h"
#include "columns/ColSortIterator.h"
#include "gedcom/ABSCollection.h"
#include "highlight/ColHLIterator.h"
#include "records/Individual.h"
#include "reports/ReportDesForm.h"
#include "reports/ReportFamilyForm.h"
#include "reports/ReportIndForm.h"
#include "reports/ReportInfoForm.h"
#include "reports/ReportIslandForm.h"
#include "reports/ReportListForm.h"
#include "reports/ReportPedigreeForm.h"

namespace vx::reports {

ReportJob::ReportJob() = default;
ReportJob::~ReportJob() = default;

namespace {

// The family of the selected spouse-list entry k (from 0), and its spouse.
void SelectedSpouse(const ReportRequest& request, int32_t& spouse, int32_t& family) {
    spouse = 0;
    family = 0;
    if (request.spouseEntry < 0) return;
    const auto person = request.collection->Individual(request.individual);
    if (!person || request.spouseEntry >= person->SpouseFamilyCount()) return;
    spouse = request.collection->SpouseOf(request.individual, request.spouseEntry + 1);
    family = person->SpouseFamily(request.spouseEntry + 1);
}

}  // namespace

std::unique_ptr<ReportJob> ReportJob::Create(const ReportRequest& request) {
    WABSCollection* collection = request.collection;
    if (!collection) return nullptr;
    const bool hasIndividual =
        request.individual >= 1 && request.individual <= collection->IndividualCount();
    if ((request.kind == kReportFamily || request.kind == kReportPedigree) && !hasIndividual)
        return nullptr;
    if (request.kind == kReportIslands && !request.analysis) return nullptr;

    std::unique_ptr<ReportJob> job(new ReportJob());
    switch (request.kind) {
        case kReportIndividual: {
            auto report = std::make_unique<TReportIndForm>();
            report->SetTitle(QStringLiteral("Individual Information"));
            report->SetIndividual(request.individual);
            report->SetCollection(collection);
            job->report_ = std::move(report);
            break;
        }
        case kReportFamily: {
            auto report = std::make_unique<TReportFamilyForm>();
            report->SetTitle(QStringLiteral("Family Group Information"));
            report->SetIndividual(request.individual);
            int32_t spouse = 0;
            int32_t family = 0;
            SelectedSpouse(request, spouse, family);
            report->SetSpouse(spouse, family);
            report->SetCollection(collection);
            job->report_ = std::move(report);
            break;
        }
        case kReportPedigree: {
            auto report = std::make_unique<TReportPed4Form>();
            report->SetIndividual(request.individual);
            report->SetCascading(request.cascading);
            report->SetTitle(QString());
            report->SetCollection(collection);
            int32_t spouse = 0;
            int32_t family = 0;
            SelectedSpouse(request, spouse, family);
            if (request.spouseEntry >= 0) report->SetSpouseFamily(family);
            job->report_ = std::move(report);
            break;
        }
        case kReportDescendants: {
            auto report = std::make_unique<TReportDesForm>();
            report->SetOptions(request.desIndent, request.desGenerations, request.desDividerLines,
                               request.desPrintColumns, request.desColumnAreaWidth,
                               request.desRepeat);
            report->SetTitle(QStringLiteral("Descendants"));
            report->SetFileTitle(request.fileTitle);
            report->SetCollection(collection);
            report->SetColumns(request.desColumns);
            report->SetIndividual(request.individual);
            job->report_ = std::move(report);
            break;
        }
        case kReportList: {
            auto report = std::make_unique<TReportListForm>();
            report->SetOptions(request.greyLines, request.dividerLines, request.markHighlighted);
            report->SetTitle(QStringLiteral("List"));
            report->SetHighlightGroup(request.group, 0);
            report->SetCollection(collection);
            WColSortIterator* list = request.sortedList;
            if (!list && request.listColumns) {
                job->ownSorted_ = std::make_unique<WColSortIterator>(collection, request.view);
                list = job->ownSorted_.get();
            }
            report->SetColumns(request.listColumns, list);
            job->report_ = std::move(report);
            break;
        }
        case kReportHighlighted: {
            auto report = std::make_unique<TReportListForm>();
            report->SetTitle(QStringLiteral("Highlighted List"));
            report->SetHighlightGroup(request.group, 1);
            report->SetCollection(collection);
            WColSortIterator* list = request.highlightedList;
            if (!list && request.listColumns && request.group) {
                job->ownHighlighted_ =
                    std::make_unique<WColHLIterator>(*request.group, collection, request.view);
                list = job->ownHighlighted_.get();
            }
            report->SetColumns(request.listColumns, list);
            report->SetFileTitle(request.fileTitle);
            report->SetOptions(request.greyLines, request.dividerLines, false);
            job->report_ = std::move(report);
            break;
        }
        case kReportIslands: {
            auto report = std::make_unique<TReportIslandForm>();
            report->SetTitle(QStringLiteral("Islands"));
            report->SetCollection(collection);
            report->SetIslands(&request.analysis->Islands());
            report->SetOptions(request.greyLines, request.dividerLines);
            job->report_ = std::move(report);
            break;
        }
        default: {
            auto report = std::make_unique<TReportInfoForm>();
            report->SetTitle(QStringLiteral("General File Information"));
            report->SetCollection(collection);
            job->report_ = std::move(report);
            break;
        }
    }
    job->report_->SetFileTitle(request.fileTitle);
    return job;
}

QString ReportJob::Save(ExportFormat format, const QString& fileName,
                        const std::function<bool(int)>& progress) {
    if (!report_->Prepare(progress)) return QString();
    const auto filter = WExportFilter::Create(format, fileName);
    report_->ExportToFilter(*filter);
    report_->ClearPrepared();
    return filter->ProducedFileName();
}

}  // namespace vx::reports
