// The real program on a real X server: clicks on "125 Hz" and "Apply" reach the mouse and
// config.bin, and the close button ends the program with exit code 0.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <filesystem>

#include "tests/journey/Wait.h"
#include "tests/support/TempDir.h"
#include "ui/layout/SkinLayout.h"

namespace quarten {
namespace {

namespace basic = layout::basic;
namespace frame = layout::frame;

using journey::WaitFor;

QString Centre(const layout::Rect& r) {
    return QString("%1 %2").arg((r.left + r.right) / 2).arg((r.top + r.bottom) / 2);
}

class XvfbTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
            QStandardPaths::findExecutable("xdotool").isEmpty() ||
            QStandardPaths::findExecutable("xdpyinfo").isEmpty()) {
            GTEST_SKIP() << "needs Xvfb, xdotool and xdpyinfo (apt-get install xvfb xdotool x11-utils)";
        }
        // Xvfb picks a free display itself and writes its number to standard output once
        // it accepts clients; its own messages go to the test's output to show why it failed.
        server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server_.start("Xvfb", {"-displayfd", "1", "-noreset", "-screen", "0", "1280x800x24",
                               "-nolisten", "tcp"});
        ASSERT_TRUE(server_.waitForStarted(5000));
        QByteArray announced;
        ASSERT_TRUE(WaitFor(
            [&] {
                server_.waitForReadyRead(50);
                announced += server_.readAllStandardOutput();
                return announced.contains('\n') || server_.state() == QProcess::NotRunning;
            },
            15000))
            << "Xvfb did not say its display";
        ASSERT_TRUE(announced.contains('\n')) << "Xvfb ended: " << server_.exitCode();
        display_ = ":" + QString::fromLatin1(announced).trimmed();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        ASSERT_TRUE(WaitFor(
            [&] {
                QProcess probe;
                probe.setProcessEnvironment(env);
                probe.start("xdpyinfo", QStringList{});
                return probe.waitForFinished(5000) && probe.exitStatus() == QProcess::NormalExit &&
                       probe.exitCode() == 0;
            },
            10000))
            << "nothing answers on " << display_.toStdString();

        std::filesystem::copy(std::filesystem::path(QUARTEN_BINARY_DIR) / "share" / "quarten",
                              data_.Path() / "data", std::filesystem::copy_options::recursive);
        std::filesystem::create_directory(data_.Path() / "run");
        std::filesystem::permissions(data_.Path() / "run", std::filesystem::perms::owner_all);

        // A bare X server: no tray and no session bus, so the window shows at start. Its
        // own runtime folder keeps the instance lock apart from any other run.
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("XDG_RUNTIME_DIR", Path("run"));
        env.remove("DBUS_SESSION_BUS_ADDRESS");
        env.remove("WAYLAND_DISPLAY");
        env.insert("QUARTEN_POINTER_BACKEND", "none");  // never the real desktop settings
        app_.setProcessEnvironment(env);
        xdotoolEnv_ = env;
    }

    void TearDown() override {
        if (app_.state() != QProcess::NotRunning) {
            app_.kill();
            app_.waitForFinished(3000);
        }
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            if (!server_.waitForFinished(3000)) server_.kill();
            server_.waitForFinished(3000);
        }
    }

    QString Path(const char* name) const {
        return QString::fromStdString((data_.Path() / name).string());
    }

    // Runs xdotool with the arguments; its standard output.
    QString Xdotool(const QStringList& arguments) {
        QProcess tool;
        tool.setProcessEnvironment(xdotoolEnv_);
        tool.start("xdotool", arguments);
        tool.waitForFinished(10000);
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    }

    void Click(const QString& window, const layout::Rect& r) {
        QStringList args{"mousemove", "--window", window};
        args << Centre(r).split(' ');
        args << "click" << "1";
        Xdotool(args);
        QThread::msleep(150);
    }

    std::string TraceText() {
        QFile file(Path("trace.txt"));
        if (!file.open(QIODevice::ReadOnly)) return {};
        return file.readAll().toStdString();
    }

    int ConfigByte(int offset) {
        QFile file(Path("data") + "/config.bin");
        if (!file.open(QIODevice::ReadOnly)) return -1;
        const QByteArray bytes = file.readAll();
        return offset < bytes.size() ? static_cast<std::uint8_t>(bytes[offset]) : -1;
    }

    test::TempDir data_;
    QString display_;
    QProcess server_;
    QProcess app_;
    QProcessEnvironment xdotoolEnv_;
};

TEST_F(XvfbTest, ClickingTheRateAndApplyReachesTheMouseAndTheFile) {
    const QString program = QStringLiteral(QUARTEN_BINARY_DIR "/bin/quarten");
    app_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    app_.start(program,
               {"--simulate", "--trace", Path("trace.txt"), "--data-dir", Path("data")});
    ASSERT_TRUE(app_.waitForStarted(5000));

    QString window;
    ASSERT_TRUE(WaitFor(
        [&] {
            window = Xdotool({"search", "--onlyvisible", "--name", "^QUARTEN$"}).section('\n', 0, 0);
            return !window.isEmpty() || app_.state() == QProcess::NotRunning;
        },
        15000))
        << "the window did not show";
    ASSERT_FALSE(window.isEmpty()) << "quarten ended with exit code " << app_.exitCode();
    // The handshake and the first read-back are traced before anything is clicked.
    ASSERT_TRUE(WaitFor([&] { return !TraceText().empty(); }, 5000));
    ASSERT_EQ(TraceText().find("set 01 08 "), std::string::npos);
    ASSERT_NE(ConfigByte(134), 8);

    Click(window, basic::RateSegment(1));  // 125 Hz
    Click(window, frame::kApply);
    EXPECT_TRUE(WaitFor([&] { return TraceText().find("\nset 01 08 ") != std::string::npos; },
                        10000))
        << "no report-interval frame with 8 in the trace";
    EXPECT_TRUE(WaitFor([&] { return ConfigByte(134) == 8; }, 5000)) << "config.bin byte 134";

    Click(window, frame::kClose);
    ASSERT_TRUE(app_.waitForFinished(10000)) << "the close button did not end the program";
    EXPECT_EQ(app_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app_.exitCode(), 0);
}

}  // namespace
}  // namespace quarten
