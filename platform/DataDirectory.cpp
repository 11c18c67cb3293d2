#include "platform/DataDirectory.h"

#include <cstdlib>
#include <system_error>

#include "device/Diagnostics.h"
#include "platform/UserPaths.h"

namespace quarten {
namespace {

std::filesystem::path ProgramDirectory() {
    const auto directory = ExecutableDirectory();
    return directory.empty() ? std::filesystem::current_path() : directory;
}

std::filesystem::path ConfigHomeOrTemp() {
    const auto home = UserConfigHome();
    return home.empty() ? std::filesystem::temp_directory_path() : home;
}

}  // namespace

DataPaths DataPathsIn(const std::filesystem::path& directory, std::string origin) {
    return {directory,          directory / "config.bin", directory / "record.ini",
            directory / "str.ini", directory / "Skins",   std::move(origin)};
}

std::filesystem::path FactoryDataDirectory() {
    return (ProgramDirectory() / ".." / "share" / "quarten").lexically_normal();
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
    const auto exeDir = ProgramDirectory();
    std::error_code error;
    if (std::filesystem::is_regular_file(exeDir / "config.bin", error)) {
        return DataPathsIn(exeDir, "portable");
    }
    const auto user = ConfigHomeOrTemp() / "quarten";
    SeedDataDirectory(FactoryDataDirectory(), user);
    return DataPathsIn(user, "user");
}

}  // namespace quarten
