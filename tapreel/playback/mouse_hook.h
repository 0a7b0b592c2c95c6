// The system-wide low-level mouse hook as the recorder sees it: something
// that can be installed and removed, and that, while installed, hands every
// mouse event of the desktop to the recorder on the window's thread.
//
// The Win32 hook (mouse_hook_win32.cpp) turns the system's event record into
// a MouseHookEvent; the tests feed events themselves.
#pragma once

#include "common/platform/desktop.h"

namespace tapreel {

enum class MouseEventKind {
    kMove,        // the pointer moved
    kLeftDown,    // left button pressed
    kRightDown,   // right button pressed
    kMiddleDown,  // middle button pressed
    kWheel,       // the (vertical) wheel turned
    kOther,       // button releases, side buttons, the horizontal wheel
};

struct MouseHookEvent {
    MouseEventKind kind = MouseEventKind::kMove;
    platform::Point point;  // screen pixels
};

class MouseHook {
public:
    virtual ~MouseHook() = default;
    // Installs the hook; false when the system refuses it. Installing an
    // installed hook keeps it and returns true.
    virtual bool Install() = 0;
    // Removes the hook when it is installed.
    virtual void Remove() = 0;
    virtual bool IsInstalled() const = 0;
};

}  // namespace tapreel
