#include "tests/journey/Desktop.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>

#include "tests/journey/Wait.h"

namespace quarten::journey {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

QString Built(const char* program) { return QStringLiteral(QUARTEN_BINARY_DIR "/bin/") + program; }

// Everything of the machine's own session that would lead a program to the real desktop.
constexpr const char* kSessionVariables[] = {"DISPLAY",
                                             "WAYLAND_DISPLAY",
                                             "DBUS_SESSION_BUS_ADDRESS",
                                             "XAUTHORITY",
                                             "XDG_CURRENT_DESKTOP",
                                             "XDG_SESSION_TYPE",
                                             "XDG_SESSION_DESKTOP",
                                             "DESKTOP_SESSION",
                                             "SESSION_MANAGER",
                                             "XDG_DATA_HOME",
                                             "XDG_STATE_HOME",
                                             "XDG_CACHE_HOME",
                                             "QT_QPA_PLATFORM",
                                             "QT_QPA_PLATFORMTHEME",
                                             "GSETTINGS_BACKEND",
                                             "LANGUAGE",
                                             "LC_ALL",
                                             "QUARTEN_POINTER_BACKEND",
                                             "QUARTEN_READY_FD",
                                             "QUARTEN_JOURNEY_SHOTS",
                                             "WAYLAND_DEBUG"};

// A bus that starts nothing by itself: without this the standard session configuration would
// let the first Notify call start the installed dunst, and "no notification service" could
// not be had.
constexpr const char* kBusConfig = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <auth>EXTERNAL</auth>
  <listen>unix:path=%1</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

// dunst's default time-out, the same for every urgency and unlike any time quarten asks for,
// so that a notice left to the service's default is told apart from one with its own time.
constexpr const char* kDunstConfig = R"([global]
    idle_threshold = 0
    show_age_threshold = -1
[urgency_low]
    timeout = %1
[urgency_normal]
    timeout = %1
[urgency_critical]
    timeout = %1
)";

bool WriteText(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text.toUtf8()) == text.toUtf8().size();
}

void ChownTree(const fs::path& top, uid_t uid, gid_t gid) {
    ::chown(top.c_str(), uid, gid);
    for (const auto& entry : fs::recursive_directory_iterator(top)) {
        ::lchown(entry.path().c_str(), uid, gid);
    }
}

// The folders of one user under `top`, data copied from the build.
User MakeUser(const QString& name, const fs::path& top, const QProcessEnvironment& base) {
    fs::create_directories(top / "home");
    fs::create_directories(top / "config");
    fs::create_directories(top / "run");
    fs::permissions(top / "run", fs::perms::owner_all, fs::perm_options::replace);
    fs::copy(fs::path(QUARTEN_BINARY_DIR) / "share" / "quarten", top / "data",
             fs::copy_options::recursive);
    User user;
    user.name = name;
    user.home = Q(top / "home");
    user.runtimeDir = Q(top / "run");
    user.configHome = Q(top / "config");
    user.dataDir = Q(top / "data");
    user.traceFile = Q(top / "data" / "trace.txt");
    user.env = base;
    user.env.insert("HOME", user.home);
    user.env.insert("XDG_RUNTIME_DIR", user.runtimeDir);
    user.env.insert("XDG_CONFIG_HOME", user.configHome);
    user.env.insert("XDG_CACHE_HOME", Q(top / "home" / ".cache"));
    // Until a journey starts a bus, any bus connection fails at once (and none is launched).
    user.env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + Q(top / "no-bus"));
    return user;
}

}  // namespace

Desktop::Desktop() {
    // Other users must be able to pass through to their own folders.
    fs::permissions(root_.Path(),
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                        fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::replace);
    fs::create_directories(root_.Path() / "logs");
    QProcessEnvironment base = QProcessEnvironment::systemEnvironment();
    for (const char* name : kSessionVariables) base.remove(name);
    base.insert("LC_ALL", "C.UTF-8");
    base.insert("QT_QPA_PLATFORM", "xcb");
    base.insert("QUARTEN_POINTER_BACKEND", "none");  // never the real desktop's settings
    me_ = MakeUser("", root_.Path(), base);
}

Desktop::~Desktop() { StopAll(); }

QString Desktop::Path(const QString& name) const { return Q(root_.Path() / name.toStdString()); }

Process& Desktop::Start(const QString& name, const QString& program, const QStringList& arguments,
                        const QProcessEnvironment& env, bool pipeOnFd3) {
    const QString log = Path(QStringLiteral("logs/%1-%2.log").arg(++started_).arg(name));
    processes_.push_back(std::make_unique<Process>(name, program, arguments, env, log, pipeOnFd3));
    return *processes_.back();
}

ToolRun Desktop::Run(const QString& program, const QStringList& arguments,
                     const std::optional<QProcessEnvironment>& env, int timeoutMs) const {
    QProcess tool;
    tool.setProcessEnvironment(env ? *env : me_.env);
    tool.setStandardInputFile(QProcess::nullDevice());
    tool.start(program, arguments);
    ToolRun run;
    if (!tool.waitForStarted(10000)) return run;
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished(3000);
        run.err = "timed out";
        return run;
    }
    run.out = QString::fromUtf8(tool.readAllStandardOutput());
    run.err = QString::fromUtf8(tool.readAllStandardError());
    if (tool.exitStatus() == QProcess::NormalExit) run.exitCode = tool.exitCode();
    return run;
}

::testing::AssertionResult Desktop::StartX(bool anyUserMayConnect) {
    QStringList args{"-displayfd", "3",           "-noreset",  "-screen",
                     "0",          "1280x900x24", "-nolisten", "tcp"};
    if (anyUserMayConnect) args << "-ac";
    Process& x = Start("Xvfb", "Xvfb", args, me_.env, true);
    if (!x.Started()) return ::testing::AssertionFailure() << "Xvfb did not start";
    // Xvfb picks a free display itself and says its number once it accepts clients.
    QByteArray said;
    WaitFor([&] {
        said = x.PipeText();
        return said.contains('\n') || !x.Running();
    });
    if (!said.contains('\n')) {
        return ::testing::AssertionFailure() << "Xvfb did not say its display\n"
                                             << x.LogTail().toStdString();
    }
    display_ = ":" + QString::fromLatin1(said).trimmed();
    me_.env.insert("DISPLAY", display_);
    for (auto& other : others_) other->env.insert("DISPLAY", display_);
    if (!WaitFor([&] { return Run("xdpyinfo", {}).exitCode == 0; })) {
        return ::testing::AssertionFailure() << "nothing answers on " << display_.toStdString();
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Desktop::StartWindowManager() {
    Process& wm = Start("openbox", "openbox", {"--sm-disable"}, me_.env);
    // A window manager announces itself on the root window.
    if (!WaitFor([&] {
            return Run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).out.contains("window id") ||
                   !wm.Running();
        }) ||
        !wm.Running()) {
        return ::testing::AssertionFailure() << "openbox did not take the screen\n"
                                             << wm.LogTail().toStdString();
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Desktop::StartTray() {
    Process& tray = Start("trayer", "trayer",
                          {"--edge", "top", "--align", "right", "--widthtype", "pixel", "--width",
                           "120", "--height", "32"},
                          me_.env);
    // trayer owns the tray selection before it creates its panel window, so a panel on the
    // screen means a program starting now finds a tray.
    if (!WaitFor([&] {
            return Run("xwininfo", {"-root", "-tree"}).out.contains("(\"panel\" \"trayer\")") ||
                   !tray.Running();
        }) ||
        !tray.Running()) {
        return ::testing::AssertionFailure() << "trayer showed no panel\n"
                                             << tray.LogTail().toStdString();
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Desktop::StartBus() {
    const QString config = Path("bus.conf");
    if (!WriteText(config, QString::fromLatin1(kBusConfig).arg(Path("bus")))) {
        return ::testing::AssertionFailure() << "cannot write " << config.toStdString();
    }
    Process& bus = Start(
        "dbus-daemon", "dbus-daemon",
        {"--config-file=" + config, "--nofork", "--nopidfile", "--print-address=3"}, me_.env, true);
    QByteArray said;
    WaitFor([&] {
        said = bus.PipeText();
        return said.contains('\n') || !bus.Running();
    });
    if (!said.contains('\n')) {
        return ::testing::AssertionFailure() << "dbus-daemon did not say its address\n"
                                             << bus.LogTail().toStdString();
    }
    me_.env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromLatin1(said).trimmed());
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Desktop::StartNotificationService() {
    // The monitor first, so that it sees the first notice; a probe signal shows it listens.
    Process& monitor = Start("dbus-monitor", "dbus-monitor",
                             {"--session",
                              "type='method_call',interface='org.freedesktop.Notifications',"
                              "member='Notify'",
                              "type='signal',interface='quarten.journey.Probe'"},
                             me_.env);
    const bool listening = WaitFor([&] {
        Run("dbus-send",
            {"--session", "--type=signal", "/quarten/journey", "quarten.journey.Probe.Listening"});
        return monitor.Log().contains("quarten.journey.Probe") || !monitor.Running();
    });
    if (!listening || !monitor.Running()) {
        return ::testing::AssertionFailure() << "dbus-monitor does not listen\n"
                                             << monitor.LogTail().toStdString();
    }
    const QString config = Path("dunstrc");
    WriteText(config, QString::fromLatin1(kDunstConfig).arg(kServiceTimeoutSeconds));
    Process& dunst = Start("dunst", "dunst", {"-config", config}, me_.env);
    if (!WaitFor([&] {
            return Run("dunstctl", {"count", "displayed"}).exitCode == 0 || !dunst.Running();
        }) ||
        !dunst.Running()) {
        return ::testing::AssertionFailure() << "dunst did not come on the bus\n"
                                             << dunst.LogTail().toStdString();
    }
    return ::testing::AssertionSuccess();
}

QString Desktop::NotifyLog() const {
    for (const auto& p : processes_) {
        if (p->Name() == "dbus-monitor") return p->Log();
    }
    return {};
}

::testing::AssertionResult Desktop::StartWayland() {
    const QString socket = QStringLiteral("quarten-journey");
    Process& weston =
        Start("weston", "weston",
              {"--backend=headless-backend.so", "--socket=" + socket, "--idle-time=0"}, me_.env);
    if (!WaitFor([&] {
            return QFileInfo::exists(me_.runtimeDir + "/" + socket) || !weston.Running();
        }) ||
        !weston.Running()) {
        return ::testing::AssertionFailure() << "weston made no socket\n"
                                             << weston.LogTail().toStdString();
    }
    me_.env.insert("WAYLAND_DISPLAY", socket);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Desktop::AddUser(const QString& name, User*& user) {
    user = nullptr;
    if (::geteuid() != 0) return ::testing::AssertionFailure() << "only root can be another user";
    const passwd* account = ::getpwnam(name.toLocal8Bit().constData());
    if (!account) return ::testing::AssertionFailure() << "no account " << name.toStdString();
    const fs::path top = root_.Path() / "users" / name.toStdString();
    fs::create_directories(top);
    auto added = std::make_unique<User>(MakeUser(name, top, me_.env));
    added->env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + Q(top / "no-bus"));
    added->env.remove("WAYLAND_DISPLAY");
    added->env.insert("USER", name);
    added->env.insert("LOGNAME", name);
    ChownTree(top, account->pw_uid, account->pw_gid);
    fs::permissions(root_.Path() / "users",
                    fs::perms::owner_all | fs::perms::others_exec | fs::perms::group_exec,
                    fs::perm_options::replace);
    others_.push_back(std::move(added));
    user = others_.back().get();
    return ::testing::AssertionSuccess();
}

QStringList Desktop::UserCommand(const User& user, const QString& program,
                                 const QStringList& arguments,
                                 const QProcessEnvironment& add) const {
    // runuser resets part of the environment; env -i sets exactly the user's.
    QStringList command{"-u", user.name, "--", "env", "-i"};
    QProcessEnvironment env = user.env;
    for (const QString& key : add.keys()) env.insert(key, add.value(key));
    command << env.toStringList() << program << arguments;
    return command;
}

Process& Desktop::StartQuarten(const QuartenStart& start, const User* user) {
    const User& u = user ? *user : me_;
    QStringList args;
    if (start.simulate) args << "--simulate";
    args << "--data-dir" << u.dataDir << "--trace" << u.traceFile << start.extra;
    QProcessEnvironment add = start.addEnv;
    if (start.announceReady) add.insert("QUARTEN_READY_FD", "3");
    if (!u.name.isEmpty()) {
        return Start("quarten-" + u.name, "runuser", UserCommand(u, Built("quarten"), args, add),
                     me_.env, start.announceReady);
    }
    QProcessEnvironment env = u.env;
    for (const QString& key : add.keys()) env.insert(key, add.value(key));
    return Start("quarten", Built("quarten"), args, env, start.announceReady);
}

ToolRun Desktop::RunQuartenctl(const QStringList& arguments, const User* user) {
    if (user && !user->name.isEmpty()) {
        return Run("runuser", UserCommand(*user, Built("quartenctl"), arguments, {}));
    }
    return Run(Built("quartenctl"), arguments, user ? user->env : me_.env);
}

void Desktop::Shot(const QString& moment) {
    const QString dir = qEnvironmentVariable("QUARTEN_JOURNEY_SHOTS");
    if (dir.isEmpty() || display_.isEmpty()) return;
    QDir().mkpath(dir);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QString name = test ? QStringLiteral("%1.%2").arg(test->test_suite_name(), test->name())
                        : QStringLiteral("journey");
    if (!moment.isEmpty()) name += "-" + moment;
    name.replace('/', '_');
    Run("import", {"-window", "root", dir + "/" + name + ".png"});
}

QString Desktop::Logs() const {
    QString all;
    for (const auto& p : processes_) all += p->LogTail() + "\n";
    return all;
}

void Desktop::StopAll() {
    // The programs first, the desktop parts they use after them.
    for (auto it = processes_.rbegin(); it != processes_.rend(); ++it) (*it)->Stop();
    processes_.clear();
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace quarten::journey
