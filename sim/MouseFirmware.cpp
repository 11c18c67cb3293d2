#include "sim/MouseFirmware.h"

#include <algorithm>
#include <string>

namespace quarten::sim {
namespace {

namespace op {
constexpr std::uint8_t kProbe = 0x00;
constexpr std::uint8_t kReportInterval = 0x01;
constexpr std::uint8_t kSensor = 0x03;
constexpr std::uint8_t kGroup = 0x07;
constexpr std::uint8_t kEffect = 0x0D;
constexpr std::uint8_t kColours = 0x10;
constexpr std::uint8_t kStages = 0x11;
constexpr std::uint8_t kKeyMatrix = 0x12;
constexpr std::uint8_t kMacroSlot = 0x13;
constexpr std::uint8_t kReadSensor = 0x83;
constexpr std::uint8_t kReadGroup = 0x87;
constexpr std::uint8_t kReadEffect = 0x8D;
constexpr std::uint8_t kReadMacroSlot = 0x93;
}  // namespace op

constexpr std::array<std::uint8_t, 4> kProbeSignature = {0xAA, 0xDD, 0x3B, 0x62};
constexpr std::int64_t kProbeWaitMicros = 5000;
constexpr std::int64_t kChunkGapMicros = 3000;

bool IsProbe(const FrameBytes& frame) {
    return frame[0] == op::kProbe &&
           std::equal(kProbeSignature.begin(), kProbeSignature.end(), frame.begin() + 1);
}

FrameBytes FrameOf(std::span<const std::uint8_t> report) {
    FrameBytes frame{};
    std::copy_n(report.begin() + wire::kPayloadOffset, frame.size(), frame.begin());
    return frame;
}

template <std::size_t N>
void CopyPrefix(const std::uint8_t* from, std::size_t length, std::array<std::uint8_t, N>& to) {
    std::copy_n(from, std::min(length, N), to.begin());
}

}  // namespace

MouseFirmware::MouseFirmware(const SimConfig& config)
    : variant_(config.variant), cipher_(config.key) {
    state_.sensor = {config.sensorType, config.rate, config.option1, config.option2};
    state_.effect = config.effect;
    state_.groups = config.groups;
}

void MouseFirmware::ReceiveFeature(std::span<const std::uint8_t> report, std::int64_t now) {
    const FrameBytes raw = FrameOf(report);
    const FrameBytes plain = variant_ == SimVariant::Scrambled ? cipher_.Unscramble(raw) : raw;
    const bool valid = HasValidChecksum(plain);
    Record(SimLogEntry::Kind::Set, now, report, plain, valid);

    // The host must wait before reading the probe back, whichever form it sends it in.
    if (IsProbe(raw) || (valid && IsProbe(plain))) {
        probeSetAt_ = now;
    } else {
        probeSetAt_.reset();
    }

    answer_.reset();
    switch (variant_) {
        case SimVariant::Silent:
            return;
        case SimVariant::PlainEcho:
            answer_ = raw;
            return;
        case SimVariant::Scrambled:
            break;
    }
    // A new frame ends any block whose chunks are still outstanding.
    AbandonBlock();
    if (!valid) {
        ++counters_.badFrames;
        return;
    }
    Execute(plain);
}

void MouseFirmware::Execute(const FrameBytes& f) {
    switch (f[0]) {
        case op::kProbe:
            answer_ = f;
            break;
        case op::kReportInterval:
            state_.reportInterval = f[1];
            break;
        case op::kSensor:
            std::copy_n(f.begin() + 1, state_.sensor.size(), state_.sensor.begin());
            break;
        case op::kGroup:
            if (f[1] < state_.groups.size()) {
                std::copy_n(f.begin() + 2, 3, state_.groups[f[1]].begin());
            }
            break;
        case op::kEffect:
            std::copy_n(f.begin() + 1, state_.effect.size(), state_.effect.begin());
            break;
        case op::kColours:
        case op::kStages:
        case op::kKeyMatrix:
        case op::kMacroSlot:
            StartBlock(f);
            break;
        case op::kReadSensor: {
            const auto& s = state_.sensor;
            answer_ = Sealed({op::kReadSensor, s[0], s[1], s[2], s[3], 0, 0, 0});
            break;
        }
        case op::kReadGroup: {
            // Unknown group numbers are answered with the number and empty bytes.
            std::array<std::uint8_t, 3> g{};
            if (f[1] < state_.groups.size()) g = state_.groups[f[1]];
            answer_ = Sealed({op::kReadGroup, f[1], g[0], g[1], g[2], 0, 0, 0});
            break;
        }
        case op::kReadEffect: {
            const auto& e = state_.effect;
            answer_ = Sealed({op::kReadEffect, e[0], e[1], e[2], 0, 0, 0, 0});
            break;
        }
        case op::kReadMacroSlot:
            QueueMacroSlot(f);
            break;
        default:
            break;  // unknown opcodes are taken without effect, like any write
    }
}

void MouseFirmware::StartBlock(const FrameBytes& header) {
    PendingBlock block;
    block.opcode = header[0];
    block.index = header[1];
    block.length = header[wire::kBlockLengthIndex];
    block.expected = (block.length + wire::kChunkSize - 1) / wire::kChunkSize;
    if (block.expected == 0) {
        CommitBlock(block);
    } else {
        block_ = block;
    }
}

void MouseFirmware::CommitBlock(const PendingBlock& b) {
    const std::uint8_t* data = b.data.data();
    switch (b.opcode) {
        case op::kColours:
            // Index 0 is a header-only preamble; index 1 carries the colour block.
            if (b.index == 1) CopyPrefix(data, b.length, state_.colourBlock);
            break;
        case op::kStages:
            state_.stageCount = b.index;
            CopyPrefix(data, b.length, state_.stageCodes);
            break;
        case op::kKeyMatrix:
            if (b.index >= 1 && b.index <= kKeyMatrixCount) {
                CopyPrefix(data, b.length, state_.keyMatrices[b.index - 1]);
            }
            break;
        case op::kMacroSlot:
            if (b.index >= 1 && b.index <= kMacroSlotCount) {
                CopyPrefix(data, b.length, state_.macroSlots[b.index - 1]);
            }
            break;
        default:
            break;
    }
}

void MouseFirmware::QueueMacroSlot(const FrameBytes& request) {
    // Each read starts afresh: chunks the host did not fetch from an earlier read are dropped.
    outgoing_.clear();
    const std::uint8_t slot = request[1];
    if (slot < 1 || slot > kMacroSlotCount) {
        answer_ = Sealed({op::kReadMacroSlot, slot, 0, 0, 0, 0, 0, 0});
        return;
    }
    const auto& data = state_.macroSlots[slot - 1];
    for (std::size_t offset = 0; offset < data.size(); offset += wire::kChunkSize) {
        Chunk chunk{};
        std::copy_n(data.begin() + offset, chunk.size(), chunk.begin());
        outgoing_.push_back(chunk);
    }
    answer_ = Sealed(
        {op::kReadMacroSlot, slot, static_cast<std::uint8_t>(kMacroSlotSize), 0, 0, 0, 0, 0});
}

void MouseFirmware::AbandonBlock() {
    if (block_) ++counters_.abandonedBlocks;
    block_.reset();
}

void MouseFirmware::AnswerFeature(std::span<std::uint8_t> report, std::int64_t now) {
    std::fill(report.begin(), report.end(), std::uint8_t{0});
    if (probeSetAt_) {
        CheckGap(PacingViolation::Kind::ProbeWait, *probeSetAt_, now, kProbeWaitMicros,
                 "probe read back");
        probeSetAt_.reset();
    }
    FrameBytes plain{};
    if (answer_) {
        plain = *answer_;
        const FrameBytes out = variant_ == SimVariant::Scrambled ? cipher_.Scramble(plain) : plain;
        std::copy(out.begin(), out.end(), report.begin() + wire::kPayloadOffset);
    }
    Record(SimLogEntry::Kind::Get, now, report, plain, answer_.has_value());
}

void MouseFirmware::ReceiveChunk(std::span<const std::uint8_t> report, std::int64_t now) {
    if (lastChunkAt_) {
        CheckGap(PacingViolation::Kind::ChunkGap, *lastChunkAt_, now, kChunkGapMicros,
                 "output chunk after the previous one");
    }
    lastChunkAt_ = now;

    // Only the real firmware follows block headers; the other variants take chunks blindly.
    const bool expected = variant_ == SimVariant::Scrambled && block_.has_value();
    Record(SimLogEntry::Kind::OutChunk, now, report, {}, expected);
    if (!expected) {
        if (variant_ == SimVariant::Scrambled) ++counters_.unexpectedChunks;
        return;
    }
    PendingBlock& block = *block_;
    std::copy_n(report.begin() + wire::kPayloadOffset, wire::kChunkSize,
                block.data.begin() + block.received * wire::kChunkSize);
    if (++block.received == block.expected) {
        CommitBlock(block);
        block_.reset();
    }
}

bool MouseFirmware::SendChunk(std::span<std::uint8_t> report, std::int64_t now) {
    std::fill(report.begin(), report.end(), std::uint8_t{0});
    if (outgoing_.empty()) return false;
    std::copy(outgoing_.front().begin(), outgoing_.front().end(),
              report.begin() + wire::kPayloadOffset);
    outgoing_.pop_front();
    Record(SimLogEntry::Kind::InChunk, now, report, {}, true);
    return true;
}

void MouseFirmware::PowerCycle() {
    answer_.reset();
    block_.reset();
    outgoing_.clear();
    probeSetAt_.reset();
    lastChunkAt_.reset();
}

void MouseFirmware::Record(SimLogEntry::Kind kind, std::int64_t now,
                           std::span<const std::uint8_t> report, const FrameBytes& frame, bool ok) {
    log_.push_back({kind, now, {report.begin(), report.end()}, frame, ok});
}

void MouseFirmware::CheckGap(PacingViolation::Kind kind, std::int64_t since, std::int64_t now,
                             std::int64_t required, const char* what) {
    const std::int64_t gap = now - since;
    if (gap >= required) return;
    ++counters_.pacingViolations;
    violations_.push_back({kind, now, gap, required,
                           std::string(what) + ": " + std::to_string(gap) + " us, needs " +
                               std::to_string(required) + " us"});
}

}  // namespace quarten::sim
