// The pacer of real runs: sleeps to an absolute monotonic deadline, without spinning.
#pragma once

#include "device/Pacer.h"

namespace quarten {

class SteadyPacer : public Pacer {
public:
    void Wait(int milliseconds) override;
};

}  // namespace quarten
