// The macro editor of the real program on a real X server, driven by xdotool: a key held
// while recording, the mouse-event dropdown's box, the event list under the pointer; the
// proof is what record.ini, config.bin and the mouse get.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <filesystem>
#include <fstream>

#include "settings/SettingsFile.h"
#include "settings/SettingsLayout.h"
#include "tests/journey/Wait.h"
#include "tests/support/TempDir.h"
#include "ui/layout/SkinLayout.h"

namespace quarten {
namespace {

namespace advanced = layout::advanced;
namespace frame = layout::frame;

using journey::WaitFor;

QPoint Centre(const layout::Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class XvfbMacroTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"Xvfb", "xdotool", "xdpyinfo", "xset"}) {
            if (QStandardPaths::findExecutable(tool).isEmpty()) {
                GTEST_SKIP() << "needs " << tool
                             << " (apt-get install xvfb xdotool x11-utils "
                                "x11-xserver-utils)";
            }
        }
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
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert("DISPLAY", ":" + QString::fromLatin1(announced).trimmed());
        ASSERT_TRUE(WaitFor([&] { return Run("xdpyinfo", {}) == 0; }, 10000));
        // Auto-repeat on, as on a person's desktop: a held key repeats.
        ASSERT_EQ(Run("xset", {"r", "on"}), 0);

        std::filesystem::copy(std::filesystem::path(QUARTEN_BINARY_DIR) / "share" / "quarten",
                              data_.Path() / "data", std::filesystem::copy_options::recursive);
        std::filesystem::create_directory(data_.Path() / "run");
        std::filesystem::permissions(data_.Path() / "run", std::filesystem::perms::owner_all);
        env_.insert("QT_QPA_PLATFORM", "xcb");
        env_.insert("XDG_RUNTIME_DIR", Path("run"));
        env_.remove("DBUS_SESSION_BUS_ADDRESS");
        env_.remove("WAYLAND_DISPLAY");
        env_.insert("QUARTEN_POINTER_BACKEND", "none");
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
    int Run(const QString& program, const QStringList& arguments, QString* out = nullptr) {
        QProcess tool;
        tool.setProcessEnvironment(env_);
        tool.start(program, arguments);
        if (!tool.waitForFinished(10000)) return -1;
        if (out) *out = QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    }
    QString Xdotool(const QStringList& arguments) {
        QString out;
        Run("xdotool", arguments, &out);
        return out;
    }

    // Starts the program with `library` as record.ini and opens the advanced page.
    void StartOnTheMacroEditor(const std::string& library) {
        std::ofstream(data_.Path() / "data" / "record.ini", std::ios::binary) << library;
        app_.setProcessEnvironment(env_);
        app_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        app_.start(QStringLiteral(QUARTEN_BINARY_DIR "/bin/quarten"),
                   {"--simulate", "--trace", Path("trace.txt"), "--data-dir", Path("data")});
        ASSERT_TRUE(app_.waitForStarted(5000));
        ASSERT_TRUE(WaitFor(
            [&] {
                window_ =
                    Xdotool({"search", "--onlyvisible", "--name", "^QUARTEN$"}).section('\n', 0, 0);
                return !window_.isEmpty() || app_.state() == QProcess::NotRunning;
            },
            15000))
            << "the window did not show";
        ASSERT_FALSE(window_.isEmpty()) << "quarten ended with exit code " << app_.exitCode();
        ASSERT_TRUE(WaitFor([&] { return !Trace().empty(); }, 5000));
        Click(frame::kNextPage);
    }

    void MoveTo(QPoint at) {
        Xdotool(
            {"mousemove", "--window", window_, QString::number(at.x()), QString::number(at.y())});
        QThread::msleep(150);
    }
    void Click(QPoint at, int button = 1) {
        MoveTo(at);
        Xdotool({"click", QString::number(button)});
        QThread::msleep(250);
    }
    void Click(const layout::Rect& r) { Click(Centre(r)); }

    // "Start Recording" and the OK of the box it shows, by the mouse so no key is recorded.
    void StartRecording() {
        Click(advanced::kRecordStart);
        QString box;
        ASSERT_TRUE(WaitFor(
            [&] {
                for (const QString& id :
                     Xdotool({"search", "--onlyvisible", "--name", "^QUARTEN$"}).split('\n')) {
                    if (!id.isEmpty() && id != window_) box = id;
                }
                return !box.isEmpty();
            },
            5000))
            << "no \"Start Recording\" box";
        // The box's only button sits at its bottom right.
        const QString geometry = Xdotool({"getwindowgeometry", "--shell", box});
        const auto value = [&](const char* key) {
            for (const QString& line : geometry.split('\n')) {
                if (line.startsWith(key)) return line.section('=', 1).toInt();
            }
            return 0;
        };
        Xdotool({"mousemove", "--window", box, QString::number(value("WIDTH") - 45),
                 QString::number(value("HEIGHT") - 22), "click", "1"});
        ASSERT_TRUE(WaitFor(
            [&] {
                return !Xdotool({"search", "--onlyvisible", "--name", "^QUARTEN$"}).contains(box);
            },
            5000))
            << "the box did not close";
        MoveTo({450, 120});  // a place where keys act on nothing
    }

    std::string File(const char* name) {
        QFile file(Path("data") + "/" + name);
        if (!file.open(QIODevice::ReadOnly)) return {};
        return file.readAll().toStdString();
    }
    std::string Trace() {
        QFile file(Path("trace.txt"));
        if (!file.open(QIODevice::ReadOnly)) return {};
        return file.readAll().toStdString();
    }
    // The event area of slot n as config.bin holds it.
    std::string SlotEvents(std::size_t n) {
        const std::string bin = File("config.bin");
        // The file is its first-run byte, then the image.
        const std::size_t header = kSettingsFileSize - layout::kImageSize;
        const std::size_t at = header + layout::MacroSlotOffset(n) + 2;
        return bin.size() >= at + 126 ? bin.substr(at, 126) : std::string();
    }

    test::TempDir data_;
    QProcessEnvironment env_;
    QProcess server_;
    QProcess app_;
    QString window_;
};

TEST_F(XvfbMacroTest, AHeldKeyRecordsOnePressAndOneRelease) {
    StartOnTheMacroEditor("[held]\nItemCount=0\n");
    StartRecording();
    // Held for a second: the X server repeats it some twenty times.
    Xdotool({"keydown", "a"});
    QThread::msleep(1000);
    Xdotool({"keyup", "a"});
    QThread::msleep(300);
    Click(advanced::kRecordStop);
    Xdotool({"key", "Return"});  // the "Stop Recording" box
    QThread::msleep(300);
    Click(advanced::kConfirm);
    ASSERT_TRUE(
        WaitFor([&] { return File("record.ini").find("ItemCount=3") != std::string::npos; }, 5000))
        << File("record.ini");
    EXPECT_EQ(File("record.ini"), "[held]\nItemCount=3\nItem0=A   Dn\nItem1=50 ms\nItem2=A   Up\n");

    // What reaches the mouse and config.bin: A pressed, 50 ms, A released, then nothing.
    Click(frame::kApply);
    std::string expected(126, '\0');
    expected[0] = 0x05;
    expected[1] = 0x04;
    expected[2] = static_cast<char>(0x80);
    expected[3] = 0x04;
    EXPECT_TRUE(WaitFor([&] { return SlotEvents(1) == expected; }, 5000));
}

TEST_F(XvfbMacroTest, TheEventBoxClosesItsListAndTheListLeavesConfirmFree) {
    // "Confirm" of "one" moves its section to the end of the file, so a press that reached
    // it shows in record.ini; one that chose a mouse event instead adds lines to "one".
    // "one" is empty, so a mouse event chosen by mistake would go straight into it.
    StartOnTheMacroEditor("[one]\nItemCount=0\n[two]\nItemCount=1\nItem0=B   Dn\n");
    const std::string confirmed = "[two]\nItemCount=1\nItem0=B   Dn\n[one]\nItemCount=0\n";
    Click(advanced::kEventBox);
    Click(advanced::kEventBox);  // the second press closes the list
    // Where the list's first item was: with the list closed this is bare page.
    Click(QPoint(advanced::kEventList.left + 40, advanced::kEventList.top + 8));
    Click(advanced::kConfirm);
    ASSERT_TRUE(WaitFor([&] { return File("record.ini") != std::string(); }, 5000));
    EXPECT_TRUE(WaitFor([&] { return File("record.ini") == confirmed; }, 3000))
        << File("record.ini");

    // An open list leaves "Confirm" to its own press: it closes the list and confirms "two",
    // chosen in the macro list (its second line), which then moves to the end.
    Click(QPoint(advanced::kMacroList.left + 30, advanced::kMacroList.top + 17 + 8));
    Click(advanced::kEventBox);
    Click(advanced::kConfirm);
    EXPECT_TRUE(WaitFor(
        [&] {
            return File("record.ini") == "[one]\nItemCount=0\n[two]\nItemCount=1\nItem0=B   Dn\n";
        },
        3000))
        << File("record.ini");
}

TEST_F(XvfbMacroTest, TheLinePointedAtIsTheOneDeleted) {
    StartOnTheMacroEditor("[three]\nItemCount=3\nItem0=A   Dn\nItem1=50 ms\nItem2=A   Up\n");
    // The pointer rests on the third line; the context menu's "Delete" takes that line.
    const QPoint third(advanced::kSequenceList.left + 30, advanced::kSequenceList.top + 2 * 17 + 8);
    MoveTo({third.x(), third.y() - 10});
    MoveTo(third);
    Click(third, 3);
    Xdotool({"key", "Down", "Return"});
    QThread::msleep(300);
    Click(advanced::kConfirm);
    ASSERT_TRUE(
        WaitFor([&] { return File("record.ini").find("ItemCount=2") != std::string::npos; }, 5000))
        << File("record.ini");
    EXPECT_EQ(File("record.ini"), "[three]\nItemCount=2\nItem0=A   Dn\nItem1=50 ms\n");
}

}  // namespace
}  // namespace quarten
