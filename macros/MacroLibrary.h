// The macro library record.ini: one section per macro, "ItemCount" and "Item0".."Item(n-1)".
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "macros/IniFile.h"
#include "settings/FileStore.h"

namespace quarten {

// Only names whose terminating NUL lies before this index of the section-name list are
// listed and encoded; with long names fewer than twelve macros fit.
inline constexpr std::size_t kListedNameLimit = 255;

// A macro holds at most this many lines. Item keys at or past it are not read, so that a
// huge count or item number in a damaged record.ini cannot make a reader allocate or look
// up billions of lines for a file of a few bytes.
inline constexpr std::size_t kMaxMacroLines = 65536;

// The macro names of a library in file order, within the list limits above.
std::vector<std::string> ListedMacroNames(const IniFile& file);

// Values of "Item0", "Item1", ... of a macro section for a given "ItemCount": index j holds
// line j (empty where the key is absent). Lines past the highest stored item are left out,
// except that the value right after the last counted line is included when it exists, since
// the encoder reads it as that line's delay. A count below 1 gives nothing; a count above
// kMaxMacroLines counts as kMaxMacroLines.
std::vector<std::string> MacroItemValues(const IniSection& section, std::int32_t count);

class MacroLibrary {
public:
    MacroLibrary(FileStore& store, std::filesystem::path path);

    bool Exists() const;
    // The lines of a macro; none when the section or its "ItemCount" is missing.
    std::vector<std::string> ReadMacro(std::string_view name) const;
    // Rewrites the macro's section at the end of the file in one atomic write.
    WriteResult WriteMacro(std::string_view name, const std::vector<std::string>& lines);
    // Removes the section; the file is not touched when there is no such section.
    WriteResult DeleteMacro(std::string_view name);
    // A missing file is an empty library.
    std::vector<std::string> ListMacros() const;

    FileStore& Store() const { return store_; }
    const std::filesystem::path& Path() const { return path_; }

private:
    FileStore& store_;
    std::filesystem::path path_;
};

}  // namespace quarten
