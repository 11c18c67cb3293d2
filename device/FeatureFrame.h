// One 8-byte command or answer frame and the layout of the reports that carry it.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace quarten {

// Report layout on the wire: byte 0 is the report ID (always 0), then the payload.
namespace wire {
inline constexpr std::size_t kFrameSize = 8;
inline constexpr std::size_t kChunkSize = 32;
inline constexpr std::size_t kFeatureBufferSize = 16;  // bounds FeatureReportByteLength
inline constexpr std::size_t kBlockBufferSize = 40;    // bounds Input/OutputReportByteLength
inline constexpr std::size_t kPayloadOffset = 1;
inline constexpr std::size_t kFeatureReportMinimum = kPayloadOffset + kFrameSize;  // 9
inline constexpr std::size_t kChunkReportMinimum = kPayloadOffset + kChunkSize;    // 33
inline constexpr std::uint8_t kReadBit = 0x80;
inline constexpr std::size_t kChecksumIndex = 7;
inline constexpr std::size_t kBlockLengthIndex = 2;  // data length L in a block header
static_assert(kFeatureReportMinimum <= kFeatureBufferSize);
static_assert(kChunkReportMinimum <= kBlockBufferSize);
}  // namespace wire

using FrameBytes = std::array<std::uint8_t, wire::kFrameSize>;
// Bytes 1..6 of the key take part in the transform; 0 and 7 are 0.
using ScramblerKey = std::array<std::uint8_t, 8>;

struct FeatureFrame {
    FrameBytes bytes{};

    std::uint8_t Opcode() const { return bytes[0]; }
    bool IsRead() const { return (bytes[0] & wire::kReadBit) != 0; }
    std::uint8_t& operator[](std::size_t i) { return bytes[i]; }
    std::uint8_t operator[](std::size_t i) const { return bytes[i]; }
};

// 0xFF minus the sum of bytes 0..6, so that all eight bytes sum to 0xFF modulo 256.
constexpr std::uint8_t Checksum(const FrameBytes& frame) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < wire::kChecksumIndex; ++i) sum += frame[i];
    return static_cast<std::uint8_t>(0xFF - (sum & 0xFF));
}

// Builds the key from six configured characters.
ScramblerKey MakeScramblerKey(std::span<const char, 6> characters);

}  // namespace quarten
