// Running programs from tests through popen.
#include "support/RunCommand.h"

#include <sys/wait.h>

#include <cstdio>

namespace xelo::test {

CommandRun RunCommand(const std::string& commandLine) {
    CommandRun run;
    FILE* pipe = ::popen((commandLine + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

CommandRun RunXeloTool(const std::string& arguments) {
    return RunCommand(std::string(XELO_TOOL_PATH) + " " + arguments);
}

}  // namespace xelo::test
