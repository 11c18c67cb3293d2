// Display names of captured keys on Linux, as the key-name table spells them.
#pragma once

#include <cstddef>
#include <string>

namespace quarten {

// Longest name key capture may deliver.
inline constexpr std::size_t kKeyDisplayNameMaxLength = 31;

// The name of an evdev key code (linux/input-event-codes.h; Qt's nativeScanCode() - 8), as an
// English layout names it. Names are by key position, whatever the active layout. Keys of the
// key-name table get exactly the table's names; other keys get distinct English names, and
// codes without one "Key 0x<code>". Never empty. Ctrl held turns Pause into "Break".
//
// The non-US hash key (HID usage 0x32) has no code of its own: the kernel's HID layer reports
// it as KEY_BACKSLASH, the same code as usage 0x31, so it is named "\" like that key.
std::string KeyDisplayName(int evdevCode, bool ctrlHeld);

}  // namespace quarten
