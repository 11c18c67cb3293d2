// The fixed pixel layout of the skinned windows and the file names of the skin images: every
// rectangle the main window's pages, the skins dialog and the assignment dialogs draw at or
// test presses against. The shipped skins are painted to fit these rectangles.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string_view>

namespace quarten::layout {

struct Size {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const Size&, const Size&) = default;
};

// Client pixels; right and bottom are exclusive, so a 16 x 16 box at 51, 255 is 51, 255, 67, 271.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr Size size() const { return {width(), height()}; }
    constexpr bool empty() const { return right <= left || bottom <= top; }
    constexpr bool contains(int x, int y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    // True when `inner` lies wholly inside this rectangle.
    constexpr bool contains(const Rect& inner) const {
        return inner.left >= left && inner.top >= top && inner.right <= right &&
               inner.bottom <= bottom;
    }
    constexpr bool fitsIn(Size area) const {
        return left >= 0 && top >= 0 && right <= area.width && bottom <= area.height;
    }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

constexpr Rect RectAt(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

// A rectangle with the name the tests and the skin painter report it by.
struct NamedRect {
    std::string_view name;
    Rect rect;
};

// ---------------------------------------------------------------------------------------
// Skin images: file names inside a skin folder.
namespace image {
inline constexpr std::string_view kBasicBackground = "BasicSet2.png";
inline constexpr std::string_view kAdvancedBackground = "AdvancedSet2.png";
inline constexpr std::string_view kSkinsDialog = "skins.png";
inline constexpr std::string_view kButtonNormal = "button-normal.png";
inline constexpr std::string_view kButtonOver = "button-over.png";
inline constexpr std::string_view kCloseNormal = "button-close-normal.png";
inline constexpr std::string_view kCloseOver = "button-close-over.png";
inline constexpr std::string_view kMinNormal = "button-min-normal.png";
inline constexpr std::string_view kMinOver = "button-min-over.png";
inline constexpr std::string_view kSkinsNormal = "button-Skins-normal.png";
inline constexpr std::string_view kSkinsOver = "button-Skins-over.png";
inline constexpr std::string_view kPrePageNormal = "button-PrePage-normal.png";
inline constexpr std::string_view kPrePageOver = "button-PrePage-over.png";
inline constexpr std::string_view kNextPageNormal = "button-NextPage-normal.png";
inline constexpr std::string_view kNextPageOver = "button-NextPage-over.png";
inline constexpr std::string_view kDropdownNormal = "DropdownBox-normal.png";
inline constexpr std::string_view kDropdownOver = "DropdownBox-over.png";
inline constexpr std::string_view kPane = "Pane.png";
inline constexpr std::string_view kPaneTick = "PaneMakingTick.png";
inline constexpr std::string_view kSliderLight = "slider-light.png";
inline constexpr std::string_view kSliderDark = "slider-dark.png";
inline constexpr std::string_view kDpiLight = "slider-DPI-light.png";
inline constexpr std::string_view kDpiDark = "slider-DPI-dark.png";
inline constexpr std::string_view kRateLight = "slider-RP-light.png";
inline constexpr std::string_view kRateDark = "slider-RP-dark.png";
inline constexpr std::string_view kComboKeyDialog = "combo-key.png";
inline constexpr std::string_view kDelayTimeDialog = "delay-time.png";
inline constexpr std::string_view kFireKeyDialog = "fire-key.png";
inline constexpr std::string_view kMacroKeyDialog = "macro-key.png";
inline constexpr std::string_view kMediaKeyDialog = "media-key.png";
inline constexpr std::string_view kSingleKeyDialog = "single-key.png";
inline constexpr std::string_view kWindowsKeyDialog = "windows-key.png";

// Every image a complete skin folder holds.
inline constexpr std::array<std::string_view, 32> kAll = {
    kBasicBackground, kAdvancedBackground, kSkinsDialog,    kButtonNormal,   kButtonOver,
    kCloseNormal,     kCloseOver,          kMinNormal,      kMinOver,        kSkinsNormal,
    kSkinsOver,       kPrePageNormal,      kPrePageOver,    kNextPageNormal, kNextPageOver,
    kDropdownNormal,  kDropdownOver,       kPane,           kPaneTick,       kSliderLight,
    kSliderDark,      kDpiLight,           kDpiDark,        kRateLight,      kRateDark,
    kComboKeyDialog,  kDelayTimeDialog,    kFireKeyDialog,  kMacroKeyDialog, kMediaKeyDialog,
    kSingleKeyDialog, kWindowsKeyDialog,
};
}  // namespace image

// Sizes of the control images; each equals the rectangles it is drawn at.
inline constexpr Size kTextButtonSize{105, 21};
inline constexpr Size kFrameIconSize{18, 18};
inline constexpr Size kPageArrowSize{40, 40};
inline constexpr Size kKeyBoxSize{211, 21};
inline constexpr Size kPaneSize{16, 16};
inline constexpr Size kSliderSegmentSize{24, 11};
inline constexpr Size kDpiSegmentSize{16, 16};
inline constexpr Size kRateSegmentSize{70, 11};

// ---------------------------------------------------------------------------------------
// Main window, both pages. The window is as large as the basic page background.
inline constexpr Size kMainWindowSize{900, 660};

namespace frame {
inline constexpr Rect kOk{562, 623, 667, 644};
inline constexpr Rect kApply{666, 623, 771, 644};
inline constexpr Rect kCancel{770, 623, 875, 644};
inline constexpr Rect kSkins{701, 5, 719, 23};
inline constexpr Rect kMinimise{825, 5, 843, 23};
inline constexpr Rect kClose{850, 5, 868, 23};
inline constexpr Rect kPrevPage{20, 58, 60, 98};
inline constexpr Rect kNextPage{70, 58, 110, 98};
inline constexpr Rect kWebAddress{237, 621, 484, 643};
// The page title ("Basic Settings", "Advanced Settings"), heading font, left-aligned.
inline constexpr Rect kPageTitle{120, 58, 352, 98};
// Where the window says that no mouse can be used, and why: a band across the page under
// the title, over the headings of both pages.
inline constexpr Rect kNoMouseNotice{120, 100, 880, 144};
}  // namespace frame

// ---------------------------------------------------------------------------------------
// Basic page: key assignment, report rate, DPI stages, lighting.
namespace basic {
inline constexpr Rect kKeyDefault{307, 549, 412, 570};
inline constexpr Rect kModeA{253, 518, 358, 539};
inline constexpr Rect kModeB{357, 518, 462, 539};

// Key dropdown boxes for buttons 1-7, one under the other at 23-pixel pitch.
inline constexpr int kKeyBoxCount = 7;
inline constexpr int kKeyBoxPitch = 23;
constexpr Rect KeyBox(int k) {
    return {252, 199 + kKeyBoxPitch * (k - 1), 463, 220 + kKeyBoxPitch * (k - 1)};
}
// The box number sits in the first 20 pixels, the function name in the rest.
inline constexpr int kBoxNumberWidth = 20;
constexpr Rect KeyBoxNumber(int k) {
    const Rect box = KeyBox(k);
    return {box.left, box.top, box.left + kBoxNumberWidth, box.bottom};
}
constexpr Rect KeyBoxText(int k) {
    const Rect box = KeyBox(k);
    return {box.left + kBoxNumberWidth, box.top, box.right, box.bottom};
}
// The sixteen-item function list opens right under its box.
inline constexpr int kKeyListHeight = 276;
constexpr Rect KeyList(int k) {
    const Rect box = KeyBox(k);
    return {box.left, box.bottom + 1, box.right, box.bottom + 1 + kKeyListHeight};
}
// The "DPI Switch" sub-list: a square whose top-left is the hovered item's top-left.
inline constexpr int kSecondaryListSide = 60;

// Report-rate positions 1-4 (125, 250, 500, 1000 Hz), one segment image each.
inline constexpr int kRateCount = 4;
constexpr Rect RateSegment(int p) { return RectAt(542 + 72 * (p - 1), 204, 70, 11); }
// The position's value ("125Hz" ...) under its segment, centred.
constexpr Rect RateLabel(int p) {
    const Rect seg = RateSegment(p);
    return {seg.left, seg.bottom + 4, seg.right, seg.bottom + 22};
}

// DPI stages 1-4: a column of level segments growing upward, a colour swatch, an on/off box.
inline constexpr int kStageCount = 4;
inline constexpr std::array<int, kStageCount> kStageLefts = {554, 581, 608, 635};
inline constexpr int kDpiLevelsMax = 12;
inline constexpr int kDpiSegmentPitch = 18;
inline constexpr int kDpiBottomSegmentTop = 500;
constexpr int StageLeft(int s) { return kStageLefts[static_cast<std::size_t>(s - 1)]; }
constexpr Rect DpiSegment(int s, int n) {
    return RectAt(StageLeft(s), kDpiBottomSegmentTop - kDpiSegmentPitch * (n - 1), 16, 16);
}
constexpr Rect StageSwatch(int s) { return {StageLeft(s), 523, StageLeft(s) + 16, 539}; }
constexpr Rect StageBox(int s) { return RectAt(StageLeft(s), 541, 16, 16); }
// The level's DPI value, right-aligned beside segment row n, shared by the four columns.
constexpr Rect DpiLevelLabel(int n) {
    const Rect seg = DpiSegment(1, n);
    return {490, seg.top, 549, seg.bottom};
}

// Lighting: mode, parameter and effect boxes (drawn into the background) with their labels.
inline constexpr int kLightBoxCount = 3;
constexpr Rect LightBox(int i) { return {767, 330 + 30 * i, 851, 344 + 30 * i}; }  // i = 0..2
// Static labels 80, 81, 82 inside the boxes, clear of the arrow at the right end.
constexpr Rect LightBoxLabel(int i) {
    const Rect box = LightBox(i);
    return {box.left + 2, box.top, box.right - 15, box.bottom};
}
inline constexpr int kLightListHeight = 140;
constexpr Rect LightList(int i) {
    const Rect box = LightBox(i);
    return {box.left, box.bottom + 1, box.right, box.bottom + 1 + kLightListHeight};
}
// "Mode", "Parameter", "Effect" to the left of the boxes, left-aligned.
constexpr Rect LightCaption(int i) {
    const Rect box = LightBox(i);
    return {686, box.top, 762, box.bottom};
}

// Section headings, centred: "Key Setting", "Report Rate Setting", "DPI Setting",
// "DPI Effect"; "Color Setting" names the swatch row from underneath the stage boxes.
inline constexpr Rect kKeySettingHeading{252, 160, 463, 181};
inline constexpr Rect kRateHeading{542, 160, 828, 181};
inline constexpr Rect kDpiHeading{486, 262, 664, 283};
inline constexpr Rect kLightHeading{684, 262, 862, 283};
inline constexpr Rect kColorCaption{486, 562, 664, 580};
}  // namespace basic

// ---------------------------------------------------------------------------------------
// Advanced page: host pointer settings and the macro editor.
namespace advanced {
inline constexpr Rect kPrecisionBox{51, 255, 67, 271};
inline constexpr Rect kOneScreenBox{51, 405, 67, 421};
inline constexpr Rect kDefault{194, 573, 299, 594};
inline constexpr Rect kRecordStart{735, 229, 764, 258};
inline constexpr Rect kRecordStop{735, 265, 764, 294};
inline constexpr Rect kNew{513, 528, 618, 549};
inline constexpr Rect kDelete{617, 528, 722, 549};
inline constexpr Rect kConfirm{721, 528, 826, 549};
// "Insert A Mouse Event" dropdown (control 154) and its list.
inline constexpr Rect kEventBox{735, 402, 854, 416};
// Ends above "Confirm" (top 528): an open list must not take the press meant for it.
inline constexpr Rect kEventList{734, 419, 854, 526};

// Sliders: rows 0-2 (pointer speed, scroll lines, double-click speed), eleven segments each.
inline constexpr int kSliderRows = 3;
inline constexpr int kSliderSegments = 11;
inline constexpr std::array<int, kSliderRows> kSliderTops = {200, 350, 500};
inline constexpr int kSliderLeft = 52;
constexpr Rect SliderSegment(int row, int n) {
    return RectAt(kSliderLeft + 24 * (n - 1), kSliderTops[static_cast<std::size_t>(row)], 24, 11);
}
// Segment number n, top-centred below the segment.
constexpr Rect SliderNumber(int row, int n) {
    const Rect seg = SliderSegment(row, n);
    return {seg.left, seg.bottom + 10, seg.right, seg.bottom + 30};
}
// The segment 1-11 of `row` under the point, or 0.
constexpr int SliderSegmentAt(int row, int x, int y) {
    for (int n = 1; n <= kSliderSegments; ++n) {
        if (SliderSegment(row, n).contains(x, y)) return n;
    }
    return 0;
}

// Texts drawn by the page builder.
inline constexpr Rect kPrecisionText{77, 255, 408, 271};
inline constexpr Rect kOneScreenText{77, 405, 408, 421};
inline constexpr Rect kSelectMacroHeading{457, 196, 592, 220};
inline constexpr Rect kSequenceHeading{591, 196, 726, 220};
inline constexpr Rect kRecordOptionHeading{725, 196, 875, 220};
inline constexpr Rect kStartRecordingText{774, 229, 874, 258};
inline constexpr Rect kStopRecordingText{774, 265, 874, 294};
inline constexpr Rect kMacroNameText{735, 302, 874, 322};
inline constexpr Rect kLoopTimesText{735, 342, 874, 362};
inline constexpr Rect kInsertEventText{735, 382, 874, 402};
inline constexpr Rect kMouseSpeedHeading{38, 160, 143, 181};
inline constexpr Rect kScrollSpeedHeading{38, 310, 143, 331};
inline constexpr Rect kDoubleClickHeading{38, 460, 143, 481};
inline constexpr Rect kMacroSettingHeading{469, 160, 578, 181};

// Child controls.
inline constexpr Rect kEventBoxLabel{735, 402, 839, 416};  // static 119
inline constexpr Rect kMacroNameField{735, 322, 799, 336};  // edit 150
inline constexpr Rect kLoopTimesField{735, 362, 799, 376};  // edit 149
inline constexpr Rect kMacroList{462, 220, 591, 512};       // list 151
inline constexpr Rect kSequenceList{592, 220, 725, 512};    // list 152
// The line under New, Delete and Confirm that says how a recording ends, while one runs.
inline constexpr Rect kRecordingHint{462, 556, 875, 576};
}  // namespace advanced

// DPI column hit test: the segment 1..levels of stage s under the point, or 0.
constexpr int DpiSegmentAt(int s, int levels, int x, int y) {
    for (int n = 1; n <= levels && n <= basic::kDpiLevelsMax; ++n) {
        if (basic::DpiSegment(s, n).contains(x, y)) return n;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------
// Dialogs. Every dialog has a close button at its top right and OK and Cancel at its bottom
// right, placed from the background size the same way in all of them.
struct DialogFrame {
    Size size;
    Rect close;
    Rect ok;
    Rect cancel;
};
constexpr DialogFrame MakeDialogFrame(int width, int height) {
    return {{width, height},
            {width - 36, 6, width - 18, 24},
            {width - 222, height - 35, width - 117, height - 14},
            {width - 118, height - 35, width - 13, height - 14}};
}
// The tray of a dialog's list: items of this height, plus a frame of two pixels each side.
inline constexpr int kListItemHeight = 17;
constexpr int ListHeight(int visibleItems) { return visibleItems * kListItemHeight + 4; }
// A dropdown box drawn into a dialog background keeps its arrow in the last 16 pixels.
inline constexpr int kBoxArrowWidth = 16;
constexpr Rect BoxText(const Rect& box) {
    return {box.left + 6, box.top, box.right - kBoxArrowWidth, box.bottom};
}

namespace skins {
inline constexpr DialogFrame kFrame = MakeDialogFrame(388, 288);
inline constexpr Rect kPrompt{12, 64, 181, 94};
inline constexpr Rect kSwatch{42, 94, 151, 110};        // static 561
inline constexpr Rect kSkinName{43, 128, 135, 142};     // static 560
inline constexpr Rect kSkinBox{42, 128, 151, 142};      // press toggles the list
inline constexpr Rect kSkinList{42, 146, 151, 264};     // list box 562
}  // namespace skins

namespace single_key {
inline constexpr DialogFrame kFrame = MakeDialogFrame(320, 170);
inline constexpr Rect kPrompt{20, 46, 300, 66};  // "Please enter a key", centred
inline constexpr Rect kKeyField{60, 76, 260, 98};
}  // namespace single_key

namespace windows_key {
inline constexpr DialogFrame kFrame = MakeDialogFrame(340, 310);
inline constexpr Rect kBox{60, 56, 280, 76};
inline constexpr Rect kList{60, 78, 280, 78 + ListHeight(11)};
}  // namespace windows_key

namespace media_key {
inline constexpr DialogFrame kFrame = MakeDialogFrame(340, 240);
inline constexpr Rect kBox{60, 56, 280, 76};
inline constexpr Rect kList{60, 78, 280, 78 + ListHeight(7)};
}  // namespace media_key

namespace combo_key {
inline constexpr DialogFrame kFrame = MakeDialogFrame(400, 250);
inline constexpr Rect kModifierBox{20, 64, 140, 84};
inline constexpr Rect kModifierList{20, 86, 140, 86 + ListHeight(8)};
inline constexpr Rect kKey1Field{160, 64, 270, 84};
inline constexpr Rect kKey2Field{290, 64, 380, 84};
}  // namespace combo_key

namespace fire_key {
inline constexpr DialogFrame kFrame = MakeDialogFrame(600, 260);
inline constexpr Rect kBox{20, 52, 180, 72};
inline constexpr Rect kList{20, 74, 180, 74 + ListHeight(10)};
inline constexpr Rect kSpeedText{200, 52, 250, 72};  // "Speed", left-aligned
inline constexpr Rect kSpeedField{254, 52, 314, 72};
inline constexpr Rect kTimesText{340, 52, 390, 72};  // "Times", left-aligned
inline constexpr Rect kTimesField{394, 52, 454, 72};
// "Illustration:" and its two explanation lines, left-aligned.
inline constexpr Rect kIllustrationHeading{24, 98, 576, 116};
inline constexpr Rect kIllustrationLine1{24, 120, 576, 138};
inline constexpr Rect kIllustrationLine2{24, 142, 576, 160};
}  // namespace fire_key

namespace macro_key {
inline constexpr DialogFrame kFrame = MakeDialogFrame(480, 220);
inline constexpr Rect kPrompt{20, 42, 460, 62};  // "Please select a macro", left-aligned
inline constexpr Rect kBox{20, 64, 220, 84};
inline constexpr Rect kList{20, 86, 220, 86 + ListHeight(6)};
// The three repeat-mode tick boxes (Pane images) and their texts, top to bottom.
constexpr Rect ModeBox(int m) { return RectAt(20, 98 + 26 * (m - 1), 16, 16); }  // m = 1..3
constexpr Rect ModeText(int m) {
    const Rect box = ModeBox(m);
    return {box.right + 8, box.top, 460, box.bottom};
}
}  // namespace macro_key

namespace delay_time {
inline constexpr DialogFrame kFrame = MakeDialogFrame(320, 190);
inline constexpr Rect kPrompt{20, 44, 300, 64};  // "Please enter a delay", centred
inline constexpr Rect kRange{20, 66, 300, 84};   // "(value range 0-10000)", centred
inline constexpr Rect kField{100, 94, 220, 116};
}  // namespace delay_time


// ---------------------------------------------------------------------------------------
// Rectangle tables per surface, for the fit checks and the skin painter.

// A fixed-capacity list filled at compile time; `count` says how much of it is used.
template <std::size_t N>
struct RectTable {
    std::array<NamedRect, N> items{};
    std::size_t count = 0;
    constexpr void add(std::string_view name, Rect rect) { items[count++] = {name, rect}; }
    constexpr const NamedRect* begin() const { return items.data(); }
    constexpr const NamedRect* end() const { return items.data() + count; }
    constexpr bool allFitIn(Size area) const {
        for (const auto& r : *this) {
            if (r.rect.empty() || !r.rect.fitsIn(area)) return false;
        }
        return true;
    }
};

constexpr RectTable<10> FrameRects() {
    RectTable<10> t;
    t.add("OK", frame::kOk);
    t.add("Apply", frame::kApply);
    t.add("Cancel", frame::kCancel);
    t.add("Skins", frame::kSkins);
    t.add("Minimise", frame::kMinimise);
    t.add("Close", frame::kClose);
    t.add("Previous page", frame::kPrevPage);
    t.add("Next page", frame::kNextPage);
    t.add("Web address", frame::kWebAddress);
    t.add("Page title", frame::kPageTitle);
    return t;
}

constexpr RectTable<128> BasicPageRects() {
    RectTable<128> t;
    t.add("Key Default", basic::kKeyDefault);
    t.add("Mode A", basic::kModeA);
    t.add("Mode B", basic::kModeB);
    t.add("Key Setting heading", basic::kKeySettingHeading);
    t.add("Report rate heading", basic::kRateHeading);
    t.add("DPI heading", basic::kDpiHeading);
    t.add("Lighting heading", basic::kLightHeading);
    t.add("Color caption", basic::kColorCaption);
    for (int k = 1; k <= basic::kKeyBoxCount; ++k) {
        t.add("Key box", basic::KeyBox(k));
        t.add("Key list", basic::KeyList(k));
    }
    for (int p = 1; p <= basic::kRateCount; ++p) {
        t.add("Report-rate segment", basic::RateSegment(p));
        t.add("Report-rate label", basic::RateLabel(p));
    }
    for (int s = 1; s <= basic::kStageCount; ++s) {
        t.add("Stage swatch", basic::StageSwatch(s));
        t.add("Stage box", basic::StageBox(s));
        for (int n = 1; n <= basic::kDpiLevelsMax; ++n) {
            t.add("DPI segment", basic::DpiSegment(s, n));
        }
    }
    for (int n = 1; n <= basic::kDpiLevelsMax; ++n) {
        t.add("DPI level label", basic::DpiLevelLabel(n));
    }
    for (int b = 0; b < basic::kLightBoxCount; ++b) {
        t.add("Lighting box", basic::LightBox(b));
        t.add("Lighting box label", basic::LightBoxLabel(b));
        t.add("Lighting list", basic::LightList(b));
        t.add("Lighting caption", basic::LightCaption(b));
    }
    return t;
}

constexpr RectTable<128> AdvancedPageRects() {
    RectTable<128> t;
    t.add("Precision box", advanced::kPrecisionBox);
    t.add("One-screen box", advanced::kOneScreenBox);
    t.add("Default", advanced::kDefault);
    t.add("Record start", advanced::kRecordStart);
    t.add("Record stop", advanced::kRecordStop);
    t.add("New", advanced::kNew);
    t.add("Delete", advanced::kDelete);
    t.add("Confirm", advanced::kConfirm);
    t.add("Event box", advanced::kEventBox);
    t.add("Event list", advanced::kEventList);
    t.add("Precision text", advanced::kPrecisionText);
    t.add("One-screen text", advanced::kOneScreenText);
    t.add("Select Macro heading", advanced::kSelectMacroHeading);
    t.add("Sequence heading", advanced::kSequenceHeading);
    t.add("Record Option heading", advanced::kRecordOptionHeading);
    t.add("Start Recording text", advanced::kStartRecordingText);
    t.add("Stop Recording text", advanced::kStopRecordingText);
    t.add("Macro Name text", advanced::kMacroNameText);
    t.add("Loop Times text", advanced::kLoopTimesText);
    t.add("Insert event text", advanced::kInsertEventText);
    t.add("Mouse Speed heading", advanced::kMouseSpeedHeading);
    t.add("Scrolling Speed heading", advanced::kScrollSpeedHeading);
    t.add("Double-Click heading", advanced::kDoubleClickHeading);
    t.add("Macro Setting heading", advanced::kMacroSettingHeading);
    t.add("Event box label", advanced::kEventBoxLabel);
    t.add("Macro name field", advanced::kMacroNameField);
    t.add("Loop times field", advanced::kLoopTimesField);
    t.add("Macro list", advanced::kMacroList);
    t.add("Sequence list", advanced::kSequenceList);
    t.add("Recording hint", advanced::kRecordingHint);
    for (int row = 0; row < advanced::kSliderRows; ++row) {
        for (int n = 1; n <= advanced::kSliderSegments; ++n) {
            t.add("Slider segment", advanced::SliderSegment(row, n));
            t.add("Slider number", advanced::SliderNumber(row, n));
        }
    }
    return t;
}

// A dialog background and everything drawn on it or pressed in it.
struct DialogLayout {
    std::string_view background;
    DialogFrame frame;
    RectTable<12> rects;
};

constexpr DialogLayout MakeDialog(std::string_view background, const DialogFrame& frame,
                                  std::initializer_list<NamedRect> rects) {
    DialogLayout d{background, frame, {}};
    d.rects.add("Close", frame.close);
    d.rects.add("OK", frame.ok);
    d.rects.add("Cancel", frame.cancel);
    for (const auto& r : rects) d.rects.add(r.name, r.rect);
    return d;
}

inline constexpr std::array<DialogLayout, 8> kDialogs = {
    MakeDialog(image::kSkinsDialog, skins::kFrame,
               {{"Prompt", skins::kPrompt},
                {"Swatch", skins::kSwatch},
                {"Skin name", skins::kSkinName},
                {"Skin box", skins::kSkinBox},
                {"Skin list", skins::kSkinList}}),
    MakeDialog(image::kSingleKeyDialog, single_key::kFrame,
               {{"Prompt", single_key::kPrompt}, {"Key field", single_key::kKeyField}}),
    MakeDialog(image::kWindowsKeyDialog, windows_key::kFrame,
               {{"Box", windows_key::kBox}, {"List", windows_key::kList}}),
    MakeDialog(image::kMediaKeyDialog, media_key::kFrame,
               {{"Box", media_key::kBox}, {"List", media_key::kList}}),
    MakeDialog(image::kComboKeyDialog, combo_key::kFrame,
               {{"Modifier box", combo_key::kModifierBox},
                {"Modifier list", combo_key::kModifierList},
                {"Key 1 field", combo_key::kKey1Field},
                {"Key 2 field", combo_key::kKey2Field}}),
    MakeDialog(image::kFireKeyDialog, fire_key::kFrame,
               {{"Box", fire_key::kBox},
                {"List", fire_key::kList},
                {"Speed text", fire_key::kSpeedText},
                {"Speed field", fire_key::kSpeedField},
                {"Times text", fire_key::kTimesText},
                {"Times field", fire_key::kTimesField},
                {"Illustration heading", fire_key::kIllustrationHeading},
                {"Illustration line 1", fire_key::kIllustrationLine1},
                {"Illustration line 2", fire_key::kIllustrationLine2}}),
    MakeDialog(image::kMacroKeyDialog, macro_key::kFrame,
               {{"Prompt", macro_key::kPrompt},
                {"Box", macro_key::kBox},
                {"List", macro_key::kList},
                {"Mode box 1", macro_key::ModeBox(1)},
                {"Mode box 2", macro_key::ModeBox(2)},
                {"Mode box 3", macro_key::ModeBox(3)},
                {"Mode text 1", macro_key::ModeText(1)},
                {"Mode text 2", macro_key::ModeText(2)},
                {"Mode text 3", macro_key::ModeText(3)}}),
    MakeDialog(image::kDelayTimeDialog, delay_time::kFrame,
               {{"Prompt", delay_time::kPrompt},
                {"Range", delay_time::kRange},
                {"Field", delay_time::kField}}),
};

// An image pair (or single image) and every rectangle it is drawn at unscaled: each image
// of the group must have exactly the size of each of its rectangles.
struct ImageUse {
    std::array<std::string_view, 2> images;  // the second may be empty
    RectTable<40> rects;
};

constexpr std::array<ImageUse, 11> ImageUses() {
    ImageUse text{{image::kButtonNormal, image::kButtonOver}, {}};
    text.rects.add("OK", frame::kOk);
    text.rects.add("Apply", frame::kApply);
    text.rects.add("Cancel", frame::kCancel);
    text.rects.add("Key Default", basic::kKeyDefault);
    text.rects.add("Mode A", basic::kModeA);
    text.rects.add("Mode B", basic::kModeB);
    text.rects.add("Pointer Default", advanced::kDefault);
    text.rects.add("New", advanced::kNew);
    text.rects.add("Delete", advanced::kDelete);
    text.rects.add("Confirm", advanced::kConfirm);
    ImageUse close{{image::kCloseNormal, image::kCloseOver}, {}};
    close.rects.add("Main close", frame::kClose);
    for (const auto& d : kDialogs) {
        text.rects.add("Dialog OK", d.frame.ok);
        text.rects.add("Dialog Cancel", d.frame.cancel);
        close.rects.add("Dialog close", d.frame.close);
    }
    ImageUse skins{{image::kSkinsNormal, image::kSkinsOver}, {}};
    skins.rects.add("Skins", frame::kSkins);
    ImageUse min{{image::kMinNormal, image::kMinOver}, {}};
    min.rects.add("Minimise", frame::kMinimise);
    ImageUse prev{{image::kPrePageNormal, image::kPrePageOver}, {}};
    prev.rects.add("Previous page", frame::kPrevPage);
    ImageUse next{{image::kNextPageNormal, image::kNextPageOver}, {}};
    next.rects.add("Next page", frame::kNextPage);
    ImageUse box{{image::kDropdownNormal, image::kDropdownOver}, {}};
    for (int k = 1; k <= basic::kKeyBoxCount; ++k) box.rects.add("Key box", basic::KeyBox(k));
    ImageUse pane{{image::kPane, image::kPaneTick}, {}};
    pane.rects.add("Precision box", advanced::kPrecisionBox);
    pane.rects.add("One-screen box", advanced::kOneScreenBox);
    for (int s = 1; s <= basic::kStageCount; ++s) pane.rects.add("Stage box", basic::StageBox(s));
    for (int m = 1; m <= 3; ++m) pane.rects.add("Macro mode box", macro_key::ModeBox(m));
    ImageUse slider{{image::kSliderLight, image::kSliderDark}, {}};
    for (int row = 0; row < advanced::kSliderRows; ++row) {
        for (int n = 1; n <= advanced::kSliderSegments; ++n) {
            slider.rects.add("Slider segment", advanced::SliderSegment(row, n));
        }
    }
    // One column stands for the four: they differ only in their left edge.
    ImageUse dpi{{image::kDpiLight, image::kDpiDark}, {}};
    for (int n = 1; n <= basic::kDpiLevelsMax; ++n) {
        dpi.rects.add("DPI segment", basic::DpiSegment(1, n));
    }
    ImageUse rate{{image::kRateLight, image::kRateDark}, {}};
    for (int p = 1; p <= basic::kRateCount; ++p) {
        rate.rects.add("Rate segment", basic::RateSegment(p));
    }
    return {text, close, skins, min, prev, next, box, pane, slider, dpi, rate};
}

inline constexpr auto kFrameRects = FrameRects();
inline constexpr auto kBasicPageRects = BasicPageRects();
inline constexpr auto kAdvancedPageRects = AdvancedPageRects();
inline constexpr auto kImageUses = ImageUses();

// The layout must fit the sizes the shipped skins are painted at, and every image use must
// agree with the control image sizes above.
static_assert(kFrameRects.allFitIn(kMainWindowSize));
static_assert(kBasicPageRects.allFitIn(kMainWindowSize));
static_assert(kAdvancedPageRects.allFitIn(kMainWindowSize));

constexpr bool DialogsFit() {
    for (const auto& d : kDialogs) {
        if (!d.rects.allFitIn(d.frame.size)) return false;
    }
    return true;
}
static_assert(DialogsFit());

constexpr bool UsesAllOfSize(const ImageUse& use, Size size) {
    for (const auto& r : use.rects) {
        if (!(r.rect.size() == size)) return false;
    }
    return use.rects.count > 0;
}
static_assert(UsesAllOfSize(kImageUses[0], kTextButtonSize));
static_assert(UsesAllOfSize(kImageUses[1], kFrameIconSize));
static_assert(UsesAllOfSize(kImageUses[2], kFrameIconSize));
static_assert(UsesAllOfSize(kImageUses[3], kFrameIconSize));
static_assert(UsesAllOfSize(kImageUses[4], kPageArrowSize));
static_assert(UsesAllOfSize(kImageUses[5], kPageArrowSize));
static_assert(UsesAllOfSize(kImageUses[6], kKeyBoxSize));
static_assert(UsesAllOfSize(kImageUses[7], kPaneSize));
static_assert(UsesAllOfSize(kImageUses[8], kSliderSegmentSize));
static_assert(UsesAllOfSize(kImageUses[9], kDpiSegmentSize));
static_assert(UsesAllOfSize(kImageUses[10], kRateSegmentSize));

}  // namespace quarten::layout
