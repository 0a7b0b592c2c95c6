#include "common/win32/timers_win32.h"

#include <string>
#include <utility>

#include "common/win32/trace_win32.h"

namespace win32 {

Win32Timers::~Win32Timers() {
    for (const auto& [id, callback] : callbacks_) ::KillTimer(window_, UINT_PTR(id));
}

void Win32Timers::SetTimer(int id, uint32_t intervalMs, std::function<void()> onTick) {
    // SetTimer with an id that runs already restarts it with the new interval.
    if (!::SetTimer(window_, UINT_PTR(id), intervalMs, nullptr)) {
        TraceLastError("SetTimer " + std::to_string(id));
        return;
    }
    callbacks_[id] = std::make_shared<std::function<void()>>(std::move(onTick));
}

void Win32Timers::KillTimer(int id) {
    ::KillTimer(window_, UINT_PTR(id));
    callbacks_.erase(id);
}

void Win32Timers::QueueTick(int id) {
    if (!PostMessageW(window_, WM_TIMER, WPARAM(id), 0)) TraceLastError("PostMessage WM_TIMER " + std::to_string(id));
}

bool Win32Timers::IsTimerOn(int id) const { return callbacks_.count(id) != 0; }

bool Win32Timers::HandleTimer(UINT_PTR timerId) {
    int id = int(timerId);
    auto found = callbacks_.find(id);
    if (found == callbacks_.end()) return false;
    // A callback that pumps messages (a wait inside a tick) lets the next
    // WM_TIMER of the same timer through. It is handed to the callback once,
    // one level deep, so that its owner, which guards against overlapping
    // ticks, knows that a tick fell due meanwhile; deeper ticks are dropped.
    // Other timers still tick.
    int& depth = running_[id];
    if (depth >= kMaxNesting) return true;
    std::shared_ptr<std::function<void()>> callback = found->second;
    ++depth;
    try {
        if (*callback) (*callback)();
    } catch (...) {
        // No exception may unwind through the window procedure; a failing
        // tick is skipped like any other failing step.
        TraceCurrentException("Tick of timer " + std::to_string(id));
    }
    --depth;
    return true;
}

}  // namespace win32
