// Runs a command line through the shell, for tests of the installed or built programs.
#pragma once

#include <string>

namespace quarten::test {

struct ShellRun {
    int status;       // the exit status, or -1 when the command did not exit normally
    std::string out;  // what it wrote to standard output (add " 2>&1" for errors too)
};

ShellRun Shell(const std::string& commandLine);

}  // namespace quarten::test
