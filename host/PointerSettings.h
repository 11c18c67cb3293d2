// The host pointer settings kept in the image, and their mapping to and from system values.
#pragma once

#include <cstdint>
#include <optional>

#include "settings/DeviceSettings.h"

namespace quarten {

struct PointerAcceleration {
    int threshold1 = 0;
    int threshold2 = 0;
    int acceleration = 0;
    friend bool operator==(const PointerAcceleration&, const PointerAcceleration&) = default;
};

inline constexpr int kWheelOneScreen = -1;  // wheel lines value meaning one screen per notch

// The acceleration triples behind "Enhance Pointer Precision" ticked and not ticked. Reading
// counts any non-zero acceleration as ticked.
inline constexpr PointerAcceleration kPrecisionOnAcceleration{6, 10, 1};
inline constexpr PointerAcceleration kPrecisionOffAcceleration{0, 0, 0};

// What the system backends read; an empty optional is a failed read. A double-click time of
// 0 is itself the failure mark, as the system reports it.
struct SystemPointerReading {
    std::optional<PointerAcceleration> acceleration;
    std::optional<int> speed;       // 1..20
    std::optional<int> wheelLines;  // kWheelOneScreen or lines per notch
    unsigned doubleClickMs = 0;
};

// What applying asks the system backends to set.
struct SystemPointerValues {
    PointerAcceleration acceleration;
    int speed = 0;
    int wheelLines = 0;
    unsigned doubleClickMs = 0;
    friend bool operator==(const SystemPointerValues&, const SystemPointerValues&) = default;
};

inline constexpr int kSliderSegments = 11;

// Image bytes 1699..1703. Flags count as ticked only when they are exactly 1, the same test
// the page uses to draw the tick, so what is applied is what the user saw.
struct PointerSettings {
    std::uint8_t precisionFlag = 0;
    std::uint8_t oneScreenFlag = 0;
    std::uint8_t speedSteps = 0;
    std::uint8_t scrollSteps = 0;
    std::uint8_t doubleClickSteps = 0;

    static PointerSettings FromImage(const ImageBytes& image);
    void StoreTo(ImageBytes& image) const;

    // Reading: converts the system's values into steps. A failed speed read keeps the stored
    // speed steps; a failed wheel read counts as 0 lines; a failed acceleration read clears
    // the precision flag; a double-click time of 0 (failed) keeps the stored steps. Values
    // beyond what the bytes and sliders hold are taken to the nearest end (more than 255
    // wheel lines, double-click times outside 200..900 ms), never wrapped around.
    static PointerSettings FromSystem(const SystemPointerReading& reading,
                                      const PointerSettings& stored);

    // Applying: the system values these steps stand for. Speed and double-click steps are
    // clamped to 1..11 first, so a foreign or out-of-range step byte can never produce a
    // wrapped-around value (970 - 70 * steps goes negative from 14 steps on and would become
    // a huge unsigned time). Scroll steps go through unchanged: values above 11 are line counts
    // read from the system and stay what they were.
    SystemPointerValues ToSystem() const;

    // Segments to light: speed and double-click 1..11, scroll 0..11 (0 lights none). Step
    // bytes outside the slider, as read from unusual system values, draw as its nearest end.
    int SpeedSegments() const;
    int ScrollSegments() const;
    int DoubleClickSegments() const;

    friend bool operator==(const PointerSettings&, const PointerSettings&) = default;
};

// The four settings the page edits, in the order the page's Apply takes them. The wheel
// lines include "Scroll One Screen".
enum class PointerSetting { Acceleration, Speed, WheelLines, DoubleClick };

// Whether two sets of bytes stand for the same system value of one setting: the same speed
// or double-click time after clamping, the same wheel lines (any scroll steps while one
// screen is ticked), the same acceleration.
bool SamePointerSetting(PointerSetting setting, const PointerSettings& a, const PointerSettings& b);
// Copies the bytes of one setting (for the wheel lines: the one-screen flag and the steps).
void CopyPointerSetting(PointerSetting setting, const PointerSettings& from, PointerSettings& to);

// What the advanced page's "Default" stores for a setting the desktop does not have (all of
// them where no desktop is known): no precision, no one screen, 6, 3 and 6 steps.
PointerSettings DefaultPointerSettings();

}  // namespace quarten
