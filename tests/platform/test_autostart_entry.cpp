// The login entry's Exec value: a program path in any folder must start exactly that program.
#include <gtest/gtest.h>

#include "platform/AutostartEntry.h"

namespace quarten {
namespace {

TEST(AutostartEntry, ExecQuotesAndEscapesWhatTheDesktopWouldSplitOrExpand) {
    struct Case {
        const char* program;
        const char* exec;  // as written after "Exec=" in the file
    };
    const Case cases[] = {
        {"/usr/bin/quarten", "/usr/bin/quarten"},
        {"quarten", "quarten"},
        {"/opt/My Tools/quarten", "\"/opt/My Tools/quarten\""},
        {"/home/a/100%/quarten", "/home/a/100%%/quarten"},
        {"/home/a/$HOME/q", "\"/home/a/\\\\$HOME/q\""},
        {"/tmp/say \"hi\"/q", "\"/tmp/say \\\\\"hi\\\\\"/q\""},
        {"/tmp/back\\slash", "\"/tmp/back\\\\\\\\slash\""},
        {"/tmp/`x`", "\"/tmp/\\\\`x\\\\`\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DesktopExecArgument(c.program), c.exec) << c.program;
    }
}

TEST(AutostartEntry, TheEntryStartsTheGivenProgram) {
    const std::string text = AutostartEntryText("/opt/q q/quarten");
    EXPECT_TRUE(text.starts_with("[Desktop Entry]\n")) << text;
    EXPECT_NE(text.find("\nExec=\"/opt/q q/quarten\" --autostart\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nType=Application\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace quarten
