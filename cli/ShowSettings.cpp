#include "cli/ShowSettings.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "buttons/ButtonFunction.h"
#include "buttons/FunctionTables.h"
#include "buttons/KeyNameTable.h"
#include "macros/MacroSlot.h"
#include "settings/DpiTables.h"
#include "settings/LightingTables.h"

namespace quarten::cli {
namespace {

// One decoded view of the image, shared by the two renderings.
struct StageView {
    int position;
    std::string label;  // as the page shows it for sensor type 0
    bool enabled;
    std::string colour;
};

struct ButtonView {
    int kind;
    std::string kindName;
    std::string parameters;  // empty for kinds without any
    std::string caption;
};

struct MacroView {
    int slot;
    int loopCount;
    std::string events;
};

struct SettingsView {
    int firstRun;
    int reportInterval;
    int reportRateHz;
    std::vector<StageView> stages;
    int lightMode;
    std::string lightModeName;
    int lightParameter;
    std::string lightParameterText;
    int effect;
    std::string effectName;
    int displayedMode;
    std::vector<ButtonView> layers[2];
    std::vector<MacroView> macros;  // slots that hold anything
    int pointer[5];
};

std::string Colour(const ImageBytes& image, std::size_t stage) {
    char text[8];
    const std::size_t at = layout::kDpiColour + 3 * stage;
    std::snprintf(text, sizeof text, "#%02X%02X%02X", image[at], image[at + 1], image[at + 2]);
    return text;
}

std::string KindName(std::uint8_t kind, std::uint8_t dpiAction) {
    if (kind >= kFunctionListTexts.size()) return "Key Off (kind " + std::to_string(kind) + ")";
    if (kind == static_cast<std::uint8_t>(AssignmentKind::DpiSwitch) && dpiAction >= 1 &&
        dpiAction <= 3) {
        return std::string(kDpiSwitchTexts[dpiAction - 1]);
    }
    return std::string(kFunctionListTexts[kind]);
}

std::string KeyName(std::uint8_t usage) {
    if (usage == 0) return "none";
    for (const KeyNameEntry& entry : kKeyNameTable) {
        if (entry.value == usage) return std::string(entry.name);
    }
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", usage);
    return text;
}

template <std::size_t N>
std::string Choice(const std::array<NamedUsage, N>& list, std::uint8_t choice) {
    return choice < N ? std::string(list[choice].text) : "choice " + std::to_string(choice);
}

std::string Parameters(std::uint8_t kind, const ButtonParameters& p) {
    char text[160];
    switch (static_cast<AssignmentKind>(kind)) {
        case AssignmentKind::Windows:
            std::snprintf(text, sizeof text, "%s (usage 0x%02X%02X)",
                          Choice(kWindowsFunctions, p.windowsChoice).c_str(), p.windowsUsageHigh,
                          p.windowsUsageLow);
            return text;
        case AssignmentKind::Multimedia:
            std::snprintf(text, sizeof text, "%s (usage 0x%02X)",
                          Choice(kMultimediaFunctions, p.multimediaChoice).c_str(),
                          p.multimediaUsage);
            return text;
        case AssignmentKind::FireKey:
            std::snprintf(text, sizeof text, "%s, speed %u, %u times",
                          Choice(kFireKeys, p.fireChoice).c_str(), p.fireSpeed, p.fireTimes);
            return text;
        case AssignmentKind::SingleKey: return KeyName(p.singleUsage);
        case AssignmentKind::ComboKey: {
            std::string modifier = "no modifier";
            for (const KeyNameEntry& entry : kComboModifierTable) {
                if (entry.value == p.comboModifier) modifier = std::string(entry.name);
            }
            return modifier + " + " + KeyName(p.comboKey1) + " + " + KeyName(p.comboKey2);
        }
        case AssignmentKind::MacroKey:
            std::snprintf(text, sizeof text, "macro %d, repeat mode %u", p.macroIndex + 1,
                          p.macroRepeatMode);
            return text;
        default: return {};
    }
}

SettingsView Decode(std::uint8_t firstRunFlag, const ImageBytes& image,
                    const ButtonCaptions& captions) {
    SettingsView v{};
    v.firstRun = firstRunFlag;
    v.reportInterval = image[layout::kReportInterval];
    v.reportRateHz = ReportRateHz(image[layout::kReportInterval]);
    for (std::size_t s = 0; s < layout::kStageCount; ++s) {
        const std::uint8_t position = image[layout::kDpiLevel + s];
        v.stages.push_back({position, std::string(DpiPageLabel(0, position)),
                            image[layout::kDpiEnabled + s] == 1, Colour(image, s)});
    }
    const std::uint8_t mode = image[layout::kLightMode];
    v.lightMode = mode;
    v.lightModeName = std::string(TextAt(LightModeNames(), mode));
    const std::size_t parameterOffset = mode == 1   ? layout::kStandardBrightness
                                        : mode == 2 ? layout::kRespirationSpeed
                                                    : layout::kNeonSpeed;
    v.lightParameter = mode >= 1 && mode <= 3 ? image[parameterOffset] : 0;
    v.lightParameterText = std::string(TextAt(LightParameterTexts(mode), v.lightParameter));
    const std::size_t effectOffset = mode == 1   ? layout::kStandardEffect
                                     : mode == 2 ? layout::kRespirationEffect
                                                 : layout::kNeonEffect;
    v.effect = mode >= 1 && mode <= 3 ? image[effectOffset] : 0;
    v.effectName = std::string(TextAt(EffectNames(), v.effect));
    v.displayedMode = image[layout::kDisplayedMode];
    for (int m = 0; m < 2; ++m) {
        for (std::size_t b = 0; b < layout::kButtonCount; ++b) {
            const std::uint8_t kind = image[layout::ModeByte(m, layout::mode::kKind, b)];
            const int button = static_cast<int>(b);
            v.layers[m].push_back({kind, KindName(kind, image[layout::DpiSwitchByte(m, b)]),
                                   Parameters(kind, ReadButtonParameters(image, m, button)),
                                   captions.Get(m, button)});
        }
    }
    for (std::size_t n = 1; n <= layout::kMacroSlotCount; ++n) {
        const ConstMacroSlotBytes slot = SlotOf(image, n);
        if (std::all_of(slot.begin(), slot.end(), [](std::uint8_t b) { return b == 0; })) continue;
        v.macros.push_back({static_cast<int>(n), LoopCount(slot), DescribeMacroSlot(slot)});
    }
    for (std::size_t i = 0; i < layout::pointer::kSize; ++i) {
        v.pointer[i] = image[layout::kPointerSettings + i];
    }
    return v;
}

void JsonString(std::ostream& out, const std::string& text) {
    out << '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out << '\\' << c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out << escaped;
        } else {
            out << c;
        }
    }
    out << '"';
}

}  // namespace

void PrintSettings(std::ostream& out, std::uint8_t firstRunFlag, const ImageBytes& image,
                   const ButtonCaptions& captions) {
    const SettingsView v = Decode(firstRunFlag, image, captions);
    out << "first run:     " << (v.firstRun == 0 ? "yes" : "no") << '\n';
    out << "report rate:   ";
    if (v.reportRateHz) {
        out << v.reportRateHz << " Hz\n";
    } else {
        out << "unset (interval " << v.reportInterval << ", shown as 1000 Hz)\n";
    }
    for (std::size_t s = 0; s < v.stages.size(); ++s) {
        const StageView& stage = v.stages[s];
        out << "dpi stage " << s + 1 << ":   " << (stage.enabled ? "on " : "off") << "  position "
            << stage.position << " (" << (stage.label.empty() ? "?" : stage.label)
            << " DPI on sensor type 0)  " << stage.colour << '\n';
    }
    out << "lighting:      " << (v.lightModeName.empty() ? "unknown" : v.lightModeName);
    if (v.lightMode >= 1 && v.lightMode <= 3) {
        out << ", " << (v.lightParameterText.empty() ? "?" : v.lightParameterText) << ", "
            << (v.effectName.empty() ? "?" : v.effectName);
    }
    out << '\n';
    out << "shown layer:   Mode " << (v.displayedMode == 1 ? 'B' : 'A') << '\n';
    for (int m = 0; m < 2; ++m) {
        out << "Mode " << (m == 0 ? 'A' : 'B') << ":\n";
        for (std::size_t b = 0; b < v.layers[m].size(); ++b) {
            const ButtonView& button = v.layers[m][b];
            out << "  button " << b + 1 << ": " << button.kindName;
            if (!button.parameters.empty()) out << " (" << button.parameters << ')';
            out << "  caption \"" << button.caption << "\"\n";
        }
    }
    for (const MacroView& macro : v.macros) {
        out << "macro slot " << macro.slot << ": loop " << macro.loopCount << ", "
            << (macro.events.empty() ? "no events" : macro.events) << '\n';
    }
    out << "pointer:       precision " << v.pointer[0] << ", one screen " << v.pointer[1]
        << ", speed " << v.pointer[2] << ", scroll " << v.pointer[3] << ", double-click "
        << v.pointer[4] << '\n';
}

void PrintSettingsJson(std::ostream& out, std::uint8_t firstRunFlag, const ImageBytes& image,
                       const ButtonCaptions& captions) {
    const SettingsView v = Decode(firstRunFlag, image, captions);
    out << "{\n  \"firstRunFlag\": " << v.firstRun << ",\n  \"reportInterval\": "
        << v.reportInterval << ",\n  \"reportRateHz\": " << v.reportRateHz
        << ",\n  \"dpiStages\": [";
    for (std::size_t s = 0; s < v.stages.size(); ++s) {
        const StageView& stage = v.stages[s];
        out << (s ? ", " : "") << "{\"position\": " << stage.position << ", \"enabled\": "
            << (stage.enabled ? "true" : "false") << ", \"colour\": ";
        JsonString(out, stage.colour);
        out << '}';
    }
    out << "],\n  \"lighting\": {\"mode\": " << v.lightMode << ", \"modeName\": ";
    JsonString(out, v.lightModeName);
    out << ", \"parameter\": " << v.lightParameter << ", \"parameterText\": ";
    JsonString(out, v.lightParameterText);
    out << ", \"effect\": " << v.effect << ", \"effectName\": ";
    JsonString(out, v.effectName);
    out << "},\n  \"displayedMode\": " << v.displayedMode << ",\n  \"layers\": [";
    for (int m = 0; m < 2; ++m) {
        out << (m ? ", " : "") << '[';
        for (std::size_t b = 0; b < v.layers[m].size(); ++b) {
            const ButtonView& button = v.layers[m][b];
            out << (b ? ", " : "") << "{\"kind\": " << button.kind << ", \"name\": ";
            JsonString(out, button.kindName);
            out << ", \"parameters\": ";
            JsonString(out, button.parameters);
            out << ", \"caption\": ";
            JsonString(out, button.caption);
            out << '}';
        }
        out << ']';
    }
    out << "],\n  \"macros\": [";
    for (std::size_t i = 0; i < v.macros.size(); ++i) {
        out << (i ? ", " : "") << "{\"slot\": " << v.macros[i].slot
            << ", \"loopCount\": " << v.macros[i].loopCount << ", \"events\": ";
        JsonString(out, v.macros[i].events);
        out << '}';
    }
    out << "],\n  \"pointer\": [" << v.pointer[0] << ", " << v.pointer[1] << ", " << v.pointer[2]
        << ", " << v.pointer[3] << ", " << v.pointer[4] << "]\n}\n";
}

}  // namespace quarten::cli
