// Readable and JSON renderings of a settings image for `quartenctl show`.
#pragma once

#include <ostream>

#include "buttons/ButtonCaptions.h"
#include "settings/DeviceSettings.h"

namespace quarten::cli {

// captions: the sixteen button captions of str.ini in the chosen language.
void PrintSettings(std::ostream& out, std::uint8_t firstRunFlag, const ImageBytes& image,
                   const ButtonCaptions& captions);
void PrintSettingsJson(std::ostream& out, std::uint8_t firstRunFlag, const ImageBytes& image,
                       const ButtonCaptions& captions);

}  // namespace quarten::cli
