// The reversible transform that hides frames on the wire in scrambled mode.
#pragma once

#include "device/FeatureFrame.h"

namespace quarten {

class ReportScrambler {
public:
    static void Scramble(std::span<std::uint8_t, wire::kFrameSize> frame, const ScramblerKey& key);
    static void Unscramble(std::span<std::uint8_t, wire::kFrameSize> frame,
                           const ScramblerKey& key);
};

}  // namespace quarten
