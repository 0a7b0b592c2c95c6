// The debugger trace on Win32: what failed, written with OutputDebugStringW,
// which the user never sees. A Win32 call whose failure is skipped leaves
// its name and GetLastError here; a handler that threw leaves what it threw.
#pragma once

#include <string_view>

namespace win32 {

// "<what> failed, GetLastError <n>", with the error of the calling thread.
void TraceLastError(std::string_view what) noexcept;
// "<where>: <what the current exception says>"; call inside a catch block.
void TraceCurrentException(std::string_view where) noexcept;
// Sends the portable trace (platform::Trace) to the debugger output.
void InstallDebugTrace();

}  // namespace win32
