#include "tests/journey/Process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QFile>

#include "tests/journey/Wait.h"

namespace quarten::journey {

Process::Process(const QString& name, const QString& program, const QStringList& arguments,
                 const QProcessEnvironment& environment, const QString& logFile, bool pipeOnFd3)
    : name_(name), logFile_(logFile) {
    int pipeEnds[2] = {-1, -1};
    if (pipeOnFd3 && ::pipe2(pipeEnds, O_CLOEXEC) == 0) {
        pipeRead_ = pipeEnds[0];
        ::fcntl(pipeRead_, F_SETFL, O_NONBLOCK);
    }
    const int pipeWrite = pipeEnds[1];
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.setStandardOutputFile(logFile_, QIODevice::Append);
    process_.setStandardInputFile(QProcess::nullDevice());
    // Its own session, so that a stop reaches what it starts too (weston's clients, the
    // program runuser runs) and a terminal's signals never reach it.
    process_.setChildProcessModifier([pipeWrite] {
        ::setsid();
        // Should the journey itself be killed before it can stop it, it goes too.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        // dup2 onto itself would keep close-on-exec, so that case clears it by hand.
        if (pipeWrite == 3)
            ::fcntl(3, F_SETFD, 0);
        else if (pipeWrite >= 0)
            ::dup2(pipeWrite, 3);
    });
    process_.start(program, arguments);
    started_ = process_.waitForStarted(10000);
    if (started_) group_ = process_.processId();
    if (pipeWrite >= 0) ::close(pipeWrite);
}

Process::~Process() {
    Stop();
    if (pipeRead_ >= 0) ::close(pipeRead_);
}

bool Process::WaitForExit(int milliseconds) {
    if (!Running()) return true;
    return WaitFor(
        [&] {
            process_.waitForFinished(50);
            return !Running();
        },
        milliseconds);
}

int Process::ExitCode() const {
    if (Running() || !started_ || process_.exitStatus() != QProcess::NormalExit) return -1;
    return process_.exitCode();
}

QString Process::Log() const {
    QFile file(logFile_);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

QString Process::LogTail(int lines) const {
    const QStringList all = Log().split('\n');
    return "--- " + name_ + " (" + logFile_ + ") ---\n" +
           all.mid(std::max<qsizetype>(0, all.size() - lines)).join('\n');
}

QByteArray Process::PipeText() {
    if (pipeRead_ < 0) return {};
    char buffer[64];
    ssize_t n = 0;
    while ((n = ::read(pipeRead_, buffer, sizeof buffer)) > 0) pipeText_.append(buffer, n);
    return pipeText_;
}

void Process::Stop() {
    if (group_ <= 0) return;
    const pid_t group = static_cast<pid_t>(group_);
    group_ = 0;
    ::kill(-group, SIGTERM);
    process_.waitForFinished(3000);
    // Whatever is left of the group (children that ignore SIGTERM) goes too.
    ::kill(-group, SIGKILL);
    if (Running()) process_.waitForFinished(3000);
}

}  // namespace quarten::journey
