// Skin drawing: the truncating premultiplication, alpha 0 and 128, and a changed file.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QThread>

#include "tests/support/TempDir.h"
#include "ui/SkinImages.h"

namespace quarten {
namespace {

QString Save(const test::TempDir& dir, const char* name, const QImage& image) {
    const QString path = QString::fromStdString((dir / name).string());
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
}

QImage Straight(QRgb pixel) {
    QImage image(1, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, pixel);
    return image;
}

QRgb CanvasPixel(const QImage& canvas) {
    return reinterpret_cast<const QRgb*>(canvas.constScanLine(0))[0];
}

TEST(SkinImages, PremultipliesByTruncation) {
    struct Case {
        QRgb straight;
        QRgb premultiplied;
    };
    const Case cases[] = {
        {qRgba(255, 255, 255, 128), qRgba(128, 128, 128, 128)},
        {qRgba(1, 1, 1, 128), qRgba(0, 0, 0, 128)},  // rounding would give 1
        {qRgba(200, 100, 50, 255), qRgba(200, 100, 50, 255)},
        {qRgba(200, 100, 50, 0), qRgba(0, 0, 0, 0)},
        {qRgba(255, 3, 254, 1), qRgba(1, 0, 0, 1)},
    };
    for (const Case& c : cases) {
        const QImage out = SkinImages::Premultiplied(Straight(c.straight));
        EXPECT_EQ(CanvasPixel(out), c.premultiplied) << std::hex << c.straight;
    }
}

TEST(SkinImages, AlphaZeroLeavesTheCanvasAndHalfAlphaBlends) {
    test::TempDir dir;
    SkinImages images;
    QImage canvas(1, 1, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(qRgba(10, 20, 30, 255));
    ASSERT_TRUE(images.Draw(canvas, Save(dir, "clear.png", Straight(qRgba(255, 0, 0, 0))), 0, 0));
    EXPECT_EQ(CanvasPixel(canvas), qRgba(10, 20, 30, 255));

    ASSERT_TRUE(images.Draw(canvas, Save(dir, "half.png", Straight(qRgba(255, 255, 255, 128))), 0, 0));
    // 128 premultiplied white over the old colour: 128 + c * (255 - 128) / 255.
    const QRgb blended = CanvasPixel(canvas);
    EXPECT_NEAR(qRed(blended), 128 + 10 * 127 / 255, 1);
    EXPECT_NEAR(qGreen(blended), 128 + 20 * 127 / 255, 1);
    EXPECT_NEAR(qBlue(blended), 128 + 30 * 127 / 255, 1);
}

TEST(SkinImages, AChangedFileIsDrawnAtTheNextDraw) {
    test::TempDir dir;
    SkinImages images;
    QImage canvas(1, 1, QImage::Format_ARGB32_Premultiplied);
    const QString path = Save(dir, "button-over.png", Straight(qRgba(255, 0, 0, 255)));
    ASSERT_TRUE(images.Draw(canvas, path, 0, 0));
    EXPECT_EQ(CanvasPixel(canvas), qRgba(255, 0, 0, 255));
    QThread::msleep(10);  // a different modification time even on coarse file systems
    QImage bigger(2, 1, QImage::Format_ARGB32);  // and a different size
    bigger.fill(qRgba(0, 0, 255, 255));
    Save(dir, "button-over.png", bigger);
    ASSERT_TRUE(images.Draw(canvas, path, 0, 0));
    EXPECT_EQ(CanvasPixel(canvas), qRgba(0, 0, 255, 255));
}

TEST(SkinImages, MissingBrokenAndHugeImagesDrawNothing) {
    test::TempDir dir;
    SkinImages images;
    QImage canvas(1, 1, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(qRgba(1, 2, 3, 255));
    dir.WriteFile("broken.png", "\x89PNG\r\n\x1a\nnot really");
    // A PNG header announcing 100000 x 100000 pixels: refused before anything is decoded.
    const unsigned char huge[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I',
                                  'H',  'D', 'R', 0, 1, 0x86, 0xA0, 0, 1, 0x86, 0xA0, 8, 6, 0,
                                  0,    0,   0,   0, 0, 0, 0};
    dir.WriteFile("huge.png", std::string(reinterpret_cast<const char*>(huge), sizeof huge));
    for (const char* name : {"missing.png", "broken.png", "huge.png"}) {
        EXPECT_FALSE(images.Draw(canvas, QString::fromStdString((dir / name).string()), 0, 0))
            << name;
    }
    EXPECT_EQ(CanvasPixel(canvas), qRgba(1, 2, 3, 255));
}

}  // namespace
}  // namespace quarten
