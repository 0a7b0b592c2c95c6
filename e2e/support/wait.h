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

// Under Wine the window manager confirms window changes (the foreground
// window, maximised or restored) on its own time, and its answer to an
// earlier change can arrive late and undo a newer one. For such changes:
// act, then wait up to eachMs for condition to hold without a break for
// kSteadyMs; repeated up to attempts times. True once it held. An act that
// does not work at all still fails.
inline constexpr uint32_t kSteadyMs = 200;
bool ActUntil(const std::function<void()>& act, const std::function<bool()>& condition, int attempts = 4,
              uint32_t eachMs = 1000);

// Processes this thread's pending window messages.
void PumpThreadMessages();

}  // namespace e2e
