#include "common/win32/trace_win32.h"

#include <windows.h>

#include <exception>
#include <string>

#include "common/platform/trace.h"
#include "common/win32/wide.h"

namespace win32 {

namespace {

void Write(std::string_view line) noexcept {
    try {
        std::wstring wide = Wide(line);
        wide += L"\n";
        OutputDebugStringW(wide.c_str());
    } catch (...) {
        // Out of memory while tracing: the line is lost, nothing else.
    }
}

}  // namespace

void TraceLastError(std::string_view what) noexcept {
    const DWORD error = GetLastError();
    try {
        Write(std::string(what) + " failed, GetLastError " + std::to_string(error));
    } catch (...) {
    }
    // Tracing must not change what a later GetLastError reports.
    SetLastError(error);
}

void TraceCurrentException(std::string_view where) noexcept {
    try {
        std::string line(where);
        try {
            throw;
        } catch (const std::exception& e) {
            line += ": ";
            line += e.what();
        } catch (...) {
            line += ": an exception that is not a std::exception";
        }
        Write(line);
    } catch (...) {
    }
}

void InstallDebugTrace() {
    platform::SetTraceSink([](std::string_view line) { Write(line); });
}

}  // namespace win32
