// The list of a dropdown: a real child list that exists only while open; hovering moves the
// selection, a click chooses.
#pragma once

#include <QListWidget>

#include <functional>

#include "ui/layout/SkinLayout.h"

namespace quarten {

class DropdownList : public QListWidget {
    Q_OBJECT
public:
    using Chosen = std::function<void(int index)>;
    using Hovered = std::function<void(int index, QRect itemRect)>;

    // The list takes the rectangle, or only its upper part when the items need less
    // (fixedSize keeps the whole rectangle).
    DropdownList(QWidget* parent, const layout::Rect& rect, const QStringList& items,
                 const QFont& font, Chosen chosen, Hovered hovered = {}, bool fixedSize = false);
    // The assignment dialogs show their lists white on dark grey.
    void UseDialogColours();
    // Whether the press point lies on the list (the box is the page's to test).
    bool Covers(QPoint at) const { return geometry().contains(at); }

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void SetColours(const QString& background);
    QString padding_;
};

}  // namespace quarten
