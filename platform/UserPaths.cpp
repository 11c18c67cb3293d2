#include "platform/UserPaths.h"

#include <cstdlib>
#include <system_error>

namespace quarten {

std::filesystem::path UserConfigHome() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') return xdg;
    if (const char* home = std::getenv("HOME"); home && *home) {
        return std::filesystem::path(home) / ".config";
    }
    return {};
}

std::filesystem::path ExecutableDirectory() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe.parent_path();
}

}  // namespace quarten
