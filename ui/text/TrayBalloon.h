// The tray balloon shown for a device notice: text, untranslated title and time-out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "device/DeviceNotice.h"
#include "ui/text/UiText.h"

namespace quarten {

// Balloon titles stay English in every language.
inline constexpr std::string_view kBalloonTitleInfo = "Info";
inline constexpr std::string_view kBalloonTitleWarning = "Warning";

// A time-out that leaves it to the desktop how long the notice stays.
inline constexpr int kDesktopDefaultTimeout = -1;

struct Balloon {
    std::string text;
    std::string_view title;
    int timeoutMs = 0;  // milliseconds, or kDesktopDefaultTimeout
    friend bool operator==(const Balloon&, const Balloon&) = default;
};

// The balloon for device-event code and value, or nothing when the pair shows none.
// dpiLabel is the DPI text of the reported stage (code 7) and is appended to the stage
// text as it is; the English stage texts end with the separating blank, the Chinese ones
// have none.
std::optional<Balloon> BalloonFor(const UiText& text, int code, std::uint32_t value,
                                  std::string_view dpiLabel);

inline std::optional<Balloon> BalloonFor(const UiText& text, DeviceNotice notice,
                                         std::uint32_t value, std::string_view dpiLabel) {
    return BalloonFor(text, static_cast<int>(notice), value, dpiLabel);
}

}  // namespace quarten
