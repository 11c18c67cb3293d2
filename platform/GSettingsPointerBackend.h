// Pointer settings of GNOME-like desktops through GSettings (org.gnome.desktop.peripherals.mouse).
#pragma once

#include <filesystem>

#include "host/PointerBackend.h"

struct _GSettings;
struct _GSettingsSchema;
struct _GSettingsSchemaSource;

namespace quarten {

// speed (-1..1) is the system speed, accel-profile 'flat' is precision off and 'adaptive' or
// 'default' on, double-click is the time in ms. There is no wheel-lines key: that setting
// is reported as not available. A desktop without the schema, or without one of its keys,
// has the matching settings unavailable; nothing is ever asked of GSettings that would make
// it complain. Saved values are the keys' own GVariant text, so a restore gives back the
// exact double and the profile 'default' rather than what the 1..20 speed can hold.
class GSettingsPointerBackend final : public PointerBackend {
public:
    // The schemas the desktop installed.
    GSettingsPointerBackend();
    // Only the schemas compiled into `schemaDirectory` (gschemas.compiled).
    explicit GSettingsPointerBackend(const std::filesystem::path& schemaDirectory);
    ~GSettingsPointerBackend() override;
    GSettingsPointerBackend(const GSettingsPointerBackend&) = delete;
    GSettingsPointerBackend& operator=(const GSettingsPointerBackend&) = delete;

    PointerBackendReading Read() override;
    PointerApplyReport Apply(const SystemPointerValues& values, PointerSettingSet which) override;
    // An empty saved value resets the key: the schema's default, or the administrator's.
    PointerApplyReport Restore(const SavedPointerValues& saved, PointerSettingSet which) override;

    PointerSettingSet Available() const { return available_; }

private:
    void Open(_GSettingsSchemaSource* source);

    _GSettingsSchema* schema_ = nullptr;
    _GSettings* settings_ = nullptr;
    PointerSettingSet available_;
    PointerPlaces places_;
};

}  // namespace quarten
