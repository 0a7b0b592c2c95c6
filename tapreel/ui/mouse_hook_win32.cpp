#include "tapreel/ui/mouse_hook_win32.h"

#include <utility>

namespace tapreel {

namespace {

// The hook procedure has no context argument; the one hook of the process
// is found here.
Win32MouseHook* g_hook = nullptr;
std::function<void(const MouseHookEvent&)>* g_onEvent = nullptr;

MouseEventKind KindOf(WPARAM message) {
    switch (message) {
        case WM_MOUSEMOVE:
            return MouseEventKind::kMove;
        case WM_LBUTTONDOWN:
            return MouseEventKind::kLeftDown;
        case WM_RBUTTONDOWN:
            return MouseEventKind::kRightDown;
        case WM_MBUTTONDOWN:
            return MouseEventKind::kMiddleDown;
        case WM_MOUSEWHEEL:
            return MouseEventKind::kWheel;
        default:
            return MouseEventKind::kOther;
    }
}

}  // namespace

Win32MouseHook::Win32MouseHook(std::function<void(const MouseHookEvent&)> onEvent) : onEvent_(std::move(onEvent)) {}

Win32MouseHook::~Win32MouseHook() { Remove(); }

bool Win32MouseHook::Install() {
    if (hook_) return true;
    hook_ = SetWindowsHookExW(WH_MOUSE_LL, HookProc, GetModuleHandleW(nullptr), 0);
    if (!hook_) return false;
    g_hook = this;
    g_onEvent = &onEvent_;
    return true;
}

void Win32MouseHook::Remove() {
    if (!hook_) return;
    UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    if (g_hook == this) {
        g_hook = nullptr;
        g_onEvent = nullptr;
    }
}

LRESULT CALLBACK Win32MouseHook::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    // The system waits for this procedure on every mouse event of the
    // desktop: it only copies the point and hands it on, and no exception
    // may leave it. The event always goes on to the next hook, so Tapreel
    // never keeps an event from anyone.
    if (code == HC_ACTION && g_onEvent && *g_onEvent && lParam) {
        const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        MouseHookEvent event{KindOf(wParam), {int(info->pt.x), int(info->pt.y)}};
        // The handler may remove the hook (a right click ends recording),
        // which clears the global but leaves the function itself alive.
        std::function<void(const MouseHookEvent&)>* handler = g_onEvent;
        try {
            (*handler)(event);
        } catch (...) {
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tapreel
