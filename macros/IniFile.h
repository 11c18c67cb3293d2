// One INI document (record.ini, str.ini): parsed once, edited in memory, saved in one rewrite.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "settings/FileStore.h"

namespace quarten {

// Base-10 reading of an INI number: leading white space and a sign allowed, parsing stops
// at the first non-digit, no digits give 0, values beyond the 32-bit range clamp to it.
std::int32_t ParseIniInteger(std::string_view text);

// Case-insensitive comparison of section and key names (ASCII letters fold).
bool IniNamesEqual(std::string_view a, std::string_view b);

// The keys of one section as repeated value reads would see them, gathered in one pass.
class IniSection {
public:
    // Value of the key (truncated like IniFile::Read), or the empty default.
    std::string Value(std::string_view key) const;
    bool Has(std::string_view key) const;
    // Key names in lower case, in no particular order.
    std::vector<std::string> FoldedKeys() const;

private:
    friend class IniFile;
    std::unordered_map<std::string, std::string> values_;
};

class IniFile {
public:
    // Room of the buffers the callers read into, in UTF-16 code units.
    static constexpr std::size_t kValueRoom = 1023;
    static constexpr std::size_t kSectionListRoom = 1024;

    struct Entry {
        std::string key;
        std::string value;
    };

    IniFile() = default;
    // Accepts any bytes: see DecodeTextFile for the encodings understood.
    static IniFile Parse(std::string_view bytes);
    // A missing or unreadable file gives an empty document.
    static IniFile Load(const FileStore& store, const std::filesystem::path& path);

    // UTF-8 without byte-order mark; the line ending of the parsed text is kept.
    std::string Serialize() const;
    // Refused, leaving the file as it is, for a document loaded from a file that exists but
    // could not be read: saving it would replace everything in that file with the edits.
    WriteResult Save(FileStore& store, const std::filesystem::path& path) const;

    // Every section name in file order (empty names are not sections one can address).
    std::vector<std::string> SectionNames() const;
    // The section names as the wide-character list buffer holds them: each name followed
    // by a NUL, the list ended by a second NUL, cut off to fit kSectionListRoom units.
    std::u16string SectionNameList() const;
    bool HasSection(std::string_view section) const;

    // Value of a key, trimmed and cut to kValueRoom units; empty if section or key is absent.
    std::string Read(std::string_view section, std::string_view key) const;
    IniSection Section(std::string_view section) const;

    // Changes an existing key in place, adds a missing key at the end of its section, or
    // creates a missing section at the end of the document.
    void Write(std::string_view section, std::string_view key, std::string_view value);
    // Removes every section of that name with all its lines.
    void DeleteSection(std::string_view section);
    // Same result as DeleteSection followed by writing each entry in order (when the keys
    // are distinct), without rescanning the document for every entry.
    void ReplaceSection(std::string_view section, const std::vector<Entry>& entries);

private:
    enum class LineKind { Other, Header, Entry };
    struct Line {
        LineKind kind = LineKind::Other;
        std::string text;   // the line as it is written back
        std::string name;   // section name (Header) or key (Entry), trimmed
        std::string value;  // trimmed value (Entry)
    };

    // Index one past the last line of the section whose header is at `header`.
    std::size_t SectionEnd(std::size_t header) const;
    std::size_t FindHeader(std::string_view section) const;  // lines_.size() if absent
    static Line MakeHeader(std::string_view section);
    static Line MakeEntry(std::string_view key, std::string_view value);

    std::vector<Line> lines_;
    std::string newline_ = "\n";
    bool unreadable_ = false;  // loaded from a file that exists but could not be read
};

}  // namespace quarten
