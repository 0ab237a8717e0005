// A generator of large, realistic GEDCOM 5.5.1 files for benchmarks and load
// tests. The output depends only on the options: the same seed gives the same
// bytes on every platform and standard library (the generator has its own
// random numbers and never formats through the locale).
//
// The file is written as it is produced. People are made in separate family
// groups ("islands") that share no family link, and only the current group is
// held in memory, so the size of the file is not limited by memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vx::gedgen {

// Changes whenever the same options would give different bytes, so cached
// files can be told apart.
inline constexpr int kOutputVersion = 1;

enum class Charset { Utf8, Ansel };
enum class LineEnd { CrLf, Lf };

struct Options {
    // Exact number of INDI records; not used when targetBytes is set.
    uint64_t individuals = 1000;
    // When non-zero, people and families are added until the file has
    // reached about this many bytes.
    uint64_t targetBytes = 0;
    uint64_t seed = 1;
    Charset charset = Charset::Utf8;
    LineEnd lineEnd = LineEnd::CrLf;
};

struct Stats {
    uint64_t bytes = 0;
    uint64_t lines = 0;
    uint64_t records = 0;  // level-0 lines, HEAD and TRLR included
    uint64_t individuals = 0;
    uint64_t families = 0;
    uint64_t notes = 0;  // level-0 NOTE records
    uint64_t sources = 0;
    uint64_t repositories = 0;
    uint64_t islands = 0;  // family groups, people without any family included
};

// Where the bytes go.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual void Write(const char* data, size_t size) = 0;
};

Stats Generate(const Options& options, ByteSink& sink);

// Writes the file, replacing an existing one. Throws std::runtime_error when
// the file cannot be written.
Stats GenerateFile(const Options& options, const std::string& path);

std::string GenerateString(const Options& options, Stats* stats = nullptr);

}  // namespace vx::gedgen
