// An in-memory desktop for the unit tests of both programs: it records what
// the program does as lines of text and runs on a virtual clock, so that a
// test can drive a whole run of waits, drags and timer ticks in milliseconds
// and assert exactly which events happened, in which order.
//
// The call log. Every call through which the program acts appends one line:
//   SetCursorPos 100,100
//   mouse_event 0x2 0                 flags in hex, data in decimal
//   keybd_event 17 down               flags 0 "down", 2 "up", others "flags 0x.."
//   SendKeys ^a
//   Sleep 50
//   PumpMessages                      a run of calls with nothing logged in
//   PumpMessages x3                     between is one line with its count
//   WaitForMessages 50
//   SetForegroundWindow "Untitled - Notepad"
//   ShowWindow "Untitled - Notepad" 3
//   SetTopmost "Untitled - Notepad" on      (or off)
//   SetWindowLong "Untitled - Notepad" -20 0x80000
//   SetLayeredWindowAttributes "Untitled - Notepad" 0 125 2
//   SendCloseMessage "Untitled - Notepad"
//   SetClipboardText the text
//   ShellOpen C:\a.txt
//   LaunchProgram notepad.exe 3
//   ActivateProcess 1234
//   TrimWorkingSet
//   PowerOff
// A window is written as its title in double quotes, or "#handle" when the
// handle names no window. Queries (GetCursorPos, GetAsyncKeyState, GetPixel,
// ScreenSize, CopyScreen, the window searches, GetWindowLong, GetWindowRect,
// ClientToScreen, IsWindowVisible, GetForegroundWindow, GetTokenIntegrityLevel, GetClipboardText,
// TimeGetTime, LocalNow) are not logged, and neither is anything a test does to the desktop itself.
//
// Time (see VirtualClock): Sleep(ms) advances the clock by ms and fires the
// world events on the way; PumpMessages advances it by 1 ms and delivers the
// messages that are due, so a loop that pumps until 500 ms have passed ends;
// WaitForMessages(ms) advances to the next message or by ms, whichever comes
// first, and delivers nothing: the caller pumps. Waiting again while a message
// is still pending, with no pump in between, is a loop that spins (on a real
// desktop it burns the processor; here the clock would never move): the fake
// throws std::logic_error so that the test fails instead of hanging. Key
// presses and releases scripted by the test are world events.
//
// Key state follows GetAsyncKeyState: bit 15 while a key is held, bit 0 when
// it went down since the last query of that key (the query clears it). The
// program's own keybd_event and mouse_event calls change the key state too
// (mouse buttons are the virtual keys 1, 2 and 4), as injected input does.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/desktop.h"
#include "common/testing/fake_windows.h"
#include "common/testing/virtual_clock.h"

namespace fake {

// A program that LaunchProgram can start.
struct FakeProgram {
    std::string commandLine;  // matched as a whole, ignoring ASCII case
    uint32_t processId = 0;
    std::string windowTitle;     // empty: the program shows no window
    uint64_t windowDelayMs = 0;  // from the launch until its window appears
};

class FakeDesktop : public platform::Desktop {
public:
    static constexpr uint32_t kDefaultStartTick = 1000;
    static constexpr int kDefaultScreenWidth = 1280;
    static constexpr int kDefaultScreenHeight = 1024;

    FakeDesktop() : FakeDesktop(kDefaultStartTick) {}
    explicit FakeDesktop(uint32_t startTick, int screenWidth = kDefaultScreenWidth,
                         int screenHeight = kDefaultScreenHeight);

    // --- platform::Desktop ---
    bool SetCursorPos(int x, int y) override;
    platform::Point GetCursorPos() override { return cursor_; }
    void MouseEvent(uint32_t flags, int32_t data) override;
    void KeybdEvent(uint8_t virtualKey, uint32_t flags) override;
    int16_t GetAsyncKeyState(int virtualKey) override;
    void SendKeys(const std::string& keyText) override;
    int32_t GetPixel(int x, int y) override { return Screen().At(x, y); }
    platform::Point ScreenSize() override { return {screenWidth_, screenHeight_}; }
    std::optional<platform::Image> CopyScreen(int x, int y, int width, int height) override;
    platform::WindowHandle FindWindowByExactTitle(const std::string& title) override;
    std::vector<platform::WindowInfo> TopLevelWindows() override { return windows_.TopLevel(); }
    bool SetForegroundWindow(platform::WindowHandle window) override;
    platform::WindowHandle GetForegroundWindow() override { return windows_.Foreground(); }
    bool ShowWindow(platform::WindowHandle window, int command) override;
    bool SetTopmost(platform::WindowHandle window, bool topmost) override;
    int32_t GetWindowLong(platform::WindowHandle window, int index) override;
    int32_t SetWindowLong(platform::WindowHandle window, int index, int32_t value) override;
    bool SetLayeredWindowAttributes(platform::WindowHandle window, uint32_t colourKey, uint8_t alpha,
                                    uint32_t flags) override;
    void SendCloseMessage(platform::WindowHandle window) override;
    std::optional<platform::Rect> GetWindowRect(platform::WindowHandle window) override;
    std::optional<uint32_t> GetTokenIntegrityLevel(platform::WindowHandle window) override;
    std::optional<platform::Point> ClientToScreen(platform::WindowHandle window) override;
    bool IsWindowVisible(platform::WindowHandle window) override;
    std::optional<std::string> GetClipboardText() override { return clipboard_; }
    bool SetClipboardText(const std::string& text) override;
    bool ShellOpen(const std::string& target) override;
    uint32_t LaunchProgram(const std::string& commandLine, int windowStyle) override;
    bool ActivateProcess(uint32_t processId) override;
    uint32_t TimeGetTime() override { return clock_.Tick(); }
    text::LocalTime LocalNow() override;
    void Sleep(uint32_t milliseconds) override;
    void PumpMessages() override;
    void WaitForMessages(uint32_t milliseconds) override;
    void TrimWorkingSet() override;
    void SetFineTimerResolution(bool on) override { fineTimerResolution_ = on; }
    bool FineTimerResolution() const { return fineTimerResolution_; }
    bool PowerOff() override;

    // --- The call log ---
    const std::vector<std::string>& Log() const { return log_; }
    // The log without the lines that start with any of the prefixes
    // (LogWithout({"Sleep", "PumpMessages"}) keeps only the input).
    std::vector<std::string> LogWithout(std::initializer_list<std::string_view> prefixes) const;
    // Returns the log and starts a new one.
    std::vector<std::string> TakeLog();
    void ClearLog();

    // --- Time and scripted events ---
    VirtualClock& Clock() { return clock_; }
    // A world event at elapsed time ms (see VirtualClock::At).
    VirtualClock::EventId At(uint64_t elapsedMs, std::function<void()> action);
    // A message delivered at the first pump at or after elapsed time ms.
    VirtualClock::EventId PostAt(uint64_t elapsedMs, std::function<void()> handler);
    // The local time at this moment; it then runs on with the virtual clock.
    // Until a test sets it, the clock's start is 2026-01-01 12:00:00.000.
    void SetLocalTime(const text::LocalTime& now);

    // --- Keys, as the user presses them ---
    void PressKey(int virtualKey);
    void ReleaseKey(int virtualKey);
    void PressKeyAt(uint64_t elapsedMs, int virtualKey);
    void ReleaseKeyAt(uint64_t elapsedMs, int virtualKey);
    // Down at elapsedMs, up holdMs later.
    void TapKeyAt(uint64_t elapsedMs, int virtualKey, uint64_t holdMs = 50);
    bool IsKeyHeld(int virtualKey) const;
    // The virtual keys held now, in ascending order.
    std::vector<int> HeldKeys() const;

    // --- The screen and the pointer ---
    // The screen picture; paint it with Set or PaintRect.
    platform::Image& Screen();
    void PaintRect(int left, int top, int width, int height, int32_t colour);
    void SetCopyScreenFails(bool fails) { copyScreenFails_ = fails; }
    // The user moves the pointer (clamped to the screen like SetCursorPos).
    void MoveCursor(int x, int y);

    // --- Windows ---
    platform::WindowHandle AddWindow(FakeWindow window) { return windows_.Add(std::move(window)); }
    // The record of a window (closed ones too); nullptr for an unknown handle.
    FakeWindow* Window(platform::WindowHandle handle) { return windows_.Find(handle); }
    // The user brings a window to the front.
    void MakeForeground(platform::WindowHandle handle) { windows_.SetForeground(handle); }
    // The integrity level of the program itself (nullopt, as on a platform
    // without integrity levels, until a test sets it); a window's is in its
    // record.
    void SetOwnIntegrityLevel(std::optional<uint32_t> level) { ownIntegrityLevel_ = level; }

    // --- Clipboard, shell, programs, system ---
    // The clipboard's text (nullopt: no text on it); a test reads and sets it.
    std::optional<std::string>& Clipboard() { return clipboard_; }
    void SetClipboardFails(bool fails) { clipboardFails_ = fails; }
    // ShellOpen of this target fails (no such file, no associated program).
    void RejectShellTarget(const std::string& target) { rejectedShellTargets_.insert(target); }
    void AddProgram(FakeProgram program) { programs_.push_back(std::move(program)); }
    int TrimCount() const { return trimCount_; }
    int PowerOffCount() const { return powerOffCount_; }
    void SetPowerOffResult(bool result) { powerOffResult_ = result; }

private:
    struct KeyState {
        bool held = false;
        bool pressedSinceQuery = false;
    };

    void Record(std::string line);
    void SetKey(int virtualKey, bool down);
    platform::Point ClampToScreen(int x, int y) const;

    VirtualClock clock_;
    std::vector<std::string> log_;
    size_t pumpRun_ = 0;                   // calls merged into the last log line when it is a pump line
    bool waitLeftMessagePending_ = false;  // the last WaitForMessages returned for a message not yet pumped

    std::array<KeyState, 256> keys_{};
    int screenWidth_;
    int screenHeight_;
    // Made at first use: most tests never look at the screen.
    std::optional<platform::Image> screen_;
    bool copyScreenFails_ = false;
    platform::Point cursor_;
    FakeWindows windows_;
    std::optional<uint32_t> ownIntegrityLevel_;

    std::optional<std::string> clipboard_;
    bool clipboardFails_ = false;
    std::set<std::string> rejectedShellTargets_;
    std::vector<FakeProgram> programs_;

    text::LocalTime localBase_;
    uint64_t localBaseElapsed_ = 0;

    int trimCount_ = 0;
    bool fineTimerResolution_ = false;
    int powerOffCount_ = 0;
    bool powerOffResult_ = true;
};

}  // namespace fake
