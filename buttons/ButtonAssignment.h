// Storing a confirmed function choice, the mode-shift and left-button rules, and the defaults.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "buttons/ButtonCaptions.h"
#include "buttons/ButtonFunction.h"
#include "settings/DeviceSettings.h"

namespace quarten {

// The box shown instead of the function list when the left-button rule refuses to open it.
inline constexpr std::string_view kLeftKeyRequiredText = "Left key must be selected!";
inline constexpr std::string_view kLeftKeyRequiredTitle = "Warning";

// "Shift" reads the same in every language, so its caption is fixed.
inline constexpr std::string_view kShiftCaption = "Shift";

// What the "Default" action gives buttons 1..8 of both modes.
inline constexpr std::array<AssignmentKind, layout::kButtonCount> kDefaultKinds = {
    AssignmentKind::LeftClick, AssignmentKind::RightClick, AssignmentKind::MidClick,
    AssignmentKind::Forward,   AssignmentKind::Backward,   AssignmentKind::DpiSwitch,
    AssignmentKind::RgbOnOff,  AssignmentKind::KeyOff,
};
inline constexpr int kDefaultDpiButton = 5;  // button 6
inline constexpr DpiSwitchAction kDefaultDpiAction = DpiSwitchAction::Loop;

using DefaultCaptionTexts = std::array<std::string_view, layout::kButtonCount>;
inline constexpr DefaultCaptionTexts kEnglishDefaultCaptions = {
    "Left Click", "Right Click", "Mid Click",  "Forward",
    "Backward",   "DPI Loop",    "RGB On/Off", "Key Off",
};

// Stores a confirmed choice for `button` (0..7) of the displayed `mode` (0 = A, 1 = B):
// - Shift: refused (returns false, nothing changes) when any button of the displayed mode
//   already is Shift; otherwise the button becomes Shift in both modes, captioned "Shift" in
//   both (the caption argument is not used).
// - DPI Switch: kind 6, parameters.dpiAction and the caption go into the displayed mode only,
//   even when the button was Shift.
// - Any other kind: kind, caption and the kind's parameters go into the displayed mode; when
//   the button was Shift there, the other mode gets the same kind, caption and parameters.
// Returns true when the choice was stored.
bool AssignKind(ImageBytes& image, ButtonCaptions& captions, int mode, int button,
                AssignmentKind kind, std::string caption, const ButtonParameters& parameters = {});

// False when `button` is the only button of `mode` with "Left Click": each mode keeps at least
// one, so its list must not open (show kLeftKeyRequiredText instead).
bool CanOpenAssignmentList(const ImageBytes& image, int mode, int button);

// The "Default" action: the default kinds and button 6's DPI action in both modes, and the
// sixteen captions. Every other parameter array keeps what it held.
void ResetButtonAssignments(ImageBytes& image, ButtonCaptions& captions,
                            const DefaultCaptionTexts& texts = kEnglishDefaultCaptions);

// First start: only the sixteen default captions; the kinds stay as loaded.
void FirstRunCaptions(ButtonCaptions& captions,
                      const DefaultCaptionTexts& texts = kEnglishDefaultCaptions);

}  // namespace quarten
