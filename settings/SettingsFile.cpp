#include "settings/SettingsFile.h"

#include <algorithm>
#include <cstdio>

#include "device/Diagnostics.h"

namespace quarten {
namespace {

constexpr char kMissing[] = "Config file is not exist.";

}  // namespace

SettingsFileResult LoadSettingsFile(const FileStore& store, const std::filesystem::path& path,
                                    DeviceSettings& settings) {
    using Status = SettingsFileResult::Status;
    if (!store.Exists(path)) return {Status::Missing, kMissing, {}};
    const std::optional<std::string> bytes = store.Read(path);
    if (!bytes || bytes->size() != kSettingsFileSize) {
        Diagnose("config.bin ignored: %zu bytes", bytes ? bytes->size() : std::size_t{0});
        return {Status::WrongSize, {}, {}};
    }
    settings.firstRunFlag = static_cast<std::uint8_t>((*bytes)[0]);
    std::transform(bytes->begin() + 1, bytes->end(), settings.image.begin(),
                   [](char c) { return static_cast<std::uint8_t>(c); });
    Diagnose("Prpgram First Run Flag:%d\nRead Size is: %d", settings.firstRunFlag,
             static_cast<int>(layout::kImageSize));
    return {Status::Loaded, {}, {}};
}

SettingsFileResult SaveSettingsFile(FileStore& store, const std::filesystem::path& path,
                                    const DeviceSettings& settings) {
    using Status = SettingsFileResult::Status;
    if (!store.Exists(path)) return {Status::Missing, kMissing, {}};
    const WriteResult written = store.WriteAtomic(path, SettingsFileBytes(1, settings.image));
    if (!written.ok) {
        char text[64];
        std::snprintf(text, sizeof text, "Error Code is: %d \n", written.errorCode);
        Diagnose("config.bin not saved: %s", written.detail.c_str());
        return {Status::WriteFailed, text, "NULL ==fp "};
    }
    Diagnose("Data num:%d BYTE -%d BYTE\n Struct size:%d BYTE", 1,
             static_cast<int>(layout::kImageSize), static_cast<int>(layout::kImageSize));
    return {Status::Saved, {}, {}};
}

std::string SettingsFileBytes(std::uint8_t firstRunFlag, const ImageBytes& image) {
    std::string bytes(kSettingsFileSize, '\0');
    bytes[0] = static_cast<char>(firstRunFlag);
    std::transform(image.begin(), image.end(), bytes.begin() + 1,
                   [](std::uint8_t b) { return static_cast<char>(b); });
    return bytes;
}

}  // namespace quarten
