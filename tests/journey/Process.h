// One program a journey started: in its own process group, its output kept in a log file,
// and stopped with everything it started when the journey ends.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace quarten::journey {

class Process {
public:
    // Starts `program` with `arguments`; output (both channels) goes to `logFile`. With
    // `pipeOnFd3` the program finds the write end of a pipe on descriptor 3 (Xvfb's
    // -displayfd, quarten's QUARTEN_READY_FD).
    Process(const QString& name, const QString& program, const QStringList& arguments,
            const QProcessEnvironment& environment, const QString& logFile, bool pipeOnFd3 = false);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    const QString& Name() const { return name_; }
    bool Started() const { return started_; }
    qint64 Pid() const { return process_.processId(); }
    bool Running() const { return process_.state() != QProcess::NotRunning; }
    // Waits for the end; false when it still runs after `milliseconds`.
    bool WaitForExit(int milliseconds);
    // The exit code, or -1 while it runs or when it died from a signal.
    int ExitCode() const;
    // What it has written so far, for failure messages.
    QString Log() const;
    QString LogTail(int lines = 25) const;
    // What the program has written to descriptor 3 so far (only with `pipeOnFd3`).
    QByteArray PipeText();

    // Ends the whole process group: a polite signal first, then SIGKILL.
    void Stop();

private:
    QString name_;
    QString logFile_;
    QProcess process_;
    bool started_ = false;
    qint64 group_ = 0;
    int pipeRead_ = -1;
    QByteArray pipeText_;
};

}  // namespace quarten::journey
