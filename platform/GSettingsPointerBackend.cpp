// GSettings backend of the host pointer settings.
#include "platform/GSettingsPointerBackend.h"

#include <gio/gio.h>

#include <climits>
#include <string_view>

#include "platform/LibinputSpeed.h"

namespace quarten {
namespace {

constexpr const char* kSchemaId = "org.gnome.desktop.peripherals.mouse";
constexpr const char* kSpeed = "speed";
constexpr const char* kAccelProfile = "accel-profile";
constexpr const char* kDoubleClick = "double-click";
constexpr const char* kFlat = "flat";
constexpr const char* kAdaptive = "adaptive";

// The key of each setting; GNOME has no wheel lines.
constexpr PerPointerSetting<const char*> kKeys{kAccelProfile, kSpeed, nullptr, kDoubleClick};

// GSettings aborts the call with a critical for a key of another type or a value out of its
// range; both are checked here first so that such a schema only means "not available" or
// "failed".
bool KeyHasType(GSettingsSchema* schema, const char* key, const char* type) {
    if (!g_settings_schema_has_key(schema, key)) return false;
    GSettingsSchemaKey* k = g_settings_schema_get_key(schema, key);
    const bool ok =
        g_variant_type_equal(g_settings_schema_key_get_value_type(k), G_VARIANT_TYPE(type));
    g_settings_schema_key_unref(k);
    return ok;
}

bool InRange(GSettingsSchema* schema, const char* key, GVariant* value) {
    GSettingsSchemaKey* k = g_settings_schema_get_key(schema, key);
    const bool ok = g_settings_schema_key_range_check(k, value);
    g_settings_schema_key_unref(k);
    return ok;
}

bool ProfileKeyUsable(GSettingsSchema* schema) {
    if (!KeyHasType(schema, kAccelProfile, "s")) return false;
    GVariant* flat = g_variant_ref_sink(g_variant_new_string(kFlat));
    GVariant* adaptive = g_variant_ref_sink(g_variant_new_string(kAdaptive));
    const bool ok =
        InRange(schema, kAccelProfile, flat) && InRange(schema, kAccelProfile, adaptive);
    g_variant_unref(flat);
    g_variant_unref(adaptive);
    return ok;
}

// Sets a key when the value is within the key's range; false when it is not or when the key
// is locked down. Takes the floating reference of `value`.
bool SetChecked(GSettings* settings, GSettingsSchema* schema, const char* key, GVariant* value) {
    GVariant* v = g_variant_ref_sink(value);
    const bool ok = InRange(schema, key, v) && g_settings_set_value(settings, key, v);
    g_variant_unref(v);
    return ok;
}

bool ProfileIsFlat(GSettings* settings) {
    gchar* profile = g_settings_get_string(settings, kAccelProfile);
    const bool flat = std::string_view(profile) == kFlat;
    g_free(profile);
    return flat;
}

// The user's own value of a key in GVariant text (the C locale's, whatever the process's),
// or none when the desktop uses the schema's default there.
SavedPointerValue SavedText(GSettings* settings, const char* key) {
    GVariant* value = g_settings_get_user_value(settings, key);
    if (!value) return std::nullopt;
    gchar* text = g_variant_print(value, FALSE);
    std::string saved(text);
    g_free(text);
    g_variant_unref(value);
    return saved;
}

// Gives a key back its saved text, or the desktop's default (the schema's, or what the
// system's administrator set) when there is none.
bool RestoreKey(GSettings* settings, GSettingsSchema* schema, const char* key,
                const SavedPointerValue& saved) {
    if (!g_settings_is_writable(settings, key)) return false;
    if (!saved) {
        g_settings_reset(settings, key);
        return true;
    }
    GSettingsSchemaKey* k = g_settings_schema_get_key(schema, key);
    GVariant* value = g_variant_parse(g_settings_schema_key_get_value_type(k), saved->c_str(),
                                      nullptr, nullptr, nullptr);
    g_settings_schema_key_unref(k);
    if (!value) return false;
    // A parsed value is no floating reference: it is checked and set, then dropped here.
    const bool ok = InRange(schema, key, value) && g_settings_set_value(settings, key, value);
    g_variant_unref(value);
    return ok;
}

}  // namespace

GSettingsPointerBackend::GSettingsPointerBackend() {
    // The default source is owned by GLib; it is null when no schema is installed at all.
    Open(g_settings_schema_source_get_default());
}

GSettingsPointerBackend::GSettingsPointerBackend(const std::filesystem::path& schemaDirectory) {
    GError* error = nullptr;
    GSettingsSchemaSource* source =
        g_settings_schema_source_new_from_directory(schemaDirectory.c_str(), nullptr, TRUE, &error);
    if (error) g_error_free(error);
    Open(source);
    if (source) g_settings_schema_source_unref(source);
}

GSettingsPointerBackend::~GSettingsPointerBackend() {
    if (settings_) g_object_unref(settings_);
    if (schema_) g_settings_schema_unref(schema_);
}

void GSettingsPointerBackend::Open(GSettingsSchemaSource* source) {
    if (!source) return;
    schema_ = g_settings_schema_source_lookup(source, kSchemaId, TRUE);
    // A schema without a fixed path would need one from us; the desktop's has one.
    if (!schema_ || !g_settings_schema_get_path(schema_)) return;
    settings_ = g_settings_new_full(schema_, nullptr, nullptr);
    available_.speed = KeyHasType(schema_, kSpeed, "d");
    available_.acceleration = ProfileKeyUsable(schema_);
    available_.doubleClick = KeyHasType(schema_, kDoubleClick, "i");
    for (const PointerSetting s : kPointerSettingOrder) {
        if (available_[s]) places_[s] = std::string(kSchemaId) + " " + kKeys[s];
    }
}

PointerBackendReading GSettingsPointerBackend::Read() {
    PointerBackendReading reading;
    reading.available = available_;
    reading.places = places_;
    if (!settings_) return reading;
    if (available_.acceleration) {
        reading.values.acceleration =
            ProfileIsFlat(settings_) ? kPrecisionOffAcceleration : kPrecisionOnAcceleration;
    }
    if (available_.speed) {
        reading.values.speed = SystemSpeedFromLibinput(g_settings_get_double(settings_, kSpeed));
    }
    if (available_.doubleClick) {
        const gint ms = g_settings_get_int(settings_, kDoubleClick);
        reading.values.doubleClickMs = ms > 0 ? static_cast<unsigned>(ms) : 0;
    }
    for (const PointerSetting s : kPointerSettingOrder) {
        if (available_[s]) reading.saved[s] = SavedText(settings_, kKeys[s]);
    }
    return reading;
}

PointerApplyReport GSettingsPointerBackend::Apply(const SystemPointerValues& values,
                                                  PointerSettingSet which) {
    // Without the schema nothing is available, so nothing below touches GSettings.
    PointerApplyReport report{available_, {}, places_};
    which = which & available_;
    if (which.acceleration) {
        // Only a change of meaning is written, so a profile of 'default' that already
        // accelerates stays the desktop's own choice.
        const bool on = values.acceleration.acceleration != 0;
        if (on == ProfileIsFlat(settings_)) {
            report.failed.acceleration = !SetChecked(settings_, schema_, kAccelProfile,
                                                     g_variant_new_string(on ? kAdaptive : kFlat));
        }
    }
    if (which.speed) {
        report.failed.speed =
            !SetChecked(settings_, schema_, kSpeed,
                        g_variant_new_double(LibinputFromSystemSpeed(values.speed)));
    }
    if (which.doubleClick) {
        const gint ms =
            values.doubleClickMs > INT_MAX ? INT_MAX : static_cast<gint>(values.doubleClickMs);
        report.failed.doubleClick =
            !SetChecked(settings_, schema_, kDoubleClick, g_variant_new_int32(ms));
    }
    // The desktop's store writes behind our back; wait until it has the values.
    if (which.Any()) g_settings_sync();
    return report;
}

PointerApplyReport GSettingsPointerBackend::Restore(const SavedPointerValues& saved,
                                                    PointerSettingSet which) {
    // Without the schema nothing is available, so nothing below touches GSettings.
    PointerApplyReport report{available_, {}, places_};
    which = which & available_;
    for (const PointerSetting s : kPointerSettingOrder) {
        if (which[s]) report.failed[s] = !RestoreKey(settings_, schema_, kKeys[s], saved[s]);
    }
    if (which.Any()) g_settings_sync();
    return report;
}

}  // namespace quarten
