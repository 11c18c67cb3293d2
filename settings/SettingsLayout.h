// Byte layout of the 1849-byte settings image (the body of config.bin): every offset lives here.
#pragma once

#include <cstddef>

namespace quarten::layout {

inline constexpr std::size_t kImageSize = 1849;

// One key layer's button choices: sixteen parallel arrays of one byte per button.
inline constexpr std::size_t kButtonCount = 8;
inline constexpr std::size_t kModeAssignmentsSize = 128;
namespace mode {
inline constexpr std::size_t kKind = 0x00;
inline constexpr std::size_t kMultimediaChoice = 0x08;
inline constexpr std::size_t kMultimediaUsage = 0x10;
inline constexpr std::size_t kWindowsChoice = 0x18;
inline constexpr std::size_t kWindowsUsageLow = 0x20;
inline constexpr std::size_t kWindowsUsageHigh = 0x28;
inline constexpr std::size_t kFireChoice = 0x30;
inline constexpr std::size_t kFireUsage = 0x38;
inline constexpr std::size_t kFireSpeed = 0x40;
inline constexpr std::size_t kFireTimes = 0x48;
inline constexpr std::size_t kSingleUsage = 0x50;
inline constexpr std::size_t kComboModifier = 0x58;
inline constexpr std::size_t kComboKey1 = 0x60;
inline constexpr std::size_t kComboKey2 = 0x68;
inline constexpr std::size_t kMacroIndex = 0x70;
inline constexpr std::size_t kMacroRepeatMode = 0x78;
}  // namespace mode

inline constexpr std::size_t kModeA = 0;
inline constexpr std::size_t kReportInterval = 133;
inline constexpr std::size_t kDpiLevel = 135;    // 4 bytes, stages 1..4
inline constexpr std::size_t kDpiEnabled = 139;  // 4 bytes
inline constexpr std::size_t kDpiColour = 143;   // 4 x (R, G, B)
inline constexpr std::size_t kLightMode = 155;
inline constexpr std::size_t kStandardBrightness = 156;
inline constexpr std::size_t kRespirationSpeed = 157;
inline constexpr std::size_t kNeonSpeed = 158;
inline constexpr std::size_t kStandardEffect = 159;
inline constexpr std::size_t kRespirationEffect = 160;
inline constexpr std::size_t kNeonEffect = 161;

inline constexpr std::size_t kMacroArea = 163;
inline constexpr std::size_t kMacroSlotCount = 12;
inline constexpr std::size_t kMacroSlotSize = 128;
inline constexpr std::size_t kMacroAreaSize = kMacroSlotCount * kMacroSlotSize;

inline constexpr std::size_t kPointerSettings = 1699;  // 5 bytes
namespace pointer {
inline constexpr std::size_t kPrecisionFlag = 0;
inline constexpr std::size_t kOneScreenFlag = 1;
inline constexpr std::size_t kSpeedSteps = 2;
inline constexpr std::size_t kScrollSteps = 3;
inline constexpr std::size_t kDoubleClickSteps = 4;
inline constexpr std::size_t kSize = 5;
}  // namespace pointer

inline constexpr std::size_t kDisplayedMode = 1704;
inline constexpr std::size_t kModeB = 1705;
inline constexpr std::size_t kDpiSwitchA = 1833;  // 8 bytes, one per button
inline constexpr std::size_t kDpiSwitchB = 1841;

inline constexpr std::size_t kStageCount = 4;

static_assert(kModeA + kModeAssignmentsSize <= kReportInterval);
static_assert(kMacroArea + kMacroAreaSize == kPointerSettings);
static_assert(kPointerSettings + pointer::kSize == kDisplayedMode);
static_assert(kDisplayedMode + 1 == kModeB);
static_assert(kModeB + kModeAssignmentsSize == kDpiSwitchA);
static_assert(kDpiSwitchB + kButtonCount == kImageSize);
static_assert(kDpiColour + 3 * kStageCount == kLightMode);

// Offset of one button's byte in one array of a key layer (mode 0 = Mode A, 1 = Mode B).
constexpr std::size_t ModeByte(int modeIndex, std::size_t array, std::size_t button) {
    return (modeIndex == 0 ? kModeA : kModeB) + array + button;
}
constexpr std::size_t DpiSwitchByte(int modeIndex, std::size_t button) {
    return (modeIndex == 0 ? kDpiSwitchA : kDpiSwitchB) + button;
}
constexpr std::size_t MacroSlotOffset(std::size_t slotNumber) {  // slot 1..12
    return kMacroArea + kMacroSlotSize * (slotNumber - 1);
}

}  // namespace quarten::layout
