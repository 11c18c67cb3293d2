// The installed tree as a user gets it from `cmake --install`: every file in its place, the
// desktop files accepted by their validators, the udev rule well formed, the programs working
// from the prefix and seeding a new user's folder, an uninstall that leaves nothing, and the
// Debian package cpack makes of the same tree.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "BuildConfig.h"
#include "tests/support/Shell.h"
#include "tests/support/TempDir.h"

namespace quarten {
namespace {

namespace fs = std::filesystem;

// Runs a shell command line; `out` holds its standard error too when `errors` is set.
test::ShellRun Shell(const std::string& command, bool errors = true) {
    return test::Shell(command + (errors ? " 2>&1" : " 2>/dev/null"));
}

std::string Quote(const fs::path& path) { return "'" + path.string() + "'"; }

bool Have(const std::string& tool) {
    return Shell("command -v " + tool + " >/dev/null").status == 0;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Every regular file and symbolic link under `root`, relative to it.
std::vector<std::string> FilesUnder(const fs::path& root) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_directory() || entry.is_symlink()) {
            files.push_back(entry.path().lexically_relative(root).string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Holds an exclusive lock on a file for as long as it lives.
class FileLock {
public:
    explicit FileLock(const fs::path& path) : fd_(::open(path.c_str(), O_RDWR | O_CREAT, 0644)) {
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~FileLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_;
};

// `cmake --install` always writes <build>/install_manifest.txt, so these tests running side by
// side, and a developer's own installation from this tree, would overwrite each other's
// listing. This runs `command` under a lock and puts back what the build tree held before;
// `manifest`, when given, receives the listing the command left.
test::ShellRun WithBuildManifest(const std::string& command, const fs::path& manifest = {}) {
    const fs::path build = QUARTEN_BINARY_DIR;
    const fs::path shared = build / "install_manifest.txt";
    FileLock lock(build / "install_manifest.lock");
    const std::optional<std::string> before =
        fs::exists(shared) ? std::optional<std::string>(Read(shared)) : std::nullopt;
    const test::ShellRun run = Shell(command);
    std::error_code ignored;
    if (!manifest.empty()) {
        fs::copy_file(shared, manifest, fs::copy_options::overwrite_existing, ignored);
    }
    if (before) {
        std::ofstream(shared, std::ios::binary | std::ios::trunc) << *before;
    } else {
        fs::remove(shared, ignored);
    }
    return run;
}

test::ShellRun InstallInto(const fs::path& prefix, const fs::path& manifest) {
    return WithBuildManifest(std::string(QUARTEN_CMAKE_COMMAND) + " --install " +
                                 Quote(QUARTEN_BINARY_DIR) + " --prefix " + Quote(prefix),
                             manifest);
}

class InstalledTree : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(prefix);
        const test::ShellRun run = InstallInto(prefix, manifest);
        ASSERT_EQ(run.status, 0) << run.out;
        installed = Lines(Read(manifest));
        ASSERT_FALSE(installed.empty());
    }

    fs::path At(const std::string& relative) const { return prefix / relative; }

    // Runs an installed program with nothing of this shell's environment but PATH and the
    // variables given, so neither the build tree nor the developer's own folders leak in.
    test::ShellRun Installed(const std::string& environment, const std::string& arguments,
                      bool errors = true) const {
        return Shell("env -i PATH=/usr/bin:/bin " + environment + " " + Quote(prefix / "bin") +
                         "/" + arguments,
                     errors);
    }

    test::TempDir root;
    const fs::path prefix = root / "prefix";
    const fs::path manifest = root / "install_manifest.txt";
    std::vector<std::string> installed;  // absolute paths, as the manifest lists them
};

TEST_F(InstalledTree, PutsEveryFileWhereTheDesktopLooksForIt) {
    static const char* const kExpected[] = {
        "bin/quarten",
        "bin/quartenctl",
        "share/quarten/config.bin",
        "share/quarten/str.ini",
        "share/quarten/Skins/Default/BasicSet2.png",
        "share/quarten/Skins/Crimson/BasicSet2.png",
        "lib/udev/rules.d/70-quarten.rules",
        "share/applications/quarten.desktop",
        "share/metainfo/io.github.quarten.Quarten.metainfo.xml",
        "share/icons/hicolor/48x48/apps/quarten.png",
        "share/icons/hicolor/128x128/apps/quarten.png",
        "share/icons/hicolor/256x256/apps/quarten.png",
        "share/icons/hicolor/scalable/apps/quarten.svg",
        "share/man/man1/quarten.1",
        "share/man/man1/quartenctl.1",
    };
    for (const char* relative : kExpected) {
        EXPECT_TRUE(fs::is_regular_file(At(relative))) << relative;
        const fs::path absolute = At(relative);
        EXPECT_NE(std::find(installed.begin(), installed.end(), absolute.string()), installed.end())
            << relative << " is not in install_manifest.txt, so uninstall would leave it";
    }
    for (const char* program : {"bin/quarten", "bin/quartenctl"}) {
        EXPECT_EQ(::access(At(program).c_str(), X_OK), 0) << program;
    }
    // Nothing may land outside the chosen prefix (an absolute DESTINATION would).
    for (const std::string& file : installed) {
        EXPECT_TRUE(file.starts_with(prefix.string() + "/")) << file;
    }
    // The manual pages were filled in with the project's version.
    for (const char* page : {"share/man/man1/quarten.1", "share/man/man1/quartenctl.1"}) {
        const std::string text = Read(At(page));
        EXPECT_EQ(text.find('@'), std::string::npos) << page;
        EXPECT_NE(text.find(std::string("\"quarten ") + build::kVersion + "\""), std::string::npos)
            << page;
    }
}

TEST_F(InstalledTree, MenuEntryValidatesAndNamesTheInstalledProgramAndIcon) {
    if (!Have("desktop-file-validate")) GTEST_SKIP() << "desktop-file-validate is not installed";
    const fs::path entry = At("share/applications/quarten.desktop");
    const test::ShellRun validated = Shell("desktop-file-validate " + Quote(entry));
    EXPECT_EQ(validated.status, 0) << validated.out;
    EXPECT_EQ(validated.out, "") << "hints and warnings count too";

    std::string exec, icon;
    for (const std::string& line : Lines(Read(entry))) {
        if (line.starts_with("Exec=")) exec = line.substr(5, line.find(' ') - 5);
        if (line.starts_with("Icon=")) icon = line.substr(5);
    }
    EXPECT_TRUE(fs::is_regular_file(At("bin/" + exec))) << "Exec=" << exec;
    for (const char* size : {"48x48", "128x128", "256x256"}) {
        EXPECT_TRUE(fs::is_regular_file(
            At(std::string("share/icons/hicolor/") + size + "/apps/" + icon + ".png")))
            << "Icon=" << icon << " at " << size;
    }
    EXPECT_TRUE(fs::is_regular_file(At("share/icons/hicolor/scalable/apps/" + icon + ".svg")));
}

TEST_F(InstalledTree, SoftwareCentreDataValidatesAndMatchesThisRelease) {
    if (!Have("appstreamcli")) GTEST_SKIP() << "appstreamcli is not installed";
    const fs::path metainfo = At("share/metainfo/io.github.quarten.Quarten.metainfo.xml");
    const test::ShellRun validated = Shell("appstreamcli validate --no-net " + Quote(metainfo));
    EXPECT_EQ(validated.status, 0) << validated.out;
    for (const std::string& line : Lines(validated.out)) {
        EXPECT_FALSE(line.starts_with("E:") || line.starts_with("W:")) << line;
    }

    const std::string text = Read(metainfo);
    std::smatch match;
    // AppStream finds the file by its id, and the menu entry by the launchable.
    ASSERT_TRUE(std::regex_search(text, match, std::regex("<id>([^<]+)</id>")));
    EXPECT_EQ(metainfo.filename().string(), match[1].str() + ".metainfo.xml");
    ASSERT_TRUE(std::regex_search(
        text, match, std::regex("<launchable type=\"desktop-id\">([^<]+)</launchable>")));
    EXPECT_TRUE(fs::is_regular_file(At("share/applications/" + match[1].str()))) << match[1];
    // A version bump needs its release entry, newest first.
    ASSERT_TRUE(std::regex_search(text, match, std::regex("<release version=\"([^\"]+)\"")));
    EXPECT_EQ(match[1].str(), build::kVersion);
}

// One clause of a udev rule: KEY or KEY{attribute}, an operator, a double-quoted value.
struct UdevClause {
    std::string key;
    std::string op;
    std::string value;
};

// Splits one rule line into its clauses; nothing when the line is not well formed.
std::optional<std::vector<UdevClause>> ParseUdevRule(const std::string& line) {
    static const std::regex kClause(
        R"re(\s*([A-Z_]+(?:\{[A-Za-z0-9_.-]+\})?)\s*(==|!=|\+=|-=|:=|=)\s*"([^"]*)"\s*)re");
    std::vector<UdevClause> clauses;
    std::size_t at = 0;
    while (true) {
        const std::size_t comma = line.find(',', at);
        const std::string piece = line.substr(at, comma == std::string::npos ? comma : comma - at);
        std::smatch match;
        if (!std::regex_match(piece, match, kClause)) return std::nullopt;
        clauses.push_back({match[1], match[2], match[3]});
        if (comma == std::string::npos) break;
        at = comma + 1;
    }
    return clauses;
}

TEST(UdevRuleParse, AcceptsWellFormedClausesAndRefusesBrokenOnes) {
    struct Case {
        const char* line;
        bool valid;
    };
    const Case cases[] = {
        {R"(SUBSYSTEM=="hidraw", ATTRS{idVendor}=="04d9", TAG+="uaccess")", true},
        {R"(KERNEL!="hidraw*",MODE:="0660")", true},
        {R"(SUBSYSTEM=="hidraw" TAG+="uaccess")", false},  // missing comma
        {R"(SUBSYSTEM==hidraw, TAG+="uaccess")", false},   // unquoted value
        {R"(SUBSYSTEM=~"hidraw")", false},                 // no such operator
        {R"(ATTRS{idVendor=="04d9")", false},              // unclosed attribute
        {R"(SUBSYSTEM=="hidraw",)", false},                // trailing comma
        {R"(subsystem=="hidraw")", false},                 // keys are upper case
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseUdevRule(c.line).has_value(), c.valid) << c.line;
    }
    const auto clauses = ParseUdevRule(R"(ATTRS{idProduct}=="a09f", TAG+="uaccess")");
    ASSERT_TRUE(clauses);
    ASSERT_EQ(clauses->size(), 2u);
    EXPECT_EQ((*clauses)[0].key, "ATTRS{idProduct}");
    EXPECT_EQ((*clauses)[0].op, "==");
    EXPECT_EQ((*clauses)[0].value, "a09f");
    EXPECT_EQ((*clauses)[1].op, "+=");
}

TEST_F(InstalledTree, UdevRuleGivesTheSeatTheMousesHidrawNodes) {
    const fs::path rule = At("lib/udev/rules.d/70-quarten.rules");
    int granting = 0;
    for (const std::string& line : Lines(Read(rule))) {
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        const auto clauses = ParseUdevRule(line);
        ASSERT_TRUE(clauses) << "not a udev rule: " << line;
        auto has = [&](const char* key, const char* op, const char* value) {
            return std::any_of(clauses->begin(), clauses->end(), [&](const UdevClause& c) {
                return c.key == key && c.op == op && c.value == value;
            });
        };
        // sysfs spells the ids in lower case and udev compares them exactly.
        if (has("SUBSYSTEM", "==", "hidraw") && has("ATTRS{idVendor}", "==", "04d9") &&
            has("ATTRS{idProduct}", "==", "a09f") && has("TAG", "+=", "uaccess")) {
            ++granting;
        }
    }
    EXPECT_EQ(granting, 1) << Read(rule);
    // Newer udev checks rules itself; the one of Debian 12 has no such command.
    if (Shell("udevadm verify --help >/dev/null").status == 0) {
        const test::ShellRun verified = Shell("udevadm verify " + Quote(rule));
        EXPECT_EQ(verified.status, 0) << verified.out;
    }
}

TEST_F(InstalledTree, ProgramsRunFromThePrefix) {
    const std::string version = build::kVersion;
    const std::string home = "HOME=" + Quote(root / "home");
    const test::ShellRun gui = Installed(home + " QT_QPA_PLATFORM=offscreen", "quarten --version", false);
    EXPECT_EQ(gui.status, 0);
    EXPECT_EQ(gui.out, "quarten " + version + "\n");
    const test::ShellRun ctlVersion = Installed(home, "quartenctl --version", false);
    EXPECT_EQ(ctlVersion.status, 0);
    EXPECT_EQ(ctlVersion.out, "quartenctl " + version + "\n");
    const test::ShellRun help = Installed(home, "quartenctl --help", false);
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: quartenctl")) << help.out;
}

// The roff spelling of a command-line word: each hyphen escaped.
std::string Roff(const std::string& word) {
    std::string out;
    for (const char c : word) out += c == '-' ? std::string("\\-") : std::string(1, c);
    return out;
}

// Each "--option" named in a help text.
std::vector<std::string> OptionsIn(const std::string& help) {
    std::vector<std::string> options;
    static const std::regex kOption("--[a-z][a-z-]*");
    for (auto it = std::sregex_iterator(help.begin(), help.end(), kOption);
         it != std::sregex_iterator(); ++it) {
        if (std::find(options.begin(), options.end(), it->str()) == options.end()) {
            options.push_back(it->str());
        }
    }
    return options;
}

TEST_F(InstalledTree, ManualPagesCoverWhatTheProgramsOffer) {
    const std::string home = "HOME=" + Quote(root / "home");
    const std::string ctlPage = Read(At("share/man/man1/quartenctl.1"));
    const std::string ctlHelp = Installed(home, "quartenctl --help", false).out;
    // The commands are the first word of each line of the help's "Commands:" block.
    const std::size_t from = ctlHelp.find("Commands:\n");
    const std::size_t to = ctlHelp.find("\n\n", from);
    ASSERT_NE(from, std::string::npos);
    int commands = 0;
    for (const std::string& line : Lines(ctlHelp.substr(from, to - from))) {
        std::smatch match;
        if (!std::regex_search(line, match, std::regex("^  ([a-z][a-z-]*)"))) continue;
        ++commands;
        const std::regex heading("\n\\.BR? " +
                                 std::regex_replace(Roff(match[1]), std::regex(R"(\\)"), R"(\\)"));
        EXPECT_TRUE(std::regex_search(ctlPage, heading)) << "command " << match[1];
    }
    EXPECT_GE(commands, 7);
    const std::vector<std::string> ctlOptions = OptionsIn(ctlHelp);
    EXPECT_FALSE(ctlOptions.empty());
    for (const std::string& option : ctlOptions) {
        EXPECT_NE(ctlPage.find(Roff(option)), std::string::npos) << "quartenctl " << option;
    }

    const std::string guiPage = Read(At("share/man/man1/quarten.1"));
    const test::ShellRun guiHelp = Installed(home + " QT_QPA_PLATFORM=offscreen", "quarten --help", false);
    ASSERT_EQ(guiHelp.status, 0);
    const std::vector<std::string> guiOptions = OptionsIn(guiHelp.out);
    EXPECT_FALSE(guiOptions.empty());
    for (const std::string& option : guiOptions) {
        EXPECT_NE(guiPage.find(Roff(option)), std::string::npos) << "quarten " << option;
    }

    if (!Have("groff")) GTEST_SKIP() << "groff is not installed; the pages were not formatted";
    for (const char* page : {"share/man/man1/quarten.1", "share/man/man1/quartenctl.1"}) {
        const test::ShellRun formatted = Shell("groff -man -ww -z " + Quote(At(page)));
        EXPECT_EQ(formatted.status, 0) << page;
        EXPECT_EQ(formatted.out, "") << page;
    }
}

TEST_F(InstalledTree, FirstRunFillsTheUserFolderWithTheInstalledFactoryFiles) {
    struct Case {
        const char* name;
        std::string environment;
        fs::path folder;
    };
    const fs::path home = root / "home";
    const fs::path xdg = root / "xdg";
    const Case cases[] = {
        {"XDG_CONFIG_HOME set", "HOME=" + Quote(home) + " XDG_CONFIG_HOME=" + Quote(xdg),
         xdg / "quarten"},
        {"only HOME", "HOME=" + Quote(home), home / ".config" / "quarten"},
        {"relative XDG_CONFIG_HOME", "HOME=" + Quote(home) + " XDG_CONFIG_HOME=relative",
         home / ".config" / "quarten"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::error_code ignored;
        fs::remove_all(home, ignored);
        fs::remove_all(xdg, ignored);
        fs::create_directories(home);
        const test::ShellRun run = Installed(c.environment, "quartenctl --simulate info");
        EXPECT_EQ(run.status, 0) << run.out;
        EXPECT_NE(run.out.find("sensor type:"), std::string::npos) << run.out;
        for (const char* file : {"config.bin", "str.ini", "Skins/Default/BasicSet2.png"}) {
            ASSERT_TRUE(fs::is_regular_file(c.folder / file)) << file;
            EXPECT_EQ(Read(c.folder / file), Read(At(std::string("share/quarten/") + file)))
                << file;
        }
    }
}

// Runs the uninstall script the `uninstall` target runs, on this installation's listing.
test::ShellRun Uninstall(const fs::path& manifest) {
    return Shell(std::string(QUARTEN_CMAKE_COMMAND) + " -DMANIFEST=" + Quote(manifest) + " -P " +
                 Quote(fs::path(QUARTEN_SOURCE_DIR) / "packaging" / "Uninstall.cmake"));
}

TEST_F(InstalledTree, UninstallLeavesNoFileBehind) {
    const test::ShellRun run = Uninstall(manifest);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(FilesUnder(prefix), std::vector<std::string>());
    EXPECT_FALSE(fs::exists(At("share/quarten"))) << "the program's own folder stays behind";
    // A second run finds everything gone and says so, without failing.
    const test::ShellRun again = Uninstall(manifest);
    EXPECT_EQ(again.status, 0) << again.out;
    EXPECT_NE(again.out.find("Already gone"), std::string::npos);
}

TEST_F(InstalledTree, UninstallKeepsWhatItDidNotInstall) {
    // Another program's menu entry, and a skin someone added to the shared factory folder.
    std::ofstream(At("share/applications/other.desktop")) << "[Desktop Entry]\n";
    fs::create_directories(At("share/quarten/Skins/Added"));
    std::ofstream(At("share/quarten/Skins/Added/Pane.png")) << "png";
    const test::ShellRun run = Uninstall(manifest);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(FilesUnder(prefix), (std::vector<std::string>{"share/applications/other.desktop",
                                                            "share/quarten/Skins/Added/Pane.png"}));
    EXPECT_FALSE(fs::exists(At("share/quarten/Skins/Default")));
}

TEST(UninstallScript, RefusesWithoutAnInstallation) {
    test::TempDir dir;
    const test::ShellRun run = Uninstall(dir / "install_manifest.txt");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.out.find("nothing was installed"), std::string::npos) << run.out;
}

// What cpack -G DEB makes of this build tree, and that making it leaves the build tree's
// install_manifest.txt alone: cpack stages through the install script, which would otherwise
// replace the listing with the package's /usr paths, and the uninstall target would then
// delete the files of an installed package.
TEST(DebianPackage, HoldsTheInstallationUnderUsrAndKeepsTheBuildTreesListing) {
    if (!Have("dpkg-deb") || !Have("dpkg-shlibdeps")) GTEST_SKIP() << "dpkg-dev is not installed";
    test::TempDir out;
    const fs::path build = QUARTEN_BINARY_DIR;
    const fs::path shared = build / "install_manifest.txt";
    const std::string cpack = std::string(QUARTEN_CPACK_COMMAND) + " -G DEB --config " +
                              Quote(build / "CPackConfig.cmake") + " -B " + Quote(out.Path());
    const std::string listing = "/opt/elsewhere/bin/quartenctl\n";
    // Once with a listing of an earlier installation, once with none.
    const test::ShellRun kept = WithBuildManifest("printf '" + listing + "' > " + Quote(shared) + " && " +
                                           cpack + " && cat " + Quote(shared));
    ASSERT_EQ(kept.status, 0) << kept.out;
    EXPECT_TRUE(kept.out.ends_with("/opt/elsewhere/bin/quartenctl\n")) << kept.out;
    const test::ShellRun none = WithBuildManifest("rm -f " + Quote(shared) + " && " + cpack +
                                           " && test ! -e " + Quote(shared));
    EXPECT_EQ(none.status, 0) << "cpack left an install_manifest.txt behind\n" << none.out;

    // quarten_<version>_<architecture>.deb, the name apt-get install ./quarten_*.deb expects.
    std::vector<fs::path> debs;
    for (const auto& entry : fs::directory_iterator(out.Path())) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(std::string("quarten_") + build::kVersion + "_") &&
            name.ends_with(".deb")) {
            debs.push_back(entry.path());
        }
    }
    ASSERT_EQ(debs.size(), 1u);
    const fs::path deb = debs.front();
    auto field = [&](const char* name) {
        std::string value = Shell("dpkg-deb -f " + Quote(deb) + " " + name, false).out;
        while (!value.empty() && value.back() == '\n') value.pop_back();
        return value;
    };
    EXPECT_EQ(field("Package"), "quarten");
    EXPECT_EQ(field("Version"), build::kVersion);
    EXPECT_EQ(field("Section"), "utils");
    EXPECT_NE(field("Maintainer").find("<"), std::string::npos);
    // Found from the linked libraries, not written by hand.
    for (const char* library : {"libqt6widgets6", "libhidapi-hidraw0", "libudev1"}) {
        EXPECT_NE(field("Depends").find(library), std::string::npos) << field("Depends");
    }

    const std::string contents = Shell("dpkg-deb -c " + Quote(deb), false).out;
    for (const char* file :
         {"./usr/bin/quarten", "./usr/bin/quartenctl", "./usr/share/quarten/config.bin",
          "./usr/lib/udev/rules.d/70-quarten.rules", "./usr/share/applications/quarten.desktop",
          "./usr/share/icons/hicolor/256x256/apps/quarten.png",
          "./usr/share/man/man1/quartenctl.1"}) {
        EXPECT_NE(contents.find(std::string(" ") + file + "\n"), std::string::npos) << file;
    }
    EXPECT_EQ(contents.find("./usr/local/"), std::string::npos);
    const std::string control = Shell("dpkg-deb -I " + Quote(deb), false).out;
    EXPECT_NE(control.find("postinst"), std::string::npos);
    EXPECT_NE(control.find("postrm"), std::string::npos);
}

}  // namespace
}  // namespace quarten
