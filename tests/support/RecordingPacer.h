// Test pacer: records every wait and advances a fake clock instead of sleeping.
#pragma once

#include <cstdint>
#include <vector>

#include "device/Pacer.h"

namespace quarten::test {

class FakeClock {
public:
    std::int64_t NowMicros() const { return micros_; }
    void Advance(std::int64_t micros) { micros_ += micros; }

private:
    std::int64_t micros_ = 1'000'000;
};

class RecordingPacer : public Pacer {
public:
    explicit RecordingPacer(FakeClock* clock = nullptr) : clock_(clock) {}
    void Wait(int milliseconds) override;
    const std::vector<int>& Waits() const { return waits_; }
    int CountOf(int milliseconds) const;
    void Clear() { waits_.clear(); }

private:
    FakeClock* clock_;
    std::vector<int> waits_;
};

}  // namespace quarten::test
