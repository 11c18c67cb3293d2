// Surfaces, panels, grooves and glows; everything is antialiased and deterministic, so a
// repaint gives byte-identical files.
#include "tools/skinpainter/PaintKit.h"

#include <algorithm>
#include <cmath>

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace quarten::skinpainter {

QColor Mix(const QColor& a, const QColor& b, double t) {
    auto lerp = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

QColor WithAlpha(const QColor& c, int alpha) {
    QColor out = c;
    out.setAlpha(alpha);
    return out;
}

QImage NewImage(layout::Size size, bool alpha) {
    QImage image(size.width, size.height,
                 alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(alpha ? Qt::transparent : Qt::black);
    return image;
}

void Prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

namespace {

// An 8 x 8 twill tile: four 4 x 4 cells, each shaded along the direction of its fibres.
QImage CarbonTile() {
    QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool across = ((x / 4) + (y / 4)) % 2 == 0;
            const int t = across ? (y % 4) : (x % 4);
            const int light = t == 0 ? 14 : t == 1 ? 8 : t == 2 ? 3 : 0;
            tile.setPixel(x, y, qPremultiply(qRgba(255, 255, 255, light)));
        }
    }
    return tile;
}

}  // namespace

void FillSurface(QPainter& p, const QRect& area, const Palette& pal) {
    QLinearGradient base(area.topLeft(), area.bottomLeft());
    base.setColorAt(0.0, pal.base0);
    base.setColorAt(1.0, pal.base1);
    p.fillRect(area, base);
    p.save();
    p.setOpacity(0.55);
    p.fillRect(area, QBrush(CarbonTile()));
    p.restore();
    // A faint accent light from the top right, where the title strip ends.
    QRadialGradient light(QPointF(area.right() * 0.8, area.top()), area.width() * 0.6);
    light.setColorAt(0.0, WithAlpha(pal.accent, 26));
    light.setColorAt(1.0, WithAlpha(pal.accent, 0));
    p.fillRect(area, light);
    QRadialGradient vignette(area.center(), area.width() * 0.75);
    vignette.setColorAt(0.6, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(0, 0, 0, 90));
    p.fillRect(area, vignette);
    // Bevelled edge: light outer line, dark inner line.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Mix(pal.border, pal.accent, 0.35), 1));
    p.drawRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.drawRect(QRectF(area).adjusted(1.5, 1.5, -1.5, -1.5));
}

void DrawFadingLine(QPainter& p, double x0, double x1, double y, const QColor& c, double width) {
    QLinearGradient g(x0, y, x1, y);
    g.setColorAt(0.0, WithAlpha(c, 0));
    g.setColorAt(0.2, c);
    g.setColorAt(0.8, c);
    g.setColorAt(1.0, WithAlpha(c, 0));
    p.setPen(QPen(QBrush(g), width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(x0, y), QPointF(x1, y));
}

void DrawTitleStrip(QPainter& p, int width, int height, const Palette& pal) {
    const QRectF strip(2, 2, width - 4, height - 2);
    QLinearGradient g(strip.topLeft(), strip.bottomLeft());
    g.setColorAt(0.0, Mix(pal.panel0, Qt::black, 0.25));
    g.setColorAt(1.0, Mix(pal.base1, Qt::black, 0.3));
    p.fillRect(strip, g);
    // A slanted accent tab behind the emblem.
    QPainterPath tab;
    tab.moveTo(2, 2);
    tab.lineTo(height * 2.6, 2);
    tab.lineTo(height * 2.6 - height * 0.6, height);
    tab.lineTo(2, height);
    tab.closeSubpath();
    QLinearGradient tg(0, 0, height * 2.6, 0);
    tg.setColorAt(0.0, WithAlpha(pal.accentDeep, 230));
    tg.setColorAt(1.0, WithAlpha(pal.accentDeep, 60));
    p.fillPath(tab, tg);
    DrawFadingLine(p, 0, width, height + 0.5, pal.accent, 1.0);
    DrawFadingLine(p, width * 0.15, width * 0.85, height + 1.5, WithAlpha(pal.accent, 60), 2.0);
}

void DrawBottomStrip(QPainter& p, const QRect& strip, const Palette& pal) {
    QLinearGradient g(strip.topLeft(), strip.bottomLeft());
    g.setColorAt(0.0, Mix(pal.base1, Qt::black, 0.2));
    g.setColorAt(1.0, Mix(pal.base1, Qt::black, 0.5));
    p.fillRect(strip, g);
    DrawFadingLine(p, strip.left(), strip.right(), strip.top() + 0.5, WithAlpha(pal.accent, 150),
                   1.0);
}

void DrawCornerBrackets(QPainter& p, const QRectF& r, const QColor& c, double len, double width) {
    p.save();
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    const double l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
    p.drawPolyline(QPolygonF({{l, t + len}, {l, t}, {l + len, t}}));
    p.drawPolyline(QPolygonF({{rr - len, t}, {rr, t}, {rr, t + len}}));
    p.drawPolyline(QPolygonF({{l, b - len}, {l, b}, {l + len, b}}));
    p.drawPolyline(QPolygonF({{rr - len, b}, {rr, b}, {rr, b - len}}));
    p.restore();
}

void DrawPanel(QPainter& p, const QRect& r, const Palette& pal) {
    const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(box, 6, 6);
    // Drop shadow below the panel.
    for (int i = 3; i >= 1; --i) {
        QPainterPath shadow;
        shadow.addRoundedRect(box.translated(0, i), 6 + i, 6 + i);
        p.fillPath(shadow, QColor(0, 0, 0, 28));
    }
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0.0, WithAlpha(pal.panel0, 235));
    g.setColorAt(1.0, WithAlpha(pal.panel1, 235));
    p.fillPath(shape, g);
    p.setPen(QPen(pal.border, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    // Top highlight.
    DrawFadingLine(p, box.left() + 6, box.right() - 6, box.top() + 1.5, QColor(255, 255, 255, 26),
                   1.0);
    DrawCornerBrackets(p, box.adjusted(-1.5, -1.5, 1.5, 1.5), WithAlpha(pal.accent, 190), 9, 1.6);
}

void DrawHeadingPlate(QPainter& p, const QRect& r, const Palette& pal) {
    // Headings are centred, so the plate is symmetric: strongest in the middle, with an accent
    // tick at each end and a fading line below.
    const QRectF box = QRectF(r).adjusted(-12, 1, 12, -1);
    QLinearGradient g(box.topLeft(), box.topRight());
    g.setColorAt(0.0, WithAlpha(pal.accentDeep, 0));
    g.setColorAt(0.25, WithAlpha(pal.accentDeep, 140));
    g.setColorAt(0.75, WithAlpha(pal.accentDeep, 140));
    g.setColorAt(1.0, WithAlpha(pal.accentDeep, 0));
    p.fillRect(box, g);
    const double tick = box.height() * 0.6;
    const double y = box.center().y() - tick / 2;
    p.fillRect(QRectF(box.left() + 2, y, 3, tick), pal.accent);
    p.fillRect(QRectF(box.right() - 5, y, 3, tick), pal.accent);
    DrawFadingLine(p, box.left(), box.right(), box.bottom() + 0.5, WithAlpha(pal.accent, 150),
                   1.0);
}

void DrawGroove(QPainter& p, const QRect& r, const Palette& pal, int radius) {
    const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(box, radius, radius);
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0.0, QColor(0, 0, 0, 150));
    g.setColorAt(1.0, QColor(0, 0, 0, 80));
    p.fillPath(shape, g);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 170), 1));
    p.drawPath(shape);
    DrawFadingLine(p, box.left() + radius, box.right() - radius, box.bottom() + 0.5,
                   WithAlpha(Mix(pal.border, Qt::white, 0.2), 120), 1.0);
}

void DrawField(QPainter& p, const QRect& r, const QColor& fill, const Palette& pal,
               bool dropdownArrow, int arrowWidth) {
    // The outline sits one pixel outside the rectangle, so the fill covers it exactly.
    const QRectF outline = QRectF(r).adjusted(-0.5, -0.5, 0.5, 0.5);
    p.fillRect(r, fill);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Mix(pal.border, Qt::black, 0.2), 1));
    p.drawRoundedRect(outline, 2, 2);
    p.setPen(QPen(WithAlpha(pal.accent, 70), 1));
    p.drawLine(QPointF(outline.left() + 2, outline.bottom()),
               QPointF(outline.right() - 2, outline.bottom()));
    if (!dropdownArrow) return;
    const QRectF arrow(r.right() + 1 - arrowWidth, r.top(), arrowWidth, r.height());
    QLinearGradient g(arrow.topLeft(), arrow.bottomLeft());
    g.setColorAt(0.0, Mix(pal.panel0, pal.accentDeep, 0.5));
    g.setColorAt(1.0, Mix(pal.panel1, pal.accentDeep, 0.3));
    p.fillRect(arrow, g);
    const QPointF c = arrow.center();
    const double w = std::min(arrow.width(), arrow.height()) * 0.28;
    p.setPen(QPen(pal.accentBright, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({{c.x() - w, c.y() - w * 0.5}, {c.x(), c.y() + w * 0.5},
                              {c.x() + w, c.y() - w * 0.5}}));
}

void DrawGlow(QPainter& p, const QPointF& centre, double radius, const QColor& c) {
    QRadialGradient g(centre, radius);
    g.setColorAt(0.0, c);
    g.setColorAt(0.45, WithAlpha(c, c.alpha() / 3));
    g.setColorAt(1.0, WithAlpha(c, 0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

void DrawEmblem(QPainter& p, const QRectF& r, const Palette& pal) {
    p.save();
    const QPointF c = r.center();
    const double rad = std::min(r.width(), r.height()) / 2 - 1;
    DrawGlow(p, c, rad * 1.6, WithAlpha(pal.accent, 70));
    auto hexagon = [&c](double radius) {
        QPolygonF hex;
        for (int i = 0; i < 6; ++i) {
            const double a = (60.0 * i - 90) * 3.14159265358979 / 180;
            hex << QPointF(c.x() + radius * std::cos(a), c.y() + radius * std::sin(a));
        }
        return hex;
    };
    QLinearGradient ring(r.topLeft(), r.bottomRight());
    ring.setColorAt(0.0, pal.accentBright);
    ring.setColorAt(1.0, pal.accent);
    p.setBrush(WithAlpha(pal.accentDeep, 160));
    p.setPen(QPen(QBrush(ring), std::max(1.5, rad * 0.16), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.drawPolygon(hexagon(rad));
    // Two stacked chevrons pointing up.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pal.accentBright, std::max(1.5, rad * 0.2), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    for (int i = 0; i < 2; ++i) {
        const double y = c.y() + rad * (0.05 + 0.38 * i);
        p.drawPolyline(QPolygonF({{c.x() - rad * 0.45, y + rad * 0.05},
                                  {c.x(), y - rad * 0.38},
                                  {c.x() + rad * 0.45, y + rad * 0.05}}));
    }
    p.restore();
}

}  // namespace quarten::skinpainter
