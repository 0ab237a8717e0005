// vellacor-bench-analysis: the family-graph analyses over a whole file —
// islands, the four statistics for every individual, the relationship of
// everyone to one base person, and the descendant list of the person with
// the most descendants — each next to the open + load time of the same file
// in the same run.
#include <cstdio>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BenchSupport.h"
#include "analysis/DesIterator.h"
#include "analysis/FamilyAnalysis.h"
#include "analysis/Islands.h"
#include "analysis/RelationShipCalc.h"
#include "analysis/Statistics.h"
#include "gedcom/GEDCollection.h"

namespace {

using namespace vx::bench;

constexpr const char* kProgram = "vellacor-bench-analysis";

// Times one analysis on a freshly loaded file (caches start empty), the
// load itself not counted.
double TimeOnFreshFile(const std::string& path,
                       const std::function<void(vx::WGEDCollection&)>& work) {
    auto collection = OpenAndLoad(path);
    const auto start = Clock::now();
    work(*collection);
    return SecondsSince(start);
}

// The same for the analyses kept beside the file (islands, statistics).
double TimeAnalysisOnFreshFile(const std::string& path,
                               const std::function<void(vx::FamilyAnalysis&)>& work) {
    return TimeOnFreshFile(path, [&](vx::WGEDCollection& c) {
        vx::FamilyAnalysis analysis(c);
        work(analysis);
    });
}

void Report(const char* name, double seconds, double load, double goal) {
    const double ratio = seconds / load;
    std::printf("  %-34s %8.3f s  %5.2f x load  goal <= %.0f x  %s\n", name, seconds, ratio, goal,
                ratio <= goal ? "met" : "MISSED");
}

void RunOne(const std::string& path, int repeat) {
    WarmUp(path);
    const Measurement load = Measure("open + load + order", repeat, 0, [&] {
        return static_cast<uint64_t>(OpenAndLoad(path)->IndividualCount());
    });
    const int32_t people = static_cast<int32_t>(load.count);
    std::printf("%s: %s\n  %s individuals; open + load + order %.3f s (best of %d)\n", kProgram,
                path.c_str(), Grouped(load.count).c_str(), load.seconds, repeat);

    int32_t islands = 0;
    Report("islands",
           TimeAnalysisOnFreshFile(
               path, [&](vx::FamilyAnalysis& a) { islands = a.Islands().ComputeIslands(); }),
           load.seconds, 2);
    int32_t mostDescendants = 1, most = -1;
    const std::pair<const char*, std::function<int64_t(vx::WFamilyStatistics&, int32_t)>>
        statistics[] = {
            {"ancestor count, everyone", [](auto& c, int32_t n) { return c.AncestorCount(n); }},
            {"descendant count, everyone",
             [&](auto& c, int32_t n) {
                 const int32_t count = c.DescendantCount(n);
                 if (count > most) most = count, mostDescendants = n;
                 return count;
             }},
            {"ancestor generations, everyone",
             [](auto& c, int32_t n) { return c.AncestorGenerations(n); }},
            {"descendant generations, everyone",
             [](auto& c, int32_t n) { return c.DescendantGenerations(n); }},
            {"average ancestor generations",
             [](auto& c, int32_t n) {
                 return static_cast<int64_t>(c.AverageAncestorGenerations(n));
             }},
            {"average descendant generations",
             [](auto& c, int32_t n) {
                 return static_cast<int64_t>(c.AverageDescendantGenerations(n));
             }},
        };
    for (const auto& [name, statistic] : statistics) {
        int64_t total = 0;
        const double seconds = TimeAnalysisOnFreshFile(path, [&](vx::FamilyAnalysis& a) {
            for (int32_t n = 1; n <= people; ++n)
                total += statistic(a.Statistics(), n);
        });
        Report(name, seconds, load.seconds, 2);
    }
    size_t related = 0;
    Report("relationship of everyone to #1",
           TimeOnFreshFile(path,
                           [&](vx::WGEDCollection& c) {
                               vx::WRelCalc calculator(&c);
                               for (int32_t n = 1; n <= people; ++n)
                                   related += !calculator.Relationship(1, n).empty();
                           }),
           load.seconds, 2);
    int32_t rows = 0;
    Report("descendant list of the largest family",
           TimeOnFreshFile(path,
                           [&](vx::WGEDCollection& c) {
                               vx::WDesIterator list;
                               list.SetCollection(&c);
                               list.BuildDescendants(mostDescendants, 255, true);
                               rows = list.Count();
                           }),
           load.seconds, 1);
    std::printf(
        "  (%s islands; %s people related to #1; individual %d has %s descendants, %s rows)\n\n",
        Grouped(islands).c_str(), Grouped(related).c_str(), mostDescendants, Grouped(most).c_str(),
        Grouped(rows).c_str());
}

}  // namespace

int main(int argc, char** argv) {
    return vx::bench::RunOnGeneratedFiles(argc, argv, kProgram, RunOne);
}
