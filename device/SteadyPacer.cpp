#include "device/SteadyPacer.h"

#include <thread>

namespace quarten {

void SteadyPacer::Wait(int milliseconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    // sleep_until can return early on a signal; sleep again until the deadline has passed.
    auto now = std::chrono::steady_clock::now();
    while (now < deadline) {
        std::this_thread::sleep_until(deadline);
        now = std::chrono::steady_clock::now();
    }
    worst_ = std::max(worst_, std::chrono::duration_cast<std::chrono::nanoseconds>(now - deadline));
}

}  // namespace quarten
