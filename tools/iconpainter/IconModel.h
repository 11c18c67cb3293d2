// The icon as a list of painted outlines, so that the SVG and the PNGs come from one drawing.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <optional>
#include <vector>

namespace quarten::iconpainter {

// The drawing's coordinates: a 256 x 256 square, scaled to each output size.
inline constexpr double kCanvas = 256;

// A closed or open outline made of straight and cubic segments only: both writers express
// those exactly, so the vector icon and the pixel icons cannot drift apart.
class Outline {
public:
    struct Op {
        enum Kind { Move, Line, Cubic, Close } kind;
        QPointF a, b, c;  // Move/Line: a; Cubic: control a, control b, end c
    };

    Outline& MoveTo(double x, double y);
    Outline& LineTo(double x, double y);
    Outline& CubicTo(double x1, double y1, double x2, double y2, double x, double y);
    Outline& Close();
    static Outline RoundedRect(const QRectF& rect, double radius);

    const std::vector<Op>& Ops() const { return ops_; }

private:
    std::vector<Op> ops_;
};

// A vertical gradient between two colours, from y0 (top) to y1 (bottom).
struct VerticalGradient {
    QColor top, bottom;
    double y0, y1;
};

// One painted outline: filled (flat or with a gradient), stroked, or both. Translucency is
// the colours' own alpha.
struct Layer {
    Outline outline;
    std::optional<QColor> fill;
    std::optional<VerticalGradient> gradient;
    std::optional<QColor> stroke;
    double strokeWidth = 0;
};

// The QUARTEN application icon, bottom layer first.
std::vector<Layer> AppIconLayers();

}  // namespace quarten::iconpainter
