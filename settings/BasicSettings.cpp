#include "settings/BasicSettings.h"

#include "settings/DpiTables.h"
#include "settings/LightingTables.h"

namespace quarten {
namespace {

// "RGB Effect", the one effect of Standard and Respiration.
constexpr std::uint8_t kSingleEffect = 1;

bool ValidStage(int stage) { return stage >= 1 && stage <= static_cast<int>(layout::kStageCount); }

std::size_t ParameterOffset(std::uint8_t mode) {
    switch (mode) {
        case 1: return layout::kStandardBrightness;
        case 2: return layout::kRespirationSpeed;
        case 3: return layout::kNeonSpeed;
        default: return 0;
    }
}

std::size_t EffectOffset(std::uint8_t mode) {
    switch (mode) {
        case 1: return layout::kStandardEffect;
        case 2: return layout::kRespirationEffect;
        case 3: return layout::kNeonEffect;
        default: return 0;
    }
}

}  // namespace

void SelectReportRate(DeviceSettings& settings, int position) {
    if (position < 1 || position > 4) return;
    settings.At(layout::kReportInterval) = ReportIntervalOfPosition(position);
}

bool StageEnabled(const DeviceSettings& settings, int stage) {
    return ValidStage(stage) && settings.At(layout::kDpiEnabled + stage - 1) == 1;
}

bool ToggleStage(DeviceSettings& settings, int stage) {
    if (!ValidStage(stage)) return false;
    std::uint8_t& enabled = settings.At(layout::kDpiEnabled + stage - 1);
    if (enabled == 0) {
        enabled = 1;
        return true;
    }
    for (int other = 1; other <= static_cast<int>(layout::kStageCount); ++other) {
        if (other != stage && StageEnabled(settings, other)) {
            enabled = 0;
            return true;
        }
    }
    return false;  // the last stage that is on stays on
}

bool SetStageLevel(DeviceSettings& settings, int stage, int segment) {
    if (!ValidStage(stage) || segment < 1) return false;
    if (segment > DpiPositionCount(settings.sensorTypeSelector)) return false;
    settings.At(layout::kDpiLevel + stage - 1) = static_cast<std::uint8_t>(segment - 1);
    return true;
}

bool SetStageColour(DeviceSettings& settings, int stage, std::array<std::uint8_t, 3> rgb) {
    if (!StageEnabled(settings, stage)) return false;
    for (std::size_t c = 0; c < 3; ++c) settings.At(layout::kDpiColour + 3 * (stage - 1) + c) = rgb[c];
    return true;
}

void SelectLightMode(DeviceSettings& settings, int index) {
    if (index < 0 || index > 2) return;
    const auto mode = static_cast<std::uint8_t>(index + 1);
    settings.At(layout::kLightMode) = mode;
    // Standard and Respiration have one effect, the one Apply sends; the stored caption
    // index says so too, so the file never names another.
    if (mode != 3) settings.At(EffectOffset(mode)) = kSingleEffect;
}

void SelectSingleEffect(DeviceSettings& settings) {
    const std::uint8_t mode = settings.At(layout::kLightMode);
    if (mode == 1 || mode == 2) settings.At(EffectOffset(mode)) = kSingleEffect;
}

void SelectLightParameter(DeviceSettings& settings, int index) {
    const std::uint8_t mode = settings.At(layout::kLightMode);
    const auto list = LightParameterTexts(mode);
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return;
    settings.At(ParameterOffset(mode)) = static_cast<std::uint8_t>(index);
}

void SelectNeonEffect(DeviceSettings& settings, int index) {
    if (index < 0 || index > 1) return;
    settings.At(layout::kNeonEffect) = static_cast<std::uint8_t>(index + 2);
}

std::uint8_t LightParameterIndex(const DeviceSettings& settings) {
    const std::size_t offset = ParameterOffset(settings.At(layout::kLightMode));
    return offset ? settings.At(offset) : 0;
}

std::uint8_t LightEffectIndex(const DeviceSettings& settings) {
    const std::uint8_t mode = settings.At(layout::kLightMode);
    if (mode == 1 || mode == 2) return kSingleEffect;
    const std::size_t offset = EffectOffset(mode);
    return offset ? settings.At(offset) : 0;
}

}  // namespace quarten
