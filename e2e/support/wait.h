// Waiting for a condition in end-to-end tests: poll it, with a limit, and
// keep this thread's own windows responsive meanwhile.
#pragma once

#include <cstdint>
#include <functional>

namespace e2e {

// Default limit for things that normally happen within milliseconds; the
// limit only matters when something is broken.
inline constexpr uint32_t kDefaultTimeoutMs = 5000;

// Polls condition every few milliseconds, processing this thread's window
// messages between polls, until it is true (returns true) or timeoutMs has
// passed (returns false after one last poll).
bool WaitUntil(const std::function<bool()>& condition, uint32_t timeoutMs = kDefaultTimeoutMs);

// Processes this thread's pending window messages.
void PumpThreadMessages();

}  // namespace e2e
