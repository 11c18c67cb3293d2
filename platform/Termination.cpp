#include "platform/Termination.h"

#include <csignal>

namespace quarten {
namespace {

sigset_t TerminationSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

}  // namespace

void BlockTerminationSignals() {
    const sigset_t set = TerminationSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void WaitForTermination() {
    const sigset_t set = TerminationSignals();
    int signal = 0;
    sigwait(&set, &signal);
}

}  // namespace quarten
