// Key names to HID Keyboard/Keypad usages, and combination-modifier names to modifier bits.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quarten {

struct KeyNameEntry {
    std::string_view name;
    std::uint8_t value;
};

// The names key capture delivers on an English layout, in table order. The last three entries
// name mouse buttons and carry their mouse code.
extern const std::array<KeyNameEntry, 107> kKeyNameTable;

// The combination dialog's modifier list, in list order, with its modifier bit.
extern const std::array<KeyNameEntry, 8> kComboModifierTable;

// Exact, case-sensitive, first match in table order; a name that matches nothing gives 0.
std::uint8_t KeyUsageFromName(std::string_view name);
std::uint8_t ModifierBitFromName(std::string_view name);

}  // namespace quarten
