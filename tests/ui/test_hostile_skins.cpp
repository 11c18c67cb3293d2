// Skin pictures that would cost more memory than any skin needs: refused from the size in
// their header, so a hostile Skins/ folder cannot make the window allocate gigabytes.
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>

#include "tests/support/TempDir.h"
#include "ui/SkinImages.h"

namespace quarten {
namespace {

// The header alone of a PNG announcing width x height RGBA pixels (CRC left zero: the size
// is all a reader looks at before decoding).
std::string PngHeader(std::uint32_t width, std::uint32_t height) {
    std::string png = "\x89PNG\r\n\x1a\n";
    png += std::string("\0\0\0\x0DIHDR", 8);
    for (const std::uint32_t v : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) png += static_cast<char>(v >> shift);
    }
    png += std::string("\x08\x06\0\0\0\0\0\0\0", 9);
    return png;
}

TEST(HostileSkins, TheSizeLimitDecidesBeforeAnythingIsDecoded) {
    test::TempDir dir;
    SkinImages images;
    const auto path = [&](const char* name) {
        return QString::fromStdString((dir / name).string());
    };

    // Complete one-bit pictures, small on disk, that Qt would decode into 64 MiB of pixels:
    // the last one that fits and the first one past the limit.
    QImage fits(4096, 4096, QImage::Format_Mono);
    fits.fill(1);
    ASSERT_TRUE(fits.save(path("fits.png"), "PNG"));
    QImage tooWide(4097, 4096, QImage::Format_Mono);
    tooWide.fill(1);
    ASSERT_TRUE(tooWide.save(path("too-wide.png"), "PNG"));
    ASSERT_FALSE(QImageReader(path("too-wide.png")).read().isNull()) << "Qt itself would decode it";

    EXPECT_EQ(images.Load(path("fits.png")).size(), QSize(4096, 4096));
    EXPECT_TRUE(images.Load(path("too-wide.png")).isNull());

    // Headers alone that claim far more; nothing behind them to decode.
    const std::pair<const char*, std::string> claims[] = {
        {"30000 x 30000", PngHeader(30000, 30000)},
        {"1 x 2^31 - 1", PngHeader(1, 0x7FFFFFFF)},
        {"65536 x 65536", PngHeader(65536, 65536)},
    };
    QImage canvas(1, 1, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(qRgba(1, 2, 3, 255));
    for (const auto& [what, bytes] : claims) {
        dir.WriteFile("claim.png", bytes);
        EXPECT_TRUE(images.Load(path("claim.png")).isNull()) << what;
        EXPECT_FALSE(images.Draw(canvas, path("claim.png"), 0, 0)) << what;
        images.Clear();
    }
    EXPECT_EQ(canvas.pixel(0, 0), qRgba(1, 2, 3, 255));
}

}  // namespace
}  // namespace quarten
