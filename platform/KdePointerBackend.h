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
    PointerApplyReport Apply(const SystemPointerValues& values) override;

private:
    FileStore& store_;
    std::filesystem::path inputFile_;
    std::filesystem::path globalsFile_;
    std::function<void()> announce_;
};

}  // namespace quarten
