// The shipped application icons: each picture has the size its folder promises, and the set is
// what tools/iconpainter draws today, so a change to the drawing cannot ship unpainted.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <sstream>

#include "tests/support/TempDir.h"

namespace quarten {
namespace {

namespace fs = std::filesystem;

const fs::path kShipped = fs::path(QUARTEN_SOURCE_DIR) / "data" / "icons";

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Every file under `root`, by its path relative to it, with its bytes.
std::map<std::string, std::string> Files(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[entry.path().lexically_relative(root).string()] = Read(entry.path());
        }
    }
    return files;
}

struct PngHeader {
    std::uint32_t width = 0, height = 0;
    int bitDepth = 0, colourType = -1;
};

// The IHDR chunk, which a valid PNG has first, right after the eight-byte signature.
std::optional<PngHeader> ReadPngHeader(const std::string& bytes) {
    static const std::string kSignature("\x89PNG\r\n\x1a\n", 8);
    if (bytes.size() < 33 || bytes.compare(0, 8, kSignature) != 0 ||
        bytes.compare(12, 4, "IHDR") != 0) {
        return std::nullopt;
    }
    auto u32 = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<std::uint8_t>(bytes[at + i]);
        return v;
    };
    return PngHeader{u32(16), u32(20), static_cast<std::uint8_t>(bytes[24]),
                     static_cast<std::uint8_t>(bytes[25])};
}

TEST(AppIcons, EachPictureHasTheSizeOfItsFolder) {
    const std::regex kSized(R"(hicolor/(\d+)x(\d+)/apps/quarten\.png)");
    std::vector<int> sizes;
    for (const auto& [name, bytes] : Files(kShipped)) {
        std::smatch match;
        if (name == "hicolor/scalable/apps/quarten.svg") {
            EXPECT_NE(bytes.find("xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
            EXPECT_NE(bytes.find("viewBox=\"0 0 256 256\""), std::string::npos);
            continue;
        }
        ASSERT_TRUE(std::regex_match(name, match, kSized)) << "unexpected file " << name;
        const auto header = ReadPngHeader(bytes);
        ASSERT_TRUE(header) << name << " is not a PNG";
        const int size = std::stoi(match[1]);
        EXPECT_EQ(match[1], match[2]) << name;
        EXPECT_EQ(header->width, static_cast<std::uint32_t>(size)) << name;
        EXPECT_EQ(header->height, static_cast<std::uint32_t>(size)) << name;
        EXPECT_EQ(header->colourType, 6) << name << ": not RGBA, the corners would be opaque";
        EXPECT_EQ(header->bitDepth, 8) << name;
        sizes.push_back(size);
    }
    for (const int wanted : {48, 128, 256}) {
        EXPECT_NE(std::find(sizes.begin(), sizes.end(), wanted), sizes.end()) << wanted;
    }
    EXPECT_TRUE(fs::is_regular_file(kShipped / "hicolor/scalable/apps/quarten.svg"));
}

TEST(AppIcons, AreWhatThePainterDrawsNow) {
    const fs::path painter = fs::path(QUARTEN_BINARY_DIR) / "bin" / "paint_icons";
    if (!fs::exists(painter)) GTEST_SKIP() << "paint_icons is not built";
    test::TempDir out;
    const std::string command = "QT_QPA_PLATFORM=offscreen '" + painter.string() + "' '" +
                                out.Path().string() + "' 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    const auto drawn = Files(out.Path());
    const auto shipped = Files(kShipped);
    ASSERT_FALSE(drawn.empty());
    for (const auto& [name, bytes] : drawn) {
        const auto it = shipped.find(name);
        ASSERT_NE(it, shipped.end()) << name << " is not shipped";
        EXPECT_TRUE(it->second == bytes)
            << name << " differs from what paint_icons draws; run paint_icons data/icons";
    }
    for (const auto& [name, bytes] : shipped) {
        EXPECT_TRUE(drawn.count(name)) << name << " is shipped but no longer drawn";
    }
}

}  // namespace
}  // namespace quarten
