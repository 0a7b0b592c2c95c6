#include "e2e/support/wait.h"

#include <windows.h>

namespace e2e {

namespace {
constexpr DWORD kPollMs = 5;
}

void PumpThreadMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool WaitUntil(const std::function<bool()>& condition, uint32_t timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return condition();
        PumpThreadMessages();
        MsgWaitForMultipleObjectsEx(0, nullptr, kPollMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

bool ActUntil(const std::function<void()>& act, const std::function<bool()>& condition, int attempts, uint32_t eachMs) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        act();
        DWORD heldSince = 0;
        bool holding = false;
        bool steady = WaitUntil(
            [&] {
                if (!condition()) {
                    holding = false;
                    return false;
                }
                if (!holding) heldSince = GetTickCount();
                holding = true;
                return GetTickCount() - heldSince >= kSteadyMs;
            },
            eachMs);
        if (steady) return true;
    }
    return false;
}

}  // namespace e2e
