// vellacor-bench-highlight: builds the Highlighted tab's list over a whole
// file for five typical condition strings, each from a fresh load so that
// no analysis is cached, and reports each next to the open + load time of
// the same file in the same run.
#include <algorithm>
#include <cstdio>
#include <string>

#include "BenchSupport.h"
#include "analysis/FamilyAnalysis.h"
#include "analysis/Statistics.h"
#include "highlight/ColHLIterator.h"
#include "highlight/HLGroup.h"

namespace {

using namespace vx::bench;

constexpr const char* kProgram = "vellacor-bench-highlight";

// Each list is allowed twice the open + load time.
constexpr double kGoal = 2;

struct Case {
    const char* name;
    std::string conditions;
};

void RunOne(const std::string& path, int repeat) {
    WarmUp(path);
    const Measurement load = Measure("open + load + order", repeat, 0, [&] {
        return static_cast<uint64_t>(OpenAndLoad(path)->IndividualCount());
    });
    // A person with a long ancestry among the youngest generations, found on
    // a separate load so that the timed ones start without statistics.
    int32_t pick = 1, mostAncestors = -1;
    {
        auto probe = OpenAndLoad(path);
        vx::FamilyAnalysis analysis(*probe);
        const int32_t count = probe->IndividualCount();
        for (int32_t n = std::max(1, count - 2000); n <= count; ++n)
            if (const int32_t ancestors = analysis.Statistics().AncestorCount(n);
                ancestors > mostAncestors)
                pick = n, mostAncestors = ancestors;
    }
    std::printf("%s: %s\n  %s individuals; open + load + order %.3f s (best of %d)\n", kProgram,
                path.c_str(), Grouped(load.count).c_str(), load.seconds, repeat);
    const Case cases[] = {
        {"birth date before 1850", "+39:BEF 1850"},
        {"birth place containing OHIO", "+24:1OHIO"},
        {"ancestors of one person", "+21:" + std::to_string(pick) + "^0"},
        {"related to #1", "+23:1"},
        {"AND/OR group of three", "+29:1SON;A;-17:F;O;+47:53"},
    };
    for (const Case& c : cases) {
        auto collection = OpenAndLoad(path);
        vx::FamilyAnalysis analysis(*collection);
        const auto start = Clock::now();
        vx::WHLGroup group(&analysis);
        group.SetConditionString(c.conditions);
        group.Refresh();
        vx::WColHLIterator list(group, collection.get(), nullptr);
        const double seconds = SecondsSince(start);
        const double ratio = seconds / load.seconds;
        std::printf("  %-30s %8.3f s  %5.2f x load  goal <= %.0f x  %s  (%s highlighted)\n", c.name,
                    seconds, ratio, kGoal, ratio <= kGoal ? "met" : "MISSED",
                    Grouped(static_cast<uint64_t>(list.Count())).c_str());
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    return vx::bench::RunOnGeneratedFiles(argc, argv, kProgram, RunOne);
}
