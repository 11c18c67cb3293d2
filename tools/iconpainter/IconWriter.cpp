#include "tools/iconpainter/IconWriter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace quarten::iconpainter {
namespace {

// Coordinates with at most two decimals and no trailing zeros, so the SVG stays readable.
QString Num(double v) {
    QString text = QString::number(v, 'f', 2);
    while (text.endsWith('0')) text.chop(1);
    if (text.endsWith('.')) text.chop(1);
    return text == "-0" ? QStringLiteral("0") : text;
}

QString Point(const QPointF& p) { return Num(p.x()) + ' ' + Num(p.y()); }

QString PathData(const Outline& outline) {
    QStringList parts;
    for (const Outline::Op& op : outline.Ops()) {
        switch (op.kind) {
            case Outline::Op::Move:
                parts << "M " + Point(op.a);
                break;
            case Outline::Op::Line:
                parts << "L " + Point(op.a);
                break;
            case Outline::Op::Cubic:
                parts << "C " + Point(op.a) + ' ' + Point(op.b) + ' ' + Point(op.c);
                break;
            case Outline::Op::Close:
                parts << QStringLiteral("Z");
                break;
        }
    }
    return parts.join(' ');
}

QString Colour(const QColor& c) { return c.name(QColor::HexRgb); }

// The colour as SVG attributes: its RGB, and its alpha when it is translucent.
QString Paint(const char* what, const QColor& c) {
    QString text = QStringLiteral(" %1=\"%2\"").arg(what, Colour(c));
    if (c.alpha() != 255) {
        text += QStringLiteral(" %1-opacity=\"%2\"").arg(what, Num(c.alpha() / 255.0));
    }
    return text;
}

QPainterPath ToPath(const Outline& outline) {
    QPainterPath path;
    for (const Outline::Op& op : outline.Ops()) {
        switch (op.kind) {
            case Outline::Op::Move:
                path.moveTo(op.a);
                break;
            case Outline::Op::Line:
                path.lineTo(op.a);
                break;
            case Outline::Op::Cubic:
                path.cubicTo(op.a, op.b, op.c);
                break;
            case Outline::Op::Close:
                path.closeSubpath();
                break;
        }
    }
    return path;
}

}  // namespace

QString SvgText(const std::vector<Layer>& layers) {
    QString defs;
    QString body;
    int gradients = 0;
    for (const Layer& layer : layers) {
        QString attributes;
        if (layer.gradient) {
            const QString id = QStringLiteral("shade%1").arg(++gradients);
            const VerticalGradient& g = *layer.gradient;
            defs += QStringLiteral(
                        "    <linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" "
                        "x1=\"0\" y1=\"%2\" x2=\"0\" y2=\"%3\">\n"
                        "      <stop offset=\"0\" stop-color=\"%4\"/>\n"
                        "      <stop offset=\"1\" stop-color=\"%5\"/>\n"
                        "    </linearGradient>\n")
                        .arg(id, Num(g.y0), Num(g.y1), Colour(g.top), Colour(g.bottom));
            attributes += QStringLiteral(" fill=\"url(#%1)\"").arg(id);
        } else if (layer.fill) {
            attributes += Paint("fill", *layer.fill);
        } else {
            attributes += QStringLiteral(" fill=\"none\"");
        }
        if (layer.stroke) {
            attributes += Paint("stroke", *layer.stroke);
            attributes += QStringLiteral(
                              " stroke-width=\"%1\" stroke-linecap=\"round\" "
                              "stroke-linejoin=\"round\"")
                              .arg(Num(layer.strokeWidth));
        }
        body += QStringLiteral("  <path d=\"%1\"%2/>\n").arg(PathData(layer.outline), attributes);
    }
    const QString size = Num(kCanvas);
    QString svg = QStringLiteral(
                      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                      "viewBox=\"0 0 %1 %1\">\n")
                      .arg(size);
    if (!defs.isEmpty()) svg += "  <defs>\n" + defs + "  </defs>\n";
    return svg + body + "</svg>\n";
}

QImage Render(const std::vector<Layer>& layers, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kCanvas, size / kCanvas);
    for (const Layer& layer : layers) {
        const QPainterPath path = ToPath(layer.outline);
        if (layer.gradient) {
            const VerticalGradient& g = *layer.gradient;
            QLinearGradient shade(0, g.y0, 0, g.y1);
            shade.setColorAt(0, g.top);
            shade.setColorAt(1, g.bottom);
            p.fillPath(path, shade);
        } else if (layer.fill) {
            p.fillPath(path, *layer.fill);
        }
        if (layer.stroke) {
            p.strokePath(path, QPen(*layer.stroke, layer.strokeWidth, Qt::SolidLine, Qt::RoundCap,
                                    Qt::RoundJoin));
        }
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace quarten::iconpainter
