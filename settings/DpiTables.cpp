#include "settings/DpiTables.h"

#include <array>

namespace quarten {
namespace {

struct SensorTable {
    std::array<std::string_view, 12> labels;
    std::array<std::uint8_t, 16> codes;  // type 0 is padded with zero codes to 16 entries
    int positions;
};

constexpr std::array<SensorTable, 4> kTables = {{
    {{"250", "500", "750", "1000", "1250", "1500", "1750", "2000", "2500", "3000", "3500",
      "4000"},
     {1, 2, 3, 4, 5, 6, 7, 8, 37, 38, 39, 40},
     12},
    {{"600", "800", "1000", "1200", "1600", "2000", "2400", "3200"},
     {1, 2, 3, 4, 5, 35, 36, 37},
     8},
    {{"250", "500", "750", "1000", "1250", "1500", "2000", "2500"},
     {2, 4, 6, 8, 10, 38, 40, 42},
     8},
    {{"400", "800", "1200", "1600", "2000", "2400", "2800", "3200"},
     {1, 2, 3, 4, 5, 6, 7, 8},
     8},
}};

}  // namespace

int DpiPositionCount(std::uint8_t sensorType) {
    return sensorType < kTables.size() ? kTables[sensorType].positions : kTables[0].positions;
}

std::string_view DpiLabel(std::uint8_t sensorType, std::uint8_t position) {
    if (sensorType >= kTables.size()) return {};
    const SensorTable& table = kTables[sensorType];
    return position < table.positions ? table.labels[position] : std::string_view{};
}

std::uint8_t DpiCode(std::uint8_t sensorType, std::uint8_t position) {
    if (sensorType >= kTables.size()) return 0;
    const SensorTable& table = kTables[sensorType];
    return position < table.codes.size() ? table.codes[position] : 0;
}

std::string_view DpiPageLabel(std::uint8_t sensorType, std::uint8_t position) {
    return DpiLabel(sensorType < kTables.size() ? sensorType : 0, position);
}

}  // namespace quarten
