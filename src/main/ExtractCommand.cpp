// vellacor-tool extract: writes out the GEDCOM file a program file carries.
#include <cstdio>

#include "app/Win1252.h"
#include "archive/ArchiveErrors.h"
#include "archive/EmbeddedArchive.h"
#include "main/ToolArgs.h"
#include "main/ToolCommands.h"
#include "platform/FileHandle.h"
#include "platform/OutputFile.h"

namespace vx::tool {
namespace {

constexpr const char* kHelp = R"(Usage: vellacor-tool extract PROGRAM [-o GEDCOM] [--force]

Writes out the GEDCOM file that the self-viewing program file PROGRAM
carries, when its creator allowed extraction.

Options:
  -o, --output FILE   where to write it (a regular file is replaced once the
                      new one is complete; a device such as /dev/null is
                      written into); without it, the file name stored in
                      PROGRAM is used in the current folder, and an
                      existing file is not replaced
      --force         extract even though the creator did not allow it
  -h, --help          show this help
)";

const std::vector<OptionSpec> kOptions = {
    {"output", 'o', true}, {"force", 0, false}, {"help", 'h', false}};

constexpr const char* kFallbackName = "extracted.ged";

// A family file may name living people: readable by its owner only.
constexpr unsigned kGedcomMode = 0600;

// Opens the output for the expansion: a new file beside the target that
// takes its name only once complete, so a failure never leaves half a file
// or destroys an older one; nor is the program itself ever the target.
void OpenOutput(platform::OutputFile& output, const std::string& target,
                const std::string& program) {
    switch (output.Open(target, {program})) {
        case platform::OutputFile::Status::Ready:
            return;
        case platform::OutputFile::Status::IsAnInput:
            throw VxError("the output " + target + " is the program itself; nothing written");
        case platform::OutputFile::Status::NotRegular:
            throw VxError("the output " + target +
                          " exists and is not a regular file; nothing written");
        case platform::OutputFile::Status::CannotCreate:
            break;
    }
    throw VxError("cannot create " + target + ": " + platform::LastErrorText());
}

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
        // name in the current folder is used, never a path. It is stored in
        // Windows-1252; file names here are UTF-8.
        target = Win1252ToUtf8(SafeFileName(layout.Sender.FileName));
        if (target.empty()) target = kFallbackName;
        if (platform::FileExists(target))
            throw VxError(target + " exists already; choose the output with -o");
    }

    platform::OutputFile output;
    OpenOutput(output, target, program);
    const TExpandedPayload payload = ExpandEmbeddedArchive(program, output.Path());
    const int64_t bytes = platform::FileLength(output.Handle());
    if (!output.Commit(kGedcomMode))
        throw VxError("cannot complete " + target + ": " + platform::LastErrorText());
    if (!payload.BadBlocks.empty()) {
        std::string blocks;
        for (int block : payload.BadBlocks)
            blocks += (blocks.empty() ? "" : ", ") + std::to_string(block);
        throw VxError(std::string(WRESCompress::kCrcMessage) +
                      (payload.BadBlocks.size() > 1 ? " (blocks " : " (block ") + blocks + ") " +
                      target + " was written but is damaged");
    }
    std::printf("%s: %lld bytes\n", target.c_str(), static_cast<long long>(bytes));
    return kExitOk;
}

}  // namespace vx::tool
