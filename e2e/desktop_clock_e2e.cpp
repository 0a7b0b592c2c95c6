// The clock and the message loop through Win32Desktop: pumping dispatches
// what is queued, a wait for messages ends as soon as one arrives (even one
// that an earlier peek has already seen) and otherwise lasts its time, and
// the clocks advance with real time.
#include <gtest/gtest.h>

#include <thread>

#include "common/win32/desktop_win32.h"

namespace {

constexpr UINT kCountMe = WM_APP + 7;

// A message-only window that counts the kCountMe messages dispatched to it.
class CountingWindow {
public:
    CountingWindow() {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"E2ECountingWindow";
        RegisterClassExW(&windowClass);
        window_ = CreateWindowExW(0, L"E2ECountingWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&count_));
    }
    ~CountingWindow() { DestroyWindow(window_); }

    HWND Window() const { return window_; }
    int Count() const { return count_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kCountMe) {
            ++*reinterpret_cast<int*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    int count_ = 0;
};

TEST(DesktopClockTest, PumpMessagesDispatchesEverythingQueuedAndReturns) {
    CountingWindow counter;
    win32::Win32Desktop desktop;
    for (int i = 0; i < 3; ++i) PostMessageW(counter.Window(), kCountMe, 0, 0);

    desktop.PumpMessages();
    EXPECT_EQ(counter.Count(), 3);
    desktop.PumpMessages();  // nothing queued: returns at once
    EXPECT_EQ(counter.Count(), 3);
}

TEST(DesktopClockTest, WaitForMessagesEndsWhenAMessageArrives) {
    CountingWindow counter;
    win32::Win32Desktop desktop;
    std::thread poster([&] {
        Sleep(50);
        PostMessageW(counter.Window(), kCountMe, 0, 0);
    });
    DWORD start = GetTickCount();
    desktop.WaitForMessages(3000);
    DWORD waited = GetTickCount() - start;
    poster.join();

    EXPECT_LT(waited, 1000u);
    EXPECT_EQ(counter.Count(), 1);
}

TEST(DesktopClockTest, WaitForMessagesEndsAtOnceForAMessageAlreadySeen) {
    CountingWindow counter;
    win32::Win32Desktop desktop;
    PostMessageW(counter.Window(), kCountMe, 0, 0);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));  // seen, still queued

    DWORD start = GetTickCount();
    desktop.WaitForMessages(3000);
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_EQ(counter.Count(), 1);
}

TEST(DesktopClockTest, WaitForMessagesLastsItsTimeWhenNothingArrives) {
    win32::Win32Desktop desktop;
    desktop.PumpMessages();
    uint32_t start = desktop.TimeGetTime();
    desktop.WaitForMessages(80);
    uint32_t waited = desktop.TimeGetTime() - start;
    EXPECT_GE(waited, 70u);
    EXPECT_LT(waited, 1000u);
}

TEST(DesktopClockTest, ClocksFollowRealTime) {
    win32::Win32Desktop desktop;
    uint32_t start = desktop.TimeGetTime();
    desktop.Sleep(50);
    uint32_t slept = desktop.TimeGetTime() - start;
    EXPECT_GE(slept, 45u);
    EXPECT_LT(slept, 1000u);

    // The local time agrees with the system's, read just before and after
    // (a second, or even a day, may turn over in between).
    SYSTEMTIME before{};
    GetLocalTime(&before);
    text::LocalTime now = desktop.LocalNow();
    SYSTEMTIME after{};
    GetLocalTime(&after);
    EXPECT_TRUE(now.year == before.wYear || now.year == after.wYear);
    EXPECT_TRUE(now.month == before.wMonth || now.month == after.wMonth);
    EXPECT_TRUE(now.day == before.wDay || now.day == after.wDay);
    EXPECT_TRUE(now.hour == before.wHour || now.hour == after.wHour);
    EXPECT_TRUE(now.minute == before.wMinute || now.minute == after.wMinute);
    EXPECT_TRUE(now.second == before.wSecond || now.second == after.wSecond);
}

}  // namespace
