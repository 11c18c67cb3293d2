// The colours of one skin; every picture of the skin is painted from them.
#pragma once

#include <QColor>
#include <QString>
#include <vector>

namespace quarten::skinpainter {

struct Palette {
    QString name;          // folder name under Skins
    QColor base0, base1;   // window background, top and bottom of its gradient
    QColor panel0, panel1; // section panels, top and bottom
    QColor border;         // panel and control outlines
    QColor accent;         // the skin's signature colour
    QColor accentBright;   // glows and hovered highlights
    QColor accentDeep;     // dark tint of the accent for fills
    QColor glyph;          // icons in their resting state
    QColor danger;         // hovered close button
    QColor field;          // inset fields under the drawn texts
};

const Palette& DefaultPalette();
const Palette& CrimsonPalette();
std::vector<const Palette*> AllPalettes();

}  // namespace quarten::skinpainter
