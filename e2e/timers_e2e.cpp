// Win32Timers on a real window: timers tick through the window's message
// loop, stop when killed, take a new callback when set again, and a tick
// that runs a nested message loop gets the same timer's next tick handed to
// it once, one level deep (the owner guards), never deeper.
#include <gtest/gtest.h>

#include <stdexcept>

#include "common/win32/desktop_win32.h"
#include "common/win32/timers_win32.h"
#include "e2e/support/wait.h"

namespace {

// A hidden window whose procedure hands WM_TIMER to its Win32Timers, as the
// programs' main windows do.
class TimerWindow {
public:
    TimerWindow() {
        static const wchar_t* className = RegisterClassOnce();
        window_ = CreateWindowExW(0, className, L"E2E Timers", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        timers_ = std::make_unique<win32::Win32Timers>(window_);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(timers_.get()));
    }
    ~TimerWindow() {
        timers_.reset();
        DestroyWindow(window_);
    }

    win32::Win32Timers& Timers() { return *timers_; }
    HWND Window() const { return window_; }

    // Runs the message loop for a while.
    static void Run(uint32_t milliseconds) {
        e2e::WaitUntil([] { return false; }, milliseconds);
    }

private:
    static const wchar_t* RegisterClassOnce() {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"E2ETimerWindow";
        RegisterClassExW(&windowClass);
        return windowClass.lpszClassName;
    }
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* timers = reinterpret_cast<win32::Win32Timers*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_TIMER && timers && timers->HandleTimer(wParam)) return 0;
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    std::unique_ptr<win32::Win32Timers> timers_;
};

TEST(TimersTest, TicksUntilKilled) {
    TimerWindow host;
    int ticks = 0;
    host.Timers().SetTimer(1, 20, [&] { ++ticks; });
    EXPECT_TRUE(host.Timers().IsTimerOn(1));
    EXPECT_FALSE(host.Timers().IsTimerOn(2));
    EXPECT_TRUE(e2e::WaitUntil([&] { return ticks >= 3; }, 2000));

    host.Timers().KillTimer(1);
    EXPECT_FALSE(host.Timers().IsTimerOn(1));
    int ticksWhenKilled = ticks;
    TimerWindow::Run(100);
    EXPECT_EQ(ticks, ticksWhenKilled);
}

TEST(TimersTest, SettingATimerAgainReplacesItsCallback) {
    TimerWindow host;
    int first = 0;
    int second = 0;
    host.Timers().SetTimer(1, 20, [&] { ++first; });
    host.Timers().SetTimer(1, 20, [&] { ++second; });
    EXPECT_TRUE(e2e::WaitUntil([&] { return second >= 2; }, 2000));
    EXPECT_EQ(first, 0);
}

TEST(TimersTest, OnlyItsOwnTimersAreHandled) {
    TimerWindow host;
    host.Timers().SetTimer(1, 1000, [] {});
    EXPECT_TRUE(host.Timers().HandleTimer(1));
    EXPECT_FALSE(host.Timers().HandleTimer(7));
}

TEST(TimersTest, ANestedLoopGetsItsOwnTimerOneLevelDeepAndOtherTimersInside) {
    TimerWindow host;
    win32::Win32Desktop desktop;
    int depth = 0;
    int deepest = 0;
    int slowTicks = 0;
    int fastTicks = 0;
    int fastTicksInsideSlow = 0;
    // The slow tick waits 150 ms in a nested message loop, as a wait inside
    // an instruction does; its own timer comes due several times meanwhile.
    // It has no guard of its own, so the nested tick waits too.
    host.Timers().SetTimer(1, 20, [&] {
        deepest = std::max(deepest, ++depth);
        ++slowTicks;
        int fastBefore = fastTicks;
        DWORD start = GetTickCount();
        while (GetTickCount() - start < 150) desktop.WaitForMessages(10);
        fastTicksInsideSlow += fastTicks - fastBefore;
        --depth;
    });
    host.Timers().SetTimer(2, 10, [&] { ++fastTicks; });

    EXPECT_TRUE(e2e::WaitUntil([&] { return slowTicks >= 3; }, 3000));
    EXPECT_EQ(deepest, 2);
    EXPECT_GT(fastTicksInsideSlow, 0);
}

TEST(TimersTest, ACallbackMayKillItsOwnTimer) {
    TimerWindow host;
    int ticks = 0;
    host.Timers().SetTimer(1, 10, [&] {
        ++ticks;
        host.Timers().KillTimer(1);
    });
    EXPECT_TRUE(e2e::WaitUntil([&] { return ticks == 1; }, 2000));
    TimerWindow::Run(60);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(host.Timers().IsTimerOn(1));
}

TEST(TimersTest, AFailingTickDoesNotStopTheTimer) {
    TimerWindow host;
    int ticks = 0;
    host.Timers().SetTimer(1, 10, [&] {
        ++ticks;
        throw std::runtime_error("a failing step");
    });
    EXPECT_TRUE(e2e::WaitUntil([&] { return ticks >= 3; }, 2000));
    EXPECT_TRUE(host.Timers().IsTimerOn(1));
}

}  // namespace
