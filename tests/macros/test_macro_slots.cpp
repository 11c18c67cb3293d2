// Macro lines to slot bytes, the rebuild of all slots from record.ini, and slot display.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "buttons/KeyNameTable.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroSlot.h"
#include "tests/support/MemoryFileStore.h"

namespace quarten {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

const KeyLookup kTable = [](std::string_view name) { return KeyUsageFromName(name); };

// Encodes lines into a slot whose bytes start as 0xEE, returning the whole slot.
std::array<std::uint8_t, 128> EncodeLines(const Lines& lines, EventAreaFill* fill = nullptr) {
    std::array<std::uint8_t, 128> slot;
    slot.fill(0xEE);
    const auto events = ParseMacroEvents(lines, lines.size(), kTable);
    const EventAreaFill result = EncodeEventArea(events, slot);
    if (fill) *fill = result;
    return slot;
}

Bytes EventArea(const std::array<std::uint8_t, 128>& slot, std::size_t length) {
    return Bytes(slot.begin() + 2, slot.begin() + 2 + static_cast<std::ptrdiff_t>(length));
}

TEST(MacroEncoding, RecordBytes) {
    struct Case {
        const char* what;
        Lines lines;
        Bytes expected;
    };
    const Case cases[] = {
        {"worked example",
         {"A   Dn", "50 ms", "A   Up", "2500 ms", "B   Dn", "50 ms", "B   Up"},
         {0x05, 0x04, 0x80, 0x04, 0x19, 0x03, 0x05, 0x05, 0x80, 0x05}},
        {"last key line has no delay", {"A   Dn", "50 ms", "A   Up"}, {0x05, 0x04, 0x80, 0x04}},
        {"1270 ms press is still short", {"A   Dn", "1270 ms"}, {0x7F, 0x04}},
        {"1270 ms release is still short", {"A   Up", "1270 ms"}, {0xFF, 0x04}},
        {"1271 ms takes the long form", {"A   Dn", "1271 ms"}, {0x47, 0x04, 0x0C, 0x03}},
        {"10000 ms release", {"A   Up", "10000 ms"}, {0x80, 0x04, 0x64, 0x03}},
        {"hundreds beyond 8 bits keep the low byte",
         {"A   Dn", "30000 ms"},
         {0x00, 0x04, 0x2C, 0x03}},
        {"huge delay clamps to the 32-bit limit",
         {"A   Dn", "99999999999 ms"},
         {0x2F, 0x04, 0x14, 0x03}},
        {"delays below 10 ms round down to 0",
         {"A   Dn", "9 ms", "A   Up", "19 ms"},
         {0x00, 0x04, 0x81, 0x04}},
        {"leading delay line gives nothing", {"50 ms", "A   Dn", "50 ms"}, {0x05, 0x04}},
        {"two key lines in a row", {"A   Dn", "B   Dn", "50 ms"}, {0x00, 0x04, 0x05, 0x05}},
        {"a key line starting with digits is no delay",
         {"A   Dn", "102nd   Dn"},
         {0x00, 0x04, 0x00, 0x00}},
        {"press marker is tested first",
         {"Up   Dn", "10 ms", "Down   Up"},
         {0x01, 0x52, 0x80, 0x51}},
        {"every marker is removed from the name", {"A   Dn   Dn"}, {0x00, 0x04}},
        {"unknown name is usage 0", {"Menu   Dn", "100 ms"}, {0x0A, 0x00}},
        {"mouse buttons", {"L-Button   Dn", "50 ms", "M-Button   Up"}, {0x05, 0xF0, 0x80, 0xF2}},
        {"negative delay encodes as 0",
         {"A   Dn", "-50 ms", "A   Up", "-5000 ms"},
         {0x00, 0x04, 0x80, 0x04}},
        {"non-numeric delay is 0", {"A   Dn", "soon"}, {0x00, 0x04}},
        {"delay without its unit", {"A   Dn", "60"}, {0x06, 0x04}},
        {"names are case-sensitive", {"a   Dn"}, {0x00, 0x00}},
    };
    for (const Case& c : cases) {
        const auto slot = EncodeLines(c.lines);
        EXPECT_EQ(EventArea(slot, c.expected.size()), c.expected) << c.what;
        EXPECT_TRUE(std::all_of(slot.begin() + 2 + static_cast<std::ptrdiff_t>(c.expected.size()),
                                slot.end(), [](std::uint8_t b) { return b == 0; }))
            << c.what << ": event area not zero-filled";
        EXPECT_EQ(slot[0], 0xEE) << c.what << ": loop count touched";
        EXPECT_EQ(slot[1], 0xEE) << c.what << ": loop count touched";
    }
}

TEST(MacroEncoding, RecordsThatDoNotFitAreDropped) {
    struct Case {
        const char* what;
        Lines lines;
        int written;
        int dropped;
    };
    auto repeated = [](std::initializer_list<std::string> block, int times) {
        Lines lines;
        for (int i = 0; i < times; ++i) lines.insert(lines.end(), block);
        return lines;
    };
    Lines longThenShort = repeated({"A   Dn", "2000 ms"}, 32);  // 31 fit in 124 bytes
    longThenShort.insert(longThenShort.end(), {"B   Dn", "50 ms"});
    const Case cases[] = {
        {"63 short records fill the area exactly", repeated({"A   Dn", "50 ms"}, 63), 63, 0},
        {"the 64th short record is dropped", repeated({"A   Dn", "50 ms"}, 64), 63, 1},
        {"after the first misfit nothing more is written", longThenShort, 31, 2},
    };
    for (const Case& c : cases) {
        EventAreaFill fill;
        EncodeLines(c.lines, &fill);
        EXPECT_EQ(fill.written, c.written) << c.what;
        EXPECT_EQ(fill.dropped, c.dropped) << c.what;
    }
    const auto slot = EncodeLines(longThenShort);
    EXPECT_EQ(EventArea(slot, 4), (Bytes{0x00, 0x04, 0x14, 0x03}));
    EXPECT_EQ(slot[126], 0);  // two bytes left; the short record that would fit is not written
    EXPECT_EQ(slot[127], 0);
}

TEST(MacroLoopCount, BigEndianInBytesZeroAndOne) {
    ImageBytes image{};
    SetLoopCount(SlotOf(image, 3), 0x1234);
    EXPECT_EQ(image[layout::MacroSlotOffset(3)], 0x12);
    EXPECT_EQ(image[layout::MacroSlotOffset(3) + 1], 0x34);
    EXPECT_EQ(LoopCount(SlotOf(std::as_const(image), 3)), 0x1234);
    EXPECT_EQ(LoopCount(SlotOf(std::as_const(image), 2)), 0);
    EXPECT_THROW(SlotOf(image, 0), std::out_of_range);
    EXPECT_THROW(SlotOf(image, 13), std::out_of_range);
}

TEST(MacroSlotText, DescribesStoredEvents) {
    struct Case {
        const char* what;
        Lines lines;
        const char* expected;
    };
    const Case cases[] = {
        {"worked example",
         {"A   Dn", "50 ms", "A   Up", "2500 ms", "B   Dn", "50 ms", "B   Up"},
         "A Dn 50 ms, A Up 2500 ms, B Dn 50 ms, B Up 0 ms"},
        {"empty slot", {}, ""},
        {"long form and mouse button",
         {"R-Button   Dn", "1271 ms", "Num 5   Up"},
         "R-Button Dn 1271 ms, Num 5 Up 0 ms"},
        {"unknown usage in the middle shows as hex",
         {"Menu   Dn", "B   Dn"},
         "0x00 Dn 0 ms, B Dn 0 ms"},
    };
    for (const Case& c : cases) {
        const auto slot = EncodeLines(c.lines);
        EXPECT_EQ(DescribeMacroSlot(slot), c.expected) << c.what;
    }
    std::array<std::uint8_t, 128> full{};
    std::fill(full.begin() + 2, full.end(), 0xFF);  // 63 releases of usage 0xFF, 1270 ms each
    const std::string text = DescribeMacroSlot(full);
    EXPECT_EQ(std::count(text.begin(), text.end(), ','), 62);
    EXPECT_TRUE(text.starts_with("0xFF Up 1270 ms, "));
}

class RebuildTest : public ::testing::Test {
protected:
    const std::filesystem::path path_ = "/app/record.ini";
    test::MemoryFileStore store_;
    ImageBytes image_{};

    void SetUp() override { image_.fill(0xAA); }
    std::vector<std::uint8_t> Slot(std::size_t n) const {
        const auto bytes = SlotOf(image_, n);
        return {bytes.begin(), bytes.end()};
    }
    MacroRebuildReport Rebuild() { return RebuildMacroSlots(store_, path_, image_); }
};

TEST_F(RebuildTest, MissingFileChangesNothing) {
    const ImageBytes before = image_;
    EXPECT_FALSE(Rebuild().fileFound);
    EXPECT_EQ(image_, before);
}

TEST_F(RebuildTest, CountDecidesWhatHappensToTheSlot) {
    store_.Put(path_,
               "[zero]\nItemCount=0\nItem0=A   Dn\n"
               "[negative]\nItemCount=-1\nItem0=A   Dn\n"
               "[one]\nItemCount=1\nItem0=A   Dn\nItem1=2500 ms\n"
               "[text]\nItemCount= +2xyz\nItem0=B   Up\nItem1=50 ms\n"
               "[huge]\nItemCount=99999999999\nItem0=C   Dn\n");
    const MacroRebuildReport report = Rebuild();
    EXPECT_EQ(Slot(1), std::vector<std::uint8_t>(128, 0));  // loop count zeroed as well
    EXPECT_EQ(Slot(2), std::vector<std::uint8_t>(128, 0xAA));
    // The delay comes from Item1 although ItemCount stops at Item0.
    std::vector<std::uint8_t> one(128, 0);
    one[0] = one[1] = 0xAA;
    one[2] = 0x00, one[3] = 0x04, one[4] = 0x19, one[5] = 0x03;
    EXPECT_EQ(Slot(3), one);
    EXPECT_EQ(Slot(4)[2], 0x85);
    EXPECT_EQ(Slot(4)[3], 0x05);
    EXPECT_EQ(Slot(5)[3], 0x06);
    EXPECT_EQ(Slot(6), std::vector<std::uint8_t>(128, 0xAA));  // no sixth macro
    using Action = MacroSlotOutcome::Action;
    EXPECT_EQ(report.outcomes[0].action, Action::Zeroed);
    EXPECT_EQ(report.outcomes[1].action, Action::Kept);
    EXPECT_EQ(report.outcomes[2].action, Action::Encoded);
    EXPECT_EQ(report.outcomes[5].action, Action::Kept);
}

TEST_F(RebuildTest, NamesEndingPastTheListLimitKeepTheirSlots) {
    const std::string longName(200, 'n');
    store_.Put(path_, "[" + longName +
                          "]\nItemCount=1\nItem0=A   Dn\n"
                          "[" +
                          std::string(60, 'm') + "]\nItemCount=0\n");
    const MacroRebuildReport report = Rebuild();
    ASSERT_EQ(report.names, Lines{longName});
    EXPECT_EQ(Slot(1)[3], 0x04);
    EXPECT_EQ(Slot(2), std::vector<std::uint8_t>(128, 0xAA));
}

TEST_F(RebuildTest, SectionsPastTwelveAreNotEncoded) {
    std::string text;
    for (int i = 1; i <= 14; ++i) {
        text += "[m" + std::to_string(i) + "]\nItemCount=1\nItem0=A   Dn\n";
    }
    store_.Put(path_, text);
    const MacroRebuildReport report = Rebuild();
    EXPECT_EQ(report.names.size(), 12u);
    EXPECT_EQ(report.namesWithoutSlot, 2u);
    EXPECT_EQ(Slot(12)[3], 0x04);
    EXPECT_EQ(image_[layout::kPointerSettings], 0xAA);
    EXPECT_TRUE(std::all_of(image_.begin() + layout::kPointerSettings, image_.end(),
                            [](std::uint8_t b) { return b == 0xAA; }));
}

TEST_F(RebuildTest, LongMacroStaysInsideItsSlot) {
    std::string text = "[long]\nItemCount=200\n";
    for (int i = 0; i < 200; i += 2) {
        text += "Item" + std::to_string(i) + "=A   Dn\nItem" + std::to_string(i + 1) + "=50 ms\n";
    }
    store_.Put(path_, text + "[next]\nItemCount=-1\n");
    const MacroRebuildReport report = Rebuild();
    EXPECT_EQ(report.outcomes[0].fill.written, 63);
    EXPECT_EQ(report.outcomes[0].fill.dropped, 37);
    EXPECT_EQ(Slot(2), std::vector<std::uint8_t>(128, 0xAA));
}

TEST_F(RebuildTest, LoopCountsStayWithTheSlotPosition) {
    store_.Put(path_,
               "[first]\nItemCount=1\nItem0=A   Dn\n"
               "[second]\nItemCount=1\nItem0=B   Dn\n"
               "[third]\nItemCount=1\nItem0=C   Dn\n");
    for (std::size_t n = 1; n <= 3; ++n)
        SetLoopCount(SlotOf(image_, n), static_cast<std::uint16_t>(n * 100));
    Rebuild();
    MacroLibrary(store_, path_).WriteMacro("first", {"D   Dn"});
    const MacroRebuildReport report = Rebuild();
    EXPECT_EQ(report.names, (Lines{"second", "third", "first"}));
    const std::uint8_t usages[] = {0x05, 0x06, 0x07};
    for (std::size_t n = 1; n <= 3; ++n) {
        EXPECT_EQ(Slot(n)[3], usages[n - 1]) << "slot " << n;
        EXPECT_EQ(static_cast<std::size_t>(LoopCount(SlotOf(std::as_const(image_), n))), n * 100)
            << "slot " << n;
    }
}

}  // namespace
}  // namespace quarten
