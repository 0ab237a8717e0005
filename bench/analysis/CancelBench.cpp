// vellacor-bench-cancel: how soon Cancel in the wait dialog stops work over
// everybody. On a line of 100,000 generations (VELLACOR_DEEP_GENERATIONS
// changes the depth), plain and with every mother a daughter of the top
// person (pedigree collapse on every generation: exact ancestor counts need
// one walk per person, hours of work), the highlighted list, a column sort
// and the islands start under a wait with Cancel; the user "presses" Cancel
// a moment later, which the work sees the next time it lets messages
// through. Reported: the time from the press to the work's return, against
// the half-second goal, next to the load time of the same file.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "BenchSupport.h"
#include "analysis/FamilyAnalysis.h"
#include "analysis/Islands.h"
#include "app/Services.h"
#include "columns/ColSortIterator.h"
#include "columns/ListColumns.h"
#include "gedcom/GEDCollection.h"
#include "highlight/ColHLIterator.h"
#include "highlight/HLGroup.h"

namespace {

using namespace vx::bench;

constexpr const char* kProgram = "vellacor-bench-cancel";
constexpr int32_t kDefaultGenerations = 100000;
// From the press of Cancel to the end of the work, at most.
constexpr double kGoalSeconds = 0.5;
// How long the work runs before the press.
constexpr double kPressAfterSeconds = 0.3;

// Person i is the only child of person i + 1; person n + i is the mother in
// person i's family, and with `collapsed` a daughter of the top person.
std::string WriteLine(const std::string& folder, int32_t n, bool collapsed) {
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/cancel-line-" + std::to_string(n) +
                             (collapsed ? "-collapsed" : "-plain") + ".ged";
    std::string text = "0 HEAD\n";
    auto id = [](int32_t i) { return "@I" + std::to_string(i) + "@"; };
    for (int32_t i = 1; i < 2 * n; ++i)
        text += "0 " + id(i) + " INDI\n1 NAME P" + std::to_string(i) + " /Line/\n";
    for (int32_t i = 1; i < n; ++i)
        text += "0 @F" + std::to_string(i) + "@ FAM\n1 HUSB " + id(i + 1) + "\n1 WIFE " +
                id(n + i) + "\n1 CHIL " + id(i) + "\n";
    if (collapsed) {
        text += "0 @F0@ FAM\n1 HUSB " + id(n) + "\n";
        for (int32_t i = 1; i < n; ++i)
            text += "1 CHIL " + id(n + i) + "\n";
    }
    std::ofstream(path, std::ios::binary) << text + "0 TRLR\n";
    return path;
}

// Presses Cancel at the first turn of the message queue after the moment.
class PressingServices : public vx::UiServices {
  public:
    void PumpMessages() override {
        if (Clock::now() >= press_) vx::SetWaitCancelled();
    }
    void Arm() {
        press_ = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                    std::chrono::duration<double>(kPressAfterSeconds));
    }
    Clock::time_point Press() const { return press_; }

  private:
    Clock::time_point press_;
};

void Report(const std::string& name, PressingServices& ui, const std::function<bool()>& work) {
    vx::WaitScope wait("Calculating.  Please Wait...", false, true);
    ui.Arm();
    const auto start = Clock::now();
    const bool cancelled = work();
    const auto end = Clock::now();
    if (!cancelled) {
        std::printf("  %-44s finished in %.3f s, before Cancel\n", name.c_str(),
                    std::chrono::duration<double>(end - start).count());
        return;
    }
    const double latency = std::chrono::duration<double>(end - ui.Press()).count();
    std::printf("  %-44s %7.3f s after Cancel  goal <= %.1f s  %s\n", name.c_str(), latency,
                kGoalSeconds, latency <= kGoalSeconds ? "met" : "MISSED");
}

void RunFile(const std::string& path, const char* title, int repeat) {
    WarmUp(path);
    const Measurement load = Measure("open + load + order", repeat, 0, [&] {
        return static_cast<uint64_t>(OpenAndLoad(path)->IndividualCount());
    });
    std::printf("%s: %s, %s individuals\n  open + load + order %.3f s (best of %d)\n", kProgram,
                title, Grouped(load.count).c_str(), load.seconds, repeat);
    PressingServices ui;
    vx::SetUiServices(&ui);
    {
        auto collection = OpenAndLoad(path);
        vx::FamilyAnalysis analysis(*collection);
        vx::WHLGroup group(&analysis);
        group.SetConditionString("50:40");  // everybody with ancestors
        group.Refresh();
        Report("highlighted list, # Ancestors", ui, [&] {
            vx::WColHLIterator list(group, collection.get(), nullptr);
            return list.Cancelled();
        });
    }
    {
        auto collection = OpenAndLoad(path);
        vx::FamilyAnalysis analysis(*collection);
        vx::WListColumns columns(&analysis, "List");
        columns.SetColumnString("1,27");
        vx::WColSortIterator list(collection.get(), nullptr);
        columns.SetSortIterator(&list);
        Report("sort by column 27 (ancestors)", ui, [&] {
            columns.SortByColumn(2);
            return columns.SortColumn() != 2;
        });
    }
    {
        auto collection = OpenAndLoad(path);
        vx::FamilyAnalysis analysis(*collection);
        Report("islands", ui, [&] {
            analysis.Islands().ComputeIslands();
            return !analysis.IslandsComputed();
        });
    }
    vx::SetUiServices(nullptr);
}

int Run(int argc, char** argv) {
    const FileArguments arguments =
        ParseFileArguments(argc, argv, kProgram,
                           "usage: vellacor-bench-cancel [--keep DIR] [--repeat N]\n"
                           "  (the depth comes from VELLACOR_DEEP_GENERATIONS, default 100000)\n");
    const int32_t n = DeepGenerations(kDefaultGenerations);
    RunFile(WriteLine(arguments.folder, n, false), "a line with mothers", arguments.repeat);
    RunFile(WriteLine(arguments.folder, n, true), "the line collapsing at the top",
            arguments.repeat);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    return RunReportingErrors(kProgram, [&] { return Run(argc, argv); });
}
