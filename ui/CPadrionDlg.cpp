#include "ui/CPadrionDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QUrl>
#include <QWindow>

#include "buttons/ButtonAssignment.h"
#include "settings/ApplySequence.h"
#include "settings/DpiTables.h"
#include "settings/SettingsFile.h"
#include "ui/AccessNotice.h"
#include "ui/AdvancedPage.h"
#include "ui/BasicPage.h"
#include "ui/DeviceController.h"
#include "ui/Notifier.h"
#include "ui/NoticePresenter.h"
#include "ui/dialogs/CSkinsDialog.h"

namespace quarten {
namespace {

namespace frame = layout::frame;
namespace image = layout::image;

enum HoverGroup { kStandsAlone = 0, kOkApplyCancel = 1, kPageArrows = 2 };

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

}  // namespace

DefaultCaptionTexts CPadrionDlg::DefaultCaptions() const {
    // The five clicks are named in the window's language; the rest read the same in all.
    const UiText& text = context_.text;
    DefaultCaptionTexts captions = kEnglishDefaultCaptions;
    captions[0] = text.Get(TextSlot::LeftClick);
    captions[1] = text.Get(TextSlot::RightClick);
    captions[2] = text.Get(TextSlot::MidClick);
    captions[3] = text.Get(TextSlot::Forward);
    captions[4] = text.Get(TextSlot::Backward);
    return captions;
}

CPadrionDlg::CPadrionDlg(AppContext& context)
    : context_(context), appliedCaptions_(context.skin.captions) {
    // A frameless tool window: no task-bar entry, no Alt+Tab entry, drawn entirely by us.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setWindowTitle(QStringLiteral("QUARTEN"));
    setFixedSize(context_.canvas.Size().isEmpty() ? QSize(1, 1) : context_.canvas.Size());
    basic_ = std::make_unique<BasicPage>(*this);
    advanced_ = std::make_unique<AdvancedPage>(*this);
    qApp->installEventFilter(this);
}

CPadrionDlg::~CPadrionDlg() { qApp->removeEventFilter(this); }

Page* CPadrionDlg::Current() {
    switch (state_) {
        case PageState::Basic: return basic_.get();
        case PageState::Advanced: return advanced_.get();
        default: return nullptr;
    }
}

void CPadrionDlg::Redraw() {
    if (Page* page = Current()) page->Draw();
    DrawFrame();
    if (!MouseReady()) DrawNoMouseNotice();
    Present();
}

bool CPadrionDlg::MouseReady() const { return context_.device && context_.device->Ready(); }

void CPadrionDlg::DrawNoMouseNotice() {
    // Said on the page itself, where the person looks, instead of only in a notice that
    // may already be gone: what is wrong and what to do about it.
    const DiscoveryReport none{};
    const DiscoveryReport& report = context_.device ? context_.device->Link().LastDiscovery() : none;
    context_.canvas.Notice(frame::kNoMouseNotice, NoMouseNoticeText(context_.language, report));
}

void CPadrionDlg::Present() {
    hover_ = FrameHoverRegions();
    if (Page* page = Current()) {
        auto more = page->HoverRegions();
        hover_.insert(hover_.end(), more.begin(), more.end());
    }
    highlighted_.reset();
    update();
}

void CPadrionDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, context_.canvas.Image());
}

void CPadrionDlg::DrawFrame() {
    SkinCanvas& canvas = context_.canvas;
    canvas.TextButton(frame::kOk, context_.Text(TextSlot::Ok), false);
    canvas.TextButton(frame::kApply, context_.Text(TextSlot::Apply), false);
    canvas.TextButton(frame::kCancel, context_.Text(TextSlot::Cancel), false);
    canvas.Draw(image::kSkinsNormal, frame::kSkins);
    canvas.Draw(image::kMinNormal, frame::kMinimise);
    canvas.Draw(image::kCloseNormal, frame::kClose);
    canvas.Draw(image::kPrePageNormal, frame::kPrevPage);
    canvas.Draw(image::kNextPageNormal, frame::kNextPage);
    // The maker's address is a frame region: it opens from either page, so both show it.
    canvas.Text(frame::kWebAddress, context_.Text(TextSlot::WebAddress), Qt::AlignCenter,
                canvas.NormalFont(), canvas.TextColour());
    canvas.Text(frame::kPageTitle,
                context_.Text(state_ == PageState::Advanced ? TextSlot::AdvancedSettings
                                                            : TextSlot::BasicSettings),
                Qt::AlignLeft | Qt::AlignVCenter, canvas.HeadingFont(), Qt::white);
}

std::vector<HoverRegion> CPadrionDlg::FrameHoverRegions() {
    SkinCanvas& canvas = context_.canvas;
    auto textButton = [this, &canvas](layout::Rect rect, TextSlot label) {
        return [this, &canvas, rect, label](bool over) {
            canvas.TextButton(rect, context_.Text(label), over);
        };
    };
    auto icon = [&canvas](layout::Rect rect, std::string_view normal, std::string_view over) {
        return [&canvas, rect, normal, over](bool lit) { canvas.Control(lit ? over : normal, rect); };
    };
    return {
        {frame::kOk, kOkApplyCancel, textButton(frame::kOk, TextSlot::Ok)},
        {frame::kApply, kOkApplyCancel, textButton(frame::kApply, TextSlot::Apply)},
        {frame::kCancel, kOkApplyCancel, textButton(frame::kCancel, TextSlot::Cancel)},
        {frame::kSkins, kStandsAlone, icon(frame::kSkins, image::kSkinsNormal, image::kSkinsOver)},
        {frame::kMinimise, kStandsAlone, icon(frame::kMinimise, image::kMinNormal, image::kMinOver)},
        {frame::kClose, kStandsAlone, icon(frame::kClose, image::kCloseNormal, image::kCloseOver)},
        {frame::kPrevPage, kPageArrows,
         icon(frame::kPrevPage, image::kPrePageNormal, image::kPrePageOver)},
        {frame::kNextPage, kPageArrows,
         icon(frame::kNextPage, image::kNextPageNormal, image::kNextPageOver)},
    };
}

void CPadrionDlg::SwitchTo(PageState state) {
    if (state_ == state) return;
    if (state_ == PageState::Basic) basic_->Teardown();
    if (state_ == PageState::Advanced) advanced_->Teardown();
    state_ = state;
    Current()->Build();
    Redraw();
}

void CPadrionDlg::ShowBasicPage() {
    if (state_ == PageState::Basic) return;
    // The first showing of a run reads the sensor back and, on a fresh install, gives the
    // buttons their first-run captions. Without a mouse the read-back waits for its arrival.
    if (!basicInitialised_) {
        basicInitialised_ = true;
        if (MouseReady()) ConnectionReadBack(context_.device->Channel(), context_.settings);
        if (context_.settings.firstRunFlag == 0) {
            FirstRunCaptions(context_.skin.captions, DefaultCaptions());
            WriteButtonCaptions(context_.store, context_.paths.strIni, context_.language,
                                context_.skin.captions);
            appliedCaptions_ = context_.skin.captions;
        }
    }
    SwitchTo(PageState::Basic);
}

void CPadrionDlg::ShowAdvancedPage() { SwitchTo(PageState::Advanced); }

void CPadrionDlg::RebuildCurrentPage() {
    const PageState shown = state_;
    if (shown == PageState::None) return;
    if (shown == PageState::Basic) {
        basic_->Teardown();
        ReadSkinSettings(context_.store, context_.paths.strIni, context_.paths.directory,
                         context_.language, SkinReadScope::CaptionsOnly, context_.skin);
    } else {
        advanced_->Teardown();
    }
    state_ = PageState::None;
    SwitchTo(shown);
}

void CPadrionDlg::TrayClicked() {
    if (MouseReady()) {
        Open();
    } else {
        PresentNotice(context_, DeviceNotice::Missing, 0);
    }
}

void CPadrionDlg::MouseArrived() {
    if (state_ != PageState::None) Redraw();
}

void CPadrionDlg::MouseLost() {
    hide();
    if (state_ != PageState::None) Redraw();
}

void CPadrionDlg::Open() {
    if (rebuildOnShow_) {
        rebuildOnShow_ = false;
        RebuildCurrentPage();
    } else if (!basicInitialised_) {
        ShowBasicPage();
    }
    if (!placed_) {
        // First showing: centred on the screen, as the window was designed to open.
        placed_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            move(screen->availableGeometry().center() - rect().center());
        }
    }
    show();
    raise();
    activateWindow();
}

void CPadrionDlg::ApplySettings(bool hide) {
    if (!MouseReady()) {
        // Nothing is sent or saved, and the window stays open with the edits in it, so they
        // can be applied once the mouse is there.
        context_.warn(QStringLiteral("QUARTEN"), NotSentText(context_.language));
        return;
    }
    SendSettings(context_.device->Channel(), context_.settings);
    const SettingsFileResult saved =
        SaveSettingsFile(context_.store, context_.paths.configBin, context_.settings);
    if (!saved.message.empty()) {
        context_.warn(saved.caption.empty() ? QStringLiteral("QUARTEN") : FromUtf8(saved.caption),
                      FromUtf8(saved.message));
    }
    WriteButtonCaptions(context_.store, context_.paths.strIni, context_.language,
                        context_.skin.captions);
    context_.settings.TakeSnapshot();
    appliedCaptions_ = context_.skin.captions;
    // Only the desktop pointer settings the user changed on the advanced page are written;
    // values read and not changed, and config.bin's before the page was first shown, would
    // undo what the user set in the desktop's own settings.
    ApplyHostPointer(context_);
    if (hide) this->hide();
}

void CPadrionDlg::CancelEdits() {
    context_.settings.RestoreSnapshot();
    context_.skin.captions = appliedCaptions_;
    // The snapshot's pointer bytes may be config.bin's: the page shows the desktop's again.
    CancelHostPointer(context_);
    rebuildOnShow_ = true;
    hide();
}

bool CPadrionDlg::Dispatch(QPoint at) {
    const int x = at.x();
    const int y = at.y();
    // OK, Apply, Cancel and the skins button do not end the dispatch: a press on them that
    // turns into a drag still moves the window.
    bool handled = false;
    if (frame::kOk.contains(x, y)) {
        ApplySettings(true);
        handled = true;
    } else if (frame::kApply.contains(x, y)) {
        ApplySettings(false);
        handled = true;
    } else if (frame::kSkins.contains(x, y)) {
        // The modal dialog takes the press and its drag, so no window move may follow it.
        RunSkinsDialog(*this);
        return false;
    }
    if (frame::kMinimise.contains(x, y)) {
        hide();
        return false;
    }
    if (frame::kClose.contains(x, y)) {
        emit exitRequested();
        return false;
    }
    if (frame::kPrevPage.contains(x, y)) {
        ShowBasicPage();
        return false;
    }
    if (frame::kNextPage.contains(x, y)) {
        ShowAdvancedPage();
        return false;
    }
    if (frame::kCancel.contains(x, y)) {
        CancelEdits();
        handled = true;
    }
    if (frame::kWebAddress.contains(x, y)) {
        QDesktopServices::openUrl(QUrl::fromUserInput(context_.Text(TextSlot::WebAddress)));
        return false;
    }
    if (!handled) {
        if (Page* page = Current(); page && page->Press(at)) return false;
    }
    // A press on no region, or on one of the buttons above, may move the window.
    return true;
}

void CPadrionDlg::HoverAt(QPoint at) {
    std::optional<std::size_t> over;
    for (std::size_t i = 0; i < hover_.size(); ++i) {
        if (hover_[i].rect.contains(at.x(), at.y())) {
            over = i;
            break;
        }
    }
    if (over == highlighted_) return;
    if (highlighted_) hover_[*highlighted_].draw(false);
    if (over) hover_[*over].draw(true);
    highlighted_ = over;
    update();
}

void CPadrionDlg::UnhighlightAll() {
    if (highlighted_) hover_[*highlighted_].draw(false);
    highlighted_.reset();
    update();
}

void CPadrionDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragFrom_.reset();
    const QPoint at = event->position().toPoint();
    // A press whose handler showed a message box or a dialog has lost its release to it:
    // such a press never turns into a move.
    const bool mayMove = Dispatch(at);
    if (mayMove && isVisible() && QGuiApplication::mouseButtons().testFlag(Qt::LeftButton)) {
        dragFrom_ = event->globalPosition().toPoint();
    }
}

void CPadrionDlg::mouseMoveEvent(QMouseEvent* event) {
    if (dragFrom_) {
        if (!event->buttons().testFlag(Qt::LeftButton)) {
            dragFrom_.reset();
        } else if ((event->globalPosition().toPoint() - *dragFrom_).manhattanLength() >=
                   QApplication::startDragDistance()) {
            dragFrom_.reset();
            if (windowHandle()) windowHandle()->startSystemMove();
            return;
        }
    }
    HoverAt(event->position().toPoint());
}

void CPadrionDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragFrom_.reset();
}

void CPadrionDlg::hideEvent(QHideEvent* event) {
    dragFrom_.reset();
    // A window shown again must not open with the button that was under the pointer when
    // it went away still lit.
    UnhighlightAll();
    QWidget::hideEvent(event);
}

void CPadrionDlg::leaveEvent(QEvent* event) {
    UnhighlightAll();
    QWidget::leaveEvent(event);
}

void CPadrionDlg::keyPressEvent(QKeyEvent* event) { event->accept(); }

bool CPadrionDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != this && !isAncestorOf(widget))) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    // Enter and Escape only hide the window: they neither apply nor cancel anything.
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        hide();
        return true;
    }
    return false;
}

void CPadrionDlg::closeEvent(QCloseEvent* event) {
    // Closing only hides: the program ends through the close button or the tray's "Exit".
    event->ignore();
    hide();
}

}  // namespace quarten
