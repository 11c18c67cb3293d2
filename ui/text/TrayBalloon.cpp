// Maps device notices to balloon texts of the current language.
#include "ui/text/TrayBalloon.h"

#include <array>
#include <string>
#include <utility>

namespace quarten {
namespace {

// Mouse events stay up five seconds. Found and missing stay as long as the desktop keeps
// notices by default: a notice that flashes for a tenth of a second cannot be read, and
// one notice replaces the last, so repeated tray clicks do not stack them up.
constexpr int kEventTimeoutMs = 5000;
constexpr int kPresenceTimeoutMs = kDesktopDefaultTimeout;

constexpr std::array<TextSlot, 4> kStageSlots{
    TextSlot::SwitchDpiFirstStage, TextSlot::SwitchDpiSecondStage, TextSlot::SwitchDpiThirdStage,
    TextSlot::SwitchDpiFourthStage};

std::optional<TextSlot> ReportRateSlot(std::uint32_t interval) {
    switch (interval) {
        case 1:
            return TextSlot::SwitchReportRate1000Hz;
        case 2:
            return TextSlot::SwitchReportRate500Hz;
        case 4:
            return TextSlot::SwitchReportRate250Hz;
        case 8:
            return TextSlot::SwitchReportRate125Hz;
        default:
            return std::nullopt;
    }
}

Balloon Info(std::string text) { return {std::move(text), kBalloonTitleInfo, kEventTimeoutMs}; }

}  // namespace

std::optional<Balloon> BalloonFor(const UiText& text, int code, std::uint32_t value,
                                  std::string_view dpiLabel) {
    switch (code) {
        case static_cast<int>(DeviceNotice::ReportRate): {
            const auto slot = ReportRateSlot(value);
            if (!slot) {
                return std::nullopt;
            }
            return Info(std::string(text.Get(*slot)));
        }
        case static_cast<int>(DeviceNotice::DpiStage): {
            if (value < 1 || value > kStageSlots.size()) {
                return std::nullopt;
            }
            std::string line(text.Get(kStageSlots[value - 1]));
            line += dpiLabel;
            return Info(std::move(line));
        }
        case static_cast<int>(DeviceNotice::KeyLayer):
            if (value == 1) {
                return Info(std::string(text.Get(TextSlot::SwitchKeyMatrix1)));
            }
            if (value == 2) {
                return Info(std::string(text.Get(TextSlot::SwitchKeyMatrix2)));
            }
            return std::nullopt;
        case static_cast<int>(DeviceNotice::Macro): {
            if (value == 0) {
                return std::nullopt;
            }
            std::string line(text.Get(TextSlot::SwitchToMacroKey));
            line += std::to_string(value);
            return Info(std::move(line));
        }
        case static_cast<int>(DeviceNotice::Found):
            return Balloon{std::string(text.Get(TextSlot::MouseDetected)), kBalloonTitleInfo,
                           kPresenceTimeoutMs};
        case static_cast<int>(DeviceNotice::Missing):
            return Balloon{std::string(text.Get(TextSlot::MouseNotDetected)),
                           kBalloonTitleWarning, kPresenceTimeoutMs};
        default:
            return std::nullopt;
    }
}

}  // namespace quarten
