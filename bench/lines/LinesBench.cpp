// vellacor-bench-lines: how fast the mapped GEDCOM text is walked line by
// line and record by record, against `wc -l` and `grep -c '^0 '` on the same
// file in the same run.
//
// The file comes from the generator and is kept in a cache folder, so later
// runs with the same size reuse it. Every timing starts from the file name:
// the tools open and read the file, the walks map it and walk it. The tools'
// times also include starting their process (about a millisecond).
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Generator.h"
#include "app/TextUtil.h"
#include "gedcom/TextMMF.h"
#include "platform/TempFiles.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

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

std::string Grouped(uint64_t n) {
    return vx::FormatThousands(static_cast<int64_t>(n));
}

// The generated file for this size, made when the cache does not hold it
// yet. It is written under a temporary name and renamed when complete, so
// an interrupted run never leaves a truncated file to be reused.
std::string CachedFile(const std::string& folder, uint64_t megabytes, bool* reused) {
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/lines-" + std::to_string(megabytes) + "mb-seed" +
                             std::to_string(kSeed) + "-v" +
                             std::to_string(vx::gedgen::kOutputVersion) + ".ged";
    std::error_code error;
    *reused = std::filesystem::file_size(path, error) >= megabytes * 1'000'000 && !error;
    if (*reused) return path;

    vx::gedgen::Options options;
    options.targetBytes = megabytes * 1'000'000;
    options.seed = kSeed;
    const std::string partial = path + ".partial";
    const auto start = Clock::now();
    const vx::gedgen::Stats stats = vx::gedgen::GenerateFile(options, partial);
    std::filesystem::rename(partial, path);
    std::printf("generated %s: %s individuals, %s bytes in %.2f s\n", path.c_str(),
                Grouped(stats.individuals).c_str(), Grouped(stats.bytes).c_str(),
                std::chrono::duration<double>(Clock::now() - start).count());
    return path;
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

// Runs a tool with the C locale and returns what it printed; the tool must
// succeed.
std::string RunTool(const std::vector<std::string>& args) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);

    std::vector<std::string> environment = {"LC_ALL=C"};
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "LC_ALL=", 7) != 0) environment.emplace_back(*e);
    std::vector<char*> argv, envp;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    for (const std::string& e : environment)
        envp.push_back(const_cast<char*>(e.c_str()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    std::string output;
    if (spawned == 0) {
        char chunk[256];
        ssize_t got = 0;
        while ((got = ::read(pipeEnds[0], chunk, sizeof chunk)) > 0)
            output.append(chunk, got);
    }
    ::close(pipeEnds[0]);
    int status = 0;
    if (spawned != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        throw std::runtime_error("running " + args[0] + " failed");
    return output;
}

uint64_t LeadingNumber(const std::string& text) {
    return std::strtoull(text.c_str(), nullptr, 10);
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

struct Measurement {
    std::string name;
    double seconds = 0;  // best run
    uint64_t count = 0;  // what the last run counted
    uint64_t expected = 0;
};

Measurement Measure(std::string name, int repeat, uint64_t expected,
                    const std::function<uint64_t()>& run) {
    Measurement m{std::move(name), 1e30, 0, expected};
    for (int i = 0; i < repeat; ++i) {
        const auto start = Clock::now();
        m.count = run();
        m.seconds =
            std::min(m.seconds, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return m;
}

uint64_t Number(const char* text, uint64_t lo, uint64_t hi, const char* what) {
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0' || text[0] == '-' || value < lo || value > hi)
        Usage(std::string("bad value for ") + what + ": " + text);
    return value;
}

int Run(int argc, char** argv) {
    uint64_t megabytes = 100;
    int repeat = 5;
    std::string folder = vx::platform::TempFolder() + "vellacor-bench";
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
    const std::string path = CachedFile(folder, megabytes, &reused);
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
