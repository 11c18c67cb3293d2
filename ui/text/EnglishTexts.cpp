// English texts. Spellings such as "Non-Disolay" and "The system detect the gaming mouse."
// are the texts users of the mouse know and are kept as they are.
#include "ui/text/TextTable.h"

namespace quarten::text_tables {
namespace {

using enum TextSlot;

constexpr TextTable kEnglish{{
    {BasicSettings, "Basic Settings"},
    {AdvancedSettings, "Advanced Settings"},
    {ColorSetting, "Color Setting"},
    {Ok, "OK"},
    {Apply, "Apply"},
    {Cancel, "Cancel"},

    {LeftClick, "Left Click"},
    {RightClick, "Right Click"},
    {MidClick, "Mid Click"},
    {Forward, "Forward"},
    {Backward, "Backward"},
    {TripleClick, "Triple-click"},
    {DpiSwitch, "DPI Switch"},
    {Shift, "Shift"},
    {RgbOnOff, "RGB On/Off"},
    {Windows, "Windows"},
    {Multimedia, "Multimedia"},
    {FireKey, "Fire Key"},
    {SingleKey, "Single Key"},
    {ComboKey, "Combo Key"},
    {MacroKey, "Macro Key"},
    {KeyOff, "Key Off"},

    {DefaultButtons, "Default"},
    {KeySetting, "Key Setting"},
    {ReportRateSetting, "Report Rate Setting"},
    {DpiSetting, "DPI Setting"},
    {DpiEffect, "DPI Effect"},
    {Mode, "Mode"},
    {Parameter, "Parameter"},
    {Effect, "Effect"},
    {LeftKeyMustBeSelected, "Left key must be selected!"},
    {LightOff, "Off"},
    {LightStandard, "Standard"},
    {LightRespiration, "Respiration"},
    {LightNeon, "Neon"},
    {NonDisplay, "Non-Disolay"},
    {RgbEffect, "RGB Effect"},
    {RgbFlash, "RGB Flash"},
    {RgbFixedOn, "RGB Fixed On"},

    {WebAddress, kWebAddress},

    {SwitchReportRate1000Hz, "Switch report rate into 1000HZ"},
    {SwitchReportRate500Hz, "Switch report rate into 500HZ"},
    {SwitchReportRate250Hz, "Switch report rate into 250HZ"},
    {SwitchReportRate125Hz, "Switch report rate into 125HZ"},
    // The trailing blank separates the stage text from the DPI label appended to it.
    {SwitchDpiFirstStage, "Switch DPI into the first stage "},
    {SwitchDpiSecondStage, "Switch DPI into the second stage "},
    {SwitchDpiThirdStage, "Switch DPI into the third stage "},
    {SwitchDpiFourthStage, "Switch DPI into the fourth stage "},
    {SwitchKeyMatrix1, "Switch to key matrix 1"},
    {SwitchKeyMatrix2, "Switch to key matrix 2"},
    {SwitchKeyMatrix3, "Switch to key matrix 3"},
    {SwitchKeyMatrix4, "Switch to key matrix 4"},
    {SwitchToMacroKey, "Switch to macro key"},
    {Exit, "Exit"},
    {MouseNotDetected, "The system did not detect the gaming mouse!"},
    {MouseDetected, "The system detect the gaming mouse."},

    {MouseSpeed, "Mouse Speed"},
    {ScrollingSpeed, "Scrolling Speed"},
    {DoubleClickSpeed, "Double-Click Speed"},
    {EnhancePointerPrecision, "Enhance Pointer Precision"},
    {ScrollOneScreen, "Scroll One Screen"},
    {DefaultPointer, "Default"},

    {MacroSetting, "Macro Setting"},
    {SelectMacro, "Select Macro"},
    {KeyPressSequence, "Key Press Sequence"},
    {RecordOption, "Record Option"},
    {MacroName, "Macro Name"},
    {StartRecording, "Start Recording"},
    {StopRecording, "Stop Recording"},
    {LoopTimes, "Loop Times"},
    {InsertMouseEvent, "Insert A Mouse Event"},
    {New, "New"},
    {Delete, "Delete"},
    {Confirm, "Confirm"},
    {MacroNameBlank, "Macro name is blank"},
    {MacroNameExists, "Macro name already exists"},
    {PressCtrlBreakToStop, "Press Ctrl+Break key to stop recording"},
    {NotRecording, "It doesn\u2019t start recording, unnecessary to press Stop key!"},

    {PleaseEnterKey, "Please enter a key"},
    {Speed, "Speed"},
    {Times, "Times"},
    {Illustration, "Illustration:"},
    {SpeedRange, "Speed (value range 5-255, with smaller values faster)"},
    {TimesRange, "Times (value range 0-255,0 indicates fire key to end when the key released)"},
    {PleaseSelectMacro, "Please select a macro"},
    {RepeatCountOrAnyKey, "Repeat a specified number of times or press any key to end"},
    {RepeatUntilAnyKey, "Repeat until press any key to end"},
    {RepeatUntilReleased, "Repeat until the key is released"},
    {PleaseEnterDelay, "Please enter a delay"},
    {DelayRange, "(value range 0-10000)"},

    {MacroNameTooLong, "Macro name is too long (31 characters at most)"},
    {MacroNameHasBracket, "Macro name cannot contain [ or ]"},
    {MacroNameHasLineBreak, "Macro name cannot contain a line break"},
    {MacroNameHasControlCharacter, "Macro name cannot contain control characters"},
    {MacroNameHasSurroundingBlanks, "Macro name cannot begin or end with a blank"},
    {MacroDoesNotFit, "Macro is too long for the mouse: %1 events stored, %2 left out"},
    {MacroHasNoSlot, "Macro is saved, but the mouse holds only the first 12 macros"},
    {MacroFileWriteFailed, "Macro file could not be saved (error code %1)"},
    {SkinsColourPrompt, "Please click to set the UI text color"},
    {SkinChoiceWriteFailed,
     "The skin choice could not be saved (error code %1); it applies until the program ends"},
}};
static_assert(InSlotOrder(kEnglish));

}  // namespace

const TextTable& English() { return kEnglish; }

}  // namespace quarten::text_tables
