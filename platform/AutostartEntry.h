// The XDG autostart entry that starts quarten when the user logs in.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "settings/FileStore.h"

namespace quarten {

// $XDG_CONFIG_HOME/autostart/quarten.desktop; ~/.config/autostart/quarten.desktop when
// XDG_CONFIG_HOME is unset or not absolute, as the XDG base directory rules say; empty
// when neither is known.
std::filesystem::path AutostartEntryPath();

// What the entry starts: the quarten installed beside the running executable when there is
// one (so a quarten in another prefix than PATH's still starts), else plain "quarten".
std::filesystem::path AutostartProgram();

// `program` as one argument of a desktop entry's Exec key: left bare when it holds only
// characters that need no quoting, otherwise double-quoted with ", `, $ and \ escaped; '%'
// is doubled either way. The result is a string value, so the key-file level escaping of
// '\' is applied on top.
std::string DesktopExecArgument(std::string_view program);

// The whole entry for `program`.
std::string AutostartEntryText(const std::filesystem::path& program);

// On when the entry exists and is not hidden (Hidden=true turns an entry off, as desktops
// do when the user switches it off in their own settings).
bool AutostartEnabled(const FileStore& store, const std::filesystem::path& entry);

// Writes the entry atomically, creating its folder when needed. Empty on success, else why.
std::string EnableAutostart(FileStore& store, const std::filesystem::path& entry,
                            const std::filesystem::path& program);
// Removes the entry; a missing entry is no error. Empty on success, else why.
std::string DisableAutostart(const std::filesystem::path& entry);

}  // namespace quarten
