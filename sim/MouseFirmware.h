// The mouse's firmware: answers feature reports, takes and sends data chunks, keeps settings.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "sim/DeviceCipher.h"
#include "sim/MouseState.h"
#include "sim/SimConfig.h"

namespace quarten::sim {

// Not thread-safe: SimulatedMouse serialises every call. Reports start with the report ID;
// the caller has checked that they are long enough for a frame or a chunk.
class MouseFirmware {
public:
    explicit MouseFirmware(const SimConfig& config);

    void ReceiveFeature(std::span<const std::uint8_t> report, std::int64_t now);
    void AnswerFeature(std::span<std::uint8_t> report, std::int64_t now);
    void ReceiveChunk(std::span<const std::uint8_t> report, std::int64_t now);
    // False, with the report zeroed, when no input chunk is waiting.
    bool SendChunk(std::span<std::uint8_t> report, std::int64_t now);
    // Power loss: exchanges in flight are forgotten, stored settings are kept.
    void PowerCycle();

    const MouseState& State() const { return state_; }
    const std::vector<SimLogEntry>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    const SimCounters& Counters() const { return counters_; }
    const std::vector<PacingViolation>& Violations() const { return violations_; }

private:
    struct PendingBlock {
        std::uint8_t opcode = 0;
        std::uint8_t index = 0;
        std::uint8_t length = 0;
        std::size_t expected = 0;
        std::size_t received = 0;
        std::array<std::uint8_t, 8 * wire::kChunkSize> data{};
    };

    void Execute(const FrameBytes& frame);
    void StartBlock(const FrameBytes& header);
    void CommitBlock(const PendingBlock& block);
    void QueueMacroSlot(const FrameBytes& request);
    void AbandonBlock();
    void Record(SimLogEntry::Kind kind, std::int64_t now, std::span<const std::uint8_t> report,
                const FrameBytes& frame, bool ok);
    void CheckGap(PacingViolation::Kind kind, std::int64_t since, std::int64_t now,
                  std::int64_t required, const char* what);

    SimVariant variant_;
    DeviceCipher cipher_;
    MouseState state_;
    // Scrambled: the plain answer to scramble at the next get. PlainEcho: the last set's bytes.
    // Both stay until the next set, so repeated gets read the same answer.
    std::optional<FrameBytes> answer_;
    std::optional<PendingBlock> block_;
    std::deque<Chunk> outgoing_;
    std::optional<std::int64_t> probeSetAt_;
    std::optional<std::int64_t> lastChunkAt_;
    std::vector<SimLogEntry> log_;
    SimCounters counters_;
    std::vector<PacingViolation> violations_;
};

}  // namespace quarten::sim
