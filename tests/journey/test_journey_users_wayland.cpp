// Journeys of who and where: a second user on the same X display has a quarten of their own,
// and on a Wayland compositor (weston, headless) the window shows at a start by hand, an
// autostart stays hidden, and a second start shows the running one's window and ends.
// xdotool cannot reach Wayland, so the Wayland journeys read the program's own protocol
// log (WAYLAND_DEBUG=1): the xdg_toplevel it asks for, its title and size, and whether a
// picture was attached to it.
#include <pwd.h>
#include <unistd.h>

#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <map>

#include "tests/journey/Journey.h"

namespace quarten::journey {
namespace {

namespace frame = layout::frame;

// ---------------------------------------------------------------------------------------
class SecondUserJourney : public Journey {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "a second user needs root (runuser)";
        if (!::getpwnam("nobody")) GTEST_SKIP() << "no account 'nobody'";
        if (auto missing = MissingX()) GTEST_SKIP() << *missing;
        if (auto missing = Missing({"runuser"})) GTEST_SKIP() << *missing;
        ASSERT_TRUE(desktop_.StartX(true));
        ASSERT_TRUE(desktop_.StartWindowManager());
    }

    std::optional<WindowGeometry> Find(const QString& id) {
        for (const auto& w : screen_.MainWindows()) {
            if (w.id == id) return w;
        }
        return std::nullopt;
    }
};

TEST_F(SecondUserJourney, EachUserHasAnInstanceAndASecondStartShowsTheirOwnWindow) {
    Process& mine = desktop_.StartQuarten();
    const auto myWindow = screen_.WaitForMainWindow(kPatience);
    ASSERT_TRUE(myWindow) << Logs();

    User* other = nullptr;
    ASSERT_TRUE(desktop_.AddUser("nobody", other));
    Process& theirs = desktop_.StartQuarten({}, other);
    std::optional<WindowGeometry> theirWindow;
    ASSERT_TRUE(WaitFor([&] {
        for (const auto& w : screen_.MainWindows()) {
            if (w.id != myWindow->id) theirWindow = w;
        }
        return theirWindow.has_value() || !theirs.Running();
    })) << "the second user's quarten showed no window\n"
        << Logs();
    ASSERT_TRUE(theirWindow) << "the second user's quarten ended with " << theirs.ExitCode() << "\n"
                             << Logs();
    // Each keeps its runtime files in its own runtime folder.
    EXPECT_TRUE(QFileInfo(desktop_.Me().runtimeDir + "/quarten").isDir());
    EXPECT_TRUE(QFileInfo(other->runtimeDir + "/quarten").isDir());

    // The second user hides their window; mine stays.
    screen_.Xdotool({"windowactivate", "--sync", theirWindow->id});
    screen_.Click(*theirWindow, frame::kMinimise);
    ASSERT_TRUE(WaitFor([&] { return !Find(theirWindow->id); }))
        << "the minimise button did not hide the second user's window";
    EXPECT_TRUE(Find(myWindow->id)) << "hiding theirs hid mine";

    // The second user starts quarten again: their window comes back, the start ends.
    Process& again = desktop_.StartQuarten({}, other);
    ASSERT_TRUE(again.WaitForExit(kPatience)) << "the second start keeps running\n" << Logs();
    EXPECT_EQ(again.ExitCode(), 0);
    EXPECT_TRUE(WaitFor([&] { return Find(theirWindow->id).has_value(); }))
        << "the second user's window did not come back\n"
        << Logs();
    EXPECT_TRUE(Find(myWindow->id));
    EXPECT_EQ(screen_.MainWindows().size(), 2u);
    EXPECT_TRUE(mine.Running());
    EXPECT_TRUE(theirs.Running());
}

// ---------------------------------------------------------------------------------------
// The toplevel windows a Wayland client asked for, read from its WAYLAND_DEBUG output.
struct Toplevel {
    QString title;
    int minWidth = 0;
    int minHeight = 0;
    bool pictured = false;  // a buffer was attached to its surface
    bool open = true;       // not destroyed since
};

std::vector<Toplevel> Toplevels(const QString& log) {
    static const QRegularExpression getXdgSurface(
        R"re(-> xdg_wm_base@\d+\.get_xdg_surface\(new id xdg_surface@(\d+), wl_surface@(\d+)\))re");
    static const QRegularExpression getToplevel(
        R"re(-> xdg_surface@(\d+)\.get_toplevel\(new id xdg_toplevel@(\d+)\))re");
    static const QRegularExpression setTitle(R"re(-> xdg_toplevel@(\d+)\.set_title\("(.*)"\))re");
    static const QRegularExpression setMinSize(
        R"re(-> xdg_toplevel@(\d+)\.set_min_size\((\d+), (\d+)\))re");
    static const QRegularExpression attach(R"re(-> wl_surface@(\d+)\.attach\(wl_buffer@\d+,)re");
    static const QRegularExpression destroy(R"re(-> xdg_toplevel@(\d+)\.destroy\(\))re");

    std::vector<Toplevel> all;
    std::map<QString, QString> surfaceOfXdgSurface;
    std::map<QString, std::size_t> toplevelById;       // open toplevels by object id
    std::map<QString, std::size_t> toplevelBySurface;  // and by their wl_surface
    for (const QString& line : log.split('\n')) {
        if (!line.contains("-> ")) continue;
        if (auto m = getXdgSurface.match(line); m.hasMatch()) {
            surfaceOfXdgSurface[m.captured(1)] = m.captured(2);
        } else if (auto m = getToplevel.match(line); m.hasMatch()) {
            all.push_back({});
            toplevelById[m.captured(2)] = all.size() - 1;
            toplevelBySurface[surfaceOfXdgSurface[m.captured(1)]] = all.size() - 1;
        } else if (auto m = setTitle.match(line); m.hasMatch()) {
            if (toplevelById.count(m.captured(1)))
                all[toplevelById[m.captured(1)]].title = m.captured(2);
        } else if (auto m = setMinSize.match(line); m.hasMatch()) {
            if (toplevelById.count(m.captured(1))) {
                all[toplevelById[m.captured(1)]].minWidth = m.captured(2).toInt();
                all[toplevelById[m.captured(1)]].minHeight = m.captured(3).toInt();
            }
        } else if (auto m = attach.match(line); m.hasMatch()) {
            if (toplevelBySurface.count(m.captured(1))) {
                Toplevel& t = all[toplevelBySurface[m.captured(1)]];
                if (t.open) t.pictured = true;
            }
        } else if (auto m = destroy.match(line); m.hasMatch()) {
            if (toplevelById.count(m.captured(1))) all[toplevelById[m.captured(1)]].open = false;
            toplevelById.erase(m.captured(1));
        }
    }
    return all;
}

// quarten's main window on the screen: titled, 900 x 660, with a picture, not taken down.
int ShownMainWindows(const QString& log) {
    int shown = 0;
    for (const Toplevel& t : Toplevels(log)) {
        if (t.title == "QUARTEN" && t.pictured && t.open && t.minWidth == 900 &&
            t.minHeight == 660) {
            ++shown;
        }
    }
    return shown;
}

class WaylandJourney : public Journey {
protected:
    void SetUp() override {
        if (auto missing = Missing({"weston"})) GTEST_SKIP() << *missing;
        const QString plugin =
            QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/libqwayland-generic.so";
        if (!QFileInfo::exists(plugin)) GTEST_SKIP() << "no Qt Wayland plugin (qt6-wayland)";
        ASSERT_TRUE(desktop_.StartWayland());
        wayland_.insert("QT_QPA_PLATFORM", "wayland");
        wayland_.insert("WAYLAND_DEBUG", "1");
    }

    QuartenStart OnWayland(QStringList extra = {}) { return {.extra = extra, .addEnv = wayland_}; }

    QProcessEnvironment wayland_;
};

TEST_F(WaylandJourney, AStartByHandShowsTheWindowAndASecondStartEndsAtOnce) {
    Process& first = desktop_.StartQuarten(OnWayland());
    ASSERT_TRUE(WaitFor([&] { return ShownMainWindows(first.Log()) == 1 || !first.Running(); }))
        << "no 900 x 660 toplevel \"QUARTEN\" with a picture\n"
        << first.LogTail(40).toStdString();
    ASSERT_TRUE(first.Running()) << first.LogTail(40).toStdString();

    Process& second = desktop_.StartQuarten(OnWayland());
    ASSERT_TRUE(second.WaitForExit(kPatience)) << "the second start keeps running";
    EXPECT_EQ(second.ExitCode(), 0) << second.LogTail().toStdString();
    EXPECT_TRUE(Toplevels(second.Log()).empty()) << "the second start opened a window";
    // The running one still has its one window; none was added.
    EXPECT_TRUE(StaysFalse([&] { return Toplevels(first.Log()).size() != 1; }));
    EXPECT_EQ(ShownMainWindows(first.Log()), 1);
    EXPECT_TRUE(first.Running());
}

TEST_F(WaylandJourney, AnAutostartStaysHiddenAndASecondStartShowsItsWindow) {
    Process& first = StartQuartenAndWait(OnWayland({"--autostart"}));
    ASSERT_TRUE(first.Running()) << first.LogTail(40).toStdString();
    EXPECT_TRUE(StaysFalse([&] { return !Toplevels(first.Log()).empty(); }))
        << "an autostart opened a window";

    Process& second = desktop_.StartQuarten(OnWayland());
    ASSERT_TRUE(second.WaitForExit(kPatience)) << "the second start keeps running";
    EXPECT_EQ(second.ExitCode(), 0) << second.LogTail().toStdString();
    EXPECT_TRUE(WaitFor([&] { return ShownMainWindows(first.Log()) == 1; }))
        << "the second start did not show the running one's window\n"
        << first.LogTail(40).toStdString();
    EXPECT_TRUE(Toplevels(second.Log()).empty()) << "the second start opened a window";
}

}  // namespace
}  // namespace quarten::journey
