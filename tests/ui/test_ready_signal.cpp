// The ready line for whoever started quarten: after the first paint of a shown window, at
// the first turn of the event loop for a hidden one, written once to QUARTEN_READY_FD.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <string>

#include "ui/ReadySignal.h"

namespace quarten {
namespace {

// A pipe whose write end is handed to the program through the environment.
struct ReadyPipe {
    ReadyPipe() {
        EXPECT_EQ(pipe(fds), 0);
        fcntl(fds[0], F_SETFL, O_NONBLOCK);
        qputenv("QUARTEN_READY_FD", QByteArray::number(fds[1]));
    }
    ~ReadyPipe() {
        close(fds[0]);
        qunsetenv("QUARTEN_READY_FD");
    }
    // What has arrived so far; "<eof>" is appended once the writer has closed its end.
    std::string Received() {
        char buffer[64];
        for (;;) {
            const ssize_t n = read(fds[0], buffer, sizeof buffer);
            if (n > 0) {
                text.append(buffer, static_cast<std::size_t>(n));
            } else {
                if (n == 0 && !closed) {
                    closed = true;
                    text += "<eof>";
                }
                return text;
            }
        }
    }
    int fds[2] = {-1, -1};
    std::string text;
    bool closed = false;
};

std::string ProcessUntilClosed(ReadyPipe& ready) {
    QElapsedTimer timer;
    timer.start();
    while ((ready.Received(), !ready.closed) && timer.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return ready.text;
}

TEST(ReadySignal, ComesOnceTheEventLoopRunsAndTheShownWindowIsPainted) {
    for (const bool shown : {true, false}) {
        SCOPED_TRACE(shown ? "window shown" : "window hidden (tray start)");
        ReadyPipe ready;
        QWidget window;
        window.resize(40, 30);
        if (shown) window.show();
        AnnounceReadyWhenShown(&window);
        // Nothing before the event loop has turned: the window has not been drawn yet.
        EXPECT_EQ(ready.Received(), "");
        EXPECT_FALSE(qEnvironmentVariableIsSet("QUARTEN_READY_FD"))
            << "programs started later must not inherit the variable";
        EXPECT_EQ(ProcessUntilClosed(ready), "ready\n<eof>");
    }
}

TEST(ReadySignal, WithoutAUsableVariableNothingIsWritten) {
    for (const char* value : {"", "not-a-number", "-3"}) {
        SCOPED_TRACE(value);
        ReadyPipe ready;
        qputenv("QUARTEN_READY_FD", value);
        QWidget window;
        window.show();
        AnnounceReadyWhenShown(&window);
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 100) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        close(ready.fds[1]);
        EXPECT_EQ(ready.Received(), "<eof>");
    }
}

}  // namespace
}  // namespace quarten
