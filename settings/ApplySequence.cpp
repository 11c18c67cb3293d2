#include "settings/ApplySequence.h"

#include <algorithm>

#include "buttons/KeyMatrix.h"
#include "settings/DeviceCommands.h"
#include "settings/DpiTables.h"

namespace quarten {
namespace {

enum LightMode : std::uint8_t { kStandard = 1, kRespiration = 2, kNeon = 3 };

}  // namespace

void ComposeLighting(DeviceSettings& settings) {
    auto& effect = settings.buffers.effect;
    auto& group0 = settings.buffers.group[0];
    const std::uint8_t neonEffect = settings.At(layout::kNeonEffect);
    switch (settings.At(layout::kLightMode)) {
        case kStandard:
            effect[0] = 1;
            effect[1] = static_cast<std::uint8_t>(settings.At(layout::kStandardBrightness) + 1);
            effect[2] = 2;
            group0[0] = 1;
            break;
        case kRespiration:
            effect[0] = 2;
            effect[1] = static_cast<std::uint8_t>(settings.At(layout::kRespirationSpeed) + 1);
            effect[2] = 2;
            group0[0] = 1;
            break;
        case kNeon:
            effect[0] = 3;
            effect[1] = static_cast<std::uint8_t>(settings.At(layout::kNeonSpeed) + 1);
            if (neonEffect == 2) group0 = {2, 100, 10};
            if (neonEffect == 3) group0 = {3, 5, 5};
            break;
        default:
            break;  // an unset mode sends back what the mouse reported
    }
}

void ComposeDpiBlock(DeviceSettings& settings) {
    auto& buffers = settings.buffers;
    buffers.stageCount = layout::kStageCount;
    for (std::size_t i = 0; i < layout::kStageCount; ++i) {
        const std::uint8_t code = DpiCode(settings.sensorTypeSelector,
                                          settings.At(layout::kDpiLevel + i));
        const bool enabled = settings.At(layout::kDpiEnabled + i) != 0;
        buffers.stageCode[i] = enabled ? (code & 0x7F) : (code | 0x80);
    }
    std::fill(buffers.stageCode.begin() + layout::kStageCount, buffers.stageCode.end(), 0x80);
}

void SendSettings(CommandChannel& channel, DeviceSettings& settings) {
    DeviceCommands commands(channel, settings);
    auto& buffers = settings.buffers;

    commands.WriteReportInterval();

    commands.ReadEffect();
    commands.ReadGroups();
    ComposeLighting(settings);
    std::fill(buffers.colourBlock.begin(), buffers.colourBlock.end(), 0);
    std::copy_n(settings.image.begin() + layout::kDpiColour, 3 * layout::kStageCount,
                buffers.colourBlock.begin());
    commands.WriteColours();
    commands.WriteGroups();
    commands.WriteEffect();

    ComposeDpiBlock(settings);
    commands.WriteDpi();

    std::copy_n(settings.image.begin() + layout::kMacroArea, layout::kMacroAreaSize,
                buffers.macroBuffer.begin());
    commands.WriteMacros();
    commands.ReadMacros();

    buffers.keyMatrix = BuildKeyMatrices(settings.image);
    commands.WriteKeyMatrices();
}

void ConnectionReadBack(CommandChannel& channel, DeviceSettings& settings) {
    DeviceCommands commands(channel, settings);
    commands.ReadSensor();
    settings.sensorTypeSelector = settings.buffers.sensor[0];
    settings.buffers.sensor[3] |= 0x40;
    commands.WriteSensor();
}

}  // namespace quarten
