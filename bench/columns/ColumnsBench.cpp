// vellacor-bench-columns: sorts the list of every individual by one column
// at a time (surname, birth date, age, number of ancestors, relationship),
// each from a fresh load so that no analysis is cached, and reports the
// time of filling the column's values and sorting next to the open + load
// time of the same file and to coreutils sort on a file of the same keys.
#include <cstdio>
#include <fstream>
#include <string>

#include "BenchSupport.h"
#include "analysis/FamilyAnalysis.h"
#include "columns/ColSortIterator.h"
#include "columns/ListColumns.h"

namespace {

using namespace vx::bench;

constexpr const char* kProgram = "vellacor-bench-columns";

// Sorts are allowed three times the open + load time.
constexpr double kGoal = 3;

struct Column {
    int attribute;
    const char* name;
    bool numeric;  // the reference sort compares numbers
};

constexpr Column kColumns[] = {
    {4, "surname", false},   {10, "birth date", false},   {19, "age", false},
    {27, "ancestors", true}, {38, "relationship", false},
};

void RunOne(const std::string& path, int repeat) {
    WarmUp(path);
    const Measurement load = Measure("open + load + order", repeat, 0, [&] {
        return static_cast<uint64_t>(OpenAndLoad(path)->IndividualCount());
    });
    std::printf("%s: %s\n  %s individuals; open + load + order %.3f s (best of %d)\n", kProgram,
                path.c_str(), Grouped(load.count).c_str(), load.seconds, repeat);
    std::printf("  %-14s %9s %8s %9s %8s\n", "column", "sort", "x load", "coreutils", "x sort");

    const std::string keys = path + ".keys", sorted = path + ".sorted";
    for (const Column& column : kColumns) {
        auto collection = OpenAndLoad(path);
        vx::FamilyAnalysis analysis(*collection);
        vx::WListColumns columns(&analysis, "List");
        columns.SetColumnString(std::to_string(column.attribute));
        columns.SetBasePerson(1);
        vx::WColSortIterator list(collection.get(), nullptr);
        list.EnsureBuilt();
        columns.SetSortIterator(&list);

        const auto start = Clock::now();
        columns.SortByColumn(1);
        const double seconds = SecondsSince(start);

        // The same keys for the reference, in file order.
        {
            std::ofstream out(keys, std::ios::binary);
            for (int32_t n = 1; n <= collection->IndividualCount(); ++n)
                out << columns.CellText(1, n) << '\n';
        }
        const auto referenceStart = Clock::now();
        RunTool(column.numeric ? std::vector<std::string>{"sort", "-n", "-o", sorted, keys}
                               : std::vector<std::string>{"sort", "-o", sorted, keys});
        const double reference = SecondsSince(referenceStart);

        const double ratio = seconds / load.seconds;
        std::printf("  %-14s %7.3f s %6.2f x %7.3f s %6.2f x  goal <= %.0f x load  %s\n",
                    column.name, seconds, ratio, reference, seconds / reference, kGoal,
                    ratio <= kGoal ? "met" : "MISSED");
    }
    std::remove(keys.c_str());
    std::remove(sorted.c_str());
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    return vx::bench::RunOnGeneratedFiles(argc, argv, kProgram, RunOne);
}
