#include "device/DeviceEvent.h"

namespace quarten {

std::optional<DeviceEvent> DecodeDeviceEvent(std::span<const std::uint8_t> report) {
    if (report.size() < 4 || report[0] != kEventReportId) return std::nullopt;
    switch (report[1]) {
        case static_cast<std::uint8_t>(DeviceNotice::ReportRate):
        case static_cast<std::uint8_t>(DeviceNotice::DpiStage):
        case static_cast<std::uint8_t>(DeviceNotice::KeyLayer):
        case static_cast<std::uint8_t>(DeviceNotice::Macro):
            return DeviceEvent{static_cast<DeviceNotice>(report[1]), report[3]};
        default:
            return std::nullopt;
    }
}

}  // namespace quarten
