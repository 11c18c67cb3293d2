// The skins shipped in data/Skins: complete, decodable, and sized so the fixed layout fits.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QImageReader>

#include "ui/layout/SkinLayout.h"

namespace quarten {
namespace {

namespace layout = quarten::layout;

QString SkinsFolder() { return QStringLiteral(QUARTEN_SOURCE_DIR "/data/Skins"); }

QStringList ShippedSkins() {
    return QDir(SkinsFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

QString Name(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<int>(name.size()));
}

QSize ImageSize(const QString& skin, std::string_view image) {
    return QImageReader(SkinsFolder() + "/" + skin + "/" + Name(image)).size();
}

QSize ToQSize(layout::Size s) { return QSize(s.width, s.height); }

TEST(ShippedSkins, AtLeastTwoAreShippedAndTheDefaultIsOne) {
    const QStringList skins = ShippedSkins();
    EXPECT_GE(skins.size(), 2);
    EXPECT_TRUE(skins.contains("Default"));
}

TEST(ShippedSkins, EverySkinHoldsEveryImageAsADecodablePng) {
    for (const QString& skin : ShippedSkins()) {
        for (const std::string_view image : layout::image::kAll) {
            const QString path = SkinsFolder() + "/" + skin + "/" + Name(image);
            QImageReader reader(path);
            EXPECT_EQ(reader.format(), "png") << path.toStdString();
            const QImage decoded = reader.read();
            EXPECT_FALSE(decoded.isNull()) << path.toStdString();
        }
    }
}

template <typename Table>
void ExpectAllInside(const Table& table, QSize area, const QString& skin, std::string_view what) {
    const layout::Size size{area.width(), area.height()};
    for (const layout::NamedRect& r : table) {
        EXPECT_TRUE(r.rect.fitsIn(size)) << skin.toStdString() << " " << what << ": " << r.name;
    }
}

TEST(ShippedSkins, BackgroundsAreAsLargeAsTheLayoutNeeds) {
    for (const QString& skin : ShippedSkins()) {
        const QSize basic = ImageSize(skin, layout::image::kBasicBackground);
        const QSize advanced = ImageSize(skin, layout::image::kAdvancedBackground);
        ExpectAllInside(layout::kFrameRects, basic, skin, "frame");
        ExpectAllInside(layout::kBasicPageRects, basic, skin, "basic page");
        ExpectAllInside(layout::kFrameRects, advanced, skin, "frame");
        ExpectAllInside(layout::kAdvancedPageRects, advanced, skin, "advanced page");
        for (const layout::DialogLayout& dialog : layout::kDialogs) {
            ExpectAllInside(dialog.rects, ImageSize(skin, dialog.background), skin,
                            dialog.background);
        }
        // The window is as large as the basic background, and both pages share it.
        const QSize window = ToQSize(layout::kMainWindowSize);
        EXPECT_EQ(ImageSize(skin, layout::image::kBasicBackground), window) << skin.toStdString();
        EXPECT_EQ(ImageSize(skin, layout::image::kAdvancedBackground), window)
            << skin.toStdString();
        for (const layout::DialogLayout& dialog : layout::kDialogs) {
            EXPECT_EQ(ImageSize(skin, dialog.background), ToQSize(dialog.frame.size))
                << skin.toStdString() << " " << dialog.background;
        }
    }
}

TEST(ShippedSkins, ControlImagesHaveTheSizeOfTheRectanglesTheyAreDrawnAt) {
    for (const QString& skin : ShippedSkins()) {
        for (const layout::ImageUse& use : layout::kImageUses) {
            const QSize drawnAt = ToQSize(use.rects.begin()->rect.size());
            for (const std::string_view image : use.images) {
                if (image.empty()) continue;
                EXPECT_EQ(ImageSize(skin, image), drawnAt) << skin.toStdString() << " " << image;
            }
        }
    }
}

}  // namespace
}  // namespace quarten
