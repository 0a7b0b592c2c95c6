#include "common/win32/mouse_hook_win32.h"

#include <utility>

#include "common/win32/trace_win32.h"

namespace win32 {

namespace {

// The hook procedure has no context argument; the one hook of the process
// is found here.
Win32MouseHook* g_hook = nullptr;
Win32MouseHook::Handler* g_onEvent = nullptr;

}  // namespace

platform::MouseMessage MouseMessageOf(WPARAM message) {
    using platform::MouseMessage;
    switch (message) {
        case WM_MOUSEMOVE:
            return MouseMessage::kMouseMove;
        case WM_LBUTTONDOWN:
            return MouseMessage::kLeftButtonDown;
        case WM_LBUTTONUP:
            return MouseMessage::kLeftButtonUp;
        case WM_RBUTTONDOWN:
            return MouseMessage::kRightButtonDown;
        case WM_RBUTTONUP:
            return MouseMessage::kRightButtonUp;
        case WM_MBUTTONDOWN:
            return MouseMessage::kMiddleButtonDown;
        case WM_MBUTTONUP:
            return MouseMessage::kMiddleButtonUp;
        case WM_MOUSEWHEEL:
            return MouseMessage::kMouseWheel;
        case WM_XBUTTONDOWN:
            return MouseMessage::kXButtonDown;
        case WM_XBUTTONUP:
            return MouseMessage::kXButtonUp;
        case WM_MOUSEHWHEEL:
            return MouseMessage::kMouseHorizontalWheel;
        default:
            return MouseMessage::kOther;
    }
}

Win32MouseHook::Win32MouseHook(Handler onEvent) : onEvent_(std::move(onEvent)) {}

Win32MouseHook::~Win32MouseHook() { Remove(); }

bool Win32MouseHook::Install() {
    if (hook_) return true;
    hook_ = SetWindowsHookExW(WH_MOUSE_LL, HookProc, GetModuleHandleW(nullptr), 0);
    if (!hook_) {
        TraceLastError("SetWindowsHookExW(WH_MOUSE_LL)");
        return false;
    }
    g_hook = this;
    g_onEvent = &onEvent_;
    return true;
}

void Win32MouseHook::Remove() {
    if (!hook_) return;
    if (!UnhookWindowsHookEx(hook_)) TraceLastError("UnhookWindowsHookEx");
    hook_ = nullptr;
    if (g_hook == this) {
        g_hook = nullptr;
        g_onEvent = nullptr;
    }
}

LRESULT CALLBACK Win32MouseHook::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    // The system waits for this procedure on every mouse event of the
    // desktop: it only copies the point and hands it on, and no exception
    // may leave it.
    if (code == HC_ACTION && g_onEvent && *g_onEvent && lParam) {
        const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        const platform::MouseHookEvent event{MouseMessageOf(wParam), {int(info->pt.x), int(info->pt.y)}};
        // The handler may remove the hook (a right click ends Tapreel's
        // recording), which clears the global but leaves the function itself
        // alive.
        Handler* handler = g_onEvent;
        try {
            if ((*handler)(event) == platform::HookResult::kSkipNextHook) return 0;
        } catch (...) {
            TraceCurrentException("Low-level mouse hook handler");
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace win32
