// vellacor-bench-web: the browser edition's size and speed. For the largest
// real GEDCOM file at hand and for generated ones, the file is packed as
// HTML with `vellacor-tool pack`; then
//   - its size against the limit of a fixed part plus a share of the archive;
//   - best of --repeat, in headless Chromium from file:// with no network,
//     the time from navigation to the first person on the page, against the
//     same page without the core (Chromium reading that many bytes) and the
//     native `vellacor-tool dump FILE general` (the same loading, natively)
//     in the same run.
// A missed goal is printed, not an error: the exit code reports only a
// failure to run.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace vx::bench;

constexpr const char* kProgram = "vellacor-bench-web";
constexpr const char* kUsage =
    "usage: vellacor-bench-web [--individuals N[,N...]] [--megabytes M] [--keep DIR] [--repeat N]\n"
    "  --individuals N,...  sizes of the generated files (default 100000)\n"
    "  --megabytes M        one generated file of about M MB instead\n"
    "  --keep DIR           keep and reuse the generated files in DIR\n"
    "  --repeat N           runs of each timing; the best counts (default 3)\n"
    "The largest file of $VELLACOR_TESTDATA (default: the shared test data beside\n"
    "the repository, else tests/data/gedcom) is measured too.\n";

// Size: at most this fixed part plus this share of the archive's bytes
// (base64 alone takes 4/3 of them).
constexpr double kFixedBytes = 1.5e6;
constexpr double kArchiveShare = 1.37;
// Time to the first person: the real file within a second, a generated file
// of this many people within five.
constexpr double kRealFileGoalSeconds = 1.0;
constexpr double kLargeGoalSeconds = 5.0;
constexpr uint64_t kLargeGoalIndividuals = 100'000;
constexpr double kMsPerSecond = 1000.0;
constexpr double kBytesPerMb = 1e6;
constexpr double kNotYet = 1e30;

struct Subject {
    std::string label;
    std::string gedcom;
    double goalSeconds = 0;  // 0: no goal for this size
    std::string html;
    uint64_t archiveBytes = 0;
    uint64_t htmlBytes = 0;
    // Best times so far.
    double nativeSeconds = kNotYet;
    double firstSeconds = kNotYet;
    double loadedSeconds = kNotYet;
    double bareSeconds = kNotYet;
};

// The largest GEDCOM file of the folder, or "" when it has none.
std::string LargestGedcom(const std::string& folder) {
    std::error_code error;
    std::string best;
    uintmax_t bestSize = 0;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (!entry.is_regular_file() || extension != ".ged") continue;
        if (entry.file_size() > bestSize) {
            bestSize = entry.file_size();
            best = entry.path().string();
        }
    }
    return best;
}

std::string RealFile() {
    if (const char* chosen = std::getenv("VELLACOR_TESTDATA")) {
        const std::string found = LargestGedcom(chosen);
        if (found.empty()) throw std::runtime_error(std::string("no .ged file in ") + chosen);
        return found;
    }
    for (const char* folder : {VELLACOR_SHARED_TESTDATA, VELLACOR_REPO_TESTDATA}) {
        const std::string found = LargestGedcom(folder);
        if (!found.empty()) return found;
    }
    throw std::runtime_error("no real GEDCOM file found; set VELLACOR_TESTDATA");
}

// Packs the subject as HTML in `folder` and reads the sizes the tool reports.
void Pack(Subject& subject, const std::string& folder) {
    subject.html =
        (fs::path(folder) / (fs::path(subject.gedcom).stem().string() + ".html")).string();
    const std::string said = RunTool(
        {VELLACOR_TOOL, "pack", subject.gedcom, "-o", subject.html, "--title", "Benchmark"});
    std::smatch match;
    if (!std::regex_search(said, match, std::regex(R"(archive (\d+) bytes, file (\d+) bytes)")))
        throw std::runtime_error("unexpected answer of pack: " + said);
    subject.archiveBytes = std::stoull(match[1].str());
    subject.htmlBytes = std::stoull(match[2].str());
    if (fs::file_size(subject.html) != subject.htmlBytes)
        throw std::runtime_error(subject.html + " does not have the size pack reported");
}

// One run of Chromium on every subject's page (node prints RESULT lines),
// keeping the best times so far.
void TimeInChromium(std::vector<Subject>& subjects) {
    std::vector<std::string> args = {VELLACOR_NODE, VELLACOR_WEB_BENCH_SCRIPT, "1"};
    for (const Subject& subject : subjects)
        args.push_back(subject.html);
    std::istringstream said(RunTool(args));
    size_t results = 0;
    for (std::string line; std::getline(said, line);) {
        std::istringstream fields(line);
        std::string word;
        size_t index = 0;
        double first = 0, loaded = 0, bare = 0;
        if (!(fields >> word >> index >> first >> loaded >> bare) || word != "RESULT" ||
            index >= subjects.size())
            continue;
        Subject& subject = subjects[index];
        subject.firstSeconds = std::min(subject.firstSeconds, first / kMsPerSecond);
        subject.loadedSeconds = std::min(subject.loadedSeconds, loaded / kMsPerSecond);
        subject.bareSeconds = std::min(subject.bareSeconds, bare / kMsPerSecond);
        ++results;
    }
    if (results != subjects.size()) throw std::runtime_error("Chromium's timings are incomplete");
}

const char* Verdict(bool met) {
    return met ? "met" : "missed";
}

void PrintTables(const std::vector<Subject>& subjects, int repeat) {
    std::printf("%s: the HTML edition in headless Chromium; best of %d runs\n", kProgram, repeat);
    std::printf("\n  %-32s %11s %11s %11s %7s  %-7s %s\n", "file size (bytes)", "archive", "html",
                "limit", "x limit", "goal", "html / archive");
    for (const Subject& s : subjects) {
        const double limit = kFixedBytes + kArchiveShare * static_cast<double>(s.archiveBytes);
        const double ratio = static_cast<double>(s.htmlBytes) / limit;
        std::printf("  %-32s %11s %11s %11s %7.3f  %-7s %.3f\n", s.label.c_str(),
                    Grouped(s.archiveBytes).c_str(), Grouped(s.htmlBytes).c_str(),
                    Grouped(static_cast<uint64_t>(limit)).c_str(), ratio, Verdict(ratio <= 1.0),
                    static_cast<double>(s.htmlBytes) / static_cast<double>(s.archiveBytes));
    }
    std::printf("\n  %-32s %8s %6s  %-7s %8s %8s %8s %8s %7s\n", "first person (seconds)", "shown",
                "goal", "", "loaded", "native", "x native", "bare", "x bare");
    for (const Subject& s : subjects) {
        char goal[16] = "-";
        const char* verdict = "";
        if (s.goalSeconds > 0) {
            std::snprintf(goal, sizeof goal, "%.1f", s.goalSeconds);
            verdict = Verdict(s.firstSeconds <= s.goalSeconds);
        }
        std::printf("  %-32s %8.3f %6s  %-7s %8.3f %8.3f %8.2f %8.3f %7.1f\n", s.label.c_str(),
                    s.firstSeconds, goal, verdict, s.loadedSeconds, s.nativeSeconds,
                    s.firstSeconds / s.nativeSeconds, s.bareSeconds,
                    s.firstSeconds / s.bareSeconds);
    }
    std::printf(
        "\n  limit: 1.5 MB plus 1.37 x the archive. shown: from navigation to the first person\n"
        "  on the page; loaded: to the family loaded in the core; native: vellacor-tool dump\n"
        "  FILE general on the same GEDCOM; bare: the same page without the core (Chromium\n"
        "  reading that many bytes).\n\n");
}

int Run(int argc, char** argv) {
    const FileArguments arguments =
        ParseFileArguments(argc, argv, kProgram, kUsage, {kLargeGoalIndividuals});
    std::vector<Subject> subjects;

    Subject real;
    real.gedcom = RealFile();
    real.label = fs::path(real.gedcom).filename().string();
    real.goalSeconds = kRealFileGoalSeconds;
    subjects.push_back(real);
    for (const vx::gedgen::Options& options : arguments.files) {
        bool reused = false;
        Subject generated;
        generated.gedcom = CachedGedcom(arguments.folder, "load", options, &reused);
        const uint64_t bytes = WarmUp(generated.gedcom);
        generated.label =
            options.targetBytes
                ? "generated " + Grouped(bytes / static_cast<uint64_t>(kBytesPerMb)) + " MB"
                : "generated " + Grouped(options.individuals) + " people";
        if (!options.targetBytes && options.individuals == kLargeGoalIndividuals)
            generated.goalSeconds = kLargeGoalSeconds;
        subjects.push_back(generated);
    }

    const std::string folder = (fs::path(arguments.folder) / "web").string();
    fs::create_directories(folder);
    for (Subject& subject : subjects)
        Pack(subject, folder);
    // Every round runs each measurement once, so other work on the machine
    // falls on all of them alike.
    for (int round = 0; round < arguments.repeat; ++round) {
        for (Subject& subject : subjects) {
            WarmUp(subject.gedcom);
            const Measurement native = Measure("dump general", 1, 0, [&] {
                return RunTool({VELLACOR_TOOL, "dump", subject.gedcom, "general"}).size();
            });
            subject.nativeSeconds = std::min(subject.nativeSeconds, native.seconds);
        }
        TimeInChromium(subjects);
    }
    PrintTables(subjects, arguments.repeat);
    for (const Subject& subject : subjects)
        fs::remove(subject.html);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    return RunReportingErrors(kProgram, [&] { return Run(argc, argv); });
}
