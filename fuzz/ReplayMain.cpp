// Runs a fuzz target's entry point over files, without libFuzzer. The
// sanitizer build compiles every target this way and replays its seeds, so
// a target that no longer builds against the code, or a seed that now
// crashes, shows in the ordinary tests; scripts/fuzz does the fuzzing.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void Replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

// Arguments: files, or folders whose files are replayed.
int main(int argc, char** argv) {
    LLVMFuzzerTestOneInput(nullptr, 0);
    int replayed = 1;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
                if (entry.is_regular_file()) {
                    Replay(entry.path());
                    ++replayed;
                }
        } else {
            Replay(path);
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return 0;
}
