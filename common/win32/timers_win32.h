// Window timers through SetTimer/KillTimer on one window. The window
// procedure hands every WM_TIMER to HandleTimer, which runs the timer's
// callback on the window's thread.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "common/platform/timers.h"

namespace win32 {

class Win32Timers : public platform::Timers {
public:
    // A tick and the one nested tick of the same timer that its message loop
    // may deliver.
    static constexpr int kMaxNesting = 2;

    explicit Win32Timers(HWND window) : window_(window) {}
    ~Win32Timers() override;
    Win32Timers(const Win32Timers&) = delete;
    Win32Timers& operator=(const Win32Timers&) = delete;

    void SetTimer(int id, uint32_t intervalMs, std::function<void()> onTick) override;
    void KillTimer(int id) override;
    // Posts a WM_TIMER; posted messages come before those of timers.
    void QueueTick(int id) override;
    bool IsTimerOn(int id) const override;

    // Called by the window procedure for WM_TIMER with wParam as the id.
    // Returns false when the id is not one of these timers, so the procedure
    // can pass the message on.
    bool HandleTimer(UINT_PTR id);

private:
    HWND window_;
    // Shared, so that a callback that restarts or kills its own timer does
    // not destroy the function that is running.
    std::map<int, std::shared_ptr<std::function<void()>>> callbacks_;
    std::map<int, int> running_;  // how deep each timer's callback runs right now
};

}  // namespace win32
