// The fixture every journey starts from: a private desktop, its screen, and the things a
// person keeps (config.bin, the wire trace) read back from the data folder.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>

#include "tests/journey/Desktop.h"
#include "tests/journey/Screen.h"
#include "tests/journey/Wait.h"

// gtest prints a QString in a failure message as its text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace quarten::journey {

class Journey : public ::testing::Test {
protected:
    void TearDown() override { desktop_.StopAll(); }

    // A reason to skip when a program a journey needs is not installed.
    static std::optional<std::string> Missing(std::initializer_list<const char*> programs);
    static std::optional<std::string> MissingX();  // Xvfb, openbox, xdotool, x11-utils

    // config.bin and the wire trace of the user's data folder.
    QByteArray Config(const User* user = nullptr);
    int ConfigByte(int offset, const User* user = nullptr);
    QString Trace(const User* user = nullptr);
    // A file's inode and modification time: a new stamp means it has been written again.
    struct FileStamp {
        quint64 inode = 0;
        qint64 nanoseconds = 0;
        friend bool operator==(const FileStamp&, const FileStamp&) = default;
    };
    static FileStamp Stamp(const QString& path);
    FileStamp ConfigStamp(const User* user = nullptr);

    // Starts quarten and waits until it says it has started (its window shown or not).
    Process& StartQuartenAndWait(QuartenStart start = {});
    // Waits for the tray icon, clicks it (`repeat` 2: a double click) and waits for the window.
    std::optional<WindowGeometry> OpenFromTray(int repeat = 1);
    // Clicks inside the main window and returns its (fresh) geometry first.
    void ClickInWindow(const layout::Rect& rect);

    // For failure messages: the logs of everything the journey started.
    std::string Logs() const { return desktop_.Logs().toStdString(); }

    Desktop desktop_;
    Screen screen_{desktop_};
};

}  // namespace quarten::journey
