// The names of the user-interface text slots; the texts live in one table per language.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quarten {

// The first kOriginalSlotCount slots are the window's original text table, in its groups;
// the slots after them were added for the macro-name checks and slot messages of this
// program. New slots go at the end so the original ones keep their numbers.
enum class TextSlot : std::uint8_t {
    // Frame and page headings.
    BasicSettings,
    AdvancedSettings,
    ColorSetting,
    Ok,
    Apply,
    Cancel,

    // Key function names.
    LeftClick,
    RightClick,
    MidClick,
    Forward,
    Backward,
    TripleClick,
    DpiSwitch,
    Shift,
    RgbOnOff,
    Windows,
    Multimedia,
    FireKey,
    SingleKey,
    ComboKey,
    MacroKey,
    KeyOff,

    // Basic page.
    DefaultButtons,  // "Default": restores the button functions
    KeySetting,
    ReportRateSetting,
    DpiSetting,
    DpiEffect,
    Mode,
    Parameter,
    Effect,
    LeftKeyMustBeSelected,
    LightOff,
    LightStandard,
    LightRespiration,
    LightNeon,
    NonDisplay,  // the text keeps its historic spelling "Non-Disolay"
    RgbEffect,
    RgbFlash,
    RgbFixedOn,

    WebAddress,

    // Tray menu and balloons.
    SwitchReportRate1000Hz,
    SwitchReportRate500Hz,
    SwitchReportRate250Hz,
    SwitchReportRate125Hz,
    SwitchDpiFirstStage,
    SwitchDpiSecondStage,
    SwitchDpiThirdStage,
    SwitchDpiFourthStage,
    SwitchKeyMatrix1,
    SwitchKeyMatrix2,
    SwitchKeyMatrix3,  // never shown: the mouse reports layers 1 and 2 only
    SwitchKeyMatrix4,
    SwitchToMacroKey,
    Exit,
    MouseNotDetected,
    MouseDetected,

    // Advanced page, host pointer settings.
    MouseSpeed,
    ScrollingSpeed,
    DoubleClickSpeed,
    EnhancePointerPrecision,
    ScrollOneScreen,
    DefaultPointer,  // "Default": restores the pointer settings

    // Advanced page, macro editor.
    MacroSetting,
    SelectMacro,
    KeyPressSequence,
    RecordOption,
    MacroName,
    StartRecording,
    StopRecording,
    LoopTimes,
    InsertMouseEvent,
    New,
    Delete,
    Confirm,
    MacroNameBlank,
    MacroNameExists,
    PressCtrlBreakToStop,
    NotRecording,

    // Key assignment dialogs.
    PleaseEnterKey,
    Speed,
    Times,
    Illustration,
    SpeedRange,
    TimesRange,
    PleaseSelectMacro,
    RepeatCountOrAnyKey,
    RepeatUntilAnyKey,
    RepeatUntilReleased,
    PleaseEnterDelay,
    DelayRange,

    // Added after the original table: macro name checks and slot messages. "%1" and "%2"
    // stand for the notice's numbers (MacroNoticeText fills them in).
    MacroNameTooLong,
    MacroNameHasBracket,
    MacroNameHasLineBreak,
    MacroNameHasControlCharacter,
    MacroNameHasSurroundingBlanks,
    MacroDoesNotFit,
    MacroHasNoSlot,
    MacroFileWriteFailed,

    // Skins dialog: its prompt, and the box for a skin choice str.ini would not take.
    SkinsColourPrompt,
    SkinChoiceWriteFailed,
};

inline constexpr std::size_t kOriginalSlotCount = 90;
inline constexpr std::size_t kSlotCount =
    static_cast<std::size_t>(TextSlot::SkinChoiceWriteFailed) + 1;
static_assert(static_cast<std::size_t>(TextSlot::MacroNameTooLong) == kOriginalSlotCount,
              "the original slots must stay in front of the added ones");

// The sixteen items of every key list, indexed by assignment kind. "Shift" sits at kind 14,
// not where the key function names are grouped.
inline constexpr std::array<TextSlot, 16> kKeyListSlots{
    TextSlot::LeftClick,  TextSlot::RightClick, TextSlot::MidClick,  TextSlot::Forward,
    TextSlot::Backward,   TextSlot::TripleClick, TextSlot::DpiSwitch, TextSlot::RgbOnOff,
    TextSlot::Windows,    TextSlot::Multimedia, TextSlot::FireKey,   TextSlot::SingleKey,
    TextSlot::ComboKey,   TextSlot::MacroKey,   TextSlot::Shift,     TextSlot::KeyOff};

// Lighting mode names by lightMode 0..3 and effect names by effect index 0..3.
inline constexpr std::array<TextSlot, 4> kLightModeSlots{
    TextSlot::LightOff, TextSlot::LightStandard, TextSlot::LightRespiration, TextSlot::LightNeon};
inline constexpr std::array<TextSlot, 4> kLightEffectSlots{
    TextSlot::NonDisplay, TextSlot::RgbEffect, TextSlot::RgbFlash, TextSlot::RgbFixedOn};

}  // namespace quarten
