// The captions the main window shows for each button of both modes.
#pragma once

#include <array>
#include <string>

#include "settings/SettingsLayout.h"

namespace quarten {

// Sixteen UTF-8 captions, two modes of eight buttons. They are not part of the settings image;
// the string settings file keeps them under the keys CaptionKey gives.
class ButtonCaptions {
public:
    // mode: 0 = Mode A, 1 = Mode B; button: 0..7. Out-of-range positions throw.
    const std::string& Get(int mode, int button) const;
    void Set(int mode, int button, std::string caption);

    friend bool operator==(const ButtonCaptions&, const ButtonCaptions&) = default;

private:
    std::array<std::array<std::string, layout::kButtonCount>, 2> captions_;
};

// "Item1".."Item8" for Mode A, "Item13", "Item23", .. "Item83" for Mode B (button number
// first, then the 3). Out-of-range positions throw.
std::string CaptionKey(int mode, int button);

}  // namespace quarten
