// config.bin: sizes, the first-run byte, and saves that never leave a broken file.
#include <gtest/gtest.h>

#include "platform/PosixFileStore.h"
#include "settings/FactorySettings.h"
#include "settings/SettingsFile.h"
#include "tests/support/MemoryFileStore.h"
#include "tests/support/TempDir.h"

namespace quarten {
namespace {

using Status = SettingsFileResult::Status;

std::string FileOf(std::size_t size, char first = 0, char fill = 0x11) {
    std::string bytes(size, fill);
    if (size) bytes[0] = first;
    return bytes;
}

TEST(LoadSettingsFile, TakesOnlyAFileOfExactly1850Bytes) {
    struct Case {
        std::size_t size;
        Status status;
    };
    const Case cases[] = {{1849, Status::WrongSize}, {1850, Status::Loaded},
                          {1851, Status::WrongSize}, {0, Status::WrongSize}};
    for (const Case& c : cases) {
        test::MemoryFileStore store;
        store.Put("config.bin", FileOf(c.size));
        DeviceSettings settings;
        settings.image.fill(0x77);
        const SettingsFileResult result = LoadSettingsFile(store, "config.bin", settings);
        EXPECT_EQ(result.status, c.status) << c.size;
        EXPECT_TRUE(result.message.empty()) << "wrong sizes are ignored without a message";
        EXPECT_EQ(settings.image[0], c.status == Status::Loaded ? 0x11 : 0x77) << c.size;
    }
}

TEST(LoadSettingsFile, MissingFileIsReportedAndLeavesTheImage) {
    test::MemoryFileStore store;
    DeviceSettings settings;
    settings.image[5] = 9;
    const SettingsFileResult result = LoadSettingsFile(store, "config.bin", settings);
    EXPECT_EQ(result.status, Status::Missing);
    EXPECT_EQ(result.message, "Config file is not exist.");
    EXPECT_EQ(settings.image[5], 9);
}

TEST(SaveSettingsFile, WritesFlagOneKeepsTheInMemoryFlagAndNeedsAnExistingFile) {
    test::MemoryFileStore store;
    DeviceSettings settings;
    EXPECT_EQ(SaveSettingsFile(store, "config.bin", settings).message, "Config file is not exist.");
    EXPECT_FALSE(store.Exists("config.bin"));

    store.Put("config.bin", SettingsFileBytes(0, FactoryImage()));
    ASSERT_EQ(LoadSettingsFile(store, "config.bin", settings).status, Status::Loaded);
    EXPECT_EQ(settings.firstRunFlag, 0);
    settings.image[layout::kReportInterval] = 8;
    ASSERT_EQ(SaveSettingsFile(store, "config.bin", settings).status, Status::Saved);
    const std::string saved = *store.Read("config.bin");
    ASSERT_EQ(saved.size(), 1850u);
    EXPECT_EQ(saved[0], 1);
    EXPECT_EQ(saved[1 + layout::kReportInterval], 8);
    EXPECT_EQ(settings.firstRunFlag, 0);
}

TEST(SaveSettingsFile, AFailedWriteReportsItsCodeAndKeepsTheOldFile) {
    test::MemoryFileStore store;
    const std::string old = SettingsFileBytes(0, FactoryImage());
    store.Put("config.bin", old);
    store.FailWrites(true);
    DeviceSettings settings;
    const SettingsFileResult result = SaveSettingsFile(store, "config.bin", settings);
    EXPECT_EQ(result.status, Status::WriteFailed);
    EXPECT_EQ(result.message, "Error Code is: 13 \n");
    EXPECT_EQ(result.caption, "NULL ==fp ");
    EXPECT_EQ(*store.Read("config.bin"), old);
}

TEST(SaveSettingsFile, OnDiskAReadOnlyDirectoryLeavesTheFileWhole) {
    if (geteuid() == 0) GTEST_SKIP() << "root ignores directory permissions";
    test::TempDir dir;
    const std::string old = SettingsFileBytes(0, FactoryImage());
    dir.WriteFile("config.bin", old);
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    PosixFileStore store;
    DeviceSettings settings;
    const SettingsFileResult result = SaveSettingsFile(store, dir / "config.bin", settings);
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(result.status, Status::WriteFailed);
    EXPECT_EQ(dir.ReadFile("config.bin"), old);
}

}  // namespace
}  // namespace quarten
