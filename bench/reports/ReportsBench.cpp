// vellacor-bench-reports: the List report of every individual of a
// generated file, prepared and written as PDF, reported as time and pages
// per second next to the open + load time of the same file in the same run.
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "analysis/FamilyAnalysis.h"
#include "app/Settings.h"
#include "columns/ListColumns.h"
#include "reports/ABSReportForm.h"
#include "reports/ReportRunner.h"

namespace {

using namespace vx::bench;

constexpr const char* kProgram = "vellacor-bench-reports";
constexpr double kGoalPagesPerSecond = 50;

void RunOne(const std::string& path, int repeat) {
    WarmUp(path);
    const Measurement load = Measure("open + load + order", repeat, 0, [&] {
        return static_cast<uint64_t>(OpenAndLoad(path)->IndividualCount());
    });
    std::printf("%s: %s\n  %s individuals; open + load + order %.3f s (best of %d)\n", kProgram,
                path.c_str(), Grouped(load.count).c_str(), load.seconds, repeat);

    auto collection = OpenAndLoad(path);
    vx::FamilyAnalysis analysis(*collection);
    vx::WListColumns columns(&analysis, vx::ListSectionName(vx::ListSection::List));
    columns.SetColumnString(vx::kDefaultListColumns);
    QTemporaryDir folder;
    const QString output = folder.filePath(QStringLiteral("list.pdf"));

    vx::reports::ReportRequest request;
    request.kind = vx::reports::kReportList;
    request.collection = collection.get();
    request.analysis = &analysis;
    request.individual = 1;
    request.listColumns = &columns;
    request.greyLines = true;
    auto job = vx::reports::ReportJob::Create(request);

    const auto start = Clock::now();
    int pages = 0;
    if (!job->Report().Prepare([&](int done) {
            pages = done;
            return true;
        }))
        throw std::runtime_error("the report was cancelled");
    const double prepared = SecondsSince(start);
    const auto filter = vx::reports::WExportFilter::Create(vx::reports::ExportFormat::PDF, output);
    job->Report().ExportToFilter(*filter);
    const double seconds = SecondsSince(start);
    const double rate = pages / seconds;
    std::printf(
        "  List report, %d pages: layout %.3f s, with PDF %.3f s (%.2f x load), %.0f pages/s"
        "  goal >= %.0f  %s\n\n",
        pages, prepared, seconds, seconds / load.seconds, rate, kGoalPagesPerSecond,
        rate >= kGoalPagesPerSecond ? "met" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
    // The reports draw with Qt's fonts; no screen is needed.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    // A million individuals make some 17,000 pages; the default is the
    // 100,000 of the goal.
    std::vector<char*> arguments(argv, argv + argc);
    char individualsOption[] = "--individuals";
    char defaultCount[] = "100000";
    bool sized = false;
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--individuals" || std::string(argv[i]) == "--megabytes")
            sized = true;
    if (!sized) {
        arguments.push_back(individualsOption);
        arguments.push_back(defaultCount);
    }
    return vx::bench::RunOnGeneratedFiles(static_cast<int>(arguments.size()), arguments.data(),
                                          kProgram, RunOne);
}
