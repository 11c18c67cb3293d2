// The English value lists of the lighting controls, by stored index.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quarten {

std::span<const std::string_view> LightModeNames();         // 0 "Off" .. 3 "Neon"
std::span<const std::string_view> EffectNames();            // 0 "Non-Disolay" .. 3
std::span<const std::string_view> StandardBrightnessTexts();  // "5%" .. "100%"
std::span<const std::string_view> RespirationSpeedTexts();    // "8S" .. "4S"
std::span<const std::string_view> NeonSpeedTexts();           // "0.5S" .. "15S"

// The parameter list of a light mode (1..3); empty for any other mode.
std::span<const std::string_view> LightParameterTexts(std::uint8_t lightMode);

// Text at an index, empty when the index is outside the list.
std::string_view TextAt(std::span<const std::string_view> list, std::size_t index);

// Report-rate positions 1..4 (125, 250, 500, 1000 Hz) and their intervals 8, 4, 2, 1.
std::uint8_t ReportIntervalOfPosition(int position);
// The marker position of an interval: 8, 4, 2 at their places, anything else at 1000 Hz.
int ReportRatePosition(std::uint8_t reportInterval);
int ReportRateHz(std::uint8_t reportInterval);  // 0 for an interval that is not 1, 2, 4, 8

}  // namespace quarten
