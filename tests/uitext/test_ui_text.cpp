// Text tables per language, language codes, fonts, tray balloons and macro notice texts.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/text/MacroNoticeText.h"
#include "ui/text/TrayBalloon.h"
#include "ui/text/UiFonts.h"
#include "ui/text/UiText.h"

namespace quarten {
namespace {

constexpr std::array kLanguages{UiLanguage::English, UiLanguage::Simplified,
                                UiLanguage::Traditional};

TextSlot SlotAt(std::size_t index) { return static_cast<TextSlot>(index); }

std::string Describe(TextSlot slot) {
    return "slot " + std::to_string(static_cast<int>(slot)) + " \"" +
           std::string(UiText::For(UiLanguage::English).Get(slot)) + "\"";
}

std::string_view LanguageName(UiLanguage language) {
    switch (language) {
        case UiLanguage::English:
            return "English";
        case UiLanguage::Simplified:
            return "simplified";
        case UiLanguage::Traditional:
            return "traditional";
    }
    return "?";
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// ---------------------------------------------------------------------------------------
// Slots

TEST(UiTextSlots, EverySlotHasTextInEveryLanguage) {
    for (const UiLanguage language : kLanguages) {
        const UiText text = UiText::For(language);
        EXPECT_EQ(text.language(), language);
        for (std::size_t i = 0; i < kSlotCount; ++i) {
            EXPECT_FALSE(text.Get(SlotAt(i)).empty())
                << LanguageName(language) << " " << Describe(SlotAt(i));
        }
    }
}

TEST(UiTextSlots, ValueOutsideTheEnumerationGivesEmptyText) {
    for (const UiLanguage language : kLanguages) {
        const UiText text = UiText::For(language);
        EXPECT_TRUE(text.Get(SlotAt(kSlotCount)).empty());
        EXPECT_TRUE(text.Get(static_cast<TextSlot>(255)).empty());
    }
}

TEST(UiTextSlots, ListsFollowTheirIndexes) {
    const UiText english = UiText::For(UiLanguage::English);
    constexpr std::array<std::string_view, 16> kKeyList{
        "Left Click", "Right Click", "Mid Click", "Forward",   "Backward",  "Triple-click",
        "DPI Switch", "RGB On/Off",  "Windows",   "Multimedia", "Fire Key", "Single Key",
        "Combo Key",  "Macro Key",   "Shift",     "Key Off"};
    for (std::size_t kind = 0; kind < kKeyList.size(); ++kind) {
        EXPECT_EQ(english.Get(kKeyListSlots[kind]), kKeyList[kind]) << "kind " << kind;
    }
    constexpr std::array<std::string_view, 4> kModes{"Off", "Standard", "Respiration", "Neon"};
    constexpr std::array<std::string_view, 4> kEffects{"Non-Disolay", "RGB Effect", "RGB Flash",
                                                       "RGB Fixed On"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(english.Get(kLightModeSlots[i]), kModes[i]) << "mode " << i;
        EXPECT_EQ(english.Get(kLightEffectSlots[i]), kEffects[i]) << "effect " << i;
    }
}

// ---------------------------------------------------------------------------------------
// Chinese texts

struct ExactForm {
    TextSlot slot;
    std::string_view english;
    std::string_view simplified;
    std::string_view traditional;
};

// The texts whose three forms are fixed word for word.
constexpr ExactForm kExactForms[] = {
    {TextSlot::Ok, "OK", "确定", "確定"},
    {TextSlot::Apply, "Apply", "应用", "應用"},
    {TextSlot::Cancel, "Cancel", "取消", "取消"},
    {TextSlot::MacroKey, "Macro Key", "宏", "巨集"},
    {TextSlot::DefaultButtons, "Default", "按键恢复", "按鍵恢復"},
    {TextSlot::DefaultPointer, "Default", "恢复默认", "恢復默認"},
    {TextSlot::LightOff, "Off", "关闭模式", "關閉模式"},
    {TextSlot::NonDisplay, "Non-Disolay", "关闭", "關閉"},
    {TextSlot::LeftKeyMustBeSelected, "Left key must be selected!", "左键功能必须选择！",
     "左鍵功能必須選擇！"},
    {TextSlot::SwitchReportRate1000Hz, "Switch report rate into 1000HZ", "报告率切换到1000HZ",
     "報告率切換到1000HZ"},
    {TextSlot::SwitchReportRate500Hz, "Switch report rate into 500HZ", "报告率切换到500HZ",
     "報告率切換到500HZ"},
    {TextSlot::SwitchReportRate250Hz, "Switch report rate into 250HZ", "报告率切换到250HZ",
     "報告率切換到250HZ"},
    {TextSlot::SwitchReportRate125Hz, "Switch report rate into 125HZ", "报告率切换到125HZ",
     "報告率切換到125HZ"},
    {TextSlot::SwitchDpiFirstStage, "Switch DPI into the first stage ", "DPI切换到第一段",
     "DPI切換到第一段"},
    {TextSlot::SwitchDpiSecondStage, "Switch DPI into the second stage ", "DPI切换到第二段",
     "DPI切換到第二段"},
    {TextSlot::SwitchDpiThirdStage, "Switch DPI into the third stage ", "DPI切换到第三段",
     "DPI切換到第三段"},
    {TextSlot::SwitchDpiFourthStage, "Switch DPI into the fourth stage ", "DPI切换到第四段",
     "DPI切換到第四段"},
    {TextSlot::SwitchKeyMatrix1, "Switch to key matrix 1", "切换到按键组1", "切換到按鍵群組1"},
    {TextSlot::SwitchKeyMatrix2, "Switch to key matrix 2", "切换到按键组2", "切換到按鍵群組2"},
    {TextSlot::SwitchToMacroKey, "Switch to macro key", "切换到宏", "切換到巨集"},
    {TextSlot::Exit, "Exit", "退出", "退出"},
    {TextSlot::MouseNotDetected, "The system did not detect the gaming mouse!",
     "系统没有检测到游戏鼠标！", "系統沒有檢測到遊戲滑鼠！"},
    {TextSlot::MouseDetected, "The system detect the gaming mouse.", "系统检测到游戏鼠标。",
     "系統檢測到遊戲滑鼠。"},
    {TextSlot::Delete, "Delete", "删除", "刪除"},
    {TextSlot::MacroNameBlank, "Macro name is blank", "宏名称为空", "巨集名稱為空"},
    {TextSlot::MacroNameExists, "Macro name already exists", "宏名称已经存在",
     "巨集名稱已經存在"},
    {TextSlot::PressCtrlBreakToStop, "Press Ctrl+Break key to stop recording",
     "按Ctrl+Break可以停止录制", "按Ctrl+Break可以停止錄製"},
    {TextSlot::NotRecording, "It doesn\u2019t start recording, unnecessary to press Stop key!",
     "没有开始录制,点击停止录制按钮没有意义！", "沒有開始錄製，點擊停止錄製按鈕沒有意義！"},
    {TextSlot::SkinsColourPrompt, "Please click to set the UI text color", "请点击设置UI文本颜色",
     "請點擊設置UI文本顏色"},
};

TEST(UiTextChinese, ExactFormsOfTheTable) {
    const UiText english = UiText::For(UiLanguage::English);
    const UiText simplified = UiText::For(UiLanguage::Simplified);
    const UiText traditional = UiText::For(UiLanguage::Traditional);
    for (const ExactForm& form : kExactForms) {
        SCOPED_TRACE(std::string(form.english));
        EXPECT_EQ(english.Get(form.slot), form.english);
        EXPECT_EQ(simplified.Get(form.slot), form.simplified);
        EXPECT_EQ(traditional.Get(form.slot), form.traditional);
    }
}

TEST(UiTextChinese, OnlyShiftWindowsAndWebAddressStayUntranslated) {
    const UiText english = UiText::For(UiLanguage::English);
    for (const UiLanguage language : {UiLanguage::Simplified, UiLanguage::Traditional}) {
        const UiText chinese = UiText::For(language);
        for (std::size_t i = 0; i < kSlotCount; ++i) {
            const TextSlot slot = SlotAt(i);
            const bool shared = slot == TextSlot::Shift || slot == TextSlot::Windows ||
                                slot == TextSlot::WebAddress;
            EXPECT_EQ(chinese.Get(slot) == english.Get(slot), shared)
                << LanguageName(language) << " " << Describe(slot);
        }
    }
    EXPECT_EQ(english.Get(TextSlot::Shift), "Shift");
    EXPECT_EQ(english.Get(TextSlot::Windows), "Windows");
}

// Characters of only one script (as used in these texts), and the words only one region uses.
constexpr std::array<std::string_view, 52> kSimplifiedOnly{
    "设", "换", "键", "标", "录", "关", "闭", "选", "择", "认", "删", "单", "组",
    "级", "颜", "滚", "轮", "双", "击", "连", "发", "进", "参", "数", "灯", "闪",
    "烁", "复", "称", "经", "为", "检", "测", "统", "没", "请", "输", "环", "义",
    "点", "钮", "开", "个", "时", "松", "范", "围", "误", "码", "鼠标", "宏", "针"};
constexpr std::array<std::string_view, 52> kTraditionalOnly{
    "設", "換", "鍵", "標", "錄", "關", "閉", "選", "擇", "認", "刪", "單", "組",
    "級", "顏", "滾", "輪", "雙", "擊", "連", "發", "進", "參", "數", "燈", "閃",
    "爍", "復", "稱", "經", "為", "檢", "測", "統", "沒", "請", "輸", "環", "義",
    "點", "鈕", "開", "個", "時", "鬆", "範", "圍", "誤", "碼", "滑鼠", "巨集", "針"};

TEST(UiTextChinese, ScriptsDoNotMix) {
    const UiText simplified = UiText::For(UiLanguage::Simplified);
    const UiText traditional = UiText::For(UiLanguage::Traditional);
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        const TextSlot slot = SlotAt(i);
        for (const std::string_view mark : kTraditionalOnly) {
            EXPECT_FALSE(Contains(simplified.Get(slot), mark))
                << Describe(slot) << " simplified holds " << mark;
        }
        for (const std::string_view mark : kSimplifiedOnly) {
            EXPECT_FALSE(Contains(traditional.Get(slot), mark))
                << Describe(slot) << " traditional holds " << mark;
        }
    }
}

TEST(UiTextChinese, TraditionalUsesRegionalWords) {
    struct Word {
        std::string_view simplified;
        std::string_view traditional;
    };
    constexpr Word kWords[] = {
        {"鼠标", "滑鼠"}, {"宏", "巨集"}, {"按键组", "按鍵群組"}, {"屏幕", "螢幕"}, {"组合键", "複合鍵"}};
    const UiText simplified = UiText::For(UiLanguage::Simplified);
    const UiText traditional = UiText::For(UiLanguage::Traditional);
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        const TextSlot slot = SlotAt(i);
        for (const Word& word : kWords) {
            if (Contains(simplified.Get(slot), word.simplified)) {
                EXPECT_TRUE(Contains(traditional.Get(slot), word.traditional))
                    << Describe(slot) << " lacks " << word.traditional;
            }
        }
    }
    EXPECT_EQ(traditional.Get(TextSlot::ComboKey), "複合鍵");
    EXPECT_TRUE(Contains(traditional.Get(TextSlot::ScrollOneScreen), "螢幕"));
    EXPECT_TRUE(Contains(traditional.Get(TextSlot::MouseSpeed), "滑鼠"));
}

// ---------------------------------------------------------------------------------------
// English texts

TEST(UiTextEnglish, OddTextsAreKeptExactly) {
    const UiText english = UiText::For(UiLanguage::English);
    EXPECT_EQ(english.Get(TextSlot::NonDisplay), "Non-Disolay");
    EXPECT_EQ(english.Get(TextSlot::MouseDetected), "The system detect the gaming mouse.");
    EXPECT_EQ(english.Get(TextSlot::NotRecording),
              "It doesn\xE2\x80\x99t start recording, unnecessary to press Stop key!");
    EXPECT_EQ(english.Get(TextSlot::DefaultButtons), "Default");
    EXPECT_EQ(english.Get(TextSlot::DefaultPointer), "Default");
    EXPECT_EQ(english.Get(TextSlot::TripleClick), "Triple-click");
    EXPECT_EQ(english.Get(TextSlot::InsertMouseEvent), "Insert A Mouse Event");
    EXPECT_EQ(english.Get(TextSlot::TimesRange),
              "Times (value range 0-255,0 indicates fire key to end when the key released)");
}

TEST(UiTextEnglish, OnlyTheFourStageTextsEndWithABlank) {
    for (const UiLanguage language : kLanguages) {
        const UiText text = UiText::For(language);
        for (std::size_t i = 0; i < kSlotCount; ++i) {
            const TextSlot slot = SlotAt(i);
            const bool stage = slot == TextSlot::SwitchDpiFirstStage ||
                               slot == TextSlot::SwitchDpiSecondStage ||
                               slot == TextSlot::SwitchDpiThirdStage ||
                               slot == TextSlot::SwitchDpiFourthStage;
            const std::string_view value = text.Get(slot);
            EXPECT_FALSE(value.starts_with(' ')) << LanguageName(language) << " " << Describe(slot);
            EXPECT_EQ(value.ends_with(' '), stage && language == UiLanguage::English)
                << LanguageName(language) << " " << Describe(slot);
        }
    }
}

// ---------------------------------------------------------------------------------------
// Language choice and section names

TEST(UiTextLanguage, CodeChoosesTheLanguage) {
    struct Case {
        std::string_view code;
        UiLanguage expected;
    };
    constexpr Case kCases[] = {
        {"CHS", UiLanguage::Simplified}, {"CHT", UiLanguage::Traditional},
        {"", UiLanguage::English},              {"EN", UiLanguage::English},
        {"chs", UiLanguage::English},           {"Cht", UiLanguage::English},
        {"CHS ", UiLanguage::English},          {" CHT", UiLanguage::English},
        {"CHSX", UiLanguage::English},          {"CHT ", UiLanguage::English},
        {"CHTW", UiLanguage::English},          {"CH", UiLanguage::English},
        {std::string_view("CHS\0", 4), UiLanguage::English},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(LanguageFromCode(c.code), c.expected) << "code \"" << c.code << "\"";
    }
}

TEST(UiTextLanguage, SectionNameFollowsTheCode) {
    struct Case {
        std::string_view code;
        std::string_view section;
        std::string_view ok;
    };
    constexpr Case kCases[] = {
        {"CHS", "Setting-CHS", "确定"},
        {"CHT", "Setting-CHT", "確定"},
        {"chs", "Setting-EN", "OK"},
        {"", "Setting-EN", "OK"},
    };
    for (const Case& c : kCases) {
        const UiText text = UiText::For(LanguageFromCode(c.code));
        EXPECT_EQ(text.SectionName(), c.section) << "code \"" << c.code << "\"";
        EXPECT_EQ(text.Get(TextSlot::Ok), c.ok) << "code \"" << c.code << "\"";
    }
}

// ---------------------------------------------------------------------------------------
// Tray balloons

struct BalloonCase {
    UiLanguage language;
    int code;
    std::uint32_t value;
    std::string_view dpiLabel;
    std::string_view text;
    std::string_view title;
    int timeoutMs;
};

constexpr BalloonCase kBalloons[] = {
    {UiLanguage::English, 5, 1, "", "Switch report rate into 1000HZ", "Info", 5000},
    {UiLanguage::English, 5, 2, "", "Switch report rate into 500HZ", "Info", 5000},
    {UiLanguage::English, 5, 4, "", "Switch report rate into 250HZ", "Info", 5000},
    {UiLanguage::English, 5, 8, "", "Switch report rate into 125HZ", "Info", 5000},
    {UiLanguage::English, 7, 1, "400", "Switch DPI into the first stage 400", "Info", 5000},
    {UiLanguage::English, 7, 2, "800", "Switch DPI into the second stage 800", "Info", 5000},
    {UiLanguage::English, 7, 3, "1600", "Switch DPI into the third stage 1600", "Info", 5000},
    {UiLanguage::English, 7, 4, "3200", "Switch DPI into the fourth stage 3200", "Info", 5000},
    // A sensor type without labels leaves the stage text alone, blank included.
    {UiLanguage::English, 7, 2, "", "Switch DPI into the second stage ", "Info", 5000},
    {UiLanguage::English, 8, 1, "", "Switch to key matrix 1", "Info", 5000},
    {UiLanguage::English, 8, 2, "", "Switch to key matrix 2", "Info", 5000},
    {UiLanguage::English, 9, 2, "", "Switch to macro key2", "Info", 5000},
    {UiLanguage::English, 9, 12, "", "Switch to macro key12", "Info", 5000},
    {UiLanguage::English, 9, 4000000000u, "", "Switch to macro key4000000000", "Info", 5000},
    {UiLanguage::English, 14, 0, "", "The system detect the gaming mouse.", "Info", kDesktopDefaultTimeout},
    {UiLanguage::English, 14, 7, "", "The system detect the gaming mouse.", "Info", kDesktopDefaultTimeout},
    {UiLanguage::English, 15, 0, "", "The system did not detect the gaming mouse!", "Warning",
     kDesktopDefaultTimeout},
    {UiLanguage::Simplified, 5, 8, "", "报告率切换到125HZ", "Info", 5000},
    {UiLanguage::Simplified, 7, 2, "800", "DPI切换到第二段800", "Info", 5000},
    {UiLanguage::Simplified, 9, 3, "", "切换到宏3", "Info", 5000},
    {UiLanguage::Simplified, 15, 0, "", "系统没有检测到游戏鼠标！", "Warning", kDesktopDefaultTimeout},
    {UiLanguage::Traditional, 7, 4, "2400", "DPI切換到第四段2400", "Info", 5000},
    {UiLanguage::Traditional, 8, 2, "", "切換到按鍵群組2", "Info", 5000},
    {UiLanguage::Traditional, 9, 2, "", "切換到巨集2", "Info", 5000},
    {UiLanguage::Traditional, 14, 0, "", "系統檢測到遊戲滑鼠。", "Info", kDesktopDefaultTimeout},
};

TEST(UiTextBalloon, ShowsTheRowsOfTheTable) {
    for (const BalloonCase& c : kBalloons) {
        SCOPED_TRACE(std::string(LanguageName(c.language)) + " code " + std::to_string(c.code) +
                     " value " + std::to_string(c.value));
        const auto balloon = BalloonFor(UiText::For(c.language), c.code, c.value, c.dpiLabel);
        ASSERT_TRUE(balloon.has_value());
        EXPECT_EQ(balloon->text, c.text);
        EXPECT_EQ(balloon->title, c.title);
        EXPECT_EQ(balloon->timeoutMs, c.timeoutMs);
    }
}

TEST(UiTextBalloon, ShowsNothingForOtherPairs) {
    struct Case {
        int code;
        std::uint32_t value;
    };
    constexpr Case kCases[] = {
        {5, 0},  {5, 3},  {5, 16}, {5, 0x101}, {6, 1},  {7, 0},  {7, 5},
        {7, 0x102}, {8, 0}, {8, 3}, {8, 4},  {9, 0},  {10, 1}, {11, 1},
        {12, 1}, {13, 1}, {0, 1},  {-1, 1},  {16, 0}, {0x0402, 1},
    };
    for (const UiLanguage language : kLanguages) {
        const UiText text = UiText::For(language);
        for (const Case& c : kCases) {
            EXPECT_FALSE(BalloonFor(text, c.code, c.value, "800").has_value())
                << LanguageName(language) << " code " << c.code << " value " << c.value;
        }
    }
}

TEST(UiTextBalloon, NoticeOverloadMatchesTheCodes) {
    const UiText english = UiText::For(UiLanguage::English);
    EXPECT_EQ(BalloonFor(english, DeviceNotice::DpiStage, 3, "1200"),
              BalloonFor(english, 7, 3, "1200"));
    EXPECT_EQ(BalloonFor(english, DeviceNotice::Missing, 0, "")->title, "Warning");
}

// ---------------------------------------------------------------------------------------
// Fonts

TEST(UiTextFonts, FollowTheLanguage) {
    struct Case {
        UiLanguage language;
        std::string_view normalFace;
        int normalHeight;
        std::string_view headingFace;
    };
    constexpr Case kCases[] = {
        {UiLanguage::Simplified, "宋体", 13, "宋体"},
        {UiLanguage::Traditional, "黑体", 14, "黑体"},
        {UiLanguage::English, "Arial", 14, "Tahoma"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(LanguageName(c.language)));
        const LanguageFonts fonts = FontsFor(c.language);
        EXPECT_EQ(fonts.normal.face, c.normalFace);
        EXPECT_EQ(fonts.normal.pixelHeight, c.normalHeight);
        EXPECT_EQ(fonts.normal.weight, 400);
        EXPECT_EQ(fonts.heading.face, c.headingFace);
        EXPECT_EQ(fonts.heading.pixelHeight, 18);
        EXPECT_EQ(fonts.heading.weight, 700);
    }
}

TEST(UiTextFonts, FacesFallBackToCommonLinuxFamilies) {
    auto has = [](const FontRequest& font, std::string_view family) {
        for (const std::string_view listed : font.families) {
            if (listed == family) {
                return true;
            }
        }
        return false;
    };
    const LanguageFonts english = FontsFor(UiLanguage::English);
    ASSERT_FALSE(english.normal.families.empty());
    EXPECT_EQ(english.normal.families.front(), "Arial");
    EXPECT_TRUE(has(english.normal, "Liberation Sans"));
    EXPECT_TRUE(has(english.normal, "DejaVu Sans"));
    ASSERT_FALSE(english.heading.families.empty());
    EXPECT_EQ(english.heading.families.front(), "Tahoma");
    EXPECT_TRUE(has(english.heading, "DejaVu Sans"));

    for (const UiLanguage language : {UiLanguage::Simplified, UiLanguage::Traditional}) {
        SCOPED_TRACE(std::string(LanguageName(language)));
        const LanguageFonts fonts = FontsFor(language);
        for (const FontRequest* font : {&fonts.normal, &fonts.heading}) {
            EXPECT_TRUE(has(*font, "Noto Sans CJK SC"));
            EXPECT_TRUE(has(*font, "WenQuanYi Micro Hei"));
            EXPECT_FALSE(has(*font, "Arial"));
        }
    }
    EXPECT_EQ(FontsFor(UiLanguage::Traditional).normal.families.front(), "Noto Sans CJK TC");
}

// ---------------------------------------------------------------------------------------
// Macro editor notices

constexpr std::array kAllMacroMessages{
    MacroMessage::NameBlank,
    MacroMessage::MacroNumbersUpTo12,
    MacroMessage::NameAlreadyExists,
    MacroMessage::NameTooLong,
    MacroMessage::NameHasBracket,
    MacroMessage::NameHasLineBreak,
    MacroMessage::NameHasControlCharacter,
    MacroMessage::NameHasSurroundingBlanks,
    MacroMessage::StartRecording,
    MacroMessage::StopRecording,
    MacroMessage::NotRecording,
    MacroMessage::HookInstallFailed,
    MacroMessage::RecordingTitle,
    MacroMessage::MacroDoesNotFit,
    MacroMessage::MacroHasNoSlot,
    MacroMessage::WriteFailed,
};

TEST(UiTextMacroNotice, EveryMessageReadsInEveryLanguage) {
    for (const UiLanguage language : kLanguages) {
        const UiText text = UiText::For(language);
        for (const MacroMessage message : kAllMacroMessages) {
            const std::string shown = MacroNoticeText(text, {message, MacroCaption::Warning, 7, 2});
            EXPECT_FALSE(shown.empty()) << LanguageName(language) << " " << int(message);
            EXPECT_FALSE(Contains(shown, "%1") || Contains(shown, "%2"))
                << LanguageName(language) << " " << shown;
        }
    }
}

TEST(UiTextMacroNotice, MessagesOfTheTableUseTheirSlots) {
    struct Case {
        UiLanguage language;
        MacroMessage message;
        std::string_view shown;
    };
    constexpr Case kCases[] = {
        {UiLanguage::Simplified, MacroMessage::NameBlank, "宏名称为空"},
        {UiLanguage::Traditional, MacroMessage::NameAlreadyExists, "巨集名稱已經存在"},
        {UiLanguage::English, MacroMessage::StartRecording, "Start Recording"},
        {UiLanguage::Traditional, MacroMessage::StopRecording, "停止錄製"},
        {UiLanguage::Simplified, MacroMessage::RecordingTitle, "按Ctrl+Break可以停止录制"},
        {UiLanguage::English, MacroMessage::NotRecording,
         "It doesn\u2019t start recording, unnecessary to press Stop key!"},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(MacroNoticeText(UiText::For(c.language), {c.message}), c.shown)
            << LanguageName(c.language) << " " << int(c.message);
    }
}

TEST(UiTextMacroNotice, NumbersAreFilledIn) {
    const MacroNotice doesNotFit{MacroMessage::MacroDoesNotFit, MacroCaption::Warning, 20, 3};
    EXPECT_EQ(MacroNoticeText(UiText::For(UiLanguage::English), doesNotFit),
              "Macro is too long for the mouse: 20 events stored, 3 left out");
    EXPECT_EQ(MacroNoticeText(UiText::For(UiLanguage::Simplified), doesNotFit),
              "宏太长，鼠标无法全部保存：已保存20个事件，舍弃3个");
    EXPECT_EQ(MacroNoticeText(UiText::For(UiLanguage::Traditional), doesNotFit),
              "巨集太長，滑鼠無法全部保存：已保存20個事件，捨棄3個");

    const MacroNotice writeFailed{MacroMessage::WriteFailed, MacroCaption::Warning, -13};
    EXPECT_EQ(MacroNoticeText(UiText::For(UiLanguage::English), writeFailed),
              "Macro file could not be saved (error code -13)");
    EXPECT_EQ(MacroNoticeText(UiText::For(UiLanguage::Traditional), writeFailed),
              "巨集文件無法保存（錯誤代碼-13）");
}

TEST(UiTextMacroNotice, FixedMessagesReadTheSameInEveryLanguage) {
    for (const UiLanguage language : kLanguages) {
        const UiText text = UiText::For(language);
        EXPECT_EQ(MacroNoticeText(text, {MacroMessage::MacroNumbersUpTo12, MacroCaption::Warning}),
                  "Macro numbers up to 12.");
        EXPECT_EQ(MacroNoticeText(text, {MacroMessage::HookInstallFailed,
                                         MacroCaption::ApplicationTitle, 1428}),
                  "JournalRecordHook Install error code :1428\n");
    }
    EXPECT_FALSE(SlotForMacroMessage(MacroMessage::MacroNumbersUpTo12).has_value());
    EXPECT_FALSE(SlotForMacroMessage(MacroMessage::HookInstallFailed).has_value());
}

}  // namespace
}  // namespace quarten
