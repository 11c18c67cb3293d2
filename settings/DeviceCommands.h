// Every command sent to the mouse, each reading or writing the device buffers.
#pragma once

#include "device/CommandChannel.h"
#include "settings/DeviceSettings.h"

namespace quarten {

namespace opcode {
inline constexpr std::uint8_t kReportInterval = 0x01;
inline constexpr std::uint8_t kSensor = 0x03;
inline constexpr std::uint8_t kGroup = 0x07;
inline constexpr std::uint8_t kEffect = 0x0D;
inline constexpr std::uint8_t kColours = 0x10;
inline constexpr std::uint8_t kDpi = 0x11;
inline constexpr std::uint8_t kKeyMatrix = 0x12;
inline constexpr std::uint8_t kMacro = 0x13;
inline constexpr std::uint8_t kRead = 0x80;
}  // namespace opcode

class DeviceCommands {
public:
    DeviceCommands(CommandChannel& channel, DeviceSettings& settings)
        : channel_(channel), settings_(settings) {}

    void WriteReportInterval();
    void ReadSensor();
    void WriteSensor();
    void ReadGroups();
    void WriteGroups();
    void ReadEffect();
    void WriteEffect();
    void WriteColours();
    void WriteDpi();
    void WriteKeyMatrices();
    void WriteMacros();
    void ReadMacros();

private:
    CommandChannel& channel_;
    DeviceSettings& settings_;
};

}  // namespace quarten
