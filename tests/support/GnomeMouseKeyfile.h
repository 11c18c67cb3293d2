// GNOME's settings for a test process: GIO's keyfile backend in a private folder, so nothing
// reaches the user's real settings and a test can read exactly what was stored.
#pragma once

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "tests/support/TempDir.h"

namespace quarten::test {

// The private $XDG_CONFIG_HOME of this process.
inline const TempDir& GnomeConfigHome() {
    static const TempDir dir;
    return dir;
}

// Call it before GIO reads its environment (from a namespace-scope initialiser): true when
// the backend is in place.
inline bool UseGnomeKeyfile() {
    return ::setenv("GSETTINGS_BACKEND", "keyfile", 1) == 0 &&
           ::setenv("XDG_CONFIG_HOME", GnomeConfigHome().Path().c_str(), 1) == 0;
}

// The keys of org.gnome.desktop.peripherals.mouse in their GVariant text as the keyfile
// holds them; a key that is not there has the schema's default.
inline std::map<std::string, std::string> GnomeMouseKeys() {
    std::map<std::string, std::string> keys;
    std::ifstream in(GnomeConfigHome() / "glib-2.0/settings/keyfile");
    std::string line;
    bool inGroup = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.front() == '[') {
            inGroup = line == "[org/gnome/desktop/peripherals/mouse]";
        } else if (const std::size_t eq = line.find('='); inGroup && eq != std::string::npos) {
            keys[line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    return keys;
}

// A double of the keyfile ("-0.29999999999999999"), read in the C locale.
inline double KeyfileDouble(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace quarten::test
