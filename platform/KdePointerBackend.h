// Pointer settings of KDE Plasma through its configuration files: kcminputrc for the pointer
// speed and acceleration profile, kdeglobals for the wheel lines and the double-click time.
// Best effort: the files are what the desktop's own settings module writes, and running
// programs are told through the desktop's settings-changed signal; a desktop session may
// still keep its own copy of the values until the next login.
#pragma once

#include <filesystem>
#include <functional>

#include "host/PointerBackend.h"
#include "settings/FileStore.h"

namespace quarten {

class KdePointerBackend final : public PointerBackend {
public:
    // `configFolder` holds kcminputrc and kdeglobals ($XDG_CONFIG_HOME or ~/.config).
    // `announce` sends the settings-changed signal after a write; it may be empty.
    KdePointerBackend(FileStore& store, std::filesystem::path configFolder,
                      std::function<void()> announce);

    PointerBackendReading Read() override;
    PointerApplyReport Apply(const SystemPointerValues& values, PointerSettingSet which) override;
    // An empty saved value writes KDE's own default: no flat profile, speed 0, 3 wheel
    // lines, 400 ms.
    PointerApplyReport Restore(const SavedPointerValues& saved, PointerSettingSet which) override;

private:
    // Writes the texts of the settings in `which`; a setting without a text cannot be set.
    PointerApplyReport Write(const PerPointerSetting<std::optional<std::string>>& texts,
                             PointerSettingSet which);

    FileStore& store_;
    std::filesystem::path inputFile_;
    std::filesystem::path globalsFile_;
    std::function<void()> announce_;
    PointerPlaces places_;
};

}  // namespace quarten
