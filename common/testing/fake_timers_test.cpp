#include "common/testing/fake_timers.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/testing/fake_desktop.h"

namespace fake {
namespace {

TEST(FakeTimers, TicksAtEveryIntervalWhileTheLoopRuns) {
    FakeDesktop desktop;
    FakeTimers timers(desktop.Clock());
    std::vector<uint64_t> at;
    timers.SetTimer(1, 100, [&] { at.push_back(desktop.Clock().Elapsed()); });
    EXPECT_TRUE(timers.IsTimerOn(1));
    desktop.Clock().RunFor(350);
    EXPECT_EQ(at, (std::vector<uint64_t>{100, 200, 300}));
}

TEST(FakeTimers, AThousandTicksRunInOneCall) {
    FakeDesktop desktop;
    FakeTimers timers(desktop.Clock());
    int ticks = 0;
    timers.SetTimer(1, 100, [&] {
        if (++ticks == 1000) timers.KillTimer(1);
    });
    desktop.Clock().RunFor(200000);
    EXPECT_EQ(ticks, 1000);
    EXPECT_FALSE(timers.IsTimerOn(1));
    EXPECT_EQ(desktop.Clock().PendingCount(), 0u);
}

TEST(FakeTimers, TicksMissedWithoutPumpingMergeIntoOne) {
    FakeDesktop desktop;
    FakeTimers timers(desktop.Clock());
    std::vector<uint64_t> at;
    timers.SetTimer(1, 100, [&] { at.push_back(desktop.Clock().Elapsed()); });
    desktop.Sleep(450);  // no tick can arrive while the program sleeps
    EXPECT_TRUE(at.empty());
    desktop.PumpMessages();
    desktop.Clock().RunFor(200);
    // One merged tick at the pump, then the grid of the start goes on.
    EXPECT_EQ(at, (std::vector<uint64_t>{450, 500, 600}));
}

TEST(FakeTimers, AQueuedTickComesAtTheNextPumpUnlessTheTimerIsOff) {
    FakeDesktop desktop;
    FakeTimers timers(desktop.Clock());
    std::vector<uint64_t> at;
    timers.SetTimer(1, 100, [&] { at.push_back(desktop.Clock().Elapsed()); });
    desktop.Clock().RunFor(30);
    timers.QueueTick(1);
    desktop.Sleep(10);
    EXPECT_TRUE(at.empty()) << "a queued tick is a message";
    desktop.Clock().RunFor(80);
    EXPECT_EQ(at, (std::vector<uint64_t>{40, 100}));
    timers.QueueTick(1);
    timers.KillTimer(1);
    desktop.Clock().RunFor(200);
    EXPECT_EQ(timers.TickCount(1), 2);
}

TEST(FakeTimers, SetTimerAgainRestartsAndKillStops) {
    FakeDesktop desktop;
    FakeTimers timers(desktop.Clock());
    std::vector<uint64_t> at;
    timers.SetTimer(1, 100, [&] { at.push_back(desktop.Clock().Elapsed()); });
    desktop.Clock().RunFor(150);
    timers.SetTimer(1, 300, [&] { at.push_back(desktop.Clock().Elapsed()); });
    desktop.Clock().RunFor(400);
    timers.KillTimer(1);
    desktop.Clock().RunFor(1000);
    EXPECT_EQ(at, (std::vector<uint64_t>{100, 450}));
    EXPECT_EQ(timers.TickCount(1), 2);
}

TEST(FakeTimers, IntervalsBelowTheMinimumRunAtTheMinimum) {
    FakeDesktop desktop;
    FakeTimers timers(desktop.Clock());
    int ticks = 0;
    timers.SetTimer(7, 0, [&] { ++ticks; });
    EXPECT_EQ(timers.Interval(7), FakeTimers::kMinimumIntervalMs);
    desktop.Clock().RunFor(100);
    EXPECT_EQ(ticks, 10);
}

TEST(FakeTimers, ANestedLoopDeliversTheSameTimerAgainAsThePlatformDoes) {
    FakeDesktop desktop;
    FakeTimers timers(desktop.Clock());
    bool busy = false;
    int started = 0;
    int overlapped = 0;
    timers.SetTimer(1, 100, [&] {
        if (busy) {
            ++overlapped;  // the owner's guard
            return;
        }
        busy = true;
        ++started;
        for (int i = 0; i < 5; ++i) {  // a 250 ms wait that pumps
            desktop.Sleep(50);
            desktop.PumpMessages();
        }
        busy = false;
    });
    desktop.Clock().RunFor(1000);
    EXPECT_GT(overlapped, 0);
    EXPECT_EQ(timers.ReentrantTicks(1), overlapped);
    EXPECT_EQ(timers.TickCount(1), started + overlapped);
}

TEST(FakeTimers, NestingIsCappedForAnOwnerWithoutGuard) {
    FakeDesktop desktop;
    FakeTimers timers(desktop.Clock());
    int depth = 0;
    int deepest = 0;
    timers.SetTimer(1, 10, [&] {
        deepest = std::max(deepest, ++depth);
        for (int i = 0; i < 3; ++i) {
            desktop.Sleep(10);
            desktop.PumpMessages();
        }
        --depth;
    });
    desktop.Clock().RunFor(100);
    EXPECT_EQ(deepest, FakeTimers::kMaxNesting);
}

TEST(FakeTimers, ACallbackMayKillOrReplaceItsOwnTimer) {
    FakeDesktop desktop;
    FakeTimers timers(desktop.Clock());
    int first = 0;
    int second = 0;
    timers.SetTimer(1, 100, [&] {
        ++first;
        timers.SetTimer(1, 100, [&] {
            ++second;
            timers.KillTimer(1);
        });
    });
    desktop.Clock().RunFor(1000);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
}

TEST(FakeTimers, DestroyedTimersLeaveNothingOnTheClock) {
    FakeDesktop desktop;
    {
        FakeTimers timers(desktop.Clock());
        timers.SetTimer(1, 100, [] {});
        timers.SetTimer(2, 100, [] {});
    }
    EXPECT_EQ(desktop.Clock().PendingCount(), 0u);
    desktop.Clock().RunFor(1000);
}

}  // namespace
}  // namespace fake
