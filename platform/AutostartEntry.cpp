#include "platform/AutostartEntry.h"

#include <unistd.h>

#include <sstream>
#include <system_error>

#include "platform/UserPaths.h"

namespace quarten {
namespace {

bool NeedsQuoting(char c) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '/' || c == '.' || c == '_' || c == '-' || c == '+' || c == ',' ||
                       c == ':' || c == '@' || c == '%';
    return !plain;
}

}  // namespace

std::filesystem::path AutostartEntryPath() {
    const std::filesystem::path home = UserConfigHome();
    return home.empty() ? home : home / "autostart" / "quarten.desktop";
}

std::filesystem::path AutostartProgram() {
    if (const auto directory = ExecutableDirectory(); !directory.empty()) {
        const auto beside = directory / "quarten";
        std::error_code error;
        if (::access(beside.c_str(), X_OK) == 0 && std::filesystem::is_regular_file(beside, error))
            return beside;
    }
    return "quarten";
}

std::string DesktopExecArgument(std::string_view program) {
    bool quote = program.empty();
    for (const char c : program) quote = quote || NeedsQuoting(c);
    std::string exec;
    if (quote) exec += '"';
    for (const char c : program) {
        if (c == '%') {
            exec += "%%";
            continue;
        }
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) exec += '\\';
        exec += c;
    }
    if (quote) exec += '"';
    // The Exec value is itself a string value: each backslash is written doubled.
    std::string value;
    for (const char c : exec) {
        if (c == '\\') value += '\\';
        value += c;
    }
    return value;
}

std::string AutostartEntryText(const std::filesystem::path& program) {
    std::ostringstream text;
    text << "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=QUARTEN\n"
            "Comment=Tray utility for the QUARTEN gaming mouse\n"
            "Exec="
         << DesktopExecArgument(program.string())
         // At login the panel, and with it the tray, may come up after quarten: the flag
         // keeps the window hidden until then instead of opening it for want of a tray.
         << " --autostart\n"
            "Icon=quarten\n"
            "Terminal=false\n"
            "X-GNOME-Autostart-enabled=true\n";
    return text.str();
}

bool AutostartEnabled(const FileStore& store, const std::filesystem::path& entry) {
    const auto text = store.Read(entry);
    if (!text) return false;
    std::istringstream lines(*text);
    bool inEntry = false;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with('[')) {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (!inEntry) continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        auto trim = [](std::string s) {
            const auto first = s.find_first_not_of(" \t");
            const auto last = s.find_last_not_of(" \t");
            return first == std::string::npos ? std::string() : s.substr(first, last - first + 1);
        };
        if (trim(line.substr(0, equals)) == "Hidden" && trim(line.substr(equals + 1)) == "true")
            return false;
    }
    return true;
}

std::string EnableAutostart(FileStore& store, const std::filesystem::path& entry,
                            const std::filesystem::path& program) {
    std::error_code error;
    std::filesystem::create_directories(entry.parent_path(), error);
    if (error) return entry.parent_path().string() + ": " + error.message();
    const WriteResult written = store.WriteAtomic(entry, AutostartEntryText(program));
    return written.ok ? std::string() : written.detail;
}

std::string DisableAutostart(const std::filesystem::path& entry) {
    std::error_code error;
    std::filesystem::remove(entry, error);
    return error ? entry.string() + ": " + error.message() : std::string();
}

}  // namespace quarten
