#include "settings/DeviceCommands.h"

#include <algorithm>

#include "device/Diagnostics.h"

namespace quarten {
namespace {

std::uint32_t Entry(const KeyMatrixBytes& table, std::size_t i) {
    return std::uint32_t{table[4 * i]} | std::uint32_t{table[4 * i + 1]} << 8 |
           std::uint32_t{table[4 * i + 2]} << 16 | std::uint32_t{table[4 * i + 3]} << 24;
}

// Data area of one macro read: four chunks plus slack, as the device tools always used.
constexpr std::size_t kMacroReadArea = 140;

}  // namespace

void DeviceCommands::WriteReportInterval() {
    FeatureFrame frame;
    frame[0] = opcode::kReportInterval;
    frame[1] = settings_.At(layout::kReportInterval);
    channel_.SendFrame(frame);
}

void DeviceCommands::ReadSensor() {
    FeatureFrame frame;
    frame[0] = opcode::kSensor | opcode::kRead;
    channel_.SendFrame(frame);
    auto& sensor = settings_.buffers.sensor;
    std::copy_n(frame.bytes.begin() + 1, sensor.size(), sensor.begin());
    Diagnose("Sensor Type:%02x\n,,Rate:%02x\n,Option1:%02x\n,Option2:%02x\n", sensor[0],
             sensor[1], sensor[2], sensor[3]);
}

void DeviceCommands::WriteSensor() {
    FeatureFrame frame;
    frame[0] = opcode::kSensor;
    std::copy(settings_.buffers.sensor.begin(), settings_.buffers.sensor.end(),
              frame.bytes.begin() + 1);
    channel_.SendFrame(frame);
}

void DeviceCommands::ReadGroups() {
    // One frame serves both requests: only bytes 0 and 1 are rewritten for the second, so
    // it carries the first answer's bytes 2..6, as the mouse has always been sent.
    FeatureFrame frame;
    for (std::uint8_t g = 0; g < 2; ++g) {
        frame[0] = opcode::kGroup | opcode::kRead;
        frame[1] = g;
        channel_.SendFrame(frame);
        if (frame[1] < 2) {
            std::copy_n(frame.bytes.begin() + 2, 3, settings_.buffers.group[frame[1]].begin());
        }
        channel_.Wait(2);
    }
}

void DeviceCommands::WriteGroups() {
    FeatureFrame frame;
    for (std::uint8_t g = 0; g < 2; ++g) {
        frame[0] = opcode::kGroup;
        frame[1] = g;
        std::copy_n(settings_.buffers.group[g].begin(), 3, frame.bytes.begin() + 2);
        channel_.SendFrame(frame);
        channel_.Wait(2);
    }
}

void DeviceCommands::ReadEffect() {
    FeatureFrame frame;
    frame[0] = opcode::kEffect | opcode::kRead;
    channel_.SendFrame(frame);
    auto& effect = settings_.buffers.effect;
    std::copy_n(frame.bytes.begin() + 1, effect.size(), effect.begin());
    Diagnose("Effect:%02x\n,Option1:%02x\n,Option2:%02x\n", effect[0], effect[1], effect[2]);
}

void DeviceCommands::WriteEffect() {
    FeatureFrame frame;
    frame[0] = opcode::kEffect;
    std::copy(settings_.buffers.effect.begin(), settings_.buffers.effect.end(),
              frame.bytes.begin() + 1);
    channel_.SendFrame(frame);
}

void DeviceCommands::WriteColours() {
    FeatureFrame header;
    header[0] = opcode::kColours;
    channel_.TransferBlock(header, {});
    channel_.Wait(2);
    header = {};
    header[0] = opcode::kColours;
    header[1] = 1;
    header[2] = static_cast<std::uint8_t>(settings_.buffers.colourBlock.size());
    channel_.TransferBlock(header, settings_.buffers.colourBlock);
    channel_.Wait(2);
}

void DeviceCommands::WriteDpi() {
    FeatureFrame header;
    header[0] = opcode::kDpi;
    header[1] = settings_.buffers.stageCount;
    header[2] = static_cast<std::uint8_t>(settings_.buffers.stageCode.size());
    channel_.TransferBlock(header, settings_.buffers.stageCode);
}

void DeviceCommands::WriteKeyMatrices() {
    for (std::uint8_t table = 1; table <= 4; ++table) {
        KeyMatrixBytes& matrix = settings_.buffers.keyMatrix[table - 1];
        Diagnose("Write KeyMatrix[%d]:\n%08x\n %08x\n %08x\n %08x\n %08x\n %08x\n %08x\n %08x\n"
                 " %08x\n %08x\n %08x\n %08x\n %08x\n %08x\n %08x\n %08x\n",
                 table, Entry(matrix, 0), Entry(matrix, 1), Entry(matrix, 2), Entry(matrix, 3),
                 Entry(matrix, 4), Entry(matrix, 5), Entry(matrix, 6), Entry(matrix, 7),
                 Entry(matrix, 8), Entry(matrix, 9), Entry(matrix, 10), Entry(matrix, 11),
                 Entry(matrix, 12), Entry(matrix, 13), Entry(matrix, 14), Entry(matrix, 15));
        FeatureFrame header;
        header[0] = opcode::kKeyMatrix;
        header[1] = table;
        header[2] = static_cast<std::uint8_t>(matrix.size());
        channel_.TransferBlock(header, matrix);
        channel_.Wait(2);
    }
}

void DeviceCommands::WriteMacros() {
    for (std::uint8_t slot = 1; slot <= layout::kMacroSlotCount; ++slot) {
        FeatureFrame header;
        header[0] = opcode::kMacro;
        header[1] = slot;
        header[2] = static_cast<std::uint8_t>(layout::kMacroSlotSize);
        auto data = std::span(settings_.buffers.macroBuffer)
                        .subspan((slot - 1) * layout::kMacroSlotSize, layout::kMacroSlotSize);
        channel_.TransferBlock(header, data);
        channel_.Wait(2);
    }
}

void DeviceCommands::ReadMacros() {
    for (std::uint8_t slot = 1; slot <= layout::kMacroSlotCount; ++slot) {
        FeatureFrame header;
        header[0] = opcode::kMacro | opcode::kRead;
        header[1] = slot;
        std::array<std::uint8_t, kMacroReadArea> data{};
        channel_.TransferBlock(header, data);
        // Only a slot 1..12 answer of at most one slot's length is taken; anything else
        // would land outside the macro buffer.
        const std::uint8_t answerSlot = header[1];
        const std::uint8_t length = header[2];
        if (answerSlot >= 1 && answerSlot <= layout::kMacroSlotCount &&
            length <= layout::kMacroSlotSize) {
            std::copy_n(data.begin(), length,
                        settings_.buffers.macroBuffer.begin() +
                            (answerSlot - 1) * layout::kMacroSlotSize);
        } else {
            Diagnose("macro read-back ignored: slot %u, length %u", answerSlot, length);
        }
        channel_.Wait(2);
    }
}

}  // namespace quarten
