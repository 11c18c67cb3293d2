// Where this user's configuration lives and where the running program sits.
#pragma once

#include <filesystem>

namespace quarten {

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config, as the XDG base
// directory rules say; empty when neither is known.
std::filesystem::path UserConfigHome();

// The folder of the running executable; empty when /proc does not tell.
std::filesystem::path ExecutableDirectory();

}  // namespace quarten
