#include "tests/support/Shell.h"

#include <sys/wait.h>

#include <cstdio>

namespace quarten::test {

ShellRun Shell(const std::string& commandLine) {
    FILE* pipe = ::popen(commandLine.c_str(), "r");
    if (!pipe) return {-1, ""};
    std::string out;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

}  // namespace quarten::test
