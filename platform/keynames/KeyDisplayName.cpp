// Fixed evdev-code-to-name table; layout-independent, like the key-name table it feeds.
#include "platform/keynames/KeyDisplayName.h"

#include <linux/input-event-codes.h>

#include <array>
#include <cstdio>
#include <string_view>

namespace quarten {

namespace {

struct CodeName {
    int code;
    std::string_view name;
};

// Keys of the key-name table first, then other keys a keyboard may send.
// clang-format off
constexpr CodeName kNamedKeys[] = {
    {KEY_A, "A"}, {KEY_B, "B"}, {KEY_C, "C"}, {KEY_D, "D"}, {KEY_E, "E"}, {KEY_F, "F"},
    {KEY_G, "G"}, {KEY_H, "H"}, {KEY_I, "I"}, {KEY_J, "J"}, {KEY_K, "K"}, {KEY_L, "L"},
    {KEY_M, "M"}, {KEY_N, "N"}, {KEY_O, "O"}, {KEY_P, "P"}, {KEY_Q, "Q"}, {KEY_R, "R"},
    {KEY_S, "S"}, {KEY_T, "T"}, {KEY_U, "U"}, {KEY_V, "V"}, {KEY_W, "W"}, {KEY_X, "X"},
    {KEY_Y, "Y"}, {KEY_Z, "Z"},
    {KEY_1, "1"}, {KEY_2, "2"}, {KEY_3, "3"}, {KEY_4, "4"}, {KEY_5, "5"},
    {KEY_6, "6"}, {KEY_7, "7"}, {KEY_8, "8"}, {KEY_9, "9"}, {KEY_0, "0"},
    {KEY_ENTER, "Enter"},
    {KEY_ESC, "Esc"},
    {KEY_BACKSPACE, "Backspace"},
    {KEY_TAB, "Tab"},
    {KEY_SPACE, "Space"},
    {KEY_MINUS, "-"},
    {KEY_EQUAL, "="},
    {KEY_LEFTBRACE, "["},
    {KEY_RIGHTBRACE, "]"},
    {KEY_BACKSLASH, "\\"},
    {KEY_SEMICOLON, ";"},
    {KEY_APOSTROPHE, "'"},
    {KEY_GRAVE, "`"},
    {KEY_COMMA, ","},
    {KEY_DOT, "."},
    {KEY_SLASH, "/"},
    {KEY_CAPSLOCK, "Caps Lock"},
    {KEY_F1, "F1"}, {KEY_F2, "F2"}, {KEY_F3, "F3"}, {KEY_F4, "F4"},
    {KEY_F5, "F5"}, {KEY_F6, "F6"}, {KEY_F7, "F7"}, {KEY_F8, "F8"},
    {KEY_F9, "F9"}, {KEY_F10, "F10"}, {KEY_F11, "F11"}, {KEY_F12, "F12"},
    {KEY_SYSRQ, "Prnt Scrn"},
    {KEY_SCROLLLOCK, "Scroll Lock"},
    {KEY_PAUSE, "Pause"},
    {KEY_INSERT, "Insert"},
    {KEY_HOME, "Home"},
    {KEY_PAGEUP, "Page Up"},
    {KEY_DELETE, "Delete"},
    {KEY_END, "End"},
    {KEY_PAGEDOWN, "Page Down"},
    {KEY_RIGHT, "Right"},
    {KEY_LEFT, "Left"},
    {KEY_DOWN, "Down"},
    {KEY_UP, "Up"},
    {KEY_NUMLOCK, "Num Lock"},
    {KEY_KPSLASH, "Num /"},
    {KEY_KPASTERISK, "Num *"},
    {KEY_KPMINUS, "Num -"},
    {KEY_KPPLUS, "Num +"},
    {KEY_KPENTER, "Num Enter"},
    {KEY_KP1, "Num 1"}, {KEY_KP2, "Num 2"}, {KEY_KP3, "Num 3"},
    {KEY_KP4, "Num 4"}, {KEY_KP5, "Num 5"}, {KEY_KP6, "Num 6"},
    {KEY_KP7, "Num 7"}, {KEY_KP8, "Num 8"}, {KEY_KP9, "Num 9"},
    {KEY_KP0, "Num 0"},
    {KEY_KPDOT, "Num Del"},
    {KEY_LEFTCTRL, "Ctrl"},
    {KEY_LEFTSHIFT, "Shift"},
    {KEY_LEFTALT, "Alt"},
    {KEY_LEFTMETA, "Left Windows"},
    {KEY_RIGHTCTRL, "Right Ctrl"},
    {KEY_RIGHTSHIFT, "Right Shift"},
    {KEY_RIGHTALT, "Right Alt"},
    {KEY_RIGHTMETA, "Right Windows"},

    // Not in the key-name table: captured and shown, but they look up as usage 0.
    {KEY_102ND, "Non-US \\"},
    {KEY_COMPOSE, "Application"},
    {KEY_KPEQUAL, "Num ="},
    {KEY_KPPLUSMINUS, "Num +/-"},
    {KEY_KPCOMMA, "Num ,"},
    {KEY_KPJPCOMMA, "Num JP Comma"},
    {KEY_KPLEFTPAREN, "Num ("},
    {KEY_KPRIGHTPAREN, "Num )"},
    {KEY_LINEFEED, "Line Feed"},
    {KEY_ZENKAKUHANKAKU, "Zenkaku/Hankaku"},
    {KEY_RO, "Ro"},
    {KEY_KATAKANA, "Katakana"},
    {KEY_HIRAGANA, "Hiragana"},
    {KEY_HENKAN, "Henkan"},
    {KEY_KATAKANAHIRAGANA, "Katakana/Hiragana"},
    {KEY_MUHENKAN, "Muhenkan"},
    {KEY_YEN, "Yen"},
    {KEY_HANGEUL, "Hangul"},
    {KEY_HANJA, "Hanja"},
    {KEY_F13, "F13"}, {KEY_F14, "F14"}, {KEY_F15, "F15"}, {KEY_F16, "F16"},
    {KEY_F17, "F17"}, {KEY_F18, "F18"}, {KEY_F19, "F19"}, {KEY_F20, "F20"},
    {KEY_F21, "F21"}, {KEY_F22, "F22"}, {KEY_F23, "F23"}, {KEY_F24, "F24"},
    {KEY_MUTE, "Mute"},
    {KEY_VOLUMEDOWN, "Volume Down"},
    {KEY_VOLUMEUP, "Volume Up"},
    {KEY_MICMUTE, "Microphone Mute"},
    {KEY_NEXTSONG, "Next Track"},
    {KEY_PREVIOUSSONG, "Previous Track"},
    {KEY_PLAYPAUSE, "Play/Pause"},
    {KEY_STOPCD, "Stop Media"},
    {KEY_PLAYCD, "Play"},
    {KEY_PAUSECD, "Pause Media"},
    {KEY_RECORD, "Record"},
    {KEY_REWIND, "Rewind"},
    {KEY_FASTFORWARD, "Fast Forward"},
    {KEY_EJECTCD, "Eject"},
    {KEY_MEDIA, "Media"},
    {KEY_MAIL, "Mail"},
    {KEY_CALC, "Calculator"},
    {KEY_COMPUTER, "My Computer"},
    {KEY_WWW, "Browser"},
    {KEY_HOMEPAGE, "Browser Home"},
    {KEY_BACK, "Browser Back"},
    {KEY_FORWARD, "Browser Forward"},
    {KEY_REFRESH, "Browser Refresh"},
    {KEY_BOOKMARKS, "Browser Favorites"},
    {KEY_SEARCH, "Browser Search"},
    {KEY_POWER, "Power"},
    {KEY_SLEEP, "Sleep"},
    {KEY_WAKEUP, "Wake Up"},
    {KEY_SCREENLOCK, "Screen Lock"},
    {KEY_BRIGHTNESSDOWN, "Brightness Down"},
    {KEY_BRIGHTNESSUP, "Brightness Up"},
    {KEY_MENU, "Menu"},
    {KEY_HELP, "Help"},
    {KEY_STOP, "Stop"},
    {KEY_AGAIN, "Again"},
    {KEY_PROPS, "Properties"},
    {KEY_UNDO, "Undo"},
    {KEY_REDO, "Redo"},
    {KEY_FRONT, "Front"},
    {KEY_COPY, "Copy"},
    {KEY_OPEN, "Open"},
    {KEY_PASTE, "Paste"},
    {KEY_FIND, "Find"},
    {KEY_CUT, "Cut"},
    {KEY_PRINT, "Print"},
    {KEY_CANCEL, "Cancel"},
};
// clang-format on

// Indexed by code. Building it at compile time also rejects a code listed twice.
constexpr auto kNameByCode = [] {
    std::array<std::string_view, KEY_CNT> names{};
    for (const CodeName& key : kNamedKeys) {
        if (key.code <= 0 || key.code >= KEY_CNT || !names[key.code].empty()) {
            throw "key code out of range or listed twice";
        }
        names[key.code] = key.name;
    }
    return names;
}();

constexpr std::string_view kBreakName = "Break";

}  // namespace

std::string KeyDisplayName(int evdevCode, bool ctrlHeld) {
    if (evdevCode == KEY_PAUSE && ctrlHeld) return std::string(kBreakName);
    if (evdevCode > 0 && evdevCode < KEY_CNT) {
        const std::string_view name = kNameByCode[static_cast<std::size_t>(evdevCode)];
        if (!name.empty()) return std::string(name);
    }
    char fallback[kKeyDisplayNameMaxLength + 1];
    std::snprintf(fallback, sizeof fallback, "Key 0x%X", static_cast<unsigned>(evdevCode));
    return fallback;
}

}  // namespace quarten
