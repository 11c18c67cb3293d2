// The English texts of the function list and the value tables of the assignment dialogs.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "buttons/ButtonFunction.h"

namespace quarten {

// The sixteen entries of a button's function list, indexed by AssignmentKind.
inline constexpr std::array<std::string_view, kAssignmentKindCount> kFunctionListTexts = {
    "Left Click", "Right Click", "Mid Click", "Forward",    "Backward", "Triple-click",
    "DPI Switch", "RGB On/Off",  "Windows",   "Multimedia", "Fire Key", "Single Key",
    "Combo Key",  "Macro Key",   "Shift",     "Key Off",
};

// The "DPI Switch" sub-list; position p stands for DpiSwitchAction p + 1.
inline constexpr std::array<std::string_view, 3> kDpiSwitchTexts = {"DPI +", "DPI -", "DPI Loop"};

struct NamedUsage {
    std::string_view text;
    std::uint16_t usage;
};

// Windows functions: Consumer-page usages, high byte 1 or 2.
inline constexpr std::array<NamedUsage, 11> kWindowsFunctions = {{
    {"Multimedia Player", 0x0183},
    {"Mail", 0x018A},
    {"Calculator", 0x0192},
    {"My Computer", 0x0194},
    {"Browser-Search", 0x0221},
    {"Browser-Home", 0x0223},
    {"Browser-Back", 0x0224},
    {"Browser-Forward", 0x0225},
    {"Browser-Stop", 0x0226},
    {"Browser-Refresh", 0x0227},
    {"Browser-My Favorites", 0x022A},
}};

// Multimedia functions: Consumer-page usages below 0x100.
inline constexpr std::array<NamedUsage, 7> kMultimediaFunctions = {{
    {"Next", 0xB5},
    {"Previous", 0xB6},
    {"Stop", 0xB7},
    {"Play/Pause", 0xCD},
    {"Mute", 0xE2},
    {"Vol+", 0xE9},
    {"Vol-", 0xEA},
}};

// The fire-key list: key usages, then mouse codes.
// clang-format off
inline constexpr std::array<NamedUsage, 61> kFireKeys = {{
    {"A", 0x04},         {"B", 0x05},         {"C", 0x06},          {"D", 0x07},
    {"E", 0x08},         {"F", 0x09},         {"G", 0x0A},          {"H", 0x0B},
    {"I", 0x0C},         {"J", 0x0D},         {"K", 0x0E},          {"L", 0x0F},
    {"M", 0x10},         {"N", 0x11},         {"O", 0x12},          {"P", 0x13},
    {"Q", 0x14},         {"R", 0x15},         {"S", 0x16},          {"T", 0x17},
    {"U", 0x18},         {"V", 0x19},         {"W", 0x1A},          {"X", 0x1B},
    {"Y", 0x1C},         {"Z", 0x1D},         {"1", 0x1E},          {"2", 0x1F},
    {"3", 0x20},         {"4", 0x21},         {"5", 0x22},          {"6", 0x23},
    {"7", 0x24},         {"8", 0x25},         {"9", 0x26},          {"0", 0x27},
    {"L-CTRL", 0xE0},    {"L-SHIFT", 0xE1},   {"L-ALT", 0xE2},      {"R-CTRL", 0xE4},
    {"R-SHIFT", 0xE5},   {"R-ALT", 0xE6},     {"F1", 0x3A},         {"F2", 0x3B},
    {"F3", 0x3C},        {"F4", 0x3D},        {"F5", 0x3E},         {"F6", 0x3F},
    {"F7", 0x40},        {"F8", 0x41},        {"F9", 0x42},         {"F10", 0x43},
    {"F11", 0x44},       {"F12", 0x45},       {"L-Button", 0xF0},   {"R-Button", 0xF1},
    {"M-Button", 0xF2},  {"B4-Button", 0xF3}, {"B5-Button", 0xF4},  {"L-Tilt Wheel", 0xF5},
    {"R-Tilt Wheel", 0xF6},
}};
// clang-format on

// Parameters a confirmed dialog choice stores; a choice outside its list stores usage 0 (and,
// for the Windows list, high byte 0).
ButtonParameters WindowsFunctionParameters(int choice);
ButtonParameters MultimediaParameters(int choice);
ButtonParameters FireKeyParameters(int choice, std::uint8_t speed, std::uint8_t times);

}  // namespace quarten
