// vellacor-tool info: prints the trailer facts of a program file.
#include <cstdio>

#include "app/TextUtil.h"
#include "archive/ArchiveErrors.h"
#include "archive/EmbeddedArchive.h"
#include "main/ToolArgs.h"
#include "main/ToolCommands.h"

namespace vx::tool {
namespace {

constexpr const char* kHelp = R"(Usage: vellacor-tool info PROGRAM

Prints the facts a self-viewing program file carries about its GEDCOM file
and its creator, or says that the file carries no GEDCOM (exit code 1).

Options:
  -h, --help   show this help
)";

const std::vector<OptionSpec> kOptions = {{"help", 'h', false}};

void Line(const char* label, const std::string& value) {
    std::printf("%-17s %s\n", label, value.c_str());
}

// Continuation lines of a multi-line value line up under its first line.
std::string Indented(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '\n') out += std::string(18, ' ');
    }
    return out;
}

}  // namespace

int RunInfo(const std::vector<std::string>& args) {
    const ToolArgs parsed(args, kOptions);
    if (parsed.Has("help")) {
        std::fputs(kHelp, stdout);
        return kExitOk;
    }
    parsed.ExpectPositionals(1, "PROGRAM");
    const std::string& program = parsed.Positionals()[0];

    const TPayloadLayout layout = ReadPayloadLayout(program);
    if (!layout.MarkerFound) throw VxError(program + " carries no GEDCOM");
    const SenderRecord& s = layout.Sender;

    Line("Title:", ForTerminal(s.Title));
    Line("Sender:", ForTerminal(s.SenderName));
    Line("E-mail:", ForTerminal(s.Email));
    Line("Address 1:", ForTerminal(s.Addr1));
    Line("Address 2:", ForTerminal(s.Addr2));
    Line("Web site:", ForTerminal(s.WebSite));
    Line("Phone:", ForTerminal(s.Phone));
    Line("Message:", Indented(ForTerminal(s.Message, true)));
    Line("Start individual:", std::to_string(s.StartIndividual));
    Line("Created:", FormatDateTime(s.Created));
    Line("Allow extract:", s.AllowExtract ? "yes" : "no");
    Line("File name:", ForTerminal(s.FileName));
    Line("Archive size:",
         layout.ArchiveInsideFile()
             ? FormatThousands(layout.ArchiveSize) + " bytes at offset " +
                   FormatThousands(layout.ArchiveOffset)
             : "(offset " + std::to_string(layout.ArchiveOffset) + " lies outside the file)");
    Line("Block count:", std::to_string(s.BlockCount));
    std::fflush(stdout);
    layout.CheckArchiveInsideFile();
    return kExitOk;
}

}  // namespace vx::tool
