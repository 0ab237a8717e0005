// vellacor-gedgen: writes a large, realistic GEDCOM file for benchmarks.
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "Generator.h"

namespace {

constexpr const char* kUsage =
    "usage: vellacor-gedgen (--individuals N | --megabytes M) [--seed S]\n"
    "                       [--charset utf-8|ansel] [--lf] -o FILE\n"
    "  --individuals N  exactly N people (1 to 100000000)\n"
    "  --megabytes M    people and families until the file has about M MB (10^6 bytes)\n"
    "  --seed S         the same seed always gives the same file (default 1)\n"
    "  --charset        character set of the file (default utf-8)\n"
    "  --lf             line feeds instead of CR LF\n";

[[noreturn]] void Usage(const char* problem) {
    if (problem) std::fprintf(stderr, "vellacor-gedgen: %s\n", problem);
    std::fputs(kUsage, stderr);
    std::exit(2);
}

uint64_t Number(const char* text, uint64_t lo, uint64_t hi, const char* what) {
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || text[0] == '-' || value < lo || value > hi)
        Usage((std::string("bad value for ") + what + ": " + text).c_str());
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    vx::gedgen::Options options;
    std::string output;
    bool sized = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) Usage((std::string(arg) + " needs a value").c_str());
            return argv[++i];
        };
        if (arg == "--individuals") {
            options.individuals = Number(value(), 1, 100'000'000, "--individuals");
            options.targetBytes = 0;
            sized = true;
        } else if (arg == "--megabytes") {
            options.targetBytes = Number(value(), 1, 100'000, "--megabytes") * 1'000'000;
            sized = true;
        } else if (arg == "--seed") {
            options.seed = Number(value(), 0, UINT64_MAX, "--seed");
        } else if (arg == "--charset") {
            const std::string_view name = value();
            if (name == "utf-8" || name == "utf8")
                options.charset = vx::gedgen::Charset::Utf8;
            else if (name == "ansel")
                options.charset = vx::gedgen::Charset::Ansel;
            else
                Usage("--charset is utf-8 or ansel");
        } else if (arg == "--lf") {
            options.lineEnd = vx::gedgen::LineEnd::Lf;
        } else if (arg == "-o" || arg == "--output") {
            output = value();
        } else if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else {
            Usage((std::string("unknown argument ") + std::string(arg)).c_str());
        }
    }
    if (!sized) Usage("give --individuals or --megabytes");
    if (output.empty()) Usage("give the output file with -o");

    try {
        const auto start = std::chrono::steady_clock::now();
        const vx::gedgen::Stats s = vx::gedgen::GenerateFile(options, output);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf(
            "%s: %llu bytes, %llu lines, %llu individuals, %llu families, %llu family groups, "
            "%llu sources, %llu notes, %llu repositories; %.2f s\n",
            output.c_str(), static_cast<unsigned long long>(s.bytes),
            static_cast<unsigned long long>(s.lines),
            static_cast<unsigned long long>(s.individuals),
            static_cast<unsigned long long>(s.families), static_cast<unsigned long long>(s.islands),
            static_cast<unsigned long long>(s.sources), static_cast<unsigned long long>(s.notes),
            static_cast<unsigned long long>(s.repositories), seconds);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vellacor-gedgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
