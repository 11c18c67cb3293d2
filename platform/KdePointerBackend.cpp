// KDE backend of the host pointer settings: two INI files edited key by key.
#include "platform/KdePointerBackend.h"

#include <charconv>
#include <cstdlib>
#include <string>
#include <system_error>

#include "macros/IniFile.h"
#include "platform/LibinputSpeed.h"

namespace quarten {
namespace {

// Where each setting lives, and the text of the desktop's own default for it. "Default"
// writes these texts rather than removing the keys: the files keep every other line as it
// was, and KDE and our next read see the same value either way.
struct KdeKey {
    bool globals;  // kdeglobals, else kcminputrc
    const char* group;
    const char* key;
    const char* defaultText;
};
constexpr PerPointerSetting<KdeKey> kKeys{
    {false, "Mouse", "XLbInptAccelProfileFlat", "false"},  // true: no acceleration
    {false, "Mouse", "XLbInptPointerAcceleration", "0"},   // -1..1
    {true, "KDE", "WheelScrollLines", "3"},
    {true, "KDE", "DoubleClickInterval", "400"},
};

// Numbers in these files are read by KDE in the C locale, whatever the locale of this
// process: from_chars and to_chars never use a decimal comma.
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

// KConfig's spellings of a boolean, in any letter case.
std::optional<bool> ParseBool(std::string text) {
    for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (text == "true" || text == "on" || text == "yes" || text == "1") return true;
    if (text == "false" || text == "off" || text == "no" || text == "0") return false;
    return std::nullopt;
}

std::string FormatDouble(double value) {
    char text[32];
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return error == std::errc() ? std::string(text, end) : std::string("0");
}

// The file as a person finds it: the home folder written as "~".
std::string ShownPath(const std::filesystem::path& file) {
    const std::string path = file.string();
    const char* home = std::getenv("HOME");
    if (!home || !*home) return path;
    std::string prefix(home);
    if (prefix.back() != '/') prefix += '/';
    return path.rfind(prefix, 0) == 0 ? "~/" + path.substr(prefix.size()) : path;
}

}  // namespace

KdePointerBackend::KdePointerBackend(FileStore& store, std::filesystem::path configFolder,
                                     std::function<void()> announce)
    : store_(store),
      inputFile_(configFolder / "kcminputrc"),
      globalsFile_(configFolder / "kdeglobals"),
      announce_(std::move(announce)) {
    for (const PointerSetting s : kPointerSettingOrder) {
        const KdeKey& k = kKeys[s];
        places_[s] =
            ShownPath(k.globals ? globalsFile_ : inputFile_) + " [" + k.group + "] " + k.key;
    }
}

PointerBackendReading KdePointerBackend::Read() {
    // Absent keys hold the desktop's defaults; a value that does not parse is a failed read.
    const IniFile input = IniFile::Load(store_, inputFile_);
    const IniFile globals = IniFile::Load(store_, globalsFile_);
    PointerBackendReading reading;
    reading.available = PointerSettingSet::All();
    reading.places = places_;
    for (const PointerSetting s : kPointerSettingOrder) {
        const KdeKey& k = kKeys[s];
        const IniSection group = (k.globals ? globals : input).Section(k.group);
        if (group.Has(k.key)) reading.saved[s] = group.Value(k.key);
    }
    // An empty value reads as the default too, as KDE reads it.
    const auto text = [&](PointerSetting s) {
        const SavedPointerValue& saved = reading.saved[s];
        return saved && !saved->empty() ? *saved : std::string(kKeys[s].defaultText);
    };
    SystemPointerReading& v = reading.values;

    if (const auto flat = ParseBool(text(PointerSetting::Acceleration))) {
        v.acceleration = *flat ? kPrecisionOffAcceleration : kPrecisionOnAcceleration;
    }
    if (const auto speed = ParseDouble(text(PointerSetting::Speed))) {
        v.speed = SystemSpeedFromLibinput(*speed);
    }
    v.wheelLines = ParseInt(text(PointerSetting::WheelLines));
    const std::optional<int> ms = ParseInt(text(PointerSetting::DoubleClick));
    v.doubleClickMs = ms && *ms > 0 ? static_cast<unsigned>(*ms) : 0;
    return reading;
}

PointerApplyReport KdePointerBackend::Apply(const SystemPointerValues& values,
                                            PointerSettingSet which) {
    PerPointerSetting<std::optional<std::string>> texts;
    texts.acceleration = values.acceleration.acceleration != 0 ? "false" : "true";
    texts.speed = FormatDouble(LibinputFromSystemSpeed(values.speed));
    // The desktop has no "one screen per notch": that choice cannot be set here.
    if (values.wheelLines != kWheelOneScreen) texts.wheelLines = std::to_string(values.wheelLines);
    texts.doubleClick = std::to_string(values.doubleClickMs);
    return Write(texts, which);
}

PointerApplyReport KdePointerBackend::Restore(const SavedPointerValues& saved,
                                              PointerSettingSet which) {
    PerPointerSetting<std::optional<std::string>> texts;
    for (const PointerSetting s : kPointerSettingOrder) {
        texts[s] = saved[s].value_or(kKeys[s].defaultText);
    }
    return Write(texts, which);
}

PointerApplyReport KdePointerBackend::Write(
    const PerPointerSetting<std::optional<std::string>>& texts, PointerSettingSet which) {
    PointerApplyReport report;
    report.available = PointerSettingSet::All();
    report.places = places_;
    bool announce = false;
    // Each file is rewritten whole and atomically, and only when one of its keys is asked
    // for; every other line in it stays as it was.
    for (const bool globals : {false, true}) {
        const std::filesystem::path& path = globals ? globalsFile_ : inputFile_;
        bool touched = false;
        IniFile file = IniFile::Load(store_, path);
        for (const PointerSetting s : kPointerSettingOrder) {
            const KdeKey& k = kKeys[s];
            if (k.globals != globals || !which[s] || !texts[s]) continue;
            file.Write(k.group, k.key, *texts[s]);
            touched = true;
        }
        const bool saved = touched && file.Save(store_, path).ok;
        announce = announce || saved;
        for (const PointerSetting s : kPointerSettingOrder) {
            if (kKeys[s].globals == globals && which[s]) report.failed[s] = !texts[s] || !saved;
        }
    }
    if (announce && announce_) announce_();
    return report;
}

}  // namespace quarten
