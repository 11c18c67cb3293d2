// Preview pictures: the pages and dialogs put together from a skin folder's images the way
// the program draws them, with English labels and sample values, some controls hovered.
#include <QDir>
#include <QFont>
#include <QPainter>
#include <cstdio>

#include "tools/skinpainter/PaintKit.h"
#include "tools/skinpainter/SkinPainter.h"

namespace quarten::skinpainter {

namespace img = layout::image;
namespace basic = layout::basic;
namespace advanced = layout::advanced;
namespace frame = layout::frame;

namespace {

class Composer {
public:
    Composer(QImage& canvas, QString skin) : painter_(&canvas), skin_(std::move(skin)) {
        normal_.setFamily("Arial");
        normal_.setPixelSize(14);
        heading_.setFamily("Tahoma");
        heading_.setPixelSize(18);
        heading_.setBold(true);
        painter_.setRenderHint(QPainter::TextAntialiasing);
    }
    bool ok() const { return missing_.isEmpty(); }
    const QStringList& missing() const { return missing_; }

    void Image(std::string_view name, int x, int y) {
        const QString file = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        const QImage image(QDir(skin_).filePath(file));
        if (image.isNull()) {
            missing_ << file;
            return;
        }
        painter_.drawImage(x, y, image);
    }
    void Image(std::string_view name, const layout::Rect& r) { Image(name, r.left, r.top); }
    void Text(const QString& text, const layout::Rect& r, int flags, const QColor& c = Qt::white,
              bool heading = false) {
        painter_.setFont(heading ? heading_ : normal_);
        painter_.setPen(c);
        painter_.drawText(ToQRect(r), flags | Qt::TextSingleLine, text);
    }
    void Centre(const QString& text, const layout::Rect& r) { Text(text, r, Qt::AlignCenter); }
    void Left(const QString& text, const layout::Rect& r) {
        Text(text, r, Qt::AlignLeft | Qt::AlignVCenter);
    }
    void Button(const QString& label, const layout::Rect& r, bool over = false,
                const QColor& c = Qt::white) {
        Image(over ? img::kButtonOver : img::kButtonNormal, r);
        Text(label, r, Qt::AlignCenter, c);
    }
    void Fill(const layout::Rect& r, const QColor& c) { painter_.fillRect(ToQRect(r), c); }
    QPainter& painter() { return painter_; }

private:
    QPainter painter_;
    QString skin_;
    QFont normal_, heading_;
    QStringList missing_;
};

void Frame(Composer& c, bool basicPage) {
    c.Button("OK", frame::kOk);
    c.Button("Apply", frame::kApply, true);
    c.Button("Cancel", frame::kCancel);
    c.Image(img::kSkinsNormal, frame::kSkins);
    c.Image(img::kMinNormal, frame::kMinimise);
    c.Image(basicPage ? img::kCloseOver : img::kCloseNormal, frame::kClose);
    c.Image(img::kPrePageNormal, frame::kPrevPage);
    c.Image(basicPage ? img::kNextPageOver : img::kNextPageNormal, frame::kNextPage);
    c.Text(basicPage ? "Basic Settings" : "Advanced Settings", frame::kPageTitle,
           Qt::AlignLeft | Qt::AlignVCenter, Qt::white, true);
}

void BasicPage(Composer& c) {
    Frame(c, true);
    c.Left("www.example.com", frame::kWebAddress);
    c.Centre("Key Setting", basic::kKeySettingHeading);
    const char* names[] = {"Left Click", "Right Click", "Mid Click", "Forward",
                           "Backward",   "DPI Loop",    "RGB On/Off"};
    for (int k = 1; k <= basic::kKeyBoxCount; ++k) {
        c.Image(k == 3 ? img::kDropdownOver : img::kDropdownNormal, basic::KeyBox(k));
        c.Left(QString::number(k), basic::KeyBoxNumber(k));
        c.Left(names[k - 1], basic::KeyBoxText(k));
    }
    c.Button("Mode A", basic::kModeA, false, QColor(0, 0, 0));
    c.Button("Mode B", basic::kModeB);
    c.Button("Default", basic::kKeyDefault);

    c.Centre("Report Rate Setting", basic::kRateHeading);
    const char* rates[] = {"125Hz", "250Hz", "500Hz", "1000Hz"};
    for (int pos = 1; pos <= basic::kRateCount; ++pos) {
        c.Image(pos == 4 ? img::kRateLight : img::kRateDark, basic::RateSegment(pos));
        c.Text(rates[pos - 1], basic::RateLabel(pos), Qt::AlignHCenter | Qt::AlignTop);
    }

    c.Centre("DPI Setting", basic::kDpiHeading);
    const char* dpi[] = {"250",  "500",  "750",  "1000", "1250", "1500",
                         "1750", "2000", "2500", "3000", "3500", "4000"};
    for (int n = 1; n <= basic::kDpiLevelsMax; ++n) {
        c.Text(dpi[n - 1], basic::DpiLevelLabel(n), Qt::AlignRight | Qt::AlignVCenter);
    }
    const int levels[] = {3, 5, 8, 11};
    const QColor colours[] = {QColor(255, 40, 40), QColor(40, 220, 60), QColor(40, 110, 255),
                              QColor(255, 210, 0)};
    for (int s = 1; s <= basic::kStageCount; ++s) {
        for (int n = 1; n <= basic::kDpiLevelsMax; ++n) {
            c.Image(n <= levels[s - 1] ? img::kDpiLight : img::kDpiDark, basic::DpiSegment(s, n));
        }
        c.Fill(basic::StageSwatch(s), colours[s - 1]);
        c.Image(s < 4 ? img::kPaneTick : img::kPane, basic::StageBox(s));
    }
    c.Centre("Color Setting", basic::kColorCaption);

    c.Centre("DPI Effect", basic::kLightHeading);
    const char* captions[] = {"Mode", "Parameter", "Effect"};
    const char* values[] = {"Neon", "3S", "RGB Flash"};
    for (int i = 0; i < basic::kLightBoxCount; ++i) {
        c.Left(captions[i], basic::LightCaption(i));
        c.Fill(basic::LightBoxLabel(i), Qt::black);
        c.Left(values[i], basic::LightBoxLabel(i));
    }
}

void AdvancedPage(Composer& c) {
    Frame(c, false);
    c.Left("www.example.com", frame::kWebAddress);
    const layout::Rect headings[] = {advanced::kMouseSpeedHeading, advanced::kScrollSpeedHeading,
                                     advanced::kDoubleClickHeading};
    const char* titles[] = {"Mouse Speed", "Scrolling Speed", "Double-Click Speed"};
    const int values[] = {6, 3, 6};
    for (int row = 0; row < advanced::kSliderRows; ++row) {
        c.Centre(titles[row], headings[row]);
        for (int n = 1; n <= advanced::kSliderSegments; ++n) {
            c.Image(n <= values[row] ? img::kSliderLight : img::kSliderDark,
                    advanced::SliderSegment(row, n));
            c.Text(QString::number(n), advanced::SliderNumber(row, n),
                   Qt::AlignHCenter | Qt::AlignTop);
        }
    }
    c.Image(img::kPaneTick, advanced::kPrecisionBox);
    c.Image(img::kPane, advanced::kOneScreenBox);
    c.Left("Enhance Pointer Precision", advanced::kPrecisionText);
    c.Left("Scroll One Screen", advanced::kOneScreenText);
    c.Button("Default", advanced::kDefault);

    c.Centre("Macro Setting", advanced::kMacroSettingHeading);
    c.Centre("Select Macro", advanced::kSelectMacroHeading);
    c.Centre("Key Press Sequence", advanced::kSequenceHeading);
    c.Centre("Record Option", advanced::kRecordOptionHeading);
    c.Left("Start Recording", advanced::kStartRecordingText);
    c.Left("Stop Recording", advanced::kStopRecordingText);
    c.Left("Macro Name", advanced::kMacroNameText);
    c.Left("Loop Times", advanced::kLoopTimesText);
    c.Left("Insert A Mouse Event", advanced::kInsertEventText);
    c.Button("New", advanced::kNew);
    c.Button("Delete", advanced::kDelete, true);
    c.Button("Confirm", advanced::kConfirm);
    c.Text("Reload", advanced::kMacroNameField, Qt::AlignCenter);
    c.Text("1", advanced::kLoopTimesField, Qt::AlignCenter);
    c.Text("L-Button Click", advanced::kEventBoxLabel, Qt::AlignCenter);
    const layout::Rect macros = advanced::kMacroList;
    const char* macroNames[] = {"Reload", "Burst", "Build"};
    for (int i = 0; i < 3; ++i) {
        const layout::Rect line{macros.left + 4, macros.top + 2 + 17 * i, macros.right - 2,
                                macros.top + 19 + 17 * i};
        c.Left(macroNames[i], line);
    }
    const layout::Rect events = advanced::kSequenceList;
    const char* lines[] = {"R   Dn", "50 ms", "R   Up", "50 ms"};
    for (int i = 0; i < 4; ++i) {
        const layout::Rect line{events.left + 4, events.top + 2 + 17 * i, events.right - 2,
                                events.top + 19 + 17 * i};
        c.Left(lines[i], line);
    }
}

// The dialog's own texts, roughly as the dialogs draw them.
void DialogTexts(Composer& c, const layout::DialogLayout& d) {
    const QColor grey(40, 40, 40);
    c.Button("OK", d.frame.ok);
    c.Button("Cancel", d.frame.cancel);
    c.Image(img::kCloseNormal, d.frame.close);
    const std::string_view bg = d.background;
    if (bg == img::kSkinsDialog) {
        namespace s = layout::skins;
        c.Text("Please click to set the UI text color", s::kPrompt,
               Qt::AlignCenter | Qt::TextWordWrap);
        c.Fill(s::kSwatch, Qt::white);
        c.Fill(s::kSkinName, grey);
        c.Left("Default", s::kSkinName);
    } else if (bg == img::kSingleKeyDialog) {
        c.Centre("Please enter a key", layout::single_key::kPrompt);
        c.Centre("Right Ctrl", layout::single_key::kKeyField);
    } else if (bg == img::kWindowsKeyDialog) {
        c.Left("Multimedia Player", layout::BoxText(layout::windows_key::kBox));
    } else if (bg == img::kMediaKeyDialog) {
        c.Left("Next", layout::BoxText(layout::media_key::kBox));
    } else if (bg == img::kComboKeyDialog) {
        c.Left("Left Alt", layout::BoxText(layout::combo_key::kModifierBox));
        c.Centre("Tab", layout::combo_key::kKey1Field);
    } else if (bg == img::kFireKeyDialog) {
        namespace s = layout::fire_key;
        c.Left("A", layout::BoxText(s::kBox));
        c.Left("Speed", s::kSpeedText);
        c.Centre("32", s::kSpeedField);
        c.Left("Times", s::kTimesText);
        c.Centre("1", s::kTimesField);
        c.Left("Illustration:", s::kIllustrationHeading);
        c.Left("Speed (value range 5-255, with smaller values faster)", s::kIllustrationLine1);
        c.Left("Times (value range 0-255,0 indicates fire key to end when the key released)",
               s::kIllustrationLine2);
    } else if (bg == img::kMacroKeyDialog) {
        namespace s = layout::macro_key;
        c.Left("Please select a macro", s::kPrompt);
        c.Left("Reload", layout::BoxText(s::kBox));
        const char* modes[] = {"Repeat a specified number of times or press any key to end",
                               "Repeat until press any key to end",
                               "Repeat until the key is released"};
        for (int m = 1; m <= 3; ++m) {
            c.Image(m == 1 ? img::kPaneTick : img::kPane, s::ModeBox(m));
            c.Left(modes[m - 1], s::ModeText(m));
        }
    } else if (bg == img::kDelayTimeDialog) {
        c.Centre("Please enter a delay", layout::delay_time::kPrompt);
        c.Centre("(value range 0-10000)", layout::delay_time::kRange);
        c.Centre("20", layout::delay_time::kField);
    }
}

bool Save(const QImage& image, const QString& folder, const QString& name) {
    const QString path = QDir(folder).filePath(name);
    if (!image.save(path)) {
        std::fprintf(stderr, "paint_skins: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool Report(const Composer& c) {
    for (const QString& file : c.missing()) {
        std::fprintf(stderr, "paint_skins: missing or undecodable %s\n", qPrintable(file));
    }
    return c.ok();
}

}  // namespace

bool WritePreviews(const QString& skinFolder, const QString& outputFolder) {
    QDir().mkpath(outputFolder);
    const QSize size(layout::kMainWindowSize.width, layout::kMainWindowSize.height);
    bool ok = true;
    for (const bool basicPage : {true, false}) {
        QImage page(QDir(skinFolder).filePath(basicPage ? "BasicSet2.png" : "AdvancedSet2.png"));
        if (page.isNull()) {
            std::fprintf(stderr, "paint_skins: no page background in %s\n", qPrintable(skinFolder));
            return false;
        }
        page = page.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        {
            Composer c(page, skinFolder);
            basicPage ? BasicPage(c) : AdvancedPage(c);
            ok = Report(c) && ok;
        }
        ok = Save(page, outputFolder, basicPage ? "basic.png" : "advanced.png") && ok;
    }
    // All dialogs on one sheet, two columns.
    QImage sheet(size.width() + 300, 1000, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(60, 60, 60));
    int x = 10, y = 10, rowHeight = 0;
    for (const auto& d : layout::kDialogs) {
        QImage dialog(QDir(skinFolder).filePath(QString::fromLatin1(
            d.background.data(), static_cast<qsizetype>(d.background.size()))));
        if (dialog.isNull()) {
            std::fprintf(stderr, "paint_skins: no dialog background %s\n", d.background.data());
            ok = false;
            continue;
        }
        dialog = dialog.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        {
            Composer c(dialog, skinFolder);
            DialogTexts(c, d);
            ok = Report(c) && ok;
        }
        if (x + dialog.width() > sheet.width()) {
            x = 10;
            y += rowHeight + 10;
            rowHeight = 0;
        }
        QPainter(&sheet).drawImage(x, y, dialog);
        x += dialog.width() + 10;
        rowHeight = std::max(rowHeight, dialog.height());
    }
    return Save(sheet, outputFolder, "dialogs.png") && ok;
}

}  // namespace quarten::skinpainter
