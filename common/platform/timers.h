// Window timers: a timer with an interval that calls back on the window's
// thread. The owner guards against a tick starting while its previous tick
// is still running (a nested message loop can deliver one).
#pragma once

#include <cstdint>
#include <functional>

namespace platform {

class Timers {
public:
    virtual ~Timers() = default;
    // Starts (or restarts) timer id with the interval; the callback runs on
    // the window's thread at every tick.
    virtual void SetTimer(int id, uint32_t intervalMs, std::function<void()> onTick) = 0;
    virtual void KillTimer(int id) = 0;
    virtual bool IsTimerOn(int id) const = 0;
};

}  // namespace platform
