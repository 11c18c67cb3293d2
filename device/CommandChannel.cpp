#include "device/CommandChannel.h"

#include <algorithm>

#include "device/ReportScrambler.h"

namespace quarten {
namespace {

std::span<std::uint8_t, wire::kFrameSize> FramePart(std::span<std::uint8_t> report) {
    return report.subspan<wire::kPayloadOffset, wire::kFrameSize>();
}

std::size_t ChunkCount(std::uint8_t length) {
    return (length >> 5) + ((length & 31) != 0 ? 1 : 0);
}

}  // namespace

void CommandChannel::Attach(HidConnection* connection, ReportLengths lengths) {
    connection_ = connection;
    lengths_ = lengths;
}

void CommandChannel::SetScrambling(bool scrambled, const ScramblerKey& key) {
    scrambled_ = scrambled;
    key_ = key;
}

bool CommandChannel::PutFrame(const FeatureFrame& frame, bool scramble) {
    std::array<std::uint8_t, wire::kFeatureBufferSize> buffer{};
    FrameBytes plain = frame.bytes;
    plain[wire::kChecksumIndex] = Checksum(plain);
    std::copy(plain.begin(), plain.end(), buffer.begin() + wire::kPayloadOffset);
    if (scramble) ReportScrambler::Scramble(FramePart(buffer), key_);
    const std::size_t length = std::min<std::size_t>(lengths_.feature, buffer.size());
    const auto report = std::span<const std::uint8_t>(buffer.data(), length);
    if (observer_) {
        observer_->OnSet(plain, std::span(buffer).first(wire::kFeatureReportMinimum));
    }
    const bool sent = connection_ != nullptr && connection_->SetFeature(report);
    if (!sent) ++failedWrites_;
    return sent;
}

FeatureFrame CommandChannel::FetchFrame(bool unscramble) {
    std::array<std::uint8_t, wire::kFeatureBufferSize> buffer{};
    const std::size_t length = std::min<std::size_t>(lengths_.feature, buffer.size());
    const bool answered =
        connection_ != nullptr && connection_->GetFeature(std::span(buffer.data(), length));
    if (!answered) buffer.fill(0);  // a failed read leaves nothing the device did not say
    std::array<std::uint8_t, wire::kFeatureBufferSize> received = buffer;
    // Only an answer is unscrambled: unscrambled zeros would be bytes made up from the key.
    if (unscramble && answered) ReportScrambler::Unscramble(FramePart(buffer), key_);
    FeatureFrame answer;
    std::copy_n(buffer.begin() + wire::kPayloadOffset, wire::kFrameSize, answer.bytes.begin());
    if (observer_) {
        observer_->OnGet(answer.bytes, std::span(received).first(wire::kFeatureReportMinimum));
    }
    return answer;
}

bool CommandChannel::SendFrame(FeatureFrame& frame) {
    const bool sent = PutFrame(frame, scrambled_);
    if (!frame.IsRead()) return sent;
    frame = FetchFrame(scrambled_);
    return sent;
}

void CommandChannel::TransferBlock(FeatureFrame& header, std::span<std::uint8_t> data) {
    std::array<std::uint8_t, wire::kBlockBufferSize> buffer{};
    PutFrame(header, scrambled_);
    if (header.IsRead()) {
        header = FetchFrame(scrambled_);
        const std::size_t chunks = ChunkCount(header[wire::kBlockLengthIndex]);
        const std::size_t length = std::min<std::size_t>(lengths_.input, buffer.size());
        for (std::size_t n = 0; n < chunks; ++n) {
            buffer.fill(0);
            if (connection_ && !connection_->ReadReport(std::span(buffer.data(), length))) {
                buffer.fill(0);
            }
            const auto chunk = std::span(buffer).subspan(wire::kPayloadOffset, wire::kChunkSize);
            if (observer_) observer_->OnIn(chunk);
            const std::size_t at = n * wire::kChunkSize;
            if (at < data.size()) {
                std::copy_n(chunk.begin(), std::min(wire::kChunkSize, data.size() - at),
                            data.begin() + static_cast<std::ptrdiff_t>(at));
            }
        }
        return;
    }
    const std::size_t chunks = ChunkCount(header[wire::kBlockLengthIndex]);
    const std::size_t length = std::min<std::size_t>(lengths_.output, buffer.size());
    for (std::size_t n = 0; n < chunks; ++n) {
        buffer.fill(0);
        const std::size_t at = n * wire::kChunkSize;
        if (at < data.size()) {
            std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(at),
                        std::min(wire::kChunkSize, data.size() - at),
                        buffer.begin() + wire::kPayloadOffset);
        }
        if (observer_) observer_->OnOut(std::span(buffer).subspan(1, wire::kChunkSize));
        if (!connection_ || !connection_->WriteReport(std::span(buffer.data(), length))) {
            ++failedWrites_;
        }
        Wait(3);
    }
}

void CommandChannel::Wait(int milliseconds) {
    if (observer_) observer_->OnWait(milliseconds);
    pacer_.Wait(milliseconds);
}

}  // namespace quarten
