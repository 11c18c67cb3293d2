// Line-art icons drawn as shapes (no lettering): window controls, arrows, tick, palette and
// the symbols of the dialogs and page sections.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <initializer_list>

namespace quarten::skinpainter {

void GlyphCross(QPainter& p, const QRectF& r, const QColor& c, double width);
void GlyphMinus(QPainter& p, const QRectF& r, const QColor& c, double width);
void GlyphChevron(QPainter& p, const QRectF& r, const QColor& c, double width, bool right);
void GlyphTick(QPainter& p, const QRectF& r, const QColor& c, double width);
// A painter's palette with colour dots; `dots` are the dot colours.
void GlyphPalette(QPainter& p, const QRectF& r, const QColor& outline,
                  const std::initializer_list<QColor>& dots);
void GlyphGlobe(QPainter& p, const QRectF& r, const QColor& c);
void GlyphKeycap(QPainter& p, const QRectF& r, const QColor& c);
void GlyphPlus(QPainter& p, const QRectF& r, const QColor& c, double width);
void GlyphWindowGrid(QPainter& p, const QRectF& r, const QColor& c);
void GlyphNote(QPainter& p, const QRectF& r, const QColor& c);
void GlyphCrosshair(QPainter& p, const QRectF& r, const QColor& c);
void GlyphLoop(QPainter& p, const QRectF& r, const QColor& c);
void GlyphClock(QPainter& p, const QRectF& r, const QColor& c);
void GlyphPointer(QPainter& p, const QRectF& r, const QColor& c);
void GlyphWheel(QPainter& p, const QRectF& r, const QColor& c);
void GlyphDoubleClick(QPainter& p, const QRectF& r, const QColor& c);

}  // namespace quarten::skinpainter
