// A process killed at a random moment while it saves config.bin, record.ini and str.ini
// through the real file paths leaves each file exactly as it was or exactly as written:
// never truncated, never a mixture, never missing.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <thread>

#include "host/StringSettings.h"
#include "macros/MacroLibrary.h"
#include "platform/PosixFileStore.h"
#include "settings/SettingsFile.h"
#include "tests/fault/FaultRig.h"
#include "tests/support/MemoryFileStore.h"
#include "tests/support/TempDir.h"

namespace quarten {
namespace {

constexpr int kTrials = 1000;

// One of two versions of everything the app saves.
struct Version {
    DeviceSettings settings;
    std::vector<std::string> macro;
    std::array<std::uint8_t, 3> colour;
    std::string skin;
};

Version MakeVersion(bool second) {
    Version v;
    v.settings.image = second ? test::EditedImage() : FactoryImage();
    v.macro = second ? std::vector<std::string>{"B   Dn", "2500 ms", "B   Up"}
                     : std::vector<std::string>(60, "Num 1   Dn");
    v.colour =
        second ? std::array<std::uint8_t, 3>{1, 2, 3} : std::array<std::uint8_t, 3>{200, 0, 9};
    v.skin = second ? "Crimson" : "Default";
    return v;
}

// The three saves of one version, as the window makes them.
void Save(FileStore& store, const std::filesystem::path& dir, const Version& v) {
    SaveSettingsFile(store, dir / "config.bin", v.settings);
    MacroLibrary(store, dir / "record.ini").WriteMacro("Crash test", v.macro);
    WriteSkinChoice(store, dir / "str.ini", v.colour, v.skin);
}

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return in ? content.str() : std::string("<missing>");
}

// Both ways of holding the new content: the unnamed temporary file and the named one the
// store falls back to where the file system has no unnamed files.
class CrashSafeFiles : public ::testing::TestWithParam<PosixFileStore::Temporary> {};

TEST_P(CrashSafeFiles, KilledWhileSavingLeavesOldOrNewContentOnly) {
    const char* names[] = {"config.bin", "record.ini", "str.ini"};
    const std::string strIni = Slurp(std::filesystem::path(QUARTEN_SOURCE_DIR) / "data/str.ini");
    const std::string recordIni = "[Keep me]\nItemCount=1\nItem0=A   Dn\n";
    const Version first = MakeVersion(false);
    const Version second = MakeVersion(true);

    // What each file holds after saving either version, from the same starting files.
    test::MemoryFileStore memory;
    const std::filesystem::path memoryDir = "/data";
    memory.Put(memoryDir / "config.bin", SettingsFileBytes(0, FactoryImage()));
    memory.Put(memoryDir / "record.ini", recordIni);
    memory.Put(memoryDir / "str.ini", strIni);
    std::array<std::array<std::string, 2>, 3> expected;
    for (int round = 0; round < 2; ++round) {  // the second round shows both are stable
        for (int v = 0; v < 2; ++v) {
            Save(memory, memoryDir, v ? second : first);
            for (int f = 0; f < 3; ++f) {
                const std::string now = *memory.Read(memoryDir / names[f]);
                if (round == 1) {
                    ASSERT_EQ(now, expected[f][v]) << names[f];
                }
                expected[f][v] = now;
            }
        }
    }
    for (int f = 0; f < 3; ++f) ASSERT_NE(expected[f][0], expected[f][1]) << names[f];

    test::TempDir dir;
    dir.WriteFile("config.bin", expected[0][0]);
    dir.WriteFile("record.ini", expected[1][0]);
    dir.WriteFile("str.ini", expected[2][0]);

    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> delayMicros(0, 4000);
    std::array<std::array<int, 2>, 3> seen{};
    const auto started = std::chrono::steady_clock::now();
    for (int trial = 0; trial < kTrials; ++trial) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Save the two versions in turn until killed; stop by itself after a while in
            // case the parent is gone.
            PosixFileStore store(GetParam());
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            for (int v = trial % 2; std::chrono::steady_clock::now() < deadline; v ^= 1) {
                Save(store, dir.Path(), v ? second : first);
            }
            _exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(random)));
        ASSERT_EQ(kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saver ended before it was killed";

        for (int f = 0; f < 3; ++f) {
            const std::string now = Slurp(dir / names[f]);
            const bool isFirst = now == expected[f][0];
            const bool isSecond = now == expected[f][1];
            ASSERT_TRUE(isFirst || isSecond) << names[f] << " after trial " << trial << " holds "
                                             << now.size() << " bytes that are neither version";
            ++seen[f][isSecond];
        }
    }
    const auto took = std::chrono::steady_clock::now() - started;

    // Only a kill between naming the finished temporary file and the rename leaves it behind,
    // hidden beside the file it was for.
    int leftovers = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        const std::string name = entry.path().filename().string();
        if (name == "config.bin" || name == "record.ini" || name == "str.ini") continue;
        EXPECT_EQ(name.front(), '.') << name;
        ++leftovers;
    }
    std::cout << kTrials << " kills in "
              << std::chrono::duration_cast<std::chrono::milliseconds>(took).count()
              << " ms; old/new seen: config.bin " << seen[0][0] << "/" << seen[0][1]
              << ", record.ini " << seen[1][0] << "/" << seen[1][1] << ", str.ini " << seen[2][0]
              << "/" << seen[2][1] << "; temporary files left: " << leftovers << '\n';
    // Both versions must have been caught on disk, or the kills all came too early to test.
    for (int f = 0; f < 3; ++f) {
        EXPECT_GT(seen[f][0], 0) << names[f];
        EXPECT_GT(seen[f][1], 0) << names[f];
    }
}

INSTANTIATE_TEST_SUITE_P(Temporaries, CrashSafeFiles,
                         ::testing::Values(PosixFileStore::Temporary::UnnamedWhereSupported,
                                           PosixFileStore::Temporary::Named),
                         [](const auto& info) {
                             return info.param == PosixFileStore::Temporary::Named
                                        ? std::string("Named")
                                        : std::string("Unnamed");
                         });

}  // namespace
}  // namespace quarten
