// Simplified Chinese texts. The user-facing messages keep the wording users of the mouse
// know, including the ASCII comma in the not-recording message.
#include "ui/text/TextTable.h"

namespace quarten::text_tables {
namespace {

using enum TextSlot;

constexpr TextTable kSimplifiedChinese{{
    {BasicSettings, "基本设置"},
    {AdvancedSettings, "高级设置"},
    {ColorSetting, "颜色设置"},
    {Ok, "确定"},
    {Apply, "应用"},
    {Cancel, "取消"},

    {LeftClick, "左键"},
    {RightClick, "右键"},
    {MidClick, "中键"},
    {Forward, "前进"},
    {Backward, "后退"},
    {TripleClick, "三连击"},
    {DpiSwitch, "DPI切换"},
    {Shift, "Shift"},
    {RgbOnOff, "RGB开关"},
    {Windows, "Windows"},
    {Multimedia, "多媒体"},
    {FireKey, "连发键"},
    {SingleKey, "单键"},
    {ComboKey, "组合键"},
    {MacroKey, "宏"},
    {KeyOff, "按键关闭"},

    {DefaultButtons, "按键恢复"},
    {KeySetting, "按键设置"},
    {ReportRateSetting, "报告率设置"},
    {DpiSetting, "DPI设置"},
    {DpiEffect, "DPI灯效"},
    {Mode, "模式"},
    {Parameter, "参数"},
    {Effect, "效果"},
    {LeftKeyMustBeSelected, "左键功能必须选择！"},
    {LightOff, "关闭模式"},
    {LightStandard, "标准模式"},
    {LightRespiration, "呼吸模式"},
    {LightNeon, "霓虹模式"},
    {NonDisplay, "关闭"},
    {RgbEffect, "RGB效果"},
    {RgbFlash, "RGB闪烁"},
    {RgbFixedOn, "RGB常亮"},

    {WebAddress, kWebAddress},

    {SwitchReportRate1000Hz, "报告率切换到1000HZ"},
    {SwitchReportRate500Hz, "报告率切换到500HZ"},
    {SwitchReportRate250Hz, "报告率切换到250HZ"},
    {SwitchReportRate125Hz, "报告率切换到125HZ"},
    // No trailing blank: the DPI label follows the stage text directly.
    {SwitchDpiFirstStage, "DPI切换到第一段"},
    {SwitchDpiSecondStage, "DPI切换到第二段"},
    {SwitchDpiThirdStage, "DPI切换到第三段"},
    {SwitchDpiFourthStage, "DPI切换到第四段"},
    {SwitchKeyMatrix1, "切换到按键组1"},
    {SwitchKeyMatrix2, "切换到按键组2"},
    {SwitchKeyMatrix3, "切换到按键组3"},
    {SwitchKeyMatrix4, "切换到按键组4"},
    {SwitchToMacroKey, "切换到宏"},
    {Exit, "退出"},
    {MouseNotDetected, "系统没有检测到游戏鼠标！"},
    {MouseDetected, "系统检测到游戏鼠标。"},

    {MouseSpeed, "鼠标速度"},
    {ScrollingSpeed, "滚轮速度"},
    {DoubleClickSpeed, "双击速度"},
    {EnhancePointerPrecision, "提高指针精确度"},
    {ScrollOneScreen, "一次滚动一个屏幕"},
    {DefaultPointer, "恢复默认"},

    {MacroSetting, "宏设置"},
    {SelectMacro, "选择宏"},
    {KeyPressSequence, "按键序列"},
    {RecordOption, "录制选项"},
    {MacroName, "宏名称"},
    {StartRecording, "开始录制"},
    {StopRecording, "停止录制"},
    {LoopTimes, "循环次数"},
    {InsertMouseEvent, "插入鼠标事件"},
    {New, "新建"},
    {Delete, "删除"},
    {Confirm, "确认"},
    {MacroNameBlank, "宏名称为空"},
    {MacroNameExists, "宏名称已经存在"},
    {PressCtrlBreakToStop, "按Ctrl+Break可以停止录制"},
    {NotRecording, "没有开始录制,点击停止录制按钮没有意义！"},

    {PleaseEnterKey, "请输入一个按键"},
    {Speed, "速度"},
    {Times, "次数"},
    {Illustration, "说明："},
    {SpeedRange, "速度（取值范围5-255，数值越小越快）"},
    {TimesRange, "次数（取值范围0-255，0表示松开按键时结束连发）"},
    {PleaseSelectMacro, "请选择一个宏"},
    {RepeatCountOrAnyKey, "重复指定次数或按任意键结束"},
    {RepeatUntilAnyKey, "重复直到按任意键结束"},
    {RepeatUntilReleased, "重复直到松开按键"},
    {PleaseEnterDelay, "请输入延迟时间"},
    {DelayRange, "（取值范围0-10000）"},

    {MacroNameTooLong, "宏名称太长（最多31个字符）"},
    {MacroNameHasBracket, "宏名称不能包含[或]"},
    {MacroNameHasLineBreak, "宏名称不能包含换行"},
    {MacroNameHasControlCharacter, "宏名称不能包含控制字符"},
    {MacroNameHasSurroundingBlanks, "宏名称的开头和结尾不能是空格"},
    {MacroDoesNotFit, "宏太长，鼠标无法全部保存：已保存%1个事件，舍弃%2个"},
    {MacroHasNoSlot, "宏已保存，但鼠标只能存放前12个宏"},
    {MacroFileWriteFailed, "宏文件无法保存（错误代码%1）"},
    {SkinsColourPrompt, "请点击设置UI文本颜色"},
    {SkinChoiceWriteFailed, "皮肤选择无法保存（错误代码%1），仅在本次运行中有效"},
}};
static_assert(InSlotOrder(kSimplifiedChinese));

}  // namespace

const TextTable& SimplifiedChinese() { return kSimplifiedChinese; }

}  // namespace quarten::text_tables
