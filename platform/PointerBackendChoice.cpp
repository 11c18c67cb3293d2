#include "platform/PointerBackendChoice.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/GSettingsPointerBackend.h"
#include "platform/KdePointerBackend.h"
#include "platform/UserPaths.h"

namespace quarten {
namespace {

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

// Desktops whose pointer settings live in org.gnome.desktop.peripherals.mouse.
constexpr std::string_view kGnomeLike[] = {"GNOME",   "GNOME-Classic", "GNOME-Flashback",
                                           "Unity",   "Budgie",        "Pantheon"};

}  // namespace

PointerDesktop PointerDesktopFrom(std::string_view currentDesktop, std::string_view forced) {
    if (SameLetters(forced, "gsettings")) return PointerDesktop::Gnome;
    if (SameLetters(forced, "kde")) return PointerDesktop::Kde;
    if (SameLetters(forced, "none")) return PointerDesktop::None;
    while (!currentDesktop.empty()) {
        const std::size_t colon = currentDesktop.find(':');
        const std::string_view name = currentDesktop.substr(0, colon);
        if (SameLetters(name, "KDE")) return PointerDesktop::Kde;
        for (std::string_view gnome : kGnomeLike) {
            if (SameLetters(name, gnome)) return PointerDesktop::Gnome;
        }
        if (colon == std::string_view::npos) break;
        currentDesktop.remove_prefix(colon + 1);
    }
    return PointerDesktop::None;
}

std::unique_ptr<PointerBackend> MakePointerBackend(PointerDesktop desktop, FileStore& store,
                                                   std::function<void()> announce) {
    switch (desktop) {
        case PointerDesktop::Gnome: return std::make_unique<GSettingsPointerBackend>();
        case PointerDesktop::Kde:
            if (const auto home = UserConfigHome(); !home.empty()) {
                return std::make_unique<KdePointerBackend>(store, home, std::move(announce));
            }
            break;
        case PointerDesktop::None: break;
    }
    return std::make_unique<NullPointerBackend>();
}

std::unique_ptr<PointerBackend> MakeSessionPointerBackend(FileStore& store,
                                                          std::function<void()> announce) {
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    const char* forced = std::getenv("QUARTEN_POINTER_BACKEND");
    return MakePointerBackend(PointerDesktopFrom(desktop ? desktop : "", forced ? forced : ""),
                              store, std::move(announce));
}

}  // namespace quarten
