// The operating system as both programs see it: input, key state, pixels and
// screen copies, windows by title, the clipboard, the shell, the clock and
// the message pump. Methods are named after the platform services they stand
// for, so that the code reads next to the behaviour it implements.
//
// The Win32 implementation (common/win32) is thin: a method is one or two
// API calls. The fake (common/testing) records every call as a line of text
// and runs on a virtual clock. A call that fails returns false, 0 or an empty
// optional, and the caller goes on with its next step.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/platform/image.h"
#include "common/text/timestamp.h"

namespace platform {

using WindowHandle = uintptr_t;  // 0 is "no window"

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// mouse_event flags.
namespace mouse {
inline constexpr uint32_t kMove = 0x0001;
inline constexpr uint32_t kLeftDown = 0x0002;
inline constexpr uint32_t kLeftUp = 0x0004;
inline constexpr uint32_t kRightDown = 0x0008;
inline constexpr uint32_t kRightUp = 0x0010;
inline constexpr uint32_t kMiddleDown = 0x0020;
inline constexpr uint32_t kMiddleUp = 0x0040;
inline constexpr uint32_t kWheel = 0x0800;
inline constexpr uint32_t kAbsolute = 0x8000;
}  // namespace mouse

// keybd_event flags.
namespace key {
inline constexpr uint32_t kPress = 0;
inline constexpr uint32_t kRelease = 2;
}  // namespace key

// ShowWindow commands used by the programs.
namespace show {
inline constexpr int kHide = 0;
inline constexpr int kNormal = 1;
inline constexpr int kMinimized = 2;
inline constexpr int kMaximized = 3;
inline constexpr int kNoActivate = 4;
inline constexpr int kShow = 5;
inline constexpr int kMinimize = 6;
inline constexpr int kRestore = 9;
}  // namespace show

struct WindowInfo {
    WindowHandle handle = 0;
    std::string title;  // UTF-8
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // --- Synthetic input ---
    virtual bool SetCursorPos(int x, int y) = 0;
    virtual Point GetCursorPos() = 0;
    // mouse_event at the cursor; data is the wheel amount for kWheel.
    virtual void MouseEvent(uint32_t flags, int32_t data) = 0;
    // keybd_event with scan code 0 and extra information 0.
    virtual void KeybdEvent(uint8_t virtualKey, uint32_t flags) = 0;
    // GetAsyncKeyState: bit 15 set while held, bit 0 when pressed since the
    // last query.
    virtual int16_t GetAsyncKeyState(int virtualKey) = 0;
    // The send-keys service: types a text in send-keys notation ("^a",
    // "%{F4}") into the focused window and returns once it is processed.
    virtual void SendKeys(const std::string& keyText) = 0;

    // --- Pixels and screen copies ---
    // GetPixel on the screen: the colour number, -1 off the screen.
    virtual int32_t GetPixel(int x, int y) = 0;
    // Size of the primary screen in pixels.
    virtual Point ScreenSize() = 0;
    // A copy of the screen block at (x, y) of width x height pixels; parts
    // off the screen read black. nullopt when the copy fails.
    virtual std::optional<Image> CopyScreen(int x, int y, int width, int height) = 0;

    // --- Windows ---
    // FindWindow by exact title (case-insensitive, as the platform compares).
    virtual WindowHandle FindWindowByExactTitle(const std::string& title) = 0;
    // Every top-level window in the platform's order (hidden ones too).
    virtual std::vector<WindowInfo> TopLevelWindows() = 0;
    virtual bool SetForegroundWindow(WindowHandle window) = 0;
    virtual WindowHandle GetForegroundWindow() = 0;
    virtual bool ShowWindow(WindowHandle window, int command) = 0;
    // SetWindowPos with HWND_TOPMOST (true) or HWND_NOTOPMOST (false), flags 0x43.
    virtual bool SetTopmost(WindowHandle window, bool topmost) = 0;
    virtual int32_t GetWindowLong(WindowHandle window, int index) = 0;
    virtual int32_t SetWindowLong(WindowHandle window, int index, int32_t value) = 0;
    virtual bool SetLayeredWindowAttributes(WindowHandle window, uint32_t colourKey, uint8_t alpha, uint32_t flags) = 0;
    // SendMessage(WM_CLOSE); returns after the window has handled it.
    virtual void SendCloseMessage(WindowHandle window) = 0;
    virtual std::optional<Rect> GetWindowRect(WindowHandle window) = 0;
    // The integrity level of a process (GetTokenInformation with
    // TokenIntegrityLevel: the label's last RID, 0x2000 medium, 0x3000 high),
    // of the process that owns the window, or of this process for window 0.
    // nullopt where the platform has no integrity levels or the query fails.
    virtual std::optional<uint32_t> GetTokenIntegrityLevel(WindowHandle window) = 0;
    // ClientToScreen of the client area's (0, 0): where the window's client
    // area begins on the screen; nullopt when the window does not exist.
    virtual std::optional<Point> ClientToScreen(WindowHandle window) = 0;
    virtual bool IsWindowVisible(WindowHandle window) = 0;

    // --- Clipboard (plain text) ---
    // nullopt when the clipboard holds no text.
    virtual std::optional<std::string> GetClipboardText() = 0;
    // Empties the clipboard and puts the text on it.
    virtual bool SetClipboardText(const std::string& text) = 0;

    // --- Shell and programs ---
    // ShellExecute with the verb "open", no parameters, show command 1.
    virtual bool ShellOpen(const std::string& target) = 0;
    // Starts a command line with a window style (0 hidden, 1 normal, 2 min,
    // 3 max, 4 normal without focus, 6 min without focus); the process id,
    // or 0 when nothing started.
    virtual uint32_t LaunchProgram(const std::string& commandLine, int windowStyle) = 0;
    // Brings a visible top-level window of that process to the front.
    virtual bool ActivateProcess(uint32_t processId) = 0;

    // --- Time and the message loop ---
    // timeGetTime: milliseconds, wrapping at 2^32.
    virtual uint32_t TimeGetTime() = 0;
    // The local date and time of day.
    virtual text::LocalTime LocalNow() = 0;
    // Sleep without processing messages.
    virtual void Sleep(uint32_t milliseconds) = 0;
    // Processes the pending window messages once; handlers may run inside.
    virtual void PumpMessages() = 0;
    // Waits for a window message or until the time has passed, whichever
    // comes first, without burning the processor.
    virtual void WaitForMessages(uint32_t milliseconds) = 0;

    // --- Process and system ---
    // SetProcessWorkingSetSize(-1, -1).
    virtual void TrimWorkingSet() = 0;
    // Raises the system timer resolution to 1 ms (timeBeginPeriod) while on,
    // so that 100 ms ticks and 50 ms wait slices are not stretched to the
    // default 15.6 ms grid; off restores it.
    virtual void SetFineTimerResolution(bool on) = 0;
    // Enables the shutdown privilege and powers the computer off.
    virtual bool PowerOff() = 0;
};

}  // namespace platform
