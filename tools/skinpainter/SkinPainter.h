// Paints the pictures of one skin: control images, page backgrounds and dialog backgrounds.
#pragma once

#include <QImage>
#include <QString>
#include <string_view>

#include "tools/skinpainter/Palette.h"
#include "ui/layout/SkinLayout.h"

namespace quarten::skinpainter {

// Control images (buttons, boxes, panes, slider segments); null for any other name.
QImage PaintControl(std::string_view name, const Palette& pal);
QImage PaintBasicPage(const Palette& pal);
QImage PaintAdvancedPage(const Palette& pal);
QImage PaintDialog(const layout::DialogLayout& dialog, const Palette& pal);

// Any image of the skin by file name; null for a name that is not part of a skin.
QImage PaintImage(std::string_view name, const Palette& pal);

// Writes every image of the skin into `folder` (created if needed); false with a message on
// standard error when a file cannot be written.
bool WriteSkin(const QString& folder, const Palette& pal);

// Composes pictures of the pages and dialogs from the images in `skinFolder`, with English
// labels where the program draws its texts, into `outputFolder`.
bool WritePreviews(const QString& skinFolder, const QString& outputFolder);

}  // namespace quarten::skinpainter
