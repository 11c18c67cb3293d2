// The in-memory settings record: stored image, snapshot, device buffers and sensor type.
#pragma once

#include <array>
#include <cstdint>

#include "settings/SettingsLayout.h"

namespace quarten {

using ImageBytes = std::array<std::uint8_t, layout::kImageSize>;
using KeyMatrixBytes = std::array<std::uint8_t, 64>;

// Payload mirrors of the device commands, rebuilt by Apply or filled by read commands.
struct DeviceBuffers {
    std::array<std::uint8_t, 4> sensor{};  // sensorType, rate, option1, option2
    std::array<std::array<std::uint8_t, 3>, 2> group{};
    std::array<std::uint8_t, 3> effect{};  // effect, option1, option2
    std::array<std::uint8_t, 24> colourBlock{};
    std::uint8_t stageCount = 0;
    std::array<std::uint8_t, 8> stageCode{};
    std::array<KeyMatrixBytes, 4> keyMatrix{};
    std::array<std::uint8_t, layout::kMacroAreaSize> macroBuffer{};
};

struct DeviceSettings {
    ImageBytes image{};      // what the pages edit and config.bin stores
    ImageBytes snapshot{};   // the image as last applied; Cancel restores it
    DeviceBuffers buffers;
    std::uint8_t sensorTypeSelector = 0;  // sensor type seen at connection; picks DPI tables
    std::uint8_t firstRunFlag = 0;        // byte 0 of config.bin as loaded

    std::uint8_t& At(std::size_t offset) { return image[offset]; }
    std::uint8_t At(std::size_t offset) const { return image[offset]; }
    void TakeSnapshot() { snapshot = image; }
    void RestoreSnapshot() { image = snapshot; }
};

}  // namespace quarten
