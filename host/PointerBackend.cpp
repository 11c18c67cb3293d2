// Combining a backend's reading with the stored bytes, and which reads failed.
#include "host/PointerBackend.h"

namespace quarten {

PointerSettings PointerSettingsFromBackend(const PointerBackendReading& reading,
                                           const PointerSettings& stored) {
    PointerSettings s = PointerSettings::FromSystem(reading.values, stored);
    const PointerSettingSet& has = reading.available;
    for (const PointerSetting setting : kPointerSettingOrder) {
        if (!has[setting]) CopyPointerSetting(setting, stored, s);
    }
    return s;
}

PointerSettingSet UnreadableSettings(const PointerBackendReading& reading) {
    const SystemPointerReading& v = reading.values;
    const PointerSettingSet failed{!v.acceleration, !v.speed, !v.wheelLines, v.doubleClickMs == 0};
    return failed & reading.available;
}

}  // namespace quarten
