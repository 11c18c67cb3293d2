// Frame checksum, scrambler and the exchange/block mechanics over a scripted connection.
#include <gtest/gtest.h>

#include <random>

#include "device/CommandChannel.h"
#include "device/ReportScrambler.h"
#include "tests/support/RecordingPacer.h"
#include "tests/support/ScriptedConnection.h"

namespace quarten {
namespace {

using test::ScriptedConnection;
using Kind = ScriptedConnection::Sent::Kind;

TEST(Checksum, MakesTheEightBytesSumToFF) {
    struct Case {
        FrameBytes frame;
        std::uint8_t checksum;
    };
    const Case cases[] = {
        {{0x00, 0xAA, 0xDD, 0x3B, 0x62, 0x00, 0x00, 0x00}, 0xDB},  // handshake probe
        {{0x83, 0, 0, 0, 0, 0, 0, 0}, 0x7C},
        {{0x8D, 0, 0, 0, 0, 0, 0, 0}, 0x72},
        {{0x10, 0x01, 0x18, 0, 0, 0, 0, 0}, 0xD6},
        {{0xFF, 0, 0, 0, 0, 0, 0, 0}, 0x00},  // bytes already sum to FF
        {{0x80, 0x7F, 0, 0, 0, 0, 0, 0x55}, 0x00},  // byte 7 does not count
        {{0, 0, 0, 0, 0, 0, 0, 0}, 0xFF},
    };
    for (const Case& c : cases) EXPECT_EQ(Checksum(c.frame), c.checksum);
}

TEST(ReportScrambler, UnscrambleUndoesScrambleForAnyFrameAndKey) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 2000; ++trial) {
        FrameBytes frame;
        ScramblerKey key;
        for (auto& b : frame) b = static_cast<std::uint8_t>(random());
        for (auto& b : key) b = static_cast<std::uint8_t>(random());
        FrameBytes work = frame;
        ReportScrambler::Scramble(work, key);
        ReportScrambler::Unscramble(work, key);
        ASSERT_EQ(work, frame) << "trial " << trial;
    }
}

TEST(ReportScrambler, IgnoresKeyBytesZeroAndSevenButUsesTheOthers) {
    const FrameBytes frame = {0x00, 0xAA, 0xDD, 0x3B, 0x62, 0x00, 0x00, 0xDB};
    ScramblerKey key = MakeScramblerKey(std::span<const char, 6>("abcdef", 6));
    FrameBytes reference = frame;
    ReportScrambler::Scramble(reference, key);
    EXPECT_NE(reference, frame);

    ScramblerKey outer = key;
    outer[0] = 0x5A;
    outer[7] = 0xC3;
    FrameBytes withOuter = frame;
    ReportScrambler::Scramble(withOuter, outer);
    EXPECT_EQ(withOuter, reference);

    for (std::size_t i = 1; i <= 6; ++i) {
        ScramblerKey changed = key;
        changed[i] ^= 0x01;
        FrameBytes other = frame;
        ReportScrambler::Scramble(other, changed);
        EXPECT_NE(other, reference) << "key byte " << i;
    }
}

class ChannelTest : public ::testing::Test {
protected:
    ChannelTest() : channel(pacer) { channel.Attach(&connection, {9, 33, 33}); }
    test::RecordingPacer pacer;
    ScriptedConnection connection;
    CommandChannel channel;
};

TEST_F(ChannelTest, WriteFrameRecomputesChecksumAndGetsNothing) {
    FeatureFrame frame{{0x01, 0x08, 0, 0, 0, 0, 0, 0x99}};
    EXPECT_TRUE(channel.SendFrame(frame));
    ASSERT_EQ(connection.log.size(), 1u);
    EXPECT_EQ(connection.log[0].report,
              (std::vector<std::uint8_t>{0x00, 0x01, 0x08, 0, 0, 0, 0, 0, 0xF6}));
    connection.failWrites = true;
    EXPECT_FALSE(channel.SendFrame(frame));
}

TEST_F(ChannelTest, ScrambledModeChecksumsThePlainFrameAndUnscramblesTheAnswer) {
    const ScramblerKey key = MakeScramblerKey(std::span<const char, 6>("Qv7rLm", 6));
    channel.SetScrambling(true, key);
    FrameBytes answer = {0x83, 0x02, 0x01, 0x33, 0x44, 0, 0, 0};
    answer[7] = Checksum(answer);
    FrameBytes wireAnswer = answer;
    ReportScrambler::Scramble(wireAnswer, key);
    std::vector<std::uint8_t> report = {0};
    report.insert(report.end(), wireAnswer.begin(), wireAnswer.end());
    connection.features.push_back(report);

    FeatureFrame frame{{0x83, 0, 0, 0, 0, 0, 0, 0}};
    channel.SendFrame(frame);
    EXPECT_EQ(frame.bytes, answer);
    ASSERT_EQ(connection.log.size(), 2u);
    FrameBytes sent;
    std::copy_n(connection.log[0].report.begin() + 1, 8, sent.begin());
    ReportScrambler::Unscramble(sent, key);
    EXPECT_EQ(sent, (FrameBytes{0x83, 0, 0, 0, 0, 0, 0, 0x7C}));
}

TEST_F(ChannelTest, MissingAnswerReadsAsZeroes) {
    FeatureFrame frame{{0x8D, 1, 2, 3, 4, 5, 6, 7}};
    channel.SendFrame(frame);
    EXPECT_EQ(frame.bytes, FrameBytes{});
}

TEST_F(ChannelTest, WriteBlockChunkCountFollowsTheLength) {
    struct Case {
        std::uint8_t length;
        std::size_t chunks;
    };
    const Case cases[] = {{0, 0}, {8, 1}, {24, 1}, {32, 1}, {33, 2}, {64, 2}, {128, 4}, {255, 8}};
    for (const Case& c : cases) {
        connection.log.clear();
        pacer.Clear();
        std::vector<std::uint8_t> data(256);
        for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i);
        FeatureFrame header{{0x13, 1, c.length, 0, 0, 0, 0, 0}};
        channel.TransferBlock(header, data);
        EXPECT_EQ(connection.Count(Kind::SetFeature), 1u) << int(c.length);
        ASSERT_EQ(connection.Count(Kind::WriteReport), c.chunks) << int(c.length);
        EXPECT_EQ(pacer.CountOf(3), static_cast<int>(c.chunks));
        for (std::size_t n = 0; n < c.chunks; ++n) {
            const auto& report = connection.log[1 + n].report;
            ASSERT_EQ(report.size(), 33u);
            EXPECT_EQ(report[0], 0);
            EXPECT_EQ(report[1], static_cast<std::uint8_t>(32 * n));
            EXPECT_EQ(report[32], static_cast<std::uint8_t>(32 * n + 31));
        }
    }
}

TEST_F(ChannelTest, ReadBlockCopiesWholeChunksAndNeverPastTheBuffer) {
    FrameBytes answer = {0x93, 0x05, 255, 0, 0, 0, 0, 0};
    std::vector<std::uint8_t> report = {0};
    report.insert(report.end(), answer.begin(), answer.end());
    connection.features.push_back(report);
    for (int n = 0; n < 8; ++n) {
        std::vector<std::uint8_t> chunk(33, static_cast<std::uint8_t>(0xA0 + n));
        chunk[0] = 0;
        connection.inputs.push_back(chunk);
    }
    std::vector<std::uint8_t> data(140, 0xEE);
    FeatureFrame header{{0x93, 0x05, 0, 0, 0, 0, 0, 0}};
    channel.TransferBlock(header, data);
    EXPECT_EQ(header[2], 255);
    EXPECT_EQ(connection.Count(Kind::ReadReport), 8u);  // all eight chunks leave the device
    EXPECT_EQ(data[0], 0xA0);
    EXPECT_EQ(data[127], 0xA3);
    EXPECT_EQ(data[128], 0xA4);
    EXPECT_EQ(data[139], 0xA4);  // the fifth chunk is cut at the end of the buffer
    EXPECT_EQ(pacer.Waits().size(), 0u);
}

TEST_F(ChannelTest, DetachedChannelFailsWritesAndCountsThem) {
    channel.Detach();
    FeatureFrame frame{{0x01, 1, 0, 0, 0, 0, 0, 0}};
    EXPECT_FALSE(channel.SendFrame(frame));
    std::vector<std::uint8_t> data(32);
    FeatureFrame header{{0x11, 4, 8, 0, 0, 0, 0, 0}};
    channel.TransferBlock(header, data);
    EXPECT_EQ(channel.FailedWrites(), 3);  // two headers, one chunk
}

}  // namespace
}  // namespace quarten
