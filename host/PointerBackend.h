// Seam to the desktop's pointer settings: read the four values, apply them; the real
// backends (GSettings, KDE's files, none) live in platform/.
#pragma once

#include <string_view>
#include <vector>

#include "host/PointerSettings.h"

namespace quarten {

// One flag for each of the four host pointer settings.
struct PointerSettingSet {
    bool acceleration = false;
    bool speed = false;
    bool wheelLines = false;
    bool doubleClick = false;

    static constexpr PointerSettingSet All() { return {true, true, true, true}; }
    friend bool operator==(const PointerSettingSet&, const PointerSettingSet&) = default;
};

struct PointerBackendReading {
    // Failed reads as SystemPointerReading marks them; settings the desktop lacks are unset.
    SystemPointerReading values;
    PointerSettingSet available;  // settings this desktop has at all
};

struct PointerApplyReport {
    PointerSettingSet available;  // settings this desktop has; the others were left alone
    PointerSettingSet failed;     // settings it has whose change did not go through
};

class PointerBackend {
public:
    virtual ~PointerBackend() = default;
    virtual PointerBackendReading Read() = 0;
    virtual PointerApplyReport Apply(const SystemPointerValues& values) = 0;
};

// Where no desktop is known: nothing to read, nothing to set.
class NullPointerBackend final : public PointerBackend {
public:
    PointerBackendReading Read() override { return {}; }
    PointerApplyReport Apply(const SystemPointerValues&) override { return {}; }
};

// The page's bytes after reading the system. A setting the desktop does not have is no
// failure: it keeps what the image holds, so the page shows and saves it as before.
PointerSettings PointerSettingsFromBackend(const PointerBackendReading& reading,
                                           const PointerSettings& stored);

// The warnings a reading or an applying gives, in the order of the calls. Settings the
// desktop does not have give none.
std::vector<std::string_view> ReadFailureMessages(const PointerBackendReading& reading);
std::vector<std::string_view> ApplyFailureMessages(const PointerApplyReport& report);

}  // namespace quarten
