// The page canvas and the skinned drawing primitives every page and dialog uses.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <string>
#include <string_view>

#include "ui/SkinImages.h"
#include "ui/layout/SkinLayout.h"

namespace quarten {

QRect ToQRect(const layout::Rect& r);

class SkinCanvas {
public:
    SkinCanvas(SkinImages& images) : images_(images) {}

    // The skin folder images come from, and the colour and fonts texts are drawn with.
    void SetSkin(const QString& folder, QColor textColour, QFont normal, QFont heading);
    const QString& Folder() const { return folder_; }
    QColor TextColour() const { return textColour_; }
    const QFont& NormalFont() const { return normal_; }
    const QFont& HeadingFont() const { return heading_; }

    // Starts the canvas over from a page background; false when the background is missing
    // (the canvas then keeps its size and is cleared, so the window stays usable).
    bool Reset(std::string_view background);
    QImage& Image() { return canvas_; }
    const QImage& Image() const { return canvas_; }
    QSize Size() const { return canvas_.size(); }
    void Resize(QSize size);

    bool Draw(std::string_view image, int x, int y);
    bool Draw(std::string_view image, const layout::Rect& at) { return Draw(image, at.left, at.top); }
    // Puts the page background back under the rectangle, then draws the control image there:
    // for looks that change in place (hover, ticks), so no earlier look shows through.
    bool Control(std::string_view image, const layout::Rect& at);
    void Restore(const layout::Rect& rect);
    // One line of text in the rectangle; flags are Qt alignment flags.
    void Text(const layout::Rect& rect, const QString& text, int flags, const QFont& font,
              QColor colour);
    void Text(const layout::Rect& rect, std::string_view utf8, int flags = Qt::AlignCenter) {
        Text(rect, QString::fromUtf8(utf8.data(), static_cast<int>(utf8.size())), flags, normal_,
             textColour_);
    }
    void Fill(const layout::Rect& rect, QColor colour);
    // A notice that must stand out from the page: a dark panel framed in the text colour,
    // the text wrapped inside it and shrunk until it fits.
    void Notice(const layout::Rect& rect, const QString& text);
    // A text button: normal or over image at the rectangle's corner, label centred.
    void TextButton(const layout::Rect& rect, const QString& label, bool over,
                    QColor colour = QColor());
    // A dropdown box: image, number in the first 20 pixels, text after it.
    void DropdownBox(const layout::Rect& rect, const QString& number, const QString& text,
                     bool over);

private:
    SkinImages& images_;
    QString folder_;
    QColor textColour_{0, 255, 0};
    QFont normal_;
    QFont heading_;
    QImage canvas_;
    std::string background_;  // the image the canvas was last reset from
};

}  // namespace quarten
