// Combining a backend's reading with the stored bytes, and the warnings of failed calls.
#include "host/PointerBackend.h"

namespace quarten {

PointerSettings PointerSettingsFromBackend(const PointerBackendReading& reading,
                                           const PointerSettings& stored) {
    PointerSettings s = PointerSettings::FromSystem(reading.values, stored);
    const PointerSettingSet& has = reading.available;
    if (!has.acceleration) s.precisionFlag = stored.precisionFlag;
    if (!has.speed) s.speedSteps = stored.speedSteps;
    if (!has.wheelLines) {
        s.oneScreenFlag = stored.oneScreenFlag;
        s.scrollSteps = stored.scrollSteps;
    }
    if (!has.doubleClick) s.doubleClickSteps = stored.doubleClickSteps;
    return s;
}

std::vector<std::string_view> ReadFailureMessages(const PointerBackendReading& reading) {
    // A failed acceleration read only clears the precision flag; it has no message.
    std::vector<std::string_view> messages;
    const PointerSettingSet& has = reading.available;
    if (has.speed && !reading.values.speed) messages.emplace_back("GETMOUSESPEED failed.");
    if (has.wheelLines && !reading.values.wheelLines) {
        messages.emplace_back("GETWHEELSCROLLLINES failed.");
    }
    if (has.doubleClick && reading.values.doubleClickMs == 0) {
        messages.emplace_back("GetDoubleClickTime failed.");
    }
    return messages;
}

std::vector<std::string_view> ApplyFailureMessages(const PointerApplyReport& report) {
    std::vector<std::string_view> messages;
    const PointerSettingSet& has = report.available;
    const PointerSettingSet& failed = report.failed;
    if (has.acceleration && failed.acceleration) messages.emplace_back("SETMOUSE failed.");
    if (has.speed && failed.speed) messages.emplace_back("SETMOUSESPEED failed.");
    if (has.wheelLines && failed.wheelLines) messages.emplace_back("SETWHEELSCROLLLINES failed.");
    if (has.doubleClick && failed.doubleClick) {
        messages.emplace_back("SPI_SETDOUBLECLICKTIME failed.");
    }
    return messages;
}

}  // namespace quarten
