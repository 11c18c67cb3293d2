// Key-name and combination-modifier lookups.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "buttons/KeyNameTable.h"

namespace quarten {
namespace {

struct LookupCase {
    std::string name;
    std::uint8_t keyUsage;
    std::uint8_t modifierBit;
};

TEST(KeyNameLookup, ExactCaseSensitiveMatchesInBothTables) {
    const LookupCase cases[] = {
        {"A", 0x04, 0},
        {"Z", 0x1D, 0},
        {"1", 0x1E, 0},
        {"0", 0x27, 0},
        {"\\", 0x31, 0},
        {"Eurpo(Note 2)", 0x32, 0},
        {"`", 0x35, 0},
        {"F1", 0x3A, 0},
        {"F12", 0x45, 0},
        {"Prnt Scrn", 0x46, 0},
        {"Num 1", 0x59, 0},
        {"Num 5", 0x5D, 0},
        {"Num 0", 0x62, 0},
        {"Num Del", 0x63, 0},
        {"Ctrl", 0xE0, 0},
        {"ctrl", 0, 0},
        {"Ctrl ", 0, 0},
        {"Left Ctrl", 0, 0x01},
        {"Left Win", 0, 0x08},
        {"Left Windows", 0xE3, 0},
        {"Right Ctrl", 0xE4, 0x10},
        {"Right Shift", 0xE5, 0x20},
        {"Right Alt", 0xE6, 0x40},
        {"Right Win", 0, 0x80},
        {"Right Windows", 0xE7, 0},
        {"L-CTRL", 0, 0},
        {"L-Button", 0xF0, 0},
        {"M-Button", 0xF2, 0},
        {"Application", 0, 0},
        {"", 0, 0},
    };
    for (const LookupCase& c : cases) {
        EXPECT_EQ(KeyUsageFromName(c.name), c.keyUsage) << '"' << c.name << '"';
        EXPECT_EQ(ModifierBitFromName(c.name), c.modifierBit) << '"' << c.name << '"';
    }
}

// The table is in usage order with one name per usage; a transposed or repeated row would
// break one of these.
TEST(KeyNameTable, NamesAreUniqueAndUsagesRiseInTableOrder) {
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < kKeyNameTable.size(); ++i) {
        EXPECT_TRUE(names.insert(kKeyNameTable[i].name).second) << kKeyNameTable[i].name;
        if (i > 0) {
            EXPECT_LT(kKeyNameTable[i - 1].value, kKeyNameTable[i].value) << i;
        }
        EXPECT_EQ(KeyUsageFromName(kKeyNameTable[i].name), kKeyNameTable[i].value);
    }
    EXPECT_EQ(kKeyNameTable.front().value, 0x04);
    EXPECT_EQ(kKeyNameTable[95].value, 0x63);  // last keypad key, then the modifiers
    EXPECT_EQ(kKeyNameTable[96].value, 0xE0);
    EXPECT_EQ(kKeyNameTable.back().value, 0xF2);
}

TEST(ComboModifierTable, OneBitPerPositionInListOrder) {
    for (std::size_t i = 0; i < kComboModifierTable.size(); ++i) {
        EXPECT_EQ(kComboModifierTable[i].value, 1u << i) << kComboModifierTable[i].name;
    }
}

}  // namespace
}  // namespace quarten
