#include "ui/dialogs/SkinnedDialog.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QWheelEvent>
#include <QWindow>

#include "ui/AppContext.h"
#include "ui/DropdownList.h"

namespace quarten {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

}  // namespace

SkinnedDialog::SkinnedDialog(AppContext& context, const Look& look, QWidget* parent)
    : QDialog(parent), context_(context), look_(look), canvas_(context.images) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("QUARTEN"));
    setModal(true);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);

    const SkinCanvas& page = context.canvas;
    canvas_.SetSkin(page.Folder(), page.TextColour(), page.NormalFont(), page.HeadingFont());
    const QImage background =
        context.images.Load(page.Folder() + "/" + FromUtf8(look.background));
    dressed_ = !background.isNull();
    // Without its picture the dialog keeps the layout's size, so its regions still work.
    const QSize size = dressed_ ? background.size()
                                : QSize(look.frame.size.width, look.frame.size.height);
    canvas_.Resize(size);
    setFixedSize(size);
    setFont(page.NormalFont());
    if (!dressed_) context.warn(QString::fromLatin1(look.failureTitle), QStringLiteral("error"));
}

SkinnedDialog::~SkinnedDialog() = default;

void SkinnedDialog::Dress() {
    if (dressed_) Build();
    Redraw();
}

void SkinnedDialog::Redraw() {
    if (dressed_) canvas_.Reset(look_.background);
    DrawFrameButton(Lit::Ok, lit_ == Lit::Ok);
    DrawFrameButton(Lit::Cancel, lit_ == Lit::Cancel);
    DrawFrameButton(Lit::Close, lit_ == Lit::Close);
    if (dressed_) DrawContents(canvas_);
    update();
}

void SkinnedDialog::DrawFrameButton(Lit which, bool over) {
    bool drawn = true;
    switch (which) {
        case Lit::Ok:
        case Lit::Cancel: {
            const layout::Rect& r = which == Lit::Ok ? look_.frame.ok : look_.frame.cancel;
            drawn = canvas_.Control(over ? layout::image::kButtonOver : layout::image::kButtonNormal, r);
            if (dressed_) {
                canvas_.Text(r, context_.Text(which == Lit::Ok ? TextSlot::Ok : TextSlot::Cancel),
                             Qt::AlignCenter, canvas_.NormalFont(), canvas_.TextColour());
            }
            break;
        }
        case Lit::Close:
            drawn = canvas_.Control(
                over ? layout::image::kCloseOver : layout::image::kCloseNormal, look_.frame.close);
            break;
        case Lit::None: break;
    }
    // A missing button image is said once per dialog; repeating the box at every redraw
    // would leave the user no way to close it.
    if (!drawn && dressed_ && !imageFailureShown_) {
        imageFailureShown_ = true;
        context_.warn(QStringLiteral("QUARTEN"), QStringLiteral("LoadPng---Load image failed."));
    }
}

void SkinnedDialog::HoverAt(QPoint at) {
    Lit over = Lit::None;
    if (look_.frame.ok.contains(at.x(), at.y())) over = Lit::Ok;
    if (look_.frame.cancel.contains(at.x(), at.y())) over = Lit::Cancel;
    if (look_.frame.close.contains(at.x(), at.y())) over = Lit::Close;
    if (over == lit_) return;
    const Lit before = lit_;
    lit_ = over;
    if (before != Lit::None) DrawFrameButton(before, false);
    if (over != Lit::None) DrawFrameButton(over, true);
    update();
}

void SkinnedDialog::PressAt(QPoint at) {
    const int x = at.x();
    const int y = at.y();
    if (look_.frame.ok.contains(x, y)) {
        CloseList();
        accept();
        return;
    }
    if (look_.frame.cancel.contains(x, y) || look_.frame.close.contains(x, y)) {
        CloseList();
        reject();
        return;
    }
    if (!dressed_) return;
    if (listItems_ && listBox_.contains(x, y)) {
        ToggleList();
        return;
    }
    // A press outside the open list and its box closes the list.
    if (list_ && !list_->Covers(at)) CloseList();
    if (Press(at)) return;
    if (windowHandle() && isVisible()) windowHandle()->startSystemMove();
}

void SkinnedDialog::SetDropdown(layout::Rect box, layout::Rect list,
                                std::function<QStringList()> items,
                                std::function<void(int)> chosen, std::function<void(bool)> opened) {
    listBox_ = box;
    listRect_ = list;
    listItems_ = std::move(items);
    listChosen_ = std::move(chosen);
    listOpened_ = std::move(opened);
}

void SkinnedDialog::ToggleList() {
    if (list_) {
        CloseList();
        return;
    }
    // Filled anew at every opening: the macro list follows the library as it is now.
    list_ = new DropdownList(this, listRect_, listItems_(), canvas_.NormalFont(),
                             [this](int item) {
                                 if (item < 0) return;
                                 listChosen_(item);
                                 CloseList();
                                 Redraw();
                             });
    list_->UseDialogColours();
    if (listOpened_) listOpened_(true);
}

void SkinnedDialog::CloseList() {
    if (!list_) return;
    list_->hide();
    list_->deleteLater();
    list_ = nullptr;
    if (listOpened_) listOpened_(false);
}

QLineEdit* SkinnedDialog::MakeField(const layout::Rect& at, bool digitsOnly) {
    auto* field = new QLineEdit(this);
    field->setGeometry(ToQRect(at));
    field->setAlignment(Qt::AlignCenter);
    field->setFont(canvas_.NormalFont());
    field->setStyleSheet(QStringLiteral(
        "QLineEdit { color: #ffffff; background: rgb(40, 40, 40); border: 1px solid #50565e;"
        " selection-background-color: #2a7f8c; }"
        "QLineEdit:disabled { color: #8a8a8a; }"));
    if (digitsOnly) {
        field->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
    }
    field->show();
    return field;
}

void SkinnedDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, canvas_.Image());
}

void SkinnedDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) PressAt(event->position().toPoint());
}

void SkinnedDialog::mouseMoveEvent(QMouseEvent* event) { HoverAt(event->position().toPoint()); }

void SkinnedDialog::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape do not end a dialog: only its buttons do.
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape: event->accept(); return;
        default: QDialog::keyPressEvent(event);
    }
}

void SkinnedDialog::wheelEvent(QWheelEvent* event) {
    // A notch anywhere over the dialog scrolls the open list, by the list's own rule.
    if (!list_) {
        event->ignore();
        return;
    }
    QWidget* viewport = list_->viewport();
    QWheelEvent forwarded(viewport->mapFrom(this, event->position()), event->globalPosition(),
                          event->pixelDelta(), event->angleDelta(), event->buttons(),
                          event->modifiers(), event->phase(), event->inverted());
    QCoreApplication::sendEvent(viewport, &forwarded);
    event->accept();
}

}  // namespace quarten
