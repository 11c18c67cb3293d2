// Control images. Each pair (normal/over, light/dark, empty/ticked) shares one outline whose
// outer rim has the same colour in both states: the program draws one state over the other
// on a persistent canvas, so the antialiased edge pixels must not change between them.
#include <QLinearGradient>
#include <QPainterPath>

#include "tools/skinpainter/Glyphs.h"
#include "tools/skinpainter/PaintKit.h"
#include "tools/skinpainter/SkinPainter.h"

namespace quarten::skinpainter {

namespace img = layout::image;

namespace {

QColor Rim() { return QColor(4, 5, 6); }

QImage TextButton(const Palette& pal, bool over) {
    QImage image = NewImage(layout::kTextButtonSize, true);
    QPainter p(&image);
    Prepare(p);
    const QRectF outer(0.5, 0.5, image.width() - 1, image.height() - 1);
    QPainterPath shape;
    shape.addRoundedRect(outer, 4, 4);
    p.fillPath(shape, Rim());
    const QRectF inner = outer.adjusted(1, 1, -1, -1);
    QPainterPath face;
    face.addRoundedRect(inner, 3, 3);
    QLinearGradient g(inner.topLeft(), inner.bottomLeft());
    if (over) {
        g.setColorAt(0.0, Mix(pal.accentDeep, pal.accent, 0.55));
        g.setColorAt(0.5, Mix(pal.accentDeep, pal.accent, 0.25));
        g.setColorAt(1.0, pal.accentDeep);
    } else {
        g.setColorAt(0.0, Mix(pal.panel0, Qt::white, 0.1));
        g.setColorAt(0.5, pal.panel0);
        g.setColorAt(1.0, Mix(pal.panel1, Qt::black, 0.2));
    }
    p.fillPath(face, g);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(over ? pal.accentBright : Mix(pal.border, Qt::white, 0.12), 1));
    p.drawPath(face);
    // Gloss on the upper half.
    QPainterPath gloss;
    gloss.addRoundedRect(inner.adjusted(1, 1, -1, -inner.height() / 2), 2, 2);
    p.fillPath(gloss, QColor(255, 255, 255, over ? 34 : 16));
    // Angular accent marks at both ends.
    const QColor mark = over ? pal.accentBright : WithAlpha(pal.accent, 170);
    p.setPen(Qt::NoPen);
    p.setBrush(mark);
    const double b = inner.bottom() - 1, t = inner.top() + 1;
    p.drawPolygon(QPolygonF({{inner.left() + 2, b}, {inner.left() + 2, b - 6},
                             {inner.left() + 8, b}}));
    p.drawPolygon(QPolygonF({{inner.right() - 2, t}, {inner.right() - 2, t + 6},
                             {inner.right() - 8, t}}));
    if (over) DrawFadingLine(p, inner.left() + 8, inner.right() - 8, b, pal.accentBright, 1.2);
    return image;
}

enum class Icon { Close, Minimise, Skins };

QImage FrameIcon(const Palette& pal, Icon icon, bool over) {
    QImage image = NewImage(layout::kFrameIconSize, true);
    QPainter p(&image);
    Prepare(p);
    const QRectF disc(0.5, 0.5, 17, 17);
    p.setPen(Qt::NoPen);
    p.setBrush(Rim());
    p.drawEllipse(disc);
    const QRectF face = disc.adjusted(1, 1, -1, -1);
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    QColor hot = icon == Icon::Close ? pal.danger : pal.accent;
    if (over) {
        g.setColorAt(0.0, Mix(hot, Qt::white, 0.25));
        g.setColorAt(1.0, Mix(hot, Qt::black, 0.35));
    } else {
        g.setColorAt(0.0, Mix(pal.panel0, Qt::white, 0.06));
        g.setColorAt(1.0, pal.panel1);
    }
    p.setBrush(g);
    p.setPen(QPen(over ? Mix(hot, Qt::white, 0.5) : pal.border, 1));
    p.drawEllipse(face);
    const QColor ink = over ? QColor(255, 255, 255) : pal.glyph;
    switch (icon) {
        case Icon::Close:
            GlyphCross(p, QRectF(5.5, 5.5, 7, 7), ink, 1.7);
            break;
        case Icon::Minimise:
            GlyphMinus(p, QRectF(5, 8.5, 8, 1), ink, 1.9);
            break;
        case Icon::Skins:
            GlyphPalette(p, QRectF(3.5, 3.5, 11, 11), ink,
                         {over ? QColor(255, 255, 255) : pal.accent, QColor(0xff, 0xb0, 0x20),
                          QColor(0xe0, 0x40, 0xc0), QColor(0x40, 0x90, 0xff)});
            break;
    }
    return image;
}

QImage PageArrow(const Palette& pal, bool right, bool over) {
    QImage image = NewImage(layout::kPageArrowSize, true);
    QPainter p(&image);
    Prepare(p);
    const QRectF disc(0.5, 0.5, 39, 39);
    p.setPen(Qt::NoPen);
    p.setBrush(Rim());
    p.drawEllipse(disc);
    const QRectF ring = disc.adjusted(1.5, 1.5, -1.5, -1.5);
    QConicalGradient rim(ring.center(), 120);
    rim.setColorAt(0.0, over ? pal.accentBright : Mix(pal.border, Qt::white, 0.25));
    rim.setColorAt(0.5, over ? pal.accent : pal.border);
    rim.setColorAt(1.0, over ? pal.accentBright : Mix(pal.border, Qt::white, 0.25));
    p.setBrush(QBrush(rim));
    p.drawEllipse(ring);
    const QRectF face = ring.adjusted(2.5, 2.5, -2.5, -2.5);
    QRadialGradient fill(face.center() - QPointF(0, 6), face.width() * 0.7);
    fill.setColorAt(0.0, over ? Mix(pal.accentDeep, pal.accent, 0.35) : pal.panel0);
    fill.setColorAt(1.0, over ? Mix(pal.accentDeep, Qt::black, 0.3) : pal.base1);
    p.setBrush(fill);
    p.drawEllipse(face);
    if (over) DrawGlow(p, face.center(), 14, WithAlpha(pal.accentBright, 70));
    // The chevron sits a little towards the way it points.
    const QRectF chevron(right ? 16.5 : 14.5, 12.5, 9, 15);
    GlyphChevron(p, chevron, over ? QColor(255, 255, 255) : pal.glyph, 3.0, right);
    return image;
}

QImage DropdownBox(const Palette& pal, bool over) {
    QImage image = NewImage(layout::kKeyBoxSize, true);
    QPainter p(&image);
    Prepare(p);
    const QRectF outer(0.5, 0.5, image.width() - 1, image.height() - 1);
    QPainterPath shape;
    shape.addRoundedRect(outer, 3, 3);
    p.fillPath(shape, Rim());
    const QRectF inner = outer.adjusted(1, 1, -1, -1);
    QLinearGradient g(inner.topLeft(), inner.bottomLeft());
    g.setColorAt(0.0, over ? Mix(pal.field, pal.accentDeep, 0.55) : Mix(pal.field, pal.panel0, 0.6));
    g.setColorAt(1.0, over ? Mix(pal.field, pal.accentDeep, 0.25) : pal.field);
    QPainterPath face;
    face.addRoundedRect(inner, 2, 2);
    p.fillPath(face, g);
    // Number badge in the first 20 pixels.
    const QRectF badge(inner.left(), inner.top(), layout::basic::kBoxNumberWidth - 1.5,
                       inner.height());
    QLinearGradient bg(badge.topLeft(), badge.bottomLeft());
    bg.setColorAt(0.0, over ? pal.accent : Mix(pal.accentDeep, pal.accent, 0.25));
    bg.setColorAt(1.0, over ? Mix(pal.accent, pal.accentDeep, 0.6) : pal.accentDeep);
    QPainterPath badgePath;
    badgePath.addRoundedRect(badge, 2, 2);
    p.fillPath(badgePath, bg);
    p.setPen(QPen(over ? pal.accentBright : pal.accent, 1));
    p.drawLine(QPointF(badge.right() + 0.5, inner.top()), QPointF(badge.right() + 0.5, inner.bottom()));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(over ? pal.accentBright : Mix(pal.border, Qt::white, 0.05), 1));
    p.drawPath(face);
    // Chevron at the right end.
    const double cx = inner.right() - 9, cy = inner.center().y();
    p.setPen(QPen(over ? pal.accentBright : pal.glyph, 1.6, Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.drawPolyline(QPolygonF({{cx - 4, cy - 2}, {cx, cy + 2}, {cx + 4, cy - 2}}));
    if (over) DrawFadingLine(p, badge.right() + 4, inner.right() - 20, inner.bottom() - 0.5,
                             pal.accentBright, 1.0);
    return image;
}

// Check boxes are opaque: the empty box is drawn straight over the ticked one.
QImage Pane(const Palette& pal, bool ticked) {
    QImage image = NewImage(layout::kPaneSize, true);
    QPainter p(&image);
    p.fillRect(image.rect(), Rim());
    Prepare(p);
    const QRectF face(1.5, 1.5, 13, 13);
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    g.setColorAt(0.0, ticked ? Mix(pal.accentDeep, pal.accent, 0.45) : pal.field);
    g.setColorAt(1.0, ticked ? pal.accentDeep : Mix(pal.field, pal.panel0, 0.5));
    p.setBrush(g);
    p.setPen(QPen(ticked ? pal.accentBright : Mix(pal.border, Qt::white, 0.2), 1));
    p.drawRoundedRect(face, 2, 2);
    if (ticked) {
        DrawGlow(p, face.center(), 7, WithAlpha(pal.accentBright, 60));
        GlyphTick(p, QRectF(4.2, 4.5, 7.6, 6.5), QColor(255, 255, 255), 2.0);
    }
    return image;
}

// Slider segments are opaque too, with the track colour around the lit or unlit cell.
QImage Segment(const Palette& pal, layout::Size size, bool light, bool vertical) {
    QImage image = NewImage(size, true);
    QPainter p(&image);
    p.fillRect(image.rect(), pal.field);
    Prepare(p);
    const QRectF cell = vertical ? QRectF(1.5, 1.5, size.width - 3, size.height - 3)
                                 : QRectF(1.5, 1.5, size.width - 3.5, size.height - 3);
    QLinearGradient g(cell.topLeft(), cell.bottomLeft());
    if (light) {
        g.setColorAt(0.0, pal.accentBright);
        g.setColorAt(0.45, pal.accent);
        g.setColorAt(1.0, Mix(pal.accent, pal.accentDeep, 0.6));
    } else {
        g.setColorAt(0.0, Mix(pal.panel0, Qt::white, 0.04));
        g.setColorAt(1.0, Mix(pal.panel1, Qt::black, 0.1));
    }
    p.setBrush(g);
    p.setPen(QPen(light ? Mix(pal.accentBright, Qt::white, 0.3) : pal.border, 1));
    p.drawRoundedRect(cell, 1.5, 1.5);
    if (light) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawRect(QRectF(cell.left() + 1.5, cell.top() + 1, cell.width() - 3, cell.height() * 0.3));
    }
    return image;
}

}  // namespace

QImage PaintControl(std::string_view name, const Palette& pal) {
    if (name == img::kButtonNormal) return TextButton(pal, false);
    if (name == img::kButtonOver) return TextButton(pal, true);
    if (name == img::kCloseNormal) return FrameIcon(pal, Icon::Close, false);
    if (name == img::kCloseOver) return FrameIcon(pal, Icon::Close, true);
    if (name == img::kMinNormal) return FrameIcon(pal, Icon::Minimise, false);
    if (name == img::kMinOver) return FrameIcon(pal, Icon::Minimise, true);
    if (name == img::kSkinsNormal) return FrameIcon(pal, Icon::Skins, false);
    if (name == img::kSkinsOver) return FrameIcon(pal, Icon::Skins, true);
    if (name == img::kPrePageNormal) return PageArrow(pal, false, false);
    if (name == img::kPrePageOver) return PageArrow(pal, false, true);
    if (name == img::kNextPageNormal) return PageArrow(pal, true, false);
    if (name == img::kNextPageOver) return PageArrow(pal, true, true);
    if (name == img::kDropdownNormal) return DropdownBox(pal, false);
    if (name == img::kDropdownOver) return DropdownBox(pal, true);
    if (name == img::kPane) return Pane(pal, false);
    if (name == img::kPaneTick) return Pane(pal, true);
    if (name == img::kSliderLight) return Segment(pal, layout::kSliderSegmentSize, true, false);
    if (name == img::kSliderDark) return Segment(pal, layout::kSliderSegmentSize, false, false);
    if (name == img::kDpiLight) return Segment(pal, layout::kDpiSegmentSize, true, true);
    if (name == img::kDpiDark) return Segment(pal, layout::kDpiSegmentSize, false, true);
    if (name == img::kRateLight) return Segment(pal, layout::kRateSegmentSize, true, false);
    if (name == img::kRateDark) return Segment(pal, layout::kRateSegmentSize, false, false);
    return {};
}

}  // namespace quarten::skinpainter
