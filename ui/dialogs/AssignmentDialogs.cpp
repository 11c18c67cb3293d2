#include "ui/dialogs/AssignmentDialogs.h"

#include <QEvent>
#include <QLineEdit>

#include <limits>

#include "buttons/FunctionTables.h"
#include "buttons/KeyNameTable.h"
#include "macros/MacroLibrary.h"
#include "ui/AppContext.h"
#include "ui/dialogs/KeyCapture.h"

namespace quarten {
namespace {

namespace image = layout::image;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

std::string_view NameOf(const NamedUsage& entry) { return entry.text; }
std::string_view NameOf(const KeyNameEntry& entry) { return entry.name; }

template <typename Table>
QStringList NamesOf(const Table& table) {
    QStringList names;
    for (const auto& entry : table) names << FromUtf8(NameOf(entry));
    return names;
}

// A field's digits as a number; more digits than any int holds read as the largest int,
// which every range check then refuses.
long long DigitsValue(const QString& text) {
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    if (text.isEmpty()) return 0;
    return ok ? value : std::numeric_limits<long long>::max();
}

constexpr int kCentred = Qt::AlignCenter;
constexpr int kLeft = Qt::AlignLeft | Qt::AlignVCenter;

}  // namespace

// ---------------------------------------------------------------------------------------
// Windows and multimedia functions

ChoiceDialog::ChoiceDialog(AppContext& context, const Look& look, QWidget* parent,
                           QStringList items, layout::Rect box, layout::Rect list)
    : SkinnedDialog(context, look, parent),
      items_(std::move(items)),
      box_(box),
      list_(list),
      choiceText_(items_.value(0)) {
    Dress();
}

void ChoiceDialog::Build() {
    SetDropdown(
        box_, list_, [this] { return items_; },
        [this](int item) {
            choice_ = item;
            choiceText_ = items_.value(item);
        });
}

void ChoiceDialog::DrawContents(SkinCanvas& canvas) {
    canvas.Text(layout::BoxText(box_), choiceText_, kLeft, canvas.NormalFont(), White());
}

CWindowsDialog::CWindowsDialog(AppContext& context, QWidget* parent)
    : ChoiceDialog(context,
                   {image::kWindowsKeyDialog, layout::windows_key::kFrame,
                    "Windows Dialog Load background image failed!!!"},
                   parent, NamesOf(kWindowsFunctions), layout::windows_key::kBox,
                   layout::windows_key::kList) {}

CMediaDialog::CMediaDialog(AppContext& context, QWidget* parent)
    : ChoiceDialog(context,
                   {image::kMediaKeyDialog, layout::media_key::kFrame,
                    "Media Dialog Load background image failed!!!"},
                   parent, NamesOf(kMultimediaFunctions), layout::media_key::kBox,
                   layout::media_key::kList) {}

// ---------------------------------------------------------------------------------------
// Single key

CSingleDialog::CSingleDialog(AppContext& context, QWidget* parent)
    : SkinnedDialog(context,
                    {image::kSingleKeyDialog, layout::single_key::kFrame,
                     "Single Key Dialog Load background image failed!!!"},
                    parent) {
    Dress();
}

CSingleDialog::~CSingleDialog() = default;

void CSingleDialog::Build() {
    field_ = MakeField(layout::single_key::kKeyField, false);
    field_->setReadOnly(true);
    field_->setFocusPolicy(Qt::NoFocus);
    capture_ = std::make_unique<KeyCapture>([this](const std::string& name) {
        keyName_ = name;
        field_->setText(FromUtf8(name));
    });
    int error = 0;
    if (!capture_->Install(error)) {
        capture_.reset();
        Context().warn(QStringLiteral("QUARTEN"),
                       QStringLiteral("KeyboardHook_SingleDlgKey Install error code :%1\n").arg(error));
    }
}

void CSingleDialog::DrawContents(SkinCanvas& canvas) {
    canvas.Text(layout::single_key::kPrompt, Context().Text(TextSlot::PleaseEnterKey), kCentred,
                canvas.NormalFont(), White());
}

// ---------------------------------------------------------------------------------------
// Combination key

CComboDialog::CComboDialog(AppContext& context, QWidget* parent)
    : SkinnedDialog(context,
                    {image::kComboKeyDialog, layout::combo_key::kFrame,
                     "Combo Dialog Load background image failed!!!"},
                    parent) {
    Dress();
}

CComboDialog::~CComboDialog() = default;

void CComboDialog::Build() {
    key1Field_ = MakeField(layout::combo_key::kKey1Field, false);
    key2Field_ = MakeField(layout::combo_key::kKey2Field, false);
    for (QLineEdit* field : {key1Field_, key2Field_}) {
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::ClickFocus);
    }
    key1Field_->setFocus();
    SetDropdown(
        layout::combo_key::kModifierBox, layout::combo_key::kModifierList,
        [] { return NamesOf(kComboModifierTable); },
        [this](int item) {
            modifier_ = std::string(kComboModifierTable[static_cast<std::size_t>(item)].name);
        },
        [this](bool open) {
            // The key fields rest while the modifier list is open. Disabling the focused
            // field moves Qt's focus away, so it is given back on closing: the next key
            // typed belongs to the field the person was in.
            if (open) {
                const QWidget* focused = focusWidget();
                restoreFocus_ = focused == key1Field_   ? key1Field_
                                : focused == key2Field_ ? key2Field_
                                                        : nullptr;
            }
            key1Field_->setEnabled(!open);
            key2Field_->setEnabled(!open);
            if (!open && restoreFocus_) restoreFocus_->setFocus();
        });
    capture_ = std::make_unique<KeyCapture>([this](const std::string& name) { Captured(name); });
    int error = 0;
    if (!capture_->Install(error)) {
        capture_.reset();
        Context().warn(QStringLiteral("QUARTEN"),
                       QStringLiteral("KeyboardHook_ComboDlg Install error code :%1\n").arg(error));
    }
}

void CComboDialog::Captured(const std::string& name) {
    // The name belongs to the key field that has the dialog's focus; with neither, it is
    // dropped.
    const QWidget* focused = focusWidget();
    if (focused == key1Field_ && key1Field_->isEnabled()) {
        key1_ = name;
        key1Field_->setText(FromUtf8(name));
    } else if (focused == key2Field_ && key2Field_->isEnabled()) {
        key2_ = name;
        key2Field_->setText(FromUtf8(name));
    }
}

void CComboDialog::DrawContents(SkinCanvas& canvas) {
    canvas.Text(layout::BoxText(layout::combo_key::kModifierBox), FromUtf8(modifier_), kLeft,
                canvas.NormalFont(), White());
}

// ---------------------------------------------------------------------------------------
// Fire key

CFireKeyDialog::CFireKeyDialog(AppContext& context, QWidget* parent)
    : SkinnedDialog(context,
                    {image::kFireKeyDialog, layout::fire_key::kFrame,
                     "FireKey Dialog Load background image failed!!!"},
                    parent),
      choiceText_(FromUtf8(kFireKeys[0].text)) {
    Dress();
}

void CFireKeyDialog::Build() {
    speedField_ = MakeField(layout::fire_key::kSpeedField, true);
    timesField_ = MakeField(layout::fire_key::kTimesField, true);
    speedField_->setText(QStringLiteral("32"));
    timesField_->setText(QStringLiteral("1"));
    // Speed is checked when its field loses the focus, times at every change.
    speedField_->installEventFilter(this);
    connect(timesField_, &QLineEdit::textChanged, this, [this] { CheckTimes(); });
    SetDropdown(
        layout::fire_key::kBox, layout::fire_key::kList, [] { return NamesOf(kFireKeys); },
        [this](int item) {
            choice_ = item;
            choiceText_ = FromUtf8(kFireKeys[static_cast<std::size_t>(item)].text);
        },
        [this](bool open) {
            if (open) CheckSpeed();
            speedField_->setEnabled(!open);
            timesField_->setEnabled(!open);
        });
}

bool CFireKeyDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == speedField_ && event->type() == QEvent::FocusOut) CheckSpeed();
    return SkinnedDialog::eventFilter(watched, event);
}

void CFireKeyDialog::CheckSpeed() {
    if (!speedField_) return;
    const long long value = DigitsValue(speedField_->text());
    if (value < 5 || value > 255) {
        speed_ = 5;
        speedField_->setText(QStringLiteral("5"));
    } else {
        speed_ = static_cast<std::uint8_t>(value);
    }
}

void CFireKeyDialog::CheckTimes() {
    const long long value = DigitsValue(timesField_->text());
    if (value > 255) {
        times_ = 1;
        timesField_->setText(QStringLiteral("1"));  // re-enters with "1", which stands
    } else {
        times_ = static_cast<std::uint8_t>(value);
    }
}

void CFireKeyDialog::accept() {
    // Closing takes the focus from the speed field, so its check runs first.
    CheckSpeed();
    SkinnedDialog::accept();
}

void CFireKeyDialog::DrawContents(SkinCanvas& canvas) {
    namespace fire = layout::fire_key;
    const QFont& font = canvas.NormalFont();
    canvas.Text(layout::BoxText(fire::kBox), choiceText_, kLeft, font, White());
    canvas.Text(fire::kSpeedText, Context().Text(TextSlot::Speed), kLeft, font, White());
    canvas.Text(fire::kTimesText, Context().Text(TextSlot::Times), kLeft, font, White());
    canvas.Text(fire::kIllustrationHeading, Context().Text(TextSlot::Illustration), kLeft, font,
                White());
    canvas.Text(fire::kIllustrationLine1, Context().Text(TextSlot::SpeedRange), kLeft, font,
                White());
    canvas.Text(fire::kIllustrationLine2, Context().Text(TextSlot::TimesRange), kLeft, font,
                White());
}

// ---------------------------------------------------------------------------------------
// Macro key

CMacroDialog::CMacroDialog(AppContext& context, QWidget* parent)
    : SkinnedDialog(context,
                    {image::kMacroKeyDialog, layout::macro_key::kFrame,
                     "Macro Key Dialog Load background image failed!!!"},
                    parent) {
    Dress();
}

QStringList CMacroDialog::ListedNames() const {
    AppContext& context = const_cast<CMacroDialog*>(this)->Context();
    QStringList names;
    for (const std::string& name :
         ListedMacroNames(IniFile::Load(context.store, context.paths.recordIni))) {
        names << QString::fromStdString(name);
    }
    return names;
}

void CMacroDialog::Build() {
    SetDropdown(
        layout::macro_key::kBox, layout::macro_key::kList, [this] { return ListedNames(); },
        [this](int item) {
            // The index is the list's position now; the button keeps it even if the library
            // is reordered later.
            const QStringList names = ListedNames();
            macroIndex_ = item;
            macroName_ = names.value(item).toStdString();
        });
}

bool CMacroDialog::Press(QPoint at) {
    for (std::uint8_t m = 1; m <= 3; ++m) {
        if (layout::macro_key::ModeBox(m).contains(at.x(), at.y())) {
            mode_ = m;  // the three boxes are one radio group
            Redraw();
            return true;
        }
    }
    return false;
}

void CMacroDialog::DrawContents(SkinCanvas& canvas) {
    namespace macro = layout::macro_key;
    const QFont& font = canvas.NormalFont();
    canvas.Text(macro::kPrompt, Context().Text(TextSlot::PleaseSelectMacro), kLeft, font, White());
    canvas.Text(layout::BoxText(macro::kBox), FromUtf8(macroName_), kLeft, font, White());
    const TextSlot texts[] = {TextSlot::RepeatCountOrAnyKey, TextSlot::RepeatUntilAnyKey,
                              TextSlot::RepeatUntilReleased};
    for (int m = 1; m <= 3; ++m) {
        canvas.Control(m == mode_ ? image::kPaneTick : image::kPane, macro::ModeBox(m));
        canvas.Text(macro::ModeText(m), Context().Text(texts[m - 1]), kLeft, font, White());
    }
}

// ---------------------------------------------------------------------------------------
// Delay time

CDelayTimeDialog::CDelayTimeDialog(AppContext& context, QWidget* parent)
    : SkinnedDialog(context,
                    {image::kDelayTimeDialog, layout::delay_time::kFrame,
                     "DelayTime Dialog Load background image failed!!!"},
                    parent) {
    Dress();
}

void CDelayTimeDialog::Build() {
    field_ = MakeField(layout::delay_time::kField, true);
    connect(field_, &QLineEdit::textChanged, this, [this](const QString& text) {
        text_ = text;
        value_ = static_cast<int>(std::min<long long>(DigitsValue(text),
                                                      std::numeric_limits<int>::max()));
    });
    field_->setFocus();
}

void CDelayTimeDialog::DrawContents(SkinCanvas& canvas) {
    namespace delay = layout::delay_time;
    canvas.Text(delay::kPrompt, Context().Text(TextSlot::PleaseEnterDelay), kCentred,
                canvas.NormalFont(), White());
    canvas.Text(delay::kRange, Context().Text(TextSlot::DelayRange), kCentred,
                canvas.NormalFont(), White());
}

}  // namespace quarten
