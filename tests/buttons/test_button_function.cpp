// Button function encoding, the parameter arrays of a layer, and the dialogs' value tables.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <string>

#include "buttons/ButtonFunction.h"
#include "buttons/FunctionTables.h"
#include "buttons/KeyNameTable.h"

namespace quarten {
namespace {

using Bytes = std::array<std::uint8_t, 4>;

// Every field set to a distinct non-zero value, so a kind that reads the wrong field (or
// reads a field at all when it should not) shows up in the bytes.
ButtonParameters Busy() {
    ButtonParameters p;
    p.multimediaChoice = 0x11;
    p.multimediaUsage = 0x12;
    p.windowsChoice = 0x13;
    p.windowsUsageLow = 0x14;
    p.windowsUsageHigh = 0x15;
    p.fireChoice = 0x16;
    p.fireUsage = 0x17;
    p.fireSpeed = 0x18;
    p.fireTimes = 0x19;
    p.singleUsage = 0x1A;
    p.comboModifier = 0x1B;
    p.comboKey1 = 0x1C;
    p.comboKey2 = 0x1D;
    p.macroIndex = 0x1E;
    p.macroRepeatMode = 0x1F;
    p.dpiAction = 0x21;
    return p;
}

template <typename Change>
ButtonParameters BusyWith(Change change) {
    ButtonParameters p = Busy();
    change(p);
    return p;
}

struct EncodeCase {
    const char* what;
    std::uint8_t kind;
    ButtonParameters parameters;
    Bytes expected;
};

TEST(EncodeButtonFunction, EveryKindGivesItsExactBytes) {
    const EncodeCase cases[] = {
        {"left click", 0, Busy(), {0x01, 0x00, 0xF0, 0x00}},
        {"right click", 1, Busy(), {0x01, 0x00, 0xF1, 0x00}},
        {"mid click", 2, Busy(), {0x01, 0x00, 0xF2, 0x00}},
        {"forward is F4", 3, Busy(), {0x01, 0x00, 0xF4, 0x00}},
        {"backward is F3", 4, Busy(), {0x01, 0x00, 0xF3, 0x00}},
        {"triple-click ignores the fire arrays", 5, Busy(), {0x0A, 0xF0, 0x20, 0x03}},
        {"DPI +", 6, BusyWith([](auto& p) { p.dpiAction = 1; }), {0x07, 0x00, 0x01, 0x00}},
        {"DPI -", 6, BusyWith([](auto& p) { p.dpiAction = 2; }), {0x07, 0x00, 0x02, 0x00}},
        {"DPI loop", 6, BusyWith([](auto& p) { p.dpiAction = 3; }), {0x07, 0x00, 0x03, 0x00}},
        {"RGB on/off", 7, Busy(), {0x08, 0x00, 0x03, 0x00}},
        {"Windows: My Computer", 8, WindowsFunctionParameters(3), {0x03, 0x00, 0x94, 0x01}},
        {"Windows: Browser-Search", 8, WindowsFunctionParameters(4), {0x03, 0x00, 0x21, 0x02}},
        {"Windows takes the stored usage bytes, not the choice",
         8,
         BusyWith([](auto& p) {
             p.windowsChoice = 0;
             p.windowsUsageLow = 0x27;
             p.windowsUsageHigh = 0x02;
         }),
         {0x03, 0x00, 0x27, 0x02}},
        {"multimedia",
         9,
         BusyWith([](auto& p) { p.multimediaUsage = 0xE9; }),
         {0x03, 0x00, 0xE9, 0x00}},
        {"fire key",
         10,
         BusyWith([](auto& p) {
             p.fireUsage = 0xE4;
             p.fireSpeed = 5;
             p.fireTimes = 255;
         }),
         {0x0A, 0xE4, 0x05, 0xFF}},
        {"single key",
         11,
         BusyWith([](auto& p) { p.singleUsage = 0x2C; }),
         {0x00, 0x00, 0x2C, 0x00}},
        {"single key of usage 0 is key off",
         11,
         BusyWith([](auto& p) { p.singleUsage = 0; }),
         {0x00, 0x00, 0x00, 0x00}},
        {"combination",
         12,
         BusyWith([](auto& p) {
             p.comboModifier = 0x10;
             p.comboKey1 = 0x04;
             p.comboKey2 = 0x05;
         }),
         {0x00, 0x10, 0x04, 0x05}},
        {"macro index 0 is macro number 1",
         13,
         BusyWith([](auto& p) {
             p.macroIndex = 0;
             p.macroRepeatMode = 2;
         }),
         {0x09, 0x02, 0x01, 0x00}},
        {"macro index 11 is macro number 12",
         13,
         BusyWith([](auto& p) {
             p.macroIndex = 11;
             p.macroRepeatMode = 1;
         }),
         {0x09, 0x01, 0x0C, 0x00}},
        {"shift", 14, Busy(), {0x08, 0x00, 0x02, 0x00}},
        {"key off", 15, Busy(), {0x00, 0x00, 0x00, 0x00}},
        {"kind 16", 16, Busy(), {0x00, 0x00, 0x00, 0x00}},
        {"kind 255", 255, Busy(), {0x00, 0x00, 0x00, 0x00}},
    };
    for (const EncodeCase& c : cases) {
        EXPECT_EQ(EncodeButtonFunction(c.kind, c.parameters).bytes, c.expected) << c.what;
    }
}

TEST(ButtonFunction, ValueIsLittleEndian) {
    EXPECT_EQ((ButtonFunction{{0x01, 0x00, 0xF0, 0x00}}.Value()), 0x00F00001u);
    EXPECT_EQ((ButtonFunction{{0x0A, 0xF0, 0x20, 0x03}}.Value()), 0x0320F00Au);
}

// Each byte of the image holds the low byte of its own offset, so a value read tells where
// it was read from.
class LayerArrays : public ::testing::Test {
protected:
    void SetUp() override {
        for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i);
    }
    static std::uint8_t At(int offset) { return static_cast<std::uint8_t>(offset); }
    ImageBytes image{};
};

TEST_F(LayerArrays, ReadsEveryArrayOfModeAButton1) {
    const ButtonParameters p = ReadButtonParameters(image, 0, 0);
    EXPECT_EQ(ReadKind(image, 0, 0), At(0));
    const std::array<std::uint8_t, 16> read = {
        p.multimediaChoice, p.multimediaUsage, p.windowsChoice,   p.windowsUsageLow,
        p.windowsUsageHigh, p.fireChoice,      p.fireUsage,       p.fireSpeed,
        p.fireTimes,        p.singleUsage,     p.comboModifier,   p.comboKey1,
        p.comboKey2,        p.macroIndex,      p.macroRepeatMode, p.dpiAction};
    const std::array<int, 16> offsets = {8,  16, 24, 32, 40,  48,  56,  64,
                                         72, 80, 88, 96, 104, 112, 120, 1833};
    for (std::size_t i = 0; i < read.size(); ++i) EXPECT_EQ(read[i], At(offsets[i])) << i;
}

TEST_F(LayerArrays, ReadsEveryArrayOfModeBButton8) {
    const ButtonParameters p = ReadButtonParameters(image, 1, 7);
    EXPECT_EQ(ReadKind(image, 1, 7), At(1712));
    const std::array<std::uint8_t, 16> read = {
        p.multimediaChoice, p.multimediaUsage, p.windowsChoice,   p.windowsUsageLow,
        p.windowsUsageHigh, p.fireChoice,      p.fireUsage,       p.fireSpeed,
        p.fireTimes,        p.singleUsage,     p.comboModifier,   p.comboKey1,
        p.comboKey2,        p.macroIndex,      p.macroRepeatMode, p.dpiAction};
    const std::array<int, 16> offsets = {1720, 1728, 1736, 1744, 1752, 1760, 1768, 1776,
                                         1784, 1792, 1800, 1808, 1816, 1824, 1832, 1848};
    for (std::size_t i = 0; i < read.size(); ++i) EXPECT_EQ(read[i], At(offsets[i])) << i;
}

TEST_F(LayerArrays, PositionsOutsideTheLayersThrow) {
    EXPECT_THROW(ReadButtonParameters(image, 2, 0), std::out_of_range);
    EXPECT_THROW(ReadButtonParameters(image, 0, 8), std::out_of_range);
    EXPECT_THROW(ReadKind(image, -1, 0), std::out_of_range);
    EXPECT_THROW(WriteButtonParameters(image, 1, -1, AssignmentKind::FireKey, Busy()),
                 std::out_of_range);
}

struct WriteCase {
    AssignmentKind kind;
    std::set<int> changedOffsets;  // Mode B, button 4
};

TEST(WriteButtonParameters, WritesOnlyTheArraysOfTheConfirmedKind) {
    // Mode B starts at 1705; button 4 is index 3.
    const WriteCase cases[] = {
        {AssignmentKind::LeftClick, {}},
        {AssignmentKind::TripleClick, {}},
        {AssignmentKind::DpiSwitch, {1844}},
        {AssignmentKind::RgbOnOff, {}},
        {AssignmentKind::Windows, {1732, 1740, 1748}},
        {AssignmentKind::Multimedia, {1716, 1724}},
        {AssignmentKind::FireKey, {1756, 1764, 1772, 1780}},
        {AssignmentKind::SingleKey, {1788}},
        {AssignmentKind::ComboKey, {1796, 1804, 1812}},
        {AssignmentKind::MacroKey, {1820, 1828}},
        {AssignmentKind::Shift, {}},
        {AssignmentKind::KeyOff, {}},
    };
    for (const WriteCase& c : cases) {
        ImageBytes image{};
        WriteButtonParameters(image, 1, 3, c.kind, Busy());
        std::set<int> changed;
        for (std::size_t i = 0; i < image.size(); ++i) {
            if (image[i] != 0) changed.insert(static_cast<int>(i));
        }
        EXPECT_EQ(changed, c.changedOffsets) << static_cast<int>(c.kind);
        // What was written reads back as the same fields.
        const ButtonParameters back = ReadButtonParameters(image, 1, 3);
        EXPECT_EQ(EncodeButtonFunction(c.kind, back), EncodeButtonFunction(c.kind, Busy()))
            << static_cast<int>(c.kind);
    }
}

TEST(DialogTables, WindowsChoicesStoreUsageBytes) {
    struct Case {
        int choice;
        std::uint8_t low, high;
    };
    const Case cases[] = {{0, 0x83, 1},  {3, 0x94, 1}, {4, 0x21, 2},
                          {10, 0x2A, 2}, {11, 0, 0},   {-1, 0, 0}};
    for (const Case& c : cases) {
        const ButtonParameters p = WindowsFunctionParameters(c.choice);
        EXPECT_EQ(p.windowsChoice, static_cast<std::uint8_t>(c.choice));
        EXPECT_EQ(p.windowsUsageLow, c.low) << c.choice;
        EXPECT_EQ(p.windowsUsageHigh, c.high) << c.choice;
    }
}

TEST(DialogTables, MultimediaChoicesStoreUsage) {
    const std::pair<int, std::uint8_t> cases[] = {{0, 0xB5}, {3, 0xCD}, {6, 0xEA}, {7, 0}};
    for (const auto& [choice, usage] : cases) {
        EXPECT_EQ(MultimediaParameters(choice).multimediaUsage, usage) << choice;
    }
}

TEST(DialogTables, FireKeyChoicesStoreUsageSpeedAndTimes) {
    const std::pair<int, std::uint8_t> cases[] = {
        {0, 0x04},  {25, 0x1D}, {26, 0x1E}, {35, 0x27}, {36, 0xE0}, {38, 0xE2},
        {39, 0xE4}, {40, 0xE5}, {41, 0xE6}, {42, 0x3A}, {53, 0x45}, {54, 0xF0},
        {57, 0xF3}, {58, 0xF4}, {60, 0xF6}, {61, 0},    {200, 0},   {-1, 0},
    };
    for (const auto& [choice, usage] : cases) {
        const ButtonParameters p = FireKeyParameters(choice, 40, 9);
        EXPECT_EQ(p.fireUsage, usage) << choice;
        EXPECT_EQ(p.fireSpeed, 40);
        EXPECT_EQ(p.fireTimes, 9);
    }
}

// The fire-key list's letters, digits and function keys are the key-name table's keys.
TEST(DialogTables, FireKeyKeysAgreeWithTheKeyNameTable) {
    for (std::size_t i = 0; i < kFireKeys.size(); ++i) {
        const bool keyboardKey = i <= 35 || (i >= 42 && i <= 53);
        if (!keyboardKey) continue;
        EXPECT_EQ(KeyUsageFromName(kFireKeys[i].text), kFireKeys[i].usage)
            << std::string(kFireKeys[i].text);
    }
}

}  // namespace
}  // namespace quarten
