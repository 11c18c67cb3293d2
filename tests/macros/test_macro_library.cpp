// record.ini as a macro library: section order, the name-list limits, missing data.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macros/MacroLibrary.h"
#include "platform/PosixFileStore.h"
#include "tests/support/MemoryFileStore.h"
#include "tests/support/TempDir.h"

namespace quarten {
namespace {

using Lines = std::vector<std::string>;

class MacroLibraryTest : public ::testing::Test {
protected:
    const std::filesystem::path path_ = "/app/record.ini";
    test::MemoryFileStore store_;
    MacroLibrary library_{store_, path_};

    std::string File() const { return store_.Read(path_).value_or("<missing>"); }
};

TEST_F(MacroLibraryTest, MissingFileIsAnEmptyLibrary) {
    EXPECT_FALSE(library_.Exists());
    EXPECT_TRUE(library_.ListMacros().empty());
    EXPECT_TRUE(library_.ReadMacro("Any").empty());
    EXPECT_TRUE(library_.DeleteMacro("Any").ok);
    EXPECT_FALSE(library_.Exists());  // deleting nothing creates no file
}

TEST_F(MacroLibraryTest, WriteMacroPutsTheMacroLast) {
    library_.WriteMacro("one", {"A   Dn", "50 ms", "A   Up"});
    library_.WriteMacro("two", {"B   Dn"});
    library_.WriteMacro("three", {});
    ASSERT_EQ(library_.ListMacros(), (Lines{"one", "two", "three"}));

    library_.WriteMacro("ONE", {"C   Dn", "50 ms"});
    EXPECT_EQ(library_.ListMacros(), (Lines{"two", "three", "ONE"}));
    EXPECT_EQ(File(),
              "[two]\nItemCount=1\nItem0=B   Dn\n"
              "[three]\nItemCount=0\n"
              "[ONE]\nItemCount=2\nItem0=C   Dn\nItem1=50 ms\n");
    EXPECT_EQ(library_.ReadMacro("one"), (Lines{"C   Dn", "50 ms"}));
}

TEST_F(MacroLibraryTest, ReadMacroFollowsItemCount) {
    store_.Put(path_,
               "[NoCount]\nItem0=A   Dn\n"
               "[Short]\nItemCount=1\nItem0=A   Dn\nItem1=50 ms\n"
               "[Gap]\nITEMCOUNT=3\nitem0=A   Dn\nItem2=A   Up\n"
               "[Huge]\nItemCount=2147483647\nItem0=X   Dn\n"
               "[Negative]\nItemCount=-4\nItem0=A   Dn\n"
               "[Padded]\nItemCount= 2 \nItem0=  Num 1   Dn \nItem1=\t50 ms\n");
    EXPECT_TRUE(library_.ReadMacro("NoCount").empty());
    EXPECT_EQ(library_.ReadMacro("short"), (Lines{"A   Dn"}));
    EXPECT_EQ(library_.ReadMacro("Gap"), (Lines{"A   Dn", "", "A   Up"}));
    EXPECT_EQ(library_.ReadMacro("Huge"), (Lines{"X   Dn"}));
    EXPECT_TRUE(library_.ReadMacro("Negative").empty());
    EXPECT_EQ(library_.ReadMacro("Padded"), (Lines{"Num 1   Dn", "50 ms"}));
    EXPECT_TRUE(library_.ReadMacro("Absent").empty());
}

TEST_F(MacroLibraryTest, DeleteMacroRemovesOnlyThatSection) {
    store_.Put(path_, "; kept\n[a]\nItemCount=0\n[b]\nItemCount=0\n");
    EXPECT_TRUE(library_.DeleteMacro("A").ok);
    EXPECT_EQ(File(), "; kept\n[b]\nItemCount=0\n");
    const int writes = store_.WriteCount();
    library_.DeleteMacro("never confirmed");
    EXPECT_EQ(store_.WriteCount(), writes);
}

TEST_F(MacroLibraryTest, FailedWriteKeepsTheOldFileAndSaysSo) {
    const std::string before = "[a]\nItemCount=1\nItem0=A   Dn\n[b]\nItemCount=0\n";
    store_.Put(path_, before);
    store_.FailWrites(true);
    const WriteResult written = library_.WriteMacro("a", {"B   Dn"});
    EXPECT_FALSE(written.ok);
    EXPECT_NE(written.errorCode, 0);
    EXPECT_FALSE(library_.DeleteMacro("b").ok);
    EXPECT_EQ(File(), before);
}

TEST(MacroNameList, OnlyNamesEndingBefore255AreListed) {
    // Each name with its NUL takes length + 1 units of the list.
    struct Case {
        const char* what;
        std::vector<std::size_t> lengths;
        std::size_t expectedCount;
    };
    const Case cases[] = {
        {"NUL at index 254 is the last one taken", {99, 99, 54}, 3},  // 100+100+55 = 255
        {"NUL at index 255 is left out", {99, 99, 55}, 2},
        {"a single name of 254 characters", {254}, 1},
        {"a single name of 255 characters", {255}, 0},
        {"twelve short names", std::vector<std::size_t>(12, 5), 12},
        {"names after a long one are not taken either", {10, 300, 1}, 1},
    };
    for (const Case& c : cases) {
        std::string text;
        Lines expected;
        for (std::size_t i = 0; i < c.lengths.size(); ++i) {
            std::string name(c.lengths[i], static_cast<char>('a' + i));
            text += "[" + name + "]\nItemCount=0\n";
            if (i < c.expectedCount) expected.push_back(name);
        }
        EXPECT_EQ(ListedMacroNames(IniFile::Parse(text)), expected) << c.what;
    }
}

TEST(MacroNameList, CountsWideCharactersNotBytes) {
    // The names take 85 + 85 + 82 units, so the third NUL is at index 254, although the
    // UTF-8 text is nearly three times as long; "x" ends beyond the limit.
    std::string cjk;
    for (int i = 0; i < 84; ++i) cjk += "\xE4\xB8\xAD";
    const std::string text = "[1" + cjk + "]\n[2" + cjk + "]\n[3" + cjk.substr(9) + "]\n[x]\n";
    const Lines names = ListedMacroNames(IniFile::Parse(text));
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[2], "3" + cjk.substr(9));
}

TEST(MacroLibraryOnDisk, ReadsUtf16AndWritesUtf8Atomically) {
    test::TempDir dir;
    PosixFileStore store;
    // [Macro] ItemCount=2 Item0=中   Dn Item1=50 ms, as UTF-16LE with BOM and CRLF.
    std::u16string text = u"[Macro]\r\nItemCount=2\r\nItem0=\u4E2D   Dn\r\nItem1=50 ms\r\n";
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    dir.WriteFile("record.ini", bytes);

    MacroLibrary library(store, dir / "record.ini");
    EXPECT_EQ(library.ReadMacro("macro"), (Lines{"\xE4\xB8\xAD   Dn", "50 ms"}));
    ASSERT_TRUE(library.WriteMacro("Second", {"B   Up"}).ok);
    EXPECT_EQ(dir.ReadFile("record.ini"),
              "[Macro]\r\nItemCount=2\r\nItem0=\xE4\xB8\xAD   Dn\r\nItem1=50 ms\r\n"
              "[Second]\r\nItemCount=1\r\nItem0=B   Up\r\n");
}

}  // namespace
}  // namespace quarten
