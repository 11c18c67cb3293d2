// The mouse's event reports: report ID 6, code in byte 1, value in byte 3.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "device/DeviceNotice.h"

namespace quarten {

inline constexpr std::uint8_t kEventReportId = 6;

struct DeviceEvent {
    DeviceNotice notice;
    std::uint32_t value;
};

// The notice an event report carries, or nothing for another report ID, an unknown code or
// a report too short to hold the value.
std::optional<DeviceEvent> DecodeDeviceEvent(std::span<const std::uint8_t> report);

// An input report written as hex bytes separated by blanks ("06 07 00 02"), as people give
// one to the simulated mouse. Nothing when a word is not one or two hex digits, or when
// there are no bytes or more than an event report holds (64).
std::optional<std::vector<std::uint8_t>> ParseReportBytes(std::string_view text);

}  // namespace quarten
