#include "ui/BasicPage.h"

#include "buttons/ButtonAssignment.h"
#include "buttons/FunctionTables.h"
#include "settings/BasicSettings.h"
#include "settings/DpiTables.h"
#include "settings/LightingTables.h"
#include "ui/AppContext.h"
#include "ui/CPadrionDlg.h"
#include "ui/dialogs/AssignFromList.h"

namespace quarten {
namespace {

namespace basic = layout::basic;
namespace image = layout::image;

constexpr int kKeyBoxGroup = 3;
constexpr int kDpiSwitchItem = 6;  // the key-list item that opens the DPI sub-list
constexpr std::array<TextSlot, 4> kModeSlots = {TextSlot::LightOff, TextSlot::LightStandard,
                                                TextSlot::LightRespiration, TextSlot::LightNeon};
constexpr std::array<TextSlot, 4> kEffectSlots = {TextSlot::NonDisplay, TextSlot::RgbEffect,
                                                  TextSlot::RgbFlash, TextSlot::RgbFixedOn};
constexpr std::array<const char*, 4> kRateLabels = {"125Hz", "250Hz", "500Hz", "1000Hz"};

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

QColor Inverted(QColor c) { return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue()); }

QStringList ToList(std::span<const std::string_view> texts) {
    QStringList list;
    for (std::string_view t : texts) list << FromUtf8(t);
    return list;
}

}  // namespace

BasicPage::BasicPage(CPadrionDlg& window) : window_(window), context_(window.Context()) {}

int BasicPage::DisplayedMode() const {
    return context_.settings.At(layout::kDisplayedMode) == 1 ? 1 : 0;
}

void BasicPage::DrawKeyBox(int k, bool over) {
    context_.canvas.DropdownBox(basic::KeyBox(k), QString::number(k),
                                QString::fromStdString(context_.skin.captions.Get(DisplayedMode(), k - 1)),
                                over);
}

void BasicPage::Draw() {
    SkinCanvas& canvas = context_.canvas;
    const DeviceSettings& s = context_.settings;
    canvas.Reset(image::kBasicBackground);
    const QFont& heading = canvas.HeadingFont();
    const QColor colour = canvas.TextColour();
    auto headingText = [&](const layout::Rect& r, TextSlot slot) {
        canvas.Text(r, context_.Text(slot), Qt::AlignCenter, heading, colour);
    };
    headingText(basic::kKeySettingHeading, TextSlot::KeySetting);
    headingText(basic::kRateHeading, TextSlot::ReportRateSetting);
    headingText(basic::kDpiHeading, TextSlot::DpiSetting);
    headingText(basic::kLightHeading, TextSlot::DpiEffect);
    canvas.Text(basic::kColorCaption, context_.Text(TextSlot::ColorSetting), Qt::AlignCenter,
                canvas.NormalFont(), colour);

    // Key assignment: seven boxes, the two layer buttons (the shown one inverted), Default.
    for (int k = 1; k <= basic::kKeyBoxCount; ++k) DrawKeyBox(k, false);
    canvas.TextButton(basic::kModeA, QStringLiteral("Mode A"), false,
                      DisplayedMode() == 0 ? Inverted(colour) : colour);
    canvas.TextButton(basic::kModeB, QStringLiteral("Mode B"), false,
                      DisplayedMode() == 1 ? Inverted(colour) : colour);
    canvas.TextButton(basic::kKeyDefault, context_.Text(TextSlot::DefaultButtons), false);

    // Report rate: the marker sits on the stored interval, 1000 Hz for anything unknown.
    const int ratePosition = ReportRatePosition(s.At(layout::kReportInterval));
    for (int p = 1; p <= basic::kRateCount; ++p) {
        canvas.Draw(p == ratePosition ? image::kRateLight : image::kRateDark,
                    basic::RateSegment(p));
        canvas.Text(basic::RateLabel(p), QString::fromLatin1(kRateLabels[p - 1]), Qt::AlignCenter,
                    canvas.NormalFont(), colour);
    }

    // DPI stages: columns lit up to the level, the labels of the sensor, swatch and switch.
    const int usable = DpiPositionCount(s.sensorTypeSelector);
    for (int n = 1; n <= usable; ++n) {
        canvas.Text(basic::DpiLevelLabel(n),
                    FromUtf8(DpiPageLabel(s.sensorTypeSelector, static_cast<std::uint8_t>(n - 1))),
                    Qt::AlignRight | Qt::AlignVCenter, canvas.NormalFont(), colour);
    }
    for (int stage = 1; stage <= basic::kStageCount; ++stage) {
        const int level = s.At(layout::kDpiLevel + stage - 1) + 1;
        const bool on = StageEnabled(s, stage);
        // A stage that is off keeps its level and colour for when it is switched on again;
        // only its tick says it is off.
        for (int n = 1; n <= usable; ++n) {
            canvas.Draw(n <= level ? image::kDpiLight : image::kDpiDark,
                        basic::DpiSegment(stage, n));
        }
        const std::size_t c = layout::kDpiColour + 3 * (stage - 1);
        canvas.Fill(basic::StageSwatch(stage), QColor(s.At(c), s.At(c + 1), s.At(c + 2)));
        canvas.Draw(on ? image::kPaneTick : image::kPane, basic::StageBox(stage));
    }

    // Lighting: mode, its parameter and its effect.
    const std::uint8_t mode = s.At(layout::kLightMode);
    const std::array<TextSlot, 3> captions = {TextSlot::Mode, TextSlot::Parameter, TextSlot::Effect};
    const std::array<QString, 3> values = {
        mode < kModeSlots.size() ? context_.Text(kModeSlots[mode]) : QString(),
        FromUtf8(TextAt(LightParameterTexts(mode), LightParameterIndex(s))),
        LightEffectIndex(s) < kEffectSlots.size() && mode >= 1 && mode <= 3
            ? context_.Text(kEffectSlots[LightEffectIndex(s)])
            : QString()};
    for (int i = 0; i < basic::kLightBoxCount; ++i) {
        canvas.Text(basic::LightCaption(i), context_.Text(captions[i]),
                    Qt::AlignLeft | Qt::AlignVCenter, canvas.NormalFont(), colour);
        canvas.Text(basic::LightBoxLabel(i), values[i], Qt::AlignLeft | Qt::AlignVCenter,
                    canvas.NormalFont(), colour);
    }
}

void BasicPage::Teardown() {
    for (int k = 1; k <= basic::kKeyBoxCount; ++k) CloseKeyList(k);
    CloseDpiList();
    for (int i = 0; i < basic::kLightBoxCount; ++i) CloseLightList(i);
}

std::vector<HoverRegion> BasicPage::HoverRegions() {
    std::vector<HoverRegion> regions;
    regions.push_back({basic::kKeyDefault, 0, [this](bool over) {
                           context_.canvas.TextButton(basic::kKeyDefault,
                                                      context_.Text(TextSlot::DefaultButtons), over);
                       }});
    for (int k = 1; k <= basic::kKeyBoxCount; ++k) {
        regions.push_back({basic::KeyBox(k), kKeyBoxGroup, [this, k](bool over) { DrawKeyBox(k, over); }});
    }
    return regions;
}

void BasicPage::CloseKeyList(int k) {
    if (DropdownList* list = keyLists_[k - 1]) list->deleteLater();
    keyLists_[k - 1] = nullptr;
    if (dpiListOwner_ == k) CloseDpiList();
}

void BasicPage::CloseDpiList() {
    if (dpiList_) dpiList_->deleteLater();
    dpiList_ = nullptr;
    dpiListOwner_ = 0;
}

void BasicPage::CloseLightList(int i) {
    if (DropdownList* list = lightLists_[i]) list->deleteLater();
    lightLists_[i] = nullptr;
}

void BasicPage::CloseLists(QPoint at) {
    for (int k = 1; k <= basic::kKeyBoxCount; ++k) {
        DropdownList* list = keyLists_[k - 1];
        const bool onDpi = dpiList_ && dpiListOwner_ == k && dpiList_->Covers(at);
        if (list && !basic::KeyBox(k).contains(at.x(), at.y()) && !list->Covers(at) && !onDpi) {
            CloseKeyList(k);
        }
    }
    for (int i = 0; i < basic::kLightBoxCount; ++i) {
        DropdownList* list = lightLists_[i];
        if (list && !basic::LightBox(i).contains(at.x(), at.y()) && !list->Covers(at)) {
            CloseLightList(i);
        }
    }
}

void BasicPage::ToggleKeyList(int k) {
    if (keyLists_[k - 1]) {
        CloseKeyList(k);
        return;
    }
    const int mode = DisplayedMode();
    if (!CanOpenAssignmentList(context_.settings.image, mode, k - 1)) {
        context_.warn(FromUtf8(kLeftKeyRequiredTitle),
                      context_.Text(TextSlot::LeftKeyMustBeSelected));
        return;
    }
    for (int other = 1; other <= basic::kKeyBoxCount; ++other) CloseKeyList(other);
    QStringList items;
    for (TextSlot slot : kKeyListSlots) items << context_.Text(slot);
    keyLists_[k - 1] = new DropdownList(
        &window_, basic::KeyList(k), items, context_.canvas.NormalFont(),
        [this, k](int item) { ChooseKey(k, item); },
        [this, k](int item, QRect itemRect) {
            // Hovering "DPI Switch" offers its three actions beside the item.
            if (item != kDpiSwitchItem) {
                CloseDpiList();
                return;
            }
            if (dpiList_) return;
            const layout::Rect at = layout::RectAt(itemRect.left(), itemRect.top(),
                                                   basic::kSecondaryListSide,
                                                   basic::kSecondaryListSide);
            dpiListOwner_ = k;
            dpiList_ = new DropdownList(&window_, at, ToList(kDpiSwitchTexts),
                                        context_.canvas.NormalFont(),
                                        [this, k](int choice) { ChooseDpiSwitch(k, choice); },
                                        {}, true);
            dpiList_->raise();
        });
}

void BasicPage::ChooseKey(int k, int item) {
    if (item < 0 || item >= static_cast<int>(kKeyListSlots.size())) return;
    const auto kind = static_cast<AssignmentKind>(item);
    // "DPI Switch" itself chooses nothing: its actions come from the sub-list.
    if (kind == AssignmentKind::DpiSwitch) return;
    if (const auto chosen = AssignFromList(context_, &window_, kind)) {
        AssignKind(context_.settings.image, context_.skin.captions, DisplayedMode(), k - 1, kind,
                   chosen->caption, chosen->parameters);
    }
    CloseKeyList(k);
    window_.Redraw();
}

void BasicPage::ChooseDpiSwitch(int k, int item) {
    ButtonParameters parameters;
    parameters.dpiAction = static_cast<std::uint8_t>(item >= 0 && item <= 2 ? item + 1 : 0);
    AssignKind(context_.settings.image, context_.skin.captions, DisplayedMode(), k - 1,
               AssignmentKind::DpiSwitch,
               std::string(item >= 0 && item <= 2 ? kDpiSwitchTexts[static_cast<std::size_t>(item)]
                                                  : std::string_view{}),
               parameters);
    CloseKeyList(k);
    window_.Redraw();
}

void BasicPage::ToggleLightList(int i) {
    if (lightLists_[i]) {
        CloseLightList(i);
        return;
    }
    const std::uint8_t mode = context_.settings.At(layout::kLightMode);
    QStringList items;
    if (i == 0) {
        for (std::size_t m = 1; m < kModeSlots.size(); ++m) items << context_.Text(kModeSlots[m]);
    } else if (i == 1) {
        items = ToList(LightParameterTexts(mode));
    } else if (mode == 3) {
        items << context_.Text(TextSlot::RgbFlash) << context_.Text(TextSlot::RgbFixedOn);
    } else {
        // Standard and Respiration have one effect; the box just names it.
        SelectSingleEffect(context_.settings);
        window_.Redraw();
        return;
    }
    if (items.isEmpty()) return;
    for (int other = 0; other < basic::kLightBoxCount; ++other) CloseLightList(other);
    lightLists_[i] = new DropdownList(&window_, basic::LightList(i), items,
                                      context_.canvas.NormalFont(),
                                      [this, i](int item) { ChooseLight(i, item); });
}

void BasicPage::ChooseLight(int i, int item) {
    if (i == 0) SelectLightMode(context_.settings, item);
    if (i == 1) SelectLightParameter(context_.settings, item);
    if (i == 2) SelectNeonEffect(context_.settings, item);
    CloseLightList(i);
    window_.Redraw();
}

bool BasicPage::Press(QPoint at) {
    const int x = at.x();
    const int y = at.y();
    CloseLists(at);
    DeviceSettings& s = context_.settings;
    if (basic::kKeyDefault.contains(x, y)) {
        ResetButtonAssignments(s.image, context_.skin.captions, window_.DefaultCaptions());
        window_.Redraw();
        return true;
    }
    if (basic::kModeA.contains(x, y) || basic::kModeB.contains(x, y)) {
        s.At(layout::kDisplayedMode) = basic::kModeB.contains(x, y) ? 1 : 0;
        window_.Redraw();
        return true;
    }
    for (int k = 1; k <= basic::kKeyBoxCount; ++k) {
        if (basic::KeyBox(k).contains(x, y)) {
            ToggleKeyList(k);
            return true;
        }
    }
    for (int p = 1; p <= basic::kRateCount; ++p) {
        if (basic::RateSegment(p).contains(x, y)) {
            SelectReportRate(s, p);
            window_.Redraw();
            return true;
        }
    }
    for (int stage = 1; stage <= basic::kStageCount; ++stage) {
        if (basic::StageBox(stage).contains(x, y)) {
            if (ToggleStage(s, stage)) window_.Redraw();
            return true;
        }
        if (basic::StageSwatch(stage).contains(x, y)) {
            if (!StageEnabled(s, stage)) return true;
            const QColor chosen = context_.pickColour();
            if (chosen.isValid()) {
                SetStageColour(s, stage, {static_cast<std::uint8_t>(chosen.red()),
                                          static_cast<std::uint8_t>(chosen.green()),
                                          static_cast<std::uint8_t>(chosen.blue())});
                window_.Redraw();
            }
            return true;
        }
    }
    for (int i = 0; i < basic::kLightBoxCount; ++i) {
        if (basic::LightBox(i).contains(x, y)) {
            ToggleLightList(i);
            return true;
        }
    }
    const int usable = DpiPositionCount(s.sensorTypeSelector);
    for (int stage = 1; stage <= basic::kStageCount; ++stage) {
        if (const int n = layout::DpiSegmentAt(stage, usable, x, y)) {
            SetStageLevel(s, stage, n);
            window_.Redraw();
            return true;
        }
    }
    return false;
}

}  // namespace quarten
