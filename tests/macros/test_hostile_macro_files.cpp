// record.ini files no editor of ours writes: huge numbers, a doubled byte-order mark, ten
// megabytes of junk with NUL and broken UTF-8. Each is read safely and saved without loss.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <utility>

#include "host/StringSettings.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroSlot.h"
#include "platform/PosixFileStore.h"
#include "tests/support/MemoryFileStore.h"
#include "tests/support/TempDir.h"

namespace quarten {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

TEST(HostileRecordIni, HugeCountsAndItemNumbersCostNoMoreThanTheLineLimit) {
    // A few bytes that name line two billion: read as a long run of empty lines, up to the
    // limit, instead of allocating for every line up to that number.
    const char* cases[] = {
        "[Big]\nItemCount=2147483647\nItem0=A   Dn\nItem2147483646=A   Up\n",
        "[Big]\nItemCount=99999999\nItem0=A   Dn\nItem9999999999=A   Up\nItem99999998=x\n",
    };
    for (const char* text : cases) {
        test::MemoryFileStore store;
        store.Put("/r.ini", text);
        const Lines lines = MacroLibrary(store, "/r.ini").ReadMacro("Big");
        ASSERT_EQ(lines.size(), kMaxMacroLines) << text;
        EXPECT_EQ(lines.front(), "A   Dn");
        EXPECT_TRUE(std::all_of(lines.begin() + 1, lines.end(), [](auto& l) { return l.empty(); }));

        ImageBytes image{};
        const MacroRebuildReport report = RebuildMacroSlots(store, "/r.ini", image);
        EXPECT_EQ(report.outcomes[0].fill.written, 1) << text;
        EXPECT_EQ(SlotOf(std::as_const(image), 1)[3], 0x04);  // A, pressed
    }
}

TEST(HostileRecordIni, ADoubledByteOrderMarkReadsTheSameBeforeAndAfterASave) {
    const std::string body = "[First]\nItemCount=1\nItem0=A   Dn\n";
    auto utf16 = [&](bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF\xFE\xFF" : "\xFF\xFE\xFF\xFE";
        for (const char c : body) {
            bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
        }
        return bytes;
    };
    const std::pair<const char*, std::string> cases[] = {
        {"UTF-8", "\xEF\xBB\xBF\xEF\xBB\xBF" + body},
        {"UTF-8, three marks", "\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF" + body},
        {"UTF-16LE", utf16(false)},
        {"UTF-16BE", utf16(true)},
    };
    for (const auto& [what, bytes] : cases) {
        test::MemoryFileStore store;
        store.Put("/r.ini", bytes);
        MacroLibrary library(store, "/r.ini");
        EXPECT_EQ(library.ListMacros(), Lines{"First"}) << what;
        ASSERT_TRUE(library.WriteMacro("Second", {"B   Up"}).ok);
        EXPECT_EQ(library.ListMacros(), (Lines{"First", "Second"})) << what;
        EXPECT_EQ(library.ReadMacro("First"), Lines{"A   Dn"}) << what;
    }
}

TEST(HostileRecordIni, TenMegabytesWithNulAndBrokenUtf8AreReadAndKept) {
    test::TempDir dir;
    PosixFileStore store;
    std::string text = "[First]\nItemCount=2\nItem0=A   Dn\nItem1=50 ms\n[Junk]\n";
    const std::string junk =
        "k\0\xFF\xC0\x80=value of a line no editor wrote, with bad bytes \xE4\xB8 and more\n"s;
    for (std::size_t i = 0; text.size() < 10 * 1024 * 1024; ++i) {
        text += std::to_string(i) + junk;
    }
    text += "[Na\0me]\nItemCount=1\nItem0=B\0   Dn\n[Last]\nItemCount=1\nItem0=B   Up\n"s;
    dir.WriteFile("record.ini", text);
    MacroLibrary library(store, dir / "record.ini");

    const Lines names{"First", "Junk", "Na\xEF\xBF\xBDme", "Last"};
    ImageBytes image{};
    const MacroRebuildReport report = RebuildMacroSlots(store, dir / "record.ini", image);
    EXPECT_EQ(report.names, names);
    EXPECT_EQ(SlotOf(std::as_const(image), 1)[2], 0x05);  // A down, 50 ms
    EXPECT_EQ(SlotOf(std::as_const(image), 1)[3], 0x04);
    EXPECT_EQ(report.outcomes[1].action, MacroSlotOutcome::Action::Zeroed);  // no ItemCount
    EXPECT_EQ(report.outcomes[2].fill.written, 1);  // "B\uFFFD" names no key: usage 0
    EXPECT_EQ(SlotOf(std::as_const(image), 3)[3], 0x00);
    EXPECT_EQ(SlotOf(std::as_const(image), 4)[2], 0x80);  // B up
    EXPECT_EQ(SlotOf(std::as_const(image), 4)[3], 0x05);

    // A save keeps every section and every junk line (its bad bytes as U+FFFD).
    ASSERT_TRUE(library.WriteMacro("Added", {"C   Dn"}).ok);
    const std::string saved = dir.ReadFile("record.ini");
    EXPECT_GT(saved.size(), text.size());
    Lines withAdded = names;
    withAdded.push_back("Added");
    EXPECT_EQ(library.ListMacros(), withAdded);
}

TEST(HostileRecordIni, AFileThatCannotBeReadIsNeverReplacedByTheEdits) {
    // Larger than any file the store reads: loading it gives an empty document, and saving
    // that document with one edit would have dropped everything else the file held.
    test::TempDir dir;
    PosixFileStore store;
    const off_t size = 65 * 1024 * 1024;
    for (const char* name : {"record.ini", "str.ini"}) {
        dir.WriteFile(name, "[Kept]\nItemCount=0\n");
        ASSERT_EQ(truncate((dir / name).c_str(), size), 0);
    }
    const WriteResult results[] = {
        MacroLibrary(store, dir / "record.ini").WriteMacro("New", {"A   Dn"}),
        WriteSkinChoice(store, dir / "str.ini", {1, 2, 3}, "Crimson"),
        WriteButtonCaptions(store, dir / "str.ini", UiLanguage::English, ButtonCaptions{}),
    };
    for (const WriteResult& result : results) {
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.errorCode, 0);
    }
    for (const char* name : {"record.ini", "str.ini"}) {
        struct stat info {};
        ASSERT_EQ(stat((dir / name).c_str(), &info), 0);
        EXPECT_EQ(info.st_size, size) << name;
        std::ifstream in(dir / name);
        std::string first;
        std::getline(in, first);
        EXPECT_EQ(first, "[Kept]") << name;
    }
    // A file that is simply missing is still created by the first save.
    EXPECT_TRUE(MacroLibrary(store, dir / "other.ini").WriteMacro("New", {"A   Dn"}).ok);
}

}  // namespace
}  // namespace quarten
