#include "common/testing/fake_timers.h"

#include <algorithm>
#include <utility>

namespace fake {

FakeTimers::~FakeTimers() {
    // Pending ticks point back at this object; none may fire after it is gone.
    for (auto& [id, timer] : timers_) clock_.Cancel(timer.pending);
    for (auto& [key, event] : queued_) clock_.Cancel(event);
}

void FakeTimers::SetTimer(int id, uint32_t intervalMs, std::function<void()> onTick) {
    KillTimer(id);
    Timer& timer = timers_[id];
    timer.intervalMs = std::max(intervalMs, kMinimumIntervalMs);
    timer.dueMs = clock_.Elapsed() + timer.intervalMs;
    timer.onTick = std::make_shared<std::function<void()>>(std::move(onTick));
    PostNextTick(id);
}

void FakeTimers::KillTimer(int id) {
    auto found = timers_.find(id);
    if (found == timers_.end()) return;
    clock_.Cancel(found->second.pending);
    timers_.erase(found);
}

void FakeTimers::QueueTick(int id) {
    const uint64_t key = nextQueuedKey_++;
    queued_[key] = clock_.PostAt(clock_.Elapsed(), [this, id, key] {
        queued_.erase(key);
        auto found = timers_.find(id);
        if (found != timers_.end()) RunCallback(id, found->second.onTick);
    });
}

bool FakeTimers::IsTimerOn(int id) const { return timers_.count(id) != 0; }

uint32_t FakeTimers::Interval(int id) const {
    auto found = timers_.find(id);
    return found == timers_.end() ? 0 : found->second.intervalMs;
}

int FakeTimers::TickCount(int id) const {
    auto found = counters_.find(id);
    return found == counters_.end() ? 0 : found->second.ticks;
}

int FakeTimers::ReentrantTicks(int id) const {
    auto found = counters_.find(id);
    return found == counters_.end() ? 0 : found->second.reentrant;
}

void FakeTimers::TickNow(int id) {
    auto found = timers_.find(id);
    if (found == timers_.end()) return;
    RunCallback(id, found->second.onTick);
}

void FakeTimers::PostNextTick(int id) {
    Timer& timer = timers_.at(id);
    timer.pending = clock_.PostAt(timer.dueMs, [this, id] { Deliver(id); });
}

void FakeTimers::Deliver(int id) {
    auto found = timers_.find(id);
    if (found == timers_.end()) return;
    Timer& timer = found->second;
    // Ticks missed while the program did not pump merge into this one; the
    // next is due at the first point of the timer's grid after now.
    uint64_t now = clock_.Elapsed();
    uint64_t missed = now > timer.dueMs ? (now - timer.dueMs) / timer.intervalMs : 0;
    timer.dueMs += (missed + 1) * timer.intervalMs;
    PostNextTick(id);
    RunCallback(id, timer.onTick);
}

void FakeTimers::RunCallback(int id, std::shared_ptr<std::function<void()>> onTick) {
    Counters& counters = counters_[id];
    if (counters.running >= kMaxNesting) return;
    if (counters.running > 0) ++counters.reentrant;
    ++counters.ticks;
    ++counters.running;
    // The callback may kill or replace its own timer; the shared pointer keeps
    // the running function alive until it returns.
    struct Leave {
        Counters& counters;
        ~Leave() { --counters.running; }
    } leave{counters};
    if (onTick && *onTick) (*onTick)();
}

}  // namespace fake
