// Seeding the user's data directory from the factory files never overwrites user data.
#include <gtest/gtest.h>

#include "platform/DataDirectory.h"
#include "tests/support/TempDir.h"

namespace quarten {
namespace {

TEST(SeedDataDirectory, CopiesWhatIsMissingAndKeepsWhatIsThere) {
    test::TempDir factory;
    test::TempDir user;
    factory.WriteFile("config.bin", "factory image");
    factory.WriteFile("str.ini", "factory strings");
    std::filesystem::create_directories(factory / "Skins" / "Default");
    factory.WriteFile("Skins/Default/bg.png", "png");
    user.WriteFile("str.ini", "the user's strings");

    SeedDataDirectory(factory.Path(), user / "quarten");
    SeedDataDirectory(factory.Path(), user.Path());
    EXPECT_EQ(user.ReadFile("config.bin"), "factory image");
    EXPECT_EQ(user.ReadFile("str.ini"), "the user's strings");
    EXPECT_EQ(user.ReadFile("Skins/Default/bg.png"), "png");
    EXPECT_EQ(user.ReadFile("quarten/config.bin"), "factory image");
}

TEST(ResolveDataDirectory, AGivenDirectoryWinsAndNamesTheFourPlaces) {
    const DataPaths paths = ResolveDataDirectory(std::filesystem::path("/tmp/somewhere"));
    EXPECT_EQ(paths.origin, "given");
    EXPECT_EQ(paths.configBin, "/tmp/somewhere/config.bin");
    EXPECT_EQ(paths.recordIni, "/tmp/somewhere/record.ini");
    EXPECT_EQ(paths.strIni, "/tmp/somewhere/str.ini");
    EXPECT_EQ(paths.skins, "/tmp/somewhere/Skins");
}

}  // namespace
}  // namespace quarten
