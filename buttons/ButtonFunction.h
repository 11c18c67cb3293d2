// The device form of one button's function, the assignment kinds and their encoding.
#pragma once

#include <array>
#include <cstdint>

#include "settings/DeviceSettings.h"

namespace quarten {

// Four bytes sent in the order b0 b1 b2 b3; b0 is the function type.
struct ButtonFunction {
    std::array<std::uint8_t, 4> bytes{};

    // As the device reads it: b0 is the least significant byte. Used in traces.
    constexpr std::uint32_t Value() const {
        return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
               static_cast<std::uint32_t>(bytes[2]) << 16 |
               static_cast<std::uint32_t>(bytes[3]) << 24;
    }
    friend constexpr bool operator==(const ButtonFunction&, const ButtonFunction&) = default;
};

namespace function_type {
inline constexpr std::uint8_t kKeyboard = 0x00;
inline constexpr std::uint8_t kMouse = 0x01;
inline constexpr std::uint8_t kConsumer = 0x03;
inline constexpr std::uint8_t kDpiSwitch = 0x07;
inline constexpr std::uint8_t kDevice = 0x08;
inline constexpr std::uint8_t kMacro = 0x09;
inline constexpr std::uint8_t kFire = 0x0A;
}  // namespace function_type

namespace mouse_code {
inline constexpr std::uint8_t kLeft = 0xF0;
inline constexpr std::uint8_t kRight = 0xF1;
inline constexpr std::uint8_t kMiddle = 0xF2;
inline constexpr std::uint8_t kBack = 0xF3;     // "Backward"
inline constexpr std::uint8_t kForward = 0xF4;  // "Forward"
inline constexpr std::uint8_t kTiltLeft = 0xF5;
inline constexpr std::uint8_t kTiltRight = 0xF6;
inline constexpr std::uint8_t kFixedEntry14 = 0xF7;
inline constexpr std::uint8_t kFixedEntry15 = 0xF8;
}  // namespace mouse_code

namespace device_function {
inline constexpr std::uint8_t kModeShift = 0x02;
inline constexpr std::uint8_t kLighting = 0x03;
}  // namespace device_function

// Position of the chosen entry in the sixteen-entry function list, stored as one byte per
// button and mode. A stored byte may hold anything; values above 15 mean "key off".
enum class AssignmentKind : std::uint8_t {
    LeftClick = 0,
    RightClick = 1,
    MidClick = 2,
    Forward = 3,
    Backward = 4,
    TripleClick = 5,
    DpiSwitch = 6,
    RgbOnOff = 7,
    Windows = 8,
    Multimedia = 9,
    FireKey = 10,
    SingleKey = 11,
    ComboKey = 12,
    MacroKey = 13,
    Shift = 14,
    KeyOff = 15,
};
inline constexpr int kAssignmentKindCount = 16;

// DPI-switch actions of the "DPI Switch" sub-list.
enum class DpiSwitchAction : std::uint8_t { Up = 1, Down = 2, Loop = 3 };

// Macro repeat modes of the macro-key dialog.
enum class MacroRepeatMode : std::uint8_t { CountOrKey = 0, UntilKey = 1, WhileHeld = 2 };

// One button's parameter bytes, one field per parallel array of the layer (plus the DPI
// action kept outside the layer). Only the fields of the button's kind are meaningful.
struct ButtonParameters {
    std::uint8_t multimediaChoice = 0;
    std::uint8_t multimediaUsage = 0;
    std::uint8_t windowsChoice = 0;
    std::uint8_t windowsUsageLow = 0;
    std::uint8_t windowsUsageHigh = 0;
    std::uint8_t fireChoice = 0;
    std::uint8_t fireUsage = 0;
    std::uint8_t fireSpeed = 0;
    std::uint8_t fireTimes = 0;
    std::uint8_t singleUsage = 0;
    std::uint8_t comboModifier = 0;
    std::uint8_t comboKey1 = 0;
    std::uint8_t comboKey2 = 0;
    std::uint8_t macroIndex = 0;  // 0-based position in the macro list
    std::uint8_t macroRepeatMode = 0;
    std::uint8_t dpiAction = 0;

    friend bool operator==(const ButtonParameters&, const ButtonParameters&) = default;
};

// Pure: the function a kind byte stands for, with the parameters it needs. Kinds above 15
// encode as key off (all zero).
ButtonFunction EncodeButtonFunction(std::uint8_t kind, const ButtonParameters& parameters);
inline ButtonFunction EncodeButtonFunction(AssignmentKind kind,
                                           const ButtonParameters& parameters) {
    return EncodeButtonFunction(static_cast<std::uint8_t>(kind), parameters);
}

// mode: 0 = Mode A, 1 = Mode B; button: 0..7 (button 1 is 0).
std::uint8_t ReadKind(const ImageBytes& image, int mode, int button);
ButtonParameters ReadButtonParameters(const ImageBytes& image, int mode, int button);

// Writes the arrays that confirming `kind` fills (kind 6: the DPI action, kinds 8..13: their
// dialog's arrays) into the given mode; other kinds and all other arrays are left alone.
void WriteButtonParameters(ImageBytes& image, int mode, int button, AssignmentKind kind,
                           const ButtonParameters& parameters);

}  // namespace quarten
