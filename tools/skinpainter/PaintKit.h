// Drawing primitives shared by all skin pictures: surfaces, panels, grooves, fields, glows.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>

#include "tools/skinpainter/Palette.h"
#include "ui/layout/SkinLayout.h"

namespace quarten::skinpainter {

inline QRect ToQRect(const layout::Rect& r) { return {r.left, r.top, r.width(), r.height()}; }
inline QRect Inflated(const QRect& r, int d) { return r.adjusted(-d, -d, d, d); }
QColor Mix(const QColor& a, const QColor& b, double t);  // t = 0 gives a, 1 gives b
QColor WithAlpha(const QColor& c, int alpha);

// A transparent (alpha) or opaque black image of the given size.
QImage NewImage(layout::Size size, bool alpha);
// A painter with antialiasing switched on.
void Prepare(QPainter& p);

// Window or dialog surface: gradient, fine carbon weave, vignette and a bevelled edge.
void FillSurface(QPainter& p, const QRect& area, const Palette& pal);
// Title strip across the top with an accent line fading out towards both ends.
void DrawTitleStrip(QPainter& p, int width, int height, const Palette& pal);
// Bottom strip that holds OK, Apply and Cancel.
void DrawBottomStrip(QPainter& p, const QRect& strip, const Palette& pal);
// A raised section panel with corner brackets in the accent colour.
void DrawPanel(QPainter& p, const QRect& r, const Palette& pal);
// The plate under a section heading: a darker band with an accent bar on its left.
void DrawHeadingPlate(QPainter& p, const QRect& r, const Palette& pal);
// A sunken track (slider rows, button groups).
void DrawGroove(QPainter& p, const QRect& r, const Palette& pal, int radius = 4);
// A sunken field filled with `fill`, optionally with a dropdown chevron at its right end.
void DrawField(QPainter& p, const QRect& r, const QColor& fill, const Palette& pal,
               bool dropdownArrow = false, int arrowWidth = 15);
// Accent corner marks around a rectangle.
void DrawCornerBrackets(QPainter& p, const QRectF& r, const QColor& c, double len, double width);
// A soft radial glow centred on `centre`.
void DrawGlow(QPainter& p, const QPointF& centre, double radius, const QColor& c);
// A thin horizontal accent line that fades out at both ends.
void DrawFadingLine(QPainter& p, double x0, double x1, double y, const QColor& c, double width);
// The skins' emblem: a ring split by a slanted blade.
void DrawEmblem(QPainter& p, const QRectF& r, const Palette& pal);

}  // namespace quarten::skinpainter
