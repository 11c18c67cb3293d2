// Plays the host's side against the simulated mouse with hand-built reports.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "sim/DeviceCipher.h"
#include "sim/SimulatedMouse.h"
#include "tests/support/RecordingPacer.h"

namespace quarten::sim::test {

inline constexpr std::array<char, 6> kTestKey = {'a', 'b', 'c', 'd', 'e', 'f'};
inline constexpr FrameBytes kProbe = {0x00, 0xAA, 0xDD, 0x3B, 0x62, 0x00, 0x00, 0xDB};
// kProbe scrambled with kTestKey, worked out by hand from the transform's steps.
inline constexpr FrameBytes kScrambledProbe = {0x05, 0x33, 0x8F, 0x75, 0xDA, 0x1E, 0x34, 0x7E};

using FeatureReport = std::array<std::uint8_t, 9>;
using ChunkReport = std::array<std::uint8_t, 33>;

inline SimConfig TestConfig(quarten::test::FakeClock& clock) {
    SimConfig config;
    config.key = kTestKey;
    config.nowMicros = [&clock] { return clock.NowMicros(); };
    return config;
}

inline FeatureReport ReportOf(const FrameBytes& frame) {
    FeatureReport report{};
    std::copy(frame.begin(), frame.end(), report.begin() + 1);
    return report;
}

inline FrameBytes FrameIn(const FeatureReport& report) {
    FrameBytes frame{};
    std::copy(report.begin() + 1, report.end(), frame.begin());
    return frame;
}

class SimHost {
public:
    explicit SimHost(SimulatedMouse& mouse) : cipher_(kTestKey) {
        OpenError error = OpenError::Other;
        connection_ = mouse.Open("sim://quarten/0", error);
        EXPECT_EQ(error, OpenError::None);
    }

    HidConnection& Connection() { return *connection_; }

    // Sends the frame exactly as given, no checksum or scrambling added.
    bool SetRaw(const FrameBytes& frame) {
        const FeatureReport report = ReportOf(frame);
        return connection_->SetFeature(report);
    }
    FrameBytes GetRaw() {
        FeatureReport report{};
        connection_->GetFeature(report);
        return FrameIn(report);
    }

    // Seals and scrambles the way the real host does.
    bool Set(const FrameBytes& plain) { return SetRaw(cipher_.Scramble(Sealed(plain))); }
    FrameBytes Get() { return cipher_.Unscramble(GetRaw()); }
    FrameBytes Exchange(const FrameBytes& plain) {
        Set(plain);
        return Get();
    }

    bool WriteChunk(const Chunk& data) {
        ChunkReport report{};
        std::copy(data.begin(), data.end(), report.begin() + 1);
        return connection_->WriteReport(report);
    }
    std::optional<Chunk> ReadChunk() {
        ChunkReport report{};
        report.fill(0xEE);
        if (!connection_->ReadReport(report)) {
            EXPECT_TRUE(std::all_of(report.begin(), report.end(), [](auto b) { return b == 0; }));
            return std::nullopt;
        }
        EXPECT_EQ(report[0], 0);
        Chunk chunk{};
        std::copy(report.begin() + 1, report.end(), chunk.begin());
        return chunk;
    }

    // Header, then the data in 32-byte chunks, 3 ms apart on the fake clock.
    template <std::size_t N>
    void WriteBlock(const FrameBytes& header, const std::array<std::uint8_t, N>& data,
                    quarten::test::FakeClock& clock) {
        Set(header);
        for (std::size_t offset = 0; offset < N; offset += 32) {
            Chunk chunk{};
            std::copy_n(data.begin() + offset, std::min<std::size_t>(32, N - offset),
                        chunk.begin());
            WriteChunk(chunk);
            clock.Advance(3000);
        }
    }

private:
    DeviceCipher cipher_;
    std::unique_ptr<HidConnection> connection_;
};

template <std::size_t N>
std::array<std::uint8_t, N> Pattern(std::uint8_t seed) {
    std::array<std::uint8_t, N> bytes{};
    for (std::size_t i = 0; i < N; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    return bytes;
}

}  // namespace quarten::sim::test
