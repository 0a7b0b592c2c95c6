// The test target (e2e/target/target.cpp) as a test drives it: started in
// its own program folder with a log there, its window and edit box, its log
// lines, and the screen position of a point of its client area.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "e2e/support/program.h"

namespace e2e {

// Brings a window to the front by calling activate (which should call
// SetForegroundWindow in some way) until the system reports the window in
// front; see ActUntil for why it may take more than one call. True when the
// window came to the front.
bool BringToFront(HWND window, const std::function<bool()>& activate);

// Asks the target to log its edit text now (see target.cpp).
inline constexpr UINT kTargetLogTextMessage = WM_APP + 1;

struct TargetOptions {
    TargetOptions() = default;
    TargetOptions(std::wstring windowTitle) : title(std::move(windowTitle)) {}
    TargetOptions(std::wstring windowTitle, RECT outer) : title(std::move(windowTitle)), rect(outer) {}

    std::wstring title;                // should be unique to the test
    RECT rect{100, 100, 580, 420};     // outer rectangle on the screen
    std::vector<std::wstring> paints;  // "x,y,w,h,colour" blocks of the client area
    int showCommand = SW_SHOWNORMAL;
    bool popup = false;  // no frame: the client area is the rectangle
    bool times = false;  // input lines end with " @" and their message time
};

class TargetWindow {
public:
    // Starts the target and waits until its window is shown and logged READY;
    // null when it does not come up.
    static std::unique_ptr<TargetWindow> Start(const TargetOptions& options);

    HWND Window() const { return window_; }
    HWND Edit() const { return edit_; }
    Program& Process() { return *program_; }
    std::wstring LogPath() const { return program_->Folder() + L"target.log"; }

    // The screen point of a client-area point, as the window lies now.
    POINT ScreenPoint(int clientX, int clientY) const;

    // The log lines written so far (without line ends).
    std::vector<std::string> LogLines() const;
    // Waits until the log holds the line; true when it does.
    bool WaitForLogLine(const std::string& line, uint32_t timeoutMs = kDefaultTimeoutMs) const;
    // Waits until a log line starts with prefix; true when one does.
    bool WaitForLogPrefix(const std::string& prefix, uint32_t timeoutMs = kDefaultTimeoutMs) const;
    // The log lines from the first one that starts with prefix on; empty when
    // none does.
    std::vector<std::string> LogLinesFrom(const std::string& prefix) const;

    // The edit box's text, read across the process boundary (UTF-8).
    std::string EditText() const;
    // Makes the target the foreground window, its edit box focused; true
    // once the system reports it in front.
    bool Focus() const;
    // Closes the window and returns the exit code (nullopt when killed).
    std::optional<DWORD> Close();

private:
    std::unique_ptr<Program> program_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
};

}  // namespace e2e
