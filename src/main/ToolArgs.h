// Command-line handling shared by the subcommands of vellacor-tool: option
// parsing, the two kinds of failure and their exit codes, and text for the
// terminal.
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vx::tool {

enum ExitCode { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// A command line that does not fit the command (exit code 2).
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct OptionSpec {
    std::string_view Long;  // without the leading "--"
    char Short = 0;         // 0: no short form
    bool TakesValue = false;
};

// Parsed options and positional arguments. Options take "--name value",
// "--name=value" or "-x value"; "--" ends the options.
class ToolArgs {
  public:
    ToolArgs(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs);

    bool Has(std::string_view name) const { return values_.count(std::string(name)) > 0; }
    std::optional<std::string> Value(std::string_view name) const;
    const std::vector<std::string>& Positionals() const { return positionals_; }

    // Exactly `count` positional arguments, else a UsageError naming `what`.
    void ExpectPositionals(size_t count, std::string_view what) const;

  private:
    std::map<std::string, std::string> values_;
    std::vector<std::string> positionals_;
};

// Windows-1252 text from a program file, as UTF-8 for the terminal, with
// control characters shown as \xNN so that a crafted file cannot send
// escape sequences. Line breaks are kept when `keepLineBreaks`.
std::string ForTerminal(std::string_view win1252, bool keepLineBreaks = false);

// An error message on one line: line breaks become blanks.
std::string OneLine(std::string_view text);

}  // namespace vx::tool
