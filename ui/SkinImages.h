// Decodes skin PNGs, premultiplies them the way the skins were designed for, and draws them
// onto the page canvas; decoded images are kept until their file changes.
#pragma once

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QString>

namespace quarten {

class SkinImages {
public:
    // Skins are small pictures; anything larger than this is refused before decoding.
    static constexpr int kMaxPixels = 4096 * 4096;

    // The image premultiplied with truncation (c * a / 255), or a null image when the file
    // is missing, undecodable or too large. A cached image is used only while the file's
    // modification time and size are unchanged, so an edited skin shows at the next draw.
    QImage Load(const QString& path);
    // Draws the image at its natural size with source-over blending; false (and nothing
    // drawn) when it cannot be loaded.
    bool Draw(QImage& canvas, const QString& path, int x, int y);
    void Clear() { cache_.clear(); }

    // The premultiplication rule on its own, for tests and for callers with their own images.
    static QImage Premultiplied(const QImage& straight);

private:
    struct Entry {
        QDateTime modified;
        qint64 size = -1;
        QImage image;
    };
    QHash<QString, Entry> cache_;
};

}  // namespace quarten
