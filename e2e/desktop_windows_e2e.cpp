// Windows of other programs through Win32Desktop: found by title, listed,
// brought to the front, shown in every state, placed in the topmost band,
// made translucent and closed; and programs started with a window style.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/text/utf8.h"
#include "common/win32/desktop_win32.h"
#include "common/win32/wide.h"
#include "e2e/support/target_window.h"

namespace {

platform::WindowHandle Handle(HWND window) { return reinterpret_cast<platform::WindowHandle>(window); }

bool Listed(const std::vector<platform::WindowInfo>& windows, HWND window, const std::string& title) {
    return std::any_of(windows.begin(), windows.end(), [&](const platform::WindowInfo& info) {
        return info.handle == Handle(window) && info.title == title;
    });
}

TEST(DesktopWindowsTest, FindsWindowsByExactTitleIgnoringCase) {
    const std::string title = "E2E 目标窗口 Find Me";
    auto target = e2e::TargetWindow::Start({win32::Wide(title)});
    ASSERT_TRUE(target);
    win32::Win32Desktop desktop;

    EXPECT_EQ(desktop.FindWindowByExactTitle(title), Handle(target->Window()));
    EXPECT_EQ(desktop.FindWindowByExactTitle(text::AsciiLower(title)), Handle(target->Window()));
    EXPECT_EQ(desktop.FindWindowByExactTitle(text::AsciiUpper(title)), Handle(target->Window()));
    // Exact: a part of the title is not enough.
    EXPECT_EQ(desktop.FindWindowByExactTitle("E2E 目标窗口 Find"), 0u);
    EXPECT_EQ(desktop.FindWindowByExactTitle("目标窗口 Find Me"), 0u);
    EXPECT_EQ(target->Close(), 0u);
}

TEST(DesktopWindowsTest, TopLevelWindowsListsVisibleAndHiddenWindowsWithTitles) {
    const std::string shownTitle = "E2E Target Listed 已显示";
    const std::string hiddenTitle = "E2E Target Listed 已隐藏";
    auto shown = e2e::TargetWindow::Start({win32::Wide(shownTitle)});
    e2e::TargetOptions hiddenOptions{win32::Wide(hiddenTitle)};
    hiddenOptions.showCommand = SW_HIDE;
    auto hidden = e2e::TargetWindow::Start(hiddenOptions);
    ASSERT_TRUE(shown);
    ASSERT_TRUE(hidden);
    ASSERT_FALSE(IsWindowVisible(hidden->Window()));
    win32::Win32Desktop desktop;

    std::vector<platform::WindowInfo> windows = desktop.TopLevelWindows();
    EXPECT_TRUE(Listed(windows, shown->Window(), shownTitle));
    EXPECT_TRUE(Listed(windows, hidden->Window(), hiddenTitle));
    // Top-level windows only: the targets' edit boxes are not listed.
    EXPECT_FALSE(Listed(windows, shown->Edit(), ""));
    // Hidden windows are found by their exact title too.
    EXPECT_EQ(desktop.FindWindowByExactTitle(hiddenTitle), Handle(hidden->Window()));

    EXPECT_EQ(shown->Close(), 0u);
    EXPECT_EQ(hidden->Close(), 0u);
}

TEST(DesktopWindowsTest, ForegroundWindowFollowsSetForegroundWindow) {
    auto first = e2e::TargetWindow::Start({L"E2E Target Front 1"});
    auto second = e2e::TargetWindow::Start({L"E2E Target Front 2", {200, 200, 680, 520}});
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    win32::Win32Desktop desktop;

    for (HWND window : {first->Window(), second->Window(), first->Window()}) {
        bool accepted = false;
        EXPECT_TRUE(e2e::ActUntil([&] { accepted = desktop.SetForegroundWindow(Handle(window)); },
                                  [&] { return desktop.GetForegroundWindow() == Handle(window); }));
        EXPECT_TRUE(accepted);
    }
    EXPECT_EQ(first->Close(), 0u);
    EXPECT_EQ(second->Close(), 0u);
}

TEST(DesktopWindowsTest, ShowWindowCommandsChangeTheWindowState) {
    auto target = e2e::TargetWindow::Start({L"E2E Target Show"});
    ASSERT_TRUE(target);
    HWND window = target->Window();
    win32::Win32Desktop desktop;

    struct Step {
        int command;
        bool visible, zoomed, iconic;
    };
    const Step steps[] = {
        {platform::show::kMaximized, true, true, false}, {platform::show::kRestore, true, false, false},
        {platform::show::kMinimize, true, false, true},  {platform::show::kRestore, true, false, false},
        {platform::show::kHide, false, false, false},    {platform::show::kShow, true, false, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.command);
        auto reached = [&] {
            return bool(IsWindowVisible(window)) == step.visible && bool(IsZoomed(window)) == step.zoomed &&
                   bool(IsIconic(window)) == step.iconic;
        };
        bool accepted = false;
        EXPECT_TRUE(e2e::ActUntil([&] { accepted = desktop.ShowWindow(Handle(window), step.command); }, reached));
        EXPECT_TRUE(accepted);
    }
    EXPECT_FALSE(desktop.ShowWindow(0, platform::show::kShow));
    EXPECT_EQ(target->Close(), 0u);
}

TEST(DesktopWindowsTest, TopmostAndTranslucencyShowInTheExtendedStyle) {
    auto target = e2e::TargetWindow::Start({L"E2E Target Topmost"});
    ASSERT_TRUE(target);
    HWND window = target->Window();
    win32::Win32Desktop desktop;
    constexpr int kExStyle = -20;  // GWL_EXSTYLE

    ASSERT_TRUE(desktop.SetTopmost(Handle(window), true));
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(desktop.GetWindowLong(Handle(window), kExStyle), GetWindowLongW(window, GWL_EXSTYLE));
    ASSERT_TRUE(desktop.SetTopmost(Handle(window), false));
    EXPECT_FALSE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Half transparent: the layered style, then opacity 125 of 255.
    int32_t style = desktop.GetWindowLong(Handle(window), kExStyle);
    EXPECT_EQ(desktop.SetWindowLong(Handle(window), kExStyle, style | WS_EX_LAYERED), style);
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(desktop.SetLayeredWindowAttributes(Handle(window), 0, 125, LWA_ALPHA));
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 125);
    EXPECT_EQ(flags, DWORD(LWA_ALPHA));
    EXPECT_EQ(target->Close(), 0u);
}

TEST(DesktopWindowsTest, GetWindowRectReadsTheOuterRectangle) {
    auto target = e2e::TargetWindow::Start({L"E2E Target Rect"});
    ASSERT_TRUE(target);
    win32::Win32Desktop desktop;

    RECT expected{};
    ASSERT_TRUE(GetWindowRect(target->Window(), &expected));
    std::optional<platform::Rect> rect = desktop.GetWindowRect(Handle(target->Window()));
    ASSERT_TRUE(rect);
    EXPECT_EQ(*rect,
              (platform::Rect{int(expected.left), int(expected.top), int(expected.right), int(expected.bottom)}));
    EXPECT_FALSE(desktop.GetWindowRect(0));
    EXPECT_EQ(target->Close(), 0u);
}

TEST(DesktopWindowsTest, SendCloseMessageReturnsAfterTheWindowHandledIt) {
    auto target = e2e::TargetWindow::Start({L"E2E Target Close"});
    ASSERT_TRUE(target);
    win32::Win32Desktop desktop;

    SendMessageW(target->Edit(), WM_SETTEXT, 0, LPARAM(L"关闭 a\\b\r\nc"));
    desktop.SendCloseMessage(Handle(target->Window()));
    // No waiting: the close was handled before the call returned, and the
    // target logged its text on the way out.
    std::vector<std::string> lines = target->LogLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "CLOSE");
    EXPECT_EQ(lines.back(), "TEXT 关闭 a\\\\b\\r\\nc");
    EXPECT_EQ(target->Process().WaitForExit(), 0u);
}

}  // namespace
