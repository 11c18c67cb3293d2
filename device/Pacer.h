// The fixed waits that pace the mouse go through this, so tests can record instead of sleep.
#pragma once

namespace quarten {

class Pacer {
public:
    virtual ~Pacer() = default;
    virtual void Wait(int milliseconds) = 0;
};

}  // namespace quarten
