// vellacor-bench-load: opening and loading a GEDCOM file (indexes, links,
// spouse-family order), then reading every individual's summary line,
// against `grep -c '^0 '` (one pass over every line) on the same generated
// file in the same run. Also reports the bytes the indexes and link tables
// hold per individual.
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BenchSupport.h"
#include "gedcom/GEDCollection.h"
#include "records/Individual.h"

namespace {

using namespace vx::bench;

constexpr const char* kProgram = "vellacor-bench-load";
constexpr const char* kUsage =
    "usage: vellacor-bench-load [--individuals N[,N...]] [--megabytes M] [--keep DIR] [--repeat "
    "N]\n"
    "  --individuals N,...  sizes of the generated files (default 100000,1000000)\n"
    "  --megabytes M        one file of about M MB instead\n"
    "  --keep DIR           keep and reuse the generated files in DIR\n"
    "  --repeat N           runs of each measurement; the best counts (default 3)\n";

// Goals, as multiples of the time grep takes for one pass over the lines.
constexpr double kLoadGoal = 4.0;     // open + load + order, at most
constexpr double kSummaryGoal = 2.0;  // summary lines, at most this many load times
constexpr double kBytesGoal = 100.0;  // per individual, at most

void RunOne(const std::string& path, int repeat) {
    const uint64_t bytes = WarmUp(path);
    const double mb = static_cast<double>(bytes) / 1e6;
    const Measurement grep = Measure("grep -c '^0 '", repeat, 0, [&] {
        return LeadingNumber(RunTool({"grep", "-c", "^0 ", path}));
    });
    int64_t indexBytes = 0;
    const Measurement load = Measure("open + load + order", repeat, 0, [&] {
        auto collection = OpenAndLoad(path);
        indexBytes = collection->IndexBytes();
        return static_cast<uint64_t>(collection->IndividualCount());
    });
    // Each run reads every summary line of a freshly loaded file, so the
    // summary entries are filled in the timed part as on first display.
    double summarySeconds = 1e30;
    uint64_t summaryBytes = 0;
    for (int i = 0; i < repeat; ++i) {
        auto collection = OpenAndLoad(path);
        const auto start = Clock::now();
        uint64_t total = 0;
        for (int32_t n = 1; n <= collection->IndividualCount(); ++n)
            total += collection->Individual(n)->SummaryLine(true).size();
        summarySeconds = std::min(summarySeconds, SecondsSince(start));
        summaryBytes = total;
    }

    const double perIndividual = static_cast<double>(indexBytes) / static_cast<double>(load.count);
    const double loadRatio = load.seconds / grep.seconds;
    const double summaryRatio = summarySeconds / load.seconds;
    std::printf("%s: %s\n  %.1f MB, %s individuals; best of %d runs\n", kProgram, path.c_str(), mb,
                Grouped(load.count).c_str(), repeat);
    std::printf("  %-28s %9.3f s\n", grep.name.c_str(), grep.seconds);
    std::printf("  %-28s %9.3f s  %5.2f x grep   goal <= %.0f x  %s\n", load.name.c_str(),
                load.seconds, loadRatio, kLoadGoal, loadRatio <= kLoadGoal ? "met" : "MISSED");
    std::printf("  %-28s %9.3f s  %5.2f x load   goal <= %.0f x  %s   (%s bytes of text)\n",
                "every summary line", summarySeconds, summaryRatio, kSummaryGoal,
                summaryRatio <= kSummaryGoal ? "met" : "MISSED", Grouped(summaryBytes).c_str());
    std::printf("  %-28s %9.1f bytes per individual  goal <= %.0f  %s\n\n", "indexes and links",
                perIndividual, kBytesGoal, perIndividual <= kBytesGoal ? "met" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
    return vx::bench::RunOnGeneratedFiles(argc, argv, kProgram, kUsage, RunOne);
}
