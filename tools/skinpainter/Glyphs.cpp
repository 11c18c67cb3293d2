// The icon shapes. Each fits its rectangle and uses round caps so it stays crisp when small.
#include "tools/skinpainter/Glyphs.h"

#include <algorithm>

#include <QPainterPath>

namespace quarten::skinpainter {

namespace {
QPen Stroke(const QColor& c, double width) {
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}
}  // namespace

void GlyphCross(QPainter& p, const QRectF& r, const QColor& c, double width) {
    p.setPen(Stroke(c, width));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void GlyphMinus(QPainter& p, const QRectF& r, const QColor& c, double width) {
    p.setPen(Stroke(c, width));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
}

void GlyphChevron(QPainter& p, const QRectF& r, const QColor& c, double width, bool right) {
    p.setPen(Stroke(c, width));
    p.setBrush(Qt::NoBrush);
    const double tip = right ? r.right() : r.left();
    const double back = right ? r.left() : r.right();
    p.drawPolyline(
        QPolygonF({{back, r.top()}, {tip, r.center().y()}, {back, r.bottom()}}));
}

void GlyphTick(QPainter& p, const QRectF& r, const QColor& c, double width) {
    p.setPen(Stroke(c, width));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{r.left(), r.top() + r.height() * 0.55},
                              {r.left() + r.width() * 0.38, r.bottom()},
                              {r.right(), r.top()}}));
}

void GlyphPalette(QPainter& p, const QRectF& r, const QColor& outline,
                  const std::initializer_list<QColor>& dots) {
    QPainterPath body;
    body.addEllipse(r);
    QPainterPath thumb;
    const double t = r.width() * 0.2;
    thumb.addEllipse(QPointF(r.left() + r.width() * 0.62, r.top() + r.height() * 0.72), t, t);
    QPainterPath notch;
    notch.addEllipse(QPointF(r.right(), r.bottom()), r.width() * 0.28, r.height() * 0.28);
    const QPainterPath shape = body.subtracted(thumb).subtracted(notch);
    p.setPen(Stroke(outline, std::max(1.0, r.width() / 10)));
    p.setBrush(QColor(outline.red(), outline.green(), outline.blue(), 40));
    p.drawPath(shape);
    const double d = r.width() * 0.12;
    const QPointF spots[] = {{r.left() + r.width() * 0.28, r.top() + r.height() * 0.35},
                             {r.left() + r.width() * 0.5, r.top() + r.height() * 0.2},
                             {r.left() + r.width() * 0.74, r.top() + r.height() * 0.33},
                             {r.left() + r.width() * 0.3, r.top() + r.height() * 0.66}};
    int i = 0;
    p.setPen(Qt::NoPen);
    for (const QColor& dot : dots) {
        if (i >= 4) break;
        p.setBrush(dot);
        p.drawEllipse(spots[i++], d, d);
    }
}

void GlyphGlobe(QPainter& p, const QRectF& r, const QColor& c) {
    p.setPen(Stroke(c, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(r);
    p.drawEllipse(r.adjusted(r.width() * 0.28, 0, -r.width() * 0.28, 0));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
}

void GlyphKeycap(QPainter& p, const QRectF& r, const QColor& c) {
    p.setPen(Stroke(c, 1.5));
    p.setBrush(QColor(c.red(), c.green(), c.blue(), 40));
    p.drawRoundedRect(r, r.width() * 0.18, r.width() * 0.18);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(r.width() * 0.16, r.height() * 0.12, -r.width() * 0.16,
                                 -r.height() * 0.28),
                      r.width() * 0.1, r.width() * 0.1);
}

void GlyphPlus(QPainter& p, const QRectF& r, const QColor& c, double width) {
    p.setPen(Stroke(c, width));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
}

void GlyphWindowGrid(QPainter& p, const QRectF& r, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const double g = r.width() * 0.08;
    const double w = (r.width() - g) / 2, h = (r.height() - g) / 2;
    p.drawRect(QRectF(r.left(), r.top(), w, h));
    p.drawRect(QRectF(r.left() + w + g, r.top(), w, h));
    p.drawRect(QRectF(r.left(), r.top() + h + g, w, h));
    p.drawRect(QRectF(r.left() + w + g, r.top() + h + g, w, h));
}

void GlyphNote(QPainter& p, const QRectF& r, const QColor& c) {
    const double hr = r.width() * 0.18;
    const QPointF head1(r.left() + hr, r.bottom() - hr);
    const QPointF head2(r.right() - hr, r.bottom() - hr * 1.6);
    p.setPen(Stroke(c, std::max(1.4, r.width() / 12)));
    p.drawLine(head1 + QPointF(hr, 0), QPointF(head1.x() + hr, r.top() + r.height() * 0.15));
    p.drawLine(head2 + QPointF(hr, 0), QPointF(head2.x() + hr, r.top()));
    p.setPen(Stroke(c, std::max(2.0, r.width() / 7)));
    p.drawLine(QPointF(head1.x() + hr, r.top() + r.height() * 0.15),
               QPointF(head2.x() + hr, r.top()));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(head1, hr * 1.1, hr * 0.85);
    p.drawEllipse(head2, hr * 1.1, hr * 0.85);
}

void GlyphCrosshair(QPainter& p, const QRectF& r, const QColor& c) {
    p.setPen(Stroke(c, 1.5));
    p.setBrush(Qt::NoBrush);
    const QPointF m = r.center();
    const double rad = r.width() / 2;
    p.drawEllipse(m, rad * 0.62, rad * 0.62);
    p.drawLine(QPointF(m.x(), r.top()), QPointF(m.x(), m.y() - rad * 0.3));
    p.drawLine(QPointF(m.x(), r.bottom()), QPointF(m.x(), m.y() + rad * 0.3));
    p.drawLine(QPointF(r.left(), m.y()), QPointF(m.x() - rad * 0.3, m.y()));
    p.drawLine(QPointF(r.right(), m.y()), QPointF(m.x() + rad * 0.3, m.y()));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(m, rad * 0.12, rad * 0.12);
}

void GlyphLoop(QPainter& p, const QRectF& r, const QColor& c) {
    const double w = std::max(1.5, r.width() / 10);
    p.setPen(Stroke(c, w));
    p.setBrush(Qt::NoBrush);
    const QRectF ring = r.adjusted(w, w, -w, -w);
    p.drawArc(ring, 30 * 16, 150 * 16);
    p.drawArc(ring, 210 * 16, 150 * 16);
    // Arrow heads at the end of each arc.
    const double a = r.width() * 0.16;
    const QPointF e1(ring.left(), ring.center().y());
    const QPointF e2(ring.right(), ring.center().y());
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({e1 + QPointF(-a, -a * 0.2), e1 + QPointF(a, -a * 0.2),
                             e1 + QPointF(0, a)}));
    p.drawPolygon(QPolygonF({e2 + QPointF(-a, a * 0.2), e2 + QPointF(a, a * 0.2),
                             e2 + QPointF(0, -a)}));
}

void GlyphClock(QPainter& p, const QRectF& r, const QColor& c) {
    p.setPen(Stroke(c, 1.5));
    p.setBrush(Qt::NoBrush);
    const QRectF face = r.adjusted(0, r.height() * 0.12, 0, 0);
    const QRectF round(face.center().x() - face.height() / 2, face.top(), face.height(),
                       face.height());
    p.drawEllipse(round);
    const QPointF m = round.center();
    p.drawLine(m, QPointF(m.x(), round.top() + round.height() * 0.2));
    p.drawLine(m, QPointF(m.x() + round.width() * 0.25, m.y() + round.height() * 0.1));
    p.drawLine(QPointF(m.x() - round.width() * 0.12, r.top()),
               QPointF(m.x() + round.width() * 0.12, r.top()));
}

void GlyphPointer(QPainter& p, const QRectF& r, const QColor& c) {
    QPainterPath arrow;
    const double w = r.width(), h = r.height();
    arrow.moveTo(r.left() + w * 0.2, r.top());
    arrow.lineTo(r.left() + w * 0.2, r.top() + h * 0.78);
    arrow.lineTo(r.left() + w * 0.38, r.top() + h * 0.62);
    arrow.lineTo(r.left() + w * 0.52, r.top() + h * 0.95);
    arrow.lineTo(r.left() + w * 0.63, r.top() + h * 0.9);
    arrow.lineTo(r.left() + w * 0.5, r.top() + h * 0.58);
    arrow.lineTo(r.left() + w * 0.74, r.top() + h * 0.58);
    arrow.closeSubpath();
    p.setPen(Stroke(c, 1.5));
    p.setBrush(QColor(c.red(), c.green(), c.blue(), 50));
    p.drawPath(arrow);
}

void GlyphWheel(QPainter& p, const QRectF& r, const QColor& c) {
    const QRectF wheel(r.center().x() - r.width() * 0.18, r.top() + r.height() * 0.18,
                       r.width() * 0.36, r.height() * 0.64);
    p.setPen(Stroke(c, 1.5));
    p.setBrush(QColor(c.red(), c.green(), c.blue(), 40));
    p.drawRoundedRect(wheel, wheel.width() / 2, wheel.width() / 2);
    for (int i = 1; i <= 3; ++i) {
        const double y = wheel.top() + wheel.height() * i / 4.0;
        p.drawLine(QPointF(wheel.left() + 3, y), QPointF(wheel.right() - 3, y));
    }
    // Scroll arrows above and below the wheel.
    p.drawPolyline(QPolygonF({{r.center().x() - 5, r.top() + 5}, {r.center().x(), r.top()},
                              {r.center().x() + 5, r.top() + 5}}));
    p.drawPolyline(QPolygonF({{r.center().x() - 5, r.bottom() - 5}, {r.center().x(), r.bottom()},
                              {r.center().x() + 5, r.bottom() - 5}}));
}

void GlyphDoubleClick(QPainter& p, const QRectF& r, const QColor& c) {
    GlyphPointer(p, r.adjusted(r.width() * 0.2, r.height() * 0.2, 0, 0), c);
    p.setPen(Stroke(c, 1.3));
    p.setBrush(Qt::NoBrush);
    const QPointF tip(r.left() + r.width() * 0.36, r.top() + r.height() * 0.2);
    p.drawArc(QRectF(tip.x() - 7, tip.y() - 7, 14, 14), 100 * 16, 120 * 16);
    p.drawArc(QRectF(tip.x() - 12, tip.y() - 12, 24, 24), 100 * 16, 120 * 16);
}

}  // namespace quarten::skinpainter
