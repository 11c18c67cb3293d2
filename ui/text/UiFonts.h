// The normal and heading font of each language, as data for the window to turn into fonts.
#pragma once

#include <span>
#include <string_view>

#include "ui/text/UiText.h"

namespace quarten {

struct FontRequest {
    std::string_view face;  // the face the window was designed with, e.g. "宋体" or "Arial"
    // Installed families to try in order for that face; the first one present wins.
    std::span<const std::string_view> families;
    int pixelHeight = 0;  // font cell height in pixels
    int weight = 0;       // 400 normal, 700 bold (the same scale as CSS and Qt 6)
};

struct LanguageFonts {
    FontRequest normal;
    FontRequest heading;
};

// Simplified Chinese uses "宋体": its "黑体" variant belongs to one particular Windows
// release and has no counterpart here.
LanguageFonts FontsFor(UiLanguage language);

}  // namespace quarten
