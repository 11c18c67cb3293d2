#include "device/ReportScrambler.h"

namespace quarten {
namespace {

// Additive table, one byte per position, with its two nibbles exchanged before use.
constexpr std::array<std::uint8_t, 8> kAdditive = {'P', 'a', 'L', 'u', 'v', 'O', 'd', 'i'};

constexpr std::uint8_t SwapNibbles(std::uint8_t t) {
    return static_cast<std::uint8_t>((t << 4) | (t >> 4));
}

void SwapPairs(std::span<std::uint8_t, 8> d) {
    std::swap(d[0], d[5]);
    std::swap(d[1], d[4]);
    std::swap(d[2], d[7]);
    std::swap(d[3], d[6]);
}

void XorKey(std::span<std::uint8_t, 8> d, const ScramblerKey& key) {
    for (std::size_t i = 1; i <= 6; ++i) d[i] ^= key[i];
}

}  // namespace

void ReportScrambler::Scramble(std::span<std::uint8_t, 8> d, const ScramblerKey& key) {
    SwapPairs(d);
    XorKey(d, key);
    const FrameBytes before = {d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7]};
    for (std::size_t i = 0; i < 8; ++i) {
        d[i] = static_cast<std::uint8_t>((before[i] << 3) | (before[(i + 1) % 8] >> 5));
    }
    for (std::size_t i = 0; i < 8; ++i) {
        d[i] = static_cast<std::uint8_t>(d[i] + SwapNibbles(kAdditive[i]));
    }
}

void ReportScrambler::Unscramble(std::span<std::uint8_t, 8> d, const ScramblerKey& key) {
    for (std::size_t i = 0; i < 8; ++i) {
        d[i] = static_cast<std::uint8_t>(d[i] - SwapNibbles(kAdditive[i]));
    }
    const FrameBytes before = {d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7]};
    for (std::size_t i = 0; i < 8; ++i) {
        d[i] = static_cast<std::uint8_t>((before[i] >> 3) | (before[(i + 7) % 8] << 5));
    }
    XorKey(d, key);
    SwapPairs(d);
}

ScramblerKey MakeScramblerKey(std::span<const char, 6> characters) {
    ScramblerKey key{};
    for (std::size_t i = 0; i < 6; ++i) key[i + 1] = static_cast<std::uint8_t>(characters[i]);
    return key;
}

}  // namespace quarten
