// Collections whose reports would not fit the report buffers: refused before anything is
// opened, with the reason in the verdict and in the diagnostic log.
#include <gtest/gtest.h>

#include <mutex>

#include "device/Diagnostics.h"
#include "tests/support/SimRig.h"

namespace quarten {
namespace {

class DiagnosticLog {
public:
    DiagnosticLog() {
        SetDiagnosticSink([this](std::string_view line) {
            std::lock_guard lock(mutex_);
            text_ += line;
            text_ += '\n';
        });
    }
    ~DiagnosticLog() { SetDiagnosticSink({}); }
    std::string Text() {
        std::lock_guard lock(mutex_);
        return text_;
    }

private:
    std::mutex mutex_;
    std::string text_;
};

TEST(OversizedReports, AreRefusedWithTheReasonLogged) {
    struct Case {
        sim::CollectionLengths command;
        sim::CollectionLengths event;
        bool commandUsable;  // the mouse can still be configured
        const char* reason;  // in the verdict and the log
    };
    const Case cases[] = {
        {{17, 33, 33}, {0, 9, 0}, false, "feature report length 17"},
        {{64, 33, 33}, {0, 9, 0}, false, "feature report length 64"},
        {{9, 41, 33}, {0, 9, 0}, false, "input report length 41"},
        {{9, 33, 255}, {0, 9, 0}, false, "output report length 255"},
        {{9, 33, 33}, {0, 41, 0}, true, "input report length 41"},
        {{9, 33, 33}, {0, 1024, 0}, true, "input report length 1024"},
    };
    for (const Case& c : cases) {
        sim::SimConfig config;
        config.command = c.command;
        config.event = c.event;
        test::SimRig rig(config);
        DiagnosticLog log;
        EXPECT_EQ(rig.Connect(), c.commandUsable) << c.reason;
        // An event collection that cannot be read is not opened: no listener gets a reader.
        if (c.commandUsable) {
            EXPECT_EQ(rig.link.EventReader(), nullptr) << c.reason;
        }
        bool inVerdict = false;
        for (const CollectionVerdict& v : rig.link.LastDiscovery().collections) {
            inVerdict = inVerdict || (v.verdict.starts_with("refused: ") &&
                                      v.verdict.find(c.reason) != std::string::npos);
        }
        EXPECT_TRUE(inVerdict) << c.reason;
        EXPECT_NE(log.Text().find(c.reason), std::string::npos) << c.reason << "\n" << log.Text();
    }
}

}  // namespace
}  // namespace quarten
