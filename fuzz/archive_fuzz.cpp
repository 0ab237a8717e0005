// Fuzz target for the archive reader: the input is either the body of an
// archive (after its signature) with a block count, or a whole program file
// with a trailer. Errors are the expected outcome of most inputs; only
// crashes, sanitizer reports, hangs and leaks count.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/Errors.h"
#include "archive/EmbeddedArchive.h"
#include "archive/RESCompress.h"

namespace {

const std::filesystem::path& WorkFolder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("vx-archive-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        ::setenv("TMPDIR", path.c_str(), 1);
        return path;
    }();
    return folder;
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

// Input: one mode byte, then
//   mode even: a signed block count byte and the archive after "QTRX";
//   mode odd:  a program file (image, archive, trailer).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const auto& folder = WorkFolder();
    const std::string input = (folder / "input").string();
    const std::string output = (folder / "output").string();
    try {
        if (data[0] % 2 == 0) {
            const int32_t blockCount = static_cast<int8_t>(data[1]);
            WriteBytes(input,
                       "QTRX" + std::string(reinterpret_cast<const char*>(data) + 2, size - 2));
            vx::WRESCompress expander;
            expander.Expand(input, output, blockCount);
        } else {
            WriteBytes(input, std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
            vx::ExpandEmbeddedArchive(input, output);
        }
    } catch (const vx::VxError&) {
    }
    return 0;
}
