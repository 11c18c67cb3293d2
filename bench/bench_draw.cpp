// Skinned drawing in the real window (offscreen): one hovered region and whole pages, with
// the decoded-image cache warm and emptied, and whether an edited skin PNG shows at once.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QUuid>
#include <QWindow>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchTable.h"
#include "bench/ScratchDir.h"
#include "host/PointerBackend.h"
#include "sim/SimulatedMouse.h"
#include "ui/AppContext.h"
#include "ui/CPadrionApp.h"
#include "ui/CPadrionDlg.h"
#include "ui/Notifier.h"

namespace quarten {
namespace {

namespace frame = layout::frame;

class NoPacer : public Pacer {
public:
    void Wait(int) override {}
};

class QuietNotifier : public Notifier {
public:
    void Show(const QString&, const QString&, int) override {}
};

// The application on the simulated mouse with its own copy of the factory data, the window
// open on the basic page.
class DrawRig {
public:
    DrawRig() {
        std::filesystem::copy(QUARTEN_FACTORY_DIR, dir.Path(),
                              std::filesystem::copy_options::recursive);
        AppOverrides overrides;
        overrides.transport = std::make_unique<sim::SimulatedMouse>();
        overrides.pacer = &pacer;
        overrides.notifier = &notifier;
        overrides.trayAtStart = false;
        overrides.hotplug = false;
        overrides.instanceKey = "quarten-bench-" + QUuid::createUuid().toString(QUuid::Id128);
        overrides.warn = [](const QString&, const QString&) {};
        overrides.pointer = std::make_unique<NullPointerBackend>();
        AppOptions options;
        options.dataDir = QString::fromStdString(dir.Path().string());
        app = std::make_unique<CPadrionApp>(options, std::move(overrides));
        if (!app->Start() || !app->Window()) throw std::runtime_error("quarten did not start");
        // Repaints reach the screen only once the window is exposed.
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!Exposed() && std::chrono::steady_clock::now() < until) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }
    bool Exposed() {
        QWindow* handle = Window().windowHandle();
        return Window().isVisible() && handle && handle->isExposed();
    }
    CPadrionDlg& Window() { return *app->Window(); }
    AppContext& Context() { return *app->Context(); }

    // Every region that lights up on the current page, the frame's included.
    std::vector<layout::Rect> HoverRects() {
        std::vector<layout::Rect> rects = {frame::kOk,       frame::kApply,    frame::kCancel,
                                           frame::kSkins,    frame::kMinimise, frame::kClose,
                                           frame::kPrevPage, frame::kNextPage};
        for (const HoverRegion& region : Window().CurrentPageObject()->HoverRegions()) {
            rects.push_back(region.rect);
        }
        return rects;
    }
    // A point of the window that lies in no region, for moving the pointer off one.
    QPoint Nowhere() {
        const auto rects = HoverRects();
        const QSize size = Context().canvas.Size();
        for (int y = 0; y < size.height(); y += 3) {
            for (int x = 0; x < size.width(); x += 3) {
                bool inside = false;
                for (const auto& r : rects) inside = inside || r.contains(x, y);
                if (!inside) return {x, y};
            }
        }
        throw std::runtime_error("no point outside the hover regions");
    }

    bench::ScratchDir dir{"quarten-bench-draw"};
    NoPacer pacer;
    QuietNotifier notifier;
    std::unique_ptr<CPadrionApp> app;
};

DrawRig* g_rig = nullptr;

QPoint Centre(const layout::Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The pointer moves over the window, as the window system reports it.
void MoveTo(QWidget& window, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, window.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&window, &move);
}

void ClickAt(QWidget& window, QPoint at) {
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent click(type, at, window.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&window, &click);
    }
}

enum class Cache { Warm, Emptied };

// Each iteration moves the pointer either onto the next region or off it again, so each
// draws exactly one region: its "over" look or its normal look.
void HoverLoop(benchmark::State& state, Cache cache, bool repaintWindow) {
    CPadrionDlg& window = g_rig->Window();
    const auto rects = g_rig->HoverRects();
    const QPoint nowhere = g_rig->Nowhere();
    MoveTo(window, nowhere);
    std::size_t next = 0;
    bool onRegion = false;
    for (auto _ : state) {
        if (cache == Cache::Emptied) g_rig->Context().images.Clear();
        MoveTo(window, onRegion ? nowhere : Centre(rects[next]));
        if (onRegion) next = (next + 1) % rects.size();
        onRegion = !onRegion;
        // The window asks for a repaint of its whole surface after a hover change.
        if (repaintWindow) window.repaint();
    }
    MoveTo(window, nowhere);
}

void BM_HoverRegionCached(benchmark::State& state) { HoverLoop(state, Cache::Warm, false); }
void BM_HoverRegionUncached(benchmark::State& state) { HoverLoop(state, Cache::Emptied, false); }
void BM_HoverRegionRepainted(benchmark::State& state) { HoverLoop(state, Cache::Warm, true); }
BENCHMARK(BM_HoverRegionCached)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverRegionUncached)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverRegionRepainted)->Unit(benchmark::kMicrosecond);

void PageLoop(benchmark::State& state, CPadrionDlg::PageState page, Cache cache) {
    CPadrionDlg& window = g_rig->Window();
    if (page == CPadrionDlg::PageState::Advanced) ClickAt(window, Centre(frame::kNextPage));
    if (page == CPadrionDlg::PageState::Basic) ClickAt(window, Centre(frame::kPrevPage));
    for (auto _ : state) {
        if (cache == Cache::Emptied) g_rig->Context().images.Clear();
        window.Redraw();
    }
    ClickAt(window, Centre(frame::kPrevPage));
}

void BM_BasicPageCached(benchmark::State& s) {
    PageLoop(s, CPadrionDlg::PageState::Basic, Cache::Warm);
}
void BM_BasicPageUncached(benchmark::State& s) {
    PageLoop(s, CPadrionDlg::PageState::Basic, Cache::Emptied);
}
void BM_AdvancedPageCached(benchmark::State& s) {
    PageLoop(s, CPadrionDlg::PageState::Advanced, Cache::Warm);
}
void BM_AdvancedPageUncached(benchmark::State& s) {
    PageLoop(s, CPadrionDlg::PageState::Advanced, Cache::Emptied);
}
BENCHMARK(BM_BasicPageCached)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BasicPageUncached)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AdvancedPageCached)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AdvancedPageUncached)->Unit(benchmark::kMicrosecond);

// The slowest single region: each region's over and normal looks drawn many times, the
// mean per draw of the worst one.
double SlowestRegionMicros() {
    using Clock = std::chrono::steady_clock;
    CPadrionDlg& window = g_rig->Window();
    const QPoint nowhere = g_rig->Nowhere();
    double worst = 0;
    constexpr int kToggles = 100;
    for (const layout::Rect& rect : g_rig->HoverRects()) {
        MoveTo(window, nowhere);
        const auto start = Clock::now();
        for (int i = 0; i < kToggles; ++i) {
            MoveTo(window, Centre(rect));
            MoveTo(window, nowhere);
        }
        const double perDraw =
            std::chrono::duration<double, std::micro>(Clock::now() - start).count() /
            (2 * kToggles);
        worst = std::max(worst, perDraw);
    }
    return worst;
}

QRgb CanvasPixel(const QPoint& at) { return g_rig->Context().canvas.Image().pixel(at); }

// Replaces a skin image by a plain opaque one of the same dimensions; returns its file size.
qint64 RepaintSkinImage(const QString& path, QRgb colour) {
    QImage image(QImage(path).size(), QImage::Format_ARGB32);
    image.fill(colour);
    image.save(path, "PNG");
    return QFileInfo(path).size();
}

// Edits the OK button's "over" image between two draws of it and looks at what the canvas
// shows: first an edit made long after the image was read, as a user's is, then a second
// one that the cache's key (modification time, size) cannot tell from the first.
void CheckChangedImage() {
    CPadrionDlg& window = g_rig->Window();
    ClickAt(window, Centre(frame::kPrevPage));
    const QPoint nowhere = g_rig->Nowhere();
    const QPoint probe(frame::kOk.left + 2, frame::kOk.top + 2);  // clear of the label
    const QString path = g_rig->Context().canvas.Folder() + "/" +
                         QString::fromUtf8(layout::image::kButtonOver.data(),
                                           static_cast<int>(layout::image::kButtonOver.size()));
    auto drawOver = [&] {
        MoveTo(window, nowhere);
        MoveTo(window, Centre(frame::kOk));
    };
    drawOver();  // the shipped image is decoded and cached
    const QRgb first = qRgb(255, 0, 255);
    const qint64 firstSize = RepaintSkinImage(path, first);
    const QDateTime firstTime = QFileInfo(path).lastModified();
    drawOver();
    const bool changedDrawn = CanvasPixel(probe) == first;
    std::printf("changed image drawn: %s\n", changedDrawn ? "yes" : "no");
    bench::PrintWordRow("Skin: edited PNG drawn at the next draw", changedDrawn ? "yes" : "no",
                        "yes", changedDrawn);

    // A second edit of the same byte size whose modification time reads as the first's, as
    // happens when both land within one tick of the file system's clock (4 ms here).
    const QRgb second = qRgb(0, 255, 255);
    const qint64 secondSize = RepaintSkinImage(path, second);
    QFile edited(path);
    const bool stamped = edited.open(QIODevice::ReadWrite) &&
                         edited.setFileTime(firstTime, QFileDevice::FileModificationTime);
    edited.close();
    drawOver();
    const bool quickDrawn = CanvasPixel(probe) == second;
    if (firstSize == secondSize && stamped) {
        bench::PrintNote(std::string("A second edit of the same byte size and modification time "
                                     "(one clock tick after the first) drawn: ") +
                         (quickDrawn ? "yes" : "no") + ".");
    }
    MoveTo(window, nowhere);
}

}  // namespace
}  // namespace quarten

int main(int argc, char** argv) {
    using namespace quarten;
    int repetitions = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--benchmark_repetitions=", 0) == 0) repetitions = std::stoi(arg.substr(24));
    }
    bench::ScratchDir runtime{"quarten-bench-runtime"};
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.Path().string()));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    benchmark::Initialize(&argc, argv);
    DrawRig rig;
    g_rig = &rig;

    bench::RepetitionCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    std::vector<double> slowest;
    for (int r = 0; r < repetitions; ++r) slowest.push_back(SlowestRegionMicros());

    const auto regionGoal = bench::Goal::MedianAtMost(1000, "<= 1000 us");
    const std::string regions = std::to_string(rig.HoverRects().size());
    bench::PrintRow("Draw: one hovered region, images cached (mean of " + regions + ")",
                    collector.RealMicros("BM_HoverRegionCached"), "us", regionGoal);
    bench::PrintRow("Draw: slowest single hovered region, images cached", slowest, "us",
                    regionGoal);
    bench::PrintRow("Draw: one hovered region, cache emptied before each",
                    collector.RealMicros("BM_HoverRegionUncached"), "us", regionGoal);
    bench::PrintRow("Draw: hovered region + whole-window repaint (" +
                        QGuiApplication::platformName().toStdString() + ")",
                    collector.RealMicros("BM_HoverRegionRepainted"), "us", regionGoal);
    bench::PrintRow("Draw: whole basic page, images cached",
                    collector.RealMicros("BM_BasicPageCached"), "us", bench::Goal::None());
    bench::PrintRow("Draw: whole basic page, cache emptied",
                    collector.RealMicros("BM_BasicPageUncached"), "us", bench::Goal::None());
    bench::PrintRow("Draw: whole advanced page, images cached",
                    collector.RealMicros("BM_AdvancedPageCached"), "us", bench::Goal::None());
    bench::PrintRow("Draw: whole advanced page, cache emptied",
                    collector.RealMicros("BM_AdvancedPageUncached"), "us", bench::Goal::None());
    CheckChangedImage();
    g_rig = nullptr;
    benchmark::Shutdown();
    return 0;
}
