#include "platform/DataDirectory.h"

#include <cstdlib>
#include <system_error>

#include "device/Diagnostics.h"

namespace quarten {
namespace {

std::filesystem::path ExecutableDirectory() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : exe.parent_path();
}

std::filesystem::path UserConfigHome() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') return xdg;
    if (const char* home = std::getenv("HOME"); home && *home) {
        return std::filesystem::path(home) / ".config";
    }
    return std::filesystem::temp_directory_path();
}

}  // namespace

DataPaths DataPathsIn(const std::filesystem::path& directory, std::string origin) {
    return {directory,          directory / "config.bin", directory / "record.ini",
            directory / "str.ini", directory / "Skins",   std::move(origin)};
}

std::filesystem::path FactoryDataDirectory() {
    return (ExecutableDirectory() / ".." / "share" / "quarten").lexically_normal();
}

void SeedDataDirectory(const std::filesystem::path& factory, const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::create_directories(target, error);
    if (!std::filesystem::is_directory(factory, error)) return;
    for (auto it = std::filesystem::recursive_directory_iterator(factory, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        const auto relative = it->path().lexically_relative(factory);
        const auto destination = target / relative;
        std::error_code step;
        if (it->is_directory(step)) {
            std::filesystem::create_directories(destination, step);
        } else if (it->is_regular_file(step) && !std::filesystem::exists(destination, step)) {
            std::filesystem::copy_file(it->path(), destination, step);
            if (step) Diagnose("seeding %s failed: %s", destination.c_str(), step.message().c_str());
        }
    }
}

DataPaths ResolveDataDirectory(const std::optional<std::filesystem::path>& given) {
    if (given) return DataPathsIn(std::filesystem::absolute(*given), "given");
    const auto exeDir = ExecutableDirectory();
    std::error_code error;
    if (std::filesystem::is_regular_file(exeDir / "config.bin", error)) {
        return DataPathsIn(exeDir, "portable");
    }
    const auto user = UserConfigHome() / "quarten";
    SeedDataDirectory(FactoryDataDirectory(), user);
    return DataPathsIn(user, "user");
}

}  // namespace quarten
