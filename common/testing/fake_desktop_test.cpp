#include "common/testing/fake_desktop.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace fake {
namespace {

using Lines = std::vector<std::string>;

TEST(FakeDesktop, KeyStateHasTheHeldBitAndThePressedSinceLastQueryBit) {
    FakeDesktop desktop;
    const int16_t kHeld = int16_t(0x8000);
    EXPECT_EQ(desktop.GetAsyncKeyState(118), 0);
    desktop.PressKey(118);
    EXPECT_EQ(desktop.GetAsyncKeyState(118), int16_t(kHeld | 1));
    EXPECT_EQ(desktop.GetAsyncKeyState(118), kHeld);  // the query cleared bit 0
    desktop.ReleaseKey(118);
    EXPECT_EQ(desktop.GetAsyncKeyState(118), 0);
    // A tap between two queries leaves only bit 0.
    desktop.TapKeyAt(100, 27, 30);
    desktop.Sleep(200);
    EXPECT_EQ(desktop.GetAsyncKeyState(27), 1);
    EXPECT_EQ(desktop.GetAsyncKeyState(27), 0);
    EXPECT_EQ(desktop.GetAsyncKeyState(-1), 0);
    EXPECT_EQ(desktop.GetAsyncKeyState(256), 0);
}

TEST(FakeDesktop, ScriptedKeysChangeAtTheirTimeAndInjectedInputCounts) {
    FakeDesktop desktop;
    desktop.PressKeyAt(500, 118);
    desktop.Sleep(499);
    EXPECT_FALSE(desktop.IsKeyHeld(118));
    desktop.Sleep(1);
    EXPECT_TRUE(desktop.IsKeyHeld(118));
    desktop.KeybdEvent(17, platform::key::kPress);
    desktop.MouseEvent(platform::mouse::kLeftDown, 0);
    EXPECT_EQ(desktop.HeldKeys(), (std::vector<int>{1, 17, 118}));
    desktop.KeybdEvent(17, platform::key::kRelease);
    desktop.MouseEvent(platform::mouse::kLeftUp, 0);
    EXPECT_EQ(desktop.HeldKeys(), (std::vector<int>{118}));
}

TEST(FakeDesktop, LogsActionsInOrderAndMergesRunsOfPumps) {
    FakeDesktop desktop;
    desktop.SetCursorPos(100, 200);
    desktop.MouseEvent(platform::mouse::kWheel, -240);
    desktop.KeybdEvent(86, platform::key::kPress);
    desktop.KeybdEvent(86, platform::key::kRelease);
    desktop.PumpMessages();
    desktop.PumpMessages();
    desktop.PumpMessages();
    desktop.Sleep(50);
    desktop.PumpMessages();
    desktop.WaitForMessages(20);
    desktop.GetPixel(1, 1);
    desktop.GetAsyncKeyState(17);
    desktop.SendKeys("^a");
    EXPECT_EQ(desktop.Log(),
              (Lines{"SetCursorPos 100,200", "mouse_event 0x800 -240", "keybd_event 86 down", "keybd_event 86 up",
                     "PumpMessages x3", "Sleep 50", "PumpMessages", "WaitForMessages 20", "SendKeys ^a"}));
    EXPECT_EQ(desktop.LogWithout({"Sleep", "PumpMessages", "WaitForMessages"}),
              (Lines{"SetCursorPos 100,200", "mouse_event 0x800 -240", "keybd_event 86 down", "keybd_event 86 up",
                     "SendKeys ^a"}));
    EXPECT_EQ(desktop.TakeLog().size(), 9u);
    desktop.PumpMessages();
    EXPECT_EQ(desktop.Log(), Lines{"PumpMessages"});
}

TEST(FakeDesktop, WaitingAgainForAMessageThatWasNeverPumpedIsASpin) {
    FakeDesktop desktop;
    int delivered = 0;
    desktop.PostAt(30, [&] { ++delivered; });
    desktop.WaitForMessages(100);
    EXPECT_EQ(desktop.Clock().Elapsed(), 30u) << "the wait ends when the message is due";
    EXPECT_THROW(desktop.WaitForMessages(70), std::logic_error);
    desktop.PumpMessages();
    EXPECT_EQ(delivered, 1);
    desktop.WaitForMessages(70);
    desktop.WaitForMessages(10);  // nothing pending: waiting on is fine
    EXPECT_EQ(desktop.Clock().Elapsed(), 111u);
}

TEST(FakeDesktop, ASpinLoopOverTheTickEnds) {
    FakeDesktop desktop(0xFFFFFF00u);
    uint32_t start = desktop.TimeGetTime();
    int pumps = 0;
    while (desktop.TimeGetTime() - start < 500) {
        desktop.PumpMessages();
        ++pumps;
    }
    EXPECT_EQ(pumps, 500);
    EXPECT_EQ(desktop.Log(), Lines{"PumpMessages x500"});
}

TEST(FakeDesktop, LocalTimeRunsWithTheClockAcrossMinuteDayAndYear) {
    FakeDesktop desktop;
    desktop.SetLocalTime({2025, 12, 31, 23, 59, 59, 500});
    text::LocalTime t = desktop.LocalNow();
    EXPECT_EQ(t.second, 59);
    EXPECT_EQ(t.millisecond, 500);
    desktop.Sleep(500);
    t = desktop.LocalNow();
    EXPECT_EQ(text::LogTimeStamp(t), "2026-01-01 00:00:00");
    desktop.Clock().Sleep(59ull * 86400000);  // 59 days on: 2026 is no leap year
    EXPECT_EQ(text::LogTimeStamp(desktop.LocalNow()), "2026-03-01 00:00:00");

    FakeDesktop leap;
    leap.SetLocalTime({2024, 2, 28, 8, 29, 59, 0});
    leap.Sleep(1000);
    EXPECT_EQ(leap.LocalNow().minute, 30);
    leap.Sleep(86400000u);
    EXPECT_EQ(leap.LocalNow().day, 29);
    EXPECT_EQ(leap.LocalNow().month, 2);
}

TEST(FakeDesktop, ScreenPixelsAndCopiesWithOffScreenPartsBlack) {
    FakeDesktop desktop(1000, 4, 3);
    desktop.Screen().Set(0, 0, 0x0000FF);
    desktop.PaintRect(2, 1, 5, 5, 0x00FF00);
    EXPECT_EQ(desktop.GetPixel(0, 0), 0x0000FF);
    EXPECT_EQ(desktop.GetPixel(1, 1), 0xFFFFFF);
    EXPECT_EQ(desktop.GetPixel(3, 2), 0x00FF00);
    EXPECT_EQ(desktop.GetPixel(4, 0), -1);
    EXPECT_EQ(desktop.GetPixel(0, -1), -1);

    std::optional<platform::Image> copy = desktop.CopyScreen(-1, 1, 3, 3);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->pixels, (std::vector<int32_t>{0, 0xFFFFFF, 0xFFFFFF,  //
                                                  0, 0xFFFFFF, 0xFFFFFF,  //
                                                  0, 0, 0}));
    EXPECT_FALSE(desktop.CopyScreen(0, 0, 0, 5));
    EXPECT_FALSE(desktop.CopyScreen(0, 0, 100000, 100000));
    desktop.SetCopyScreenFails(true);
    EXPECT_FALSE(desktop.CopyScreen(0, 0, 1, 1));
}

TEST(FakeDesktop, TheCursorStaysOnTheScreen) {
    FakeDesktop desktop(1000, 800, 600);
    desktop.SetCursorPos(-5, 9999);
    EXPECT_EQ(desktop.GetCursorPos(), (platform::Point{0, 599}));
    EXPECT_EQ(desktop.Log(), Lines{"SetCursorPos -5,9999"});
}

TEST(FakeDesktop, WindowsAreFoundByTitleIgnoringAsciiCaseInTheirOrder) {
    FakeDesktop desktop;
    platform::WindowHandle hidden = desktop.AddWindow({.title = "Untitled - Notepad", .visible = false});
    platform::WindowHandle second = desktop.AddWindow({.title = "untitled - notepad"});
    platform::WindowHandle chinese = desktop.AddWindow({.title = "记事本"});
    EXPECT_EQ(desktop.FindWindowByExactTitle("UNTITLED - NOTEPAD"), hidden);
    EXPECT_EQ(desktop.FindWindowByExactTitle("记事本"), chinese);
    EXPECT_EQ(desktop.FindWindowByExactTitle("Notepad"), 0u);
    desktop.SendCloseMessage(hidden);
    EXPECT_TRUE(desktop.Window(hidden)->closed);
    EXPECT_EQ(desktop.FindWindowByExactTitle("untitled - NOTEPAD"), second);
    EXPECT_EQ(desktop.TopLevelWindows().size(), 2u);
    EXPECT_FALSE(desktop.ShowWindow(hidden, platform::show::kShow));
}

TEST(FakeDesktop, WindowOperationsChangeTheWindowAndAreLogged) {
    FakeDesktop desktop;
    platform::WindowHandle window = desktop.AddWindow({.title = "Calc"});
    platform::WindowHandle stubborn = desktop.AddWindow({.title = "Editor", .closesOnRequest = false});
    EXPECT_TRUE(desktop.ShowWindow(window, platform::show::kMaximized));
    EXPECT_EQ(desktop.Window(window)->placement, Placement::kMaximized);
    EXPECT_EQ(desktop.GetForegroundWindow(), window);
    desktop.ShowWindow(window, platform::show::kHide);
    EXPECT_FALSE(desktop.Window(window)->visible);
    EXPECT_EQ(desktop.GetForegroundWindow(), 0u);
    desktop.SetTopmost(window, true);
    EXPECT_TRUE(desktop.Window(window)->topmost);
    EXPECT_TRUE(desktop.Window(window)->visible);
    // The layered attributes need the layered style first.
    EXPECT_FALSE(desktop.SetLayeredWindowAttributes(window, 0, 125, 2));
    desktop.SetWindowLong(window, kGwlExStyle, desktop.GetWindowLong(window, kGwlExStyle) | kWsExLayered);
    EXPECT_TRUE(desktop.SetLayeredWindowAttributes(window, 0, 125, 2));
    EXPECT_EQ(desktop.Window(window)->alpha, 125);
    desktop.SendCloseMessage(stubborn);
    EXPECT_FALSE(desktop.Window(stubborn)->closed);
    desktop.SetForegroundWindow(0x1234);
    EXPECT_EQ(desktop.Log(), (Lines{"ShowWindow \"Calc\" 3", "ShowWindow \"Calc\" 0", "SetTopmost \"Calc\" on",
                                    "SetLayeredWindowAttributes \"Calc\" 0 125 2", "SetWindowLong \"Calc\" -20 0x80000",
                                    "SetLayeredWindowAttributes \"Calc\" 0 125 2", "SendCloseMessage \"Editor\"",
                                    "SetForegroundWindow #4660"}));
}

TEST(FakeDesktop, LaunchedProgramsShowTheirWindowAndCanBeActivated) {
    FakeDesktop desktop;
    desktop.AddProgram(
        {.commandLine = "notepad.exe", .processId = 42, .windowTitle = "Untitled - Notepad", .windowDelayMs = 300});
    EXPECT_EQ(desktop.LaunchProgram("NOTEPAD.EXE", 3), 42u);
    EXPECT_FALSE(desktop.ActivateProcess(42));  // no window yet
    desktop.Sleep(300);
    platform::WindowHandle window = desktop.FindWindowByExactTitle("Untitled - Notepad");
    ASSERT_NE(window, 0u);
    EXPECT_EQ(desktop.Window(window)->placement, Placement::kMaximized);
    EXPECT_EQ(desktop.GetForegroundWindow(), window);
    EXPECT_TRUE(desktop.ActivateProcess(42));
    // Unknown programs, styles outside the list and process 0 start or find nothing.
    EXPECT_EQ(desktop.LaunchProgram("missing.exe", 1), 0u);
    EXPECT_EQ(desktop.LaunchProgram("notepad.exe", 5), 0u);
    EXPECT_FALSE(desktop.ActivateProcess(0));
    EXPECT_EQ(desktop.LogWithout({"Sleep"}),
              (Lines{"LaunchProgram NOTEPAD.EXE 3", "ActivateProcess 42", "ActivateProcess 42",
                     "LaunchProgram missing.exe 1", "LaunchProgram notepad.exe 5", "ActivateProcess 0"}));
}

TEST(FakeDesktop, ClipboardShellAndSystemCalls) {
    FakeDesktop desktop;
    EXPECT_FALSE(desktop.GetClipboardText());
    EXPECT_TRUE(desktop.SetClipboardText("列表"));
    EXPECT_EQ(desktop.GetClipboardText(), "列表");
    desktop.SetClipboardFails(true);
    EXPECT_FALSE(desktop.SetClipboardText("x"));
    EXPECT_EQ(desktop.Clipboard(), "列表");
    desktop.RejectShellTarget("列表");
    EXPECT_FALSE(desktop.ShellOpen("列表"));
    EXPECT_TRUE(desktop.ShellOpen("C:\\a.txt"));
    desktop.TrimWorkingSet();
    desktop.SetPowerOffResult(false);
    EXPECT_FALSE(desktop.PowerOff());
    EXPECT_EQ(desktop.TrimCount(), 1);
    EXPECT_EQ(desktop.PowerOffCount(), 1);
    EXPECT_EQ(desktop.Log(), (Lines{"SetClipboardText 列表", "SetClipboardText x", "ShellOpen 列表",
                                    "ShellOpen C:\\a.txt", "TrimWorkingSet", "PowerOff"}));
}

TEST(FakeDesktop, MessagesPostedByTheTestArriveOnlyWhenTheProgramPumps) {
    FakeDesktop desktop;
    int clicks = 0;
    desktop.PostAt(500, [&] {
        ++clicks;
        desktop.SetCursorPos(1, 1);  // a handler's own calls are logged
    });
    desktop.Sleep(600);
    EXPECT_EQ(clicks, 0);
    desktop.PumpMessages();
    desktop.PumpMessages();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(desktop.Log(), (Lines{"Sleep 600", "PumpMessages", "SetCursorPos 1,1", "PumpMessages"}));
}

}  // namespace
}  // namespace fake
