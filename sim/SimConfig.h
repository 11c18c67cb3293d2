// How the simulated mouse presents itself and what its firmware answers.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "BuildConfig.h"
#include "device/FeatureFrame.h"

namespace quarten::sim {

enum class SimVariant {
    Scrambled,  // the real firmware: scrambled frames, checksums checked, answers scrambled
    PlainEcho,  // answers every get with the last set's bytes as they came (must be refused)
    Silent,     // every get reads zeros and nothing is stored
};

// Report lengths as the HID layer announces them, report-ID byte included.
struct CollectionLengths {
    std::uint16_t feature = 0;
    std::uint16_t input = 0;
    std::uint16_t output = 0;
};

inline std::array<char, 6> DefaultKeyCharacters() {
    std::array<char, 6> key{};
    for (std::size_t i = 0; i < key.size(); ++i) key[i] = build::kDefaultScramblerKey[i];
    return key;
}

struct SimConfig {
    SimVariant variant = SimVariant::Scrambled;
    std::string path = "sim://quarten/0";
    std::uint16_t vendorId = 0x04D9;
    std::uint16_t productId = 0xA09F;
    std::uint16_t version = 0x0100;

    CollectionLengths command{9, 33, 33};
    CollectionLengths event{0, 9, 0};
    // The real mouse lists the event collection first; the host must cope with either order.
    bool eventAfterCommand = false;
    // A generic mouse collection (page 0x0001, usage 0x0002) listed before the vendor ones.
    bool extraMouseCollection = false;

    std::array<char, 6> key = DefaultKeyCharacters();

    // Power-on state the read commands answer until the host writes something else.
    std::uint8_t sensorType = 1;
    std::uint8_t rate = 0x01;
    std::uint8_t option1 = 0x00;
    std::uint8_t option2 = 0x00;
    std::array<std::uint8_t, 3> effect = {1, 5, 2};
    std::array<std::array<std::uint8_t, 3>, 2> groups = {{{1, 0, 0}, {0, 0, 0}}};

    // Time source for the pacing checks; a steady clock when left empty.
    std::function<std::int64_t()> nowMicros;
};

// A simulated mouse built for the host's configured key speaks with that key.
inline void UseHostKey(SimConfig& config, const ScramblerKey& key) {
    for (std::size_t i = 0; i < config.key.size(); ++i) {
        config.key[i] = static_cast<char>(key[i + 1]);
    }
}

}  // namespace quarten::sim
