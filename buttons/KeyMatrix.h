// Builds the four key-matrix tables the device takes from the two layers in the image.
#pragma once

#include <array>
#include <cstddef>

#include "buttons/ButtonFunction.h"
#include "settings/DeviceSettings.h"

namespace quarten {

namespace key_matrix {
inline constexpr std::size_t kEntryCount = 16;
inline constexpr std::size_t kEntrySize = 4;
inline constexpr std::size_t kTableCount = 4;
inline constexpr std::size_t kModeATable = 0;  // table 1
inline constexpr std::size_t kModeBTable = 2;  // table 3
inline constexpr std::size_t kFixedEntry14 = 14;
inline constexpr std::size_t kFixedEntry15 = 15;
static_assert(kEntryCount * kEntrySize == std::tuple_size_v<KeyMatrixBytes>);
}  // namespace key_matrix

using KeyMatrices = std::array<KeyMatrixBytes, key_matrix::kTableCount>;

// Tables 1..4 as index 0..3. Entries 0..7 of tables 1 and 3 are the buttons of Mode A and
// Mode B, entries 14 and 15 there are fixed, everything else is zero.
KeyMatrices BuildKeyMatrices(const ImageBytes& image);

// Entry `entry` (0..15) of one table, for traces and tests.
ButtonFunction KeyMatrixEntry(const KeyMatrixBytes& table, std::size_t entry);

}  // namespace quarten
