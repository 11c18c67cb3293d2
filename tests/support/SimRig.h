// A simulated mouse, a recording pacer on a shared fake clock, and a link to the mouse.
#pragma once

#include "BuildConfig.h"
#include "device/DeviceLink.h"
#include "sim/SimulatedMouse.h"
#include "tests/support/NoticeRecorder.h"
#include "tests/support/RecordingPacer.h"

namespace quarten::test {

inline ScramblerKey DefaultKey() {
    return MakeScramblerKey(std::span<const char, 6>(build::kDefaultScramblerKey, 6));
}

inline sim::SimConfig Clocked(sim::SimConfig config, FakeClock& clock) {
    config.nowMicros = [&clock] { return clock.NowMicros(); };
    return config;
}

struct SimRig {
    explicit SimRig(sim::SimConfig config = {})
        : mouse(Clocked(std::move(config), clock)), pacer(&clock), link(mouse, pacer, DefaultKey()) {
        link.SetNoticeSink(&notices);
    }
    // Discovery and handshake as at start-up; true when the mouse was accepted.
    bool Connect() {
        if (!link.FindDevice()) return false;
        link.Handshake();
        return link.Ready();
    }

    FakeClock clock;
    sim::SimulatedMouse mouse;
    RecordingPacer pacer;
    DeviceLink link;
    NoticeRecorder notices;
};

}  // namespace quarten::test
