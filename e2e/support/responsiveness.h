// How long a window of another process keeps its caller waiting while it
// works: a WM_NULL sent to it over and over, each send timed, until a
// condition holds.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace e2e {

struct Responsiveness {
    bool reached = false;       // the condition held within the limit
    DWORD longestAnswerMs = 0;  // the longest wait for one answer
    DWORD elapsedMs = 0;        // from the first send until the condition held
};

// Sends WM_NULL to the window again and again (waiting up to 10 s for each
// answer), checking the condition between sends, for up to timeoutMs.
Responsiveness WatchAnswers(HWND window, const std::function<bool()>& condition, uint32_t timeoutMs);

}  // namespace e2e
