// Polling with a generous limit: journeys wait for what they expect to see, never a set time.
#pragma once

#include <QElapsedTimer>
#include <QThread>

namespace quarten::journey {

// Long enough for a loaded two-core machine running a Debug build under Xvfb.
inline constexpr int kPatience = 20000;
// How long a journey watches for something that must not happen once the program is idle.
inline constexpr int kQuietSpell = 1500;

// Polls `done` every 50 ms; false once `milliseconds` have passed without it holding.
template <typename Predicate>
bool WaitFor(Predicate done, int milliseconds = kPatience) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > milliseconds) return false;
        QThread::msleep(50);
    }
    return true;
}

// True when `broken` never held during `milliseconds` of polling.
template <typename Predicate>
bool StaysFalse(Predicate broken, int milliseconds = kQuietSpell) {
    return !WaitFor(broken, milliseconds);
}

}  // namespace quarten::journey
