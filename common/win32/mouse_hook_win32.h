// The system-wide low-level mouse hook (WH_MOUSE_LL) on Win32. The system
// calls the hook procedure on the installing thread, through its message
// loop, for every mouse event of the desktop; the procedure turns the event
// into a MouseHookEvent, hands it to the handler, and passes the event on to
// the next hook unless the handler says otherwise. One hook per process.
#pragma once

#include <windows.h>

#include <functional>

#include "common/platform/mouse_hook.h"

namespace win32 {

class Win32MouseHook : public platform::MouseHook {
public:
    using Handler = std::function<platform::HookResult(const platform::MouseHookEvent&)>;

    explicit Win32MouseHook(Handler onEvent);
    ~Win32MouseHook() override;
    Win32MouseHook(const Win32MouseHook&) = delete;
    Win32MouseHook& operator=(const Win32MouseHook&) = delete;

    bool Install() override;
    void Remove() override;
    bool IsInstalled() const override { return hook_ != nullptr; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);

    Handler onEvent_;
    HHOOK hook_ = nullptr;
};

// The kind of a low-level mouse hook's message.
platform::MouseMessage MouseMessageOf(WPARAM message);

}  // namespace win32
