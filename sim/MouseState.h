// What the simulated firmware holds and records, as tests inspect it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "device/FeatureFrame.h"

namespace quarten::sim {

inline constexpr std::size_t kColourBlockSize = 24;
inline constexpr std::size_t kStageCodeCount = 8;
inline constexpr std::size_t kKeyMatrixCount = 4;
inline constexpr std::size_t kKeyMatrixSize = 64;
inline constexpr std::size_t kMacroSlotCount = 12;
inline constexpr std::size_t kMacroSlotSize = 128;
static_assert(kKeyMatrixSize % wire::kChunkSize == 0);
static_assert(kMacroSlotSize % wire::kChunkSize == 0);

using Chunk = std::array<std::uint8_t, wire::kChunkSize>;

// The settings the firmware keeps; they survive unplugging, as the real mouse's flash does.
struct MouseState {
    std::uint8_t reportInterval = 0;
    std::array<std::uint8_t, 4> sensor{};  // sensorType, rate, option1, option2
    std::array<std::array<std::uint8_t, 3>, 2> groups{};
    std::array<std::uint8_t, 3> effect{};  // effect, option1, option2
    std::array<std::uint8_t, kColourBlockSize> colourBlock{};
    std::uint8_t stageCount = 0;
    std::array<std::uint8_t, kStageCodeCount> stageCodes{};
    std::array<std::array<std::uint8_t, kKeyMatrixSize>, kKeyMatrixCount> keyMatrices{};
    std::array<std::array<std::uint8_t, kMacroSlotSize>, kMacroSlotCount> macroSlots{};
};

struct SimLogEntry {
    enum class Kind { Set, Get, OutChunk, InChunk };
    Kind kind = Kind::Set;
    std::int64_t atMicros = 0;
    // The report exactly as it crossed the seam, report ID included.
    std::vector<std::uint8_t> wire;
    // Set: the frame as the firmware read it (unscrambled in the scrambled variant).
    // Get: the answer before scrambling; all zero when nothing was pending.
    FrameBytes frame{};
    // Set: the checksum held. Get: an answer was pending. OutChunk: a header expected it.
    bool ok = true;
};

struct PacingViolation {
    enum class Kind { ChunkGap, ProbeWait };
    Kind kind = Kind::ChunkGap;
    std::int64_t atMicros = 0;
    std::int64_t gapMicros = 0;
    std::int64_t requiredMicros = 0;
    std::string detail;
};

struct SimCounters {
    int badFrames = 0;         // checksum wrong after unscrambling, or frame too short
    int unexpectedChunks = 0;  // output chunks no header was waiting for
    int abandonedBlocks = 0;   // headers whose chunks stopped short of the announced length
    int pacingViolations = 0;
};

}  // namespace quarten::sim
