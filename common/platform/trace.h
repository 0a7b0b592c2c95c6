// A trace of failures that the user is not shown: a failing step is skipped
// silently, but a developer watching the debugger output can still see what
// failed. Portable code writes here; the Win32 programs send the lines to
// OutputDebugString, and natively nothing is written unless a test listens.
#pragma once

#include <functional>
#include <string_view>

namespace platform {

// Where the lines go; an empty sink drops them (the default).
void SetTraceSink(std::function<void(std::string_view line)> sink);
// Writes one line; never throws.
void Trace(std::string_view line) noexcept;

}  // namespace platform
