// Pieces every benchmark program shares: generated input files kept in a
// cache folder, running a reference tool, best-of timing.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Generator.h"
#include "gedcom/GEDCollection.h"

namespace vx::bench {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start);

// Thousands separators, as the program shows counts.
std::string Grouped(uint64_t n);

// The generated file for these options in `folder`, made when the folder
// does not hold it yet (written under a temporary name and renamed when
// complete, so an interrupted run never leaves a truncated file behind).
// `label` starts the file name; `reused` tells whether it was there.
std::string CachedGedcom(const std::string& folder, const std::string& label,
                         const gedgen::Options& options, bool* reused);

// The default cache folder: vellacor-bench in the temporary folder.
std::string DefaultCacheFolder();

// Opens and loads a GEDCOM file as the viewer does (indexes, links,
// spouse-family order); throws when loading is cancelled.
std::unique_ptr<WGEDCollection> OpenAndLoad(const std::string& path);

// The whole main of a benchmark over generated files: parses the command
// line, makes or reuses each file and runs `one(path, repeat)` on it; an
// escaping exception becomes a message and exit code 1.
int RunOnGeneratedFiles(int argc, char** argv, const char* program, const char* usage,
                        const std::function<void(const std::string&, int)>& one);
// The same with the usual usage text, for benchmarks whose --repeat counts
// runs of the load measurement.
int RunOnGeneratedFiles(int argc, char** argv, const char* program,
                        const std::function<void(const std::string&, int)>& one);

// Runs main's work and turns an escaping exception into a message and exit
// code 1.
int RunReportingErrors(const char* program, const std::function<int()>& run);

// Runs a tool with the C locale and returns what it printed; throws when the
// tool cannot run or fails.
std::string RunTool(const std::vector<std::string>& args);
uint64_t LeadingNumber(const std::string& text);

// Reads the whole file once, so that timings start from the page cache.
uint64_t WarmUp(const std::string& path);

// The depth of the deep-line benchmarks: VELLACOR_DEEP_GENERATIONS, or
// `fallback` when it is not set.
int32_t DeepGenerations(int32_t fallback);

struct Measurement {
    std::string name;
    double seconds = 0;  // best run
    uint64_t count = 0;  // what the last run counted
    uint64_t expected = 0;
};

// The best of `repeat` runs of `run`, which returns what it counted.
Measurement Measure(std::string name, int repeat, uint64_t expected,
                    const std::function<uint64_t()>& run);

// A whole number argument in [lo, hi]; exits with the usage text otherwise.
uint64_t NumberArgument(const char* text, uint64_t lo, uint64_t hi, const char* what,
                        const char* program, const char* usage);

// The command line shared by the benchmarks that run on generated files of
// several sizes: --individuals N,..., --megabytes M, --keep DIR, --repeat N.
struct FileArguments {
    std::vector<gedgen::Options> files;
    std::string folder;
    int repeat = 3;
};
// Exits with the usage text on a bad argument, and after printing it for
// --help.
FileArguments ParseFileArguments(int argc, char** argv, const char* program, const char* usage);
// The same with other sizes when the command line names none.
FileArguments ParseFileArguments(int argc, char** argv, const char* program, const char* usage,
                                 const std::vector<uint64_t>& defaultSizes);

}  // namespace vx::bench
