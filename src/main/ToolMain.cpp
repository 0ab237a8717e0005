// vellacor-tool: the command-line companion of the viewer. Dispatches to
// one subcommand and turns its failures into one line on stderr and an exit
// code (0 success, 1 bad input or refusal, 2 usage).
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/Errors.h"
#include "main/ToolArgs.h"
#include "main/ToolCommands.h"

namespace vx::tool {
namespace {

constexpr ToolCommand kCommands[] = {
    {"pack", "make a self-viewing program file from a GEDCOM file", RunPack},
    {"info", "show the creator's facts a program file carries", RunInfo},
    {"extract", "write out the GEDCOM file a program file carries", RunExtract},
    {"dump", "print what the viewer shows or copies for a GEDCOM file", RunDump},
#ifdef VELLACOR_WITH_REPORTS
    {"report", "write a printable report of a GEDCOM file (PDF, HTML, RTF, images, EMF)",
     RunReport},
#endif
};

void PrintOverview(std::FILE* to) {
    std::fprintf(to, "Usage: vellacor-tool COMMAND [ARGUMENTS]\n\nCommands:\n");
    for (const ToolCommand& command : kCommands)
        std::fprintf(to, "  %-10s %.*s\n", std::string(command.Name).c_str(),
                     static_cast<int>(command.Summary.size()), command.Summary.data());
    std::fprintf(to, "\n'vellacor-tool COMMAND --help' describes a command.\n");
}

int Fail(const std::string& where, const std::string& message, int code) {
    std::fprintf(stderr, "%s: %s\n", where.c_str(), OneLine(message).c_str());
    return code;
}

}  // namespace

int Main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintOverview(stderr);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintOverview(stdout);
        return kExitOk;
    }
    for (const ToolCommand& command : kCommands) {
        if (command.Name != args[0]) continue;
        const std::string where = "vellacor-tool " + args[0];
        args.erase(args.begin());
        try {
            return command.Run(args);
        } catch (const UsageError& error) {
            return Fail(where, std::string(error.what()) + " (see '" + where + " --help')",
                        kExitUsage);
        } catch (const EFileError& error) {
            const char* verb =
                error.kind() == EFileError::Kind::Create ? "cannot create " : "cannot open ";
            return Fail(where, verb + error.fileName(), kExitFailed);
        } catch (const std::bad_alloc&) {
            return Fail(where, "out of memory", kExitFailed);
        } catch (const std::exception& error) {
            return Fail(where, error.what(), kExitFailed);
        }
    }
    return Fail("vellacor-tool", "unknown command " + args[0] + " (see 'vellacor-tool --help')",
                kExitUsage);
}

}  // namespace vx::tool

int main(int argc, char** argv) {
    return vx::tool::Main(argc, argv);
}
