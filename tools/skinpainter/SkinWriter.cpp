// Dispatches image names to their painters and writes a whole skin folder.
#include <QDir>
#include <cstdio>

#include "tools/skinpainter/SkinPainter.h"

namespace quarten::skinpainter {

namespace img = layout::image;

QImage PaintImage(std::string_view name, const Palette& pal) {
    if (name == img::kBasicBackground) return PaintBasicPage(pal);
    if (name == img::kAdvancedBackground) return PaintAdvancedPage(pal);
    for (const auto& dialog : layout::kDialogs) {
        if (name == dialog.background) return PaintDialog(dialog, pal);
    }
    return PaintControl(name, pal);
}

bool WriteSkin(const QString& folder, const Palette& pal) {
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "paint_skins: cannot create %s\n", qPrintable(folder));
        return false;
    }
    for (std::string_view name : img::kAll) {
        const QString file = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        QImage image = PaintImage(name, pal);
        if (image.isNull()) {
            std::fprintf(stderr, "paint_skins: no painter for %s\n", qPrintable(file));
            return false;
        }
        // Opaque pictures are stored without an alpha channel; the others keep straight
        // alpha, which is what the program's loader premultiplies.
        image = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32)
                                        : image.convertToFormat(QImage::Format_RGB888);
        const QString path = QDir(folder).filePath(file);
        if (!image.save(path, "PNG", 0)) {
            std::fprintf(stderr, "paint_skins: cannot write %s\n", qPrintable(path));
            return false;
        }
    }
    return true;
}

}  // namespace quarten::skinpainter
