// str.ini: language code, skin choice (text colour and skin folder) and button captions.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "buttons/ButtonCaptions.h"
#include "device/FeatureFrame.h"
#include "settings/FileStore.h"

namespace quarten {

enum class UiLanguage { English, Simplified, Traditional };

// "CHS" and "CHT" exactly (case-sensitive); anything else, the empty code included, is English.
UiLanguage LanguageFromCode(std::string_view code);
// The str.ini section holding the captions in that language: "Setting-EN", "-CHS", "-CHT".
std::string_view CaptionSectionName(UiLanguage language);

struct SkinState {
    std::array<std::uint8_t, 3> textColour{0, 255, 0};  // R, G, B; this until str.ini is read
    std::string skinName;
    std::filesystem::path skinFolder;  // application folder / "Skins" / skin name
    ButtonCaptions captions;
};

enum class SkinReadScope {
    StartUp,       // captions, colour and skin folder
    CaptionsOnly,  // the re-read before a rebuild restores the saved captions only
};

// Reads the captions of the language's section, then the skin choice. A missing colour
// component reads as 0. A missing skin name, or one that would leave the Skins folder
// (a "/" or "\", or ".."), gives the Skins folder itself.
void ReadSkinSettings(const FileStore& store, const std::filesystem::path& strIni,
                      const std::filesystem::path& appFolder, UiLanguage language,
                      SkinReadScope scope, SkinState& skin);

// Item1..Item8 (mode A), then Item13..Item83 (mode B) of the language's section.
WriteResult WriteButtonCaptions(FileStore& store, const std::filesystem::path& strIni,
                                UiLanguage language, const ButtonCaptions& captions);

// "RColor", "GColor", "BColor" and "Path" of section "Skins".
WriteResult WriteSkinChoice(FileStore& store, const std::filesystem::path& strIni,
                            const std::array<std::uint8_t, 3>& textColour,
                            std::string_view skinName);

// Key "Lan" of section "Skins"; an absent key gives the empty code.
std::string ReadLanguage(const FileStore& store, const std::filesystem::path& strIni);

// Key "ScramblerKey" of section "Device": present only as exactly six printable ASCII
// characters, which replace the built-in key of the device link.
std::optional<std::string> ReadScramblerKey(const FileStore& store,
                                            const std::filesystem::path& strIni);
// The key the device link uses: str.ini's when it has a valid one, else the built-in key.
ScramblerKey ConfiguredScramblerKey(const FileStore& store, const std::filesystem::path& strIni);

}  // namespace quarten
