// Running programs from tests: xelo-tool as a user runs it, and independent tools.
#pragma once

#include <string>

namespace xelo::test {

struct CommandRun {
    int status = -1;  // exit status; -1 when the program did not exit normally
    std::string out;  // standard output and standard error together
};

// Runs a shell command line and collects what it prints.
CommandRun RunCommand(const std::string& commandLine);
// Runs xelo-tool with `arguments` (a shell-quoted argument string).
CommandRun RunXeloTool(const std::string& arguments);

}  // namespace xelo::test
