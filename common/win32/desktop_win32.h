// The desktop through Win32: each method is one or two W-function calls on
// the calling (user-interface) thread. See common/platform/desktop.h for what
// each method means to the programs.
#pragma once

#include <windows.h>

#include <string>

#include "common/platform/desktop.h"

namespace win32 {

class Win32Desktop : public platform::Desktop {
public:
    // owner is the window that owns the shell's windows and the clipboard
    // data; without one, a hidden message-only window owns the clipboard.
    explicit Win32Desktop(HWND owner = nullptr);
    ~Win32Desktop() override;
    Win32Desktop(const Win32Desktop&) = delete;
    Win32Desktop& operator=(const Win32Desktop&) = delete;

    bool SetCursorPos(int x, int y) override;
    platform::Point GetCursorPos() override;
    void MouseEvent(uint32_t flags, int32_t data) override;
    void KeybdEvent(uint8_t virtualKey, uint32_t flags) override;
    int16_t GetAsyncKeyState(int virtualKey) override;
    void SendKeys(const std::string& keyText) override;

    int32_t GetPixel(int x, int y) override;
    platform::Point ScreenSize() override;
    std::optional<platform::Image> CopyScreen(int x, int y, int width, int height) override;

    platform::WindowHandle FindWindowByExactTitle(const std::string& title) override;
    std::vector<platform::WindowInfo> TopLevelWindows() override;
    bool SetForegroundWindow(platform::WindowHandle window) override;
    platform::WindowHandle GetForegroundWindow() override;
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

    std::optional<std::string> GetClipboardText() override;
    bool SetClipboardText(const std::string& text) override;

    bool ShellOpen(const std::string& target) override;
    uint32_t LaunchProgram(const std::string& commandLine, int windowStyle) override;
    bool ActivateProcess(uint32_t processId) override;

    uint32_t TimeGetTime() override;
    text::LocalTime LocalNow() override;
    void Sleep(uint32_t milliseconds) override;
    void PumpMessages() override;
    void WaitForMessages(uint32_t milliseconds) override;

    void TrimWorkingSet() override;
    void SetFineTimerResolution(bool on) override;
    bool PowerOff() override;

private:
    bool OpenClipboardPatiently(HWND owner);
    HWND ClipboardOwner();

    HWND owner_;
    HWND clipboardWindow_ = nullptr;  // created on first use when there is no owner
    // The text this program placed last, as a read gives it back, and the
    // clipboard's sequence number just after; 0 when the clipboard has not
    // been ours.
    std::string placedText_;
    DWORD placedSequence_ = 0;
    bool comInitialized_ = false;
    bool fineTimerResolution_ = false;
};

}  // namespace win32
