// The firmware's frame transform and checksum, against fixed vectors and the host's codec.
#include <gtest/gtest.h>

#include <random>

#include "device/ReportScrambler.h"
#include "sim/DeviceCipher.h"

namespace quarten::sim {
namespace {

struct Vector {
    std::array<char, 6> key;
    FrameBytes plain;
    FrameBytes wire;
};

// Worked out byte by byte from the four steps of the transform, independently of both codecs.
const Vector kVectors[] = {
    {{'Q', 'v', '7', 'r', 'L', 'm'},
     {0x00, 0xAA, 0xDD, 0x3B, 0x62, 0x00, 0x00, 0xDB},
     {0x06, 0xB3, 0x2D, 0x15, 0x29, 0x56, 0xFC, 0x7E}},
    {{'Q', 'v', '7', 'r', 'L', 'm'},
     {0x83, 0x02, 0x03, 0x04, 0x05, 0x00, 0x00, 0x6E},
     {0x07, 0xB6, 0x85, 0x12, 0xED, 0x6F, 0x8E, 0xAE}},
    {{'Q', 'v', '7', 'r', 'L', 'm'}, {}, {0x07, 0xA1, 0x75, 0x12, 0xF9, 0x57, 0xAE, 0x96}},
    {{'a', 'b', 'c', 'd', 'e', 'f'},
     {0x00, 0xAA, 0xDD, 0x3B, 0x62, 0x00, 0x00, 0xDB},
     {0x05, 0x33, 0x8F, 0x75, 0xDA, 0x1E, 0x34, 0x7E}},
    {{'a', 'b', 'c', 'd', 'e', 'f'},
     {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF},
     {0x64, 0x5A, 0x31, 0xC9, 0xA2, 0x14, 0x50, 0xC3}},
};

TEST(SimCipher, MatchesWorkedVectorsBothWays) {
    for (const Vector& v : kVectors) {
        const DeviceCipher cipher(v.key);
        EXPECT_EQ(cipher.Scramble(v.plain), v.wire);
        EXPECT_EQ(cipher.Unscramble(v.wire), v.plain);
    }
}

TEST(SimCipher, AgreesWithHostScramblerOnRandomFramesAndKeys) {
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 500; ++round) {
        std::array<char, 6> characters{};
        ScramblerKey hostKey{};
        for (std::size_t i = 0; i < 6; ++i) {
            characters[i] = static_cast<char>(byte(random));
            hostKey[i + 1] = static_cast<std::uint8_t>(characters[i]);
        }
        FrameBytes plain{};
        for (auto& b : plain) b = static_cast<std::uint8_t>(byte(random));

        const DeviceCipher cipher(characters);
        FrameBytes host = plain;
        ReportScrambler::Scramble(host, hostKey);
        const FrameBytes device = cipher.Scramble(plain);
        ASSERT_EQ(device, host) << "round " << round;

        // Each side must undo what the other produced.
        FrameBytes hostBack = device;
        ReportScrambler::Unscramble(hostBack, hostKey);
        EXPECT_EQ(hostBack, plain) << "round " << round;
        EXPECT_EQ(cipher.Unscramble(host), plain) << "round " << round;
    }
}

TEST(SimCipher, EveryKeyByteChangesTheWire) {
    const FrameBytes plain = {0x12, 0x01, 0x40, 0, 0, 0, 0, 0xAC};
    const std::array<char, 6> base = {'a', 'b', 'c', 'd', 'e', 'f'};
    const FrameBytes reference = DeviceCipher(base).Scramble(plain);
    for (std::size_t i = 0; i < base.size(); ++i) {
        std::array<char, 6> other = base;
        other[i] = static_cast<char>(other[i] ^ 0x01);
        EXPECT_NE(DeviceCipher(other).Scramble(plain), reference) << "key character " << i;
    }
}

TEST(SimCipher, PackingPutsByteZeroOnTop) {
    const FrameBytes frame = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    EXPECT_EQ(PackFrame(frame), 0x0123456789ABCDEFULL);
    EXPECT_EQ(UnpackFrame(0x0123456789ABCDEFULL), frame);
}

TEST(SimChecksum, SealsAndValidates) {
    struct Case {
        FrameBytes frame;  // byte 7 ignored by Sealed
        std::uint8_t checksum;
    };
    const Case cases[] = {
        {{0x00, 0xAA, 0xDD, 0x3B, 0x62, 0x00, 0x00, 0x00}, 0xDB},  // the probe
        {{0x83, 0, 0, 0, 0, 0, 0, 0x55}, 0x7C},
        {{0x8D, 0, 0, 0, 0, 0, 0, 0}, 0x72},
        {{0x13, 0x01, 0x80, 0, 0, 0, 0, 0}, 0x6B},
        {{0xF0, 0x0F, 0, 0, 0, 0, 0, 0x99}, 0x00},              // bytes 0..6 already sum to 0xFF
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0}, 0x06},  // sum wraps several times
    };
    for (const Case& c : cases) {
        const FrameBytes sealed = Sealed(c.frame);
        EXPECT_EQ(sealed[7], c.checksum);
        EXPECT_TRUE(HasValidChecksum(sealed));
        FrameBytes damaged = sealed;
        damaged[3] ^= 0x10;
        EXPECT_FALSE(HasValidChecksum(damaged));
        damaged = sealed;
        damaged[7] = static_cast<std::uint8_t>(damaged[7] + 1);
        EXPECT_FALSE(HasValidChecksum(damaged));
    }
}

}  // namespace
}  // namespace quarten::sim
