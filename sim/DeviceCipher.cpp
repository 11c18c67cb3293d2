#include "sim/DeviceCipher.h"

#include <bit>

namespace quarten::sim {
namespace {

constexpr std::uint64_t kLaneHigh = 0x8080808080808080ULL;
constexpr std::uint64_t kLaneLow7 = 0x7F7F7F7F7F7F7F7FULL;
constexpr std::uint64_t kOddLanes = 0x00FF00FF00FF00FFULL;
constexpr std::uint64_t kLowNibbles = 0x0F0F0F0F0F0F0F0FULL;

constexpr std::uint64_t PackBytes(const std::array<std::uint8_t, 8>& bytes) {
    std::uint64_t word = 0;
    for (std::uint8_t b : bytes) word = (word << 8) | b;
    return word;
}

constexpr std::uint64_t SwapNibbles(std::uint64_t word) {
    return ((word & kLowNibbles) << 4) | ((word >> 4) & kLowNibbles);
}

// The firmware's additive constant "PaLuvOdi", each byte with its nibbles exchanged.
constexpr std::uint64_t kAddend = SwapNibbles(PackBytes({'P', 'a', 'L', 'u', 'v', 'O', 'd', 'i'}));
static_assert(kAddend >> 56 == 0x05);     // 'P' = 0x50
static_assert((kAddend & 0xFF) == 0x96);  // 'i' = 0x69

// Byte lanes 0..3 trade places with 5, 4, 7, 6: exchange the two halves of the word, then
// the two bytes of every 16-bit lane. The exchange is its own inverse.
constexpr std::uint64_t SwapPairs(std::uint64_t word) {
    const std::uint64_t halves = std::rotl(word, 32);
    return ((halves & kOddLanes) << 8) | ((halves >> 8) & kOddLanes);
}

// Lane-wise addition and subtraction modulo 256 with no carry or borrow between lanes.
constexpr std::uint64_t AddLanes(std::uint64_t a, std::uint64_t b) {
    return ((a & kLaneLow7) + (b & kLaneLow7)) ^ ((a ^ b) & kLaneHigh);
}

constexpr std::uint64_t SubtractLanes(std::uint64_t a, std::uint64_t b) {
    return ((a | kLaneHigh) - (b & kLaneLow7)) ^ ((a ^ ~b) & kLaneHigh);
}

static_assert(AddLanes(0xFF01FF0000000000ULL, 0x0101010000000000ULL) == 0x0002000000000000ULL);
static_assert(SubtractLanes(0x0000000000000100ULL, 0x0000000000000001ULL) == 0x00000000000001FFULL);

}  // namespace

std::uint64_t PackFrame(const FrameBytes& frame) { return PackBytes(frame); }

FrameBytes UnpackFrame(std::uint64_t word) {
    FrameBytes frame{};
    for (std::size_t i = frame.size(); i-- > 0;) {
        frame[i] = static_cast<std::uint8_t>(word & 0xFF);
        word >>= 8;
    }
    return frame;
}

bool HasValidChecksum(const FrameBytes& frame) {
    std::uint8_t sum = 0;
    for (std::uint8_t b : frame) sum = static_cast<std::uint8_t>(sum + b);
    return sum == 0xFF;
}

FrameBytes Sealed(FrameBytes frame) {
    frame[wire::kChecksumIndex] = 0;
    std::uint8_t sum = 0;
    for (std::uint8_t b : frame) sum = static_cast<std::uint8_t>(sum + b);
    frame[wire::kChecksumIndex] = static_cast<std::uint8_t>(0xFF - sum);
    return frame;
}

DeviceCipher::DeviceCipher(std::span<const char, 6> key) {
    for (char c : key) keyMask_ = (keyMask_ << 8) | static_cast<std::uint8_t>(c);
    keyMask_ <<= 8;
}

std::uint64_t DeviceCipher::ScrambleWord(std::uint64_t word) const {
    word = SwapPairs(word) ^ keyMask_;
    return AddLanes(std::rotl(word, 3), kAddend);
}

std::uint64_t DeviceCipher::UnscrambleWord(std::uint64_t word) const {
    word = std::rotr(SubtractLanes(word, kAddend), 3);
    return SwapPairs(word ^ keyMask_);
}

FrameBytes DeviceCipher::Scramble(const FrameBytes& plain) const {
    return UnpackFrame(ScrambleWord(PackFrame(plain)));
}

FrameBytes DeviceCipher::Unscramble(const FrameBytes& wireBytes) const {
    return UnpackFrame(UnscrambleWord(PackFrame(wireBytes)));
}

}  // namespace quarten::sim
