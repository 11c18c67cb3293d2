// quarten seen from outside under an X server: process start until the window is shown and
// painted (QUARTEN_READY_FD), its resident memory then, and how often each of its threads
// wakes while nobody touches it. Needs DISPLAY; bench/run starts an Xvfb for it.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchTable.h"
#include "bench/ScratchDir.h"

extern char** environ;

namespace quarten::bench {
namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    std::string program;
    std::vector<std::string> arguments;  // after the program; {data} is the data copy
    std::string dataDir;                 // copied fresh for every start
    std::string baseline;                // a bare Qt window to compare with; empty: none
    int runs = 10;
    int idleSeconds = 30;
    int idleInstances = 3;
    int settleMs = 500;
    int timeoutMs = 20000;
};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A "Name:  value" field of a /proc status file, as a number (kB for the memory fields).
long StatusField(const std::string& status, const std::string& name) {
    std::istringstream lines(status);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(name + ":", 0) == 0) return std::stol(line.substr(name.size() + 1));
    }
    return -1;
}

// One started program with its own runtime directory (0700) and data directory, so that
// every start is a first start and the single-instance lock of one never meets another's.
class Instance {
public:
    Instance(const Options& options, const std::string& program, bool withData)
        : runtime_("quarten-bench-rt") {
        std::vector<std::string> argv = {program};
        if (withData) {
            std::filesystem::copy(options.dataDir, runtime_ / "data",
                                  std::filesystem::copy_options::recursive);
            for (const std::string& a : options.arguments) {
                argv.push_back(a == "{data}" ? (runtime_ / "data").string() : a);
            }
        }
        int fds[2];
        if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
        fcntl(fds[0], F_SETFD, FD_CLOEXEC);

        // The environment as it is, but for what every start gets of its own.
        std::vector<std::string> env;
        const std::string ownNames[] = {"XDG_RUNTIME_DIR=", "QUARTEN_READY_FD=",
                                        "QUARTEN_POINTER_BACKEND=", "QT_QPA_PLATFORM="};
        for (char** e = environ; *e; ++e) {
            const std::string entry = *e;
            if (std::none_of(std::begin(ownNames), std::end(ownNames),
                             [&](const std::string& n) { return entry.rfind(n, 0) == 0; })) {
                env.push_back(entry);
            }
        }
        env.push_back("XDG_RUNTIME_DIR=" + runtime_.Path().string());
        env.push_back("QUARTEN_READY_FD=" + std::to_string(fds[1]));
        env.push_back("QUARTEN_POINTER_BACKEND=none");
        env.push_back("QT_QPA_PLATFORM=xcb");
        std::vector<char*> cargv, cenv;
        for (auto& a : argv) cargv.push_back(a.data());
        cargv.push_back(nullptr);
        for (auto& e : env) cenv.push_back(e.data());
        cenv.push_back(nullptr);

        const auto start = Clock::now();
        pid_ = fork();
        if (pid_ == 0) {
            execve(cargv[0], cargv.data(), cenv.data());
            _exit(127);
        }
        close(fds[1]);
        pollfd wait{fds[0], POLLIN, 0};
        char line[16] = {};
        if (poll(&wait, 1, options.timeoutMs) == 1 && read(fds[0], line, sizeof line - 1) > 0 &&
            std::strncmp(line, "ready", 5) == 0) {
            readyMs_ = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
        close(fds[0]);
    }
    ~Instance() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        for (int i = 0; i < 100; ++i) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    bool Ready() const { return readyMs_ >= 0; }
    double ReadyMs() const { return readyMs_; }
    std::string Status() const { return ReadFile("/proc/" + std::to_string(pid_) + "/status"); }
    pid_t Pid() const { return pid_; }

private:
    ScratchDir runtime_;
    pid_t pid_ = -1;
    double readyMs_ = -1;
};

struct ThreadSample {
    std::string name;
    long voluntary = 0;
    long involuntary = 0;
};

std::map<pid_t, ThreadSample> Threads(pid_t pid) {
    std::map<pid_t, ThreadSample> out;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks)) {
        const pid_t tid = std::stoi(task.path().filename().string());
        std::string name = ReadFile(task.path() / "comm");
        if (!name.empty() && name.back() == '\n') name.pop_back();
        const std::string status = ReadFile(task.path() / "status");
        out[tid] = {name, StatusField(status, "voluntary_ctxt_switches"),
                    StatusField(status, "nonvoluntary_ctxt_switches")};
    }
    return out;
}

// Which of the process's threads this is: ours by position and name, Qt's and the
// libraries' by the names they give their threads.
std::string ThreadRole(pid_t pid, pid_t tid, const std::string& name, const std::string& main) {
    if (tid == pid) return "GUI thread (ours)";
    if (name == main) return "device listener (ours)";
    return name + (name.rfind("Q", 0) == 0 ? " (Qt)" : " (library)");
}

struct StartFigures {
    std::vector<double> readyMs;
    std::vector<double> rssMb;
    std::vector<double> anonMb, fileMb, shmemMb;
    int failed = 0;
};

StartFigures MeasureStarts(const Options& options, const std::string& program, bool withData) {
    StartFigures figures;
    for (int i = 0; i < options.runs; ++i) {
        Instance instance(options, program, withData);
        if (!instance.Ready()) {
            ++figures.failed;
            continue;
        }
        const std::string status = instance.Status();
        figures.readyMs.push_back(instance.ReadyMs());
        figures.rssMb.push_back(StatusField(status, "VmRSS") / 1024.0);
        figures.anonMb.push_back(StatusField(status, "RssAnon") / 1024.0);
        figures.fileMb.push_back(StatusField(status, "RssFile") / 1024.0);
        figures.shmemMb.push_back(StatusField(status, "RssShmem") / 1024.0);
    }
    return figures;
}

void PrintStarts(const std::string& what, const StartFigures& f, bool ours) {
    const std::string runs = std::to_string(f.readyMs.size());
    PrintRow(what + ": start to window shown and painted", f.readyMs, "ms",
             ours ? Goal::MedianAtMost(150, "<= 150 ms") : Goal::None());
    PrintRow(what + ": resident memory after start (VmRSS)", f.rssMb, "MB",
             ours ? Goal::MedianAtMost(35, "<= 35 MB") : Goal::None());
    char text[200];
    std::snprintf(text, sizeof text,
                  "%s, %s starts: VmRSS median %.1f MB = anonymous %.1f + file-backed (shared "
                  "libraries, fonts) %.1f + shared memory (X image) %.1f MB%s",
                  what.c_str(), runs.c_str(), SpreadOf(f.rssMb).median, SpreadOf(f.anonMb).median,
                  SpreadOf(f.fileMb).median, SpreadOf(f.shmemMb).median,
                  f.failed ? "; some starts never reported ready" : "");
    PrintNote(text);
}

void MeasureIdle(const Options& options) {
    std::vector<std::unique_ptr<Instance>> instances;
    for (int i = 0; i < options.idleInstances; ++i) {
        instances.push_back(std::make_unique<Instance>(options, options.program, true));
        if (!instances.back()->Ready()) {
            PrintNote("an instance for the idle figure never reported ready");
            instances.pop_back();
        }
    }
    // The ready line is written just before the GUI thread goes back to its wait; let that
    // and the X server's last answers land before counting.
    std::this_thread::sleep_for(std::chrono::milliseconds(options.settleMs));
    const std::string main =
        std::filesystem::path(options.program).filename().string().substr(0, 15);
    std::vector<std::map<pid_t, ThreadSample>> before;
    for (const auto& instance : instances) before.push_back(Threads(instance->Pid()));
    std::this_thread::sleep_for(std::chrono::seconds(options.idleSeconds));

    std::map<std::string, std::vector<double>> wakeups;
    std::map<std::string, std::vector<double>> preempted;
    std::set<std::string> changed;
    for (std::size_t i = 0; i < instances.size(); ++i) {
        const pid_t pid = instances[i]->Pid();
        const auto after = Threads(pid);
        for (const auto& [tid, sample] : after) {
            const auto old = before[i].find(tid);
            const std::string role = ThreadRole(pid, tid, sample.name, main);
            if (old == before[i].end()) {
                changed.insert(role + " started while idle");
                continue;
            }
            wakeups[role].push_back(static_cast<double>(sample.voluntary - old->second.voluntary));
            preempted[role].push_back(
                static_cast<double>(sample.involuntary - old->second.involuntary));
        }
        for (const auto& [tid, sample] : before[i]) {
            if (!after.count(tid)) changed.insert(sample.name + " ended while idle");
        }
    }
    const std::string span = "Idle " + std::to_string(options.idleSeconds) + " s: wake-ups of ";
    for (const std::string role : {"GUI thread (ours)", "device listener (ours)"}) {
        if (wakeups.count(role)) {
            PrintRow(span + role, wakeups[role], "count", Goal::MaxAtMost(0, "0"), 0);
        } else {
            PrintNote("no " + role + " was found in the running program");
        }
    }
    for (const auto& [role, counts] : wakeups) {
        if (role.find("(ours)") != std::string::npos) continue;
        PrintRow(span + role, counts, "count", Goal::None("not ours"), 0);
    }
    std::string threads = "Idle figure: " + std::to_string(instances.size()) +
                          " instances at once, counted from " + std::to_string(options.settleMs) +
                          " ms after ready; involuntary switches (preemptions) over all threads:";
    double total = 0;
    for (const auto& [role, counts] : preempted) {
        for (double c : counts) total += c;
    }
    threads += " " + std::to_string(static_cast<long>(total));
    for (const std::string& c : changed) threads += "; " + c;
    PrintNote(threads);
}

int Usage() {
    std::fprintf(stderr,
                 "usage: bench_startup --program PATH --data DIR [--baseline PATH] [--runs N]\n"
                 "       [--idle-seconds N] [--idle-instances N] [--settle-ms N] -- ARGS...\n"
                 "ARGS are the program's arguments; {data} stands for the fresh data copy.\n");
    return 2;
}

}  // namespace
}  // namespace quarten::bench

int main(int argc, char** argv) {
    using namespace quarten::bench;
    Options options;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") break;
        if (i + 1 >= argc) return Usage();
        const std::string value = argv[++i];
        if (arg == "--program")
            options.program = value;
        else if (arg == "--data")
            options.dataDir = value;
        else if (arg == "--baseline")
            options.baseline = value;
        else if (arg == "--runs")
            options.runs = std::stoi(value);
        else if (arg == "--idle-seconds")
            options.idleSeconds = std::stoi(value);
        else if (arg == "--idle-instances")
            options.idleInstances = std::stoi(value);
        else if (arg == "--settle-ms")
            options.settleMs = std::stoi(value);
        else
            return Usage();
    }
    for (++i; i < argc; ++i) options.arguments.push_back(argv[i]);
    if (options.program.empty() || options.dataDir.empty() || !std::getenv("DISPLAY")) {
        return Usage();
    }
    signal(SIGPIPE, SIG_IGN);

    PrintStarts("quarten --simulate", MeasureStarts(options, options.program, true), true);
    if (!options.baseline.empty()) {
        PrintStarts("Bare Qt window of the same size",
                    MeasureStarts(options, options.baseline, false), false);
    }
    if (options.idleSeconds > 0) MeasureIdle(options);
    return 0;
}
