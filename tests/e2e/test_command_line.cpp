// quarten's command line works where no display is: help, version and usage errors are
// answered before any window system is opened.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/Shell.h"

namespace {

quarten::test::ShellRun Quarten(const std::string& arguments) {
    return quarten::test::Shell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                       std::string(QUARTEN_BINARY_DIR) + "/bin/quarten " + arguments + " 2>&1");
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
        const quarten::test::ShellRun run = Quarten(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments << ": " << run.out;
        EXPECT_NE(run.out.find(c.says), std::string::npos) << c.arguments << ": " << run.out;
    }
}

}  // namespace
