// vellacor-bench-deep-line: every condition, column and statistic that
// follows lines of ancestors or descendants, evaluated for everybody on one
// line of 100,000 generations (each person the only child of the one
// above; VELLACOR_DEEP_GENERATIONS changes the depth), each next to the
// open + load time of the same file in the same run. Takes the shared
// benchmark arguments; only --keep and --repeat matter here.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "BenchSupport.h"
#include "analysis/FamilyAnalysis.h"
#include "columns/Attrib.h"
#include "gedcom/GEDCollection.h"
#include "highlight/HLGroup.h"

namespace {

using namespace vx::bench;

constexpr const char* kProgram = "vellacor-bench-deep-line";
constexpr int32_t kDefaultGenerations = 100000;
// Each evaluation over everybody should take at most this many load times.
constexpr double kGoal = 10;

std::string WriteLine(const std::string& folder, int32_t n) {
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/deep-line-" + std::to_string(n) + ".ged";
    std::string text = "0 HEAD\n";
    auto id = [](int32_t i) { return "@I" + std::to_string(i) + "@"; };
    for (int32_t i = 1; i <= n; ++i)
        text += "0 " + id(i) + " INDI\n1 NAME P" + std::to_string(i) + " /Line/\n1 SEX M\n";
    // A second child of the top person: the base of the relationship columns.
    text += "0 @S1@ INDI\n1 NAME Sib /Line/\n1 SEX M\n";
    for (int32_t i = 1; i < n; ++i)
        text +=
            "0 @F" + std::to_string(i) + "@ FAM\n1 HUSB " + id(i + 1) + "\n1 CHIL " + id(i) + "\n";
    text += "0 @FS@ FAM\n1 HUSB " + id(n) + "\n1 CHIL @S1@\n0 TRLR\n";
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

void Report(const std::string& name, double seconds, double load) {
    const double ratio = seconds / load;
    std::printf("  %-36s %8.3f s  %6.2f x load  goal <= %.0f x  %s\n", name.c_str(), seconds, ratio,
                kGoal, ratio <= kGoal ? "met" : "MISSED");
}

// Times `work` on a freshly loaded file (nothing cached), the load not counted.
double Fresh(const std::string& path, const std::function<void(vx::WGEDCollection&)>& work) {
    auto collection = OpenAndLoad(path);
    const auto start = Clock::now();
    work(*collection);
    return SecondsSince(start);
}

int Run(int argc, char** argv) {
    const FileArguments arguments =
        ParseFileArguments(argc, argv, kProgram,
                           "usage: vellacor-bench-deep-line [--keep DIR] [--repeat N]\n"
                           "  (the depth comes from VELLACOR_DEEP_GENERATIONS, default 100000)\n");
    const int32_t n = DeepGenerations(kDefaultGenerations);
    const std::string path = WriteLine(arguments.folder, n);
    WarmUp(path);
    const Measurement load = Measure("open + load + order", arguments.repeat, 0, [&] {
        return static_cast<uint64_t>(OpenAndLoad(path)->IndividualCount());
    });
    std::printf("%s: a line of %s generations\n  open + load + order %.3f s (best of %d)\n",
                kProgram, Grouped(n).c_str(), load.seconds, arguments.repeat);
    const int32_t people = static_cast<int32_t>(load.count);
    const std::string top = std::to_string(n), sibling = std::to_string(n + 1);

    const std::string conditions[] = {
        "23:" + top,        "23:" + sibling, "23:1",      "50:40",        "51:40",  "21:1^0",
        "22:" + top + "^0", "95:1",          "96:" + top, "106:2P" + top, "107:2P1"};
    for (const std::string& condition : conditions) {
        int32_t highlighted = 0;
        const double seconds = Fresh(path, [&](vx::WGEDCollection& c) {
            vx::FamilyAnalysis analysis(c);
            vx::WHLGroup group(&analysis);
            group.SetConditionString(condition);
            group.Refresh();
            for (int32_t i = people; i >= 1; --i)
                highlighted += group.IsHighlighted(i);
        });
        Report("condition " + condition + " (" + Grouped(highlighted) + ")", seconds, load.seconds);
    }
    for (int number : {27, 28, 38, 39, 52, 61, 62, 63, 64}) {
        size_t characters = 0;
        const double seconds = Fresh(path, [&](vx::WGEDCollection& c) {
            vx::FamilyAnalysis analysis(c);
            auto column = vx::CreateAttribute(number, &analysis);
            column->SetBasePerson(n + 1);
            for (int32_t i = people; i >= 1; --i)
                characters += column->GetText(i, 1).size();
        });
        Report("column " + std::to_string(number) + " (" + Grouped(characters) + " chars)", seconds,
               load.seconds);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    return RunReportingErrors(kProgram, [&] { return Run(argc, argv); });
}
