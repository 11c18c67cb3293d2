// Dialog backgrounds: a common frame (surface, title strip with the dialog's symbol, button
// strip) and, per dialog, the fields, boxes and plates under its drawn texts and controls.
#include <QLinearGradient>
#include <QPainterPath>

#include "tools/skinpainter/Glyphs.h"
#include "tools/skinpainter/PaintKit.h"
#include "tools/skinpainter/SkinPainter.h"

namespace quarten::skinpainter {

namespace img = layout::image;

namespace {

constexpr int kTitleHeight = 30;
// Dialog lists, edit fields and text fields show white text on this grey.
const QColor kFieldGrey(40, 40, 40);

void DrawBox(QPainter& p, const layout::Rect& box, const Palette& pal) {
    DrawField(p, ToQRect(box), kFieldGrey, pal, true, layout::kBoxArrowWidth);
}

void DrawTextField(QPainter& p, const layout::Rect& field, const Palette& pal) {
    DrawField(p, ToQRect(field), kFieldGrey, pal);
}

// A soft plate under a line of prompt text.
void DrawPromptPlate(QPainter& p, const layout::Rect& r, const Palette& pal) {
    const QRectF box(ToQRect(r));
    QLinearGradient g(box.topLeft(), box.topRight());
    g.setColorAt(0.0, WithAlpha(pal.accentDeep, 0));
    g.setColorAt(0.5, WithAlpha(pal.accentDeep, 110));
    g.setColorAt(1.0, WithAlpha(pal.accentDeep, 0));
    p.fillRect(box, g);
    DrawFadingLine(p, box.left(), box.right(), box.bottom() - 0.5, WithAlpha(pal.accent, 110), 1.0);
}

// A large, faint symbol in an empty part of a dialog.
template <typename Glyph>
void DrawWatermark(QPainter& p, const QRectF& r, const Palette& pal, Glyph glyph) {
    DrawGlow(p, r.center(), r.width() * 0.75, WithAlpha(pal.accent, 26));
    glyph(p, r, WithAlpha(pal.accent, 60));
}

void DrawTitleSymbol(QPainter& p, std::string_view background, const QRectF& r,
                     const Palette& pal) {
    const QColor ink = pal.accentBright;
    if (background == img::kSkinsDialog) {
        GlyphPalette(p, r, ink, {pal.accent, QColor(0xff, 0xb0, 0x20), QColor(0xe0, 0x40, 0xc0),
                                 QColor(0x40, 0x90, 0xff)});
    } else if (background == img::kSingleKeyDialog) {
        GlyphKeycap(p, r, ink);
    } else if (background == img::kComboKeyDialog) {
        GlyphKeycap(p, QRectF(r.left() - 3, r.top() + 3, r.width() * 0.65, r.height() * 0.65), ink);
        GlyphKeycap(p, QRectF(r.left() + r.width() * 0.45, r.top() + 3, r.width() * 0.65,
                              r.height() * 0.65),
                    ink);
    } else if (background == img::kWindowsKeyDialog) {
        GlyphWindowGrid(p, r.adjusted(2, 2, -2, -2), ink);
    } else if (background == img::kMediaKeyDialog) {
        GlyphNote(p, r, ink);
    } else if (background == img::kFireKeyDialog) {
        GlyphCrosshair(p, r, ink);
    } else if (background == img::kMacroKeyDialog) {
        GlyphLoop(p, r, ink);
    } else if (background == img::kDelayTimeDialog) {
        GlyphClock(p, r, ink);
    }
}

void DrawContents(QPainter& p, const layout::DialogLayout& d, const Palette& pal) {
    const std::string_view bg = d.background;
    const int w = d.frame.size.width;
    if (bg == img::kSkinsDialog) {
        namespace s = layout::skins;
        DrawPromptPlate(p, s::kPrompt, pal);
        const QRect swatch = ToQRect(s::kSwatch);
        p.setPen(QPen(Mix(pal.border, Qt::white, 0.3), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(swatch).adjusted(-1.5, -1.5, 0.5, 0.5));
        DrawField(p, ToQRect(s::kSkinBox), kFieldGrey, pal, true,
                  s::kSkinBox.right - s::kSkinName.right - 1);
        DrawPanel(p, QRect(198, 46, w - 212, 190), pal);
        // Colour chips fanned out like a swatch book.
        const QColor chips[] = {pal.accent, QColor(0xff, 0xb0, 0x20), QColor(0xe0, 0x40, 0xc0),
                                QColor(0x40, 0x90, 0xff), QColor(0x40, 0xe0, 0x70)};
        for (int i = 0; i < 5; ++i) {
            p.save();
            p.translate(w - 120, 200);
            p.rotate(-48 + i * 20);
            const QRectF chip(-9, -120, 18, 104);
            p.setPen(QPen(QColor(0, 0, 0, 180), 1));
            p.setBrush(Mix(pal.panel0, Qt::white, 0.06));
            p.drawRoundedRect(chip, 4, 4);
            p.setPen(Qt::NoPen);
            p.setBrush(chips[i]);
            p.drawRoundedRect(chip.adjusted(3, 3, -3, -60), 2, 2);
            p.setBrush(WithAlpha(chips[i], 110));
            p.drawRoundedRect(chip.adjusted(3, 48, -3, -38), 2, 2);
            p.restore();
        }
        p.setPen(QPen(pal.accentBright, 1.5));
        p.setBrush(pal.base1);
        p.drawEllipse(QPointF(w - 120, 200), 5, 5);
    } else if (bg == img::kSingleKeyDialog) {
        namespace s = layout::single_key;
        DrawPromptPlate(p, s::kPrompt, pal);
        DrawTextField(p, s::kKeyField, pal);
        const QRect field = ToQRect(s::kKeyField);
        GlyphKeycap(p, QRectF(field.left() - 34, field.top() - 1, 24, 24),
                    WithAlpha(pal.accent, 200));
        GlyphKeycap(p, QRectF(field.right() + 10, field.top() - 1, 24, 24),
                    WithAlpha(pal.accent, 200));
    } else if (bg == img::kWindowsKeyDialog || bg == img::kMediaKeyDialog) {
        const bool windows = bg == img::kWindowsKeyDialog;
        const layout::Rect box = windows ? layout::windows_key::kBox : layout::media_key::kBox;
        DrawBox(p, box, pal);
        const int freeTop = box.bottom + 16;
        const int freeBottom = d.frame.ok.top - 12;
        const double side = std::min(freeBottom - freeTop, 110);
        const QRectF mark(w / 2.0 - side / 2, freeTop + (freeBottom - freeTop - side) / 2, side,
                          side);
        if (windows) {
            DrawWatermark(p, mark.adjusted(side * 0.2, side * 0.2, -side * 0.2, -side * 0.2), pal,
                          GlyphWindowGrid);
        } else {
            DrawWatermark(p, mark.adjusted(side * 0.15, side * 0.1, -side * 0.15, -side * 0.1),
                          pal, GlyphNote);
        }
    } else if (bg == img::kComboKeyDialog) {
        namespace s = layout::combo_key;
        DrawPanel(p, Inflated(ToQRect(s::kModifierBox).united(ToQRect(s::kKey2Field)), 10), pal);
        DrawBox(p, s::kModifierBox, pal);
        DrawTextField(p, s::kKey1Field, pal);
        DrawTextField(p, s::kKey2Field, pal);
        const double y = ToQRect(s::kKey1Field).center().y() + 0.5;
        for (double x : {(s::kModifierBox.right + s::kKey1Field.left) / 2.0,
                         (s::kKey1Field.right + s::kKey2Field.left) / 2.0}) {
            GlyphPlus(p, QRectF(x - 5, y - 5, 10, 10), pal.accentBright, 2.0);
        }
        DrawWatermark(p, QRectF(w / 2.0 - 60, 116, 50, 50), pal, GlyphKeycap);
        DrawWatermark(p, QRectF(w / 2.0 + 10, 116, 50, 50), pal, GlyphKeycap);
    } else if (bg == img::kFireKeyDialog) {
        namespace s = layout::fire_key;
        DrawBox(p, s::kBox, pal);
        DrawTextField(p, s::kSpeedField, pal);
        DrawTextField(p, s::kTimesField, pal);
        for (const auto& t : {s::kSpeedText, s::kTimesText}) {
            p.fillRect(QRectF(t.left - 7, (t.top + t.bottom) / 2.0 - 1.5, 3, 3), pal.accent);
        }
        const QRect notes = ToQRect(s::kIllustrationHeading).united(ToQRect(s::kIllustrationLine2));
        DrawPanel(p, notes.adjusted(-10, -6, 10, 8), pal);
        DrawHeadingPlate(p, ToQRect(s::kIllustrationHeading).adjusted(-4, 0, -380, 0), pal);
        DrawWatermark(p, QRectF(w - 110, 40, 36, 36), pal, GlyphCrosshair);
    } else if (bg == img::kMacroKeyDialog) {
        namespace s = layout::macro_key;
        DrawPromptPlate(p, s::kPrompt, pal);
        DrawBox(p, s::kBox, pal);
        const QRect modes = ToQRect(s::ModeBox(1)).united(ToQRect(s::ModeText(3)));
        DrawPanel(p, modes.adjusted(-8, -6, 6, 6), pal);
        for (int m = 1; m <= 3; ++m) {
            const QRect box = ToQRect(s::ModeBox(m));
            p.setPen(QPen(WithAlpha(pal.accent, 90), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(box).adjusted(-1.5, -1.5, 0.5, 0.5));
        }
        DrawWatermark(p, QRectF(w - 90, 54, 40, 40), pal, GlyphLoop);
    } else if (bg == img::kDelayTimeDialog) {
        namespace s = layout::delay_time;
        DrawPromptPlate(p, s::kPrompt, pal);
        DrawTextField(p, s::kField, pal);
        const QRect field = ToQRect(s::kField);
        DrawWatermark(p, QRectF(field.left() - 46, field.top() - 4, 30, 30), pal, GlyphClock);
        DrawWatermark(p, QRectF(field.right() + 16, field.top() - 4, 30, 30), pal, GlyphClock);
    }
}

}  // namespace

QImage PaintDialog(const layout::DialogLayout& d, const Palette& pal) {
    QImage image = NewImage(d.frame.size, false);
    QPainter p(&image);
    Prepare(p);
    const QRect all = image.rect();
    FillSurface(p, all, pal);
    DrawTitleStrip(p, all.width(), kTitleHeight, pal);
    DrawTitleSymbol(p, d.background, QRectF(14, 6, 18, 18), pal);
    DrawGroove(p, Inflated(ToQRect(d.frame.close), 3), pal, 11);
    const QRect strip(2, d.frame.ok.top - 9, all.width() - 4, all.height() - d.frame.ok.top + 7);
    DrawBottomStrip(p, strip, pal);
    DrawGroove(p, Inflated(ToQRect(d.frame.ok).united(ToQRect(d.frame.cancel)), 3), pal, 6);
    DrawContents(p, d, pal);
    DrawCornerBrackets(p, QRectF(all).adjusted(3.5, 3.5, -3.5, -3.5), WithAlpha(pal.accent, 200),
                       12, 1.6);
    return image;
}

}  // namespace quarten::skinpainter
