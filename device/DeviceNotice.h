// The notices the device link hands to the window: mouse events and found/missing.
#pragma once

#include <cstdint>

namespace quarten {

enum class DeviceNotice : int {
    ReportRate = 5,  // value: report interval in ms
    DpiStage = 7,    // value: stage 1..4
    KeyLayer = 8,    // value: 1 or 2
    Macro = 9,       // value: macro number
    Found = 14,
    Missing = 15,
};

class DeviceNoticeSink {
public:
    virtual ~DeviceNoticeSink() = default;
    virtual void OnDeviceNotice(DeviceNotice notice, std::uint32_t value) = 0;
};

}  // namespace quarten
