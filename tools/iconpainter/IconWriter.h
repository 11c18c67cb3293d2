// Writes the icon drawing as SVG text and paints it into images.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "tools/iconpainter/IconModel.h"

namespace quarten::iconpainter {

QString SvgText(const std::vector<Layer>& layers);
QImage Render(const std::vector<Layer>& layers, int size);

}  // namespace quarten::iconpainter
