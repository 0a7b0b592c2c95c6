#include "common/testing/virtual_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fake {
namespace {

// Records which item ran and when.
struct Trace {
    VirtualClock& clock;
    std::vector<std::string> lines;
    std::function<void()> Note(std::string name) {
        return [this, name] { lines.push_back(name + "@" + std::to_string(clock.Elapsed())); };
    }
};

TEST(VirtualClock, TickIsStartPlusElapsedAndWraps) {
    VirtualClock clock(0xFFFFFF00u);
    EXPECT_EQ(clock.Tick(), 0xFFFFFF00u);
    clock.Sleep(0x100 + 5);
    EXPECT_EQ(clock.Elapsed(), 0x105u);
    EXPECT_EQ(clock.Tick(), 5u);
    // Differences of two readings stay right across the wrap.
    EXPECT_EQ(uint32_t(clock.Tick() - 0xFFFFFF00u), 0x105u);
}

TEST(VirtualClock, ItemsFireInTimeOrderAndTiesInSchedulingOrder) {
    VirtualClock clock;
    Trace trace{clock, {}};
    clock.At(300, trace.Note("c"));
    clock.At(100, trace.Note("a"));
    clock.At(300, trace.Note("d"));
    clock.At(200, trace.Note("b"));
    clock.At(301, trace.Note("late"));
    clock.Sleep(300);
    EXPECT_EQ(trace.lines, (std::vector<std::string>{"a@100", "b@200", "c@300", "d@300"}));
    EXPECT_EQ(clock.Elapsed(), 300u);
    EXPECT_EQ(clock.PendingCount(), 1u);
}

TEST(VirtualClock, SleepFiresWorldEventsButLeavesMessagesForThePump) {
    VirtualClock clock;
    Trace trace{clock, {}};
    clock.PostAt(100, trace.Note("message"));
    clock.At(150, trace.Note("world"));
    clock.Sleep(200);
    EXPECT_EQ(trace.lines, (std::vector<std::string>{"world@150"}));
    // The message that fell due during the sleep arrives as the next pump starts.
    clock.Pump(1);
    EXPECT_EQ(trace.lines, (std::vector<std::string>{"world@150", "message@200"}));
}

TEST(VirtualClock, WaitForMessageStopsAtTheNextMessage) {
    VirtualClock clock;
    Trace trace{clock, {}};
    clock.At(20, trace.Note("world"));
    clock.PostAt(70, trace.Note("message"));
    clock.WaitForMessage(50);
    EXPECT_EQ(clock.Elapsed(), 50u);
    clock.WaitForMessage(50);
    EXPECT_EQ(clock.Elapsed(), 70u);
    EXPECT_EQ(trace.lines, (std::vector<std::string>{"world@20"}));
    // With the message pending, waiting returns at once.
    clock.WaitForMessage(50);
    EXPECT_EQ(clock.Elapsed(), 70u);
    clock.Pump(0);
    EXPECT_EQ(trace.lines, (std::vector<std::string>{"world@20", "message@70"}));
}

TEST(VirtualClock, AnItemThatWaitsMovesTheClockOnAndTimeNeverRunsBack) {
    VirtualClock clock;
    Trace trace{clock, {}};
    clock.At(100, [&] {
        trace.lines.push_back("long@100");
        clock.Sleep(250);  // fires "inner" on the way
    });
    clock.At(200, trace.Note("inner"));
    clock.At(300, trace.Note("after"));
    clock.Sleep(120);
    EXPECT_EQ(trace.lines, (std::vector<std::string>{"long@100", "inner@200", "after@300"}));
    EXPECT_EQ(clock.Elapsed(), 350u);
}

TEST(VirtualClock, ItemsScheduledInThePastFireAtTheNextAdvance) {
    VirtualClock clock;
    Trace trace{clock, {}};
    clock.Sleep(500);
    clock.At(100, trace.Note("past"));
    clock.Sleep(0);
    EXPECT_EQ(trace.lines, (std::vector<std::string>{"past@500"}));
}

TEST(VirtualClock, CancelledItemsDoNotFire) {
    VirtualClock clock;
    Trace trace{clock, {}};
    VirtualClock::EventId id = clock.At(10, trace.Note("cancelled"));
    clock.At(20, trace.Note("kept"));
    EXPECT_TRUE(clock.Cancel(id));
    EXPECT_FALSE(clock.Cancel(id));
    clock.Pump(30);
    EXPECT_EQ(trace.lines, (std::vector<std::string>{"kept@20"}));
}

TEST(VirtualClock, RunUntilStopsWhenTheConditionHoldsOrTheTimeIsUp) {
    VirtualClock clock;
    bool stopped = false;
    clock.PostAt(700, [&] { stopped = true; });
    EXPECT_TRUE(clock.RunUntil([&] { return stopped; }, 10000));
    EXPECT_EQ(clock.Elapsed(), 700u);
    EXPECT_FALSE(clock.RunUntil([] { return false; }, 300));
    EXPECT_EQ(clock.Elapsed(), 1000u);
}

}  // namespace
}  // namespace fake
