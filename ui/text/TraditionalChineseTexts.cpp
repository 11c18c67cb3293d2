// Traditional Chinese texts: the simplified set in traditional characters, with the
// regional words 滑鼠 (mouse), 巨集 (macro), 群組 (group), 螢幕 (screen), 複合鍵 (combo key).
#include "ui/text/TextTable.h"

namespace quarten::text_tables {
namespace {

using enum TextSlot;

constexpr TextTable kTraditionalChinese{{
    {BasicSettings, "基本設置"},
    {AdvancedSettings, "高級設置"},
    {ColorSetting, "顏色設置"},
    {Ok, "確定"},
    {Apply, "應用"},
    {Cancel, "取消"},

    {LeftClick, "左鍵"},
    {RightClick, "右鍵"},
    {MidClick, "中鍵"},
    {Forward, "前進"},
    {Backward, "後退"},
    {TripleClick, "三連擊"},
    {DpiSwitch, "DPI切換"},
    {Shift, "Shift"},
    {RgbOnOff, "RGB開關"},
    {Windows, "Windows"},
    {Multimedia, "多媒體"},
    {FireKey, "連發鍵"},
    {SingleKey, "單鍵"},
    {ComboKey, "複合鍵"},
    {MacroKey, "巨集"},
    {KeyOff, "按鍵關閉"},

    {DefaultButtons, "按鍵恢復"},
    {KeySetting, "按鍵設置"},
    {ReportRateSetting, "報告率設置"},
    {DpiSetting, "DPI設置"},
    {DpiEffect, "DPI燈效"},
    {Mode, "模式"},
    {Parameter, "參數"},
    {Effect, "效果"},
    {LeftKeyMustBeSelected, "左鍵功能必須選擇！"},
    {LightOff, "關閉模式"},
    {LightStandard, "標準模式"},
    {LightRespiration, "呼吸模式"},
    {LightNeon, "霓虹模式"},
    {NonDisplay, "關閉"},
    {RgbEffect, "RGB效果"},
    {RgbFlash, "RGB閃爍"},
    {RgbFixedOn, "RGB常亮"},

    {WebAddress, kWebAddress},

    {SwitchReportRate1000Hz, "報告率切換到1000HZ"},
    {SwitchReportRate500Hz, "報告率切換到500HZ"},
    {SwitchReportRate250Hz, "報告率切換到250HZ"},
    {SwitchReportRate125Hz, "報告率切換到125HZ"},
    // No trailing blank: the DPI label follows the stage text directly.
    {SwitchDpiFirstStage, "DPI切換到第一段"},
    {SwitchDpiSecondStage, "DPI切換到第二段"},
    {SwitchDpiThirdStage, "DPI切換到第三段"},
    {SwitchDpiFourthStage, "DPI切換到第四段"},
    {SwitchKeyMatrix1, "切換到按鍵群組1"},
    {SwitchKeyMatrix2, "切換到按鍵群組2"},
    {SwitchKeyMatrix3, "切換到按鍵群組3"},
    {SwitchKeyMatrix4, "切換到按鍵群組4"},
    {SwitchToMacroKey, "切換到巨集"},
    {Exit, "退出"},
    {MouseNotDetected, "系統沒有檢測到遊戲滑鼠！"},
    {MouseDetected, "系統檢測到遊戲滑鼠。"},

    {MouseSpeed, "滑鼠速度"},
    {ScrollingSpeed, "滾輪速度"},
    {DoubleClickSpeed, "雙擊速度"},
    {EnhancePointerPrecision, "提高指針精確度"},
    {ScrollOneScreen, "一次滾動一個螢幕"},
    {DefaultPointer, "恢復默認"},

    {MacroSetting, "巨集設置"},
    {SelectMacro, "選擇巨集"},
    {KeyPressSequence, "按鍵序列"},
    {RecordOption, "錄製選項"},
    {MacroName, "巨集名稱"},
    {StartRecording, "開始錄製"},
    {StopRecording, "停止錄製"},
    {LoopTimes, "循環次數"},
    {InsertMouseEvent, "插入滑鼠事件"},
    {New, "新建"},
    {Delete, "刪除"},
    {Confirm, "確認"},
    {MacroNameBlank, "巨集名稱為空"},
    {MacroNameExists, "巨集名稱已經存在"},
    {PressCtrlBreakToStop, "按Ctrl+Break可以停止錄製"},
    {NotRecording, "沒有開始錄製，點擊停止錄製按鈕沒有意義！"},

    {PleaseEnterKey, "請輸入一個按鍵"},
    {Speed, "速度"},
    {Times, "次數"},
    {Illustration, "說明："},
    {SpeedRange, "速度（取值範圍5-255，數值越小越快）"},
    {TimesRange, "次數（取值範圍0-255，0表示鬆開按鍵時結束連發）"},
    {PleaseSelectMacro, "請選擇一個巨集"},
    {RepeatCountOrAnyKey, "重複指定次數或按任意鍵結束"},
    {RepeatUntilAnyKey, "重複直到按任意鍵結束"},
    {RepeatUntilReleased, "重複直到鬆開按鍵"},
    {PleaseEnterDelay, "請輸入延遲時間"},
    {DelayRange, "（取值範圍0-10000）"},

    {MacroNameTooLong, "巨集名稱太長（最多31個字符）"},
    {MacroNameHasBracket, "巨集名稱不能包含[或]"},
    {MacroNameHasLineBreak, "巨集名稱不能包含換行"},
    {MacroNameHasControlCharacter, "巨集名稱不能包含控制字符"},
    {MacroNameHasSurroundingBlanks, "巨集名稱的開頭和結尾不能是空格"},
    {MacroDoesNotFit, "巨集太長，滑鼠無法全部保存：已保存%1個事件，捨棄%2個"},
    {MacroHasNoSlot, "巨集已保存，但滑鼠只能存放前12個巨集"},
    {MacroFileWriteFailed, "巨集文件無法保存（錯誤代碼%1）"},
    {SkinsColourPrompt, "請點擊設置UI文本顏色"},
    {SkinChoiceWriteFailed, "皮膚選擇無法保存（錯誤代碼%1），僅在本次執行中有效"},
}};
static_assert(InSlotOrder(kTraditionalChinese));

}  // namespace

const TextTable& TraditionalChinese() { return kTraditionalChinese; }

}  // namespace quarten::text_tables
