#include "device/DeviceEvent.h"

#include <charconv>

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

std::optional<std::vector<std::uint8_t>> ParseReportBytes(std::string_view text) {
    constexpr std::size_t kMaxReport = 64;
    std::vector<std::uint8_t> bytes;
    std::size_t at = 0;
    while (true) {
        at = text.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) break;
        const std::size_t end = std::min(text.find_first_of(" \t", at), text.size());
        const std::string_view word = text.substr(at, end - at);
        unsigned value = 0;
        const auto [rest, error] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
        if (word.size() > 2 || error != std::errc() || rest != word.data() + word.size()) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(value));
        at = end;
    }
    if (bytes.empty() || bytes.size() > kMaxReport) return std::nullopt;
    return bytes;
}

}  // namespace quarten
