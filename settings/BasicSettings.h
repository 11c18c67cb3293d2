// The edits of the basic settings page on the stored image: report rate, DPI stages,
// lighting. The window calls these and redraws from the image.
#pragma once

#include <array>
#include <cstdint>

#include "settings/DeviceSettings.h"

namespace quarten {

// Position 1..4 = 125, 250, 500, 1000 Hz.
void SelectReportRate(DeviceSettings& settings, int position);
// Switches stage 1..4 on, or off when another stage stays on; false when nothing changed.
bool ToggleStage(DeviceSettings& settings, int stage);
// Slider segment 1..12 of stage 1..4; segments beyond the sensor's positions are refused.
bool SetStageLevel(DeviceSettings& settings, int stage, int segment);
// Only a stage that is on takes a colour; false otherwise.
bool SetStageColour(DeviceSettings& settings, int stage, std::array<std::uint8_t, 3> rgb);
bool StageEnabled(const DeviceSettings& settings, int stage);
// Mode list index 0..2 = Standard, Respiration, Neon. Standard and Respiration also get
// their one effect, "RGB Effect", stored.
void SelectLightMode(DeviceSettings& settings, int index);
// A press on the effect box of Standard or Respiration: stores "RGB Effect" (no list opens).
void SelectSingleEffect(DeviceSettings& settings);
// Index into the current mode's parameter list; ignored without a mode.
void SelectLightParameter(DeviceSettings& settings, int index);
// Neon effect list index 0..1 = RGB Flash, RGB Fixed On.
void SelectNeonEffect(DeviceSettings& settings, int index);
// The stored parameter index of the current mode (0 without a mode).
std::uint8_t LightParameterIndex(const DeviceSettings& settings);
// The effect the current mode has: 1 "RGB Effect" for Standard and Respiration whatever an
// old file stored (it is what Apply sends), the stored neon effect for Neon, 0 without a mode.
std::uint8_t LightEffectIndex(const DeviceSettings& settings);

}  // namespace quarten
