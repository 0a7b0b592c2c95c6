#include "e2e/support/responsiveness.h"

#include <algorithm>

namespace e2e {

Responsiveness WatchAnswers(HWND window, const std::function<bool()>& condition, uint32_t timeoutMs) {
    constexpr UINT kAnswerLimitMs = 10000;
    Responsiveness result;
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD sent = GetTickCount();
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerLimitMs, &answer);
        result.longestAnswerMs = std::max(result.longestAnswerMs, GetTickCount() - sent);
        result.elapsedMs = GetTickCount() - start;
        if (condition()) {
            result.reached = true;
            return result;
        }
        if (result.elapsedMs >= timeoutMs) return result;
        Sleep(5);
    }
}

}  // namespace e2e
