// The application icon: a graphite tile holding a mouse seen from above, lit in the Default
// skin's teal like the mouse on the basic page.
#include "tools/iconpainter/IconModel.h"
#include "tools/skinpainter/Palette.h"

namespace quarten::iconpainter {

Outline& Outline::MoveTo(double x, double y) {
    ops_.push_back({Op::Move, {x, y}, {}, {}});
    return *this;
}

Outline& Outline::LineTo(double x, double y) {
    ops_.push_back({Op::Line, {x, y}, {}, {}});
    return *this;
}

Outline& Outline::CubicTo(double x1, double y1, double x2, double y2, double x, double y) {
    ops_.push_back({Op::Cubic, {x1, y1}, {x2, y2}, {x, y}});
    return *this;
}

Outline& Outline::Close() {
    ops_.push_back({Op::Close, {}, {}, {}});
    return *this;
}

Outline Outline::RoundedRect(const QRectF& r, double radius) {
    // Quarter circles as cubics, with the usual control distance 0.5523 * radius; a side
    // that the corners use up entirely (a pill) gets no straight piece.
    const double k = radius * (1 - 0.5523);
    const bool across = r.width() > 2 * radius;
    const bool down = r.height() > 2 * radius;
    Outline o;
    o.MoveTo(r.left() + radius, r.top());
    if (across) o.LineTo(r.right() - radius, r.top());
    o.CubicTo(r.right() - k, r.top(), r.right(), r.top() + k, r.right(), r.top() + radius);
    if (down) o.LineTo(r.right(), r.bottom() - radius);
    o.CubicTo(r.right(), r.bottom() - k, r.right() - k, r.bottom(), r.right() - radius, r.bottom());
    if (across) o.LineTo(r.left() + radius, r.bottom());
    o.CubicTo(r.left() + k, r.bottom(), r.left(), r.bottom() - k, r.left(), r.bottom() - radius);
    if (down) o.LineTo(r.left(), r.top() + radius);
    o.CubicTo(r.left(), r.top() + k, r.left() + k, r.top(), r.left() + radius, r.top()).Close();
    return o;
}

namespace {

QColor WithAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

// The mouse's shell: a rounded front, sides that widen towards the palm and a full back.
Outline MouseBody() {
    Outline o;
    o.MoveTo(128, 40)
        .CubicTo(162, 40, 180, 62, 182, 100)
        .CubicTo(185, 142, 182, 188, 162, 206)
        .CubicTo(148, 218, 108, 218, 94, 206)
        .CubicTo(74, 188, 71, 142, 74, 100)
        .CubicTo(76, 62, 94, 40, 128, 40)
        .Close();
    return o;
}

// The light strip that runs round the back half of the shell, as on the skin's mouse.
Outline LightStrip() {
    Outline o;
    o.MoveTo(85, 128)
        .CubicTo(84, 160, 87, 184, 102, 197)
        .CubicTo(114, 206, 142, 206, 154, 197)
        .CubicTo(169, 184, 172, 160, 171, 128);
    return o;
}

// The seam under the two buttons and the split between them.
Outline ButtonSeam() {
    Outline o;
    o.MoveTo(76, 104).CubicTo(104, 116, 152, 116, 180, 104);
    return o;
}

Outline ButtonSplit() {
    Outline o;
    o.MoveTo(128, 44).LineTo(128, 110);
    return o;
}

}  // namespace

std::vector<Layer> AppIconLayers() {
    const skinpainter::Palette& pal = skinpainter::DefaultPalette();
    std::vector<Layer> layers;

    Layer tile;
    tile.outline = Outline::RoundedRect(QRectF(16, 16, 224, 224), 44);
    tile.gradient = VerticalGradient{pal.panel0.lighter(115), pal.base1, 16, 240};
    tile.stroke = pal.border;
    tile.strokeWidth = 4;
    layers.push_back(tile);

    Layer halo;  // a faint glow round the shell
    halo.outline = MouseBody();
    halo.stroke = WithAlpha(pal.accent, 46);
    halo.strokeWidth = 18;
    layers.push_back(halo);

    Layer body;
    body.outline = MouseBody();
    body.gradient = VerticalGradient{QColor(0x4a, 0x54, 0x5f), pal.panel1, 40, 214};
    body.stroke = pal.accent;
    body.strokeWidth = 6;
    layers.push_back(body);

    Layer seam;
    seam.outline = ButtonSeam();
    seam.stroke = pal.base1;
    seam.strokeWidth = 5;
    layers.push_back(seam);

    Layer split;
    split.outline = ButtonSplit();
    split.stroke = pal.base1;
    split.strokeWidth = 5;
    layers.push_back(split);

    Layer stripGlow;
    stripGlow.outline = LightStrip();
    stripGlow.stroke = WithAlpha(pal.accent, 64);
    stripGlow.strokeWidth = 13;
    layers.push_back(stripGlow);

    Layer strip;
    strip.outline = LightStrip();
    strip.stroke = pal.accentBright;
    strip.strokeWidth = 5;
    layers.push_back(strip);

    Layer wheelGlow;
    wheelGlow.outline = Outline::RoundedRect(QRectF(114, 56, 28, 44), 14);
    wheelGlow.fill = WithAlpha(pal.accent, 70);
    layers.push_back(wheelGlow);

    Layer wheel;
    wheel.outline = Outline::RoundedRect(QRectF(119, 61, 18, 34), 9);
    wheel.fill = pal.accentBright;
    layers.push_back(wheel);

    return layers;
}

}  // namespace quarten::iconpainter
