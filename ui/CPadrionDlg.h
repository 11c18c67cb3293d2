// The main window: one skinned surface with two pages, the frame buttons, the tray's
// balloons and the hand-over between pages.
#pragma once

#include <QWidget>

#include <memory>
#include <optional>

#include "buttons/ButtonAssignment.h"
#include "device/DeviceNotice.h"
#include "ui/AppContext.h"
#include "ui/Page.h"

namespace quarten {

class CPadrionDlg : public QWidget {
    Q_OBJECT
public:
    enum class PageState { None = 0, Basic = 1, Advanced = 2 };

    explicit CPadrionDlg(AppContext& context);
    ~CPadrionDlg() override;

    // The tray icon was clicked: open the window with a usable mouse, else warn.
    void TrayClicked();
    // Opens the window on its current page (the basic page the first time), also without
    // a mouse: the page then says why none can be used.
    void Open();
    // The mouse was accepted, or arrival and removal left none: the page's notice follows.
    void MouseArrived();
    void MouseLost();

    void ShowBasicPage();
    void RebuildCurrentPage();
    PageState CurrentPage() const { return state_; }
    Page* CurrentPageObject() { return Current(); }
    bool BasicPageInitialised() const { return basicInitialised_; }
    // Draws the current page and the frame into the canvas and shows it; pages call this
    // after every change of the settings they show.
    void Redraw();
    AppContext& Context() { return context_; }
    // The sixteen captions of a first start and of "Default", in the window's language.
    DefaultCaptionTexts DefaultCaptions() const;

signals:
    void exitRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The press dispatch, in its fixed order. True when the press may turn into a move of
    // the window (a press on no region, or on OK, Apply, Cancel).
    bool Dispatch(QPoint at);
    void HoverAt(QPoint at);
    void ShowAdvancedPage();
    bool MouseReady() const;
    void DrawNoMouseNotice();
    void ApplySettings(bool hide);
    void CancelEdits();
    void DrawFrame();
    void Present();
    Page* Current();
    std::vector<HoverRegion> FrameHoverRegions();
    void SwitchTo(PageState state);
    void UnhighlightAll();

    AppContext& context_;
    PageState state_ = PageState::None;
    std::unique_ptr<Page> basic_;
    std::unique_ptr<Page> advanced_;
    bool basicInitialised_ = false;
    bool rebuildOnShow_ = false;
    // The captions that go with the snapshot's functions: "Cancel" brings them back with
    // it, so a caption never names a function the restored button does not have.
    ButtonCaptions appliedCaptions_;
    bool placed_ = false;
    std::vector<HoverRegion> hover_;
    std::optional<std::size_t> highlighted_;
    // Where a press that may move the window began; the move starts only once the pointer
    // moves with the button still held, so a click never leaves the window on the pointer.
    std::optional<QPoint> dragFrom_;
};

}  // namespace quarten
