// Integer mapping between the host's pointer settings and the advanced page's slider steps.
#include "host/PointerSettings.h"

#include <algorithm>

namespace quarten {

namespace {

namespace p = layout::pointer;

constexpr std::uint8_t Low8(long long value) { return static_cast<std::uint8_t>(value & 0xFF); }

int ClampSteps(std::uint8_t steps, int lowest) {
    return std::clamp(static_cast<int>(steps), lowest, kSliderSegments);
}

}  // namespace

PointerSettings PointerSettings::FromImage(const ImageBytes& image) {
    const std::size_t base = layout::kPointerSettings;
    PointerSettings s;
    s.precisionFlag = image[base + p::kPrecisionFlag];
    s.oneScreenFlag = image[base + p::kOneScreenFlag];
    s.speedSteps = image[base + p::kSpeedSteps];
    s.scrollSteps = image[base + p::kScrollSteps];
    s.doubleClickSteps = image[base + p::kDoubleClickSteps];
    return s;
}

void PointerSettings::StoreTo(ImageBytes& image) const {
    const std::size_t base = layout::kPointerSettings;
    image[base + p::kPrecisionFlag] = precisionFlag;
    image[base + p::kOneScreenFlag] = oneScreenFlag;
    image[base + p::kSpeedSteps] = speedSteps;
    image[base + p::kScrollSteps] = scrollSteps;
    image[base + p::kDoubleClickSteps] = doubleClickSteps;
}

PointerSettings PointerSettings::FromSystem(const SystemPointerReading& reading,
                                            const PointerSettings& stored) {
    PointerSettings s = stored;
    s.precisionFlag = reading.acceleration && reading.acceleration->acceleration != 0 ? 1 : 0;

    if (reading.speed) s.speedSteps = Low8(*reading.speed / 2 + 1);

    const int lines = reading.wheelLines.value_or(0);
    if (lines == kWheelOneScreen) {
        s.oneScreenFlag = 1;
        s.scrollSteps = 0;
    } else {
        // The byte holds 0..255 lines; a larger count is kept as 255 rather than its low
        // 8 bits, so applying never writes back a count smaller than the one read.
        s.oneScreenFlag = 0;
        s.scrollSteps = static_cast<std::uint8_t>(std::clamp(lines, 0, 255));
    }

    // A time of 0 is the failure mark: the stored steps stay. Other times are taken into
    // the slider's 200..900 ms first: a time above 900 ms would wrap around the unsigned
    // step arithmetic and be shown, then applied, as one of the fastest.
    if (reading.doubleClickMs != 0) {
        const std::uint32_t time = std::clamp(reading.doubleClickMs, 200u, 900u);
        s.doubleClickSteps = static_cast<std::uint8_t>((900u - time) / 70u + 1u);
    }
    return s;
}

SystemPointerValues PointerSettings::ToSystem() const {
    SystemPointerValues v;
    v.acceleration = precisionFlag == 1 ? kPrecisionOnAcceleration : kPrecisionOffAcceleration;

    const int speed = ClampSteps(speedSteps, 1);
    v.speed = speed == 1 ? 1 : 2 * speed - 2;

    v.wheelLines = oneScreenFlag == 1 ? kWheelOneScreen : scrollSteps;

    const int doubleClick = ClampSteps(doubleClickSteps, 1);
    v.doubleClickMs = static_cast<unsigned>(970 - 70 * doubleClick);
    return v;
}

int PointerSettings::SpeedSegments() const { return ClampSteps(speedSteps, 1); }

int PointerSettings::ScrollSegments() const { return ClampSteps(scrollSteps, 0); }

int PointerSettings::DoubleClickSegments() const { return ClampSteps(doubleClickSteps, 1); }

bool SamePointerSetting(PointerSetting setting, const PointerSettings& a,
                        const PointerSettings& b) {
    const SystemPointerValues x = a.ToSystem();
    const SystemPointerValues y = b.ToSystem();
    switch (setting) {
        case PointerSetting::Acceleration:
            return x.acceleration == y.acceleration;
        case PointerSetting::Speed:
            return x.speed == y.speed;
        case PointerSetting::WheelLines:
            return x.wheelLines == y.wheelLines;
        case PointerSetting::DoubleClick:
            break;
    }
    return x.doubleClickMs == y.doubleClickMs;
}

void CopyPointerSetting(PointerSetting setting, const PointerSettings& from, PointerSettings& to) {
    switch (setting) {
        case PointerSetting::Acceleration:
            to.precisionFlag = from.precisionFlag;
            return;
        case PointerSetting::Speed:
            to.speedSteps = from.speedSteps;
            return;
        case PointerSetting::WheelLines:
            to.oneScreenFlag = from.oneScreenFlag;
            to.scrollSteps = from.scrollSteps;
            return;
        case PointerSetting::DoubleClick:
            to.doubleClickSteps = from.doubleClickSteps;
            return;
    }
}

PointerSettings DefaultPointerSettings() {
    PointerSettings s;
    s.precisionFlag = 0;
    s.oneScreenFlag = 0;
    s.speedSteps = 6;
    s.scrollSteps = 3;
    s.doubleClickSteps = 6;
    return s;
}

}  // namespace quarten
