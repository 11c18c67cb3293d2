// Reading and writing str.ini through the shared INI document.
#include "host/StringSettings.h"

#include <algorithm>

#include "BuildConfig.h"
#include "macros/IniFile.h"

namespace quarten {
namespace {

constexpr std::string_view kSkins = "Skins";
constexpr std::string_view kColourKeys[3] = {"RColor", "GColor", "BColor"};
constexpr std::string_view kPath = "Path";
constexpr std::size_t kScramblerKeyLength = 6;

// A skin name is one folder below Skins; anything that could point elsewhere is ignored.
bool IsPlainFolderName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

}  // namespace

UiLanguage LanguageFromCode(std::string_view code) {
    if (code == "CHS") return UiLanguage::Simplified;
    if (code == "CHT") return UiLanguage::Traditional;
    return UiLanguage::English;
}

std::string_view CaptionSectionName(UiLanguage language) {
    switch (language) {
        case UiLanguage::Simplified:
            return "Setting-CHS";
        case UiLanguage::Traditional:
            return "Setting-CHT";
        case UiLanguage::English:
            break;
    }
    return "Setting-EN";
}

void ReadSkinSettings(const FileStore& store, const std::filesystem::path& strIni,
                      const std::filesystem::path& appFolder, UiLanguage language,
                      SkinReadScope scope, SkinState& skin) {
    const IniFile file = IniFile::Load(store, strIni);
    const IniSection captions = file.Section(CaptionSectionName(language));
    for (int mode = 0; mode < 2; ++mode) {
        for (int button = 0; button < static_cast<int>(layout::kButtonCount); ++button) {
            skin.captions.Set(mode, button, captions.Value(CaptionKey(mode, button)));
        }
    }
    if (scope != SkinReadScope::StartUp) {
        return;
    }
    const IniSection skins = file.Section(kSkins);
    for (std::size_t i = 0; i < 3; ++i) {
        // Kept in 8 bits as the colour bytes are: 256 reads as 0, -1 as 255.
        skin.textColour[i] =
            static_cast<std::uint8_t>(ParseIniInteger(skins.Value(kColourKeys[i])));
    }
    const std::string name = skins.Value(kPath);
    skin.skinName = IsPlainFolderName(name) ? name : std::string();
    skin.skinFolder = appFolder / "Skins" / skin.skinName;
}

WriteResult WriteButtonCaptions(FileStore& store, const std::filesystem::path& strIni,
                                UiLanguage language, const ButtonCaptions& captions) {
    IniFile file = IniFile::Load(store, strIni);
    const std::string_view section = CaptionSectionName(language);
    for (int mode = 0; mode < 2; ++mode) {
        for (int button = 0; button < static_cast<int>(layout::kButtonCount); ++button) {
            file.Write(section, CaptionKey(mode, button), captions.Get(mode, button));
        }
    }
    return file.Save(store, strIni);
}

WriteResult WriteSkinChoice(FileStore& store, const std::filesystem::path& strIni,
                            const std::array<std::uint8_t, 3>& textColour,
                            std::string_view skinName) {
    IniFile file = IniFile::Load(store, strIni);
    for (std::size_t i = 0; i < 3; ++i) {
        file.Write(kSkins, kColourKeys[i], std::to_string(textColour[i]));
    }
    file.Write(kSkins, kPath, skinName);
    return file.Save(store, strIni);
}

std::string ReadLanguage(const FileStore& store, const std::filesystem::path& strIni) {
    return IniFile::Load(store, strIni).Read(kSkins, "Lan");
}

std::optional<std::string> ReadScramblerKey(const FileStore& store,
                                            const std::filesystem::path& strIni) {
    std::string key = IniFile::Load(store, strIni).Read("Device", "ScramblerKey");
    const bool printable =
        std::all_of(key.begin(), key.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
    if (key.size() != kScramblerKeyLength || !printable) {
        return std::nullopt;
    }
    return key;
}

ScramblerKey ConfiguredScramblerKey(const FileStore& store, const std::filesystem::path& strIni) {
    const std::optional<std::string> configured = ReadScramblerKey(store, strIni);
    const char* characters = configured ? configured->c_str() : build::kDefaultScramblerKey;
    return MakeScramblerKey(std::span<const char, 6>(characters, 6));
}

}  // namespace quarten
