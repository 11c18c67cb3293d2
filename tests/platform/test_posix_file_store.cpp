// The real file store: atomic replacement, permissions kept, no temporary files left.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/PosixFileStore.h"
#include "tests/support/TempDir.h"

namespace quarten {
namespace {

TEST(PosixFileStore, ReplacesContentKeepsModeAndLeavesNoTemporaryFile) {
    for (const auto temporary :
         {PosixFileStore::Temporary::UnnamedWhereSupported, PosixFileStore::Temporary::Named}) {
        SCOPED_TRACE(static_cast<int>(temporary));
        test::TempDir dir;
        dir.WriteFile("str.ini", "old");
        ::chmod((dir / "str.ini").c_str(), 0600);
        PosixFileStore store(temporary);
        ASSERT_TRUE(store.WriteAtomic(dir / "str.ini", std::string("new\0bytes", 9)).ok);
        EXPECT_EQ(*store.Read(dir / "str.ini"), std::string("new\0bytes", 9));
        struct stat info {};
        ASSERT_EQ(::stat((dir / "str.ini").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
        // A new file gets the usual mode, whatever the temporary file was created with.
        ASSERT_TRUE(store.WriteAtomic(dir / "record.ini", "[m]\n").ok);
        ASSERT_EQ(::stat((dir / "record.ini").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0644u);
        int entries = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) {
            ++entries;
        }
        EXPECT_EQ(entries, 2);
    }
}

TEST(PosixFileStore, MissingThingsAreNotFiles) {
    test::TempDir dir;
    PosixFileStore store;
    EXPECT_FALSE(store.Exists(dir / "none"));
    EXPECT_FALSE(store.Read(dir / "none").has_value());
    EXPECT_FALSE(store.Exists(dir.Path()));  // a directory is not a data file
    EXPECT_FALSE(store.Read(dir.Path()).has_value());
    for (const auto temporary :
         {PosixFileStore::Temporary::UnnamedWhereSupported, PosixFileStore::Temporary::Named}) {
        const WriteResult result =
            PosixFileStore(temporary).WriteAtomic(dir / "no-such-dir" / "config.bin", "x");
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.errorCode, ENOENT);
    }
}

}  // namespace
}  // namespace quarten
