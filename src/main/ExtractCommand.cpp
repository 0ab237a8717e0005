// vellacor-tool extract: writes out the GEDCOM file a program file carries.
#include <cstdio>
#include <filesystem>

#include "archive/ArchiveErrors.h"
#include "archive/EmbeddedArchive.h"
#include "main/ToolArgs.h"
#include "main/ToolCommands.h"
#include "platform/FileHandle.h"

namespace vx::tool {
namespace {

constexpr const char* kHelp = R"(Usage: vellacor-tool extract PROGRAM [-o GEDCOM] [--force]

Writes out the GEDCOM file that the self-viewing program file PROGRAM
carries, when its creator allowed extraction.

Options:
  -o, --output FILE   where to write it (replaced if it exists); without it,
                      the file name stored in PROGRAM is used in the current
                      folder, and an existing file is not replaced
      --force         extract even though the creator did not allow it
  -h, --help          show this help
)";

const std::vector<OptionSpec> kOptions = {
    {"output", 'o', true}, {"force", 0, false}, {"help", 'h', false}};

constexpr const char* kFallbackName = "extracted.ged";

// The file is expanded beside its target and takes the target's name only
// once it is complete, so a failure never leaves half a file or destroys
// an older one.
class PartOutput {
  public:
    explicit PartOutput(std::string target)
        : target_(std::move(target)), path_(target_ + ".part") {}
    ~PartOutput() {
        if (!kept_) platform::DeleteFile(path_);
    }
    const std::string& Path() const { return path_; }
    void Keep() {
        std::error_code error;
        std::filesystem::rename(path_, target_, error);
        if (error) throw VxError("cannot complete " + target_ + ": " + error.message());
        kept_ = true;
    }

  private:
    std::string target_;
    std::string path_;
    bool kept_ = false;
};

}  // namespace

int RunExtract(const std::vector<std::string>& args) {
    const ToolArgs parsed(args, kOptions);
    if (parsed.Has("help")) {
        std::fputs(kHelp, stdout);
        return kExitOk;
    }
    parsed.ExpectPositionals(1, "PROGRAM");
    const std::string& program = parsed.Positionals()[0];

    const TPayloadLayout layout = ReadPayloadLayout(program);
    if (!layout.MarkerFound) throw VxError(program + " carries no GEDCOM");
    if (!layout.Sender.AllowExtract && !parsed.Has("force"))
        throw VxError("the creator of " + program +
                      " did not allow extracting its GEDCOM file; nothing written");

    std::string target;
    if (auto output = parsed.Value("output")) {
        target = *output;
    } else {
        // The stored name comes from whoever made the file: only a plain
        // name in the current folder is used, never a path.
        target = SafeFileName(layout.Sender.FileName);
        if (target.empty()) target = kFallbackName;
        if (platform::FileExists(target))
            throw VxError(target + " exists already; choose the output with -o");
    }

    PartOutput output(target);
    const TExpandedPayload payload = ExpandEmbeddedArchive(program, output.Path());
    output.Keep();
    if (!payload.BadBlocks.empty()) {
        std::string blocks;
        for (int block : payload.BadBlocks)
            blocks += (blocks.empty() ? "" : ", ") + std::to_string(block);
        throw VxError(std::string(WRESCompress::kCrcMessage) +
                      (payload.BadBlocks.size() > 1 ? " (blocks " : " (block ") + blocks + ") " +
                      target + " was written but is damaged");
    }
    std::printf("%s: %lld bytes\n", target.c_str(),
                static_cast<long long>(std::filesystem::file_size(target)));
    return kExitOk;
}

}  // namespace vx::tool
