// The system-wide low-level mouse hook (WH_MOUSE_LL) on Win32. The system
// calls the hook procedure on the installing thread, through its message
// loop, for every mouse event of the desktop; the procedure turns the event
// into a MouseHookEvent, hands it to onEvent, and always passes the event on
// to the next hook. One hook per process.
#pragma once

#include <windows.h>

#include <functional>

#include "tapreel/playback/mouse_hook.h"

namespace tapreel {

class Win32MouseHook : public MouseHook {
public:
    explicit Win32MouseHook(std::function<void(const MouseHookEvent&)> onEvent);
    ~Win32MouseHook() override;
    Win32MouseHook(const Win32MouseHook&) = delete;
    Win32MouseHook& operator=(const Win32MouseHook&) = delete;

    bool Install() override;
    void Remove() override;
    bool IsInstalled() const override { return hook_ != nullptr; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);

    std::function<void(const MouseHookEvent&)> onEvent_;
    HHOOK hook_ = nullptr;
};

}  // namespace tapreel
