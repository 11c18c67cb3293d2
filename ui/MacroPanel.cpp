#include "ui/MacroPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpressionValidator>

#include <algorithm>

#include "macros/MacroEventList.h"
#include "ui/AppContext.h"
#include "ui/DropdownList.h"
#include "ui/dialogs/AssignmentDialogs.h"
#include "ui/dialogs/KeyCapture.h"
#include "ui/text/MacroNoticeText.h"

namespace quarten {
namespace {

namespace advanced = layout::advanced;

const QString kApplicationTitle = QStringLiteral("QUARTEN");

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// A point of the lists' heading strip: its colour is the skin's own accent, so the chosen
// line reads as part of whichever skin is shown.
constexpr QPoint kAccentSample{524, 205};

// The skin's accent brightened into a selection colour; a neutral grey without the image.
QColor SelectionColour(SkinImages& images, const QString& folder) {
    const QString path =
        folder + "/" + QString::fromUtf8(layout::image::kAdvancedBackground.data(),
                                         static_cast<int>(layout::image::kAdvancedBackground.size()));
    const QImage background = images.Load(path);
    if (background.isNull() || !background.rect().contains(kAccentSample)) return {59, 65, 72};
    const QColor accent = background.pixelColor(kAccentSample);
    return QColor::fromHsv(accent.hsvHue(), accent.hsvSaturation(),
                           std::min(255, accent.value() * 17 / 10 + 10));
}

// The page's lists and fields sit on the black panels of the background: white text on
// black, the chosen line in the skin's accent.
QString ListStyle(QColor selection) {
    return QStringLiteral(
               "QListWidget { color: #ffffff; background: #000000; border: none; outline: none; }"
               "QListWidget::item:selected { color: #ffffff; background: %1; }"
               "QScrollBar:vertical { background: #101214; width: 8px; margin: 0; }"
               "QScrollBar::handle:vertical { background: %2; min-height: 16px; }"
               "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }")
        .arg(selection.name(), selection.lighter(130).name());
}
QString FieldStyle(QColor selection) {
    return QStringLiteral(
               "QLineEdit { color: #ffffff; background: #000000; border: none; padding: 0;"
               " selection-background-color: %1; }")
        .arg(selection.name());
}

void SetRow(QListWidget& list, std::optional<std::size_t> row) {
    list.setCurrentRow(row ? static_cast<int>(*row) : -1);
    if (!row) list.clearSelection();
}

std::optional<std::size_t> RowOf(int row) {
    return row < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(row));
}

}  // namespace

// The recorder's keyboard hook: the application-wide key capture, for as long as installed.
class MacroPanel::CaptureHook final : public KeyboardHook {
public:
    explicit CaptureHook(MacroPanel& panel) : panel_(panel) {}

    InstallResult Install() override {
        capture_ = std::make_unique<KeyCapture>([this](const KeyCapture::Stroke& stroke) {
            // The capture has already dropped both halves of every auto-repeat.
            panel_.editor_.HookKeyEvent(stroke.name, stroke.released, false);
            panel_.Sync();
        });
        int error = 0;
        if (!capture_->Install(error)) {
            capture_.reset();
            return {false, error};
        }
        return {true, 0};
    }
    void Remove() override { capture_.reset(); }

private:
    MacroPanel& panel_;
    std::unique_ptr<KeyCapture> capture_;
};

MacroPanel::MacroPanel(AppContext& context, QWidget& page, MacroEditor& editor)
    : context_(context), page_(page), editor_(editor), hook_(std::make_unique<CaptureHook>(*this)) {
    const QFont& font = context_.canvas.NormalFont();
    const QColor selection = SelectionColour(context_.images, context_.canvas.Folder());
    auto list = [&](const layout::Rect& at) {
        auto* widget = new QListWidget(&page_);
        widget->setGeometry(ToQRect(at));
        widget->setFont(font);
        widget->setStyleSheet(ListStyle(selection));
        widget->setFrameShape(QFrame::NoFrame);
        widget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        widget->setFocusPolicy(Qt::ClickFocus);
        widget->show();
        return widget;
    };
    auto field = [&](const layout::Rect& at) {
        auto* widget = new QLineEdit(&page_);
        widget->setGeometry(ToQRect(at));
        widget->setFont(font);
        widget->setAlignment(Qt::AlignCenter);
        widget->setStyleSheet(FieldStyle(selection));
        widget->setFrame(false);
        widget->show();
        return widget;
    };

    macroList_ = list(advanced::kMacroList);
    eventList_ = list(advanced::kSequenceList);
    eventList_->setContextMenuPolicy(Qt::CustomContextMenu);
    // The line under the pointer is the chosen one, as in every list of the window, so a
    // right-click "Delete" or a double click acts on the line the person points at.
    eventList_->setMouseTracking(true);
    connect(eventList_, &QListWidget::itemEntered, this,
            [this](QListWidgetItem* item) { eventList_->setCurrentItem(item); });
    nameField_ = field(advanced::kMacroNameField);
    nameField_->setMaxLength(static_cast<int>(kMaxMacroNameLength));
    loopField_ = field(advanced::kLoopTimesField);
    loopField_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*")), loopField_));
    boxLabel_ = new QLabel(&page_);
    boxLabel_->setGeometry(ToQRect(advanced::kEventBoxLabel));
    boxLabel_->setFont(font);
    boxLabel_->setAlignment(Qt::AlignCenter);
    boxLabel_->setStyleSheet(QStringLiteral("QLabel { color: #ffffff; background: transparent; }"));
    boxLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
    boxLabel_->show();
    // The window has no title bar to carry how a recording ends, so the page says it.
    hintLabel_ = new QLabel(&page_);
    hintLabel_->setGeometry(ToQRect(advanced::kRecordingHint));
    hintLabel_->setFont(font);
    hintLabel_->setAlignment(Qt::AlignCenter);
    hintLabel_->setStyleSheet(QStringLiteral("QLabel { color: %1; background: transparent; }")
                                  .arg(context_.canvas.TextColour().name()));
    hintLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
    hintLabel_->setText(
        FromUtf8(MacroNoticeText(context_.text, {MacroMessage::RecordingTitle})));
    hintLabel_->hide();

    connect(macroList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (syncing_) return;
        editor_.SelectMacro(RowOf(row));
        Sync();
    });
    connect(eventList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!syncing_) editor_.SelectLine(RowOf(row));
    });
    connect(eventList_, &QListWidget::itemDoubleClicked, this, [this] { EditSelectedDelay(); });
    connect(eventList_, &QWidget::customContextMenuRequested, this, &MacroPanel::OfferLineMenu);
    connect(nameField_, &QLineEdit::textEdited, this,
            [this](const QString& text) { editor_.SetNameField(text.toStdString()); });
    connect(loopField_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (syncing_) return;
        editor_.SetLoopTimesText(text.toStdString());
        Sync();
    });

    editor_.Load();
    Sync();
}

MacroPanel::~MacroPanel() {
    editor_.LeavePage(*hook_);
    // The window outlives the page's controls; they go with the panel.
    delete dropdown_.data();
    delete macroList_.data();
    delete eventList_.data();
    delete nameField_.data();
    delete loopField_.data();
    delete boxLabel_.data();
    delete hintLabel_.data();
}

void MacroPanel::Notify(const MacroNotice& notice) {
    const QString caption =
        notice.caption == MacroCaption::Warning ? QStringLiteral("Warning") : kApplicationTitle;
    context_.warn(caption, FromUtf8(MacroNoticeText(context_.text, notice)));
}

void MacroPanel::Sync() {
    syncing_ = true;
    const std::vector<std::string>& names = editor_.MacroNames();
    QStringList shown;
    for (const std::string& name : names) shown << FromUtf8(name);
    QStringList had;
    for (int i = 0; i < macroList_->count(); ++i) had << macroList_->item(i)->text();
    if (had != shown) {
        macroList_->clear();
        macroList_->addItems(shown);
    }
    SetRow(*macroList_, editor_.SelectedMacro());

    const std::vector<std::string>& lines = editor_.Events().Lines();
    eventList_->clear();
    for (const std::string& line : lines) eventList_->addItem(FromUtf8(line));
    SetRow(*eventList_, editor_.Events().Selection());
    if (const auto row = editor_.Events().Selection()) {
        eventList_->scrollToItem(eventList_->item(static_cast<int>(*row)));
    }

    if (nameField_->text() != FromUtf8(editor_.NameField())) {
        nameField_->setText(FromUtf8(editor_.NameField()));
    }
    if (loopField_->text() != FromUtf8(editor_.LoopTimesField())) {
        loopField_->setText(FromUtf8(editor_.LoopTimesField()));
    }
    boxLabel_->setText(FromUtf8(editor_.MouseEventBox()));
    hintLabel_->setVisible(editor_.Recorder().HookInstalled());
    syncing_ = false;
}

void MacroPanel::StartRecording() {
    const MacroNotice first = editor_.StartRecordingNotice();
    Notify(first);
    if (first.message != MacroMessage::StartRecording) return;
    if (const auto failed = editor_.BeginRecording(*hook_)) {
        Notify(*failed);
    } else if (const auto title = editor_.Recorder().WindowTitle()) {
        page_.setWindowTitle(FromUtf8(MacroNoticeText(context_.text, {*title})));
    }
    Sync();
}

void MacroPanel::StopRecording() {
    for (const MacroNotice& notice : editor_.StopRecording(*hook_)) Notify(notice);
    Sync();
}

void MacroPanel::NewMacro() {
    editor_.SetNameField(nameField_->text().toStdString());
    if (const auto refused = editor_.New()) Notify(*refused);
    Sync();
}

void MacroPanel::DeleteMacro() {
    if (const auto removed = editor_.Delete(); removed && !removed->ok) {
        Notify({MacroMessage::WriteFailed, MacroCaption::Warning, removed->errorCode});
    }
    Sync();
}

void MacroPanel::ConfirmMacro() {
    if (const auto confirmed = editor_.Confirm()) {
        for (const MacroNotice& notice : confirmed->notices) Notify(notice);
    }
    Sync();
}

void MacroPanel::ToggleEventDropdown() {
    if (dropdown_) {
        CloseEventDropdown();
        return;
    }
    QStringList labels;
    for (const std::string_view label : kMouseEventLabels) labels << FromUtf8(label);
    dropdown_ = new DropdownList(&page_, advanced::kEventList, labels, context_.canvas.NormalFont(),
                                 [this](int index) {
                                     editor_.InsertMouseEvent(static_cast<std::size_t>(index));
                                     CloseEventDropdown();
                                     Sync();
                                 });
    dropdown_->show();
    dropdown_->raise();
}

void MacroPanel::CloseEventDropdown() {
    if (dropdown_) dropdown_->deleteLater();
    dropdown_ = nullptr;
}

bool MacroPanel::PressCovered(QPoint at) {
    if (!dropdown_) return false;
    if (dropdown_->Covers(at)) return true;
    // A press on the box itself is the box's toggle, which closes the list; closing it here
    // as well would let the toggle open it again at once.
    if (!advanced::kEventBox.contains(at.x(), at.y())) CloseEventDropdown();
    return false;
}

void MacroPanel::DeleteSelectedLine() {
    editor_.DeleteLine();
    Sync();
}

void MacroPanel::EditSelectedDelay() {
    if (!editor_.CanEditDelay()) return;
    CDelayTimeDialog dialog(context_, &page_);
    if (context_.runDialog(dialog) != QDialog::Accepted) return;
    editor_.ApplyDelay(dialog.DelayText().toStdString());
    Sync();
}

void MacroPanel::OfferLineMenu(QPoint at) {
    QMenu menu(&page_);
    QAction* remove = menu.addAction(context_.Text(TextSlot::Delete));
    if (menu.exec(eventList_->viewport()->mapToGlobal(at)) == remove) DeleteSelectedLine();
}

}  // namespace quarten
