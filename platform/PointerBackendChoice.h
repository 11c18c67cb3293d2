// Which desktop's pointer settings this session has, and the backend that reaches them.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "host/PointerBackend.h"
#include "settings/FileStore.h"

namespace quarten {

enum class PointerDesktop { None, Gnome, Kde };

// From XDG_CURRENT_DESKTOP (a colon-separated list, e.g. "ubuntu:GNOME"): desktops that keep
// the pointer in GNOME's GSettings schema, KDE Plasma, or none known. `forced` ("gsettings",
// "kde" or "none", from QUARTEN_POINTER_BACKEND) wins when it is one of those.
PointerDesktop PointerDesktopFrom(std::string_view currentDesktop, std::string_view forced);

// The backend for the desktop; `announce` tells KDE's running programs their settings changed.
std::unique_ptr<PointerBackend> MakePointerBackend(PointerDesktop desktop, FileStore& store,
                                                   std::function<void()> announce);

// The same, chosen from this process's environment.
std::unique_ptr<PointerBackend> MakeSessionPointerBackend(FileStore& store,
                                                          std::function<void()> announce);

}  // namespace quarten
