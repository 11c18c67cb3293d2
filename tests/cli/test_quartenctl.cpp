// quartenctl end to end on the simulated mouse: exit codes, the trace, and file safety.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "settings/FactorySettings.h"
#include "settings/SettingsFile.h"
#include "tests/support/Shell.h"
#include "tests/support/TempDir.h"

namespace quarten {
namespace {

// Runs quartenctl; `out` is its standard output, or both outputs when `errors` is set.
test::ShellRun Ctl(const std::string& arguments, bool errors = false) {
    return test::Shell(std::string(QUARTEN_BINARY_DIR) + "/bin/quartenctl " + arguments +
                       (errors ? " 2>&1" : " 2>/dev/null"));
}

std::map<std::string, int> Tally(const std::string& trace) {
    std::map<std::string, int> tally;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        ++tally[line.substr(0, line.find(' '))];
        if (line.starts_with("wait")) ++tally[line];
    }
    return tally;
}

class CtlTest : public ::testing::Test {
protected:
    std::string Dir() const { return "--data-dir " + dir.Path().string() + " "; }
    test::TempDir dir;
};

TEST_F(CtlTest, UsageErrorsExitWithTwo) {
    for (const char* args : {"", "frobnicate", "--bogus info", "show extra", "--data-dir",
                             "--sim-sensor 3 info", "--simulate --sim-sensor x info",
                             "--simulate --sim-variant loud info", "--json info", "sim-event",
                             "sim-event 0x06", "sim-event 106 07", "sim-event 06 g7"}) {
        EXPECT_EQ(Ctl(args).status, 2) << args;
    }
    EXPECT_EQ(Ctl("--help").status, 0);
    EXPECT_NE(Ctl("--version").out.find("quartenctl "), std::string::npos);
}

TEST_F(CtlTest, SimEventWithoutARunningSimulatedQuartenSaysSoAndExitsWithOne) {
    std::filesystem::create_directories(dir.Path() / "run");
    std::filesystem::permissions(dir.Path() / "run", std::filesystem::perms::owner_all);
    const test::ShellRun run = test::Shell("XDG_RUNTIME_DIR=" + (dir.Path() / "run").string() + " " +
                                           QUARTEN_BINARY_DIR "/bin/quartenctl sim-event 06 07 00 02 2>&1");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("no quarten runs for this user"), std::string::npos) << run.out;
}

TEST_F(CtlTest, ApplyRefusesAMissingOrBrokenConfigWithoutTouchingTheMouse) {
    test::ShellRun missing = Ctl("--simulate --trace " + Dir() + "apply");
    EXPECT_EQ(missing.status, 3);
    EXPECT_EQ(missing.out, "");  // not even the handshake was traced
    dir.WriteFile("config.bin", std::string(1849, '\0'));
    test::ShellRun shortFile = Ctl("--simulate --trace " + Dir() + "apply");
    EXPECT_EQ(shortFile.status, 3);
    EXPECT_EQ(shortFile.out, "");
    EXPECT_EQ(dir.ReadFile("config.bin").size(), 1849u);
}

TEST_F(CtlTest, ApplyTracesTheWholeExchangeAndSavesTheFile) {
    dir.WriteFile("config.bin", SettingsFileBytes(0, FactoryImage()));
    const test::ShellRun run = Ctl("--simulate --trace " + Dir() + "apply");
    ASSERT_EQ(run.status, 0);
    auto tally = Tally(run.out);
    // Handshake: two probes with their 5 ms waits; read-back: one read and one write.
    EXPECT_EQ(tally["set"], 2 + 2 + 38);
    EXPECT_EQ(tally["get"], 2 + 1 + 15);  // 0x8D, 2 x 0x87, 12 x 0x93
    EXPECT_EQ(tally["out"], 58);
    EXPECT_EQ(tally["in"], 48);
    EXPECT_EQ(tally["wait 5"], 2);
    EXPECT_EQ(tally["wait 2"], 34);
    EXPECT_EQ(tally["wait 3"], 58);
    std::istringstream lines(run.out);
    std::string first;
    std::getline(lines, first);
    EXPECT_EQ(first, "set 00 AA DD 3B 62 00 00 DB wire 00 00 AA DD 3B 62 00 00 DB");
    const std::string saved = dir.ReadFile("config.bin");
    ASSERT_EQ(saved.size(), 1850u);
    EXPECT_EQ(saved[0], 1);
}

TEST_F(CtlTest, ARefusedOrAbsentMouseExitsWithOne) {
    dir.WriteFile("config.bin", SettingsFileBytes(0, FactoryImage()));
    EXPECT_EQ(Ctl("--simulate --sim-variant plain-echo " + Dir() + "apply").status, 1);
    EXPECT_EQ(Ctl("--simulate --sim-variant silent " + Dir() + "info").status, 1);
    EXPECT_EQ(dir.ReadFile("config.bin")[0], 0);  // nothing was saved
    const test::ShellRun devices = Ctl("--simulate --sim-variant plain-echo " + Dir() + "devices");
    EXPECT_EQ(devices.status, 1);
    EXPECT_NE(devices.out.find("refused"), std::string::npos);
}

TEST_F(CtlTest, AMouseThatCannotBeOpenedIsExplained) {
    const std::string denied =
        "quartenctl: the mouse is present but sim://quarten/0 cannot be opened: permission "
        "denied.\nInstall the udev rule (70-quarten.rules into /etc/udev/rules.d or "
        "/usr/lib/udev/rules.d), then replug the mouse or run 'sudo udevadm trigger'.\n";
    const std::string busy =
        "quartenctl: the mouse is present but sim://quarten/0 is in use by another program; "
        "close it and try again.\n";
    dir.WriteFile("config.bin", SettingsFileBytes(0, FactoryImage()));
    for (const char* command : {"info", "apply", "devices"}) {
        for (const auto& [error, text] : {std::pair{"denied", denied}, std::pair{"busy", busy}}) {
            SCOPED_TRACE(std::string(command) + " " + error);
            const test::ShellRun run =
                Ctl("--simulate --sim-open-error " + std::string(error) + " " + Dir() + command, true);
            EXPECT_EQ(run.status, 1);
            EXPECT_TRUE(run.out.ends_with(text)) << run.out;
        }
    }
    EXPECT_EQ(dir.ReadFile("config.bin")[0], 0);  // apply saved nothing
    EXPECT_EQ(Ctl("--sim-open-error denied info").status, 2);  // needs --simulate
    EXPECT_EQ(Ctl("--simulate --sim-open-error maybe info").status, 2);
}

TEST_F(CtlTest, AutostartWritesAndRemovesTheLoginEntry) {
    const std::string env = "XDG_CONFIG_HOME=" + dir.Path().string() + " ";
    const std::filesystem::path entry = dir.Path() / "autostart" / "quarten.desktop";
    const std::string ctl = std::string(QUARTEN_BINARY_DIR) + "/bin/quartenctl";
    auto ctlWith = [&](const std::string& args) {
        return test::Shell(env + ctl + " autostart" + (args.empty() ? "" : " " + args));
    };

    EXPECT_EQ(ctlWith("").out, "autostart: off (" + entry.string() + ")\n");
    ASSERT_EQ(ctlWith("on").status, 0);
    const std::string text = dir.ReadFile("autostart/quarten.desktop");
    EXPECT_NE(text.find("[Desktop Entry]\nType=Application\n"), std::string::npos) << text;
    // quartenctl's own folder holds the quarten it starts.
    EXPECT_NE(text.find("\nExec=" + std::string(QUARTEN_BINARY_DIR) + "/bin/quarten --autostart\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(ctlWith("").out, "autostart: on (" + entry.string() + ")\n");

    // Switched off in the desktop's own settings: the entry stays but counts as off.
    dir.WriteFile("autostart/quarten.desktop", text + "Hidden=true\n");
    EXPECT_EQ(ctlWith("").out, "autostart: off (" + entry.string() + ")\n");

    ASSERT_EQ(ctlWith("off").status, 0);
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_EQ(ctlWith("off").status, 0);  // already off is no error
    EXPECT_EQ(ctlWith("sideways").status, 2);
}

TEST_F(CtlTest, AScramblerKeyInStrIniChangesTheWireBytes) {
    dir.WriteFile("config.bin", SettingsFileBytes(0, FactoryImage()));
    const test::ShellRun builtIn = Ctl("--simulate --trace " + Dir() + "info");
    dir.WriteFile("str.ini", "[Device]\nScramblerKey = k3Y!x9\n");
    const test::ShellRun configured = Ctl("--simulate --trace " + Dir() + "info");
    ASSERT_EQ(builtIn.status, 0);
    ASSERT_EQ(configured.status, 0);
    // The same plain frames travel in other wire bytes from the scrambled probe on.
    auto line = [](const std::string& trace, int n) {
        std::istringstream lines(trace);
        std::string text;
        for (int i = 0; i <= n; ++i) std::getline(lines, text);
        return text;
    };
    EXPECT_EQ(line(builtIn.out, 0), line(configured.out, 0));  // the plain probe
    const std::string a = line(builtIn.out, 3), b = line(configured.out, 3);
    EXPECT_EQ(a.substr(0, 27), b.substr(0, 27));
    EXPECT_NE(a, b);
}

TEST_F(CtlTest, InfoReportsTheSensorTypeOfTheMouse) {
    const test::ShellRun run = Ctl("--simulate --sim-sensor 3 " + Dir() + "info");
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("sensor type:  3"), std::string::npos) << run.out;
}

TEST_F(CtlTest, ShowPrintsTheSettingsReadably) {
    dir.WriteFile("config.bin", SettingsFileBytes(0, FactoryImage()));
    const test::ShellRun text = Ctl(Dir() + "show");
    ASSERT_EQ(text.status, 0);
    for (const char* expected : {"1000 Hz", "#FF0000", "Standard, 100%, RGB Effect",
                                 "button 6: DPI Loop", "button 8: Key Off"}) {
        EXPECT_NE(text.out.find(expected), std::string::npos) << expected << "\n" << text.out;
    }
    const test::ShellRun json = Ctl(Dir() + "show --json");
    ASSERT_EQ(json.status, 0);
    EXPECT_NE(json.out.find("\"reportRateHz\": 1000"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"pointer\": [0, 0, 6, 3, 6]"), std::string::npos);
}

TEST_F(CtlTest, EventsPrintsEachRecognisedReportOfTheSimulatedMouse) {
    dir.WriteFile("config.bin", SettingsFileBytes(0, FactoryImage()));
    dir.WriteFile("events.txt",
                  "06 05 00 08\n05 07 00 01\n06 07 00 02\n# a comment\n\n06 08 00 02\n"
                  "06 09 00 0C\n06 06 00 01\n");
    // Factory stage 2 sits at position 3: 1200 DPI on the simulated sensor type 1.
    const test::ShellRun run = Ctl("--simulate " + Dir() + "--sim-events " + (dir / "events.txt").string() +
                           " events");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "report-rate 125 Hz\ndpi-stage 2 1200\nkey-layer 2\nmacro 12\n");
    dir.WriteFile("bad.txt", "06 0G\n");
    EXPECT_EQ(Ctl("--simulate " + Dir() + "--sim-events " + (dir / "bad.txt").string() +
                  " events").status, 3);
}

TEST_F(CtlTest, RebuildMacrosEncodesTheLibraryIntoConfigBin) {
    ImageBytes image = FactoryImage();
    image[layout::MacroSlotOffset(2)] = 0x12;  // a loop count the rebuild must not touch
    image[layout::MacroSlotOffset(2) + 1] = 0x34;
    dir.WriteFile("config.bin", SettingsFileBytes(0, image));
    EXPECT_EQ(Ctl(Dir() + "rebuild-macros").status, 3);  // no library: nothing to do
    dir.WriteFile("record.ini",
                  "[Empty]\nItemCount=0\n[Keys]\nItemCount=7\nItem0=A   Dn\nItem1=50 ms\n"
                  "Item2=A   Up\nItem3=2500 ms\nItem4=B   Dn\nItem5=50 ms\nItem6=B   Up\n");
    ASSERT_EQ(Ctl(Dir() + "rebuild-macros").status, 0);
    const std::string saved = dir.ReadFile("config.bin");
    ASSERT_EQ(saved.size(), 1850u);
    EXPECT_EQ(saved[0], 0);  // nothing was applied: still a first run
    const std::size_t slot2 = 1 + layout::MacroSlotOffset(2);
    const std::vector<std::uint8_t> expected = {0x12, 0x34, 0x05, 0x04, 0x80, 0x04, 0x19,
                                                0x03, 0x05, 0x05, 0x80, 0x05, 0x00};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(static_cast<std::uint8_t>(saved[slot2 + i]), expected[i]) << i;
    }
    const std::size_t slot1 = 1 + layout::MacroSlotOffset(1);
    for (std::size_t i = 0; i < layout::kMacroSlotSize; ++i) EXPECT_EQ(saved[slot1 + i], 0);
    const test::ShellRun shown = Ctl(Dir() + "show");
    EXPECT_NE(shown.out.find("macro slot 2: loop 4660, A Dn 50 ms, A Up 2500 ms, B Dn 50 ms, B Up 0 ms"),
              std::string::npos)
        << shown.out;
}

}  // namespace
}  // namespace quarten
