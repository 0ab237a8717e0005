#include "BenchSupport.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "app/TextUtil.h"
#include "platform/TempFiles.h"

extern char** environ;

namespace vx::bench {

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string Grouped(uint64_t n) {
    return FormatThousands(static_cast<int64_t>(n));
}

std::string DefaultCacheFolder() {
    return platform::TempFolder() + "vellacor-bench";
}

std::string CachedGedcom(const std::string& folder, const std::string& label,
                         const gedgen::Options& options, bool* reused) {
    std::filesystem::create_directories(folder);
    const std::string size = options.targetBytes
                                 ? std::to_string(options.targetBytes / 1'000'000) + "mb"
                                 : std::to_string(options.individuals) + "ind";
    const std::string path = folder + "/" + label + "-" + size + "-seed" +
                             std::to_string(options.seed) + "-v" +
                             std::to_string(gedgen::kOutputVersion) + ".ged";
    std::error_code error;
    *reused = std::filesystem::file_size(path, error) > 0 && !error;
    if (*reused) return path;

    const std::string partial = path + ".partial";
    const auto start = Clock::now();
    const gedgen::Stats stats = gedgen::GenerateFile(options, partial);
    std::filesystem::rename(partial, path);
    std::printf("generated %s: %s individuals, %s bytes in %.2f s\n", path.c_str(),
                Grouped(stats.individuals).c_str(), Grouped(stats.bytes).c_str(),
                SecondsSince(start));
    return path;
}

std::unique_ptr<WGEDCollection> OpenAndLoad(const std::string& path) {
    auto collection = std::make_unique<WGEDCollection>(path);
    if (!collection->Load()) throw std::runtime_error("loading " + path + " was cancelled");
    collection->AfterLoad();
    return collection;
}

int RunReportingErrors(const char* program, const std::function<int()>& run) {
    try {
        return run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", program, e.what());
        return 1;
    }
}

int RunOnGeneratedFiles(int argc, char** argv, const char* program, const char* usage,
                        const std::function<void(const std::string&, int)>& one) {
    return RunReportingErrors(program, [&] {
        const FileArguments arguments = ParseFileArguments(argc, argv, program, usage);
        for (const gedgen::Options& options : arguments.files) {
            bool reused = false;
            one(CachedGedcom(arguments.folder, "load", options, &reused), arguments.repeat);
        }
        return 0;
    });
}

int RunOnGeneratedFiles(int argc, char** argv, const char* program,
                        const std::function<void(const std::string&, int)>& one) {
    const std::string usage =
        std::string("usage: ") + program +
        " [--individuals N[,N...]] [--megabytes M] [--keep DIR] [--repeat N]\n"
        "  --individuals N,...  sizes of the generated files (default 100000,1000000)\n"
        "  --megabytes M        one file of about M MB instead\n"
        "  --keep DIR           keep and reuse the generated files in DIR\n"
        "  --repeat N           runs of the load measurement; the best counts (default 3)\n";
    return RunOnGeneratedFiles(argc, argv, program, usage.c_str(), one);
}

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

int32_t DeepGenerations(int32_t fallback) {
    const char* depth = std::getenv("VELLACOR_DEEP_GENERATIONS");
    return depth ? std::atoi(depth) : fallback;
}

uint64_t WarmUp(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw std::runtime_error("cannot read " + path);
    std::vector<char> buffer(1 << 20);
    uint64_t bytes = 0;
    size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
        bytes += got;
    std::fclose(file);
    return bytes;
}

Measurement Measure(std::string name, int repeat, uint64_t expected,
                    const std::function<uint64_t()>& run) {
    Measurement m{std::move(name), 1e30, 0, expected};
    for (int i = 0; i < repeat; ++i) {
        const auto start = Clock::now();
        m.count = run();
        m.seconds = std::min(m.seconds, SecondsSince(start));
    }
    return m;
}

uint64_t NumberArgument(const char* text, uint64_t lo, uint64_t hi, const char* what,
                        const char* program, const char* usage) {
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0' || text[0] == '-' || value < lo || value > hi) {
        std::fprintf(stderr, "%s: bad value for %s: %s\n", program, what, text);
        std::fputs(usage, stderr);
        std::exit(2);
    }
    return value;
}

FileArguments ParseFileArguments(int argc, char** argv, const char* program, const char* usage) {
    return ParseFileArguments(argc, argv, program, usage, {100'000, 1'000'000});
}

FileArguments ParseFileArguments(int argc, char** argv, const char* program, const char* usage,
                                 const std::vector<uint64_t>& defaultSizes) {
    std::vector<uint64_t> sizes = defaultSizes;
    uint64_t megabytes = 0;
    FileArguments arguments;
    arguments.folder = DefaultCacheFolder();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "%s: %s needs a value\n%s", program, argv[i], usage);
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--individuals") {
            sizes.clear();
            std::stringstream list(value());
            for (std::string item; std::getline(list, item, ',');)
                sizes.push_back(
                    NumberArgument(item.c_str(), 1, 5'000'000, "--individuals", program, usage));
        } else if (arg == "--megabytes") {
            megabytes = NumberArgument(value(), 1, 2000, "--megabytes", program, usage);
        } else if (arg == "--keep") {
            arguments.folder = value();
        } else if (arg == "--repeat") {
            arguments.repeat =
                static_cast<int>(NumberArgument(value(), 1, 100, "--repeat", program, usage));
        } else if (arg == "-h" || arg == "--help") {
            std::fputs(usage, stdout);
            std::exit(0);
        } else {
            std::fprintf(stderr, "%s: unknown argument %s\n%s", program, argv[i], usage);
            std::exit(2);
        }
    }
    if (megabytes)
        arguments.files.emplace_back().targetBytes = megabytes * 1'000'000;
    else
        for (uint64_t n : sizes)
            arguments.files.emplace_back().individuals = n;
    return arguments;
}

}  // namespace vx::bench
