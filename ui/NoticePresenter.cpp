#include "ui/NoticePresenter.h"

#include <string>

#include "settings/DpiTables.h"
#include "ui/AppContext.h"
#include "ui/Notifier.h"
#include "ui/text/TrayBalloon.h"

namespace quarten {

void PresentNotice(const AppContext& context, DeviceNotice notice, std::uint32_t value) {
    if (!context.notifier) return;
    // The stage balloon names the DPI the mouse switched to, as the page would show it.
    std::string label;
    if (notice == DeviceNotice::DpiStage && value >= 1 && value <= layout::kStageCount) {
        label = std::string(DpiLabel(context.settings.sensorTypeSelector,
                                     context.settings.At(layout::kDpiLevel + value - 1)));
    }
    const auto balloon = BalloonFor(context.text, notice, value, label);
    if (!balloon) return;
    auto utf8 = [](std::string_view s) {
        return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
    };
    context.notifier->Show(utf8(balloon->title), utf8(balloon->text), balloon->timeoutMs);
}

}  // namespace quarten
