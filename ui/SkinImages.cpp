#include "ui/SkinImages.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace quarten {

QImage SkinImages::Premultiplied(const QImage& straight) {
    // Qt's own conversion rounds; the skins are drawn for the truncating rule, which for
    // example turns colour 1 at alpha 128 into 0, not 1.
    const QImage source = straight.convertToFormat(QImage::Format_ARGB32);
    QImage out(source.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        QRgb* dest = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const unsigned a = qAlpha(in[x]);
            dest[x] = qRgba(static_cast<int>(qRed(in[x]) * a / 255),
                            static_cast<int>(qGreen(in[x]) * a / 255),
                            static_cast<int>(qBlue(in[x]) * a / 255), static_cast<int>(a));
        }
    }
    return out;
}

QImage SkinImages::Load(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        cache_.remove(path);
        return {};
    }
    auto it = cache_.find(path);
    if (it != cache_.end() && it->modified == info.lastModified() && it->size == info.size()) {
        return it->image;
    }
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > kMaxPixels) {
        cache_.remove(path);
        return {};
    }
    const QImage decoded = reader.read();
    if (decoded.isNull()) {
        cache_.remove(path);
        return {};
    }
    Entry entry{info.lastModified(), info.size(),
                decoded.hasAlphaChannel() ? Premultiplied(decoded)
                                          : decoded.convertToFormat(QImage::Format_RGB32)};
    cache_.insert(path, entry);
    return entry.image;
}

bool SkinImages::Draw(QImage& canvas, const QString& path, int x, int y) {
    const QImage image = Load(path);
    if (image.isNull() || canvas.isNull()) return false;
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(x, y, image);
    return true;
}

}  // namespace quarten
