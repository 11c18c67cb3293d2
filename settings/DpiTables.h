// Per sensor type: the DPI label shown for a slider position and the code sent for it.
#pragma once

#include <cstdint>
#include <string_view>

namespace quarten {

// Number of slider positions of a sensor type: 12 for type 0 and unknown types, else 8.
// The page draws and accepts this many, and the level kept in the image stays below it.
int DpiPositionCount(std::uint8_t sensorType);
// Empty for a sensor type above 3 or a position beyond the table.
std::string_view DpiLabel(std::uint8_t sensorType, std::uint8_t position);
// 0 for a sensor type above 3 or a position beyond the table.
std::uint8_t DpiCode(std::uint8_t sensorType, std::uint8_t position);
// What the DPI page shows: unknown sensor types use the labels of type 0.
std::string_view DpiPageLabel(std::uint8_t sensorType, std::uint8_t position);

}  // namespace quarten
