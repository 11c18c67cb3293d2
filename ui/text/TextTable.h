// The per-language text tables behind UiText; internal to ui/text.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "ui/text/TextSlot.h"

namespace quarten::text_tables {

struct TextEntry {
    TextSlot slot;
    std::string_view text;
};

using TextTable = std::array<TextEntry, kSlotCount>;

// Each table names its slots so a misplaced line shows at compile time, not on screen.
consteval bool InSlotOrder(const TextTable& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (static_cast<std::size_t>(table[i].slot) != i || table[i].text.empty()) {
            return false;
        }
    }
    return true;
}

const TextTable& English();
const TextTable& SimplifiedChinese();
const TextTable& TraditionalChinese();

// The maker's address: shown and opened as it is, the same in every language.
inline constexpr std::string_view kWebAddress = "www.quarten-gaming.com";

}  // namespace quarten::text_tables
