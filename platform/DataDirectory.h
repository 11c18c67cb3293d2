// Where config.bin, record.ini, str.ini and Skins/ live for this run.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quarten {

struct DataPaths {
    std::filesystem::path directory;
    std::filesystem::path configBin;
    std::filesystem::path recordIni;
    std::filesystem::path strIni;
    std::filesystem::path skins;
    std::string origin;  // "given", "portable" or "user", for diagnostics
};

DataPaths DataPathsIn(const std::filesystem::path& directory, std::string origin);

// --data-dir wins; then the executable's own directory when it holds config.bin (the
// portable layout); otherwise $XDG_CONFIG_HOME/quarten (~/.config/quarten), filled on first
// use with the factory files installed beside the executable in ../share/quarten. Seeding
// copies only what is missing: it never overwrites a user's file.
DataPaths ResolveDataDirectory(const std::optional<std::filesystem::path>& given);

// The factory data of this installation (<prefix>/share/quarten).
std::filesystem::path FactoryDataDirectory();

// Copies every file of `factory` that `target` lacks, folders included.
void SeedDataDirectory(const std::filesystem::path& factory, const std::filesystem::path& target);

}  // namespace quarten
