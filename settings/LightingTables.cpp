#include "settings/LightingTables.h"

#include <array>

namespace quarten {
namespace {

constexpr std::array<std::string_view, 4> kModes = {"Off", "Standard", "Respiration", "Neon"};
constexpr std::array<std::string_view, 4> kEffects = {"Non-Disolay", "RGB Effect", "RGB Flash",
                                                      "RGB Fixed On"};
constexpr std::array<std::string_view, 10> kBrightness = {"5%",  "15%", "25%", "35%", "45%",
                                                          "55%", "65%", "75%", "85%", "100%"};
constexpr std::array<std::string_view, 5> kRespiration = {"8S", "7S", "6S", "5S", "4S"};
constexpr std::array<std::string_view, 30> kNeon = {
    "0.5S",  "1S",  "1.5S",  "2S",  "2.5S",  "3S",  "3.5S",  "4S",  "4.5S",  "5S",
    "5.5S",  "6S",  "6.5S",  "7S",  "7.5S",  "8S",  "8.5S",  "9S",  "9.5S",  "10S",
    "10.5S", "11S", "11.5S", "12S", "12.5S", "13S", "13.5S", "14S", "14.5S", "15S"};
constexpr std::array<std::uint8_t, 4> kIntervals = {8, 4, 2, 1};

}  // namespace

std::span<const std::string_view> LightModeNames() { return kModes; }
std::span<const std::string_view> EffectNames() { return kEffects; }
std::span<const std::string_view> StandardBrightnessTexts() { return kBrightness; }
std::span<const std::string_view> RespirationSpeedTexts() { return kRespiration; }
std::span<const std::string_view> NeonSpeedTexts() { return kNeon; }

std::span<const std::string_view> LightParameterTexts(std::uint8_t lightMode) {
    switch (lightMode) {
        case 1: return kBrightness;
        case 2: return kRespiration;
        case 3: return kNeon;
        default: return {};
    }
}

std::string_view TextAt(std::span<const std::string_view> list, std::size_t index) {
    return index < list.size() ? list[index] : std::string_view{};
}

std::uint8_t ReportIntervalOfPosition(int position) {
    return position >= 1 && position <= 4 ? kIntervals[static_cast<std::size_t>(position - 1)] : 1;
}

int ReportRatePosition(std::uint8_t reportInterval) {
    for (std::size_t i = 0; i < 3; ++i) {
        if (kIntervals[i] == reportInterval) return static_cast<int>(i) + 1;
    }
    return 4;
}

int ReportRateHz(std::uint8_t reportInterval) {
    switch (reportInterval) {
        case 1: return 1000;
        case 2: return 500;
        case 4: return 250;
        case 8: return 125;
        default: return 0;
    }
}

}  // namespace quarten
