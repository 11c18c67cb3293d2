// Encoding of assignment kinds into button functions, and the per-button parameter arrays.
#include "buttons/ButtonFunction.h"

#include <stdexcept>

namespace quarten {

namespace {

ButtonFunction Make(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
    return ButtonFunction{{b0, b1, b2, b3}};
}

// The image layout has room for exactly two layers of eight buttons; anything else would
// read or write some unrelated setting, so it is a programming error.
void CheckPosition(int mode, int button) {
    if (mode < 0 || mode > 1 || button < 0 || button >= static_cast<int>(layout::kButtonCount)) {
        throw std::out_of_range("button position outside two modes of eight buttons");
    }
}

std::size_t At(int mode, std::size_t array, int button) {
    return layout::ModeByte(mode, array, static_cast<std::size_t>(button));
}

}  // namespace

ButtonFunction EncodeButtonFunction(std::uint8_t kind, const ButtonParameters& p) {
    using namespace function_type;
    switch (static_cast<AssignmentKind>(kind)) {
        case AssignmentKind::LeftClick:
            return Make(kMouse, 0, mouse_code::kLeft, 0);
        case AssignmentKind::RightClick:
            return Make(kMouse, 0, mouse_code::kRight, 0);
        case AssignmentKind::MidClick:
            return Make(kMouse, 0, mouse_code::kMiddle, 0);
        case AssignmentKind::Forward:
            return Make(kMouse, 0, mouse_code::kForward, 0);
        case AssignmentKind::Backward:
            return Make(kMouse, 0, mouse_code::kBack, 0);
        // A fixed fire key: left button, speed 32, three times, whatever the fire arrays hold.
        case AssignmentKind::TripleClick:
            return Make(kFire, mouse_code::kLeft, 0x20, 0x03);
        case AssignmentKind::DpiSwitch:
            return Make(kDpiSwitch, 0, p.dpiAction, 0);
        case AssignmentKind::RgbOnOff:
            return Make(kDevice, 0, device_function::kLighting, 0);
        case AssignmentKind::Windows:
            return Make(kConsumer, 0, p.windowsUsageLow, p.windowsUsageHigh);
        case AssignmentKind::Multimedia:
            return Make(kConsumer, 0, p.multimediaUsage, 0);
        case AssignmentKind::FireKey:
            return Make(kFire, p.fireUsage, p.fireSpeed, p.fireTimes);
        case AssignmentKind::SingleKey:
            return Make(kKeyboard, 0, p.singleUsage, 0);
        case AssignmentKind::ComboKey:
            return Make(kKeyboard, p.comboModifier, p.comboKey1, p.comboKey2);
        case AssignmentKind::MacroKey:
            // The device numbers macro slots from 1; the model keeps the 0-based list position.
            return Make(kMacro, p.macroRepeatMode, static_cast<std::uint8_t>(p.macroIndex + 1), 0);
        case AssignmentKind::Shift:
            return Make(kDevice, 0, device_function::kModeShift, 0);
        case AssignmentKind::KeyOff:
            break;
    }
    return ButtonFunction{};
}

std::uint8_t ReadKind(const ImageBytes& image, int mode, int button) {
    CheckPosition(mode, button);
    return image[At(mode, layout::mode::kKind, button)];
}

ButtonParameters ReadButtonParameters(const ImageBytes& image, int mode, int button) {
    CheckPosition(mode, button);
    namespace m = layout::mode;
    auto byte = [&](std::size_t array) { return image[At(mode, array, button)]; };
    ButtonParameters p;
    p.multimediaChoice = byte(m::kMultimediaChoice);
    p.multimediaUsage = byte(m::kMultimediaUsage);
    p.windowsChoice = byte(m::kWindowsChoice);
    p.windowsUsageLow = byte(m::kWindowsUsageLow);
    p.windowsUsageHigh = byte(m::kWindowsUsageHigh);
    p.fireChoice = byte(m::kFireChoice);
    p.fireUsage = byte(m::kFireUsage);
    p.fireSpeed = byte(m::kFireSpeed);
    p.fireTimes = byte(m::kFireTimes);
    p.singleUsage = byte(m::kSingleUsage);
    p.comboModifier = byte(m::kComboModifier);
    p.comboKey1 = byte(m::kComboKey1);
    p.comboKey2 = byte(m::kComboKey2);
    p.macroIndex = byte(m::kMacroIndex);
    p.macroRepeatMode = byte(m::kMacroRepeatMode);
    p.dpiAction = image[layout::DpiSwitchByte(mode, static_cast<std::size_t>(button))];
    return p;
}

void WriteButtonParameters(ImageBytes& image, int mode, int button, AssignmentKind kind,
                           const ButtonParameters& p) {
    CheckPosition(mode, button);
    namespace m = layout::mode;
    auto put = [&](std::size_t array, std::uint8_t value) {
        image[At(mode, array, button)] = value;
    };
    switch (kind) {
        case AssignmentKind::DpiSwitch:
            image[layout::DpiSwitchByte(mode, static_cast<std::size_t>(button))] = p.dpiAction;
            break;
        case AssignmentKind::Windows:
            put(m::kWindowsChoice, p.windowsChoice);
            put(m::kWindowsUsageLow, p.windowsUsageLow);
            put(m::kWindowsUsageHigh, p.windowsUsageHigh);
            break;
        case AssignmentKind::Multimedia:
            put(m::kMultimediaChoice, p.multimediaChoice);
            put(m::kMultimediaUsage, p.multimediaUsage);
            break;
        case AssignmentKind::FireKey:
            put(m::kFireChoice, p.fireChoice);
            put(m::kFireUsage, p.fireUsage);
            put(m::kFireSpeed, p.fireSpeed);
            put(m::kFireTimes, p.fireTimes);
            break;
        case AssignmentKind::SingleKey:
            put(m::kSingleUsage, p.singleUsage);
            break;
        case AssignmentKind::ComboKey:
            put(m::kComboModifier, p.comboModifier);
            put(m::kComboKey1, p.comboKey1);
            put(m::kComboKey2, p.comboKey2);
            break;
        case AssignmentKind::MacroKey:
            put(m::kMacroIndex, p.macroIndex);
            put(m::kMacroRepeatMode, p.macroRepeatMode);
            break;
        default:
            break;  // the other kinds take no parameters
    }
}

}  // namespace quarten
