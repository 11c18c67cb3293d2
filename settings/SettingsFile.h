// config.bin: one first-run byte, then the 1849-byte settings image.
#pragma once

#include <filesystem>
#include <string>

#include "settings/DeviceSettings.h"
#include "settings/FileStore.h"

namespace quarten {

inline constexpr std::size_t kSettingsFileSize = 1 + layout::kImageSize;  // 1850

struct SettingsFileResult {
    enum class Status { Loaded, Saved, Missing, WrongSize, WriteFailed } status;
    // What the user is told, when anything; empty for the silent outcomes.
    std::string message;
    std::string caption;  // empty means the application title
};

// Loads the image and the first-run flag; a missing file is reported, a file of the wrong
// size or an unreadable one leaves the image as it was.
SettingsFileResult LoadSettingsFile(const FileStore& store, const std::filesystem::path& path,
                                    DeviceSettings& settings);

// Writes 1 and the image, replacing the file atomically, so that a crash or a full disk
// never leaves a truncated config.bin. The file must already exist.
SettingsFileResult SaveSettingsFile(FileStore& store, const std::filesystem::path& path,
                                    const DeviceSettings& settings);

// The bytes of a config.bin holding the given first-run flag and image.
std::string SettingsFileBytes(std::uint8_t firstRunFlag, const ImageBytes& image);

}  // namespace quarten
