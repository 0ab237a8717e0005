// Runs vellacor-tool as a program from a test: exit code, standard output
// and standard error.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace vx::test {

struct ToolRun {
    int Exit = -1;
    std::string Out;
    std::string Err;
};

inline std::string ShellQuote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs `tool` with `args` in the folder `dir`, capturing its output there.
inline ToolRun RunToolIn(const std::string& dir, const std::string& tool,
                         const std::vector<std::string>& args) {
    std::string command = "cd " + ShellQuote(dir) + " && " + ShellQuote(tool);
    for (const std::string& arg : args)
        command += " " + ShellQuote(arg);
    const std::string out = dir + "/stdout", err = dir + "/stderr";
    command += " >" + ShellQuote(out) + " 2>" + ShellQuote(err);
    const int status = std::system(command.c_str());
    ToolRun run;
    run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadFile(out);
    run.Err = ReadFile(err);
    return run;
}

}  // namespace vx::test
