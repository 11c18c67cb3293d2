// Seam to the desktop's pointer settings: read them, write some of them, give some back as
// they were; the real backends (GSettings, KDE's files, none) live in platform/.
#pragma once

#include <array>
#include <concepts>
#include <optional>
#include <string>
#include <utility>

#include "host/PointerSettings.h"

namespace quarten {

inline constexpr std::array<PointerSetting, 4> kPointerSettingOrder = {
    PointerSetting::Acceleration, PointerSetting::Speed, PointerSetting::WheelLines,
    PointerSetting::DoubleClick};

// One value of T for each of the four settings.
template <typename T>
struct PerPointerSetting {
    T acceleration{};
    T speed{};
    T wheelLines{};
    T doubleClick{};

    constexpr T& operator[](PointerSetting s) { return const_cast<T&>(std::as_const(*this)[s]); }
    constexpr const T& operator[](PointerSetting s) const {
        switch (s) {
            case PointerSetting::Acceleration:
                return acceleration;
            case PointerSetting::Speed:
                return speed;
            case PointerSetting::WheelLines:
                return wheelLines;
            case PointerSetting::DoubleClick:
                break;
        }
        return doubleClick;
    }

    static constexpr PerPointerSetting All() requires std::same_as<T, bool> {
        return {true, true, true, true};
    }
    constexpr bool Any() const requires std::same_as<T, bool> {
        return acceleration || speed || wheelLines || doubleClick;
    }

    friend bool operator==(const PerPointerSetting&, const PerPointerSetting&) = default;
};

// A flag for each setting: which ones a desktop has, which ones failed, which to write.
using PointerSettingSet = PerPointerSetting<bool>;

constexpr PointerSettingSet operator&(const PointerSettingSet& a, const PointerSettingSet& b) {
    return {a.acceleration && b.acceleration, a.speed && b.speed, a.wheelLines && b.wheelLines,
            a.doubleClick && b.doubleClick};
}

// Where the desktop keeps each setting, as a person would look it up: a GSettings schema and
// key ("org.gnome.desktop.peripherals.mouse speed"), or a file, group and key
// ("~/.config/kdeglobals [KDE] WheelScrollLines"). Empty for settings the desktop lacks.
using PointerPlaces = PerPointerSetting<std::string>;

// A setting exactly as the desktop holds it, in the backend's own text (a GVariant, a line
// of a file), so that it can be given back unchanged: the 1..20 speed and the steps cannot
// hold a speed of -0.35 or a profile of 'default'. Empty: the desktop holds no value of its
// own there and uses its default.
using SavedPointerValue = std::optional<std::string>;
using SavedPointerValues = PerPointerSetting<SavedPointerValue>;

struct PointerBackendReading {
    // Failed reads as SystemPointerReading marks them; settings the desktop lacks are unset.
    SystemPointerReading values;
    PointerSettingSet available;  // settings this desktop has at all
    PointerPlaces places;
    SavedPointerValues saved;  // for the settings it has
};

struct PointerApplyReport {
    PointerSettingSet available;  // settings this desktop has; the others were left alone
    PointerSettingSet failed;     // settings asked for and had whose change did not go through
    PointerPlaces places;
};

class PointerBackend {
public:
    virtual ~PointerBackend() = default;
    virtual PointerBackendReading Read() = 0;
    // Writes only the settings in `which`; the others stay exactly as the desktop has them.
    virtual PointerApplyReport Apply(const SystemPointerValues& values,
                                     PointerSettingSet which) = 0;
    // Gives the settings in `which` back as an earlier reading saved them; an empty saved
    // value puts the desktop's own default there. Restore({}, which) is the desktop's
    // "Defaults".
    virtual PointerApplyReport Restore(const SavedPointerValues& saved,
                                       PointerSettingSet which) = 0;
};

// Where no desktop is known: nothing to read, nothing to set.
class NullPointerBackend final : public PointerBackend {
public:
    PointerBackendReading Read() override { return {}; }
    PointerApplyReport Apply(const SystemPointerValues&, PointerSettingSet) override { return {}; }
    PointerApplyReport Restore(const SavedPointerValues&, PointerSettingSet) override { return {}; }
};

// The page's bytes after reading the system. A setting the desktop does not have is no
// failure: it keeps what `stored` holds, so the page shows and saves it as before.
PointerSettings PointerSettingsFromBackend(const PointerBackendReading& reading,
                                           const PointerSettings& stored);

// Settings the desktop has whose value could not be read (a failed read of the speed, the
// wheel lines or the acceleration, a double-click time of 0).
PointerSettingSet UnreadableSettings(const PointerBackendReading& reading);

}  // namespace quarten
