// Collects the notices a device link or listener hands over, in order.
#pragma once

#include <mutex>
#include <utility>
#include <vector>

#include "device/DeviceNotice.h"

namespace quarten::test {

class NoticeRecorder : public DeviceNoticeSink {
public:
    void OnDeviceNotice(DeviceNotice notice, std::uint32_t value) override {
        std::lock_guard lock(mutex_);
        notices_.emplace_back(static_cast<int>(notice), value);
    }
    std::vector<std::pair<int, std::uint32_t>> Notices() const {
        std::lock_guard lock(mutex_);
        return notices_;
    }
    std::vector<int> Codes() const {
        std::vector<int> codes;
        for (const auto& [code, value] : Notices()) codes.push_back(code);
        return codes;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::pair<int, std::uint32_t>> notices_;
};

}  // namespace quarten::test
