// The virtual clock of the fakes: a millisecond clock that moves only when
// the code under test waits or pumps messages, and a queue of things that
// happen at given times.
//
// Time is counted as milliseconds elapsed since the clock was made
// (Elapsed(), 64 bits, never wraps). The tick that the program reads
// (timeGetTime) is the start tick plus the elapsed time, wrapping at 2^32 as
// the real counter does, so a test can start the clock just below the wrap.
//
// Two kinds of scheduled items exist, because the program sees them
// differently on a real desktop:
// - World events (At): things that happen on the desktop whether or not the
//   program looks: a key goes down, the screen changes colour, a window
//   appears. They fire as soon as the clock reaches their time, also while
//   the program sleeps without pumping.
// - Messages (PostAt, and the ticks of FakeTimers): things that reach the
//   program through its message queue: a click on a row, a timer tick. They
//   are delivered only when the program pumps messages (Pump, RunFor), and a
//   message whose time came during a sleep waits for the next pump.
// Items fire in time order; items of the same time fire in the order they
// were scheduled. While an item runs, the clock reads its due time (or later,
// when an earlier item has already moved the clock further).
//
// Items may schedule further items and may advance the clock themselves (a
// timer callback that waits and pumps): the clock never runs backwards, and
// an item is removed from the queue before it runs, so it never runs twice.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace fake {

class VirtualClock {
public:
    using EventId = uint64_t;

    explicit VirtualClock(uint32_t startTick = 1000) : startTick_(startTick) {}
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    // Milliseconds since the clock was made.
    uint64_t Elapsed() const { return elapsed_; }
    // The timeGetTime reading: start tick + elapsed, modulo 2^32.
    uint32_t Tick() const { return uint32_t(startTick_ + elapsed_); }
    uint32_t StartTick() const { return startTick_; }

    // A world event at the given elapsed time (a time already past fires at
    // the next advance of the clock).
    EventId At(uint64_t elapsedMs, std::function<void()> action);
    // A message delivered at the first pump at or after the given time.
    EventId PostAt(uint64_t elapsedMs, std::function<void()> handler);
    // Removes a scheduled item that has not fired yet; false when it is gone.
    bool Cancel(EventId id);

    // Advances by ms firing the world events on the way; messages wait.
    void Sleep(uint64_t ms);
    // Advances by ms firing world events and delivering messages.
    void Pump(uint64_t ms);
    // Waits until the next message is due or ms have passed, whichever comes
    // first, firing world events on the way but delivering no message (the
    // caller pumps afterwards). Returns at once when a message is pending.
    void WaitForMessage(uint64_t ms);

    // Test driving: the program idles in its message loop for ms.
    void RunFor(uint64_t ms) { Pump(ms); }
    // Test driving: the message loop runs until done() holds or maxMs have
    // passed. done() is checked before the first step and after every item
    // delivered. Returns done() at the end.
    bool RunUntil(const std::function<bool()>& done, uint64_t maxMs);

    // The time of the earliest scheduled item of any kind.
    std::optional<uint64_t> NextItemTime() const;
    // The time of the earliest message (pending ones are at or before now).
    std::optional<uint64_t> NextMessageTime() const;
    size_t PendingCount() const { return queue_.size(); }

private:
    struct Item {
        EventId id = 0;
        bool isMessage = false;
        std::function<void()> action;
    };
    using Key = std::pair<uint64_t, EventId>;  // due time, order of scheduling

    EventId Schedule(uint64_t elapsedMs, bool isMessage, std::function<void()> action);
    // Fires the due items (messages only when deliverMessages) up to target,
    // then leaves the clock at target (or later, if an item moved it on).
    void AdvanceTo(uint64_t target, bool deliverMessages);
    // Removes and runs the earliest eligible item due at or before target;
    // false when there is none.
    bool FireNext(uint64_t target, bool deliverMessages);

    uint32_t startTick_;
    uint64_t elapsed_ = 0;
    EventId nextId_ = 1;
    std::map<Key, Item> queue_;
    std::map<EventId, Key> keys_;
};

}  // namespace fake
