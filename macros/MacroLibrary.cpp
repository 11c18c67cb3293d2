// Reading and rewriting macros in record.ini.
#include "macros/MacroLibrary.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "macros/TextEncoding.h"

namespace quarten {
namespace {

constexpr std::string_view kItemCount = "ItemCount";

std::string ItemKey(std::size_t index) { return "Item" + std::to_string(index); }

// Index of a folded key spelled exactly like ItemKey produces it, digits without leading zeros.
std::optional<std::size_t> ItemIndex(std::string_view foldedKey) {
    constexpr std::string_view kPrefix = "item";
    if (!foldedKey.starts_with(kPrefix)) {
        return std::nullopt;
    }
    const std::string_view digits = foldedKey.substr(kPrefix.size());
    if (digits.empty() || digits.size() > 10 || (digits.size() > 1 && digits[0] == '0') ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    std::size_t value = 0;
    for (const char c : digits) {
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    return value;
}

}  // namespace

std::vector<std::string> ListedMacroNames(const IniFile& file) {
    const std::u16string list = file.SectionNameList();
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < list.size()) {
        const std::size_t end = list.find(u'\0', start);
        if (end == std::u16string::npos || end == start || end >= kListedNameLimit) {
            break;
        }
        names.push_back(ToUtf8(std::u16string_view(list).substr(start, end - start)));
        start = end + 1;
    }
    return names;
}

std::vector<std::string> MacroItemValues(const IniSection& section, std::int32_t count) {
    if (count < 1) {
        return {};
    }
    const std::size_t counted = std::min(static_cast<std::size_t>(count), kMaxMacroLines);
    const std::vector<std::string> keys = section.FoldedKeys();
    std::optional<std::size_t> highest;
    for (const std::string& key : keys) {
        if (const auto index = ItemIndex(key); index && (!highest || *index > *highest)) {
            highest = index;
        }
    }
    if (!highest) {
        return {};
    }
    // Keys beyond the count matter only as the delay of the last counted line. The lines
    // are filled from the keys there are, so a sparse section costs no lookup per gap.
    const std::size_t size = std::min(*highest + 1, counted + 1);
    std::vector<std::string> values(size);
    for (const std::string& key : keys) {
        if (const auto index = ItemIndex(key); index && *index < size) {
            values[*index] = section.Value(key);
        }
    }
    return values;
}

MacroLibrary::MacroLibrary(FileStore& store, std::filesystem::path path)
    : store_(store), path_(std::move(path)) {}

bool MacroLibrary::Exists() const { return store_.Exists(path_); }

std::vector<std::string> MacroLibrary::ReadMacro(std::string_view name) const {
    const IniSection section = IniFile::Load(store_, path_).Section(name);
    const std::int32_t count = ParseIniInteger(section.Value(kItemCount));
    std::vector<std::string> lines = MacroItemValues(section, count);
    const auto counted = std::min(static_cast<std::size_t>(std::max(count, 0)), kMaxMacroLines);
    if (lines.size() > counted) {
        lines.resize(counted);
    }
    return lines;
}

WriteResult MacroLibrary::WriteMacro(std::string_view name, const std::vector<std::string>& lines) {
    IniFile file = IniFile::Load(store_, path_);
    std::vector<IniFile::Entry> entries;
    entries.reserve(lines.size() + 1);
    entries.push_back({std::string(kItemCount), std::to_string(lines.size())});
    for (std::size_t i = 0; i < lines.size(); ++i) {
        entries.push_back({ItemKey(i), lines[i]});
    }
    file.ReplaceSection(name, entries);
    return file.Save(store_, path_);
}

WriteResult MacroLibrary::DeleteMacro(std::string_view name) {
    IniFile file = IniFile::Load(store_, path_);
    if (!file.HasSection(name)) {
        return {};
    }
    file.DeleteSection(name);
    return file.Save(store_, path_);
}

std::vector<std::string> MacroLibrary::ListMacros() const {
    return ListedMacroNames(IniFile::Load(store_, path_));
}

}  // namespace quarten
