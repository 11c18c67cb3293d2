// One journey's private desktop: its own folders (data, runtime, config, home) and the real
// desktop programs it starts on them — X server, window manager, tray, session bus,
// notification service, Wayland compositor. All of them are stopped when it goes, whatever
// the journey's outcome.
#pragma once

#include <gtest/gtest.h>

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "tests/journey/Process.h"
#include "tests/support/TempDir.h"

namespace quarten::journey {

// What a short tool printed and how it ended.
struct ToolRun {
    int exitCode = -1;  // -1: did not start, crashed or timed out
    QString out;        // standard output
    QString err;        // standard error
};

// The folders and environment of one desktop user.
struct User {
    QString name;        // "" for the user running the tests
    QString home;        // HOME
    QString runtimeDir;  // XDG_RUNTIME_DIR, mode 0700, owned by the user
    QString configHome;  // XDG_CONFIG_HOME
    QString dataDir;     // a copy of the built share/quarten
    QString traceFile;   // quarten --trace
    QProcessEnvironment env;
};

struct QuartenStart {
    bool simulate = true;        // --simulate; false: the real (absent) mouse
    QStringList extra;           // e.g. --autostart
    bool announceReady = false;  // give it a pipe to say when it has started
    QProcessEnvironment addEnv;  // added to the user's environment for this start
};

class Desktop {
public:
    Desktop();
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // The user running the tests, and the environment every program started here gets.
    User& Me() { return me_; }
    QProcessEnvironment& Env() { return me_.env; }
    QString Path(const QString& name) const;
    QString Display() const { return display_; }

    // The desktop parts, each waited for until it answers.
    ::testing::AssertionResult StartX(bool anyUserMayConnect = false);
    ::testing::AssertionResult StartWindowManager();
    ::testing::AssertionResult StartTray();
    ::testing::AssertionResult StartBus();
    // dunst on the bus (its default time-out for every urgency is kServiceTimeoutSeconds),
    // and a monitor that records every Notify call the bus carries.
    ::testing::AssertionResult StartNotificationService();
    ::testing::AssertionResult StartWayland();
    QString NotifyLog() const;  // what the monitor recorded
    static constexpr int kServiceTimeoutSeconds = 23;

    // A second desktop user (an account that exists on the machine, e.g. "nobody") with
    // folders of its own on the same display; needs root.
    ::testing::AssertionResult AddUser(const QString& name, User*& user);

    // quarten and quartenctl of this build, as `user` (default: Me()).
    Process& StartQuarten(const QuartenStart& start = {}, const User* user = nullptr);
    ToolRun RunQuartenctl(const QStringList& arguments, const User* user = nullptr);

    // Any program, stopped at the end; and short tools run to their end.
    Process& Start(const QString& name, const QString& program, const QStringList& arguments,
                   const QProcessEnvironment& env, bool readyFd = false);
    ToolRun Run(const QString& program, const QStringList& arguments,
                const std::optional<QProcessEnvironment>& env = std::nullopt,
                int timeoutMs = 15000) const;

    // With QUARTEN_JOURNEY_SHOTS=DIR: DIR/<suite>.<test>[-moment].png of the whole screen.
    void Shot(const QString& moment = {});

    // The logs of everything started, for a failing journey's message.
    QString Logs() const;

    void StopAll();

private:
    QStringList UserCommand(const User& user, const QString& program, const QStringList& arguments,
                            const QProcessEnvironment& add) const;

    test::TempDir root_;
    User me_;
    std::vector<std::unique_ptr<User>> others_;
    QString display_;
    int started_ = 0;
    std::vector<std::unique_ptr<Process>> processes_;
};

// Bytes of a file, empty when it cannot be read.
QByteArray FileBytes(const QString& path);

}  // namespace quarten::journey
