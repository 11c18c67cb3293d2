// The firmware's side of the frame transform and checksum, computed on one 64-bit word.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "device/FeatureFrame.h"

namespace quarten::sim {

// Frame byte 0 is the most significant byte of the word, byte 7 the least.
std::uint64_t PackFrame(const FrameBytes& frame);
FrameBytes UnpackFrame(std::uint64_t word);

// A valid frame's eight bytes sum to 0xFF modulo 256.
bool HasValidChecksum(const FrameBytes& frame);
// The frame with byte 7 set so that it becomes valid.
FrameBytes Sealed(FrameBytes frame);

class DeviceCipher {
public:
    explicit DeviceCipher(std::span<const char, 6> key);

    FrameBytes Scramble(const FrameBytes& plain) const;
    FrameBytes Unscramble(const FrameBytes& wire) const;

    std::uint64_t ScrambleWord(std::uint64_t plain) const;
    std::uint64_t UnscrambleWord(std::uint64_t wire) const;

private:
    std::uint64_t keyMask_ = 0;  // key characters in byte lanes 1..6, lanes 0 and 7 zero
};

}  // namespace quarten::sim
