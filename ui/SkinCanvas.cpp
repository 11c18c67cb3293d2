#include "ui/SkinCanvas.h"

#include <QFontMetrics>
#include <QPainter>

namespace quarten {

QRect ToQRect(const layout::Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

void SkinCanvas::SetSkin(const QString& folder, QColor textColour, QFont normal, QFont heading) {
    folder_ = folder;
    textColour_ = textColour;
    normal_ = std::move(normal);
    heading_ = std::move(heading);
}

void SkinCanvas::Resize(QSize size) {
    canvas_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
    canvas_.fill(Qt::black);
}

bool SkinCanvas::Reset(std::string_view background) {
    if (canvas_.isNull()) return false;
    background_ = std::string(background);
    canvas_.fill(Qt::black);
    return Draw(background, 0, 0);
}

void SkinCanvas::Restore(const layout::Rect& rect) {
    if (canvas_.isNull() || background_.empty()) return;
    // Controls are translucent at their edges: a redraw over the old look would leave it
    // shining through, so the page's background goes back under the control first.
    QPainter painter(&canvas_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(ToQRect(rect), Qt::black);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QImage background = images_.Load(
        folder_ + "/" + QString::fromUtf8(background_.data(), static_cast<int>(background_.size())));
    if (!background.isNull()) painter.drawImage(ToQRect(rect), background, ToQRect(rect));
}

bool SkinCanvas::Control(std::string_view image, const layout::Rect& at) {
    Restore(at);
    return Draw(image, at);
}

bool SkinCanvas::Draw(std::string_view image, int x, int y) {
    const QString path =
        folder_ + "/" + QString::fromUtf8(image.data(), static_cast<int>(image.size()));
    return images_.Draw(canvas_, path, x, y);
}

void SkinCanvas::Text(const layout::Rect& rect, const QString& text, int flags,
                      const QFont& font, QColor colour) {
    if (canvas_.isNull()) return;
    QPainter painter(&canvas_);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(ToQRect(rect), flags | Qt::TextSingleLine, text);
}

void SkinCanvas::Fill(const layout::Rect& rect, QColor colour) {
    if (canvas_.isNull()) return;
    QPainter painter(&canvas_);
    painter.fillRect(ToQRect(rect), colour);
}

void SkinCanvas::Notice(const layout::Rect& rect, const QString& text) {
    if (canvas_.isNull()) return;
    QPainter painter(&canvas_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF panel = QRectF(ToQRect(rect)).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(textColour_, 1.5));
    painter.setBrush(QColor(12, 12, 14, 235));
    painter.drawRoundedRect(panel, 5, 5);
    const QRect inside = ToQRect(rect).adjusted(10, 4, -10, -4);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    QFont font = normal_;
    for (int size = font.pixelSize(); size > 8; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).boundingRect(inside, flags, text).height() <= inside.height()) break;
    }
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(inside, flags, text);
}

void SkinCanvas::TextButton(const layout::Rect& rect, const QString& label, bool over,
                            QColor colour) {
    Control(over ? layout::image::kButtonOver : layout::image::kButtonNormal, rect);
    Text(rect, label, Qt::AlignCenter, normal_, colour.isValid() ? colour : textColour_);
}

void SkinCanvas::DropdownBox(const layout::Rect& rect, const QString& number,
                             const QString& text, bool over) {
    Control(over ? layout::image::kDropdownOver : layout::image::kDropdownNormal, rect);
    const layout::Rect numberRect{rect.left + 6, rect.top, rect.left + 20, rect.bottom};
    const layout::Rect textRect{rect.left + 20, rect.top, rect.right, rect.bottom};
    Text(numberRect, number, Qt::AlignLeft | Qt::AlignVCenter, normal_, textColour_);
    Text(textRect, text, Qt::AlignLeft | Qt::AlignVCenter, normal_, textColour_);
}

}  // namespace quarten
