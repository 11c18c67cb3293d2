// The pointer speed of libinput desktops (a double, -1..1) against the system speed 1..20.
#pragma once

#include <algorithm>
#include <cmath>

namespace quarten {

// 0 is the middle speed 10 and each tenth is one step, so 1 is the fastest speed 20; the
// slowest system speed, 1, is -0.9. Values beyond either end are clamped.
inline int SystemSpeedFromLibinput(double speed) {
    if (std::isnan(speed)) return 10;
    return static_cast<int>(std::clamp(std::lround(10.0 + 10.0 * speed), 1L, 20L));
}

inline double LibinputFromSystemSpeed(int speed) {
    return std::clamp((speed - 10) / 10.0, -1.0, 1.0);
}

}  // namespace quarten
