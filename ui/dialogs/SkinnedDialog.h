// The shape every assignment dialog shares: a frameless modal window drawn from a skin
// image, OK, Cancel and close image buttons that light up under the pointer, at most one
// dropdown list, white texts and fields on dark grey.
#pragma once

#include <QDialog>
#include <QPointer>

#include <functional>
#include <string_view>

#include "ui/DropdownList.h"
#include "ui/SkinCanvas.h"
#include "ui/layout/SkinLayout.h"

class QLineEdit;

namespace quarten {

struct AppContext;

class SkinnedDialog : public QDialog {
    Q_OBJECT
public:
    // What each dialog tells the shape: its background, the frame it lays its buttons out
    // in, and the title of the box shown when the background cannot be loaded.
    struct Look {
        std::string_view background;
        layout::DialogFrame frame;
        const char* failureTitle;
    };

    SkinnedDialog(AppContext& context, const Look& look, QWidget* parent);
    ~SkinnedDialog() override;

    // False when the background could not be loaded: the dialog then opens bare, with only
    // its OK, Cancel and close regions.
    bool Dressed() const { return dressed_; }
    DropdownList* OpenList() const { return list_; }
    const layout::DialogFrame& Frame() const { return look_.frame; }
    const QImage& Canvas() const { return canvas_.Image(); }

protected:
    // Builds the dialog's own texts and child controls; called only when dressed.
    virtual void Build() {}
    // Draws the dialog's texts on top of the background and the frame buttons.
    virtual void DrawContents(SkinCanvas&) {}
    // Offers a press the frame did not take; false to let it move the dialog.
    virtual bool Press(QPoint) { return false; }

    // Runs Build() if dressed; derived constructors call it last, once their members exist.
    void Dress();
    void Redraw();
    AppContext& Context() { return context_; }
    SkinCanvas& Surface() { return canvas_; }
    QColor White() const { return Qt::white; }
    // The dialogs' one dropdown: a press on `box` opens the list at `list` with the items
    // (made anew at each opening), a choice calls `chosen` and closes it, a press elsewhere
    // closes it; `opened` hears every open and close (fields are disabled while it is open).
    void SetDropdown(layout::Rect box, layout::Rect list, std::function<QStringList()> items,
                     std::function<void(int)> chosen, std::function<void(bool)> opened = {});
    void CloseList();
    // A line field with the dialogs' colours, centred text.
    QLineEdit* MakeField(const layout::Rect& at, bool digitsOnly);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    enum class Lit { None, Ok, Cancel, Close };
    void PressAt(QPoint at);
    void HoverAt(QPoint at);
    void DrawFrameButton(Lit which, bool over);
    void ToggleList();

    AppContext& context_;
    Look look_;
    SkinCanvas canvas_;
    bool dressed_ = false;
    bool imageFailureShown_ = false;
    Lit lit_ = Lit::None;

    layout::Rect listBox_{};
    layout::Rect listRect_{};
    std::function<QStringList()> listItems_;
    std::function<void(int)> listChosen_;
    std::function<void(bool)> listOpened_;
    QPointer<DropdownList> list_;
};

}  // namespace quarten
