// vellacor-bench-lines: how fast the mapped GEDCOM text is walked line by
// line and record by record, against `wc -l` and `grep -c '^0 '` on the same
// file in the same run.
//
// The file comes from the generator and is kept in a cache folder, so later
// runs with the same size reuse it. Every timing starts from the file name:
// the tools open and read the file, the walks map it and walk it. The tools'
// times also include starting their process (about a millisecond).
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "BenchSupport.h"
#include "gedcom/TextMMF.h"

namespace {

using namespace vx::bench;

constexpr const char* kUsage =
    "usage: vellacor-bench-lines [--megabytes M] [--keep DIR] [--repeat N]\n"
    "  --megabytes M  size of the generated GEDCOM file in MB of 10^6 bytes (default 100)\n"
    "  --keep DIR     keep and reuse the generated file in DIR (default: a folder\n"
    "                 vellacor-bench in the temporary folder)\n"
    "  --repeat N     runs of each measurement; the best counts (default 5)\n";

// The walks must reach these fractions of the speed of wc -l.
constexpr double kRecordGoal = 1.0 / 3.0;
constexpr double kLineGoal = 1.0 / 5.0;
constexpr uint64_t kSeed = 1;

[[noreturn]] void Usage(const std::string& problem) {
    if (!problem.empty()) std::fprintf(stderr, "vellacor-bench-lines: %s\n", problem.c_str());
    std::fputs(kUsage, stderr);
    std::exit(2);
}

struct Counts {
    uint64_t bytes = 0;
    uint64_t lines = 0;
    uint64_t records = 0;
};

// The plain count the walks are checked against: line feeds, and lines that
// begin with '0'. Reading the whole file also brings it into the page cache.
Counts CountPlainly(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw std::runtime_error("cannot read " + path);
    std::vector<char> buffer(1 << 20);
    Counts counts;
    char previous = '\n';
    size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
        for (size_t i = 0; i < got; ++i) {
            const char c = buffer[i];
            counts.lines += c == '\n';
            counts.records += c == '0' && previous == '\n';
            previous = c;
        }
        counts.bytes += got;
    }
    std::fclose(file);
    if (previous != '\n') ++counts.lines;  // a last line without a line end
    return counts;
}

uint64_t WalkLines(const std::string& path) {
    vx::WTextMMF text(path);
    uint64_t lines = 0;
    for (const char* p = text.TextStart(); p; p = text.NextLine(p, true))
        ++lines;
    return lines;
}

uint64_t WalkRecords(const std::string& path) {
    vx::WTextMMF text(path);
    uint64_t records = 0;
    for (const char* p = text.TextStart(); p; p = text.NextRecord(p, true))
        ++records;
    return records;
}

uint64_t Number(const char* text, uint64_t lo, uint64_t hi, const char* what) {
    return NumberArgument(text, lo, hi, what, "vellacor-bench-lines", kUsage);
}

int Run(int argc, char** argv) {
    uint64_t megabytes = 100;
    int repeat = 5;
    std::string folder = DefaultCacheFolder();
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) Usage(std::string(arg) + " needs a value");
            return argv[++i];
        };
        if (arg == "--megabytes")
            megabytes = Number(value(), 1, 2000, "--megabytes");  // mapped sizes stay below 2 GB
        else if (arg == "--keep")
            folder = value();
        else if (arg == "--repeat")
            repeat = static_cast<int>(Number(value(), 1, 100, "--repeat"));
        else if (arg == "-h" || arg == "--help")
            return std::fputs(kUsage, stdout), 0;
        else
            Usage("unknown argument " + std::string(arg));
    }

    bool reused = false;
    vx::gedgen::Options options;
    options.targetBytes = megabytes * 1'000'000;
    options.seed = kSeed;
    const std::string path = CachedGedcom(folder, "lines", options, &reused);
    const Counts plain = CountPlainly(path);
    RunTool({"wc", "-l", path});  // one more warm-up, of the tool itself

    const double mb = static_cast<double>(plain.bytes) / 1e6;
    std::printf("vellacor-bench-lines: %s (%s)\n", path.c_str(), reused ? "reused" : "new");
    std::printf("  %.1f MB, %s lines, %s records; best of %d runs\n\n", mb,
                Grouped(plain.lines).c_str(), Grouped(plain.records).c_str(), repeat);

    const Measurement wc = Measure("wc -l", repeat, plain.lines, [&] {
        return LeadingNumber(RunTool({"wc", "-l", path}));
    });
    const Measurement grep = Measure("grep -c '^0 '", repeat, plain.records, [&] {
        return LeadingNumber(RunTool({"grep", "-c", "^0 ", path}));
    });
    const Measurement lines =
        Measure("line walk (NextLine)", repeat, plain.lines, [&] { return WalkLines(path); });
    const Measurement records = Measure("record walk (NextRecord)", repeat, plain.records,
                                        [&] { return WalkRecords(path); });

    std::printf("  %-26s %10s %10s %10s   %s\n", "", "time", "MB/s", "vs wc -l", "goal");
    bool countsAgree = true;
    for (const Measurement* m : {&wc, &grep, &lines, &records}) {
        const double ratio = wc.seconds / m->seconds;
        std::string goal;
        if (m == &lines || m == &records) {
            const double wanted = m == &lines ? kLineGoal : kRecordGoal;
            char text[64];
            std::snprintf(text, sizeof text, "   >= %.2f %s", wanted,
                          ratio >= wanted ? "met" : "MISSED");
            goal = text;
        }
        std::printf("  %-26s %7.1f ms %10.1f %10.2f%s\n", m->name.c_str(), m->seconds * 1e3,
                    mb / m->seconds, ratio, goal.c_str());
        if (m->count != m->expected) {
            std::fprintf(stderr, "vellacor-bench-lines: %s counted %s, the plain count is %s\n",
                         m->name.c_str(), Grouped(m->count).c_str(), Grouped(m->expected).c_str());
            countsAgree = false;
        }
    }
    std::printf(
        "\n  record walk / wc -l = %.2f (goal >= %.2f), line walk / wc -l = %.2f (goal >= %.2f)\n",
        wc.seconds / records.seconds, kRecordGoal, wc.seconds / lines.seconds, kLineGoal);
    if (!countsAgree) {
        std::fprintf(stderr, "vellacor-bench-lines: FAILED: the counts differ\n");
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vellacor-bench-lines: %s\n", e.what());
        return 1;
    }
}
