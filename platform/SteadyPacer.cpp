#include "platform/SteadyPacer.h"

#include <sys/prctl.h>
#include <time.h>

#include <cerrno>
#include <chrono>

namespace quarten {
namespace {

// The kernel may let a sleeper's wake-up slip by the thread's timer slack (50 us unless
// changed) so that wake-ups can be grouped. An Apply is some ninety waits of 2 and 3 ms,
// where that slack alone adds about 2% to the whole; so for the length of one wait the
// slack is 1 ns, and the thread's own value comes back afterwards.
class FineTimerSlack {
public:
    FineTimerSlack() : previous_(prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0)) {
        if (previous_ > 1) prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
    }
    ~FineTimerSlack() {
        if (previous_ > 1) prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(previous_), 0, 0, 0);
    }
    FineTimerSlack(const FineTimerSlack&) = delete;
    FineTimerSlack& operator=(const FineTimerSlack&) = delete;

private:
    long previous_;
};

}  // namespace

void SteadyPacer::Wait(int milliseconds) {
    const FineTimerSlack fine;
    // steady_clock is CLOCK_MONOTONIC here, so its deadline goes to the kernel as it is; an
    // absolute deadline also keeps a signal's early return from stretching the wait.
    const auto deadline =
        (std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds))
            .time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(deadline);
    const auto nanoseconds =
        std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - seconds);
    const timespec at{static_cast<time_t>(seconds.count()), static_cast<long>(nanoseconds.count())};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

}  // namespace quarten
