// Kestrun at 150 % display scaling (144 DPI) on a 1280 x 1024 screen, where
// the window at full scale would be taller than the screen: the window fits
// the work area of its monitor, its layout keeps its proportions and stays
// larger than at 100 %, every control lies inside the work area and the
// client area, and a click on the start button starts the run. A move to a
// monitor of another DPI fits it again.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "e2e/support/dialog_driver.h"
#include "e2e/support/kestrun_app.h"
#include "e2e/support/mouse.h"
#include "e2e/support/target_window.h"
#include "e2e/support/wait.h"
#include "kestrun/ui/frm_main_layout.h"

namespace {

namespace id = kestrun::id;

constexpr DWORD kScaledDpi = 144;

// Wine gives each new process the DPI of the user's desktop settings
// (LogPixels). The value is set only while Kestrun starts and is put back
// at once, so that no other program of the test run sees it.
class DesktopDpi {
public:
    explicit DesktopDpi(DWORD dpi) {
        // The test's own process keeps the DPI it started with: it takes it
        // now, before the value changes.
        HDC screen = GetDC(nullptr);
        GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        DWORD size = sizeof(old_);
        DWORD type = 0;
        hadValue_ =
            RegQueryValueExW(key_, kValue, nullptr, &type, reinterpret_cast<BYTE*>(&old_), &size) == ERROR_SUCCESS &&
            type == REG_DWORD;
        set_ = RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi)) ==
               ERROR_SUCCESS;
    }
    ~DesktopDpi() {
        if (!key_) return;
        if (hadValue_) {
            RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof(old_));
        } else {
            RegDeleteValueW(key_, kValue);
        }
        RegCloseKey(key_);
    }
    DesktopDpi(const DesktopDpi&) = delete;
    DesktopDpi& operator=(const DesktopDpi&) = delete;
    bool Set() const { return set_; }

private:
    static constexpr const wchar_t* kValue = L"LogPixels";
    HKEY key_ = nullptr;
    DWORD old_ = 0;
    bool hadValue_ = false;
    bool set_ = false;
};

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientScreenRect(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// The DPI the window's layout is drawn at, found from its client area and
// the start button: 0 when no DPI gives both, i.e. the layout is out of
// proportion.
int LayoutDpi(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    RECT button = ScreenRect(GetDlgItem(window, id::kCmdGoto));
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&button), 2);
    for (int dpi = 24; dpi <= 480; ++dpi) {
        auto px = [&](int twips) { return MulDiv(twips, dpi, 1440); };
        if (client.right == px(kestrun::kClientWidthTwips) && client.bottom == px(kestrun::kClientHeightTwips) &&
            button.left == px(7110) && button.top == px(11175) && button.right == px(7110) + px(990) &&
            button.bottom == px(11175) + px(420)) {
            return dpi;
        }
    }
    return 0;
}

// Every control of the window (the 64 of the layout and any bitmap
// thumbnails) lies inside its client area and inside the work area of its
// monitor.
void ExpectEveryControlOnTheScreen(HWND window, int controls) {
    const RECT work = WorkAreaOf(window);
    const RECT client = ClientScreenRect(window);
    SCOPED_TRACE("work area " + Describe(work) + ", client area " + Describe(client));
    EXPECT_TRUE(Contains(work, ScreenRect(window))) << Describe(ScreenRect(window));
    int count = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++count) {
        const RECT rect = ScreenRect(child);
        EXPECT_TRUE(Contains(client, rect) && Contains(work, rect)) << GetDlgCtrlID(child) << " at " << Describe(rect);
    }
    EXPECT_EQ(count, controls);
}

TEST(KestrunScalingE2e, AtOneHundredFiftyPercentTheWindowFitsTheScreenAndTheStartButtonWorks) {
    std::unique_ptr<e2e::KestrunApp> app;
    {
        DesktopDpi dpi(kScaledDpi);
        ASSERT_TRUE(dpi.Set());
        app = e2e::KestrunApp::Start();
    }
    ASSERT_TRUE(app);
    HWND window = app->Window();

    // Scaled down from 144 DPI until it fits, but still larger than at 100 %.
    const int layoutDpi = LayoutDpi(window);
    EXPECT_GT(layoutDpi, 96);
    EXPECT_LT(layoutDpi, int(kScaledDpi));
    ExpectEveryControlOnTheScreen(window, 64);

    // A line to run, then a click on the start button where it shows.
    app->Press(id::kCmdOrder + 8);
    ASSERT_TRUE(app->WaitForRows({"等待时间=5000"}));
    ASSERT_TRUE(e2e::BringToFront(window, [&] { return SetForegroundWindow(window) != 0; }));
    e2e::ClickAt(e2e::CentreOf(app->Control(id::kCmdGoto)));
    EXPECT_TRUE(e2e::WaitUntil([&] { return app->Text(id::kCmdGoto) == "停止执行"; }));
    app->Press(id::kCmdGoto);
    EXPECT_TRUE(e2e::WaitUntil([&] { return app->Text(id::kCmdGoto) == "开始执行"; }));

    EXPECT_EQ(app->Close(), std::optional<DWORD>(0));
}

// What the system sends when the window has moved to a monitor of the given
// DPI: the new DPI and a suggested rectangle, the old one scaled by it.
void MoveToMonitorOfDpi(HWND window, int dpi, int oldDpi) {
    RECT rect = ScreenRect(window);
    rect.right = rect.left + MulDiv(rect.right - rect.left, dpi, oldDpi);
    rect.bottom = rect.top + MulDiv(rect.bottom - rect.top, dpi, oldDpi);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&rect));
}

TEST(KestrunScalingE2e, AMoveToAMonitorOfAnotherDpiFitsTheWindowAgain) {
    std::unique_ptr<e2e::KestrunApp> app = e2e::KestrunApp::Start();
    ASSERT_TRUE(app);
    HWND window = app->Window();
    ASSERT_EQ(LayoutDpi(window), 96);
    const RECT atStart = ScreenRect(window);

    MoveToMonitorOfDpi(window, int(kScaledDpi), 96);
    const int layoutDpi = LayoutDpi(window);
    EXPECT_GT(layoutDpi, 96);
    EXPECT_LT(layoutDpi, int(kScaledDpi));
    ExpectEveryControlOnTheScreen(window, 64);

    // A bitmap test, whose two thumbnails in Frame2 move with the layout too.
    app->Press(id::kCmdOrder + 0);
    HWND jump = app->WaitForDialog(L"提示");
    ASSERT_NE(jump, nullptr);
    ASSERT_TRUE(e2e::AnswerInputBox(jump, "1"));
    ASSERT_TRUE(app->WaitForRows({"比较位图=1,100,100,1"}));

    // Back at 100 % the window is as it was, in place and size.
    MoveToMonitorOfDpi(window, 96, int(kScaledDpi));
    EXPECT_EQ(LayoutDpi(window), 96);
    const RECT back = ScreenRect(window);
    EXPECT_EQ(back.right - back.left, atStart.right - atStart.left);
    EXPECT_EQ(back.bottom - back.top, atStart.bottom - atStart.top);
    ExpectEveryControlOnTheScreen(window, 66);

    EXPECT_EQ(app->Close(), std::optional<DWORD>(0));
}

}  // namespace
