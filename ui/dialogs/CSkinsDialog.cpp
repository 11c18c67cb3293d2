#include "ui/dialogs/CSkinsDialog.h"

#include <QFontMetrics>
#include <QLoggingCategory>
#include <QPainter>

#include <system_error>

#include "host/StringSettings.h"
#include "macros/IniFile.h"
#include "ui/AppContext.h"
#include "ui/CPadrionDlg.h"

Q_LOGGING_CATEGORY(lcSkins, "quarten.skins", QtWarningMsg)

namespace quarten {
namespace {

namespace image = layout::image;
namespace skins = layout::skins;

// The skin box and its list show white on this grey, as the other dialogs' fields do.
constexpr QColor kFieldBackground{40, 40, 40};
constexpr int kNameInset = 4;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

QColor ToQColor(const std::array<std::uint8_t, 3>& rgb) { return QColor(rgb[0], rgb[1], rgb[2]); }

// A name is offered only if str.ini gives it back unchanged at the next start: the INI
// rules trim blanks and fold line breaks, and the start-up read refuses a backslash. A name
// that came back different would point the window at a folder that does not exist.
bool StrIniKeeps(const std::string& name) {
    if (name.find('\\') != std::string::npos) return false;
    IniFile probe;
    probe.Write("Skins", "Path", name);
    return IniFile::Parse(probe.Serialize()).Read("Skins", "Path") == name;
}

// What the skin list offers: the sub-folders of `root` whose names str.ini can keep, in the
// order the folder lists them.
std::vector<std::string> SkinNames(const std::filesystem::path& root) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(root, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code kindError;
        if (!it->is_directory(kindError)) continue;  // plain files are no skins
        std::string name = it->path().filename().string();
        if (StrIniKeeps(name)) names.push_back(std::move(name));
    }
    if (error) {
        qCDebug(lcSkins) << "listing" << root.c_str() << "stopped:" << error.message().c_str();
    }
    return names;
}

}  // namespace

CSkinsDialog::CSkinsDialog(AppContext& context, QWidget* parent)
    : SkinnedDialog(
          context,
          {image::kSkinsDialog, skins::kFrame, "Skins Dialog Load background image failed!!!"},
          parent),
      root_(context.paths.skins),
      folder_(context.skin.skinFolder),
      name_(context.skin.skinName),
      colour_(context.skin.textColour) {
    // The pending choice starts as the current skin even when the background is missing,
    // so OK on the bare dialog keeps the skin rather than saving a blank one.
    Dress();
}

void CSkinsDialog::Build() {
    SetDropdown(
        skins::kSkinBox, skins::kSkinList,
        [this] {
            listed_ = SkinNames(root_);
            QStringList items;
            for (const std::string& name : listed_) items << FromUtf8(name);
            return items;
        },
        [this](int item) { Choose(item); });
}

void CSkinsDialog::Choose(int item) {
    if (item < 0 || static_cast<std::size_t>(item) >= listed_.size()) return;
    const std::string& name = listed_[static_cast<std::size_t>(item)];
    // Name and folder change together: a folder removed while the list was open leaves
    // the choice as it was instead of pairing a new name with the old folder.
    const std::filesystem::path folder = root_ / name;
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        qCDebug(lcSkins) << "skin folder" << folder.c_str() << "is gone";
        return;
    }
    name_ = name;
    folder_ = folder;
}

bool CSkinsDialog::Press(QPoint at) {
    if (!skins::kSwatch.contains(at.x(), at.y())) return false;
    const QColor chosen = Context().pickColour();
    if (chosen.isValid()) {
        colour_ = {static_cast<std::uint8_t>(chosen.red()),
                   static_cast<std::uint8_t>(chosen.green()),
                   static_cast<std::uint8_t>(chosen.blue())};
        Redraw();
    }
    return true;
}

void CSkinsDialog::DrawContents(SkinCanvas& canvas) {
    {
        // The prompt may need both lines its rectangle has room for.
        QPainter painter(&canvas.Image());
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(canvas.NormalFont());
        painter.setPen(canvas.TextColour());
        painter.drawText(ToQRect(skins::kPrompt), Qt::AlignCenter | Qt::TextWordWrap,
                         Context().Text(TextSlot::SkinsColourPrompt));
    }
    canvas.Fill(skins::kSwatch, ToQColor(colour_));
    canvas.Fill(skins::kSkinName, kFieldBackground);
    const layout::Rect text{skins::kSkinName.left + kNameInset, skins::kSkinName.top,
                            skins::kSkinName.right - kNameInset, skins::kSkinName.bottom};
    const QString name =
        QFontMetrics(canvas.NormalFont()).elidedText(FromUtf8(name_), Qt::ElideRight, text.width());
    canvas.Text(text, name, Qt::AlignLeft | Qt::AlignVCenter, canvas.NormalFont(), White());
}

void RunSkinsDialog(CPadrionDlg& window) {
    AppContext& context = window.Context();
    std::array<std::uint8_t, 3> colour{};
    {
        CSkinsDialog dialog(context, &window);
        if (context.runDialog(dialog) != QDialog::Accepted) return;
        context.skin.skinFolder = dialog.SkinFolder();
        context.skin.skinName = dialog.SkinName();
        context.skin.textColour = colour = dialog.TextColour();
    }
    SkinCanvas& canvas = context.canvas;
    canvas.SetSkin(QString::fromStdString(context.skin.skinFolder.string()), ToQColor(colour),
                   canvas.NormalFont(), canvas.HeadingFont());
    const WriteResult saved =
        WriteSkinChoice(context.store, context.paths.strIni, colour, context.skin.skinName);

    // The rebuild re-reads the captions from str.ini, as the tray's rebuild after "Cancel"
    // needs; here the settings stay as they are, so their unsaved captions must stay too.
    const ButtonCaptions captions = context.skin.captions;
    window.RebuildCurrentPage();
    if (!(context.skin.captions == captions)) {
        context.skin.captions = captions;
        window.Redraw();
    }
    window.show();
    window.raise();
    window.activateWindow();

    if (!saved.ok) {
        qCDebug(lcSkins) << "str.ini not written:" << saved.detail.c_str();
        context.warn(QStringLiteral("QUARTEN"),
                     context.Text(TextSlot::SkinChoiceWriteFailed).arg(saved.errorCode));
    }
}

}  // namespace quarten
