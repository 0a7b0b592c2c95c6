// Window timers on the virtual clock.
//
// A timer's ticks are messages on a VirtualClock (usually FakeDesktop's
// Clock()): they are delivered only when the program pumps messages, or when
// the test runs the message loop with RunFor/RunUntil. As on the real
// platform:
// - the first tick is due one interval after SetTimer, and the ticks keep the
//   phase of that start (due at start + k x interval);
// - ticks that fell due while the program did not pump are merged into one,
//   delivered at the next pump, and the next tick is due at the next point of
//   the grid after it;
// - an interval below 10 ms runs at 10 ms, the platform's minimum;
// - a queued tick (QueueTick) is a message due at once, delivered at the next
//   pump to the timer's callback of that moment;
// - a nested message loop inside a tick (a wait that pumps) can deliver the
//   same timer's next tick while the previous one still runs. The fake
//   delivers it, as the platform does, so that the owner's guard against
//   overlapping ticks is exercised by the tests; ReentrantTicks() counts such
//   deliveries. The fake nests one level only (kMaxNesting is 2): one level
//   shows whether the guard works, while deeper nesting would let the test
//   of an owner without a guard grow without end, each nested tick pumping
//   and nesting again. A tick due while the nested tick runs is dropped.
//
// The clock must outlive the timers (declare the desktop before them).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "common/platform/timers.h"
#include "common/testing/virtual_clock.h"

namespace fake {

class FakeTimers : public platform::Timers {
public:
    static constexpr uint32_t kMinimumIntervalMs = 10;
    static constexpr int kMaxNesting = 2;

    explicit FakeTimers(VirtualClock& clock) : clock_(clock) {}
    ~FakeTimers() override;
    FakeTimers(const FakeTimers&) = delete;
    FakeTimers& operator=(const FakeTimers&) = delete;

    void SetTimer(int id, uint32_t intervalMs, std::function<void()> onTick) override;
    void KillTimer(int id) override;
    bool IsTimerOn(int id) const override;
    // A message due now, delivered at the next pump.
    void QueueTick(int id) override;

    // --- For tests ---
    // The interval of a running timer (after the minimum is applied), 0 when off.
    uint32_t Interval(int id) const;
    // Ticks delivered to the timer's callbacks since the fake was made.
    int TickCount(int id) const;
    // Ticks delivered while a previous tick of the same timer was still running.
    int ReentrantTicks(int id) const;
    // Delivers one tick now, outside the clock's schedule (as if its message
    // were next in the queue). Does nothing when the timer is off.
    void TickNow(int id);

private:
    struct Timer {
        uint32_t intervalMs = 0;
        uint64_t dueMs = 0;  // elapsed time of the pending tick
        VirtualClock::EventId pending = 0;
        std::shared_ptr<std::function<void()>> onTick;
    };
    struct Counters {
        int ticks = 0;
        int reentrant = 0;
        int running = 0;  // nesting depth of the callback right now
    };

    void PostNextTick(int id);
    void Deliver(int id);
    void RunCallback(int id, std::shared_ptr<std::function<void()>> onTick);

    VirtualClock& clock_;
    std::map<int, Timer> timers_;
    std::map<int, Counters> counters_;
    // Ticks queued by QueueTick and not yet delivered, by a key of their own.
    std::map<uint64_t, VirtualClock::EventId> queued_;
    uint64_t nextQueuedKey_ = 0;
};

}  // namespace fake
