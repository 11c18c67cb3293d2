// INI parsing and rewriting with the lookup rules of the platform's profile functions.
#include "macros/IniFile.h"

#include <algorithm>
#include <cerrno>
#include <limits>

#include "macros/TextEncoding.h"

namespace quarten {
namespace {

constexpr std::string_view kBlanks = " \t\v\f";

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Folded(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), FoldAscii);
    return out;
}

// A line break inside a name or value would turn one write into several lines.
std::string OneLine(std::string_view text) {
    std::string out(text);
    std::replace(out.begin(), out.end(), '\r', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    return out;
}

std::string TruncatedValue(std::string_view value) {
    return std::string(Utf16Prefix(value, IniFile::kValueRoom));
}

}  // namespace

std::int32_t ParseIniInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'), kMax + 1);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(std::clamp(value, kMin, kMax));
}

bool IniNamesEqual(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

std::string IniSection::Value(std::string_view key) const {
    const auto found = values_.find(Folded(key));
    return found == values_.end() ? std::string() : found->second;
}

bool IniSection::Has(std::string_view key) const { return values_.contains(Folded(key)); }

std::vector<std::string> IniSection::FoldedKeys() const {
    std::vector<std::string> keys;
    keys.reserve(values_.size());
    for (const auto& [key, value] : values_) {
        keys.push_back(key);
    }
    return keys;
}

IniFile IniFile::Parse(std::string_view bytes) {
    IniFile file;
    const std::string text = DecodeTextFile(bytes);
    if (text.find("\r\n") != std::string::npos) {
        file.newline_ = "\r\n";
    }
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            end = text.size();
        }
        Line line;
        line.text = text.substr(start, end - start);
        const std::string_view trimmed = Trim(line.text);
        if (trimmed.starts_with('[')) {
            const std::size_t close = trimmed.rfind(']');
            if (close != std::string_view::npos && close > 0) {
                line.kind = LineKind::Header;
                line.name = Trim(trimmed.substr(1, close - 1));
            }
        } else if (!trimmed.empty() && !trimmed.starts_with(';')) {
            const std::size_t equals = trimmed.find('=');
            if (equals != std::string_view::npos) {
                line.kind = LineKind::Entry;
                line.name = Trim(trimmed.substr(0, equals));
                line.value = Trim(trimmed.substr(equals + 1));
            }
        }
        file.lines_.push_back(std::move(line));
        // CR LF, a lone LF or a lone CR each end one line.
        start = end;
        if (start < text.size()) {
            start +=
                (text[start] == '\r' && start + 1 < text.size() && text[start + 1] == '\n') ? 2 : 1;
        }
    }
    return file;
}

IniFile IniFile::Load(const FileStore& store, const std::filesystem::path& path) {
    const std::optional<std::string> bytes = store.Read(path);
    if (bytes) return Parse(*bytes);
    IniFile empty;
    empty.unreadable_ = store.Exists(path);
    return empty;
}

std::string IniFile::Serialize() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += newline_;
    }
    return out;
}

WriteResult IniFile::Save(FileStore& store, const std::filesystem::path& path) const {
    if (unreadable_) {
        return {false, EIO, path.string() + " exists but could not be read; left as it is"};
    }
    return store.WriteAtomic(path, Serialize());
}

std::vector<std::string> IniFile::SectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        if (line.kind == LineKind::Header && !line.name.empty()) {
            names.push_back(line.name);
        }
    }
    return names;
}

std::u16string IniFile::SectionNameList() const {
    // The buffer keeps one unit for the final NUL; a name that does not fit with its own
    // NUL is cut off and the list is closed right after it.
    std::u16string list;
    std::size_t room = kSectionListRoom - 1;
    for (const std::string& name : SectionNames()) {
        const std::u16string wide = ToUtf16(name);
        if (wide.size() + 1 >= room) {
            list.append(wide, 0, room - 1);
            list.push_back(u'\0');
            list.push_back(u'\0');
            return list;
        }
        list += wide;
        list.push_back(u'\0');
        room -= wide.size() + 1;
    }
    list.push_back(u'\0');
    return list;
}

std::size_t IniFile::FindHeader(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::Header && IniNamesEqual(lines_[i].name, section)) {
            return i;
        }
    }
    return lines_.size();
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
    std::size_t end = header + 1;
    while (end < lines_.size() && lines_[end].kind != LineKind::Header) {
        ++end;
    }
    return end;
}

bool IniFile::HasSection(std::string_view section) const {
    return FindHeader(section) != lines_.size();
}

std::string IniFile::Read(std::string_view section, std::string_view key) const {
    const std::size_t header = FindHeader(section);
    if (header == lines_.size()) {
        return {};
    }
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == LineKind::Entry && IniNamesEqual(lines_[i].name, key)) {
            return TruncatedValue(lines_[i].value);
        }
    }
    return {};
}

IniSection IniFile::Section(std::string_view section) const {
    IniSection result;
    const std::size_t header = FindHeader(section);
    if (header == lines_.size()) {
        return result;
    }
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == LineKind::Entry) {
            // The first of two equal keys is the one a lookup finds.
            result.values_.emplace(Folded(lines_[i].name), TruncatedValue(lines_[i].value));
        }
    }
    return result;
}

IniFile::Line IniFile::MakeHeader(std::string_view section) {
    Line line;
    line.kind = LineKind::Header;
    line.name = Trim(OneLine(section));
    line.text = "[" + line.name + "]";
    return line;
}

IniFile::Line IniFile::MakeEntry(std::string_view key, std::string_view value) {
    Line line;
    line.kind = LineKind::Entry;
    line.name = Trim(OneLine(key));
    line.value = Trim(OneLine(value));
    line.text = line.name + "=" + line.value;
    return line;
}

void IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    const std::size_t header = FindHeader(section);
    if (header == lines_.size()) {
        lines_.push_back(MakeHeader(section));
        lines_.push_back(MakeEntry(key, value));
        return;
    }
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == LineKind::Entry && IniNamesEqual(lines_[i].name, key)) {
            // Keep the key as the file spells it.
            lines_[i] = MakeEntry(lines_[i].name, value);
            return;
        }
    }
    // After the section's last non-blank line, so blank lines before the next header stay.
    std::size_t at = end;
    while (at > header + 1 && Trim(lines_[at - 1].text).empty()) {
        --at;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), MakeEntry(key, value));
}

void IniFile::DeleteSection(std::string_view section) {
    std::vector<Line> kept;
    kept.reserve(lines_.size());
    bool dropping = false;
    for (Line& line : lines_) {
        if (line.kind == LineKind::Header) {
            dropping = IniNamesEqual(line.name, section);
        }
        if (!dropping) {
            kept.push_back(std::move(line));
        }
    }
    lines_ = std::move(kept);
}

void IniFile::ReplaceSection(std::string_view section, const std::vector<Entry>& entries) {
    DeleteSection(section);
    lines_.push_back(MakeHeader(section));
    for (const Entry& entry : entries) {
        lines_.push_back(MakeEntry(entry.key, entry.value));
    }
}

}  // namespace quarten
