// The system-wide low-level mouse hook as the programs see it: something
// that can be installed and removed, and that, while installed, hands every
// mouse event of the desktop to a handler on the installing thread.
//
// The Win32 hook (common/win32/mouse_hook_win32.cpp) turns the system's
// event record into a MouseHookEvent; the tests feed events themselves.
#pragma once

#include "common/platform/desktop.h"

namespace platform {

// The messages a low-level mouse hook receives, by kind.
enum class MouseMessage {
    kMouseMove,
    kLeftButtonDown,
    kLeftButtonUp,
    kRightButtonDown,
    kRightButtonUp,
    kMiddleButtonDown,
    kMiddleButtonUp,
    kMouseWheel,
    kXButtonDown,
    kXButtonUp,
    kMouseHorizontalWheel,
    kOther,  // any message not named above
};

struct MouseHookEvent {
    MouseMessage message = MouseMessage::kMouseMove;
    Point point;  // screen pixels
};

// What the hook does with an event after the handler: hand it to the next
// hook (and return that hook's answer), or return 0 without handing it on.
// Neither blocks the event: it still reaches its window.
enum class HookResult { kCallNextHook, kSkipNextHook };

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

}  // namespace platform
