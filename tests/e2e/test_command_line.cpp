// quarten's command line works where no display is: help, version and usage errors are
// answered before any window system is opened.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct ProgramRun {
    int status;
    std::string out;
};

ProgramRun Quarten(const std::string& arguments) {
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                                std::string(QUARTEN_BINARY_DIR) + "/bin/quarten " + arguments +
                                " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buffer[1024];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    const int status = ::pclose(pipe);
    return ProgramRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(QuartenCommandLine, AnswersWithoutADisplay) {
    struct Case {
        const char* arguments;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {"--version", 0, "quarten 0.1"},
        {"--help", 0, "--simulate"},
        {"--bogus", 2, "Try 'quarten --help'."},
        {"--data-dir", 2, "Try 'quarten --help'."},
    };
    for (const Case& c : cases) {
        const ProgramRun run = Quarten(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments << ": " << run.out;
        EXPECT_NE(run.out.find(c.says), std::string::npos) << c.arguments << ": " << run.out;
    }
}

}  // namespace
