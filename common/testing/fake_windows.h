// The top-level windows of the fake desktop and the rules by which the
// window calls change them. FakeDesktop logs each call and hands it here.
//
// The platform's window order is the order in which the windows were added.
// A window that has been closed keeps its record (so a test can see that it
// closed) but takes part in nothing any more: no search finds it and every
// call on it fails.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/platform/desktop.h"

namespace fake {

// Window placement as ShowWindow leaves it.
enum class Placement { kNormal, kMinimized, kMaximized };

struct FakeWindow {
    std::string title;  // UTF-8
    bool visible = true;
    bool topmost = false;
    Placement placement = Placement::kNormal;
    int32_t style = 0;    // GetWindowLong index -16
    int32_t exStyle = 0;  // GetWindowLong index -20
    // What SetLayeredWindowAttributes set last (alpha 255: opaque).
    uint32_t colourKey = 0;
    uint8_t alpha = 255;
    uint32_t layeredFlags = 0;
    bool closed = false;
    uint32_t processId = 0;
    platform::Rect rect{100, 100, 740, 580};
    // Where the client area begins, from the rectangle's top-left corner
    // (the frame and the title bar).
    platform::Point clientOffset{8, 31};
    // A window that answers the close request with a question of its own
    // stays open.
    bool closesOnRequest = true;
    // A window the platform refuses to bring to the foreground.
    bool acceptsForeground = true;
    // The integrity level of the window's process; nullopt: the platform
    // has none, or the query fails.
    std::optional<uint32_t> integrityLevel = std::nullopt;
};

inline constexpr int kGwlStyle = -16;
inline constexpr int kGwlExStyle = -20;
inline constexpr int32_t kWsExLayered = 0x80000;

class FakeWindows {
public:
    // Adds a window after the existing ones; returns its handle (never 0).
    platform::WindowHandle Add(FakeWindow window);
    // The record of a window, closed or not; nullptr for an unknown handle.
    FakeWindow* Find(platform::WindowHandle handle);
    const FakeWindow* Find(platform::WindowHandle handle) const;
    // "\"title\"" for a known window, "#handle" otherwise (for the call log).
    std::string Describe(platform::WindowHandle handle) const;

    // The first open window whose title equals the text, ignoring the case
    // of ASCII letters; 0 when none.
    platform::WindowHandle FindByExactTitle(const std::string& title) const;
    std::vector<platform::WindowInfo> TopLevel() const;

    platform::WindowHandle Foreground() const { return foreground_; }
    // Makes an open window that accepts it the foreground window.
    bool SetForeground(platform::WindowHandle handle);
    // Shows, hides, minimises, maximises or restores; the commands that
    // activate make the window the foreground window, and hiding or
    // minimising the foreground window leaves no foreground window.
    bool Show(platform::WindowHandle handle, int command);
    // Topmost band on or off; the call also shows the window (flag 0x40).
    bool SetTopmost(platform::WindowHandle handle, bool topmost);
    int32_t GetLong(platform::WindowHandle handle, int index) const;
    // Returns the previous value; 0 for an unknown window or index.
    int32_t SetLong(platform::WindowHandle handle, int index, int32_t value);
    // Fails unless the window has the layered extended style.
    bool SetLayered(platform::WindowHandle handle, uint32_t colourKey, uint8_t alpha, uint32_t flags);
    void RequestClose(platform::WindowHandle handle);
    std::optional<platform::Rect> Rect(platform::WindowHandle handle) const;
    // Brings the first open visible window of the process to the front.
    bool ActivateProcess(uint32_t processId);

private:
    FakeWindow* FindOpen(platform::WindowHandle handle);
    const FakeWindow* FindOpen(platform::WindowHandle handle) const;

    std::vector<std::pair<platform::WindowHandle, FakeWindow>> windows_;
    platform::WindowHandle foreground_ = 0;
};

}  // namespace fake
