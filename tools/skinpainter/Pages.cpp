// The two page backgrounds. Panels are placed from the layout's rectangles, so every
// heading, box and slider of a page sits on the panel of its section.
#include <cmath>
#include <initializer_list>

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainterPath>

#include "tools/skinpainter/Glyphs.h"
#include "tools/skinpainter/PaintKit.h"
#include "tools/skinpainter/SkinPainter.h"

namespace quarten::skinpainter {

namespace basic = layout::basic;
namespace advanced = layout::advanced;
namespace frame = layout::frame;

namespace {

constexpr int kTitleHeight = 30;
constexpr int kPanelTop = 150;
constexpr int kPanelBottom = 598;

QRect Union(std::initializer_list<layout::Rect> rects) {
    QRect out;
    for (const auto& r : rects) out = out.united(ToQRect(r));
    return out;
}

// The frame shared by both pages: surface, title strip, navigation plate and bottom strip.
void DrawFrame(QPainter& p, const Palette& pal) {
    const QRect all(0, 0, layout::kMainWindowSize.width, layout::kMainWindowSize.height);
    FillSurface(p, all, pal);
    DrawTitleStrip(p, all.width(), kTitleHeight, pal);
    DrawEmblem(p, QRectF(12, 4, 22, 22), pal);
    // Speed stripes running out of the emblem's tab.
    for (int i = 0; i < 3; ++i) {
        const double x = 86 + i * 9;
        QPainterPath stripe;
        stripe.moveTo(x, 8);
        stripe.lineTo(x + 5, 8);
        stripe.lineTo(x + 1, 22);
        stripe.lineTo(x - 4, 22);
        stripe.closeSubpath();
        p.fillPath(stripe, WithAlpha(pal.accent, 150 - i * 45));
    }
    // Plate behind the skins, minimise and close buttons.
    DrawGroove(p, Inflated(ToQRect(frame::kSkins), 3), pal, 11);
    DrawGroove(p, Inflated(Union({frame::kMinimise, frame::kClose}), 3), pal, 11);
    // Navigation: the two arrows on a plate, the page title beside them.
    const QRect nav = Inflated(Union({frame::kPrevPage, frame::kNextPage}), 5);
    DrawGroove(p, nav, pal, 24);
    const QRect title = ToQRect(frame::kPageTitle);
    DrawFadingLine(p, title.left() - 4, title.right() + 140, title.bottom() + 3.5,
                   WithAlpha(pal.accent, 200), 1.0);
    p.fillRect(QRectF(title.left(), title.bottom() + 2, 46, 3), pal.accent);
    const QRect bottom(2, 606, all.width() - 4, all.height() - 608);
    DrawBottomStrip(p, bottom, pal);
    const QRect buttons = Inflated(Union({frame::kOk, frame::kApply, frame::kCancel}), 4);
    DrawGroove(p, buttons, pal, 6);
    const QRect web = ToQRect(frame::kWebAddress);
    GlyphGlobe(p, QRectF(web.left() - 21.5, web.center().y() - 7.5, 15, 15),
               WithAlpha(pal.accent, 200));
    DrawFadingLine(p, web.left(), web.right(), web.bottom() + 0.5, WithAlpha(pal.accent, 90), 1.0);
}

// A top view of the mouse with a leader line from each of its buttons to that button's box.
void DrawMouse(QPainter& p, const QRect& panel, const Palette& pal) {
    const double cx = panel.center().x() - 6, top = 196, bottom = 560;
    const double half = 62;
    QPainterPath body;
    body.moveTo(cx, top);
    body.cubicTo(cx + half * 0.9, top, cx + half, top + 60, cx + half, top + 140);
    body.cubicTo(cx + half, bottom - 90, cx + half * 0.8, bottom, cx, bottom);
    body.cubicTo(cx - half * 0.8, bottom, cx - half, bottom - 90, cx - half, top + 140);
    body.cubicTo(cx - half, top + 60, cx - half * 0.9, top, cx, top);
    DrawGlow(p, QPointF(cx, (top + bottom) / 2), 150, WithAlpha(pal.accent, 34));
    QLinearGradient shell(cx - half, 0, cx + half, 0);
    shell.setColorAt(0.0, Mix(pal.panel1, Qt::black, 0.3));
    shell.setColorAt(0.45, Mix(pal.panel0, Qt::white, 0.08));
    shell.setColorAt(1.0, Mix(pal.panel1, Qt::black, 0.4));
    p.fillPath(body, shell);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Mix(pal.border, Qt::white, 0.25), 1.4));
    p.drawPath(body);
    // Accent light strip along both flanks.
    QPainterPath flank;
    flank.moveTo(cx - half + 7, top + 150);
    flank.cubicTo(cx - half + 7, bottom - 110, cx - half * 0.55, bottom - 22, cx, bottom - 12);
    flank.cubicTo(cx + half * 0.55, bottom - 22, cx + half - 7, bottom - 110, cx + half - 7,
                  top + 150);
    p.setPen(QPen(WithAlpha(pal.accent, 70), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(flank);
    p.setPen(QPen(pal.accentBright, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(flank);
    // Button split and the palm line.
    const QPen seam(QColor(0, 0, 0, 200), 1.6);
    p.setPen(seam);
    p.drawLine(QPointF(cx, top), QPointF(cx, top + 130));
    QPainterPath palm;
    palm.moveTo(cx - half + 1, top + 140);
    palm.quadTo(cx, top + 120, cx + half - 1, top + 140);
    p.drawPath(palm);
    // Wheel and the DPI button behind it.
    const QRectF wheel(cx - 7, top + 34, 14, 40);
    p.setPen(QPen(Mix(pal.border, Qt::white, 0.3), 1));
    QLinearGradient wg(wheel.topLeft(), wheel.bottomLeft());
    wg.setColorAt(0.0, pal.accentDeep);
    wg.setColorAt(0.5, pal.accent);
    wg.setColorAt(1.0, pal.accentDeep);
    p.setBrush(wg);
    p.drawRoundedRect(wheel, 6, 6);
    const QRectF dpi(cx - 5, top + 86, 10, 16);
    p.setBrush(Mix(pal.panel0, Qt::white, 0.15));
    p.drawRoundedRect(dpi, 3, 3);
    const QRectF light(cx - 5, top + 108, 10, 7);
    p.setBrush(pal.accent);
    p.drawRoundedRect(light, 2, 2);
    // Side buttons on the left flank.
    p.setBrush(Mix(pal.panel0, Qt::white, 0.12));
    const QRectF forward(cx - half - 4, top + 150, 8, 26);
    const QRectF backward(cx - half - 4, top + 182, 8, 26);
    p.drawRoundedRect(forward, 3, 3);
    p.drawRoundedRect(backward, 3, 3);

    // Leader lines: button k to the left end of key box k.
    const QPointF anchors[basic::kKeyBoxCount] = {
        {cx - 28, top + 40},          {cx + 28, top + 40}, wheel.center(),
        forward.center(),             backward.center(),   dpi.center(),
        light.center()};
    for (int k = 1; k <= basic::kKeyBoxCount; ++k) {
        const QRect box = ToQRect(basic::KeyBox(k));
        const QPointF a = anchors[k - 1];
        const QPointF end(box.left() - 3, box.center().y() + 0.5);
        const double elbow = panel.right() - 26 - (k - 1) * 3;
        QPainterPath line;
        line.moveTo(a);
        line.lineTo(elbow, a.y());
        line.lineTo(elbow + 10, end.y());
        line.lineTo(end);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(WithAlpha(pal.accent, 130), 1));
        p.drawPath(line);
        p.setPen(Qt::NoPen);
        p.setBrush(pal.accentBright);
        p.drawEllipse(a, 2.6, 2.6);
        p.drawEllipse(end, 1.8, 1.8);
    }
}

// A faint hexagon mesh in an otherwise empty part of a panel.
void DrawHexMesh(QPainter& p, const QRectF& area, const QColor& c) {
    p.save();
    p.setClipRect(area);
    p.setPen(QPen(c, 1));
    p.setBrush(Qt::NoBrush);
    const double r = 9, w = r * 1.732;
    for (int row = 0; row * r * 1.5 < area.height() + r; ++row) {
        for (int col = -1; col * w < area.width() + w; ++col) {
            const double x = area.left() + col * w + (row % 2 ? w / 2 : 0);
            const double y = area.top() + row * r * 1.5;
            QPolygonF hex;
            for (int i = 0; i < 6; ++i) {
                const double a = (60.0 * i + 30) * 3.14159265358979 / 180;
                hex << QPointF(x + r * std::cos(a), y + r * std::sin(a));
            }
            p.drawPolygon(hex);
        }
    }
    p.restore();
}

// A ring of the RGB spectrum: the lighting section's picture.
void DrawLightRing(QPainter& p, const QPointF& c, double r, const Palette& pal) {
    DrawGlow(p, c, r * 1.5, WithAlpha(pal.accent, 40));
    QConicalGradient spectrum(c, 90);
    const QColor stops[] = {QColor(255, 40, 60), QColor(255, 200, 30), QColor(40, 230, 90),
                            QColor(30, 210, 230), QColor(60, 90, 255), QColor(220, 50, 230),
                            QColor(255, 40, 60)};
    for (int i = 0; i < 7; ++i) spectrum.setColorAt(i / 6.0, WithAlpha(stops[i], 150));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(spectrum), 7, Qt::SolidLine, Qt::FlatCap));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(WithAlpha(pal.accentBright, 120), 1));
    p.drawEllipse(c, r - 9, r - 9);
    p.drawEllipse(c, r + 9, r + 9);
    for (int i = 0; i < 24; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 15);
        p.setPen(QPen(WithAlpha(pal.glyph, i % 2 ? 50 : 110), 1));
        p.drawLine(QPointF(r + 12, 0), QPointF(r + (i % 2 ? 15 : 18), 0));
        p.restore();
    }
    DrawEmblem(p, QRectF(c.x() - r * 0.45, c.y() - r * 0.45, r * 0.9, r * 0.9), pal);
}

}  // namespace

QImage PaintBasicPage(const Palette& pal) {
    QImage image = NewImage(layout::kMainWindowSize, false);
    QPainter p(&image);
    Prepare(p);
    DrawFrame(p, pal);

    QRect keys = Union({basic::kKeySettingHeading, basic::KeyBox(1), basic::kModeA,
                        basic::kModeB, basic::kKeyDefault});
    keys = keys.adjusted(-8, 0, 8, 0);
    keys.setTop(kPanelTop);
    keys.setBottom(kPanelBottom);
    const QRect mouse(20, kPanelTop, keys.left() - 26, kPanelBottom - kPanelTop + 1);
    QRect rate = Union({basic::kRateHeading, basic::RateSegment(1), basic::RateLabel(4)});
    rate = QRect(QPoint(keys.right() + 7, kPanelTop), QPoint(882, rate.bottom() + 10));
    QRect light = Union({basic::kLightHeading, basic::LightBox(0), basic::LightBox(2)});
    const int lowerTop = rate.bottom() + 7;
    const QRect dpi(QPoint(rate.left(), lowerTop), QPoint(light.left() - 8, kPanelBottom));
    light = QRect(QPoint(dpi.right() + 7, lowerTop), QPoint(882, kPanelBottom));
    for (const QRect& panel : {mouse, keys, rate, dpi, light}) DrawPanel(p, panel, pal);

    DrawMouse(p, mouse, pal);

    // Key setting: heading, box rail, the mode group and the default button.
    DrawHeadingPlate(p, ToQRect(basic::kKeySettingHeading), pal);
    const QRect boxes = Union({basic::KeyBox(1), basic::KeyBox(basic::kKeyBoxCount)});
    DrawGroove(p, Inflated(boxes, 3), pal, 5);
    DrawHexMesh(p, QRectF(keys.left() + 10, boxes.bottom() + 16, keys.width() - 20,
                          ToQRect(basic::kModeA).top() - boxes.bottom() - 32),
                WithAlpha(pal.accent, 22));
    DrawGroove(p, Inflated(Union({basic::kModeA, basic::kModeB}), 3), pal, 6);
    DrawGroove(p, Inflated(ToQRect(basic::kKeyDefault), 3), pal, 6);

    // Report rate: a track under the four positions with ticks between them.
    DrawHeadingPlate(p, ToQRect(basic::kRateHeading), pal);
    const QRect track = Inflated(Union({basic::RateSegment(1), basic::RateSegment(4)}), 3);
    p.fillRect(track, pal.field);
    DrawGroove(p, Inflated(track, 1), pal, 3);
    p.fillRect(track.adjusted(1, 1, -1, -1), pal.field);
    for (int pos = 1; pos <= basic::kRateCount; ++pos) {
        const QRect seg = ToQRect(basic::RateSegment(pos));
        p.setPen(QPen(WithAlpha(pal.accent, 150), 1));
        p.drawLine(QPointF(seg.center().x() + 0.5, track.bottom() + 2),
                   QPointF(seg.center().x() + 0.5, track.bottom() + 4));
    }

    // DPI: a track per stage column, guide lines per level, frames for swatches.
    DrawHeadingPlate(p, ToQRect(basic::kDpiHeading), pal);
    for (int n = 1; n <= basic::kDpiLevelsMax; ++n) {
        const QRect label = ToQRect(basic::DpiLevelLabel(n));
        const double y = label.center().y() + 0.5;
        p.setPen(QPen(WithAlpha(pal.border, 140), 1, Qt::DotLine));
        p.drawLine(QPointF(label.left(), y), QPointF(basic::StageLeft(4) + 20, y));
    }
    for (int s = 1; s <= basic::kStageCount; ++s) {
        const QRect column = Union({basic::DpiSegment(s, 1), basic::DpiSegment(s, 12)});
        DrawGroove(p, Inflated(column, 2), pal, 3);
        p.fillRect(column.adjusted(-1, -1, 1, 1), pal.field);
        const QRect swatch = ToQRect(basic::StageSwatch(s));
        p.setPen(QPen(Mix(pal.border, Qt::white, 0.3), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(swatch).adjusted(-1.5, -1.5, 0.5, 0.5));
        const QRect box = ToQRect(basic::StageBox(s));
        p.setPen(QPen(WithAlpha(pal.accent, 90), 1));
        p.drawRect(QRectF(box).adjusted(-1.5, -1.5, 0.5, 0.5));
    }
    DrawFadingLine(p, dpi.left() + 12, dpi.right() - 12, ToQRect(basic::kColorCaption).top() - 1.5,
                   WithAlpha(pal.accent, 90), 1.0);

    // Lighting: heading, the three boxes as black fields with arrows, the spectrum ring.
    DrawHeadingPlate(p, ToQRect(basic::kLightHeading), pal);
    for (int i = 0; i < basic::kLightBoxCount; ++i) {
        DrawField(p, ToQRect(basic::LightBox(i)), Qt::black, pal, true, 15);
        const QRect caption = ToQRect(basic::LightCaption(i));
        p.fillRect(QRectF(caption.left() - 6, caption.center().y() - 1, 3, 3), pal.accent);
    }
    const QRect lastBox = ToQRect(basic::LightBox(2));
    DrawLightRing(p, QPointF(light.center().x(), (lastBox.bottom() + light.bottom()) / 2.0 + 4),
                  56, pal);
    return image;
}

QImage PaintAdvancedPage(const Palette& pal) {
    QImage image = NewImage(layout::kMainWindowSize, false);
    QPainter p(&image);
    Prepare(p);
    DrawFrame(p, pal);

    const QRect pointer(26, kPanelTop, 420, kPanelBottom - kPanelTop + 1);
    QRect macro = Union({advanced::kMacroSettingHeading, advanced::kRecordOptionHeading,
                         advanced::kSelectMacroHeading, advanced::kEventList});
    macro = QRect(QPoint(pointer.right() + 7, kPanelTop), QPoint(882, kPanelBottom));
    DrawPanel(p, pointer, pal);
    DrawPanel(p, macro, pal);

    // Pointer settings: three sections, each with its heading, slider track and picture.
    const layout::Rect headings[advanced::kSliderRows] = {
        advanced::kMouseSpeedHeading, advanced::kScrollSpeedHeading,
        advanced::kDoubleClickHeading};
    for (int row = 0; row < advanced::kSliderRows; ++row) {
        const QRect heading = ToQRect(headings[row]);
        DrawHeadingPlate(p, heading, pal);
        if (row > 0) {
            DrawFadingLine(p, pointer.left() + 8, pointer.right() - 8, heading.top() - 13.5,
                           WithAlpha(pal.border, 255), 1.0);
        }
        const QRect track = Union({advanced::SliderSegment(row, 1),
                                   advanced::SliderSegment(row, advanced::kSliderSegments)});
        DrawGroove(p, Inflated(track, 3), pal, 4);
        p.fillRect(Inflated(track, 1), pal.field);
        for (int n = 1; n <= advanced::kSliderSegments; ++n) {
            const QRect number = ToQRect(advanced::SliderNumber(row, n));
            p.setPen(QPen(WithAlpha(pal.accent, 110), 1));
            p.drawLine(QPointF(number.center().x() + 0.5, track.bottom() + 4),
                       QPointF(number.center().x() + 0.5, number.top() - 2));
        }
        const QRectF picture(track.right() + 40, track.top() - 14, 56, 56);
        DrawGlow(p, picture.center(), 44, WithAlpha(pal.accent, 30));
        const QColor ink = WithAlpha(pal.accent, 170);
        if (row == 0) GlyphPointer(p, picture.adjusted(10, 4, -6, -4), ink);
        if (row == 1) GlyphWheel(p, picture.adjusted(8, 4, -8, -4), ink);
        if (row == 2) GlyphDoubleClick(p, picture.adjusted(6, 4, -6, -4), ink);
    }
    for (const auto& box : {advanced::kPrecisionBox, advanced::kOneScreenBox}) {
        const QRect r = ToQRect(box);
        p.setPen(QPen(WithAlpha(pal.accent, 90), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(r).adjusted(-1.5, -1.5, 0.5, 0.5));
    }
    DrawGroove(p, Inflated(ToQRect(advanced::kDefault), 3), pal, 6);

    // Macro editor: heading, the column band, the two lists, the record column.
    DrawHeadingPlate(p, ToQRect(advanced::kMacroSettingHeading), pal);
    const QRect band = Union({advanced::kSelectMacroHeading, advanced::kRecordOptionHeading});
    QLinearGradient bg(band.topLeft(), band.bottomLeft());
    bg.setColorAt(0.0, Mix(pal.accentDeep, pal.panel0, 0.3));
    bg.setColorAt(1.0, Mix(pal.accentDeep, pal.panel1, 0.7));
    p.fillRect(band, bg);
    p.fillRect(QRect(band.left(), band.bottom() - 1, band.width(), 2), pal.accent);
    for (const auto& h : {advanced::kSequenceHeading, advanced::kRecordOptionHeading}) {
        p.setPen(QPen(WithAlpha(pal.accentBright, 120), 1));
        p.drawLine(QPointF(h.left + 0.5, band.top() + 4), QPointF(h.left + 0.5, band.bottom() - 4));
    }
    const QColor listBrush(4, 5, 6);  // the macro lists paint their background in this colour
    DrawField(p, ToQRect(advanced::kMacroList), listBrush, pal);
    DrawField(p, ToQRect(advanced::kSequenceList), listBrush, pal);

    const QColor record(0xf0, 0x30, 0x3c);
    for (const auto& button : {advanced::kRecordStart, advanced::kRecordStop}) {
        const QRectF r = QRectF(ToQRect(button)).adjusted(0.5, 0.5, -0.5, -0.5);
        QRadialGradient face(r.center() - QPointF(0, 5), r.width() * 0.7);
        face.setColorAt(0.0, Mix(pal.panel0, Qt::white, 0.12));
        face.setColorAt(1.0, pal.base1);
        p.setBrush(face);
        p.setPen(QPen(Mix(pal.border, Qt::white, 0.2), 1.2));
        p.drawEllipse(r);
        p.setPen(Qt::NoPen);
        const QPointF c = r.center();
        if (button == advanced::kRecordStart) {
            DrawGlow(p, c, 12, WithAlpha(record, 120));
            p.setBrush(record);
            p.drawEllipse(c, 6, 6);
        } else {
            p.setBrush(pal.glyph);
            p.drawRoundedRect(QRectF(c.x() - 5, c.y() - 5, 10, 10), 1.5, 1.5);
        }
    }
    DrawField(p, ToQRect(advanced::kMacroNameField), Qt::black, pal);
    DrawField(p, ToQRect(advanced::kLoopTimesField), Qt::black, pal);
    DrawField(p, ToQRect(advanced::kEventBox), Qt::black, pal, true,
              advanced::kEventBox.right - advanced::kEventBoxLabel.right);
    for (const auto& text : {advanced::kMacroNameText, advanced::kLoopTimesText,
                             advanced::kInsertEventText}) {
        p.fillRect(QRectF(text.left - 6, (text.top + text.bottom) / 2.0 - 1, 3, 3), pal.accent);
    }
    DrawGroove(p, Inflated(Union({advanced::kNew, advanced::kConfirm}), 3), pal, 6);
    return image;
}

}  // namespace quarten::skinpainter
