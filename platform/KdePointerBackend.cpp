#include "platform/KdePointerBackend.h"

#include <charconv>
#include <cstdio>
#include <string>

#include "macros/IniFile.h"
#include "platform/LibinputSpeed.h"

namespace quarten {
namespace {

constexpr const char* kMouse = "Mouse";
constexpr const char* kSpeedKey = "XLbInptPointerAcceleration";  // -1..1
constexpr const char* kFlatKey = "XLbInptAccelProfileFlat";      // true: no acceleration
constexpr const char* kGlobals = "KDE";
constexpr const char* kWheelKey = "WheelScrollLines";
constexpr const char* kDoubleClickKey = "DoubleClickInterval";

// What the desktop assumes for a key it has never written.
constexpr int kDefaultWheelLines = 3;
constexpr int kDefaultDoubleClickMs = 400;

std::optional<double> ParseDouble(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<int> ParseInt(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string FormatDouble(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

}  // namespace

KdePointerBackend::KdePointerBackend(FileStore& store, std::filesystem::path configFolder,
                                     std::function<void()> announce)
    : store_(store),
      inputFile_(configFolder / "kcminputrc"),
      globalsFile_(configFolder / "kdeglobals"),
      announce_(std::move(announce)) {}

PointerBackendReading KdePointerBackend::Read() {
    // Absent keys hold the desktop's defaults; a value that does not parse is a failed read.
    const IniFile input = IniFile::Load(store_, inputFile_);
    const IniFile globals = IniFile::Load(store_, globalsFile_);
    PointerBackendReading reading;
    reading.available = PointerSettingSet::All();
    SystemPointerReading& v = reading.values;

    const std::string flat = input.Read(kMouse, kFlatKey);
    if (flat.empty() || flat == "false") v.acceleration = kPrecisionOnAcceleration;
    if (flat == "true") v.acceleration = kPrecisionOffAcceleration;

    const std::string speed = input.Read(kMouse, kSpeedKey);
    if (speed.empty()) {
        v.speed = 10;
    } else if (const auto parsed = ParseDouble(speed)) {
        v.speed = SystemSpeedFromLibinput(*parsed);
    }

    const std::string lines = globals.Read(kGlobals, kWheelKey);
    v.wheelLines = lines.empty() ? std::optional<int>(kDefaultWheelLines) : ParseInt(lines);

    const std::string time = globals.Read(kGlobals, kDoubleClickKey);
    const std::optional<int> ms = time.empty() ? kDefaultDoubleClickMs : ParseInt(time);
    v.doubleClickMs = ms && *ms > 0 ? static_cast<unsigned>(*ms) : 0;
    return reading;
}

PointerApplyReport KdePointerBackend::Apply(const SystemPointerValues& values) {
    PointerApplyReport report;
    report.available = PointerSettingSet::All();

    // Both files are rewritten whole and atomically; every other line in them stays as it was.
    IniFile input = IniFile::Load(store_, inputFile_);
    input.Write(kMouse, kFlatKey, values.acceleration.acceleration != 0 ? "false" : "true");
    input.Write(kMouse, kSpeedKey, FormatDouble(LibinputFromSystemSpeed(values.speed)));
    const bool inputSaved = input.Save(store_, inputFile_).ok;
    report.failed.acceleration = !inputSaved;
    report.failed.speed = !inputSaved;

    IniFile globals = IniFile::Load(store_, globalsFile_);
    // The desktop has no "one screen per notch": that choice cannot be set here.
    const bool oneScreen = values.wheelLines == kWheelOneScreen;
    if (!oneScreen) globals.Write(kGlobals, kWheelKey, std::to_string(values.wheelLines));
    globals.Write(kGlobals, kDoubleClickKey, std::to_string(values.doubleClickMs));
    const bool globalsSaved = globals.Save(store_, globalsFile_).ok;
    report.failed.wheelLines = oneScreen || !globalsSaved;
    report.failed.doubleClick = !globalsSaved;

    if ((inputSaved || globalsSaved) && announce_) announce_();
    return report;
}

}  // namespace quarten
