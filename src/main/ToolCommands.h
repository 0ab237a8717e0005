// The subcommands of vellacor-tool. Each lives in a file of its own
// (PackCommand.cpp, InfoCommand.cpp ...) and is listed once in ToolMain.cpp.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vx::tool {

// Runs a subcommand with the arguments after its name and returns the exit
// code. Raises UsageError for a command line that does not fit, VxError for
// bad input or a refusal; the dispatcher reports both.
using CommandFunction = int (*)(const std::vector<std::string>& args);

struct ToolCommand {
    std::string_view Name;
    std::string_view Summary;
    CommandFunction Run;
};

int RunPack(const std::vector<std::string>& args);
int RunInfo(const std::vector<std::string>& args);
int RunExtract(const std::vector<std::string>& args);
int RunDump(const std::vector<std::string>& args);
int RunReport(const std::vector<std::string>& args);

}  // namespace vx::tool
