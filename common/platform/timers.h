// Window timers: a timer with an interval that calls back on the window's
// thread. A nested message loop inside a tick (a wait that pumps) delivers
// the same timer's next tick while the previous one still runs, one level
// deep: the owner guards against it, and may remember that a tick fell due.
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
    // Queues one tick of timer id as a message, ahead of the timer's own: it
    // runs as soon as the thread handles its messages again (when the running
    // handler returns to the message loop). A timer that is off by then does
    // not tick.
    virtual void QueueTick(int id) = 0;
    virtual bool IsTimerOn(int id) const = 0;
};

}  // namespace platform
