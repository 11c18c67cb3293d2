// Any bytes as record.ini or str.ini: every section and key reads back as valid, bounded
// text, a save re-reads as the same document, and edits change only what they address.
#include <algorithm>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "host/StringSettings.h"
#include "macros/IniFile.h"
#include "macros/MacroEditor.h"
#include "macros/MacroLibrary.h"
#include "macros/TextEncoding.h"
#include "tests/support/MemoryFileStore.h"

namespace quarten {
namespace {

using fuzz::Check;

// Every key of every section, as the two lookups see it.
std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> Contents(
    const IniFile& file) {
    std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> all;
    for (const std::string& name : file.SectionNames()) {
        const IniSection section = file.Section(name);
        auto& keys = all.emplace_back(name, std::vector<std::pair<std::string, std::string>>{});
        for (const std::string& key : section.FoldedKeys()) {
            const std::string value = section.Value(key);
            Check(file.Read(name, key) == value, "Read and Section disagree", name + "/" + key);
            Check(SanitizeUtf8(value) == value, "value is not valid UTF-8", key);
            Check(Utf16Length(value) <= IniFile::kValueRoom, "value longer than its room", key);
            keys.second.emplace_back(key, value);
        }
        std::sort(keys.second.begin(), keys.second.end());
    }
    return all;
}

using Document = decltype(Contents(IniFile{}));

void CheckRoundTrip(const IniFile& file, const Document& contents) {
    const std::string saved = file.Serialize();
    const IniFile reread = IniFile::Parse(saved);
    Check(reread.Serialize() == saved, "a saved file re-reads differently", saved);
    Check(Contents(reread) == contents, "a saved file holds other values", saved);
}

// A macro written under an existing, acceptable name reads back and leaves the other
// sections as they were.
void CheckMacroEdit(const IniFile& file, const Document& contents, const std::string& name,
                    const std::string& value) {
    IniFile edited = file;
    edited.ReplaceSection(name, {{"ItemCount", "2"}, {"Item0", value}, {"Item1", "50 ms"}});
    const IniFile reread = IniFile::Parse(edited.Serialize());
    const IniSection section = reread.Section(name);
    Check(section.Value("Item0") == value, "macro line lost", name + "=" + value);
    Check(section.Value("ItemCount") == "2", "macro count lost", name);
    auto before = contents;
    auto after = Contents(reread);
    auto other = [&](const auto& entry) { return IniNamesEqual(entry.first, name); };
    std::erase_if(before, other);
    std::erase_if(after, other);
    Check(before == after, "editing one macro changed another section", name);
}

void CheckStringSettings(std::string_view bytes) {
    test::MemoryFileStore store;
    const std::filesystem::path strIni = "/app/str.ini";
    const std::filesystem::path app = "/app";
    store.Put(strIni, std::string(bytes));
    // The language the file names picks the caption section, as at start-up.
    const UiLanguage language = LanguageFromCode(ReadLanguage(store, strIni));
    SkinState before;
    ReadSkinSettings(store, strIni, app, language, SkinReadScope::StartUp, before);
    Check(before.skinFolder.parent_path() == app / "Skins", "skin folder outside Skins",
          before.skinFolder.string());

    // The skin choice is written in place; the captions and everything else stay readable.
    Check(WriteSkinChoice(store, strIni, {1, 2, 250}, "Crimson").ok, "skin choice not written");
    SkinState after;
    ReadSkinSettings(store, strIni, app, language, SkinReadScope::StartUp, after);
    Check(after.skinName == "Crimson", "skin name not read back", after.skinName);
    Check(after.textColour == std::array<std::uint8_t, 3>{1, 2, 250}, "colour not read back");
    Check(after.captions == before.captions, "writing the skin choice changed the captions");
}

}  // namespace
}  // namespace quarten

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quarten;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const IniFile file = IniFile::Parse(bytes);
    const auto contents = Contents(file);
    CheckRoundTrip(file, contents);

    const std::u16string list = file.SectionNameList();
    fuzz::Check(list.size() <= IniFile::kSectionListRoom + 1, "section list overflows its room");
    const std::vector<std::string> macros = ListedMacroNames(file);
    fuzz::Check(macros.size() <= file.SectionNames().size(), "more macros than sections");

    // An edit under the first acceptable macro name, with a value the file itself supplies.
    std::string value = "A   Dn";
    for (const auto& [name, keys] : contents) {
        for (const auto& [key, text] : keys) {
            if (!text.empty()) value = text;
        }
        if (!CheckMacroName(name)) {
            CheckMacroEdit(file, contents, name, value);
            break;
        }
    }
    // Without a skin or caption section the str.ini readers only take their defaults.
    if (file.HasSection("Skins") || file.HasSection("Setting-EN") ||
        file.HasSection("Setting-CHS") || file.HasSection("Setting-CHT")) {
        CheckStringSettings(bytes);
    }
    return 0;
}
