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

// GSettings aborts the call with a critical for a key of another type or a value out of its
// range; both are checked here first so that such a schema only means "not available" or
// "failed".
bool KeyHasType(GSettingsSchema* schema, const char* key, const char* type) {
    if (!g_settings_schema_has_key(schema, key)) return false;
    GSettingsSchemaKey* k = g_settings_schema_get_key(schema, key);
    const bool ok = g_variant_type_equal(g_settings_schema_key_get_value_type(k),
                                         G_VARIANT_TYPE(type));
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
    const bool ok = InRange(schema, kAccelProfile, flat) && InRange(schema, kAccelProfile, adaptive);
    g_variant_unref(flat);
    g_variant_unref(adaptive);
    return ok;
}

// Sets a key when the value is within the key's range; false when it is not or when the key
// is locked down.
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

}  // namespace

GSettingsPointerBackend::GSettingsPointerBackend() {
    // The default source is owned by GLib; it is null when no schema is installed at all.
    Open(g_settings_schema_source_get_default());
}

GSettingsPointerBackend::GSettingsPointerBackend(const std::filesystem::path& schemaDirectory) {
    GError* error = nullptr;
    GSettingsSchemaSource* source = g_settings_schema_source_new_from_directory(
        schemaDirectory.c_str(), nullptr, TRUE, &error);
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
}

PointerBackendReading GSettingsPointerBackend::Read() {
    PointerBackendReading reading;
    reading.available = available_;
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
    return reading;
}

PointerApplyReport GSettingsPointerBackend::Apply(const SystemPointerValues& values) {
    PointerApplyReport report;
    report.available = available_;
    if (!settings_) return report;
    if (available_.acceleration) {
        // Only a change of meaning is written, so a profile of 'default' that already
        // accelerates stays the desktop's own choice.
        const bool on = values.acceleration.acceleration != 0;
        if (on == ProfileIsFlat(settings_)) {
            report.failed.acceleration = !SetChecked(settings_, schema_, kAccelProfile,
                                                     g_variant_new_string(on ? kAdaptive : kFlat));
        }
    }
    if (available_.speed) {
        report.failed.speed = !SetChecked(settings_, schema_, kSpeed,
                                          g_variant_new_double(LibinputFromSystemSpeed(values.speed)));
    }
    if (available_.doubleClick) {
        const gint ms = values.doubleClickMs > INT_MAX ? INT_MAX : static_cast<gint>(values.doubleClickMs);
        report.failed.doubleClick =
            !SetChecked(settings_, schema_, kDoubleClick, g_variant_new_int32(ms));
    }
    // The desktop's store writes behind our back; wait until it has the values.
    g_settings_sync();
    return report;
}

}  // namespace quarten
