// vellacor-bench-archive: packing and expanding GEDCOM text with the
// archive's block coder, against bzip2 on the same text in the same run.
//
// For each size the text comes from the generator (cached between runs).
// Every timing starts and ends with files: pack reads the text and writes an
// archive, expand reads the archive and writes the text, and bzip2 reads and
// writes files the same way (its times include starting the process, about
// a millisecond). Each round runs every measurement once, and the best of
// --repeat rounds counts for each. The decoder's memory is
// measured as the peak resident size of `vellacor-tool extract` on a packed
// file of each size.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "archive/Compressor.h"
#include "archive/RESCompress.h"
#include "archive/ViewerMark.h"
#include "packing/Packer.h"
#include "platform/FileHandle.h"
#include "platform/TempFiles.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kUsage =
    "usage: vellacor-bench-archive [--megabytes M] [--keep DIR] [--repeat N]\n"
    "  --megabytes M  one size of generated GEDCOM text in MB of 10^6 bytes\n"
    "                 (default: 10 and 100)\n"
    "  --keep DIR     keep and reuse the generated files in DIR (default: a folder\n"
    "                 vellacor-bench in the temporary folder)\n"
    "  --repeat N     runs of each measurement; the best counts (default 3)\n";

constexpr uint64_t kSeed = 1;
constexpr double kExpandGoal = 0.8;  // of bzip2 -d's speed
constexpr double kPackGoal = 0.5;    // of bzip2 -9's speed

[[noreturn]] void Usage(const std::string& problem) {
    if (!problem.empty()) std::fprintf(stderr, "vellacor-bench-archive: %s\n", problem.c_str());
    std::fputs(kUsage, stderr);
    std::exit(2);
}

uint64_t Number(const char* text, uint64_t lo, uint64_t hi, const char* what) {
    return vx::bench::NumberArgument(text, lo, hi, what, "vellacor-bench-archive", kUsage);
}

std::string CachedText(const std::string& folder, uint64_t megabytes) {
    vx::gedgen::Options options;
    options.targetBytes = megabytes * 1'000'000;
    options.seed = kSeed;
    bool reused = false;
    return vx::bench::CachedGedcom(folder, "archive", options, &reused);
}

// Runs a program with stdin and stdout redirected to files; returns its
// peak resident size in KB. The program must succeed.
long Spawn(const std::vector<std::string>& args, const std::string& in, const std::string& out) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!in.empty()) posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    struct rusage usage {};
    if (spawned != 0 || ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        throw std::runtime_error("running " + args[0] + " failed");
    return usage.ru_maxrss;
}

// Runs every measurement once per round and keeps the best time of each, so
// that load from other work on the machine falls on all of them alike.
std::vector<double> BestOfRounds(int repeat, const std::vector<std::function<void()>>& runs) {
    std::vector<double> best(runs.size(), 1e30);
    for (int round = 0; round < repeat; ++round) {
        for (size_t i = 0; i < runs.size(); ++i) {
            const auto start = Clock::now();
            runs[i]();
            best[i] =
                std::min(best[i], std::chrono::duration<double>(Clock::now() - start).count());
        }
    }
    return best;
}

// Packs the text file into an archive file; returns the block count.
int PackFile(const std::string& text, const std::string& archive) {
    vx::platform::FileHandle in =
        vx::platform::OpenExistingFile(text, vx::platform::FileAccess::Read);
    vx::platform::FileHandle out = vx::platform::CreateOrReplaceFile(archive);
    if (!in.IsOpen() || !out.IsOpen()) throw std::runtime_error("cannot open " + text);
    vx::TArchiveWriter writer([&out](const std::string& bytes) {
        if (!vx::platform::WriteAll(out, bytes.data(), bytes.size()))
            throw std::runtime_error("cannot write the archive");
    });
    std::string chunk(1 << 20, '\0');
    for (int64_t offset = 0;;) {
        const int64_t got = vx::platform::ReadAt(in, chunk.data(), chunk.size(), offset);
        if (got < 0) throw std::runtime_error("cannot read " + text);
        if (got == 0) break;
        writer.Add(std::string_view(chunk.data(), static_cast<size_t>(got)));
        offset += got;
    }
    return writer.Finish();
}

bool SameContent(const std::string& a, const std::string& b) {
    std::FILE* fa = std::fopen(a.c_str(), "rb");
    std::FILE* fb = std::fopen(b.c_str(), "rb");
    bool same = fa && fb;
    std::vector<char> ba(1 << 20), bb(1 << 20);
    while (same) {
        const size_t na = std::fread(ba.data(), 1, ba.size(), fa);
        const size_t nb = std::fread(bb.data(), 1, bb.size(), fb);
        same = na == nb && std::memcmp(ba.data(), bb.data(), na) == 0;
        if (na == 0) break;
    }
    if (fa) std::fclose(fa);
    if (fb) std::fclose(fb);
    return same;
}

struct Row {
    const char* name;
    double seconds;
    uint64_t bytes;  // compressed size, 0 when not applicable
};

void RunSize(uint64_t megabytes, const std::string& folder, int repeat, const std::string& work) {
    const std::string text = CachedText(folder, megabytes);
    const uint64_t size = fs::file_size(text);
    const double mb = static_cast<double>(size) / 1e6;
    const std::string archive = work + "/text.qtrx", expanded = work + "/expanded.ged";
    const std::string bz9 = work + "/text9.bz2", bz6 = work + "/text6.bz2",
                      bzOut = work + "/bz.out";

    int blocks = 0;
    const std::vector<double> times =
        BestOfRounds(repeat, {
                                 [&] { blocks = PackFile(text, archive); },
                                 [&] { vx::WRESCompress().Expand(archive, expanded, blocks); },
                                 [&] {
                                     Spawn({"bzip2", "-9", "-c"}, text, bz9);
                                 },
                                 [&] {
                                     Spawn({"bzip2", "-6", "-c"}, text, bz6);
                                 },
                                 [&] {
                                     Spawn({"bzip2", "-d", "-c"}, bz6, bzOut);
                                 },
                             });
    const double pack = times[0], expand = times[1], bzip9 = times[2], bzip6 = times[3],
                 bunzip = times[4];
    if (!SameContent(text, expanded)) throw std::runtime_error("expanded text differs");
    if (!SameContent(text, bzOut)) throw std::runtime_error("bzip2 gave back other text");

    // The decoder's memory: the tool extracting a packed program file.
    vx::TPackRequest request;
    request.GedcomPath = text;
    // A few bytes with the viewer's mark stand in for the viewer image.
    request.ViewerPath = work + "/viewer";
    std::ofstream(request.ViewerPath, std::ios::binary) << "viewer " << vx::ViewerMark();
    request.OutputPath = work + "/program";
    request.Sender.AllowExtract = 1;
    vx::PackProgram(request);
    const long extractKb =
        Spawn({VELLACOR_TOOL, "extract", request.OutputPath, "-o", expanded}, "", bzOut);

    const uint64_t ours = fs::file_size(archive);
    const uint64_t size9 = fs::file_size(bz9), size6 = fs::file_size(bz6);
    std::printf("\n%.1f MB of GEDCOM text (%d blocks)\n", mb, blocks);
    std::printf("  %-16s %10s %12s %8s\n", "", "MB/s", "bytes", "ratio");
    const Row rows[] = {{"vellacor pack", pack, ours},
                        {"bzip2 -9", bzip9, size9},
                        {"bzip2 -6", bzip6, size6},
                        {"vellacor expand", expand, 0},
                        {"bzip2 -d", bunzip, 0}};
    for (const Row& row : rows) {
        if (row.bytes)
            std::printf("  %-16s %10.1f %12llu %7.2f%%\n", row.name, mb / row.seconds,
                        static_cast<unsigned long long>(row.bytes), 100.0 * row.bytes / size);
        else
            std::printf("  %-16s %10.1f\n", row.name, mb / row.seconds);
    }
    auto verdict = [](bool met) { return met ? "goal met" : "GOAL MISSED"; };
    std::printf("  expand / bzip2 -d speed: %.2f (goal %.2f) %s\n", bunzip / expand, kExpandGoal,
                verdict(bunzip / expand >= kExpandGoal));
    std::printf("  pack / bzip2 -9 speed:   %.2f (goal %.2f) %s\n", bzip9 / pack, kPackGoal,
                verdict(bzip9 / pack >= kPackGoal));
    std::printf("  size / bzip2 -6 size:    %.3f (goal 1.000) %s\n",
                static_cast<double>(ours) / size6, verdict(ours <= size6));
    std::printf("  size / bzip2 -9 size:    %.3f\n", static_cast<double>(ours) / size9);
    std::printf("  vellacor-tool extract peak memory: %.1f MB\n", extractKb / 1024.0);
    for (const std::string& path : {archive, expanded, bz9, bz6, bzOut, request.OutputPath})
        fs::remove(path);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<uint64_t> sizes;
    std::string folder = vx::platform::TempFolder() + "vellacor-bench";
    int repeat = 3;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) Usage(arg == "--help" ? "" : "missing value for " + arg);
        if (arg == "--megabytes")
            sizes.push_back(Number(argv[++i], 1, 100000, "--megabytes"));
        else if (arg == "--keep")
            folder = argv[++i];
        else if (arg == "--repeat")
            repeat = static_cast<int>(Number(argv[++i], 1, 100, "--repeat"));
        else
            Usage("unknown argument " + arg);
    }
    if (sizes.empty()) sizes = {10, 100};
    try {
        const std::string work = folder + "/work-" + std::to_string(::getpid());
        fs::create_directories(work);
        for (uint64_t megabytes : sizes)
            RunSize(megabytes, folder, repeat, work);
        fs::remove_all(work);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vellacor-bench-archive: %s\n", error.what());
        return 1;
    }
    return 0;
}
