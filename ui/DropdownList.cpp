#include "ui/DropdownList.h"

#include <QScrollBar>
#include <QWheelEvent>

#include "ui/SkinCanvas.h"

namespace quarten {

DropdownList::DropdownList(QWidget* parent, const layout::Rect& rect, const QStringList& items,
                           const QFont& font, Chosen chosen, Hovered hovered, bool fixedSize)
    : QListWidget(parent) {
    setGeometry(ToQRect(rect));
    setFont(font);
    setMouseTracking(true);
    setFrameShape(QFrame::Box);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus);
    // White on black, as every list of the window; a small fixed list keeps its text whole
    // with a narrower margin.
    padding_ = fixedSize ? QStringLiteral("0px 1px") : QStringLiteral("0px 4px");
    SetColours(QStringLiteral("#000000"));
    addItems(items);
    if (!fixedSize && count() > 0) {
        ensurePolished();
        const int content = sizeHintForRow(0) * count() + 2 * frameWidth();
        if (content < height()) resize(width(), content);
    }
    connect(this, &QListWidget::itemEntered, this, [this, hovered](QListWidgetItem* item) {
        // Moving over an item selects it without choosing it.
        const QSignalBlocker quiet(this);
        setCurrentItem(item);
        if (hovered) hovered(row(item), visualItemRect(item).translated(geometry().topLeft()));
    });
    connect(this, &QListWidget::itemClicked, this,
            [this, chosen](QListWidgetItem* item) { chosen(row(item)); });
    show();
}

void DropdownList::SetColours(const QString& background) {
    setStyleSheet(QStringLiteral(
        "QListWidget { background: %2; color: #ffffff; border: 1px solid #5a6270; }"
        "QListWidget::item { padding: %1; border: none; }"
        "QListWidget::item:selected { padding: %1; border: none; background: #2a7f8c;"
        " color: #ffffff; }").arg(padding_, background));
}

void DropdownList::UseDialogColours() { SetColours(QStringLiteral("rgb(40, 40, 40)")); }

void DropdownList::wheelEvent(QWheelEvent* event) {
    // Three lines a notch, as every list of the program scrolls.
    const int lines = event->angleDelta().y() > 0 ? -3 : 3;
    verticalScrollBar()->setValue(verticalScrollBar()->value() + lines);
    event->accept();
}

}  // namespace quarten
