// Synthetic input through Win32Desktop reaches another program as a user's
// input would: clicks and wheel turns at the screen point where the cursor
// was put, keys as characters in the focused edit box, send-keys texts with
// their modifiers, and the key state as the system sees it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win32/desktop_win32.h"
#include "e2e/support/target_window.h"

namespace {

namespace mouse = platform::mouse;
namespace key = platform::key;

std::string At(const std::string& message, POINT point) {
    return message + " " + std::to_string(point.x) + " " + std::to_string(point.y);
}

// --- Mouse ---

struct MouseCase {
    const char* name;
    POINT client;                       // where the cursor goes, in the target's client area
    std::vector<uint32_t> flags;        // mouse_event calls at that point, in order
    std::vector<std::string> messages;  // what the target must log, in order, each at that point
};

const MouseCase kMouseCases[] = {
    {"left click", {200, 150}, {mouse::kLeftDown, mouse::kLeftUp}, {"WM_LBUTTONDOWN", "WM_LBUTTONUP"}},
    {"right click", {320, 200}, {mouse::kRightDown, mouse::kRightUp}, {"WM_RBUTTONDOWN", "WM_RBUTTONUP"}},
    {"middle click", {120, 220}, {mouse::kMiddleDown, mouse::kMiddleUp}, {"WM_MBUTTONDOWN", "WM_MBUTTONUP"}},
    // Two clicks at one point within the double-click time: the second press
    // arrives as a double click.
    {"left double click",
     {400, 120},
     {mouse::kLeftDown, mouse::kLeftUp, mouse::kLeftDown, mouse::kLeftUp},
     {"WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_LBUTTONDBLCLK", "WM_LBUTTONUP"}},
    // A click on the edit box reaches the edit box, still at that point.
    {"left click on the edit box", {60, 30}, {mouse::kLeftDown, mouse::kLeftUp}, {"WM_LBUTTONDOWN", "WM_LBUTTONUP"}},
};

TEST(DesktopInputTest, MouseEventsArriveAtTheCursorPoint) {
    auto target = e2e::TargetWindow::Start({L"E2E Target Mouse"});
    ASSERT_TRUE(target);
    win32::Win32Desktop desktop;

    for (const MouseCase& c : kMouseCases) {
        SCOPED_TRACE(c.name);
        POINT point = target->ScreenPoint(c.client.x, c.client.y);
        ASSERT_TRUE(desktop.SetCursorPos(point.x, point.y));
        // Under Wine the pointer reaches its new place through the X server,
        // so reading it back may lag for a moment.
        EXPECT_TRUE(e2e::WaitUntil([&] {
            return desktop.GetCursorPos() == platform::Point{int(point.x), int(point.y)};
        }));
        for (uint32_t flags : c.flags) desktop.MouseEvent(flags, 0);

        // The case's messages become the last lines of the log, in order.
        std::vector<std::string> expected;
        for (const std::string& message : c.messages) expected.push_back(At(message, point));
        auto lastLines = [&] {
            std::vector<std::string> lines = target->LogLines();
            if (lines.size() < expected.size()) return std::vector<std::string>();
            return std::vector<std::string>(lines.end() - long(expected.size()), lines.end());
        };
        e2e::WaitUntil([&] { return lastLines() == expected; });
        EXPECT_EQ(lastLines(), expected);
    }
    EXPECT_EQ(target->Close(), 0u);
}

TEST(DesktopInputTest, WheelTurnsArriveWithTheirAmount) {
    auto target = e2e::TargetWindow::Start({L"E2E Target Wheel"});
    ASSERT_TRUE(target);
    ASSERT_TRUE(target->Focus());
    win32::Win32Desktop desktop;

    POINT point = target->ScreenPoint(250, 180);
    desktop.SetCursorPos(point.x, point.y);
    desktop.MouseEvent(mouse::kWheel, 120);
    desktop.MouseEvent(mouse::kWheel, -240);

    EXPECT_TRUE(target->WaitForLogLine(At("WM_MOUSEWHEEL 120", point)));
    EXPECT_TRUE(target->WaitForLogLine(At("WM_MOUSEWHEEL -240", point)));
    EXPECT_EQ(target->Close(), 0u);
}

// --- Keys ---

TEST(DesktopInputTest, KeybdEventTypesIntoTheFocusedEditBox) {
    auto target = e2e::TargetWindow::Start({L"E2E Target Keybd"});
    ASSERT_TRUE(target);
    ASSERT_TRUE(target->Focus());
    win32::Win32Desktop desktop;

    // h, Shift+i, 7: a letter key without Shift types the lower-case letter.
    desktop.KeybdEvent('H', key::kPress);
    desktop.KeybdEvent('H', key::kRelease);
    desktop.KeybdEvent(VK_SHIFT, key::kPress);
    desktop.KeybdEvent('I', key::kPress);
    desktop.KeybdEvent('I', key::kRelease);
    desktop.KeybdEvent(VK_SHIFT, key::kRelease);
    desktop.KeybdEvent('7', key::kPress);
    desktop.KeybdEvent('7', key::kRelease);

    EXPECT_TRUE(e2e::WaitUntil([&] { return target->EditText() == "hI7"; })) << target->EditText();
    EXPECT_TRUE(target->WaitForLogLine("WM_KEYDOWN 72"));
    EXPECT_TRUE(target->WaitForLogLine("WM_CHAR 104"));
    EXPECT_TRUE(target->WaitForLogLine("WM_CHAR 73"));
    EXPECT_EQ(target->Close(), 0u);
}

TEST(DesktopInputTest, AsyncKeyStateFollowsKeybdEvent) {
    win32::Win32Desktop desktop;
    desktop.GetAsyncKeyState(VK_F9);  // clears the "pressed since" bit

    desktop.KeybdEvent(VK_F9, key::kPress);
    EXPECT_TRUE(e2e::WaitUntil([&] { return (desktop.GetAsyncKeyState(VK_F9) & 0x8000) != 0; }));
    desktop.KeybdEvent(VK_F9, key::kRelease);
    EXPECT_TRUE(e2e::WaitUntil([&] { return (desktop.GetAsyncKeyState(VK_F9) & 0x8000) == 0; }));
}

// Each step sends one key text and then, without waiting, checks the edit
// box: SendKeys returns only once the keys are processed.
struct SendKeysStep {
    const char* keys;
    const char* text;  // the edit box's text right after
};

TEST(DesktopInputTest, SendKeysTypesAndReturnsOnceProcessed) {
    auto target = e2e::TargetWindow::Start({L"E2E Target SendKeys"});
    ASSERT_TRUE(target);
    ASSERT_TRUE(target->Focus());
    win32::Win32Desktop desktop;

    const SendKeysStep steps[] = {
        {"a", "a"},
        {"A", "aA"},      // an upper-case letter brings Shift with it
        {"+b", "aAB"},    // Shift prefix
        {"{+}", "aAB+"},  // a prefix character in braces types itself
        {"^a", "aAB+"},   // Ctrl+A selects all, without Shift
        {"x", "x"},       // ... so typing replaces the selection
        {"~", "x\r\n"},   // "~" is Enter
        {"{ENTER}y", "x\r\n\r\ny"},
        {"{BACKSPACE}", "x\r\n\r\n"},
        {"中文", "x\r\n\r\n中文"},  // characters that no key makes
        {"{NOSUCHKEY}", "x\r\n\r\n中文"},
    };
    for (const SendKeysStep& step : steps) {
        SCOPED_TRACE(step.keys);
        desktop.SendKeys(step.keys);
        EXPECT_EQ(target->EditText(), step.text);
    }
    // A function key reaches the window as its virtual key (F5 = 116).
    desktop.SendKeys("{F5}");
    EXPECT_TRUE(target->WaitForLogLine("WM_KEYDOWN 116"));
    EXPECT_EQ(target->Close(), 0u);
}

TEST(DesktopInputTest, SendKeysAltF4ClosesTheFocusedWindow) {
    auto target = e2e::TargetWindow::Start({L"E2E Target AltF4"});
    ASSERT_TRUE(target);
    ASSERT_TRUE(target->Focus());
    win32::Win32Desktop desktop;

    desktop.SendKeys("%{F4}");

    EXPECT_TRUE(target->WaitForLogLine("WM_SYSKEYDOWN 115"));
    EXPECT_EQ(target->Process().WaitForExit(), 0u);
}

}  // namespace
