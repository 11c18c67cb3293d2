// The pacer of real runs: sleeps until a steady-clock deadline, without spinning.
#pragma once

#include <chrono>

#include "device/Pacer.h"

namespace quarten {

class SteadyPacer : public Pacer {
public:
    void Wait(int milliseconds) override;
    // Largest amount any wait of this pacer overslept, for the benchmarks.
    std::chrono::nanoseconds WorstOvershoot() const { return worst_; }

private:
    std::chrono::nanoseconds worst_{0};
};

}  // namespace quarten
