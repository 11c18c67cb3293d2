#include "ui/AdvancedPage.h"

#include "ui/AppContext.h"
#include "ui/CPadrionDlg.h"
#include "ui/MacroPanel.h"
#include "ui/PointerMessages.h"

namespace quarten {
namespace {

namespace advanced = layout::advanced;
namespace image = layout::image;

constexpr int kNewDeleteConfirm = 4;
constexpr std::array<std::size_t, 3> kSliderBytes = {layout::pointer::kSpeedSteps,
                                                     layout::pointer::kScrollSteps,
                                                     layout::pointer::kDoubleClickSteps};
constexpr std::array<PointerSetting, 3> kSliderSettings = {
    PointerSetting::Speed, PointerSetting::WheelLines, PointerSetting::DoubleClick};

}  // namespace

void ApplyHostPointer(AppContext& context) {
    PointerSession& session = context.pointerSession;
    if (!session.HasRead()) return;
    const PointerSettings shown = PointerSettings::FromImage(context.settings.image);
    ShowPointerProblems(context, session.Apply(*context.pointer, shown).problems);
}

void CancelHostPointer(AppContext& context) {
    PointerSession& session = context.pointerSession;
    if (!session.HasRead()) return;
    const PointerOutcome outcome = session.Cancel(*context.pointer);
    outcome.shown.StoreTo(context.settings.image);
    ShowPointerProblems(context, outcome.problems);
}

AdvancedPage::AdvancedPage(CPadrionDlg& window)
    : window_(window),
      context_(window.Context()),
      library_(context_.store, context_.paths.recordIni),
      editor_(library_, context_.settings.image) {}

AdvancedPage::~AdvancedPage() = default;

void AdvancedPage::Build() {
    PointerSession& session = context_.pointerSession;
    if (!session.HasRead()) {
        ImageBytes& image = context_.settings.image;
        const PointerOutcome read =
            session.Read(*context_.pointer, PointerSettings::FromImage(image));
        read.shown.StoreTo(image);
        ShowPointerProblems(context_, read.problems);
    }
    if (!panel_) panel_ = std::make_unique<MacroPanel>(context_, window_, editor_);
}

void AdvancedPage::Teardown() { panel_.reset(); }

void AdvancedPage::RestoreDefaults() {
    ImageBytes& image = context_.settings.image;
    const PointerOutcome outcome =
        context_.pointerSession.Default(*context_.pointer, PointerSettings::FromImage(image));
    outcome.shown.StoreTo(image);
    window_.Redraw();
    ShowPointerProblems(context_, outcome.problems);
}

void AdvancedPage::PointerEdited(PointerSetting setting) {
    context_.pointerSession.Edit(setting, PointerSettings::FromImage(context_.settings.image));
    window_.Redraw();
}

void AdvancedPage::Draw() {
    SkinCanvas& canvas = context_.canvas;
    const DeviceSettings& s = context_.settings;
    canvas.Reset(image::kAdvancedBackground);
    const QColor colour = canvas.TextColour();
    const QFont& font = canvas.NormalFont();
    auto text = [&](const layout::Rect& r, TextSlot slot, int flags) {
        canvas.Text(r, context_.Text(slot), flags, font, colour);
    };
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    text(advanced::kMouseSpeedHeading, TextSlot::MouseSpeed, Qt::AlignCenter);
    text(advanced::kScrollSpeedHeading, TextSlot::ScrollingSpeed, Qt::AlignCenter);
    text(advanced::kDoubleClickHeading, TextSlot::DoubleClickSpeed, Qt::AlignCenter);
    text(advanced::kMacroSettingHeading, TextSlot::MacroSetting, Qt::AlignCenter);
    text(advanced::kPrecisionText, TextSlot::EnhancePointerPrecision, left);
    text(advanced::kOneScreenText, TextSlot::ScrollOneScreen, left);
    text(advanced::kSelectMacroHeading, TextSlot::SelectMacro, Qt::AlignCenter);
    text(advanced::kSequenceHeading, TextSlot::KeyPressSequence, Qt::AlignCenter);
    text(advanced::kRecordOptionHeading, TextSlot::RecordOption, Qt::AlignCenter);
    text(advanced::kStartRecordingText, TextSlot::StartRecording, left);
    text(advanced::kStopRecordingText, TextSlot::StopRecording, left);
    text(advanced::kMacroNameText, TextSlot::MacroName, left);
    text(advanced::kLoopTimesText, TextSlot::LoopTimes, left);
    text(advanced::kInsertEventText, TextSlot::InsertMouseEvent, left);
    canvas.TextButton(advanced::kDefault, context_.Text(TextSlot::DefaultPointer), false);
    canvas.TextButton(advanced::kNew, context_.Text(TextSlot::New), false);
    canvas.TextButton(advanced::kDelete, context_.Text(TextSlot::Delete), false);
    canvas.TextButton(advanced::kConfirm, context_.Text(TextSlot::Confirm), false);

    // Step bytes beyond the slider (line counts read from the system) light its nearest end.
    const PointerSettings pointer = PointerSettings::FromImage(s.image);
    const std::array<int, advanced::kSliderRows> lit = {
        pointer.SpeedSegments(), pointer.ScrollSegments(), pointer.DoubleClickSegments()};
    for (int row = 0; row < advanced::kSliderRows; ++row) {
        const int steps = lit[static_cast<std::size_t>(row)];
        for (int n = 1; n <= advanced::kSliderSegments; ++n) {
            canvas.Draw(n <= steps ? image::kSliderLight : image::kSliderDark,
                        advanced::SliderSegment(row, n));
            canvas.Text(advanced::SliderNumber(row, n), QString::number(n),
                        Qt::AlignHCenter | Qt::AlignTop, font, colour);
        }
    }
    const bool precision = s.At(layout::kPointerSettings + layout::pointer::kPrecisionFlag) == 1;
    const bool oneScreen = s.At(layout::kPointerSettings + layout::pointer::kOneScreenFlag) == 1;
    canvas.Draw(precision ? image::kPaneTick : image::kPane, advanced::kPrecisionBox);
    canvas.Draw(oneScreen ? image::kPaneTick : image::kPane, advanced::kOneScreenBox);
}

bool AdvancedPage::Press(QPoint at) {
    DeviceSettings& s = context_.settings;
    const auto flag = [&](std::size_t which) -> std::uint8_t& {
        return s.At(layout::kPointerSettings + which);
    };
    // An open mouse-event list takes presses on itself; any other press closes it first.
    if (panel_ && panel_->PressCovered(at)) return true;
    if (panel_) {
        struct Region {
            const layout::Rect& rect;
            void (MacroPanel::*act)();
        };
        const Region regions[] = {{advanced::kRecordStart, &MacroPanel::StartRecording},
                                  {advanced::kRecordStop, &MacroPanel::StopRecording},
                                  {advanced::kNew, &MacroPanel::NewMacro},
                                  {advanced::kDelete, &MacroPanel::DeleteMacro},
                                  {advanced::kConfirm, &MacroPanel::ConfirmMacro},
                                  {advanced::kEventBox, &MacroPanel::ToggleEventDropdown}};
        for (const Region& r : regions) {
            if (r.rect.contains(at.x(), at.y())) {
                (panel_.get()->*r.act)();
                return true;
            }
        }
    }
    if (advanced::kDefault.contains(at.x(), at.y())) {
        RestoreDefaults();
        return true;
    }
    if (advanced::kPrecisionBox.contains(at.x(), at.y())) {
        std::uint8_t& f = flag(layout::pointer::kPrecisionFlag);
        f = f == 1 ? 0 : 1;
        PointerEdited(PointerSetting::Acceleration);
        return true;
    }
    if (advanced::kOneScreenBox.contains(at.x(), at.y())) {
        std::uint8_t& f = flag(layout::pointer::kOneScreenFlag);
        f = f == 1 ? 0 : 1;
        PointerEdited(PointerSetting::WheelLines);
        return true;
    }
    for (int row = 0; row < advanced::kSliderRows; ++row) {
        if (const int n = advanced::SliderSegmentAt(row, at.x(), at.y())) {
            const auto r = static_cast<std::size_t>(row);
            flag(kSliderBytes[r]) = static_cast<std::uint8_t>(n);
            PointerEdited(kSliderSettings[r]);
            return true;
        }
    }
    return false;
}

std::vector<HoverRegion> AdvancedPage::HoverRegions() {
    auto button = [this](layout::Rect rect, TextSlot label, int group) {
        return HoverRegion{rect, group, [this, rect, label](bool over) {
                               context_.canvas.TextButton(rect, context_.Text(label), over);
                           }};
    };
    return {button(advanced::kDefault, TextSlot::DefaultPointer, 0),
            button(advanced::kNew, TextSlot::New, kNewDeleteConfirm),
            button(advanced::kDelete, TextSlot::Delete, kNewDeleteConfirm),
            button(advanced::kConfirm, TextSlot::Confirm, kNewDeleteConfirm)};
}

}  // namespace quarten
