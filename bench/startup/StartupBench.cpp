// vellacor-bench-startup: how long a packed file takes from start until its
// GEDCOM is loaded, for the self-contained form (first start, when the
// runtime is unpacked into an empty cache, and later starts) against the
// plain viewer packed with --viewer, in the same run. The viewer prints its
// status counts and quits once loaded (VELLACOR_PRINT_LOADED), drawing
// offscreen. Also prints what the runtime adds to the file and its largest
// parts.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kUsage = "usage: vellacor-bench-startup [--repeat N]\n";
constexpr int kDefaultRepeat = 7;
constexpr double kFirstStartGoal = 2.0;  // seconds, at most
constexpr double kLaterStartGoal = 0.1;  // seconds over the plain viewer, at most
constexpr double kAddedGoal = 25.0;      // MB the runtime adds, at most
constexpr double kMegabyte = 1e6;
constexpr size_t kLargestShown = 8;

// Runs a program quietly; false when it fails.
bool Run(const std::vector<std::string>& args, bool quiet) {
    std::fflush(stdout);  // or the child would print our pending lines again
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        if (quiet) {
            std::freopen("/dev/null", "w", stdout);
            std::freopen("/dev/null", "w", stderr);
        }
        std::vector<char*> argv;
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double TimedStart(const std::string& program) {
    const auto start = Clock::now();
    if (!Run({program}, true)) {
        std::fprintf(stderr, "%s did not start and load\n", program.c_str());
        std::exit(1);
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void PrintLargestParts() {
    std::ifstream list(VELLACOR_RUNTIME_LIST);
    std::vector<std::pair<uintmax_t, std::string>> parts;
    uintmax_t total = 0;
    std::string line;
    while (std::getline(list, line)) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        std::error_code error;
        const uintmax_t size = fs::file_size(line.substr(tab + 1), error);
        if (error) continue;
        total += size;
        parts.emplace_back(size, line.substr(0, tab));
    }
    std::sort(parts.rbegin(), parts.rend());
    std::printf("runtime: %zu files, %.1f MB unpacked; the largest:\n", parts.size(),
                static_cast<double>(total) / kMegabyte);
    for (size_t i = 0; i < std::min(kLargestShown, parts.size()); ++i)
        std::printf("  %6.1f MB  %s\n", static_cast<double>(parts[i].first) / kMegabyte,
                    parts[i].second.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    int repeat = kDefaultRepeat;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--repeat" && i + 1 < argc) {
            repeat = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        // scripts/bench hands every program the same options; those of the
        // benchmarks over generated files mean nothing here.
    }
    const fs::path work =
        fs::temp_directory_path() / ("vellacor-bench-startup-" + std::to_string(::getpid()));
    fs::create_directories(work);
    const std::string plain = (work / "plain").string();
    const std::string contained = (work / "selfcontained").string();
    const std::string cache = (work / "cache").string();
    if (!Run({VELLACOR_TOOL, "pack", VELLACOR_GEDCOM, "-o", plain, "--viewer", VELLACOR_VIEWER},
             true) ||
        !Run({VELLACOR_TOOL, "pack", VELLACOR_GEDCOM, "-o", contained}, true)) {
        std::fprintf(stderr, "vellacor-tool pack failed\n");
        return 1;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("VELLACOR_PRINT_LOADED", "1", 1);
    ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);

    const double added =
        static_cast<double>(fs::file_size(contained)) - static_cast<double>(fs::file_size(plain));
    std::printf(
        "file size: plain %.1f MB, self-contained %.1f MB; the runtime adds %.1f MB "
        "(goal: at most %.0f)\n",
        static_cast<double>(fs::file_size(plain)) / kMegabyte,
        static_cast<double>(fs::file_size(contained)) / kMegabyte, added / kMegabyte, kAddedGoal);
    PrintLargestParts();

    TimedStart(plain);  // warm the page cache for both forms
    std::vector<double> plainTimes, firstTimes, laterTimes;
    for (int i = 0; i < repeat; ++i) {
        plainTimes.push_back(TimedStart(plain));
        fs::remove_all(cache);
        firstTimes.push_back(TimedStart(contained));
        laterTimes.push_back(TimedStart(contained));
    }
    const double reference = Median(plainTimes);
    const double first = Median(firstTimes);
    const double later = Median(laterTimes);
    std::printf("start until loaded, median of %d (offscreen):\n", repeat);
    std::printf("  plain viewer (reference)     %6.3f s\n", reference);
    std::printf("  self-contained, first start  %6.3f s  (%.2fx; goal: at most %.1f s)\n", first,
                first / reference, kFirstStartGoal);
    std::printf("  self-contained, later start  %6.3f s  (+%.3f s; goal: at most +%.1f s)\n", later,
                later - reference, kLaterStartGoal);
    fs::remove_all(work);
    const bool met = first <= kFirstStartGoal && later - reference <= kLaterStartGoal &&
                     added <= kAddedGoal * kMegabyte;
    std::printf("%s\n", met ? "all goals met" : "GOAL MISSED");
    return met ? 0 : 1;
}
