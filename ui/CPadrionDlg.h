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
    void OpenFromTray();
    // A notice of the device link or the listener: its balloon, if it has one.
    void ShowNotice(DeviceNotice notice, std::uint32_t value);

    void ShowBasicPage();
    void ShowAdvancedPage();
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

    // The press dispatch, in its fixed order; public so tests can drive it by point.
    void Dispatch(QPoint at);
    void HoverAt(QPoint at);

signals:
    void exitRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
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
    bool placed_ = false;
    std::vector<HoverRegion> hover_;
    std::optional<std::size_t> highlighted_;
};

}  // namespace quarten
